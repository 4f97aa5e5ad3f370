#pragma once

// Small models for the writer tests.

#include "WholeFiles.h"
#include "model/MeshBuilders.h"
#include "model/ModelClass.h"

#include <QFile>

#include <memory>

enum Sample {
    OneTriangle,     // numbers that exercise both number forms
    Polygons,        // a named block: quadrangle and pentagon with materials, two vertex functions
    Volumes,         // one cell of each volume type with materials; vertex i lies at x = i
    TwoBlocks,       // a triangle in each of two blocks
    FlaggedFunction, // FunctionFlags and a three-wide VertexData, no cells
    VertexColours,   // one- and four-wide VertexData, no cells
    ManyCells,       // eleven triangles with materials and ten quadrangles without
};

inline MeshClass *addBlock(ModelClass &model, const std::vector<double> &xyz)
{
    auto *mesh = new MeshClass;
    setVertices(*mesh, xyz);
    model.Meshes.append(mesh);
    return mesh;
}

inline void setVertexData(MeshClass &mesh, int width, const std::vector<float> &values)
{
    mesh.VertexDataWidth = width;
    mesh.VertexData = copyArray(values.data(), qint64(values.size()));
}

inline std::unique_ptr<ModelClass> makeSample(Sample which)
{
    static const char *const names[] = {"tri", "poly", "vol", "two", "flags", "colours", "many"};
    auto model = std::make_unique<ModelClass>();
    model->Name = QString::fromLatin1(names[which]);
    switch (which) {
    case OneTriangle:
        setCells(*addBlock(*model, {0, 0.1, -2.5, 1e-5, 123456789, 1, -0.5, 2, 3}), Triangle,
                 {0, 1, 2});
        break;
    case Polygons: {
        MeshClass *mesh = addBlock(*model, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0.5, 1.5, 0});
        mesh->Name = "Wall";
        setCells(*mesh, Quadrangle, {0, 1, 2, 3}, {2});
        setCells(*mesh, 5, {0, 1, 2, 4, 3}, {7});
        addVertexFunction(*mesh, {0.5, -1, 2, 1e-7, 3});
        addVertexFunction(*mesh, {10, 20, 30, 40, 50});
        model->FunctionNames = {"p", "q"};
        break;
    }
    case Volumes: {
        std::vector<double> xyz;
        for (int i = 0; i < 8; ++i)
            xyz.insert(xyz.end(), {double(i), 0.5, -0.5});
        MeshClass *mesh = addBlock(*model, xyz);
        setCells(*mesh, Tetrahedron, {0, 1, 2, 3}, {1});
        setCells(*mesh, Pyramid, {0, 1, 2, 3, 4}, {2});
        setCells(*mesh, Prism, {0, 1, 2, 3, 4, 5}, {3});
        setCells(*mesh, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7}, {4});
        break;
    }
    case TwoBlocks:
        setCells(*addBlock(*model, {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0}), Triangle, {1, 3, 2});
        setCells(*addBlock(*model, {0, 0, 1, 1, 0, 1, 0, 1, 1}), Triangle, {0, 1, 2});
        break;
    case FlaggedFunction: {
        MeshClass *first = addBlock(*model, {1, 2, 3});
        addVertexFunction(*first, {7});
        addVertexFunction(*first, {0.1});
        first->FunctionFlags = copyArray(std::vector<quint8> {0, 1}.data(), 2);
        setVertexData(*first, 3, {1, 2, 3});
        MeshClass *second = addBlock(*model, {4, 5, 6});
        addVertexFunction(*second, {8});
        addVertexFunction(*second, {0.2});
        break;
    }
    case VertexColours:
        setVertexData(*addBlock(*model, {1, 2, 3}), 1, {7.9f});
        setVertexData(*addBlock(*model, {4, 5, 6}), 4, {0.5f, 0.25f, 1, 2});
        break;
    case ManyCells: {
        MeshClass *mesh = addBlock(*model, {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0});
        std::vector<qint32> triangles, quads, materials;
        for (int i = 0; i < 11; ++i) {
            triangles.insert(triangles.end(), {0, 1, 2});
            materials.push_back(i);
        }
        for (int i = 0; i < 10; ++i)
            quads.insert(quads.end(), {0, 1, 2, 3});
        setCells(*mesh, Triangle, triangles, materials);
        setCells(*mesh, Quadrangle, quads);
        break;
    }
    }
    return model;
}
