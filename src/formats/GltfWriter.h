#pragma once

// The glTF 2.0 writer: a scene of models as one binary `.glb` file, or as a
// `.gltf` JSON file with its buffer in a `.bin` file beside it. glTF's unit
// is the metre, so our millimetres are written times 0.001, and its frame is
// +Y up, +Z the front: the patient stands in it facing +Z (GltfMesh.h).

#include "GltfCamera.h"

#include <QList>
#include <QString>
#include <QtGlobal>

class ModelClass;

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

// The registry's writer: one model with a camera that frames it.
qint32 writeGltf(const ModelClass &model, const QString &fileName);

// A colour component of 0..255 in sRGB as glTF's linear factor, and back.
double linearFromSrgb(int component);
int srgbFromLinear(double factor);
