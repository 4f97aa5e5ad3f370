#include "StonePhantom.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

constexpr int kFine = 4;             // fewest fine nodes per voxel step along an axis
constexpr double kFineStepMm = 0.15; // and no coarser than this

double sq(double v)
{
    return v * v;
}

struct Grid
{
    double w, h, d;
};

Grid extent(const PhantomPlan &s)
{
    return {double(s.size[0]) * s.pixel, double(s.size[1]) * s.pixel, double(s.size[2]) * s.slice};
}

// A Gaussian blur of one line of a fine grid, in place; `sigma` in nodes.
void blurLine(std::vector<double> &line, double sigma, std::vector<double> &work)
{
    if (sigma <= 0)
        return;
    const int reach = int(std::ceil(4 * sigma));
    std::vector<double> kernel(std::size_t(2 * reach + 1));
    double sum = 0;
    for (int t = -reach; t <= reach; ++t)
        sum += kernel[std::size_t(t + reach)] = std::exp(-0.5 * sq(t / sigma));
    for (double &k : kernel)
        k /= sum;
    work.assign(line.size(), 0);
    const int n = int(line.size());
    for (int p = 0; p < n; ++p)
        for (int t = -reach; t <= reach; ++t)
            if (p + t >= 0 && p + t < n)
                work[std::size_t(p)] += kernel[std::size_t(t + reach)] * line[std::size_t(p + t)];
    line.swap(work);
}

using Axes = std::array<std::array<double, 3>, 3>;
constexpr Axes kWorldAxes {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

// The share of a blurred region {q(p) <= 1}, q(p) = sum ((axes_k . (p - c)) / s_k)^2,
// at p: the Gaussian's mass inside the region's tangent plane, the signed
// distance to it approximated from q and its gradient. `sigma` per world
// axis (mm); `axes` the region's unit axes in the world.
double blurredInside(const double p[3], const double c[3], const double s[3], const double sigma[3],
                     const Axes &axes = kWorldAxes)
{
    double q = 0, g[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        if (s[k] <= 0) // unbounded along this axis
            continue;
        double along = 0;
        for (int a = 0; a < 3; ++a)
            along += axes[std::size_t(k)][std::size_t(a)] * (p[a] - c[a]);
        const double u = along / s[k];
        q += u * u;
        for (int a = 0; a < 3; ++a) // the gradient, in the world
            g[a] += axes[std::size_t(k)][std::size_t(a)] * u / s[k];
    }
    const double root = std::sqrt(q);
    double gradient = 0, spread = 0;
    for (int a = 0; a < 3; ++a)
        gradient += g[a] * g[a];
    if (root < 1e-9 || gradient <= 0)
        return 1;
    gradient = std::sqrt(gradient) / root; // |grad sqrt(q)|
    for (int a = 0; a < 3; ++a)
        spread += sq(g[a] / root / gradient * sigma[a]);
    const double t = (1 - root) / gradient / std::sqrt(2 * std::max(spread, 1e-12));
    return t > 5 ? 1 : t < -5 ? 0 : 0.5 * std::erfc(-t);
}

// Adds one blurred stone: its indicator on a fine grid aligned with the
// voxel centres, blurred axis by axis, read back at the voxel centres. The
// indicator is smoothed over each fine cell, so that the grid holds the
// stone's analytic volume even where the slices are thick and the stone
// spans a few fine nodes.
void addStone(const PhantomPlan &s, const PhantomStone &stone, ImageVolume &image)
{
    const double step[3] = {s.pixel, s.pixel, s.slice};
    const double fwhm[3] = {s.fwhmInPlane, s.fwhmInPlane, s.fwhmZ > 0 ? s.fwhmZ : s.slice};
    const double centreIndex[3] = {stone.centre[0] / s.pixel + double(s.size[0] / 2),
                                   stone.centre[1] / s.pixel + double(s.size[1] / 2),
                                   stone.centre[2] / s.slice};
    qint64 lo[3], n[3];
    int fine[3];
    double sigma[3], cell[3];
    for (int a = 0; a < 3; ++a) {
        fine[a] = std::max(kFine, int(std::ceil(step[a] / kFineStepMm)));
        sigma[a] = fwhm[a] / 2.3548 / step[a] * fine[a];
        cell[a] = step[a] / fine[a] / std::sqrt(12.0); // a cell's box as a Gaussian
        const double reach = stone.halfWidth(a) / step[a] + 4 * fwhm[a] / 2.3548 / step[a] + 2;
        lo[a] = std::max<qint64>(0, qint64(std::floor(centreIndex[a] - reach)));
        const qint64 hi =
            std::min<qint64>(s.size[a] - 1, qint64(std::ceil(centreIndex[a] + reach)));
        n[a] = (hi - lo[a]) * fine[a] + 1;
    }
    std::vector<double> grid(std::size_t(n[0] * n[1] * n[2]));
    const double origin[3] = {0, 0, 0};
    for (qint64 z = 0; z < n[2]; ++z)
        for (qint64 y = 0; y < n[1]; ++y)
            for (qint64 x = 0; x < n[0]; ++x) {
                const qint64 f[3] = {x, y, z};
                double p[3];
                for (int a = 0; a < 3; ++a)
                    p[a] = (double(lo[a]) + double(f[a]) / fine[a] - centreIndex[a]) * step[a];
                grid[std::size_t(x + n[0] * (y + n[1] * z))] =
                    blurredInside(p, origin, stone.semi.data(), cell, stone.axes);
            }
    const qint64 stride[3] = {1, n[0], n[0] * n[1]};
    std::vector<double> line, work;
    for (int a = 0; a < 3; ++a) {
        const int b = (a + 1) % 3, c = (a + 2) % 3;
        for (qint64 v = 0; v < n[c]; ++v)
            for (qint64 u = 0; u < n[b]; ++u) {
                const qint64 base = u * stride[b] + v * stride[c];
                line.resize(std::size_t(n[a]));
                for (qint64 p = 0; p < n[a]; ++p)
                    line[std::size_t(p)] = grid[std::size_t(base + p * stride[a])];
                blurLine(line, sigma[a], work);
                for (qint64 p = 0; p < n[a]; ++p)
                    grid[std::size_t(base + p * stride[a])] = line[std::size_t(p)];
            }
    }
    const double contrast = stone.hu - phantomBodyHu(s, stone.centre);
    for (qint64 k = 0; k * fine[2] < n[2]; ++k)
        for (qint64 j = 0; j * fine[1] < n[1]; ++j)
            for (qint64 i = 0; i * fine[0] < n[0]; ++i) {
                const double share =
                    grid[std::size_t(i * fine[0] + n[0] * (j * fine[1] + n[1] * k * fine[2]))];
                const qint64 index =
                    (lo[0] + i) + s.size[0] * ((lo[1] + j) + s.size[1] * (lo[2] + k));
                qint16 &v = image.shorts[std::size_t(index)];
                v = qint16(std::clamp(std::lround(v + contrast * share), -1024L, 3071L));
            }
}

// The body blurred by the plan's point spread: its layers added up, each
// boundary blurred as a plane would be.
double blurredBodyHu(const PhantomPlan &s, const double p[3])
{
    const Grid g = extent(s);
    const double sigma[3] = {s.fwhmInPlane / 2.3548, s.fwhmInPlane / 2.3548,
                             (s.fwhmZ > 0 ? s.fwhmZ : s.slice) / 2.3548};
    const auto layer = [&](double cx, double cy, double cz, double sx, double sy, double sz) {
        const double c[3] = {cx, cy, cz}, semi[3] = {sx, sy, sz};
        return blurredInside(p, c, semi, sigma);
    };
    if (!s.body)
        return -1000 + (s.tissueHu + 1000) * layer(0, 0, 0, 0.48 * g.w, 0, 0);
    const double fat = std::sqrt(0.8);
    double hu = -1000 + 900 * layer(0, 0, 0, 0.46 * g.w, 0.42 * g.h, 0);
    hu += (s.tissueHu + 100) * layer(0, 0, 0, fat * 0.46 * g.w, fat * 0.42 * g.h, 0);
    hu += (600 - s.tissueHu) * layer(0, -0.28 * g.h, 0, 0.07 * g.w, 0.07 * g.w, 0);
    for (const auto &k : phantomKidneys(s)) {
        const double r = std::sqrt(1.5);
        hu += (-90 - s.tissueHu)
            * layer(k[0], k[1], k[2], r * 0.11 * g.w, r * 0.12 * g.h, r * 0.45 * g.d);
        hu += (s.kidneyHu + 90) * layer(k[0], k[1], k[2], 0.11 * g.w, 0.12 * g.h, 0.45 * g.d);
    }
    return hu;
}

} // namespace

double PhantomStone::volume() const
{
    return 4.0 / 3.0 * std::numbers::pi * semi[0] * semi[1] * semi[2];
}

double PhantomStone::largestDiameter() const
{
    return 2 * std::max({semi[0], semi[1], semi[2]});
}

double PhantomStone::halfWidth(int worldAxis) const
{
    double sum = 0;
    for (std::size_t k = 0; k < 3; ++k)
        sum += sq(semi[k] * axes[k][std::size_t(worldAxis)]);
    return std::sqrt(sum);
}

std::array<std::array<double, 3>, 2> phantomKidneys(const PhantomPlan &plan)
{
    const Grid g = extent(plan);
    return {{{0.2 * g.w, -0.1 * g.h, 0.5 * g.d}, {-0.2 * g.w, -0.1 * g.h, 0.5 * g.d}}};
}

double phantomBodyHu(const PhantomPlan &s, const std::array<double, 3> &p)
{
    const Grid g = extent(s);
    if (!s.body)
        return std::fabs(p[0]) > 0.48 * g.w ? -1000 : s.tissueHu;
    const double outline = sq(p[0] / (0.46 * g.w)) + sq(p[1] / (0.42 * g.h));
    if (outline > 1)
        return -1000;
    if (outline > 0.8)
        return -100; // fat under the skin
    if (sq(p[0]) + sq(p[1] + 0.28 * g.h) < sq(0.07 * g.w))
        return 600; // the spine
    for (const auto &c : phantomKidneys(s)) {
        const double e = sq((p[0] - c[0]) / (0.11 * g.w)) + sq((p[1] - c[1]) / (0.12 * g.h))
            + sq((p[2] - c[2]) / (0.45 * g.d));
        if (e <= 1)
            return s.kidneyHu;
        if (e <= 1.5)
            return -90; // fat around the kidney
    }
    return s.tissueHu;
}

ImageVolume makeStonePhantom(const PhantomPlan &s)
{
    ImageVolume image;
    for (int a = 0; a < 3; ++a)
        image.size[a] = s.size[a];
    image.toWorld.m[0][0] = s.pixel;
    image.toWorld.m[0][3] = -double(s.size[0] / 2) * s.pixel;
    image.toWorld.m[1][1] = s.pixel;
    image.toWorld.m[1][3] = -double(s.size[1] / 2) * s.pixel;
    image.toWorld.m[2][2] = s.slice;
    image.modality = QStringLiteral("CT");
    image.unit = QStringLiteral("HU");
    std::mt19937 random(s.seed);
    std::normal_distribution<double> noise(0, s.noiseHu);
    image.shorts.resize(std::size_t(image.voxelCount()));
    for (qint64 k = 0; k < s.size[2]; ++k)
        for (qint64 j = 0; j < s.size[1]; ++j)
            for (qint64 i = 0; i < s.size[0]; ++i) {
                double p[3];
                image.toWorld.apply(double(i), double(j), double(k), p);
                // Noise is drawn where the body is, before the blur.
                const double body = phantomBodyHu(s, {p[0], p[1], p[2]});
                const double hu = blurredBodyHu(s, p) + (body <= -1000 ? 0 : noise(random));
                image.shorts[std::size_t(image.index(i, j, k))] =
                    qint16(std::clamp(std::lround(hu), -1024L, 3071L));
            }
    for (const PhantomStone &stone : s.stones)
        addStone(s, stone, image);
    return image;
}
