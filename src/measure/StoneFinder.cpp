#include "StoneFinder.h"

#include "HuStatistics.h"
#include "StoneCandidate.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <unordered_set>

namespace measure {

using namespace stones;

namespace stones {

namespace {

// The exact squared distance transform along one line (lower envelope of
// parabolas): d[p] = min over q of f[q] + (s (p - q))^2.
void distanceLine(std::vector<double> &f, double s, std::vector<int> &v, std::vector<double> &z,
                  std::vector<double> &d)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    const int n = int(f.size());
    const auto meet = [&](int q, int p) {
        return ((f[std::size_t(q)] + s * s * q * q) - (f[std::size_t(p)] + s * s * p * p))
            / (2 * s * s * (q - p));
    };
    std::size_t k = 0;
    v[0] = 0;
    z[0] = -inf;
    z[1] = inf;
    for (int q = 1; q < n; ++q) {
        double cut = meet(q, v[k]);
        while (cut <= z[k]) {
            --k;
            cut = meet(q, v[k]);
        }
        ++k;
        v[k] = q;
        z[k] = cut;
        z[k + 1] = inf;
    }
    k = 0;
    for (int p = 0; p < n; ++p) {
        while (z[k + 1] < p)
            ++k;
        const int q = v[k];
        d[std::size_t(p)] = f[std::size_t(q)] + s * s * (p - q) * (p - q);
    }
    f = d;
}

} // namespace

void distanceTransform(std::vector<float> &squared, const qint64 n[3], const double spacing[3])
{
    const qint64 stride[3] = {1, n[0], n[0] * n[1]};
    for (int a = 0; a < 3; ++a) {
        const auto length = static_cast<std::size_t>(n[a]);
        std::vector<double> f(length), d(length), z(length + 1);
        std::vector<int> v(length);
        const int b = (a + 1) % 3, c = (a + 2) % 3;
        for (qint64 y = 0; y < n[c]; ++y)
            for (qint64 x = 0; x < n[b]; ++x) {
                const qint64 base = x * stride[b] + y * stride[c];
                for (qint64 p = 0; p < n[a]; ++p)
                    f[std::size_t(p)] = squared[std::size_t(base + p * stride[a])];
                distanceLine(f, spacing[a], v, z, d);
                for (qint64 p = 0; p < n[a]; ++p)
                    squared[std::size_t(base + p * stride[a])] = float(f[std::size_t(p)]);
            }
    }
}

} // namespace stones

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Stones)
};

constexpr double kFar = 1e20; // a squared distance standing for none

// Where seeds may lie: index bounds to scan, and within them a test.
class Region
{
public:
    Region(const ImageFrame &frame, const StoneRegion &region, QString &error)
        : frame(frame)
        , plan(region)
    {
        for (int a = 0; a < 3; ++a) {
            lo[a] = 0;
            hi[a] = frame.image.size[a] - 1;
        }
        if (region.kind == StoneRegion::Kind::Box)
            error = boxBounds();
        else if (region.kind == StoneRegion::Kind::Inside)
            error = insideMask();
    }

    bool contains(qint64 i, qint64 j, qint64 k) const
    {
        if (plan.kind == StoneRegion::Kind::Box) {
            const Point3 p = frame.world(double(i), double(j), double(k));
            for (int a = 0; a < 3; ++a)
                if (p[std::size_t(a)] < boxLo[a] || p[std::size_t(a)] > boxHi[a])
                    return false;
        } else if (plan.kind == StoneRegion::Kind::Inside) {
            const qint64 n = (i - lo[0]) + sub[0] * ((j - lo[1]) + sub[1] * (k - lo[2]));
            return distance[std::size_t(n)] <= plan.marginMm * plan.marginMm;
        }
        return true;
    }

    qint64 lo[3], hi[3];

private:
    // The index bounds of a set of world points, grown by `growMm`, within the image.
    bool boundsOf(const std::vector<Point3> &points, double growMm)
    {
        const Affine toIndex = frame.image.toWorld.inverse();
        double low[3] = {kFar, kFar, kFar}, high[3] = {-kFar, -kFar, -kFar};
        for (const Point3 &p : points) {
            double ijk[3];
            toIndex.apply(p[0], p[1], p[2], ijk);
            for (int a = 0; a < 3; ++a) {
                low[a] = std::min(low[a], ijk[a]);
                high[a] = std::max(high[a], ijk[a]);
            }
        }
        for (int a = 0; a < 3; ++a) {
            const double grow = growMm / frame.spacing[a];
            lo[a] = qint64(std::max(0.0, std::ceil(low[a] - grow - 1e-9)));
            hi[a] = qint64(
                std::min(double(frame.image.size[a] - 1), std::floor(high[a] + grow + 1e-9)));
            if (lo[a] > hi[a])
                return false;
        }
        return true;
    }

    QString boxBounds()
    {
        std::vector<Point3> corners;
        for (int a = 0; a < 3; ++a) {
            boxLo[a] = std::min(plan.box[std::size_t(2 * a)], plan.box[std::size_t(2 * a + 1)]);
            boxHi[a] = std::max(plan.box[std::size_t(2 * a)], plan.box[std::size_t(2 * a + 1)]);
        }
        for (int c = 0; c < 8; ++c)
            corners.push_back({c & 1 ? boxHi[0] : boxLo[0], c & 2 ? boxHi[1] : boxLo[1],
                               c & 4 ? boxHi[2] : boxLo[2]});
        if (boundsOf(corners, 0))
            return {};
        const auto range = [](double a, double b) {
            return QStringLiteral("%1..%2")
                .arg(std::min(a, b), 0, 'f', 1)
                .arg(std::max(a, b), 0, 'f', 1);
        };
        const Point3 p0 = frame.world(0, 0, 0);
        const Point3 p1 =
            frame.world(double(frame.image.size[0] - 1), double(frame.image.size[1] - 1),
                        double(frame.image.size[2] - 1));
        return Text::tr("the box x %1, y %2, z %3 mm lies outside the image, which spans "
                        "x %4, y %5, z %6 mm")
            .arg(range(boxLo[0], boxHi[0]), range(boxLo[1], boxHi[1]), range(boxLo[2], boxHi[2]),
                 range(p0[0], p1[0]), range(p0[1], p1[1]), range(p0[2], p1[2]));
    }

    QString insideMask()
    {
        std::vector<Point3> points;
        for (const TriangleSurface &s : plan.inside)
            for (std::size_t v = 0; v < s.vertexCount(); ++v)
                points.push_back(s.point(std::uint32_t(v)));
        const QString none = Text::tr("the models given enclose no voxel of the image");
        if (points.empty() || !boundsOf(points, plan.marginMm))
            return none;
        for (int a = 0; a < 3; ++a)
            sub[a] = hi[a] - lo[a] + 1;
        distance.assign(std::size_t(sub[0] * sub[1] * sub[2]), kFar);
        const qint64 nx = frame.image.size[0], ny = frame.image.size[1];
        bool any = false;
        for (const TriangleSurface &s : plan.inside)
            forEachInsideRun(s, frame.image, [&](qint64 row, qint64 from, qint64 to) {
                const qint64 j = row % ny - lo[1], k = row / ny - lo[2];
                if (j < 0 || k < 0 || j >= sub[1] || k >= sub[2])
                    return;
                for (qint64 i = std::max(from, lo[0]); i < std::min(to, lo[0] + sub[0]); ++i) {
                    distance[std::size_t((i - lo[0]) + sub[0] * (j + sub[1] * k))] = 0;
                    any = true;
                }
            });
        (void)nx;
        if (!any)
            return none;
        grow();
        return {};
    }

    void grow() { distanceTransform(distance, sub, frame.spacing); }

    const ImageFrame &frame;
    const StoneRegion &plan;
    double boxLo[3] = {0, 0, 0}, boxHi[3] = {0, 0, 0};
    qint64 sub[3] = {0, 0, 0};
    std::vector<float> distance;
};

// Grows a candidate from a seed over the voxels at or above the level.
// `claim(index)` marks a voxel and says whether it was free. The voxels are
// kept only while the candidate fits within `keepMm`.
template<class Claim>
Candidate flood(const ImageFrame &f, qint64 seed, bool six, double keepMm, Claim claim)
{
    struct Step
    {
        qint64 d[3];
        qint64 offset;
    };
    std::vector<Step> steps;
    for (qint64 dk = -1; dk <= 1; ++dk)
        for (qint64 dj = -1; dj <= 1; ++dj)
            for (qint64 di = -1; di <= 1; ++di) {
                const int moved = (di != 0) + (dj != 0) + (dk != 0);
                if (moved != 0 && (!six || moved == 1))
                    steps.push_back(
                        {{di, dj, dk}, di + f.image.size[0] * (dj + f.image.size[1] * dk)});
            }
    Candidate c;
    f.indices(seed, c.lo);
    std::copy(c.lo, c.lo + 3, c.hi);
    std::vector<qint64> stack {seed};
    claim(seed);
    bool keep = true;
    while (!stack.empty()) {
        const qint64 at = stack.back();
        stack.pop_back();
        qint64 ijk[3];
        f.indices(at, ijk);
        for (int a = 0; a < 3; ++a) {
            c.lo[a] = std::min(c.lo[a], ijk[a]);
            c.hi[a] = std::max(c.hi[a], ijk[a]);
            keep = keep && double(c.hi[a] - c.lo[a] + 1) * f.spacing[a] <= keepMm;
        }
        if (keep)
            c.voxels.push_back(at);
        const bool interior = ijk[0] > 0 && ijk[1] > 0 && ijk[2] > 0 && ijk[0] < f.image.size[0] - 1
            && ijk[1] < f.image.size[1] - 1 && ijk[2] < f.image.size[2] - 1;
        for (const Step &s : steps) {
            if (!interior && !f.inImage(ijk[0] + s.d[0], ijk[1] + s.d[1], ijk[2] + s.d[2]))
                continue;
            const qint64 n = at + s.offset;
            if (f.reaches(n) && claim(n))
                stack.push_back(n);
        }
    }
    if (!keep)
        c.voxels.clear();
    return c;
}

// The first voxel of a row from `from` (before `to`) at or above the level; `to` when none.
qint64 nextReaching(const ImageFrame &f, qint64 row, qint64 from, qint64 to)
{
    if (f.shorts) {
        const qint16 *values = f.shorts + row;
        const int level = f.shortLevel;
        while (from < to && values[from] < level)
            ++from;
        return from;
    }
    while (from < to && !f.reaches(row + from))
        ++from;
    return from;
}

ExcludedCandidate excluded(const ImageFrame &f, const Candidate &c, double extent, int axis)
{
    ExcludedCandidate e;
    e.centre = f.world(0.5 * double(c.lo[0] + c.hi[0]), 0.5 * double(c.lo[1] + c.hi[1]),
                       0.5 * double(c.lo[2] + c.hi[2]));
    const char *names[3] = {"i", "j", "k"};
    e.reason = Text::tr("%1 mm long along the image's %2 axis: larger than any stone "
                        "(bone, or contrast)")
                   .arg(extent, 0, 'f', 0)
                   .arg(QLatin1String(names[axis]));
    return e;
}

// The density of the largest stone that shows its own, for those too
// small to: the default when none is at least 4 mm across.
double priorDensity(const std::vector<FoundStone> &found)
{
    const double fourMm = 4.0 / 3.0 * std::numbers::pi * 8;
    double best = 0, density = kPriorDensityHu;
    for (const FoundStone &s : found)
        if (s.densitySource != DensitySource::Prior && s.volumeMm3 >= fourMm
            && s.volumeMm3 > best) {
            best = s.volumeMm3;
            density = s.densityHu;
        }
    return density;
}

} // namespace

QString densitySourceKey(DensitySource source)
{
    switch (source) {
    case DensitySource::Peak:
        return QStringLiteral("peak");
    case DensitySource::BlurModel:
        return QStringLiteral("blur_model");
    case DensitySource::Prior:
        return QStringLiteral("prior");
    }
    return {};
}

double StoneSearch::burdenMm3() const
{
    double sum = 0;
    for (const FoundStone &s : stones)
        sum += s.volumeMm3;
    return sum;
}

QString notHounsfieldText()
{
    return Text::tr("stones are found on a CT in Hounsfield units");
}

bool holdsHounsfield(const ImageVolume &image)
{
    if (image.isEmpty() || !image.toWorld.isUsable())
        return false;
    if (!image.unit.isEmpty() && image.unit != u"HU")
        return false;
    if (!image.modality.isEmpty() && image.modality != u"CT")
        return false;
    // Air or fat: the first such voxel ends the look, so a CT is told at once.
    if (!image.shorts.empty())
        return std::any_of(image.shorts.begin(), image.shorts.end(),
                           [](qint16 v) { return v < -100; });
    return std::any_of(image.floats.begin(), image.floats.end(), [](float v) { return v < -100; });
}

StoneSearch findStones(const ImageVolume &image, const StoneSearchOptions &options)
{
    StoneSearch result;
    if (!holdsHounsfield(image)) {
        result.error = notHounsfieldText();
        return result;
    }
    const ImageFrame frame(image, options.levelHu);
    const Region region(frame, options.region, result.error);
    if (!result.error.isEmpty())
        return result;
    std::vector<std::uint64_t> seen(std::size_t(image.voxelCount() / 64 + 1), 0);
    const auto claim = [&](qint64 n) {
        std::uint64_t &word = seen[std::size_t(n >> 6)];
        const std::uint64_t bit = std::uint64_t(1) << (n & 63);
        const bool free = !(word & bit);
        word |= bit;
        return free;
    };
    std::vector<Candidate> small;
    for (qint64 k = region.lo[2]; k <= region.hi[2]; ++k)
        for (qint64 j = region.lo[1]; j <= region.hi[1]; ++j) {
            const qint64 row = image.index(0, j, k);
            for (qint64 i = nextReaching(frame, row, region.lo[0], region.hi[0] + 1);
                 i <= region.hi[0]; i = nextReaching(frame, row, i + 1, region.hi[0] + 1)) {
                const qint64 n = row + i;
                if ((seen[std::size_t(n >> 6)] >> (n & 63) & 1) || !region.contains(i, j, k))
                    continue;
                Candidate c = flood(frame, n, options.sixConnected, options.maxExtentMm, claim);
                int axis = 0;
                if (const double extent = largestExtent(frame, c, axis);
                    extent > options.maxExtentMm)
                    result.excluded.push_back(excluded(frame, c, extent, axis));
                else
                    small.push_back(std::move(c));
            }
        }
    std::vector<std::size_t> fromPrior;
    for (const Candidate &c : small)
        if (std::optional<FoundStone> s = measureCandidate(frame, c, kPriorDensityHu)) {
            if (s->densitySource == DensitySource::Prior)
                fromPrior.push_back(result.stones.size());
            result.stones.push_back(std::move(*s));
        }
    // Measured again with the density their larger neighbours show.
    if (const double prior = priorDensity(result.stones); prior != kPriorDensityHu) {
        std::size_t n = 0, kept = 0;
        for (const Candidate &c : small)
            if (std::optional<FoundStone> s = measureCandidate(frame, c, prior)) {
                if (kept < fromPrior.size() && fromPrior[kept] == n) {
                    result.stones[n] = std::move(*s);
                    ++kept;
                }
                ++n;
            }
    }
    std::stable_sort(
        result.stones.begin(), result.stones.end(),
        [](const FoundStone &a, const FoundStone &b) { return a.centre[2] > b.centre[2]; });
    return result;
}

std::optional<FoundStone> stoneAt(const ImageVolume &image, const Point3 &point, double levelHu,
                                  const std::optional<body::Midline> &midline)
{
    if (!holdsHounsfield(image))
        return std::nullopt;
    const ImageFrame frame(image, levelHu, midline);
    const Affine toIndex = image.toWorld.inverse();
    double ijk[3];
    toIndex.apply(point[0], point[1], point[2], ijk);
    qint64 best = -1;
    double bestValue = levelHu;
    qint64 reach[3];
    for (int a = 0; a < 3; ++a)
        reach[a] = qint64(std::ceil(3.0 / frame.spacing[a]));
    const qint64 ci = std::llround(ijk[0]), cj = std::llround(ijk[1]), ck = std::llround(ijk[2]);
    for (qint64 k = ck - reach[2]; k <= ck + reach[2]; ++k)
        for (qint64 j = cj - reach[1]; j <= cj + reach[1]; ++j)
            for (qint64 i = ci - reach[0]; i <= ci + reach[0]; ++i)
                if (frame.inImage(i, j, k) && image.at(i, j, k) >= bestValue) {
                    bestValue = image.at(i, j, k);
                    best = image.index(i, j, k);
                }
    if (best < 0)
        return std::nullopt;
    std::unordered_set<qint64> seen;
    const auto claim = [&](qint64 n) { return seen.size() < 2000000 && seen.insert(n).second; };
    const Candidate c = flood(frame, best, false, StoneSearchOptions().maxExtentMm, claim);
    if (c.voxels.empty())
        return std::nullopt;
    return measureCandidate(frame, c, kPriorDensityHu);
}

} // namespace measure
