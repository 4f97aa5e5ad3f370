#pragma once

#include "formats/FileKinds.h"

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

class ModelClass;

// Reads a legacy VTK file (POLYDATA or UNSTRUCTURED_GRID, ASCII or BINARY,
// the classic cell lists or those of OFFSETS and CONNECTIVITY) into one new
// block of the model: polygons (a triangle strip as its triangles), the
// four volume cells (voxels and pixels reordered, quadratic cells by their
// corners), vertices and lines; other cell types are left out. POINT_DATA
// and CELL_DATA scalars and one-component field arrays become vertex and
// cell functions, one per component; a cell array named "material" becomes
// the cells' materials, as our own writer writes them. Throws ImportFailure
// (the model then has no new block).
void parseVtk(QByteArrayView bytes, ModelClass &model);

// A .vtk file as one model named from its file name.
void importVtkFile(const Recognition &file, std::vector<std::unique_ptr<ModelClass>> &models);
