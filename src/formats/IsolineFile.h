#pragma once

#include "geometry/BasicClass.h"

#include <QString>

// A block's single-level isoline as an OFF file of degenerate triangles, one
// per segment ("3 a a a+1"), so that other programs can show it. The view
// writes it to "iso.off" in the current folder after each exact-value
// isoline; false when the file could not be written.
bool writeIsolineOff(const BasicClass &block, const QString &fileName);
