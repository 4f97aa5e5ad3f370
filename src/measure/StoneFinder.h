#pragma once

#include "Surface.h"
#include "model/AnatomyTable.h"
#include "model/BodyMidline.h"
#include "model/ImageVolume.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace measure {

// Where stones are looked for: the whole image, a box in patient
// millimetres, or the inside of closed surfaces grown by a margin.
struct StoneRegion
{
    enum class Kind { WholeImage, Box, Inside };
    Kind kind = Kind::WholeImage;
    std::array<double, 6> box {}; // x0, x1, y0, y1, z0, z1 (mm), any order within a pair
    std::vector<TriangleSurface> inside;
    double marginMm = 10;
};

struct StoneSearchOptions
{
    double levelHu = 200; // a candidate's voxels are at or above it
    bool sixConnected = false;
    double maxExtentMm = 40; // a candidate longer than this along an axis is no stone
    StoneRegion region;
};

// Where the density a stone's volume is divided by came from.
enum class DensitySource {
    Peak,      // its plateau: a stone larger than the blur keeps its density there
    BlurModel, // a blurred ellipsoid fitted to its voxels, which gives its volume too
    Prior,     // too small to tell: the largest stone's density, at least 1000 HU
};
QString densitySourceKey(DensitySource source); // "peak", "blur_model", "prior"

struct FoundStone
{
    Point3 centre {};        // contrast-weighted centroid, world mm
    double volumeMm3 = 0;    // corrected for partial volume and blur
    double volumeSpread = 0; // its relative standard deviation when fitted, else 0
    double voxelSpread = 0;  // the same with its shape let loose: how closely its voxels pin it
    std::array<double, 3> diameters {}; // principal, largest first (mm)
    std::array<Point3, 3> axes {};      // their unit directions
    double largestDiameterMm = 0;       // 3-D, at half contrast
    double axialDiameterMm = 0;         // the largest within one axial slice
    double huMean = 0;                  // of the core (voxels at half contrast and more)
    double huPeak = 0;                  // robust peak: the median of its brightest voxels
    double densityHu = 0;               // the density its volume assumes
    DensitySource densitySource = DensitySource::Peak;
    double backgroundHu = 0; // median of a shell around it
    anatomy::Side side = anatomy::Side::None;
    std::optional<double> skinDistanceMm;    // shortest, centre to the body's outline
    std::optional<double> swlSkinDistanceMm; // mean of the axial rays at 0, 45, 90 degrees
    std::vector<qint64> voxels;              // at half contrast: the stone's label
};

struct ExcludedCandidate
{
    Point3 centre {};
    QString reason;
};

struct StoneSearch
{
    QString error; // why nothing was searched; empty otherwise
    std::vector<FoundStone> stones;
    std::vector<ExcludedCandidate> excluded;
    double burdenMm3() const;
};

// A CT in Hounsfield units: the image says CT or HU (or nothing) and holds
// values of air or fat (below -100), as no label map or MR does.
bool holdsHounsfield(const ImageVolume &image);
// The refusal of an image that is not such a CT.
QString notHounsfieldText();

// Every stone of the region, ordered from the patient's head to the feet,
// and the candidates too large to be stones.
StoneSearch findStones(const ImageVolume &image, const StoneSearchOptions &options);

// The one stone at a picked point (world mm): the brightest voxel within
// 3 mm at or above the level, grown into its candidate and measured; none
// when there is no such voxel or the candidate is too large for a stone.
// A caller that knows the body's midline (body::midlineInImage) passes it,
// which spares the pick the tens of milliseconds of finding it.
std::optional<FoundStone> stoneAt(const ImageVolume &image, const Point3 &point,
                                  double levelHu = 200,
                                  const std::optional<body::Midline> &midline = std::nullopt);

// A closed ellipsoid along the stone's principal axes, scaled so that the
// volume it encloses equals the stone's measured volume.
TriangleSurface stoneSurface(const FoundStone &stone);

} // namespace measure
