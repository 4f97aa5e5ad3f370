#include "IsoControl.h"
#include "PanelSize.h"

#include "geometry/Status.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"
#include "view/ViewHost.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

IsoControl::IsoControl(QWidget *parent, GLWidget *view)
    : QDockWidget(parent)
    , View(view)
{
    setupUi();
    initFields();
    connect(checkBox_uniformity, &QCheckBox::toggled, this, &IsoControl::ChangeIsoMode);
    connect(spinBox_count, &QSpinBox::valueChanged, this, &IsoControl::ChangeView);
    connect(lineEdit_count, &QLineEdit::returnPressed, this, &IsoControl::ChangeView);
    lineEdit_count->hide();
    label_count2->hide();
    spinBox_count->show();
    label_count->show();
    fitPanelToTexts(this);
    show();
}

void IsoControl::setupUi()
{
    setObjectName("IsoControl");
    setWindowTitle(tr("Isosurfaces control"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setFixedSize(160, 100);
    auto *contents = new QWidget(this);
    contents->setObjectName("dockWidgetContents");
    checkBox_uniformity = new QCheckBox(tr("Uniformity"), contents);
    checkBox_uniformity->setObjectName("checkBox_uniformity");
    checkBox_uniformity->setChecked(true);
    label_count = new QLabel(tr("Count of intersections:"), contents);
    label_count->setObjectName("label_count");
    spinBox_count = new QSpinBox(contents);
    spinBox_count->setObjectName("spinBox_count");
    spinBox_count->setMinimum(1);
    spinBox_count->setValue(3);
    label_count2 = new QLabel(tr("Intersection values:"), contents);
    label_count2->setObjectName("label_count2");
    lineEdit_count = new QLineEdit(contents);
    lineEdit_count->setObjectName("lineEdit_count");
    lineEdit_count->setToolTip(tr("Values separated by \";\""));

    auto *column = new QVBoxLayout(contents);
    column->setContentsMargins(4, 0, 4, 2);
    column->setSpacing(1);
    for (QWidget *widget :
         {static_cast<QWidget *>(checkBox_uniformity), static_cast<QWidget *>(label_count),
          static_cast<QWidget *>(spinBox_count), static_cast<QWidget *>(label_count2),
          static_cast<QWidget *>(lineEdit_count)})
        column->addWidget(widget);
    column->addStretch();
    setWidget(contents);
}

void IsoControl::initFields()
{
    const ModelListClass &list = View->ModelList;
    if (list.count() < 2)
        return;
    // With the scene current the request covers every model.
    const QList<ModelClass *> models =
        list.ActiveIndex == 0 ? list.Models.mid(1) : QList<ModelClass *> {list.active()};
    const bool values = std::any_of(models.begin(), models.end(), [](const ModelClass *model) {
        return model && !model->FunctionNames.isEmpty();
    });
    spinBox_count->setEnabled(values);
    lineEdit_count->setEnabled(values);
}

void IsoControl::ChangeIsoMode()
{
    const bool uniform = checkBox_uniformity->isChecked();
    lineEdit_count->setVisible(!uniform);
    label_count2->setVisible(!uniform);
    spinBox_count->setVisible(uniform);
    label_count->setVisible(uniform);
}

ModelClass *IsoControl::ChangeViewInModel(ModelClass *model)
{
    if (!model || model->FunctionNames.isEmpty())
        return nullptr;
    if (ModelClass *current = View->currentModel())
        current->clearPick();
    // Isosurfaces are built from the cells of structured grid blocks; every
    // block of this program's models is an unstructured one, so no surface
    // results.
    return nullptr;
}

void IsoControl::ChangeView()
{
    ViewHost *host = View->host();
    const QString saved = host->statusText();
    host->showStatus(tr("Building model..."));
    ModelListClass &list = View->ModelList;
    if (list.count() < 2) {
        host->showStatus(saved);
        return;
    }
    const qsizetype before = list.count();
    list.active()->clearPick();
    QList<ModelClass *> results;
    if (list.ActiveIndex != 0) {
        results << ChangeViewInModel(list.active());
    } else {
        for (ModelClass *model : list.Models.mid(1)) {
            list.ActiveIndex = qint32(list.indexOf(model));
            results << ChangeViewInModel(model);
        }
        list.ActiveIndex = 0;
    }
    results.removeAll(nullptr);
    if (results.isEmpty() && list.count() == before) {
        Dialogs::current().warning(parentWidget(), tr("Warning"), tr("There is no points"));
        host->showStatus(saved);
        return;
    }
    for (ModelClass *model : std::as_const(results))
        View->placeNewModel(model);
    host->applyCompactLayout();
    qCDebug(lcTrace) << "IsoControl::ChangeView";
    View->update();
    host->showStatus(saved);
}
