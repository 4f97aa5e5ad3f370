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

// One bit a voxel: whether a candidate has taken it.
struct Claims
{
    explicit Claims(qint64 voxels)
        : bits(std::size_t(voxels / 64 + 1), 0)
    { }
    bool taken(qint64 n) const { return bits[std::size_t(n >> 6)] >> (n & 63) & 1; }
    // Takes voxel n; whether it was free.
    bool claim(qint64 n)
    {
        std::uint64_t &word = bits[std::size_t(n >> 6)];
        const std::uint64_t bit = std::uint64_t(1) << (n & 63);
        const bool free = !(word & bit);
        word |= bit;
        return free;
    }
    std::vector<std::uint64_t> bits;
};

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

// Grows a candidate from a seed over the voxels that `reaches(index)` takes
// (those at or above the level, or a faint candidate's). `claim(index)`
// marks a voxel and says whether it was free. The voxels are kept only while
// the candidate fits within `keepMm`.
template<class Claim, class Reaches>
Candidate flood(const ImageFrame &f, qint64 seed, bool six, double keepMm, Claim claim,
                Reaches reaches)
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
            if (reaches(n) && claim(n))
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

// A stone thinner than the slices are thick is dimmed below the level by
// them, yet the mean of its 3 x 3 voxels within the slice still stands out
// of the noise: voxels whose mean reaches this share of the level grow into
// faint candidates, kept when the fit finds the stone's own density at the
// level.
constexpr double kFaintShare = 0.4;
constexpr double kFaintSeedShare = 0.6; // a faint candidate's brightest voxel reaches this share
constexpr double kFaintFloorHu = 80;    // above soft tissue
// A faint candidate is taken for a stone only when its voxels pin its
// volume down to within this share (one standard deviation, the shape let
// loose): noise that happens to look like a dim stone fits with a far wider
// spread.
constexpr double kFaintSpread = 0.75;

// Whether a voxel belongs to a faint candidate: below the level itself, its
// slice's mean at the faint level.
bool faintReaches(const ImageFrame &f, qint64 index, double faintLevel)
{
    return !f.reaches(index) && f.image.value(index) >= faintLevel
        && f.sliceMean(index) >= faintLevel;
}

// Whether a faint candidate may grow from a voxel: one it takes that is
// bright enough to seed it.
bool faintSeed(const ImageFrame &f, qint64 index, double faintLevel, double seedLevel)
{
    return f.image.value(index) >= seedLevel && faintReaches(f, index, faintLevel);
}

// Whether a candidate touches a voxel at or above the level: a faint one
// that does is the dim rim of a brighter candidate, not a stone of its own.
bool bordersBright(const ImageFrame &f, const Candidate &c)
{
    for (qint64 n : c.voxels) {
        qint64 ijk[3];
        f.indices(n, ijk);
        for (qint64 dk = -1; dk <= 1; ++dk)
            for (qint64 dj = -1; dj <= 1; ++dj)
                for (qint64 di = -1; di <= 1; ++di)
                    if (f.inImage(ijk[0] + di, ijk[1] + dj, ijk[2] + dk)
                        && f.reaches(f.image.index(ijk[0] + di, ijk[1] + dj, ijk[2] + dk)))
                        return true;
    }
    return false;
}

// The faint candidates of the region: grown from the voxels the level's
// candidates left, after them, so that they never take a voxel of theirs.
// None when the faint level would lie within soft tissue's own values.
std::vector<Candidate> faintCandidates(const ImageFrame &f, const Region &region,
                                       const StoneSearchOptions &options, Claims &seen)
{
    std::vector<Candidate> faint;
    const double faintLevel = kFaintShare * options.levelHu;
    const double seedLevel = kFaintSeedShare * options.levelHu;
    if (faintLevel < kFaintFloorHu)
        return faint;
    const auto takes = [&](qint64 m) { return faintReaches(f, m, faintLevel); };
    for (qint64 k = region.lo[2]; k <= region.hi[2]; ++k)
        for (qint64 j = region.lo[1]; j <= region.hi[1]; ++j) {
            const qint64 row = f.image.index(0, j, k);
            for (qint64 i = region.lo[0]; i <= region.hi[0]; ++i) {
                const qint64 n = row + i;
                if (!faintSeed(f, n, faintLevel, seedLevel) || seen.taken(n)
                    || !region.contains(i, j, k))
                    continue;
                Candidate c = flood(
                    f, n, options.sixConnected, options.maxExtentMm,
                    [&](qint64 m) { return seen.claim(m); }, takes);
                if (!c.voxels.empty())
                    faint.push_back(std::move(c));
            }
        }
    return faint;
}

// A faint candidate measured: a stone only when its blurred shape was
// fitted and gives it a density at or above the level, and the fit finds it
// at least as long as the in-plane blur is wide (a few noisy voxels fit as a
// dense speck narrower than that, which nothing in the image can be).
std::optional<FoundStone> faintStone(const ImageFrame &f, const Candidate &c, double prior)
{
    if (c.voxels.empty() || bordersBright(f, c))
        return std::nullopt;
    std::optional<FoundStone> s = measureCandidate(f, c, prior);
    if (!s || s->densitySource != DensitySource::BlurModel || s->densityHu < f.level
        || !(s->voxelSpread <= kFaintSpread) || s->largestDiameterMm < f.inPlaneFwhm)
        return std::nullopt;
    return s;
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
    Claims seen(image.voxelCount());
    const auto claim = [&](qint64 n) { return seen.claim(n); };
    std::vector<Candidate> small;
    for (qint64 k = region.lo[2]; k <= region.hi[2]; ++k)
        for (qint64 j = region.lo[1]; j <= region.hi[1]; ++j) {
            const qint64 row = image.index(0, j, k);
            for (qint64 i = nextReaching(frame, row, region.lo[0], region.hi[0] + 1);
                 i <= region.hi[0]; i = nextReaching(frame, row, i + 1, region.hi[0] + 1)) {
                const qint64 n = row + i;
                if (seen.taken(n) || !region.contains(i, j, k))
                    continue;
                Candidate c = flood(frame, n, options.sixConnected, options.maxExtentMm, claim,
                                    [&](qint64 m) { return frame.reaches(m); });
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
    const double prior = priorDensity(result.stones);
    for (const Candidate &c : faintCandidates(frame, region, options, seen))
        if (std::optional<FoundStone> s = faintStone(frame, c, prior))
            result.stones.push_back(std::move(*s));
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
    qint64 reach[3];
    for (int a = 0; a < 3; ++a)
        reach[a] = qint64(std::ceil(3.0 / frame.spacing[a]));
    const qint64 ci = std::llround(ijk[0]), cj = std::llround(ijk[1]), ck = std::llround(ijk[2]);
    // The voxel within reach that scores highest and at least `least`.
    const auto brightest = [&](double least, auto score) {
        qint64 best = -1;
        for (qint64 k = ck - reach[2]; k <= ck + reach[2]; ++k)
            for (qint64 j = cj - reach[1]; j <= cj + reach[1]; ++j)
                for (qint64 i = ci - reach[0]; i <= ci + reach[0]; ++i)
                    if (frame.inImage(i, j, k)) {
                        const qint64 n = image.index(i, j, k);
                        if (const double value = score(n); value >= least) {
                            least = value;
                            best = n;
                        }
                    }
        return best;
    };
    std::unordered_set<qint64> seen;
    const auto claim = [&](qint64 n) { return seen.size() < 2000000 && seen.insert(n).second; };
    const StoneSearchOptions options;
    if (const qint64 best = brightest(levelHu, [&](qint64 n) { return image.value(n); });
        best >= 0) {
        const Candidate c = flood(frame, best, false, options.maxExtentMm, claim,
                                  [&](qint64 n) { return frame.reaches(n); });
        if (c.voxels.empty())
            return std::nullopt;
        return measureCandidate(frame, c, kPriorDensityHu);
    }
    // Nothing reaches the level: a stone the slices dim below it.
    const double faintLevel = kFaintShare * levelHu;
    if (faintLevel < kFaintFloorHu)
        return std::nullopt;
    const auto takes = [&](qint64 n) { return faintReaches(frame, n, faintLevel); };
    const qint64 best = brightest(faintLevel, [&](qint64 n) {
        return faintSeed(frame, n, faintLevel, kFaintSeedShare * levelHu) ? frame.sliceMean(n)
                                                                          : -1e30;
    });
    if (best < 0)
        return std::nullopt;
    return faintStone(frame, flood(frame, best, false, options.maxExtentMm, claim, takes),
                      kPriorDensityHu);
}

} // namespace measure
