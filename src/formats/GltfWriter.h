#pragma once

// The glTF 2.0 writer: a scene of models as one binary `.glb` file, or as a
// `.gltf` JSON file with its buffer in a `.bin` file beside it. glTF's unit
// is the metre, so our millimetres are written times 0.001.

#include <QList>
#include <QString>
#include <QtGlobal>

class ModelClass;

// A perspective camera in world millimetres.
struct GltfCamera
{
    double position[3] = {0, 0, 0};
    double target[3] = {0, 0, -1};
    double up[3] = {0, 1, 0};
    double yfovDegrees = 30;
    double aspect = 4.0 / 3.0;
};

// Writes the models, each a node named after it and holding its children's
// nodes, under one root node; every model with triangles has a mesh (indexed
// triangles with positions and unit normals) and a material of its colour
// and opacity; the camera becomes a camera node, none without one. The file
// is a `.gltf` with its `.bin` when the chosen name ends so, else a `.glb`;
// neither replaces an earlier file unless both were written. Returns 0, 1 for
// a model whose cells name vertices it does not have, 2 when a file cannot
// be opened or committed, 4 when the data do not fit the format or memory.
qint32 writeGltfScene(const QList<const ModelClass *> &models, const GltfCamera *camera,
                      const QString &fileName);

// A camera that frames every model from the patient's front (standing on +y,
// the anterior side, looking along -y with the head up, so the patient's
// right is on the picture's left), the whole scene's bounding sphere in view.
GltfCamera framingCamera(const QList<const ModelClass *> &models, double aspect = 4.0 / 3.0);

// The registry's writer: one model with a camera that frames it.
qint32 writeGltf(const ModelClass &model, const QString &fileName);

// A colour component of 0..255 in sRGB as glTF's linear factor, and back.
double linearFromSrgb(int component);
int srgbFromLinear(double factor);
