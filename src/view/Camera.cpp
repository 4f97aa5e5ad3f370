// The camera commands of the view: rotations, moves and zooms of every
// model, the standard views, rescaling, centring and copying matrices; in
// plane-edit mode the gestures turn and move the cutting plane instead.

#include "GLWidget.h"
#include "ViewHost.h"

#include <QSet>

#include <cmath>
#include <limits>
#include <numbers>

namespace {
constexpr float kPi = std::numbers::pi_v<float>;
}

void GLWidget::forEveryModel(const std::function<void(ModelClass &)> &f)
{
    for (qsizetype i = 1; i < ModelList.count(); ++i)
        f(*ModelList.at(i));
}

ModelClass *GLWidget::userModel(qsizetype index) const
{
    return index >= 1 ? ModelList.at(index) : nullptr;
}

void GLWidget::zoomAll(float factor)
{
    forEveryModel([factor](ModelClass &m) { m.Transform->zoom(factor); });
}

void GLWidget::rotateAll(int axis, float angle)
{
    forEveryModel([axis, angle](ModelClass &m) {
        if (axis == 0)
            m.Transform->rotateX(angle);
        else if (axis == 1)
            m.Transform->rotateY(angle);
        else
            m.Transform->rotateZ(angle);
    });
}

void GLWidget::addXRotation(float angle)
{
    if (angle == 0)
        return;
    rotateAll(0, angle);
    emit RotationChanged();
    update();
}

void GLWidget::addYRotation(float angle)
{
    if (angle == 0)
        return;
    rotateAll(1, angle);
    emit RotationChanged();
    update();
}

void GLWidget::addZRotation(float angle)
{
    if (angle == 0)
        return;
    rotateAll(2, angle);
    emit RotationChanged();
    update();
}

void GLWidget::addXYZRotation(float x, float y, float z)
{
    ModelClass *current = currentModel();
    if (planeEditMode() && current) {
        current->Transform->updateRotation();
        const float *view = current->Transform->RotationMatrix;
        current->ClipPlane.turn(0, x, view);
        current->ClipPlane.turn(1, y, view);
        current->ClipPlane.turn(2, z, view);
    } else {
        rotateAll(0, x);
        rotateAll(1, y);
        rotateAll(2, z);
    }
    emit RotationChanged();
    update();
}

void GLWidget::addXYmove(float dx, float dy)
{
    ModelClass *current = currentModel();
    if (planeEditMode() && current) {
        current->Transform->updateRotation();
        current->ClipPlane.shift(dx, dy, current->Transform->RotationMatrix,
                                 current->Transform->Scale);
        return;
    }
    forEveryModel([dx, dy](ModelClass &m) { m.Transform->move(dx, dy); });
}

void GLWidget::takePlanePlacement()
{
    ModelClass *current = currentModel();
    if (!current)
        return;
    current->ClipPlane.applyPlacement(current->BoxMin, current->BoxMax);
    Host->setPlaneFields(current->ClipPlane.Point, current->ClipPlane.Normal);
}

void GLWidget::startPosition()
{
    if (ModelClass *current = currentModel())
        current->Transform->reset();
    updateProjection();
    update();
}

void GLWidget::zoomIn()
{
    if (planeEditMode())
        return;
    zoomAll(1.1f);
    updateProjection();
    update();
}

void GLWidget::zoomOut()
{
    if (planeEditMode())
        return;
    zoomAll(0.9f);
    updateProjection();
    update();
}

void GLWidget::rotateXY()
{
    rotateAll(0, kPi / 4);
    updateProjection();
    update();
}

void GLWidget::rotateXZ()
{
    rotateAll(1, kPi / 4);
    updateProjection();
    update();
}

void GLWidget::rotateYZ()
{
    rotateAll(2, kPi / 4);
    updateProjection();
    update();
}

void GLWidget::rescaleModel()
{
    ModelClass *first = userModel(1);
    if (!first)
        return;
    first->Transform->reset();
    first->Transform->centerOn(first->Center);
    const float radius = treeRadius(first);
    if (radius > 0)
        first->Transform->zoom(3.0f / radius);
    updateProjection();
    update();
}

void GLWidget::setPlaneXY()
{
    if (ModelClass *first = userModel(1))
        first->Transform->reset();
    rescaleModel();
    transformAll();
    updateProjection();
    emit RotationChanged();
    update();
}

void GLWidget::setPlaneXZ()
{
    if (ModelClass *first = userModel(1)) {
        first->Transform->reset();
        rescaleModel();
        first->Transform->rotateX(kPi / 2);
    }
    transformAll();
    updateProjection();
    emit RotationChanged();
    update();
}

void GLWidget::setPlaneYZ()
{
    if (ModelClass *first = userModel(1)) {
        first->Transform->reset();
        rescaleModel();
        first->Transform->rotateZ(kPi / 2);
        first->Transform->rotateX(kPi / 2);
    }
    transformAll();
    updateProjection();
    emit RotationChanged();
    update();
}

void GLWidget::transformAll()
{
    const qsizetype count = ModelList.count();
    if (ModelClass *first = userModel(1))
        for (qsizetype i = 2; i < count; ++i)
            ModelList.at(i)->Transform->copyMatrixFrom(*first->Transform);
    if (ModelClass *current = userModel(ModelList.ActiveIndex))
        for (qsizetype i = 1; i < count; ++i)
            if (ModelList.at(i) != current)
                ModelList.at(i)->Transform->copyMatrixFrom(*current->Transform);
    update();
}

void GLWidget::centreOnPicked(ModelClass &target, const ModelClass &picked)
{
    const MeshClass *mesh = picked.Meshes.value(picked.PickBlock);
    if (!mesh || picked.PickIndex < 0 || picked.PickIndex >= mesh->CountOfVertices)
        return;
    const _DREAL *v = mesh->Vertices + 3 * qint64(picked.PickIndex);
    const float p[3] = {float(v[0]), float(v[1]), float(v[2])};
    target.Transform->centerOn(p);
}

void GLWidget::moveCenter()
{
    if (ModelList.count() >= 3) {
        ModelClass *first = userModel(1);
        first->Transform->centerOn(first->Center);
        transformAll();
    } else if (ModelClass *current = userModel(ModelList.ActiveIndex)) {
        if (current->PickMode == 1 && current->PickKind > 0)
            centreOnPicked(*current, *current);
        else if (current->PickKind <= 0 || current->PickMode != -1)
            current->Transform->centerOn(current->Center);
    }
    update();
}

void GLWidget::moveAllCenter()
{
    const ModelClass *current = currentModel();
    if (!current || current->PickMode != 1 || current->PickKind <= 0)
        return;
    forEveryModel([&](ModelClass &m) { centreOnPicked(m, *current); });
    update();
}

int GLWidget::getWidgetsWidthLeft()
{
    return Host->dockedPanelWidth(true);
}

int GLWidget::getWidgetsWidthRight()
{
    return Host->dockedPanelWidth(false);
}

void GLWidget::fitAll()
{
    if (frameScene(FitMargin))
        update();
}

bool GLWidget::frameScene(double margin)
{
    return frameScene(margin, width(), height());
}

bool GLWidget::frameScene(double margin, int w, int h)
{
    // The eye-space box of every vertex of the shown models.
    double lo[2] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    double hi[2] = {-lo[0], -lo[1]};
    for (qsizetype i = 1; i < ModelList.count(); ++i) {
        const ModelClass *model = ModelList.at(i);
        if (!model->Visible)
            continue;
        for (const MeshClass *mesh : model->Meshes)
            for (qint64 v = 0; v < mesh->CountOfVertices; ++v) {
                double eye[3];
                model->Transform->mapPoint(mesh->Vertices + 3 * v, eye);
                for (int a = 0; a < 2; ++a) {
                    lo[a] = std::min(lo[a], eye[a]);
                    hi[a] = std::max(hi[a], eye[a]);
                }
            }
    }
    if (!(lo[0] <= hi[0] && lo[1] <= hi[1]) || w <= 0 || h <= 0)
        return false;
    // The orthographic box of the view: +-xr by +-yr.
    const double xr = h <= w ? double(w) / h : 1.0;
    const double yr = h <= w ? 1.0 : double(h) / w;
    const double fill = 1.0 - 2.0 * margin;
    const double sx = hi[0] > lo[0] ? 2.0 * xr * fill / (hi[0] - lo[0]) : HUGE_VAL;
    const double sy = hi[1] > lo[1] ? 2.0 * yr * fill / (hi[1] - lo[1]) : HUGE_VAL;
    const double scale = std::min(sx, sy);
    if (!std::isfinite(scale) || scale <= 0)
        return false;
    const double cx = (lo[0] + hi[0]) / 2, cy = (lo[1] + hi[1]) / 2;
    // Models that share a camera record move once.
    QSet<ViewTransform *> moved;
    for (qsizetype i = 1; i < ModelList.count(); ++i) {
        ViewTransform *transform = ModelList.at(i)->Transform;
        if (moved.contains(transform))
            continue;
        moved.insert(transform);
        transform->zoom(float(scale));
        transform->move(float(-scale * cx), float(-scale * cy));
    }
    updateProjection(w, h);
    return true;
}
