#include "FunctionControl.h"
#include "PanelSize.h"

#include "geometry/Status.h"
#include "model/PlaneCut.h"
#include "view/GLWidget.h"
#include "view/ViewHost.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

FunctionControl::FunctionControl(QWidget *parent, GLWidget *view)
    : QDockWidget(parent)
    , View(view)
{
    setupUi();
    initCheckBox();
    initFields();
    connect(comboBox, &QComboBox::currentIndexChanged, this, &FunctionControl::ChangeView);
    connect(checkBox_inCells, &QCheckBox::clicked, this, &FunctionControl::ChangeFunc);
    initialize();
    fitPanelToTexts(this);
    show();
}

void FunctionControl::setupUi()
{
    setObjectName("FunctionControl");
    setWindowTitle(tr("Functions"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setFixedSize(160, 175);
    auto *contents = new QWidget(this);
    contents->setObjectName("dockWidgetContents");
    comboBox = new QComboBox(contents);
    comboBox->setObjectName("comboBox");
    label = new QLabel(tr("MIN:"), contents);
    label->setObjectName("label");
    label_2 = new QLabel(tr("MAX:"), contents);
    label_2->setObjectName("label_2");
    lineEdit_min = new QLineEdit(contents);
    lineEdit_min->setObjectName("lineEdit_min");
    lineEdit_min->setEnabled(false);
    lineEdit_max = new QLineEdit(contents);
    lineEdit_max->setObjectName("lineEdit_max");
    lineEdit_max->setEnabled(false);
    pushButton = new QPushButton(tr("Apply"), contents);
    pushButton->setObjectName("pushButton");
    checkBox_all = new QCheckBox(tr("All"), contents);
    checkBox_all->setObjectName("checkBox_all");
    checkBox_all->setChecked(true);
    checkBox_inCells = new QCheckBox(tr("Functions in faces"), contents);
    checkBox_inCells->setObjectName("checkBox_inCells");

    auto *grid = new QGridLayout(contents);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setSpacing(3);
    grid->addWidget(comboBox, 0, 0, 1, 2);
    grid->addWidget(label, 1, 0);
    grid->addWidget(lineEdit_min, 1, 1);
    grid->addWidget(label_2, 2, 0);
    grid->addWidget(lineEdit_max, 2, 1);
    grid->addWidget(checkBox_all, 3, 0);
    grid->addWidget(pushButton, 3, 1);
    grid->addWidget(checkBox_inCells, 4, 0, 1, 2);
    setWidget(contents);
    QMetaObject::connectSlotsByName(this);
}

ModelClass *FunctionControl::model() const
{
    return View->ModelList.count() >= 2 ? View->currentModel() : nullptr;
}

bool FunctionControl::currentRange(float &min, float &max) const
{
    const ModelClass *m = model();
    if (!m)
        return false;
    const int f = m->CurrentFunction;
    const bool cells = m->FunctionLocation == 2;
    const float *lo = cells ? m->ModelCellFuncMin : m->ModelFuncMin;
    const float *hi = cells ? m->ModelCellFuncMax : m->ModelFuncMax;
    const qsizetype names = cells ? m->CellFunctionNames.size() : m->FunctionNames.size();
    if ((m->FunctionLocation != 1 && !cells) || !lo || !hi || f < 0 || f >= names)
        return false;
    min = lo[f];
    max = hi[f];
    return true;
}

void FunctionControl::initCheckBox()
{
    ModelClass *m = model();
    if (!m)
        return;
    const MeshClass *first = m->Meshes.isEmpty() ? nullptr : m->Meshes.first();
    if (first && first->CountOfCellFunctions > 0 && first->CountOfFunctions > 0) {
        checkBox_inCells->setEnabled(true);
        checkBox_inCells->setChecked(m->FunctionLocation == 2);
        return;
    }
    checkBox_inCells->setEnabled(false);
    if (!first)
        checkBox_inCells->setChecked(false);
    else if (first->CountOfCellFunctions > 0)
        checkBox_inCells->setChecked(true);
}

void FunctionControl::initFields()
{
    ModelClass *m = model();
    if (!m)
        return;
    // Refilling moves the current index; the model's function stays until
    // the caller applies the new choice.
    const QSignalBlocker blocker(comboBox);
    comboBox->clear();
    comboBox->addItems(m->FunctionLocation != 2 ? m->FunctionNames : m->CellFunctionNames);
    const int f = m->CurrentFunction;
    comboBox->setCurrentIndex(f >= 0 && f < comboBox->count() ? f : 0);
}

void FunctionControl::initialize()
{
    float min, max;
    if (!currentRange(min, max))
        return;
    lineEdit_min->setText(number(min));
    lineEdit_max->setText(number(max));
}

void FunctionControl::refresh()
{
    initCheckBox();
    initFields();
    initialize();
}

void FunctionControl::ChangeView()
{
    showFunction(false);
}

void FunctionControl::showFunction(bool keepRange)
{
    const int i = comboBox->currentIndex();
    ModelClass *m = model();
    if (i < 0 || !m)
        return;
    m->CurrentFunction = i;
    if (!keepRange)
        initialize();
    m->NeedsRebuild = 1;
    m->prepareDraw();
    ViewHost *host = View->host();
    if (View->State.ColorLines)
        host->panelCommand(PanelKind::ColorSize, PanelCommand::Apply);
    else
        View->update();
    host->panelCommand(PanelKind::Gradient, PanelCommand::Refresh); // name and range of the legend
    host->showStatus(View->statusLine());
}

void FunctionControl::ChangeFunc()
{
    ModelClass *m = model();
    if (!m)
        return;
    if (checkBox_inCells->isChecked())
        m->FunctionLocation = 2;
    else if (checkBox_inCells->isEnabled())
        m->FunctionLocation = 1;
    initFields();
    ChangeView();
}

void FunctionControl::on_checkBox_all_toggled(bool checked)
{
    lineEdit_min->setEnabled(!checked);
    lineEdit_max->setEnabled(!checked);
}

void FunctionControl::validateRange()
{
    float low, high;
    if (!currentRange(low, high))
        return;
    if (lineEdit_min->text().toDouble() > high)
        lineEdit_min->setText(number(low));
    if (lineEdit_max->text().toDouble() < low)
        lineEdit_max->setText(number(high));
    if (lineEdit_min->text().toDouble() > lineEdit_max->text().toDouble()) {
        const QString min = lineEdit_min->text();
        lineEdit_min->setText(lineEdit_max->text());
        lineEdit_max->setText(min);
    }
}

void FunctionControl::on_pushButton_clicked()
{
    ModelClass *m = model();
    if (!m)
        return;
    m->clearPick();
    ViewHost *host = View->host();
    const QString saved = host->statusText();
    host->showStatus(tr("Building model..."));
    if (checkBox_all->isChecked()) {
        // Every cell shown again. The fields show the range rounded to six
        // digits, so a cut by them could lose the cells at its very ends.
        for (MeshClass *mesh : std::as_const(m->Meshes))
            mesh->clearCellVisible();
        rebuildVisibleCells(*m);
        initialize();
        m->UseAllVertices = View->State.Config.drawAllPoints;
        m->SmoothNormals = View->State.Config.shade_type;
        m->ColoredIsolines = View->State.Config.func_isolines;
        qCDebug(lcTrace) << "not construct new model";
    } else {
        validateRange();
        const float min = float(lineEdit_min->text().toDouble());
        const float max = float(lineEdit_max->text().toDouble());
        if (comboBox->currentIndex() >= 0)
            m->CurrentFunction = comboBox->currentIndex();
        cutFunctionRange(*m, max, min);
    }
    if (!host->hasPanel(PanelKind::Objects))
        host->createPanel(PanelKind::Objects);
    // The fields keep the range the cut used; "All" has put the full range there.
    showFunction(true);
    host->showStatus(saved);
}

void FunctionControl::on_lineEdit_min_returnPressed()
{
    on_pushButton_clicked();
}

void FunctionControl::on_lineEdit_max_returnPressed()
{
    on_pushButton_clicked();
}
