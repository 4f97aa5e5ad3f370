#include "StoneCandidate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace measure::stones {

namespace {

constexpr double kInPlaneFwhmMm = 0.9; // a typical body CT's in-plane blur, when unmeasured
// The measured blur is kept within these: an image sampled without blur
// shows none, which the model of a stone cannot take.
constexpr double kSharpestFwhmMm = 0.4, kBlurriestFwhmMm = 2;
constexpr double kFwhmPerSigma = 2.3548;
// The background shell, in units of the neighbourhood's reach past the candidate.
constexpr double kShellFrom = 0.6, kShellTo = 1.3;
constexpr double kSignificance = 5; // a stone's peak stands this many noise SDs out
constexpr std::size_t kManyVoxels = 200;
constexpr double kPlateauWidthMm = 4;
constexpr double kPlateauSigmas = 2.5;
constexpr int kPlateauVoxels = 4; // the fewest whose mean a density is taken from

double median(std::vector<double> &values)
{
    if (values.empty())
        return std::numeric_limits<double>::quiet_NaN();
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// An index box: the candidate's bounds grown by `grow` voxels per axis.
struct Box
{
    qint64 lo[3], hi[3];
    bool contains(qint64 i, qint64 j, qint64 k) const
    {
        return i >= lo[0] && i <= hi[0] && j >= lo[1] && j <= hi[1] && k >= lo[2] && k <= hi[2];
    }
};

Box grown(const ImageFrame &f, const Candidate &c, const qint64 grow[3])
{
    Box b;
    for (int a = 0; a < 3; ++a) {
        b.lo[a] = std::max<qint64>(0, c.lo[a] - grow[a]);
        b.hi[a] = std::min<qint64>(f.image.size[a] - 1, c.hi[a] + grow[a]);
    }
    return b;
}

template<class Visit> void forEachIn(const Box &b, Visit visit)
{
    for (qint64 k = b.lo[2]; k <= b.hi[2]; ++k)
        for (qint64 j = b.lo[1]; j <= b.hi[1]; ++j)
            for (qint64 i = b.lo[0]; i <= b.hi[0]; ++i)
                visit(i, j, k);
}

// Jacobi rotations of a symmetric 3 x 3 matrix: its eigenvalues and the
// unit eigenvectors as the columns of `v`.
void symmetricEigen(double m[3][3], double values[3], double v[3][3])
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            v[r][c] = r == c;
    for (int sweep = 0; sweep < 50; ++sweep) {
        const double off = m[0][1] * m[0][1] + m[0][2] * m[0][2] + m[1][2] * m[1][2];
        if (off < 1e-20)
            break;
        for (int p = 0; p < 2; ++p)
            for (int q = p + 1; q < 3; ++q) {
                if (std::fabs(m[p][q]) < 1e-30)
                    continue;
                const double theta = (m[q][q] - m[p][p]) / (2 * m[p][q]);
                const double t =
                    (theta >= 0 ? 1 : -1) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
                const double c = 1 / std::sqrt(t * t + 1), s = t * c;
                for (int k = 0; k < 3; ++k) { // m = J^T m J
                    const double mkp = m[k][p], mkq = m[k][q];
                    m[k][p] = c * mkp - s * mkq;
                    m[k][q] = s * mkp + c * mkq;
                }
                for (int k = 0; k < 3; ++k) {
                    const double mpk = m[p][k], mqk = m[q][k];
                    m[p][k] = c * mpk - s * mqk;
                    m[q][k] = s * mpk + c * mqk;
                }
                for (int k = 0; k < 3; ++k) {
                    const double vkp = v[k][p], vkq = v[k][q];
                    v[k][p] = c * vkp - s * vkq;
                    v[k][q] = s * vkp + c * vkq;
                }
            }
    }
    for (int a = 0; a < 3; ++a)
        values[a] = m[a][a];
}

// How far past a voxel centre, along `u` (world, unit), the value falls
// below `half`: the sub-voxel end of a diameter.
double edgeBeyond(const ImageFrame &f, const Affine &toIndex, const Point3 &p, const Point3 &u,
                  double half)
{
    constexpr double kStep = 0.05;
    double before = f.sample(0, 0, 0); // replaced at t = 0
    for (double t = 0; t <= 3; t += kStep) {
        double ijk[3];
        toIndex.apply(p[0] + t * u[0], p[1] + t * u[1], p[2] + t * u[2], ijk);
        const double v = f.sample(ijk[0], ijk[1], ijk[2]);
        if (!(v >= half)) {
            if (t == 0 || !std::isfinite(v))
                return t;
            return t - kStep * (half - v) / (before - v);
        }
        before = v;
    }
    return 3;
}

struct Diameter
{
    double length = 0;
    Point3 a {}, b {};
};

// The longest distance between two of `points`; with `axial`, only between
// points of one slice (their `slice` equal).
Diameter longest(const std::vector<Point3> &points, const std::vector<qint64> &slice, bool axial)
{
    Diameter best;
    for (std::size_t m = 0; m < points.size(); ++m)
        for (std::size_t n = m + 1; n < points.size(); ++n) {
            if (axial && slice[m] != slice[n])
                continue;
            const double dx = points[m][0] - points[n][0], dy = points[m][1] - points[n][1],
                         dz = points[m][2] - points[n][2];
            const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
            if (d > best.length)
                best = {d, points[m], points[n]};
        }
    return best;
}

double withEdges(const ImageFrame &f, const Diameter &d, double half)
{
    if (d.length <= 0)
        return 0;
    const Affine toIndex = f.image.toWorld.inverse();
    Point3 u;
    for (int c = 0; c < 3; ++c)
        u[std::size_t(c)] = (d.b[std::size_t(c)] - d.a[std::size_t(c)]) / d.length;
    const Point3 back {-u[0], -u[1], -u[2]};
    return d.length + edgeBeyond(f, toIndex, d.b, u, half)
        + edgeBeyond(f, toIndex, d.a, back, half);
}

// The 3-D and the axial largest diameters of the voxels at or above `half`
// that lie on the set's border (a 6-neighbour below it).
void largestDiameters(const ImageFrame &f, const Box &near, double half, FoundStone &stone)
{
    std::vector<Point3> border;
    std::vector<qint64> slice;
    const auto at = [&](qint64 i, qint64 j, qint64 k) {
        return near.contains(i, j, k) ? double(f.image.at(i, j, k)) : -1e9;
    };
    forEachIn(near, [&](qint64 i, qint64 j, qint64 k) {
        if (!(at(i, j, k) >= half))
            return;
        stone.voxels.push_back(f.image.index(i, j, k));
        if (at(i - 1, j, k) >= half && at(i + 1, j, k) >= half && at(i, j - 1, k) >= half
            && at(i, j + 1, k) >= half && at(i, j, k - 1) >= half && at(i, j, k + 1) >= half)
            return;
        border.push_back(f.world(double(i), double(j), double(k)));
        const qint64 ijk[3] = {i, j, k};
        slice.push_back(ijk[f.sliceAxis]);
    });
    stone.largestDiameterMm = withEdges(f, longest(border, slice, false), half);
    stone.axialDiameterMm = withEdges(f, longest(border, slice, true), half);
    // The edges found past other voxels may make the axial one the longer.
    stone.largestDiameterMm = std::max(stone.largestDiameterMm, stone.axialDiameterMm);
}

// The centre and principal diameters from the contrast-weighted voxels of
// the neighbourhood, the blur's spread taken off their second moments.
void moments(const ImageFrame &f, const Box &near, double background, double contrast, double floor,
             FoundStone &stone)
{
    double w = 0, s[3] = {0, 0, 0}, ss[3][3] = {};
    forEachIn(near, [&](qint64 i, qint64 j, qint64 k) {
        const double v = f.image.at(i, j, k) - background;
        if (!(v > floor))
            return;
        const double weight = std::min(1.0, v / contrast);
        const Point3 p = f.world(double(i), double(j), double(k));
        w += weight;
        for (int a = 0; a < 3; ++a) {
            s[a] += weight * p[std::size_t(a)];
            for (int b = 0; b < 3; ++b)
                ss[a][b] += weight * p[std::size_t(a)] * p[std::size_t(b)];
        }
    });
    if (w <= 0)
        return;
    for (int a = 0; a < 3; ++a)
        stone.centre[std::size_t(a)] = s[a] / w;
    double cov[3][3];
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            cov[a][b] = ss[a][b] / w - s[a] * s[b] / (w * w);
    // The blur spreads each index axis by its sigma (axes taken as world-aligned).
    for (int a = 0; a < 3; ++a) {
        int world = 0;
        for (int r = 1; r < 3; ++r)
            if (std::fabs(f.image.toWorld.m[r][a]) > std::fabs(f.image.toWorld.m[world][a]))
                world = r;
        cov[world][world] -= f.psfSigma[a] * f.psfSigma[a];
    }
    double values[3], vectors[3][3];
    symmetricEigen(cov, values, vectors);
    int order[3] = {0, 1, 2};
    std::sort(order, order + 3, [&](int x, int y) { return values[x] > values[y]; });
    for (int n = 0; n < 3; ++n) {
        const int e = order[n];
        stone.diameters[std::size_t(n)] = 2 * std::sqrt(5 * std::max(0.0, values[e]));
        for (int r = 0; r < 3; ++r)
            stone.axes[std::size_t(n)][std::size_t(r)] = vectors[r][e];
    }
}

// The values of a candidate, brightest first.
std::vector<double> valuesOf(const ImageFrame &f, const Candidate &c)
{
    std::vector<double> values;
    values.reserve(c.voxels.size());
    for (qint64 v : c.voxels)
        values.push_back(f.image.value(v));
    std::sort(values.begin(), values.end(), std::greater<>());
    return values;
}

// A large stone's peak: the median of its 27 highest in-slice means, which
// noise lifts less than half as much as its 27 brightest voxels.
double smoothedPeak(const ImageFrame &f, const Candidate &c)
{
    std::vector<double> means;
    means.reserve(c.voxels.size());
    for (qint64 v : c.voxels)
        if (const double mean = f.sliceMean(v); std::isfinite(mean))
            means.push_back(mean);
    if (means.size() < 27)
        return std::numeric_limits<double>::quiet_NaN();
    std::nth_element(means.begin(), means.begin() + 13, means.end(), std::greater<>());
    return means[13];
}

// The mean of the voxels deep enough inside the set at or above `half` that
// the blur leaves them at the stone's full density: at least two and a half
// of the blur's sigmas and a voxel from every voxel below it. `count` says
// how many there were.
double plateauMean(const ImageFrame &f, const Box &near, double half, int &count)
{
    qint64 n[3];
    double scaled[3];
    for (int a = 0; a < 3; ++a) {
        n[a] = near.hi[a] - near.lo[a] + 1;
        scaled[a] = f.spacing[a] / (kPlateauSigmas * f.psfSigma[a] + f.spacing[a]);
    }
    std::vector<float> depth(std::size_t(n[0] * n[1] * n[2]));
    std::size_t at = 0;
    forEachIn(near, [&](qint64 i, qint64 j, qint64 k) {
        depth[at++] = f.image.at(i, j, k) >= half ? kFarSquared : 0;
    });
    distanceTransform(depth, n, scaled);
    double sum = 0;
    count = 0;
    at = 0;
    forEachIn(near, [&](qint64 i, qint64 j, qint64 k) {
        if (depth[at++] >= 1 && depth[at - 1] < kFarSquared) {
            sum += f.image.at(i, j, k);
            ++count;
        }
    });
    return count ? sum / count : 0;
}

} // namespace

ImageFrame::ImageFrame(const ImageVolume &image, double levelHu,
                       const std::optional<body::Midline> &known)
    : image(image)
    , level(levelHu)
    , midline(known ? *known : body::midlineInImage(image))
{
    if (!image.shorts.empty()) {
        shorts = image.shorts.data();
        shortLevel = int(std::clamp(std::ceil(levelHu), -32769.0, 32768.0));
    }
    double most = -1;
    sliceAxis = 2;
    for (int a = 0; a < 3; ++a) {
        spacing[a] = image.toWorld.spacing(a);
        if (const double share = std::fabs(image.toWorld.m[2][a]) / spacing[a]; share > most) {
            most = share;
            sliceAxis = a;
        }
    }
    inPlaneFwhm = std::clamp(inPlaneBlurFwhm(image, sliceAxis).value_or(kInPlaneFwhmMm),
                             kSharpestFwhmMm, kBlurriestFwhmMm);
    for (int a = 0; a < 3; ++a) {
        const double fwhm = a == sliceAxis ? spacing[a] : inPlaneFwhm;
        psfSigma[a] = fwhm / kFwhmPerSigma;
        sigma[a] = std::sqrt(psfSigma[a] * psfSigma[a] + spacing[a] * spacing[a] / 12);
    }
    voxelVolume = std::fabs(image.toWorld.determinant());
}

Point3 ImageFrame::world(double i, double j, double k) const
{
    Point3 p;
    image.toWorld.apply(i, j, k, p.data());
    return p;
}

void ImageFrame::indices(qint64 index, qint64 out[3]) const
{
    out[0] = index % image.size[0];
    out[1] = (index / image.size[0]) % image.size[1];
    out[2] = index / (image.size[0] * image.size[1]);
}

bool ImageFrame::inImage(qint64 i, qint64 j, qint64 k) const
{
    return i >= 0 && j >= 0 && k >= 0 && i < image.size[0] && j < image.size[1]
        && k < image.size[2];
}

double ImageFrame::sample(double i, double j, double k) const
{
    const double at[3] = {i, j, k};
    qint64 base[3];
    double t[3];
    for (int a = 0; a < 3; ++a) {
        if (!(at[a] >= 0 && at[a] <= double(image.size[a] - 1)))
            return std::numeric_limits<double>::quiet_NaN();
        base[a] = std::min<qint64>(qint64(at[a]), std::max<qint64>(0, image.size[a] - 2));
        t[a] = at[a] - double(base[a]);
    }
    double sum = 0;
    for (int corner = 0; corner < 8; ++corner) {
        double weight = 1;
        qint64 c[3];
        for (int a = 0; a < 3; ++a) {
            const bool up = corner >> a & 1;
            c[a] = std::min(base[a] + up, image.size[a] - 1);
            weight *= up ? t[a] : 1 - t[a];
        }
        if (weight > 0)
            sum += weight * image.at(c[0], c[1], c[2]);
    }
    return sum;
}

double ImageFrame::sliceMean(qint64 index) const
{
    qint64 ijk[3], at[3];
    indices(index, ijk);
    std::copy(ijk, ijk + 3, at);
    const int u = sliceAxis == 0 ? 1 : 0, v = sliceAxis == 2 ? 1 : 2;
    double sum = 0;
    for (qint64 du = -1; du <= 1; ++du)
        for (qint64 dv = -1; dv <= 1; ++dv) {
            at[u] = ijk[u] + du;
            at[v] = ijk[v] + dv;
            if (!inImage(at[0], at[1], at[2]))
                return std::numeric_limits<double>::quiet_NaN();
            sum += double((2 - std::abs(du)) * (2 - std::abs(dv))) * image.at(at[0], at[1], at[2]);
        }
    return sum / 16;
}

double largestExtent(const ImageFrame &frame, const Candidate &candidate, int &axis)
{
    double most = 0;
    axis = 0;
    for (int a = 0; a < 3; ++a)
        if (const double e = double(candidate.hi[a] - candidate.lo[a] + 1) * frame.spacing[a];
            e > most) {
            most = e;
            axis = a;
        }
    return most;
}

namespace {

// A fitted stone's volume, centre and diameters: those of its ellipsoid.
void takeShape(const EllipsoidFit &fit, FoundStone &stone)
{
    stone.volumeMm3 = fit.volume();
    stone.volumeSpread = fit.volumeSpread;
    stone.voxelSpread = fit.voxelSpread;
    stone.centre = fit.centre;
    double a[2][2] = {};
    for (int k = 0; k < 3; ++k) {
        const Point3 &u = fit.axes[std::size_t(k)];
        const double s = fit.semi[std::size_t(k)];
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c)
                a[r][c] += u[std::size_t(r)] * u[std::size_t(c)] / (s * s);
    }
    // The axial section through the centre: its longest axis is 2 / sqrt of
    // the smaller eigenvalue of the section's quadratic form.
    const double mean = 0.5 * (a[0][0] + a[1][1]);
    const double apart = std::hypot(0.5 * (a[0][0] - a[1][1]), a[0][1]);
    stone.axialDiameterMm = 2 / std::sqrt(std::max(mean - apart, 1e-12));
    std::array<int, 3> order {0, 1, 2};
    std::sort(order.begin(), order.end(),
              [&](int x, int y) { return fit.semi[std::size_t(x)] > fit.semi[std::size_t(y)]; });
    const std::array<Point3, 3> axes = fit.axes;
    for (std::size_t n = 0; n < 3; ++n) {
        stone.diameters[n] = 2 * fit.semi[std::size_t(order[n])];
        stone.axes[n] = axes[std::size_t(order[n])];
    }
    stone.largestDiameterMm = std::max(stone.diameters[0], stone.axialDiameterMm);
}

// The density a stone's volume divides its summed contrast by: its
// plateau's mean when it has one; else that of the blurred ellipsoid fitted
// to it, whose volume it then takes; else the prior. Sets the stone's
// density, its source and its volume.
double density(const ImageFrame &f, const Box &near, double noise, double integral,
               FoundStone &stone, double priorDensityHu)
{
    const double bg = stone.backgroundHu, peak = stone.huPeak - bg;
    int count = 0;
    const double plateau = plateauMean(f, near, bg + 0.5 * peak, count);
    stone.densitySource = DensitySource::Peak;
    stone.densityHu = plateau;
    if (count < kPlateauVoxels) {
        const std::optional<EllipsoidFit> fit =
            fitBlurredEllipsoid(f, near.lo, near.hi, bg, noise, stone, peak,
                                integral / std::max(peak, 1.0), priorDensityHu - bg);
        stone.densitySource = fit ? DensitySource::BlurModel : DensitySource::Prior;
        stone.densityHu =
            fit ? fit->background + fit->contrast : std::max(priorDensityHu, stone.huPeak);
        if (fit) {
            takeShape(*fit, stone);
            return stone.densityHu;
        }
    }
    stone.volumeMm3 = integral / (stone.densityHu - bg);
    return stone.densityHu;
}

} // namespace

std::optional<FoundStone> measureCandidate(const ImageFrame &f, const Candidate &c,
                                           double priorDensityHu)
{
    // The neighbourhood reaches two voxels and the blur's width past the
    // candidate; the background shell as far again beyond it.
    double reach[3], scaled[3];
    qint64 nearGrow[3], shellGrow[3];
    for (int a = 0; a < 3; ++a) {
        reach[a] = 2 * f.spacing[a] + 2.5 * f.sigma[a];
        scaled[a] = f.spacing[a] / reach[a];
        nearGrow[a] = qint64(std::ceil(reach[a] / f.spacing[a]));
        shellGrow[a] = 2 * nearGrow[a] + 1;
    }
    const Box near = grown(f, c, nearGrow), outer = grown(f, c, shellGrow);
    qint64 n[3];
    for (int a = 0; a < 3; ++a)
        n[a] = outer.hi[a] - outer.lo[a] + 1;
    std::vector<float> apart(std::size_t(n[0] * n[1] * n[2]), kFarSquared);
    const auto local = [&](qint64 i, qint64 j, qint64 k) {
        return std::size_t((i - outer.lo[0])
                           + n[0] * ((j - outer.lo[1]) + n[1] * (k - outer.lo[2])));
    };
    for (qint64 v : c.voxels) {
        qint64 ijk[3];
        f.indices(v, ijk);
        apart[local(ijk[0], ijk[1], ijk[2])] = 0;
    }
    distanceTransform(apart, n, scaled);
    std::vector<double> shell;
    forEachIn(outer, [&](qint64 i, qint64 j, qint64 k) {
        const double v = f.image.at(i, j, k);
        const float d = apart[local(i, j, k)];
        if (d > kShellFrom * kShellFrom && d <= kShellTo * kShellTo && v < f.level
            && std::isfinite(v))
            shell.push_back(v);
    });
    FoundStone stone;
    stone.backgroundHu = median(shell);
    if (!std::isfinite(stone.backgroundHu))
        return std::nullopt;
    for (double &v : shell)
        v = std::fabs(v - stone.backgroundHu);
    const double noise = std::max(1.0, 1.4826 * median(shell));
    const std::vector<double> values = valuesOf(f, c);
    // The peak: a small stone's brightest voxel; a larger one's median of
    // its 27 brightest, which noise lifts less.
    stone.huPeak = values.size() < kManyVoxels ? values.front() : values[13];
    const double peak = stone.huPeak - stone.backgroundHu;
    if (peak < kSignificance * noise)
        return std::nullopt;
    double integral = 0;
    forEachIn(near, [&](qint64 i, qint64 j, qint64 k) {
        const double v = f.image.at(i, j, k);
        if (std::isfinite(v) && apart[local(i, j, k)] <= 1)
            integral += std::max(v - stone.backgroundHu, -3 * noise);
    });
    integral *= f.voxelVolume;
    if (integral <= 0)
        return std::nullopt;
    moments(f, near, stone.backgroundHu, peak, std::max(3 * noise, 0.2 * peak), stone);
    const double full =
        density(f, near, noise, integral, stone, priorDensityHu) - stone.backgroundHu;
    const double half = stone.backgroundHu + 0.5 * std::min(full, peak * 1.0);
    if (stone.densitySource == DensitySource::BlurModel) {
        // The fit gave its shape; the label is the voxels at half its peak.
        FoundStone border = stone;
        largestDiameters(f, near, half, border);
        stone.voxels = std::move(border.voxels);
    } else {
        moments(f, near, stone.backgroundHu, full, std::max(3 * noise, 0.2 * peak), stone);
        largestDiameters(f, near, half, stone);
    }
    double coreSum = 0;
    int core = 0;
    for (double v : values)
        if (v >= stone.backgroundHu + 0.5 * full) {
            coreSum += v;
            ++core;
        }
    stone.huMean = core ? coreSum / core : values.front();
    // A stone 4 mm across or more, and five of the slices' blur deviations, holds
    // 3 x 3 voxels of its full density in a slice: their means, which noise
    // lifts less than half as much, give its peak.
    const double plateau = std::max(kPlateauWidthMm, 5 * f.sigma[f.sliceAxis]);
    if (*std::min_element(stone.diameters.begin(), stone.diameters.end()) >= plateau)
        if (const double smooth = smoothedPeak(f, c); std::isfinite(smooth))
            stone.huPeak = smooth;
    stone.side = body::sideAt(stone.centre[0], f.midline);
    skinDistances(f, stone);
    return stone;
}

} // namespace measure::stones
