#pragma once

#include "PolygonSoup.h"

// The solids of a text STL file, one soup each ("solid NAME" ... "endsolid"),
// every facet a polygon of its loop's vertices. A facet whose loop has fewer
// than three vertices, a coordinate that is not a number or a file that ends
// inside a facet is refused (ImportFailure). Reading is linear in the file's
// size, and what it keeps grows only with what the file holds.
std::vector<PolygonSoup> readStlText(QByteArrayView bytes);
