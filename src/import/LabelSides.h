#pragma once

#include "LabelVolume.h"
#include "model/AnatomyTable.h"
#include "model/BodyMidline.h"

#include <functional>
#include <vector>

// The world x of the plane between the patient's right and left: that of
// the centre of the scanned grid (`size` voxels placed by `toWorld`), as
// scans are taken centred on the patient. World x points to the patient's
// right.
double gridMidline(const qint64 size[3], const Affine &toWorld);

// The midline a label map shows of itself (body/BodyMidline.h): the centre
// of its labels of the spine, else half way between its paired labels;
// not found when it has neither. `placed` tells a label's structure, the
// side its name gives and whether it is the spine (its x is filled here).
body::Midline
labelMidline(const std::vector<LabelVolume> &layers,
             const std::function<body::PlacedStructure(int layer, int label)> &placed);

// Gives every label of `volume` accepted by `paired` (a structure the body
// has on each side, named without a side) its side, by the world x of its
// separate parts (voxels joined by a face, edge or corner):
// - parts on both sides of the midline: the right ones become a new label
//   (appended, with the same value), the label keeps the left ones;
// - every part on one side, their centre body::kSideMargin or more away: that side;
// - a part across the midline, or one side too near it: no side.
// Returns the side of every label, new ones included (index 0, the
// background, has none).
std::vector<anatomy::Side> splitSides(LabelVolume &volume, double midlineX,
                                      const std::function<bool(int label)> &paired);
