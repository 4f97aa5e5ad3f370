#pragma once

#include "../geometry/MeshClass.h"

class ModelClass;

// In-place cuts that hide cells through a block's CellVisible flags: by a
// plane (the clip) and by a function range. Neither creates a model.

// Shows the cells on the kept side of the plane (point, normal): the side the
// normal points to, or the other one with `invert`. With `include` a cell
// stays when any node is on the kept side, otherwise only when all are.
// Nodes exactly on the plane count as kept.
void clipBlock(MeshClass &block, const double point[3], const double normal[3], bool include,
               bool invert);

// Shows the cells whose function values lie within [minimum, maximum]:
// location 2 tests the cell's value of cell function `function`, location 1
// the vertex function at every node of the cell.
void markFunctionRange(MeshClass &block, float maximum, float minimum, int function, int location);

// Clips every block of the model, rebuilds its visible faces, drawing data
// and display lists, and marks the model as clipped.
void clipMeshes(ModelClass &model, const double point[3], const double normal[3], bool include,
                bool invert);

// Range cut of every block of the model by its current function, rebuilt.
void cutFunctionRange(ModelClass &model, float maximum, float minimum);

// Drops the clip: every cell visible again, drawing data rebuilt.
void removeClip(ModelClass &model);

// Visible faces, drawing data and display lists of every block again, after
// a change of cell visibility.
void rebuildVisibleCells(ModelClass &model);
