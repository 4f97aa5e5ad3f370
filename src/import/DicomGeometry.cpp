// Where the planes of a series lie: sorted by their positions along the
// slice normal, spacing taken from those positions, and the voxel-to-world
// map in our patient frame. What is irregular is said, never smoothed over.

#include "DicomFrames.h"
#include "ImportTypes.h"
#include "model/Vec3.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Vec = Vec3;

// A kilometre, in millimetres: no scan's spacing or placement comes near it.
constexpr double kFarthest = 1e6;
// A metre: wider than any body, so no voxel spans it.
constexpr double kWidestVoxel = 1000;
// Planes nearer than this along the normal are taken as one position.
constexpr double kSamePosition = 0.01;
// A gap over this many times the usual spacing is a missing slice.
constexpr double kGapFactor = 1.5;
// Spacing that differs from the usual one by more than this share is unequal.
constexpr double kUnequalShare = 0.01;
// A slice step this far off the normal (as a share of its length) is a tilt.
constexpr double kTiltShare = 1e-3;

Vec positionOf(const DicomFrame &f)
{
    return {f.position[0], f.position[1], f.position[2]};
}

struct Axes
{
    Vec row, column, normal;
};

// The row and column directions of the planes, made unit length; a series
// without a usable orientation is read as axial and says so.
Axes axesOf(const DicomFrame &f, QStringList &warnings)
{
    Vec r {f.orientation[0], f.orientation[1], f.orientation[2]};
    Vec c {f.orientation[3], f.orientation[4], f.orientation[5]};
    const bool usable = f.hasOrientation && length(r) > 0.5 && length(c) > 0.5
        && std::fabs(dot(r, c)) < 0.01 * length(r) * length(c);
    if (!usable) {
        if (f.hasOrientation)
            failImport(Import::tr("The image orientation is not two perpendicular directions."));
        warnings << Import::tr("The images carry no orientation; they are shown as axial slices.");
        r = {1, 0, 0};
        c = {0, 1, 0};
    }
    r = scaled(r, 1 / length(r));
    c = scaled(c, 1 / length(c));
    const Vec n = cross(r, c);
    return {r, c, scaled(n, 1 / length(n))};
}

// Orders the planes along the normal, or, for the frames of one file that
// carry no positions, keeps their order and stacks them along the normal.
void orderPlanes(std::vector<DicomFrame> &frames, const Axes &axes, QStringList &warnings)
{
    const bool placed = std::all_of(frames.begin(), frames.end(),
                                    [](const DicomFrame &f) { return f.hasPosition; });
    if (placed) {
        std::stable_sort(frames.begin(), frames.end(), [&](const auto &a, const auto &b) {
            return dot(positionOf(a), axes.normal) < dot(positionOf(b), axes.normal);
        });
        return;
    }
    const bool oneFile = std::all_of(frames.begin(), frames.end(),
                                     [&](const DicomFrame &f) { return f.file == frames[0].file; });
    if (frames.size() > 1 && !oneFile)
        failImport(Import::tr("The images carry no positions, so their order is unknown."));
    const DicomFrame &first = frames.front();
    const double step = first.spacingBetween > 0 ? first.spacingBetween
        : first.thickness > 0                    ? first.thickness
                                                 : 1.0;
    if (frames.size() > 1)
        warnings << Import::tr("The frames carry no positions; they are stacked in their file's "
                               "order, %1 mm apart.")
                        .arg(step);
    for (size_t k = 0; k < frames.size(); ++k)
        for (int a = 0; a < 3; ++a)
            frames[k].position[a] = first.position[a] + axes.normal[size_t(a)] * step * double(k);
}

// Leaves out every plane at the position of the one before it.
void keepOnePerPosition(std::vector<DicomFrame> &frames, const Axes &axes, QStringList &warnings)
{
    std::vector<DicomFrame> kept;
    int dropped = 0;
    for (DicomFrame &f : frames) {
        if (!kept.empty()
            && dot(minus(positionOf(f), positionOf(kept.back())), axes.normal) < kSamePosition) {
            ++dropped;
            continue;
        }
        kept.push_back(std::move(f));
    }
    if (dropped)
        warnings << Import::tr(
                        "Slices at the position of another, left out: %1; one of each position "
                        "was kept.")
                        .arg(dropped);
    frames = std::move(kept);
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Gives each plane its slot: on the usual spacing when every plane falls on
// it (a missing slice leaves its slot empty), else one after another.
void assignSlots(SliceLayout &out, const Axes &axes)
{
    const size_t n = out.ordered.size();
    std::vector<double> along(n), steps;
    for (size_t k = 0; k < n; ++k)
        along[k] = dot(positionOf(out.ordered[k]), axes.normal);
    for (size_t k = 1; k < n; ++k)
        steps.push_back(along[k] - along[k - 1]);
    const double usual = median(steps);
    const auto [low, high] = std::minmax_element(steps.begin(), steps.end());
    bool onGrid = true;
    int missing = 0;
    out.slot.assign(n, 0);
    for (size_t k = 1; k < n; ++k) {
        const double units = (along[k] - along[0]) / usual;
        out.slot[k] = int(std::lround(std::min(units, 1e9)));
        onGrid = onGrid && std::fabs(units - out.slot[k]) < 0.1 && out.slot[k] > out.slot[k - 1];
        if (steps[k - 1] > kGapFactor * usual)
            missing += std::max(1, int(std::lround(steps[k - 1] / usual)) - 1);
    }
    if (missing)
        out.warnings << Import::tr(
                            "Slices missing from the series: %1 (a gap of up to %2 mm where slices "
                            "are %3 mm apart).")
                            .arg(missing)
                            .arg(*high, 0, 'g', 4)
                            .arg(usual, 0, 'g', 4);
    if (onGrid && missing <= int(n)) {
        out.sliceCount = out.slot.back() + 1;
        if (missing)
            out.warnings << Import::tr("The missing slices are left at the image's lowest value.");
        const bool unequal = (*high - *low) > kUnequalShare * usual && !missing;
        if (unequal)
            out.warnings << Import::tr("The slices are unequally spaced, %1 to %2 mm apart.")
                                .arg(*low, 0, 'g', 4)
                                .arg(*high, 0, 'g', 4);
        return;
    }
    for (size_t k = 0; k < n; ++k)
        out.slot[k] = int(k);
    out.sliceCount = int(n);
    out.warnings << Import::tr("The slices are unequally spaced, %1 to %2 mm apart; they are "
                               "placed at their mean spacing.")
                        .arg(*low, 0, 'g', 4)
                        .arg(*high, 0, 'g', 4);
}

// The step from one slot to the next: the true step between the first and the
// last plane, which leaves the normal when the gantry was tilted.
Vec slotStep(const SliceLayout &out, const Axes &axes)
{
    const DicomFrame &first = out.ordered.front();
    if (out.sliceCount == 1) {
        const double across = first.spacingBetween > 0 ? first.spacingBetween
            : first.thickness > 0                      ? first.thickness
                                                       : 1.0;
        return scaled(axes.normal, across);
    }
    const Vec span = minus(positionOf(out.ordered.back()), positionOf(first));
    return scaled(span, 1.0 / out.slot.back());
}

void sayTilt(const Vec &step, const Axes &axes, QStringList &warnings)
{
    const double along = dot(step, axes.normal);
    const Vec aside = minus(step, scaled(axes.normal, along));
    if (length(aside) <= kTiltShare * length(step))
        return;
    const double degrees = std::atan2(length(aside), std::fabs(along)) * 180 / M_PI;
    warnings << Import::tr("The slices are tilted by %1° against their planes (a gantry tilt); "
                           "the image is sheared so that every slice keeps its place.")
                    .arg(degrees, 0, 'f', 2);
}

// The voxel-to-world map: DICOM's left-posterior-superior millimetres turned
// into ours (x to the right, y to the front) by negating x and y.
Affine worldMap(const Axes &axes, const Vec &step, const DicomFrame &first)
{
    const Vec columns[4] = {scaled(axes.row, first.pixelSpacing[1]),
                            scaled(axes.column, first.pixelSpacing[0]), step, positionOf(first)};
    Affine a;
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 3; ++r)
            a.m[r][c] = (r < 2 ? -1.0 : 1.0) * columns[c][size_t(r)];
    return a;
}

void requireSaneSpacing(const DicomFrame &f, QStringList &warnings)
{
    for (double s : f.pixelSpacing)
        if (!(s > 0 && s <= kWidestVoxel))
            failImport(Import::tr("The pixel spacing (0028,0030) %1 mm is not a usable distance; "
                                  "pixels are read up to %2 mm wide.")
                           .arg(s)
                           .arg(kWidestVoxel));
    for (double p : f.position)
        if (!(std::fabs(p) < kFarthest))
            failImport(
                Import::tr("The image position %1 mm is out of any scanner's reach.").arg(p));
    if (!f.hasPixelSpacing)
        warnings << Import::tr("The images carry no pixel spacing; 1 mm is assumed.");
}

} // namespace

SliceLayout layOutSlices(std::vector<DicomFrame> frames)
{
    SliceLayout out;
    const Axes axes = axesOf(frames.front(), out.warnings);
    orderPlanes(frames, axes, out.warnings);
    keepOnePerPosition(frames, axes, out.warnings);
    out.ordered = std::move(frames);
    for (const DicomFrame &f : out.ordered)
        requireSaneSpacing(f, out.warnings);
    if (out.ordered.size() == 1) {
        out.slot = {0};
        out.sliceCount = 1;
        out.warnings << Import::tr("The series has a single slice.");
    } else {
        assignSlots(out, axes);
    }
    const Vec step = slotStep(out, axes);
    if (length(step) > kWidestVoxel)
        failImport(Import::tr("The slices lie %1 mm apart; slices are read up to %2 mm apart.")
                       .arg(length(step))
                       .arg(kWidestVoxel));
    sayTilt(step, axes, out.warnings);
    out.toWorld = worldMap(axes, step, out.ordered.front());
    if (!out.toWorld.isUsable())
        failImport(Import::tr("The slice positions do not span a volume."));
    out.warnings.removeDuplicates();
    return out;
}
