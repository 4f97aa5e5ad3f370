#pragma once

#include "AnatomyTable.h"

#include <QString>

#include <span>

struct ImageVolume;

// The plane between the patient's right and left, as a world x (world x
// points to the patient's right): found in a CT, from structures that lie on
// it (the spine), or half way between paired organs. Side checks and the
// side splitting of label maps both measure against it.
namespace body {

// How far from the midline, in millimetres, the centre of a structure that
// lies on one side only must be for its side to count: half a vertebral
// body's width and more, so a structure near the spine or a midline found a
// little off gets no side, while a kidney (its centre some 50 to 100 mm from
// the midline) does.
inline constexpr double kSideMargin = 25.0;

enum class MidlineSource {
    None,
    CtSpine,      // the bone column running through the CT's slices
    CtOutline,    // the centre of the body's outline in the CT
    Spine,        // a model or label of the spine
    PairedOrgans, // half way between a left and a right organ
    GridCentre,   // the centre of a scanned grid: scans are taken centred
};

struct Midline
{
    MidlineSource source = MidlineSource::None;
    double x = 0;
    bool found() const { return source != MidlineSource::None; }
};

// Stable key of the JSON output: "ct_spine", "ct_body_outline", "spine",
// "paired_organs", "grid_centre"; empty for None.
QString sourceKey(MidlineSource source);

// The midline in a CT (values in HU; an image of another modality gives
// none): the spine, a column of bone (250 HU and more) present in most
// slices with soft tissue behind it, the most posterior such column; else
// the middle of the body's outline (-300 HU and more) where the outline lies
// whole inside the slices; else none. Reads a sample of at most about 40
// slices of 160 x 160 voxels, so a large CT takes a few tens of milliseconds.
Midline midlineInImage(const ImageVolume &image);

// A structure and where its centre lies.
struct PlacedStructure
{
    anatomy::Structure structure = anatomy::Structure::Other;
    anatomy::Side side = anatomy::Side::None; // as its name says
    double x = 0;                             // of its centre
    bool onMidline = false;                   // the spine: anatomy::liesOnMidline
};

// The midline from structures: the mean centre of those on the midline;
// else, per paired structure, half way between its left-named and its
// right-named ones, or between its only two when they lie 2 kSideMargin
// apart or more, averaged over the structures; else none.
Midline midlineOfStructures(std::span<const PlacedStructure> placed);

// The side a centre at `x` lies on: None when no midline is known or the
// centre lies within kSideMargin of it.
anatomy::Side sideAt(double x, const Midline &midline);

} // namespace body
