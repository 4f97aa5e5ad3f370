#pragma once

#include "../geometry/BasicClass.h"

// Level lines of the current function on a block's drawing triangles,
// computed from TriVertices and the normalised values in TriTexCoords and
// stored in IsoVertices (two points per segment), IsoColors and
// CountOfIsoVertices. A block without function-coloured triangles keeps the
// isolines it has.

// One line at every boundary between the `bands` colour bands of the
// palette: levels L / bands, each coloured like the two palette colours it
// separates (hue cycle of `period` colours, brightness `value`, alpha byte
// `alpha`).
void generateLines(BasicClass &block, qint32 bands, qint32 period, float alpha, float value);

// The one line where the normalised function equals `level`, drawn black.
// False when the block has no function-coloured triangles and keeps its lines.
bool generateLines(BasicClass &block, double level);
