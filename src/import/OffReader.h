#pragma once

#include "PolygonSoup.h"

// The vertices and faces of an OFF file (with or without its OFF, COFF, NOFF
// or STOFF header line; '#' starts a comment). The counts are checked against
// the file's size before anything is allocated; a face that names a vertex the
// file does not have, or a file that ends early, is refused (ImportFailure).
// Faces of fewer than three corners are left out with a warning.
PolygonSoup readOff(QByteArrayView bytes);
