// The Slices menu: which of the image's planes the view shows, the window
// presets, the mouse mode in which a left drag sets window and level, and
// closing the image.

#include "Tessaron.h"
#include "view/GLWidget.h"

#include <QAction>
#include <QMenu>

namespace {

struct PlaneEntry
{
    const char *action;
    SliceOrientation orientation;
};
constexpr PlaneEntry kPlaneEntries[] = {
    {"actionAxialPlane", SliceOrientation::Axial},
    {"actionCoronalPlane", SliceOrientation::Coronal},
    {"actionSagittalPlane", SliceOrientation::Sagittal},
};
const char *const kImageActions[] = {"actionSoftTissueWindow", "actionBoneWindow",
                                     "actionStoneWindow",      "actionWindowLevelMode",
                                     "actionCloseImage",       "actionFindStones"};

} // namespace

void Tessaron::showSliceState()
{
    const bool image = bool(State.Image);
    menu("menuSlices")->setEnabled(image);
    for (const PlaneEntry &entry : kPlaneEntries) {
        QAction *act = action(entry.action);
        act->setEnabled(image);
        act->setChecked(State.Slices.shown[size_t(entry.orientation)]);
    }
    for (const char *name : kImageActions)
        action(name)->setEnabled(image);
    action("actionWindowLevelMode")->setChecked(State.WindowLevelMode);
}

void Tessaron::setSlicesShown(SliceOrientation orientation, bool on)
{
    State.Slices.shown[size_t(orientation)] = on;
    showState();
    View->update();
}

void Tessaron::setWindow(WindowLevel windowLevel)
{
    State.Slices.windowLevel = windowLevel;
    showState();
    View->update();
}

void Tessaron::showAxialPlane(bool on)
{
    setSlicesShown(SliceOrientation::Axial, on);
}

void Tessaron::showCoronalPlane(bool on)
{
    setSlicesShown(SliceOrientation::Coronal, on);
}

void Tessaron::showSagittalPlane(bool on)
{
    setSlicesShown(SliceOrientation::Sagittal, on);
}

void Tessaron::softTissueWindow()
{
    setWindow(windowpreset::SoftTissue);
}

void Tessaron::boneWindow()
{
    setWindow(windowpreset::Bone);
}

void Tessaron::stoneWindow()
{
    setWindow(windowpreset::Stone);
}

void Tessaron::windowLevelMode(bool on)
{
    State.WindowLevelMode = on && State.Image;
    showState();
}

void Tessaron::closeImage()
{
    if (!State.Image)
        return;
    State.Image.reset();
    State.ImagePath.clear();
    State.Slices = SliceState();
    State.WindowLevelMode = false;
    // The planes' textures and the image they hold go now, not when another
    // image comes: a CT is hundreds of megabytes.
    View->makeCurrent();
    View->Planes.release();
    View->doneCurrent();
    View->update();
    showState();
    showStatus(tr("Image closed"));
}
