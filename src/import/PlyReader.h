#pragma once

#include "PolygonSoup.h"

// The vertices and faces of a PLY file, ASCII or binary of either byte order:
// the x, y and z of the "vertex" element and the "vertex_indices" (or
// "vertex_index") list of the "face" element; other elements and properties
// are stepped over. Every element count is checked against the bytes left
// before anything is allocated; a header without "end_header", a vertex
// without x, y or z, a face that names a vertex the file does not have or a
// file that ends early is refused (ImportFailure). Faces of fewer than three
// corners are left out with a warning.
PolygonSoup readPly(QByteArrayView bytes);
