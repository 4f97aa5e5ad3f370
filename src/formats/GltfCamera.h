#pragma once

// The camera a glTF scene carries: where it stands, chosen in our world
// millimetres (a view of the patient from the front, or the plan's own view),
// and written as a camera node in glTF's frame.

#include <QJsonArray>
#include <QJsonObject>
#include <QList>

class ModelClass;
struct SessionCamera;

// A perspective camera in world millimetres.
struct GltfCamera
{
    double position[3] = {0, 0, 0};
    double target[3] = {0, 0, -1};
    double up[3] = {0, 1, 0};
    double yfovDegrees = 30;
    double aspect = 4.0 / 3.0;
};

// A camera that frames every model from the patient's front (standing on +y,
// the anterior side, looking along -y with the head up, so the patient's
// right is on the picture's left), every vertex inside the picture.
GltfCamera framingCamera(const QList<const ModelClass *> &models, double aspect = 4.0 / 3.0);

// The camera of a parallel view (a session's or the window's): it looks along
// the view's line of sight with the view's up, the focal point at the
// picture's centre, with the view's angle. It stands back so that what the
// view shows is in the picture, its nearest vertex as large as in the view,
// and further when a model reaches beyond: every vertex is in the picture.
GltfCamera viewingCamera(const QList<const ModelClass *> &models, const SessionCamera &view,
                         double aspect = 4.0 / 3.0);

// The camera's entry of glTF's `cameras` and its node, in glTF's frame and
// metres; the clipping planes hold the box `low`..`high` (glTF's metres).
QJsonObject gltfCameraJson(const GltfCamera &camera, const float low[3], const float high[3]);
QJsonObject gltfCameraNode(const GltfCamera &camera, int index);
