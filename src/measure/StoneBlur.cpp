// The in-plane blur of a CT measured on its own sharpest edge: the body's
// outline against air. Small stones are measured against a model of the
// blur, and a scanner's reconstruction sets it anywhere from about 0.5 to
// 1.5 mm, so it is read from the image rather than assumed.

#include "StoneCandidate.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace measure::stones {

namespace {

constexpr double kAirHu = -850;    // below this, air
constexpr double kEdgeHu = -500;   // the outline: half way from air to the body
constexpr double kBodyHu = -300;   // above this, the body just inside the outline
constexpr int kSlices = 7;         // read across the image's extent
constexpr int kLinesPerSlice = 64; // per axis and end
constexpr int kReach = 4;          // samples either side of the outline
constexpr std::size_t kFewestLines = 20;

// The standard normal quantile, by bisection on the distribution.
double normalQuantile(double p)
{
    double lo = -6, hi = 6;
    for (int n = 0; n < 40; ++n) {
        const double mid = 0.5 * (lo + hi);
        (0.5 * std::erfc(-mid / std::numbers::sqrt2) < p ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// One line's crossing of the outline: its position (samples from the
// line's start) and the blur's sigma along the line (samples); none when
// the line does not cross from clear air into the body.
struct Crossing
{
    double at = 0, sigma = 0;
};

std::optional<Crossing> crossing(const std::vector<double> &line)
{
    const int n = int(line.size());
    int p = 0;
    while (p < n && line[std::size_t(p)] < kEdgeHu)
        ++p;
    if (p < kReach + 1 || p + kReach >= n)
        return std::nullopt;
    const auto v = [&](int m) { return line[std::size_t(m)]; };
    if (!(v(p - kReach - 1) < kAirHu && v(p - kReach) < kAirHu && v(p + kReach - 1) > kBodyHu
          && v(p + kReach) > kBodyHu))
        return std::nullopt;
    const double out = 0.5 * (v(p - kReach - 1) + v(p - kReach));
    const double in = 0.5 * (v(p + kReach - 1) + v(p + kReach));
    // The step's position from the area above its curve; then each sample
    // part way up gives the spread by the normal quantile of its share.
    double above = 0;
    for (int m = -kReach; m <= kReach; ++m)
        above += 1 - std::clamp((v(p + m) - out) / (in - out), 0.0, 1.0);
    const double x0 = double(p - kReach) + above - 0.5;
    double dz = 0, zz = 0;
    for (int m = -kReach; m <= kReach; ++m) {
        const double share = (v(p + m) - out) / (in - out);
        if (share < 0.05 || share > 0.95)
            continue;
        const double z = normalQuantile(share);
        dz += (double(p + m) - x0) * z;
        zz += z * z;
    }
    return Crossing {x0, zz > 0 ? std::max(0.0, dz / zz) : 0.0};
}

} // namespace

std::optional<double> inPlaneBlurFwhm(const ImageVolume &image, int sliceAxis)
{
    const int axes[2] = {(sliceAxis + 1) % 3, (sliceAxis + 2) % 3};
    std::vector<double> sigmas, line;
    for (int s = 1; s <= kSlices; ++s) {
        const qint64 slice = image.size[sliceAxis] * s / (kSlices + 1);
        for (int t = 0; t < 2; ++t) {
            const int a = axes[t], b = axes[1 - t];
            const double step = image.toWorld.spacing(a), across = image.toWorld.spacing(b);
            const qint64 stride = std::max<qint64>(1, image.size[b] / kLinesPerSlice);
            for (int end = 0; end < 2; ++end) {
                // The crossings of consecutive lines, for the outline's slope.
                std::vector<std::optional<Crossing>> found;
                for (qint64 l = 0; l < image.size[b]; l += stride) {
                    line.resize(std::size_t(image.size[a]));
                    qint64 ijk[3];
                    ijk[sliceAxis] = slice;
                    ijk[b] = l;
                    for (qint64 m = 0; m < image.size[a]; ++m) {
                        ijk[a] = end ? image.size[a] - 1 - m : m;
                        line[std::size_t(m)] = image.at(ijk[0], ijk[1], ijk[2]);
                    }
                    found.push_back(crossing(line));
                }
                for (std::size_t l = 1; l + 1 < found.size(); ++l) {
                    if (!found[l] || !found[l - 1] || !found[l + 1])
                        continue;
                    // A line crossing the outline at a slant sees its blur
                    // stretched by 1 / cos of the slant.
                    const double slope = (found[l + 1]->at - found[l - 1]->at) * step
                        / (2 * double(stride) * across);
                    if (std::fabs(slope) > 1)
                        continue;
                    sigmas.push_back(found[l]->sigma * step / std::sqrt(1 + slope * slope));
                }
            }
        }
    }
    if (sigmas.size() < kFewestLines)
        return std::nullopt;
    const auto middle = sigmas.begin() + std::ptrdiff_t(sigmas.size() / 2);
    std::nth_element(sigmas.begin(), middle, sigmas.end());
    return 2.3548 * *middle;
}

} // namespace measure::stones
