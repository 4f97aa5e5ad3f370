// The view's camera: the rotations, moves and zooms of the mouse gestures on
// every model (in plane-edit mode they turn and move the cutting plane
// instead), centring, copying matrices between models and framing the scene.

#include "GLWidget.h"
#include "ListWalk.h"
#include "ViewHost.h"

#include <QSet>

#include <cmath>
#include <limits>

void rotateEveryModel(ModelListClass &list, int axis, float angle)
{
    forEveryModel(list, [axis, angle](ModelClass &m) {
        if (axis == 0)
            m.Transform->rotateX(angle);
        else if (axis == 1)
            m.Transform->rotateY(angle);
        else
            m.Transform->rotateZ(angle);
    });
}

void copyTransforms(ModelListClass &list)
{
    const qsizetype count = list.count();
    if (ModelClass *first = userModel(list, 1))
        for (qsizetype i = 2; i < count; ++i)
            list.at(i)->Transform->copyMatrixFrom(*first->Transform);
    if (ModelClass *current = userModel(list, list.ActiveIndex))
        for (qsizetype i = 1; i < count; ++i)
            if (list.at(i) != current)
                list.at(i)->Transform->copyMatrixFrom(*current->Transform);
}

void centreOnPicked(ModelClass &target, const ModelClass &picked)
{
    const MeshClass *mesh = picked.Meshes.value(picked.PickBlock);
    if (!mesh || picked.PickIndex < 0 || picked.PickIndex >= mesh->CountOfVertices)
        return;
    const _DREAL *v = mesh->Vertices + 3 * qint64(picked.PickIndex);
    const float p[3] = {float(v[0]), float(v[1]), float(v[2])};
    target.Transform->centerOn(p);
}

void GLWidget::zoomAll(float factor)
{
    forEveryModel(ModelList, [factor](ModelClass &m) { m.Transform->zoom(factor); });
    if (ModelList.count() < 2 && State.Image) // an image alone turns on the scene's camera
        imageCamera()->zoom(factor);
}

void GLWidget::addXYZRotation(float x, float y, float z)
{
    ModelClass *current = currentModel();
    if (Host->planeEditMode() && current) {
        current->Transform->updateRotation();
        const float *view = current->Transform->RotationMatrix;
        current->ClipPlane.turn(0, x, view);
        current->ClipPlane.turn(1, y, view);
        current->ClipPlane.turn(2, z, view);
    } else {
        rotateEveryModel(ModelList, 0, x);
        rotateEveryModel(ModelList, 1, y);
        rotateEveryModel(ModelList, 2, z);
        if (ModelList.count() < 2 && State.Image) {
            imageCamera()->rotateX(x);
            imageCamera()->rotateY(y);
            imageCamera()->rotateZ(z);
        }
    }
    emit RotationChanged();
    update();
}

void GLWidget::addXYmove(float dx, float dy)
{
    ModelClass *current = currentModel();
    if (Host->planeEditMode() && current) {
        current->Transform->updateRotation();
        current->ClipPlane.shift(dx, dy, current->Transform->RotationMatrix,
                                 current->Transform->Scale);
        return;
    }
    forEveryModel(ModelList, [dx, dy](ModelClass &m) { m.Transform->move(dx, dy); });
    if (ModelList.count() < 2 && State.Image)
        imageCamera()->move(dx, dy);
}

void GLWidget::takePlanePlacement()
{
    ModelClass *current = currentModel();
    if (!current)
        return;
    current->ClipPlane.applyPlacement(current->BoxMin, current->BoxMax);
    Host->setPlaneFields(current->ClipPlane.Point, current->ClipPlane.Normal);
}

void GLWidget::moveCenter()
{
    if (ModelList.count() >= 3) {
        ModelClass *first = userModel(ModelList, 1);
        first->Transform->centerOn(first->Center);
        copyTransforms(ModelList);
    } else if (ModelClass *current = userModel(ModelList, ModelList.ActiveIndex)) {
        if (current->PickMode == PickTarget::Point && current->PickKind > 0)
            centreOnPicked(*current, *current);
        else if (current->PickKind <= 0 || current->PickMode != PickTarget::None)
            current->Transform->centerOn(current->Center);
    }
    update();
}

bool GLWidget::frameScene(double margin, int w, int h)
{
    if (w < 0 || h < 0) {
        w = width();
        h = height();
    }
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
    if (State.Image && !State.Image->isEmpty())
        for (const auto &corner : imageCorners(*State.Image)) {
            double eye[3];
            imageCamera()->mapPoint(corner.data(), eye);
            for (int a = 0; a < 2; ++a) {
                lo[a] = std::min(lo[a], eye[a]);
                hi[a] = std::max(hi[a], eye[a]);
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
    if (ModelList.count() < 2) { // the image alone
        imageCamera()->zoom(float(scale));
        imageCamera()->move(float(-scale * cx), float(-scale * cy));
    }
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
