#pragma once

#include "LabelVolume.h"
#include "model/AnatomyTable.h"

#include <functional>
#include <vector>

// How far from the midline, in millimetres, the centre of a structure that
// lies on one side only must be for the side to be named: half a vertebral
// body's width and more, so a structure near the spine or a scan not quite
// centred on the patient gets no side, while a kidney (its centre some 50 to
// 100 mm from the midline) does.
inline constexpr double kSideMargin = 25.0;

// The world x of the plane between the patient's right and left: that of
// the centre of the scanned grid (`size` voxels placed by `toWorld`), as
// scans are taken centred on the patient. World x points to the patient's
// right.
double gridMidline(const qint64 size[3], const Affine &toWorld);

// Gives every label of `volume` accepted by `paired` (a structure the body
// has on each side, named without a side) its side, by the world x of its
// separate parts (voxels joined by a face, edge or corner):
// - parts on both sides of the midline: the right ones become a new label
//   (appended, with the same value), the label keeps the left ones;
// - every part on one side, their centre kSideMargin or more away: that side;
// - a part across the midline, or one side too near it: no side.
// Returns the side of every label, new ones included (index 0, the
// background, has none).
std::vector<anatomy::Side> splitSides(LabelVolume &volume, double midlineX,
                                      const std::function<bool(int label)> &paired);
