// A blurred uniform ellipsoid fitted to the voxels around a stone that is
// too small to keep its own density anywhere: its centre, semi-axes and
// contrast by Levenberg-Marquardt on the voxel values, the blur known; then,
// for a stone longer than the blur is wide, the turn of its axes too, since
// the blurred voxels' moments tilt them by tens of degrees.

#include "StoneCandidate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace measure::stones {

namespace {

// centre (3), log semi-axes (3), contrast, background, turn of the axes (3)
constexpr int kParameters = 11;
constexpr int kContrast = 6, kBackground = 7, kTurn = 8; // where each sits
// The centre and semi-axes: what a fit that does not turn depends on non-linearly.
constexpr int kShape = 6;
// Those the model depends on non-linearly, with the step of their differences.
constexpr int kNonLinear[] = {0, 1, 2, 3, 4, 5, 8, 9, 10};
constexpr double kDifference[] = {0.02, 0.02, 0.02, 0.01, 0.01, 0.01, 0.02, 0.02, 0.02};
// How far, in log units, the semi-axes are let stray from their mean
// before the fit pays for it. A stone thinner than the slices shows its
// height only faintly and one under the blur its shape hardly at all; there
// noise alone stretches a free fit and trades its density for its volume.
// Small stones are rounded, their axes seldom under 0.6 of the longest:
// within two of these spreads of the mean.
constexpr double kShapeSpread = 0.25;
// The stray let to the shape when asking how closely the voxels themselves,
// not the roundness assumed, pin a stone's volume down.
constexpr double kLooseShapeSpread = 0.5;
// How far (HU) the contrast is let stray from the typical stone's before the
// fit pays for it: a stone under the slice thickness shows its summed
// contrast well but trades its density against its size almost freely, and
// then a plausible density beats one that noise happened to favour.
constexpr double kDensitySpread = 400;
// How far (radians) the axes are let turn from those the voxels' moments
// suggest: a stone thinner than the slices shows its tilt only faintly, and
// the blur's moments then err by tens of degrees.
constexpr double kTurnSpread = 0.5;
constexpr int kIterations = 30;
constexpr double kSettled =
    0.01; // a fall of the cost (in squared noise deviations) too small to go on for

double normalCdf(double x)
{
    return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}

// The voxels of the neighbourhood in a frame of millimetres along the index
// axes, ordered so that the slice axis comes last.
struct Voxels
{
    int order[3];   // index axis of local x, y, z
    qint64 n[3];    // voxels along local x, y, z
    double step[3]; // mm
    double sigma[3];
    std::vector<double> values; // x fastest, then y, then z; NaN where unused
};

Voxels gather(const ImageFrame &f, const qint64 lo[3], const qint64 hi[3], double floor)
{
    Voxels v;
    v.order[2] = f.sliceAxis;
    v.order[0] = (f.sliceAxis + 1) % 3;
    v.order[1] = (f.sliceAxis + 2) % 3;
    for (int a = 0; a < 3; ++a) {
        v.n[a] = hi[v.order[a]] - lo[v.order[a]] + 1;
        v.step[a] = f.spacing[v.order[a]];
        v.sigma[a] = f.psfSigma[v.order[a]];
    }
    v.values.reserve(std::size_t(v.n[0] * v.n[1] * v.n[2]));
    qint64 ijk[3];
    for (qint64 z = 0; z < v.n[2]; ++z)
        for (qint64 y = 0; y < v.n[1]; ++y)
            for (qint64 x = 0; x < v.n[0]; ++x) {
                ijk[v.order[0]] = lo[v.order[0]] + x;
                ijk[v.order[1]] = lo[v.order[1]] + y;
                ijk[v.order[2]] = lo[v.order[2]] + z;
                const double value = f.image.at(ijk[0], ijk[1], ijk[2]);
                // Fat or air next to the stone belongs to neither it nor its background.
                v.values.push_back(value >= floor ? value
                                                  : std::numeric_limits<double>::quiet_NaN());
            }
    return v;
}

// The share of a unit contrast each voxel of `v` shows of the blurred
// ellipsoid with centre `c` (local mm), unit axes `axes` (local) and
// semi-axes `semi`: the chord through the ellipsoid along z integrated
// against the blur in closed form, and over x and y on a grid.
void shares(const Voxels &v, const double c[3], const double axes[3][3], const double semi[3],
            std::vector<double> &out)
{
    double A[3][3] = {};
    for (int k = 0; k < 3; ++k)
        for (int r = 0; r < 3; ++r)
            for (int s = 0; s < 3; ++s)
                A[r][s] += axes[k][r] * axes[k][s] / (semi[k] * semi[k]);
    const double azz = A[2][2], ax = A[0][2], ay = A[1][2];
    const double B[2][2] = {{A[0][0] - ax * ax / azz, A[0][1] - ax * ay / azz},
                            {A[1][0] - ay * ax / azz, A[1][1] - ay * ay / azz}};
    const double det = B[0][0] * B[1][1] - B[0][1] * B[1][0];
    const double wx = std::sqrt(std::max(1e-12, B[1][1] / det));
    const double wy = std::sqrt(std::max(1e-12, B[0][0] / det));
    const double h = std::max(std::min({0.5 * v.sigma[0], 0.5 * v.sigma[1], wx / 5, wy / 5}),
                              std::max(wx, wy) / 30);
    const int mx = int(std::ceil(wx / h)), my = int(std::ceil(wy / h));
    const int gx = 2 * mx + 1, gy = 2 * my + 1;
    // The chord of each grid point, and the blur's share of it on each slice.
    const auto nz = std::size_t(v.n[2]);
    std::vector<double> chord(std::size_t(gx * gy) * nz, 0.0);
    for (int b = 0; b < gy; ++b)
        for (int a = 0; a < gx; ++a) {
            const double qx = (a - mx) * h, qy = (b - my) * h;
            const double rho =
                qx * (B[0][0] * qx + B[0][1] * qy) + qy * (B[1][0] * qx + B[1][1] * qy);
            if (rho >= 1)
                continue;
            const double mid = c[2] - (ax * qx + ay * qy) / azz;
            const double half = std::sqrt((1 - rho) / azz);
            for (std::size_t z = 0; z < nz; ++z) {
                const double at = double(z) * v.step[2] - mid;
                chord[(z * std::size_t(gy) + std::size_t(b)) * std::size_t(gx) + std::size_t(a)] =
                    normalCdf((at + half) / v.sigma[2]) - normalCdf((at - half) / v.sigma[2]);
            }
        }
    const auto gauss = [&](int axis, qint64 n, int m, double grid, int count) {
        std::vector<double> g(std::size_t(n) * std::size_t(count));
        const double norm = 1 / (std::sqrt(2 * std::numbers::pi) * v.sigma[axis]);
        for (qint64 p = 0; p < n; ++p)
            for (int q = 0; q < count; ++q) {
                const double d =
                    (double(p) * v.step[axis] - c[axis] - (q - m) * grid) / v.sigma[axis];
                g[std::size_t(p) * std::size_t(count) + std::size_t(q)] =
                    h * norm * std::exp(-0.5 * d * d);
            }
        return g;
    };
    const std::vector<double> fx = gauss(0, v.n[0], mx, h, gx), fy = gauss(1, v.n[1], my, h, gy);
    // Along y first (each slice, each grid column), then along x.
    std::vector<double> rows(std::size_t(v.n[1]) * std::size_t(gx));
    out.assign(v.values.size(), 0.0);
    for (std::size_t z = 0; z < nz; ++z) {
        const double *slice = chord.data() + z * std::size_t(gy * gx);
        for (qint64 y = 0; y < v.n[1]; ++y)
            for (int a = 0; a < gx; ++a) {
                double sum = 0;
                for (int b = 0; b < gy; ++b)
                    sum += fy[std::size_t(y) * std::size_t(gy) + std::size_t(b)]
                        * slice[std::size_t(b * gx + a)];
                rows[std::size_t(y) * std::size_t(gx) + std::size_t(a)] = sum;
            }
        for (qint64 y = 0; y < v.n[1]; ++y)
            for (qint64 x = 0; x < v.n[0]; ++x) {
                double sum = 0;
                for (int a = 0; a < gx; ++a)
                    sum += fx[std::size_t(x) * std::size_t(gx) + std::size_t(a)]
                        * rows[std::size_t(y) * std::size_t(gx) + std::size_t(a)];
                out[(z * std::size_t(v.n[1]) + std::size_t(y)) * std::size_t(v.n[0])
                    + std::size_t(x)] = sum;
            }
    }
}

// Solves the symmetric positive system m x = b in place (Gaussian
// elimination with partial pivoting); false when it is singular.
bool solve(double m[kParameters][kParameters], double b[kParameters])
{
    for (int col = 0; col < kParameters; ++col) {
        int pivot = col;
        for (int r = col + 1; r < kParameters; ++r)
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col]))
                pivot = r;
        if (std::fabs(m[pivot][col]) < 1e-300)
            return false;
        std::swap(m[col], m[pivot]);
        std::swap(b[col], b[pivot]);
        for (int r = col + 1; r < kParameters; ++r) {
            const double t = m[r][col] / m[col][col];
            for (int k = col; k < kParameters; ++k)
                m[r][k] -= t * m[col][k];
            b[r] -= t * b[col];
        }
    }
    for (int r = kParameters - 1; r >= 0; --r) {
        for (int k = r + 1; k < kParameters; ++k)
            b[r] -= m[r][k] * b[k];
        b[r] /= m[r][r];
    }
    return true;
}

// Scales a 3-vector to unit length.
void normalise(double v[3])
{
    const double norm = std::max(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]), 1e-12);
    for (int a = 0; a < 3; ++a)
        v[a] /= norm;
}

// The axes turned by the rotation vector r (Rodrigues' formula).
void turn(const double axes[3][3], const double r[3], double out[3][3])
{
    const double angle = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
    double k[3] = {0, 0, 0};
    if (angle > 1e-12)
        for (int a = 0; a < 3; ++a)
            k[a] = r[a] / angle;
    const double c = std::cos(angle), s = std::sin(angle);
    for (int n = 0; n < 3; ++n) {
        const double *v = axes[n];
        const double dot = k[0] * v[0] + k[1] * v[1] + k[2] * v[2];
        const double cross[3] = {k[1] * v[2] - k[2] * v[1], k[2] * v[0] - k[0] * v[2],
                                 k[0] * v[1] - k[1] * v[0]};
        for (int a = 0; a < 3; ++a)
            out[n][a] = v[a] * c + cross[a] * s + k[a] * dot * (1 - c);
    }
}

// The normal equations J^T J x = J^T r of a fit's weighted residuals.
struct Normal
{
    double jtj[kParameters][kParameters];
    double jtr[kParameters];
};

class Fit
{
public:
    Fit(const Voxels &v, const double axes[3][3], double noise, double priorContrast, bool turns,
        double shapeSpread = kShapeSpread)
        : v(v)
        , noise(noise)
        , priorContrast(priorContrast)
        , shapeSpread(shapeSpread)
        , turns(turns)
    {
        std::copy(&axes[0][0], &axes[0][0] + 9, &this->axes[0][0]);
    }

    // Sum of the squared weighted residuals and the shape prior's.
    double cost(const double p[kParameters], std::vector<double> &s) const
    {
        model(p, s);
        double sum = 0;
        for (std::size_t n = 0; n < v.values.size(); ++n)
            if (std::isfinite(v.values[n])) {
                const double r = (v.values[n] - p[kBackground] - p[kContrast] * s[n]) / noise;
                sum += r * r;
            }
        const double mean = (p[3] + p[4] + p[5]) / 3;
        for (int k = 3; k < 6; ++k)
            sum += (p[k] - mean) * (p[k] - mean) / (shapeSpread * shapeSpread);
        for (int k = kTurn; k < kTurn + 3; ++k)
            sum += p[k] * p[k] / (kTurnSpread * kTurnSpread);
        const double off = (p[kContrast] - priorContrast) / kDensitySpread;
        return sum + off * off;
    }

    void model(const double p[kParameters], std::vector<double> &s) const
    {
        const double semi[3] = {std::exp(p[3]), std::exp(p[4]), std::exp(p[5])};
        double turned[3][3];
        turnedAxes(p, turned);
        shares(v, p, turned, semi, s);
    }

    void turnedAxes(const double p[kParameters], double out[3][3]) const
    {
        turn(axes, p + kTurn, out);
    }

    // One step of Levenberg-Marquardt from `p`, whose normal equations are
    // `at`, with damping `lambda`.
    static bool step(const Normal &at, const double p[kParameters], double lambda,
                     double next[kParameters])
    {
        Normal damped = at;
        for (int a = 0; a < kParameters; ++a)
            damped.jtj[a][a] *= 1 + lambda;
        if (!solve(damped.jtj, damped.jtr))
            return false;
        for (int a = 0; a < kParameters; ++a)
            next[a] = p[a] + damped.jtr[a];
        for (int k = 3; k < 6; ++k) // between 0.1 and 30 mm
            next[k] = std::clamp(next[k], std::log(0.1), std::log(30.0));
        return true;
    }

    // The standard deviation of the log volume where the normal equations
    // are `at`: how closely the voxels and the priors pin the volume down,
    // from the cost's curvature.
    static double logVolumeSpread(const Normal &at)
    {
        double jtj[kParameters][kParameters], x[kParameters] = {};
        std::copy(&at.jtj[0][0], &at.jtj[0][0] + kParameters * kParameters, &jtj[0][0]);
        x[3] = x[4] = x[5] = 1;
        if (!solve(jtj, x))
            return std::numeric_limits<double>::infinity();
        return std::sqrt(std::max(0.0, x[3] + x[4] + x[5]));
    }

    // The normal equations of the weighted residuals and the priors at `p`.
    void normal(const double p[kParameters], Normal &out) const
    {
        auto &jtj = out.jtj;
        double *jtr = out.jtr;
        std::fill(&jtj[0][0], &jtj[0][0] + kParameters * kParameters, 0.0);
        std::fill(jtr, jtr + kParameters, 0.0);
        const int kMoved = turns ? int(std::size(kNonLinear)) : kShape;
        std::vector<double> base, moved[std::size(kNonLinear)];
        model(p, base);
        for (int m = 0; m < kMoved; ++m) {
            double q[kParameters];
            std::copy(p, p + kParameters, q);
            q[kNonLinear[m]] += kDifference[m];
            model(q, moved[m]);
        }
        for (std::size_t n = 0; n < base.size(); ++n) {
            if (!std::isfinite(v.values[n]))
                continue;
            double j[kParameters] = {};
            for (int m = 0; m < kMoved; ++m)
                j[kNonLinear[m]] = p[kContrast] * (moved[m][n] - base[n]) / kDifference[m] / noise;
            j[kContrast] = base[n] / noise;
            j[kBackground] = 1 / noise;
            const double r = (v.values[n] - p[kBackground] - p[kContrast] * base[n]) / noise;
            for (int a = 0; a < kParameters; ++a) {
                jtr[a] += j[a] * r;
                for (int b = 0; b < kParameters; ++b)
                    jtj[a][b] += j[a] * j[b];
            }
        }
        // The shape prior: each log semi-axis against their mean.
        const double mean = (p[3] + p[4] + p[5]) / 3, w = 1 / shapeSpread;
        for (int k = 3; k < 6; ++k) {
            double j[3];
            for (int a = 0; a < 3; ++a)
                j[a] = w * ((a + 3 == k) - 1.0 / 3);
            const double r = -w * (p[k] - mean);
            for (int a = 0; a < 3; ++a) {
                jtr[a + 3] += j[a] * r;
                for (int b = 0; b < 3; ++b)
                    jtj[a + 3][b + 3] += j[a] * j[b];
            }
        }
        // The turn's prior: toward the moments' axes.
        for (int k = kTurn; k < kTurn + 3; ++k) {
            jtj[k][k] += 1 / (kTurnSpread * kTurnSpread);
            jtr[k] -= p[k] / (kTurnSpread * kTurnSpread);
        }
        // The density prior: the contrast against the typical one.
        jtj[kContrast][kContrast] += 1 / (kDensitySpread * kDensitySpread);
        jtr[kContrast] += (priorContrast - p[kContrast]) / (kDensitySpread * kDensitySpread);
    }

private:
    const Voxels &v;
    double axes[3][3];
    double noise;
    double priorContrast;
    double shapeSpread;
    bool turns; // else the axes stay as they came
};

// Levenberg-Marquardt from `p` until the cost settles; `p` the best found,
// `at` the normal equations of the last point the steps were taken from
// (the best one but for the last, settling step).
void settle(const Fit &fit, double p[kParameters], Normal &at)
{
    std::vector<double> s;
    double best = fit.cost(p, s), lambda = 1e-3;
    fit.normal(p, at);
    for (int n = 0; n < kIterations; ++n) {
        double next[kParameters];
        if (!Fit::step(at, p, lambda, next))
            break;
        const double c = fit.cost(next, s);
        if (c < best) {
            const bool settled = best - c < kSettled;
            std::copy(next, next + kParameters, p);
            best = c;
            lambda = std::max(1e-7, lambda / 5);
            if (settled)
                break;
            fit.normal(p, at);
        } else if ((lambda *= 10) > 1e6) { // a step refused leaves `at` as it was
            break;
        }
    }
}

} // namespace

double EllipsoidFit::volume() const
{
    return 4.0 / 3.0 * std::numbers::pi * semi[0] * semi[1] * semi[2];
}

std::optional<EllipsoidFit> fitBlurredEllipsoid(const ImageFrame &f, const qint64 lo[3],
                                                const qint64 hi[3], double background, double noise,
                                                const FoundStone &start, double startContrast,
                                                double startVolume, double priorContrast)
{
    const Voxels v = gather(f, lo, hi, background - 5 * noise);
    // The start: a sphere of the given volume at the stone's centre, its
    // axes the stone's principal directions in the local frame.
    const Affine toIndex = f.image.toWorld.inverse();
    double centreIndex[3];
    toIndex.apply(start.centre[0], start.centre[1], start.centre[2], centreIndex);
    double p[kParameters];
    for (int a = 0; a < 3; ++a)
        p[a] = (centreIndex[v.order[a]] - double(lo[v.order[a]])) * v.step[a];
    const double radius = std::cbrt(3 * std::max(startVolume, 0.05) / (4 * std::numbers::pi));
    for (int k = 3; k < 6; ++k)
        p[k] = std::log(radius);
    p[kContrast] = startContrast;
    p[kBackground] = background;
    std::fill(p + kTurn, p + kTurn + 3, 0.0);
    // The world's direction of each local axis: column a is local axis a.
    double cosines[3][3];
    for (int r = 0; r < 3; ++r)
        for (int a = 0; a < 3; ++a)
            cosines[r][a] = f.image.toWorld.m[r][v.order[a]] / f.spacing[v.order[a]];
    double axes[3][3];
    for (int k = 0; k < 3; ++k) {
        for (int a = 0; a < 3; ++a) {
            axes[k][a] = 0;
            for (int r = 0; r < 3; ++r)
                axes[k][a] += cosines[r][a] * start.axes[std::size_t(k)][std::size_t(r)];
        }
        normalise(axes[k]);
    }
    // The axes turn only for a stone longer than the blur is wide: a
    // smaller one shows no tilt the noise could not fake. A stone whose
    // moments are wider than the blur every way turns from the start; any
    // other is first fitted on the moments' axes and then judged.
    const double blur = std::max({v.sigma[0], v.sigma[1], v.sigma[2]});
    Normal at;
    bool turns = start.diameters[2] / 2 > blur;
    if (!turns) {
        settle(Fit(v, axes, noise, priorContrast, false), p, at);
        turns = std::max({p[3], p[4], p[5]}) > std::log(blur);
    }
    const Fit fit(v, axes, noise, priorContrast, turns);
    if (turns)
        settle(fit, p, at);
    if (!(p[kContrast] > 0))
        return std::nullopt;
    EllipsoidFit result;
    double index[3];
    for (int a = 0; a < 3; ++a)
        index[v.order[a]] = double(lo[v.order[a]]) + p[a] / v.step[a];
    result.centre = f.world(index[0], index[1], index[2]);
    double turned[3][3];
    fit.turnedAxes(p, turned);
    for (int k = 0; k < 3; ++k) {
        result.semi[std::size_t(k)] = std::exp(p[3 + k]);
        Point3 &axis = result.axes[std::size_t(k)]; // back from the local frame to the world
        for (int r = 0; r < 3; ++r) {
            axis[std::size_t(r)] = 0;
            for (int a = 0; a < 3; ++a)
                axis[std::size_t(r)] += cosines[r][a] * turned[k][a];
        }
        normalise(axis.data());
    }
    result.contrast = p[kContrast];
    result.background = p[kBackground];
    result.volumeSpread = std::expm1(Fit::logVolumeSpread(at));
    Normal loose;
    Fit(v, axes, noise, priorContrast, turns, kLooseShapeSpread).normal(p, loose);
    result.voxelSpread = std::expm1(Fit::logVolumeSpread(loose));
    return result;
}

} // namespace measure::stones
