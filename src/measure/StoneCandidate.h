#pragma once

// The inner steps of the stone finder, shared by the search and the pick.

#include "StoneFinder.h"
#include "model/BodyMidline.h"

#include <optional>
#include <vector>

namespace measure::stones {

// A connected set of voxels at or above the detection level.
struct Candidate
{
    std::vector<qint64> voxels;
    qint64 lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0}; // index bounds, inclusive
};

// What every measure of one image needs.
struct ImageFrame
{
    // The midline is found in the image unless it is given.
    ImageFrame(const ImageVolume &image, double levelHu,
               const std::optional<body::Midline> &known = std::nullopt);

    const ImageVolume &image;
    double level;
    double spacing[3];  // mm per index step
    double sigma[3];    // the assumed blur and sampling spread along each index axis (mm)
    double psfSigma[3]; // the blur alone
    double inPlaneFwhm; // measured on the body's outline (mm)
    double voxelVolume;
    int sliceAxis; // the index axis most along world z
    body::Midline midline;

    // Whether voxel n is at or above the level; a 16-bit image compared as
    // integers, the level rounded up.
    bool reaches(qint64 n) const
    {
        return shorts ? shorts[n] >= shortLevel : image.floats[std::size_t(n)] >= level;
    }
    const qint16 *shorts = nullptr;
    int shortLevel = 0;

    Point3 world(double i, double j, double k) const;
    void indices(qint64 index, qint64 out[3]) const;
    bool inImage(qint64 i, qint64 j, qint64 k) const;
    // Trilinear value at fractional indices; NaN outside the image.
    double sample(double i, double j, double k) const;
    // The 1-2-1 weighted mean of the 3 x 3 voxels around voxel `index`
    // within its slice, which keeps a seventh of the noise's variance; NaN at
    // the image's edge or next to a missing value.
    double sliceMean(qint64 index) const;
};

// The default density assumed for a stone too small to show its own.
inline constexpr double kPriorDensityHu = 1000;

// Measures a candidate; none when it does not stand out of its
// surroundings (noise) or encloses no volume.
std::optional<FoundStone> measureCandidate(const ImageFrame &frame, const Candidate &candidate,
                                           double priorDensityHu);

// The in-plane blur's full width at half maximum (mm), measured on the
// body's outline against air across the image's slices; none when too few
// lines cross it from clear air into the body.
std::optional<double> inPlaneBlurFwhm(const ImageVolume &image, int sliceAxis);

// A blurred uniform ellipsoid fitted to a stone's neighbourhood.
struct EllipsoidFit
{
    Point3 centre {};
    std::array<double, 3> semi {}; // along the axes below (mm)
    std::array<Point3, 3> axes {}; // the fitted principal axes (world, unit)
    double contrast = 0;           // above the background (HU)
    double background = 0;         // fitted with it (HU)
    // The volume's relative standard deviation that the voxels' noise and
    // the priors leave, from the cost's curvature at the fit.
    double volumeSpread = 0;
    double voxelSpread = 0; // the same with the shape let loose: what the voxels alone tell
    double volume() const;
};

// Fits the ellipsoid to the voxels within index bounds lo..hi, the blur the
// frame's, starting from the stone's centre and axes, a sphere of
// `startVolume` and `startContrast`, its contrast drawn weakly toward
// `priorContrast`; none when the fit gives no contrast.
std::optional<EllipsoidFit> fitBlurredEllipsoid(const ImageFrame &frame, const qint64 lo[3],
                                                const qint64 hi[3], double background, double noise,
                                                const FoundStone &start, double startContrast,
                                                double startVolume, double priorContrast);

// The shortest distance from a point to the skin and the mean of the three
// axial shock-wave lines; the second toward `side` (+1 the patient's right).
void skinDistances(const ImageFrame &frame, FoundStone &stone);

// The largest extent of a candidate along an index axis (mm), and which axis.
double largestExtent(const ImageFrame &frame, const Candidate &candidate, int &axis);

// Squared Euclidean distances on a grid of n[0] x n[1] x n[2] points
// spaced as given, in place: 0 at the points distances are taken to, a
// large value elsewhere.
void distanceTransform(std::vector<float> &squared, const qint64 n[3], const double spacing[3]);
inline constexpr float kFarSquared = 1e20f;

} // namespace measure::stones
