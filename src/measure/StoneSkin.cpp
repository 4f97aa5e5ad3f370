#include "StoneCandidate.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace measure::stones {

namespace {

constexpr double kBodyHu = -300; // the body's outline against air
constexpr int kRays = 400;

// The distance along a ray from `from` (world, `u` unit) to the last point
// at or above the body's level before the image ends: the skin, however much
// gas in the bowel or lung the ray crosses first. None when the ray leaves
// the image inside the body or never meets it.
std::optional<double> skinAlong(const ImageFrame &f, const Affine &toIndex, const Point3 &from,
                                const Point3 &u)
{
    const double step = 0.5 * std::min({f.spacing[0], f.spacing[1], f.spacing[2]});
    double lastInside = -1, lastValue = 0, afterValue = 0;
    bool outsideSince = false;
    for (double t = 0;; t += step) {
        double ijk[3];
        toIndex.apply(from[0] + t * u[0], from[1] + t * u[1], from[2] + t * u[2], ijk);
        const qint64 i = std::llround(ijk[0]), j = std::llround(ijk[1]), k = std::llround(ijk[2]);
        if (!f.inImage(i, j, k))
            break;
        const double v = f.image.at(i, j, k);
        if (v >= kBodyHu) {
            lastInside = t;
            lastValue = v;
            outsideSince = false;
        } else if (!outsideSince && lastInside >= 0) {
            afterValue = v;
            outsideSince = true;
        }
    }
    if (lastInside < 0 || !outsideSince)
        return std::nullopt;
    const double share = (lastValue - kBodyHu) / std::max(1e-9, lastValue - afterValue);
    return lastInside + step * std::clamp(share, 0.0, 1.0);
}

} // namespace

void skinDistances(const ImageFrame &f, FoundStone &stone)
{
    const Affine toIndex = f.image.toWorld.inverse();
    // The shortest over directions spread evenly over the sphere.
    const double golden = std::numbers::pi * (3 - std::sqrt(5.0));
    for (int n = 0; n < kRays; ++n) {
        const double z = 1 - 2 * (n + 0.5) / kRays, r = std::sqrt(1 - z * z);
        const Point3 u {r * std::cos(golden * n), r * std::sin(golden * n), z};
        if (const std::optional<double> d = skinAlong(f, toIndex, stone.centre, u))
            if (!stone.skinDistanceMm || *d < *stone.skinDistanceMm)
                stone.skinDistanceMm = d;
    }
    // Shock waves enter from behind: straight back (-y), and at 45 and 90
    // degrees from it toward the stone's own side.
    const double sideSign = f.midline.found() ? (stone.centre[0] >= f.midline.x ? 1 : -1)
                                              : (stone.centre[0] >= 0 ? 1 : -1);
    const double c = std::sqrt(0.5);
    const Point3 rays[3] = {{0, -1, 0}, {sideSign * c, -c, 0}, {sideSign, 0, 0}};
    double sum = 0;
    for (const Point3 &u : rays) {
        const std::optional<double> d = skinAlong(f, toIndex, stone.centre, u);
        if (!d)
            return;
        sum += *d;
    }
    stone.swlSkinDistanceMm = sum / 3;
}

} // namespace measure::stones
