#pragma once

#include <QtGlobal>

// A MeshClass keeps its cells in 110 type slots; the slot number is the cell
// type: 1..100 polygons by node count, then the four volume types.
constexpr int kTypeSlots = 110;
constexpr int kFaceSlots = 100; // face tables hold node counts 0..99
constexpr int kMaxFaceNodes = 99;

enum CellType : int {
    Triangle = 3,
    Quadrangle = 4,
    MaxPolygon = 100,
    Tetrahedron = 101,
    Pyramid = 103,
    Prism = 104,
    Hexahedron = 108,
};

constexpr bool isVolumeType(int t)
{
    return t == Tetrahedron || t == Pyramid || t == Prism || t == Hexahedron;
}

// Nodes per cell of a type slot.
constexpr int NodesOfType(int t)
{
    switch (t) {
    case Tetrahedron:
        return 4;
    case Pyramid:
        return 5;
    case Prism:
        return 6;
    case Hexahedron:
        return 8;
    default:
        return t;
    }
}

// The faces a volume cell exposes, by local node numbers, in emission order.
// Every face extraction (drawing, selection, surface) uses these lists.
struct FaceTable
{
    int type;
    int triangleCount;
    int triangles[4][3];
    int quadCount;
    int quads[6][4];
};

constexpr FaceTable kTetrahedronFaces {
    Tetrahedron, 4, {{1, 2, 3}, {0, 2, 1}, {0, 1, 3}, {0, 3, 2}}, 0, {}};
constexpr FaceTable kPyramidFaces {
    Pyramid, 4, {{0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {3, 0, 4}}, 1, {{0, 3, 2, 1}}};
constexpr FaceTable kPrismFaces {
    Prism, 2, {{0, 1, 2}, {5, 4, 3}}, 3, {{0, 2, 5, 3}, {2, 1, 4, 5}, {1, 0, 3, 4}}};
constexpr FaceTable kHexahedronFaces {
    Hexahedron,
    0,
    {},
    6,
    {{0, 1, 5, 4}, {0, 3, 2, 1}, {0, 4, 7, 3}, {6, 7, 4, 5}, {6, 2, 3, 7}, {6, 5, 1, 2}}};

// Volume types in the order their faces are collected: tetrahedra,
// hexahedra, pyramids, prisms.
constexpr const FaceTable *kVolumeFaceOrder[4] = {&kTetrahedronFaces, &kHexahedronFaces,
                                                  &kPyramidFaces, &kPrismFaces};
