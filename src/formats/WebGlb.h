#pragma once

// The scene of a web page as one compact GLB: the models' nodes as the glTF
// writer lays them out, their positions on one 16-bit grid and their normals
// as 16-bit fractions (KHR_mesh_quantization), every buffer packed with
// meshoptimizer (EXT_meshopt_compression), which the page's 3-D library
// unpacks.

#include "GltfCamera.h"

#include <QByteArray>
#include <QList>
#include <QString>

class ModelClass;

// Above this many triangles in all, every block goes into the page in the
// reduced form the view draws while it turns.
inline constexpr qint64 kWebPageWholeTriangles = 2'000'000;
// The budget of triangles of one block's reduced form (the view's own).
inline constexpr qint64 kWebPageReducedBudget = 100'000;

// One model of the scene in node order: its name, the glTF node that holds
// it and the material it got (-1: it has no triangles), its colour (sRGB).
struct WebGlbModel
{
    QString name;
    int node = 0;
    int material = -1;
    int colour[3] = {0, 0, 0};
    double opacity = 1;
};

struct WebGlb
{
    QByteArray bytes;
    QList<WebGlbModel> models;
    qint64 triangles = 0; // as written
    bool reduced = false; // the blocks' reduced forms were written
    float low[3] = {0, 0, 0};
    float high[3] = {0, 0, 0}; // the box of the scene in glTF's metres
};

// Builds the GLB of the models and their children with the camera; throws a
// Status (errUnknown: cells naming missing vertices; errNoMemory: too large).
WebGlb buildWebGlb(const QList<const ModelClass *> &models, const GltfCamera &camera);
