#include "IntersectControl.h"

#include "view/GLWidget.h"
#include "view/ViewCommands.h"
#include "view/ViewHost.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString tripleText(const _DREAL3 &v)
{
    auto f = [](double x) { return QString::number(x, 'f', 2); };
    return f(v.x) + QLatin1Char(';') + f(v.y) + QLatin1Char(';') + f(v.z);
}

// A field of a number that does not read as one is as malformed as a
// missing part: the triple keeps its value.
void readTriple(const QLineEdit *field, _DREAL3 &v)
{
    const QStringList parts = field->text().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (parts.size() != 3)
        return;
    double x[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        x[i] = parts.at(i).trimmed().toDouble(&ok);
        if (!ok)
            return;
    }
    v = {x[0], x[1], x[2]};
}

_DREAL3 triple(const double *v)
{
    return {v[0], v[1], v[2]};
}

void store(const _DREAL3 &v, double *out)
{
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
}

} // namespace

IntersectControl::IntersectControl(QWidget *parent, GLWidget *view, ViewCommands *commands)
    : QDockWidget(parent)
    , View(view)
    , Commands(commands)
{
    setObjectName("IntersectControl");
    setWindowTitle(tr("Intersection"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto *contents = new QWidget(this);
    contents->setObjectName("dockWidgetContents");
    auto named = [](auto *widget, const char *name) {
        widget->setObjectName(name);
        return widget;
    };
    label_point = named(new QLabel(tr("Point:"), contents), "label_point");
    lineEdit_point = named(new QLineEdit(QStringLiteral("1;1;4"), contents), "lineEdit_point");
    label_normal = named(new QLabel(tr("Normal:"), contents), "label_normal");
    lineEdit_normal = named(new QLineEdit(QStringLiteral("1;0;0"), contents), "lineEdit_normal");
    reloadSelectButton = named(new QPushButton(tr("LoadFromSel"), contents), "reloadSelectButton");
    checkBox_smooth = named(new QCheckBox(tr("Smooth Intersection"), contents), "checkBox_smooth");
    checkBox_clipping_r =
        named(new QCheckBox(tr("Draw clipping rectangle"), contents), "checkBox_clipping_r");
    checkBox_include =
        named(new QCheckBox(tr("Include intersected primitives"), contents), "checkBox_include");
    checkBox_invert = named(new QCheckBox(tr("Invert normal"), contents), "checkBox_invert");
    pushButton_OK = named(new QPushButton(tr("Apply"), contents), "pushButton_OK");
    auto *layout = new QGridLayout(contents);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(label_point, 0, 0);
    layout->addWidget(lineEdit_point, 0, 1);
    layout->addWidget(label_normal, 1, 0);
    layout->addWidget(lineEdit_normal, 1, 1);
    layout->addWidget(reloadSelectButton, 2, 0, 1, 2);
    layout->addWidget(checkBox_smooth, 3, 0, 1, 2);
    layout->addWidget(checkBox_clipping_r, 4, 0, 1, 2);
    layout->addWidget(checkBox_include, 5, 0, 1, 2);
    layout->addWidget(checkBox_invert, 6, 0, 1, 2);
    layout->addWidget(pushButton_OK, 7, 0, 1, 2);
    layout->setRowStretch(8, 1); // spare height below the controls, not between them
    setWidget(contents);
    QMetaObject::connectSlotsByName(this);

    connect(lineEdit_point, &QLineEdit::returnPressed, this, &IntersectControl::ChangeView);
    connect(lineEdit_normal, &QLineEdit::returnPressed, this, &IntersectControl::ChangeView);
    connect(pushButton_OK, &QPushButton::clicked, this, &IntersectControl::ChangeView);
    connect(checkBox_clipping_r, &QCheckBox::clicked, this, &IntersectControl::ChangeSurf);
    initialize();
    show();
}

bool IntersectControl::planeEditMode() const
{
    return checkBox_clipping_r->isChecked();
}

void IntersectControl::get_point(_DREAL3 &point)
{
    readTriple(lineEdit_point, point);
}

void IntersectControl::get_normal(_DREAL3 &normal)
{
    readTriple(lineEdit_normal, normal);
}

void IntersectControl::set_point(_DREAL3 point)
{
    lineEdit_point->setText(tripleText(point));
}

void IntersectControl::set_normal(_DREAL3 normal)
{
    lineEdit_normal->setText(tripleText(normal));
}

void IntersectControl::initialize()
{
    if (const ModelClass *model = View->currentModel()) {
        set_point(triple(model->ClipPlane.Point));
        set_normal(triple(model->ClipPlane.Normal));
    }
    checkBox_smooth->setChecked(false);
    checkBox_smooth->setEnabled(false);
}

void IntersectControl::storeFieldsInPlane(ModelClass &model)
{
    _DREAL3 point = triple(model.ClipPlane.Point), normal = triple(model.ClipPlane.Normal);
    get_point(point);
    get_normal(normal);
    store(point, model.ClipPlane.Point);
    store(normal, model.ClipPlane.Normal);
}

void IntersectControl::ChangeSurf()
{
    ModelClass *model = View->currentModel();
    if (checkBox_clipping_r->isChecked() && model) {
        storeFieldsInPlane(*model);
        model->clearPick();
        model->ClipPlane.applyPlacement(model->BoxMin, model->BoxMax);
    }
    View->update();
}

void IntersectControl::ChangeView()
{
    ChangeSurf();
    ModelClass *model = View->ModelList.ActiveIndex >= 1 ? View->currentModel() : nullptr;
    _DREAL3 point, normal;
    if (model) {
        point = triple(model->ClipPlane.Point);
        normal = triple(model->ClipPlane.Normal);
    }
    get_point(point);
    get_normal(normal);
    const double p[3] = {point.x, point.y, point.z}, n[3] = {normal.x, normal.y, normal.z};
    Commands->applyIntersection(p, n, checkBox_include->isChecked(), checkBox_invert->isChecked());
    ViewHost *host = View->host();
    if (model && View->ModelList.count() == 2 && !host->hasPanel(PanelKind::Objects))
        host->createPanel(PanelKind::Objects);
}

void IntersectControl::on_reloadSelectButton_clicked()
{
    const ModelClass *model = View->currentModel();
    if (!model || model->PickMode != PickTarget::Point || model->PickKind <= 0)
        return;
    const MeshClass *mesh = model->Meshes.value(model->PickBlock);
    if (!mesh || model->PickIndex < 0 || model->PickIndex >= mesh->CountOfVertices)
        return;
    set_point(triple(mesh->Vertices + 3 * qint64(model->PickIndex)));
}
