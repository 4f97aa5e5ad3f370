// The camera commands of the menus: turns of every model about a screen
// axis, the start position, zooms, the standard views, rescaling, copying
// matrices, centring on a picked vertex and framing every shown model.

#include "GLWidget.h"
#include "ListWalk.h"
#include "Orientation.h"
#include "ViewCommands.h"
#include "ViewHost.h"

#include <numbers>

namespace {
constexpr float kPi = std::numbers::pi_v<float>;
}

void ViewCommands::reproject(bool rotated)
{
    View.updateProjection();
    if (rotated)
        emit View.RotationChanged();
    View.update();
}

void ViewCommands::addXRotation(float angle)
{
    if (angle == 0)
        return;
    rotateEveryModel(ModelList, 0, angle);
    emit View.RotationChanged();
    View.update();
}

void ViewCommands::addYRotation(float angle)
{
    if (angle == 0)
        return;
    rotateEveryModel(ModelList, 1, angle);
    emit View.RotationChanged();
    View.update();
}

void ViewCommands::addZRotation(float angle)
{
    if (angle == 0)
        return;
    rotateEveryModel(ModelList, 2, angle);
    emit View.RotationChanged();
    View.update();
}

// The whole scene goes back together: every model and the image's planes
// take the start view (no turn, framed as the files were when opened), so
// that nothing moves apart from what lies beside it.
void ViewCommands::startPosition()
{
    forEveryModel(ModelList, [](ModelClass &m) { m.Transform->reset(); });
    View.imageCamera()->reset();
    View.frameScene(GLWidget::FitMargin);
    reproject(true);
}

void ViewCommands::zoomIn()
{
    if (Host->planeEditMode())
        return;
    View.zoomAll(1.1f);
    reproject(false);
}

void ViewCommands::zoomOut()
{
    if (Host->planeEditMode())
        return;
    View.zoomAll(0.9f);
    reproject(false);
}

void ViewCommands::rotateXY()
{
    rotateEveryModel(ModelList, 0, kPi / 4);
    reproject(false);
}

void ViewCommands::rotateXZ()
{
    rotateEveryModel(ModelList, 1, kPi / 4);
    reproject(false);
}

void ViewCommands::rotateYZ()
{
    rotateEveryModel(ModelList, 2, kPi / 4);
    reproject(false);
}

void ViewCommands::rescaleModel()
{
    ModelClass *first = userModel(ModelList, 1);
    if (!first)
        return;
    first->Transform->reset();
    first->Transform->centerOn(first->Center);
    const float radius = treeRadius(first);
    if (radius > 0)
        first->Transform->zoom(3.0f / radius);
    reproject(false);
}

void ViewCommands::setPlaneXY()
{
    if (ModelClass *first = userModel(ModelList, 1))
        first->Transform->reset();
    rescaleModel();
    transformAll();
    reproject(true);
}

void ViewCommands::setPlaneXZ()
{
    if (ModelClass *first = userModel(ModelList, 1)) {
        first->Transform->reset();
        rescaleModel();
        first->Transform->rotateX(kPi / 2);
    }
    transformAll();
    reproject(true);
}

void ViewCommands::setPlaneYZ()
{
    if (ModelClass *first = userModel(ModelList, 1)) {
        first->Transform->reset();
        rescaleModel();
        first->Transform->rotateZ(kPi / 2);
        first->Transform->rotateX(kPi / 2);
    }
    transformAll();
    reproject(true);
}

void ViewCommands::setAnatomicalView(AnatomicalView view)
{
    const auto rows = viewRotation(view);
    float turn[9];
    for (int i = 0; i < 3; ++i)
        std::copy(rows[size_t(i)].begin(), rows[size_t(i)].end(), turn + 3 * i);
    if (ModelClass *first = userModel(ModelList, 1)) {
        rescaleModel();
        first->Transform->rotate(turn);
        transformAll();
    } else if (View.State.Image) {
        View.imageCamera()->reset();
        View.imageCamera()->rotate(turn);
    }
    View.frameScene(GLWidget::FitMargin);
    reproject(true);
}

void ViewCommands::transformAll()
{
    copyTransforms(ModelList);
    View.update();
}

void ViewCommands::moveAllCenter()
{
    const ModelClass *current = View.currentModel();
    if (!current || current->PickMode != PickTarget::Point || current->PickKind <= 0)
        return;
    forEveryModel(ModelList, [&](ModelClass &m) { centreOnPicked(m, *current); });
    View.update();
}

int ViewCommands::getWidgetsWidthLeft()
{
    return Host->dockedPanelWidth(true);
}

int ViewCommands::getWidgetsWidthRight()
{
    return Host->dockedPanelWidth(false);
}

void ViewCommands::fitAll()
{
    if (View.frameScene(GLWidget::FitMargin))
        View.update();
}
