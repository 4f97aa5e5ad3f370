// The masks of a structure set's ROIs and their surfaces. Each ROI is drawn
// on a box of the grid of its own, so overlapping ROIs stay whole: the
// contours of one plane are filled together by the even-odd rule (a contour
// inside another on the same plane is a hole), a pixel inside when its
// centre is, and each plane stands for a slab one contour spacing thick.

#include "LabelModels.h"
#include "LabelSurface.h"
#include "LabelVolumeFit.h"
#include "RtStruct.h"
#include "SurfaceSmoother.h"
#include "model/MaterialColor.h"
#include "model/ModelClass.h"
#include "model/Vec3.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Vec = Vec3;

qint64 voxelCap = qint64(64) << 20;

// Contour planes nearer than this (in slices) are one plane.
constexpr double kSamePlane = 0.01;
// A contour whose points leave its plane by more than this (in slices) does
// not lie in the grid's slices.
constexpr double kOffPlane = 0.25;
// The in-plane spacing a contour grid wants: a twentieth of the extent of
// the smallest structure, measured by its largest contour (the last
// contours towards a structure's ends are small in every structure and
// would make every grid as fine as the cap allows), and never coarser than
// a millimetre.
constexpr double kStepsAcrossSmallest = 20;
constexpr double kCoarsestWanted = 1.0;
// The coarsest in-plane spacing taken to keep a contour grid under the voxel
// cap; contours that need more are spread too far to be one structure set.
constexpr double kCoarsestAllowed = 2.0;
constexpr qint64 kMostSlices = 10000;
// The most pixels one plane of a contour grid may hold: the surface of a
// structure grows with it, and a structure of a metre across at a millimetre
// stays under it.
constexpr qint64 kMostPlanePixels = qint64(1) << 20;
// The pixels a plane of a contour grid is sized to: a structure larger than
// 256 mm square is drawn coarser than a millimetre (up to the coarsest
// allowed), so its surface stays in proportion to its detail, not its size.
constexpr double kWantedPlanePixels = 256.0 * 256.0;

// Twice the signed area vector of a polygon (Newell's method).
Vec newell(const RtContour &c)
{
    Vec n {0, 0, 0};
    const qint64 count = c.pointCount();
    for (qint64 p = 0; p < count; ++p) {
        const double *a = &c.xyz[size_t(3 * p)], *b = &c.xyz[size_t(3 * ((p + 1) % count))];
        for (int k = 0; k < 3; ++k)
            n[size_t(k)] += (a[(k + 1) % 3] - b[(k + 1) % 3]) * (a[(k + 2) % 3] + b[(k + 2) % 3]);
    }
    return n;
}

// The in-plane axes and normal of the contours: those of the largest
// contour, snapped to the patient's axes when it is axial.
std::array<Vec, 3> contourAxes(const RtStructSet &set)
{
    Vec best {0, 0, 1};
    double largest = 0;
    for (const RtRoi &roi : set.rois)
        for (const RtContour &c : roi.contours) {
            const Vec n = newell(c);
            if (dot(n, n) > largest) {
                largest = dot(n, n);
                best = n;
            }
        }
    Vec n = largest > 0 ? unit(best) : Vec {0, 0, 1};
    if (std::fabs(n[2]) > 0.9999)
        return {Vec {1, 0, 0}, Vec {0, 1, 0}, Vec {0, 0, 1}};
    const size_t big =
        size_t(std::max_element(n.begin(), n.end(),
                                [](double a, double b) { return std::fabs(a) < std::fabs(b); })
               - n.begin());
    if (n[big] < 0)
        n = {-n[0], -n[1], -n[2]};
    const Vec u = unit(cross(std::fabs(n[1]) < 0.9 ? Vec {0, 1, 0} : Vec {1, 0, 0}, n));
    return {u, cross(n, u), n};
}

// The distinct plane positions of sorted values, equal within `same`.
std::vector<double> distinct(std::vector<double> values, double same)
{
    std::sort(values.begin(), values.end());
    std::vector<double> out;
    for (double v : values)
        if (out.empty() || v - out.back() > same)
            out.push_back(v);
    return out;
}

// The usual step between sorted plane positions: the median gap, so a
// missing plane does not widen every slab. 0 for a single plane.
double usualStep(const std::vector<double> &planes)
{
    if (planes.size() < 2)
        return 0;
    std::vector<double> gaps;
    for (size_t p = 1; p < planes.size(); ++p)
        gaps.push_back(planes[p] - planes[p - 1]);
    std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
    return gaps[gaps.size() / 2];
}

double meanAlong(const RtContour &c, const Vec &axis)
{
    double sum = 0;
    for (qint64 p = 0; p < c.pointCount(); ++p)
        sum +=
            dot({c.xyz[size_t(3 * p)], c.xyz[size_t(3 * p + 1)], c.xyz[size_t(3 * p + 2)]}, axis);
    return sum / double(c.pointCount());
}

// A contour in grid indices: x, y in the slice, and its plane's k.
struct PlaneContour
{
    std::vector<double> xy;
    double k = 0;
};

struct IndexBox
{
    qint64 lo[3], hi[3]; // inclusive
    qint64 extent(int a) const { return hi[a] - lo[a] + 1; }
};

// The slices a plane's slab covers: [k - t/2, k + t/2), at least the nearest.
std::pair<qint64, qint64> slabOf(double k, double thickness)
{
    const qint64 first = qint64(std::ceil(k - thickness / 2));
    const qint64 last = qint64(std::ceil(k + thickness / 2)) - 1;
    if (first > last)
        return {qint64(std::lround(k)), qint64(std::lround(k))};
    return {first, last};
}

// Fills the contours of one plane into a box-sized slice by the even-odd
// rule: along each row of pixel centres the crossings of every edge are
// sorted and the runs between alternate crossings filled.
void fillPlane(const std::vector<const PlaneContour *> &plane, const IndexBox &box,
               std::vector<quint8> &slice, std::vector<std::vector<double>> &rows)
{
    const qint64 w = box.extent(0), h = box.extent(1);
    for (auto &row : rows)
        row.clear();
    for (const PlaneContour *c : plane) {
        const size_t n = c->xy.size() / 2;
        for (size_t p = 0; p < n; ++p) {
            double x0 = c->xy[2 * p] - double(box.lo[0]), y0 = c->xy[2 * p + 1] - double(box.lo[1]);
            double x1 = c->xy[2 * ((p + 1) % n)] - double(box.lo[0]);
            double y1 = c->xy[2 * ((p + 1) % n) + 1] - double(box.lo[1]);
            if (y0 == y1)
                continue;
            if (y0 > y1) {
                std::swap(x0, x1);
                std::swap(y0, y1);
            }
            // Rows y with y0 <= y < y1, so a corner on a row counts once.
            const qint64 first = std::max<qint64>(0, qint64(std::ceil(y0)));
            const qint64 last = std::min<qint64>(h - 1, qint64(std::ceil(y1)) - 1);
            for (qint64 y = first; y <= last; ++y)
                rows[size_t(y)].push_back(x0 + (double(y) - y0) * (x1 - x0) / (y1 - y0));
        }
    }
    std::fill(slice.begin(), slice.end(), 0);
    for (qint64 y = 0; y < h; ++y) {
        std::vector<double> &xs = rows[size_t(y)];
        std::sort(xs.begin(), xs.end());
        for (size_t m = 0; m + 1 < xs.size(); m += 2) {
            const qint64 from = std::max<qint64>(0, qint64(std::ceil(xs[m])));
            const qint64 to = std::min<qint64>(w, qint64(std::ceil(xs[m + 1])));
            for (qint64 x = from; x < to; ++x)
                slice[size_t(y * w + x)] = 1;
        }
    }
}

// An ROI's contours in grid indices, grouped by plane, and its slab thickness.
struct RoiPlanes
{
    std::vector<PlaneContour> contours; // sorted by k
    double thickness = 1;
    int offPlane = 0;
};

RoiPlanes planesOf(const RtRoi &roi, const Affine &toIndex)
{
    RoiPlanes r;
    for (const RtContour &c : roi.contours) {
        PlaneContour pc;
        double kMin = 1e300, kMax = -1e300, kSum = 0;
        for (qint64 p = 0; p < c.pointCount(); ++p) {
            double ijk[3];
            toIndex.apply(c.xyz[size_t(3 * p)], c.xyz[size_t(3 * p + 1)], c.xyz[size_t(3 * p + 2)],
                          ijk);
            pc.xy.push_back(ijk[0]);
            pc.xy.push_back(ijk[1]);
            kMin = std::min(kMin, ijk[2]);
            kMax = std::max(kMax, ijk[2]);
            kSum += ijk[2];
        }
        if (kMax - kMin > 2 * kOffPlane) {
            ++r.offPlane;
            continue;
        }
        pc.k = kSum / double(c.pointCount());
        r.contours.push_back(std::move(pc));
    }
    std::sort(r.contours.begin(), r.contours.end(),
              [](const PlaneContour &a, const PlaneContour &b) { return a.k < b.k; });
    std::vector<double> ks;
    for (const PlaneContour &pc : r.contours)
        ks.push_back(pc.k);
    const double step = usualStep(distinct(ks, kSamePlane));
    r.thickness = step > 0 ? step : 1;
    return r;
}

// The box of the grid the ROI's slabs reach; false when it misses the grid.
bool boxOf(const RoiPlanes &r, const RtGrid &grid, IndexBox &box)
{
    double lo[2] = {1e300, 1e300}, hi[2] = {-1e300, -1e300};
    qint64 kLo = std::numeric_limits<qint64>::max(), kHi = std::numeric_limits<qint64>::min();
    for (const PlaneContour &pc : r.contours) {
        for (size_t p = 0; p < pc.xy.size(); ++p) {
            lo[p % 2] = std::min(lo[p % 2], pc.xy[p]);
            hi[p % 2] = std::max(hi[p % 2], pc.xy[p]);
        }
        const auto [first, last] = slabOf(pc.k, r.thickness);
        kLo = std::min(kLo, first);
        kHi = std::max(kHi, last);
    }
    for (int a = 0; a < 2; ++a) {
        box.lo[a] = qint64(std::max(0.0, std::ceil(std::max(lo[a], -1.0))));
        box.hi[a] = qint64(std::min(double(grid.size[a] - 1), std::floor(hi[a])));
    }
    box.lo[2] = std::max<qint64>(0, kLo);
    box.hi[2] = std::min(grid.size[2] - 1, kHi);
    return !r.contours.empty() && box.hi[0] >= box.lo[0] && box.hi[1] >= box.lo[1]
        && box.hi[2] >= box.lo[2];
}

// The ROI's mask on its box: each plane filled once, then laid into the
// slices of its slab.
std::vector<quint8> maskOf(const RoiPlanes &r, const IndexBox &box)
{
    const qint64 w = box.extent(0), h = box.extent(1);
    std::vector<quint8> mask(size_t(w * h * box.extent(2)), 0);
    std::vector<quint8> slice(static_cast<size_t>(w * h));
    std::vector<std::vector<double>> rows(static_cast<size_t>(h));
    for (size_t at = 0; at < r.contours.size();) {
        std::vector<const PlaneContour *> plane;
        const double k = r.contours[at].k;
        while (at < r.contours.size() && r.contours[at].k - k <= kSamePlane)
            plane.push_back(&r.contours[at++]);
        fillPlane(plane, box, slice, rows);
        const auto [first, last] = slabOf(k, r.thickness);
        for (qint64 s = std::max(first, box.lo[2]); s <= std::min(last, box.hi[2]); ++s) {
            quint8 *out = mask.data() + (s - box.lo[2]) * w * h;
            for (size_t v = 0; v < slice.size(); ++v)
                out[v] |= slice[v];
        }
    }
    return mask;
}

// The ROI's name as written; a structure the anatomy table knows gives its
// structure, side and colour (one structure looks alike from every file),
// another keeps the ROI's display colour, else the colour of its number.
LabelLook lookOf(const RtRoi &roi)
{
    if (std::optional<LabelLook> known = structureLook(roi.name))
        return *known;
    LabelLook look;
    look.name = roi.name;
    look.structure = roi.name;
    look.hasColor = true;
    if (roi.hasColor) {
        std::copy_n(roi.rgb, 3, look.rgb);
    } else {
        const Rgba8 c = materialColor(std::clamp(roi.number, 1, 1 << 30), 1.0);
        look.rgb[0] = c[0], look.rgb[1] = c[1], look.rgb[2] = c[2];
    }
    return look;
}

// The first and last slabs end half a slice beyond their contours' planes:
// the volume fit, making up for the rounded rims, would push the flat ends
// out past them. Each point is held within the slabs' outer faces.
void keepSlabEnds(LabelSurface &surface, const RtGrid &grid, const IndexBox &box)
{
    const Affine toIndex = grid.toWorld.inverse();
    const double first = double(box.lo[2]) - 0.5, last = double(box.hi[2]) + 0.5;
    std::vector<double> &xyz = surface.xyz;
    for (size_t p = 0; p + 2 < xyz.size(); p += 3) {
        double ijk[3];
        toIndex.apply(xyz[p], xyz[p + 1], xyz[p + 2], ijk);
        if (ijk[2] >= first && ijk[2] <= last)
            continue;
        grid.toWorld.apply(ijk[0], ijk[1], std::clamp(ijk[2], first, last), &xyz[p]);
    }
}

// One ROI's closed surface and model, or a warning why there is none.
// `steps` is at step `step`, and the ROI has two.
void roiModel(const RtRoi &roi, const RtGrid &grid, const QString &path, ProgressSteps &steps,
              int step, std::vector<std::unique_ptr<ModelClass>> &models)
{
    const QString who = Import::tr("ROI \"%1\"").arg(roi.name);
    if (roi.contours.empty())
        return warnImport(Import::tr("%1 has no contours; no model is made of it.").arg(who));
    const RoiPlanes planes = planesOf(roi, grid.toWorld.inverse());
    if (planes.offPlane)
        warnImport(Import::tr("%1: contours that do not lie in the image's slices were left "
                              "out: %2.")
                       .arg(who)
                       .arg(planes.offPlane));
    IndexBox box;
    if (!boxOf(planes, grid, box))
        return warnImport(
            Import::tr("%1 lies outside the image; no model is made of it.").arg(who));
    // The box lies inside the grid: an image the reader admitted, or a
    // contour grid under the voxel cap.
    std::vector<quint8> mask = maskOf(planes, box);
    SampleGrid samples;
    samples.data = mask.data();
    samples.type = SampleType::UInt8;
    for (int a = 0; a < 3; ++a)
        samples.size[a] = box.extent(a);
    // The mask's value becomes the ROI number, the cells' material.
    samples.slope = roi.number > 0 ? roi.number : 0;
    Affine boxWorld = grid.toWorld;
    for (int r = 0; r < 3; ++r)
        boxWorld.m[r][3] = grid.toWorld.m[r][0] * double(box.lo[0])
            + grid.toWorld.m[r][1] * double(box.lo[1]) + grid.toWorld.m[r][2] * double(box.lo[2])
            + grid.toWorld.m[r][3];
    const LabelVolume volume = makeLabelVolume(samples, boxWorld);
    mask = {};
    if (volume.count() == 0)
        return warnImport(
            Import::tr("%1 covers no voxel centre of the grid; no model is made of it.").arg(who));
    LabelSurface surface = extractLabelSurface(volume, steps.fractions());
    steps.begin(step + 1, Import::tr("Smoothing the surface of %1...").arg(who));
    const std::vector<double> unsmoothed = surface.xyz;
    smoothLabelSurface(surface, {}, steps.fractions());
    const std::vector<double> voxels = voxelVolumes(volume);
    fitLabelVolumes(surface, unsmoothed, volume.toWorld, voxels);
    keepSlabEnds(surface, grid, box);
    const LabelLook look = lookOf(roi);
    addLabelModels(
        surface, volume.values, voxels, path, [&](int) { return look; }, {}, models);
}

} // namespace

qint64 rtStructVoxelCap()
{
    return voxelCap;
}

void setRtStructVoxelCap(qint64 voxels)
{
    voxelCap = voxels;
}

RtGrid gridFromContours(const RtStructSet &set)
{
    const std::array<Vec, 3> axes = contourAxes(set);
    double lo[3] = {1e300, 1e300, 1e300}, hi[3] = {-1e300, -1e300, -1e300};
    double smallest = 1e300, sliceStep = 1e300;
    for (const RtRoi &roi : set.rois) {
        std::vector<double> planes;
        double roiExtent = 0;
        for (const RtContour &c : roi.contours) {
            double cLo[2] = {1e300, 1e300}, cHi[2] = {-1e300, -1e300};
            for (qint64 p = 0; p < c.pointCount(); ++p) {
                const Vec x {c.xyz[size_t(3 * p)], c.xyz[size_t(3 * p + 1)],
                             c.xyz[size_t(3 * p + 2)]};
                for (int a = 0; a < 3; ++a) {
                    const double v = dot(x, axes[size_t(a)]);
                    lo[a] = std::min(lo[a], v);
                    hi[a] = std::max(hi[a], v);
                    if (a < 2)
                        cLo[a] = std::min(cLo[a], v), cHi[a] = std::max(cHi[a], v);
                }
            }
            roiExtent = std::max(roiExtent, std::max(cHi[0] - cLo[0], cHi[1] - cLo[1]));
            planes.push_back(meanAlong(c, axes[2]));
        }
        if (roiExtent > 0)
            smallest = std::min(smallest, roiExtent);
        if (const double step = usualStep(distinct(planes, 1e-3)); step > 0)
            sliceStep = std::min(sliceStep, step);
    }
    if (lo[0] > hi[0] || smallest > 1e299)
        failImport(Import::tr("The structure set holds no usable contour."));
    // The in-plane spacing: fine enough for the smallest structure, coarsened
    // only as far as the voxel cap asks.
    double step = std::min(smallest / kStepsAcrossSmallest, kCoarsestWanted);
    const double area = (hi[0] - lo[0]) * (hi[1] - lo[1]);
    step = std::max(step, std::min(kCoarsestAllowed, std::sqrt(area / kWantedPlanePixels)));
    if (sliceStep > 1e299)
        sliceStep = step; // one plane: a slab as thick as a pixel is wide
    const double slicesWanted = std::floor((hi[2] - lo[2]) / sliceStep + 0.5) + 1;
    const auto inPlane = [&](double s, int a) { return std::floor((hi[a] - lo[a]) / s) + 2; };
    if (slicesWanted > double(kMostSlices))
        failImport(Import::tr("The contours span %1 mm at a slice spacing of %2 mm: %3 slices; at "
                              "most %4 are made.")
                       .arg(hi[2] - lo[2], 0, 'g', 6)
                       .arg(sliceStep, 0, 'g', 4)
                       .arg(slicesWanted, 0, 'f', 0)
                       .arg(kMostSlices));
    const auto tooMany = [&](double s) {
        const double plane = inPlane(s, 0) * inPlane(s, 1);
        return plane > double(kMostPlanePixels) || plane * slicesWanted > double(voxelCap);
    };
    while (tooMany(step)) {
        step *= 1.1;
        if (step > kCoarsestAllowed)
            failImport(Import::tr("The contours span %1 × %2 × %3 mm; a grid of %4 mm would "
                                  "hold more than %5 voxels, or %6 in one plane.")
                           .arg(hi[0] - lo[0], 0, 'g', 6)
                           .arg(hi[1] - lo[1], 0, 'g', 6)
                           .arg(hi[2] - lo[2], 0, 'g', 6)
                           .arg(kCoarsestAllowed)
                           .arg(voxelCap)
                           .arg(kMostPlanePixels));
    }
    RtGrid grid;
    grid.size[0] = qint64(inPlane(step, 0));
    grid.size[1] = qint64(inPlane(step, 1));
    grid.size[2] = qint64(slicesWanted);
    const double steps[3] = {step, step, sliceStep};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            grid.toWorld.m[r][c] = axes[size_t(c)][size_t(r)] * steps[c];
        // The first voxel's centre half a pixel before the lowest point.
        grid.toWorld.m[r][3] = axes[0][size_t(r)] * (lo[0] - step / 2)
            + axes[1][size_t(r)] * (lo[1] - step / 2) + axes[2][size_t(r)] * lo[2];
    }
    return grid;
}

void rtStructModels(const RtStructSet &set, const RtGrid &grid, const QString &path,
                    std::vector<std::unique_ptr<ModelClass>> &models,
                    const ImportProgress &progress)
{
    ProgressSteps steps(progress, 2 * int(set.rois.size()));
    std::vector<std::unique_ptr<ModelClass>> made;
    for (size_t r = 0; r < set.rois.size(); ++r) {
        steps.begin(
            2 * int(r),
            Import::tr("%1 (ROI %2 of %3)").arg(set.rois[r].name).arg(r + 1).arg(set.rois.size()));
        if (grid.size[0] > 0 || set.rois[r].contours.empty()) {
            roiModel(set.rois[r], grid, path, steps, 2 * int(r), made);
            continue;
        }
        // Without an image, each ROI on a grid sized to its own contours: a
        // large structure does not take the spacing of the smallest one.
        RtStructSet one;
        one.rois.push_back(set.rois[r]);
        try {
            roiModel(set.rois[r], gridFromContours(one), path, steps, 2 * int(r), made);
        } catch (const ImportFailure &failure) {
            warnImport(
                Import::tr("ROI \"%1\" is left out: %2").arg(set.rois[r].name, failure.message));
        }
    }
    if (made.empty())
        failImport(Import::tr("No ROI of the structure set has contours that make a mask."));
    for (auto &model : made)
        models.push_back(std::move(model));
}
