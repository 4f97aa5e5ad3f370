// The stone finder against phantoms of known truth: per size class, the
// volume error beside the 130 HU voxel count and the ellipsoid formula, the
// centre, diameter and density errors, misses and false stones; then the
// whole-image search, one pick and the memory of a 512 x 512 x 300 CT.
// STONES_DETAIL=1 prints a row per stone; STONES_SEED=N draws another set
// of phantoms (7 by default), to see how far the worst cases move.

#include "BenchReport.h"
#include "StonePhantom.h"
#include "measure/StoneCandidate.h"
#include "measure/StoneFinder.h"
#include "model/BodyMidline.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <random>

using namespace measure;

namespace {

struct ClassErrors
{
    int stones = 0, misses = 0;
    double ours = 0, count130 = 0, ellipsoid = 0; // summed relative volume errors
    double centre = 0, diameter = 0;
    double peak = 0;
    int peakStones = 0;
    double worstOurs = 0, worstCentre = 0, worstDiameter = 0, worstPeak = 0;
    double worstSpread = 0; // the worst stone's own volume spread, when fitted
};

// What the goals allow: the worst volume error per class (none for stones
// under 2 mm), centre, largest diameter and peak density.
double volumeGoal(const std::string &name)
{
    return name == "1.5-2mm" ? 0 : name == "2-4mm" ? 25 : 10;
}
constexpr double kCentreGoalMm = 0.5, kDiameterGoalMm = 1, kPeakGoal = 10;

void goal(const QString &name, double value, double limit, const char *unit)
{
    std::printf("BENCH stones_goal_%s %.4g %s (goal %g%s) %s\n", qPrintable(name), value, unit,
                limit, unit, value <= limit ? "met" : "NOT MET");
}

const char *classOf(double diameter)
{
    return diameter < 2 ? "1.5-2mm" : diameter < 4 ? "2-4mm" : diameter < 10 ? "4-10mm" : "10-20mm";
}

// The voxels at 130 HU and more near a stone: their count's volume and the
// ellipsoid formula on their extents.
void fixedCutoff(const ImageVolume &image, const PhantomPlan &plan, const PhantomStone &s,
                 double &countVolume, double &formula)
{
    qint64 lo[3], hi[3], count = 0;
    const double step[3] = {plan.pixel, plan.pixel, plan.slice};
    const double centre[3] = {s.centre[0] / plan.pixel + double(plan.size[0] / 2),
                              s.centre[1] / plan.pixel + double(plan.size[1] / 2),
                              s.centre[2] / plan.slice};
    qint64 mn[3] = {1 << 30, 1 << 30, 1 << 30}, mx[3] = {-1, -1, -1};
    for (int a = 0; a < 3; ++a) {
        const double reach = (s.halfWidth(a) + 2) / step[a];
        lo[a] = std::max<qint64>(0, qint64(centre[a] - reach));
        hi[a] = std::min<qint64>(image.size[a] - 1, qint64(centre[a] + reach + 1));
    }
    for (qint64 k = lo[2]; k <= hi[2]; ++k)
        for (qint64 j = lo[1]; j <= hi[1]; ++j)
            for (qint64 i = lo[0]; i <= hi[0]; ++i)
                if (image.at(i, j, k) >= 130) {
                    ++count;
                    const qint64 ijk[3] = {i, j, k};
                    for (int a = 0; a < 3; ++a) {
                        mn[a] = std::min(mn[a], ijk[a]);
                        mx[a] = std::max(mx[a], ijk[a]);
                    }
                }
    const double voxel = step[0] * step[1] * step[2];
    countVolume = double(count) * voxel;
    formula = count ? 0.52 * double(mx[0] - mn[0] + 1) * step[0] * double(mx[1] - mn[1] + 1)
            * step[1] * double(mx[2] - mn[2] + 1) * step[2]
                    : 0;
}

// The rotation of a unit quaternion drawn uniformly from three uniform
// numbers in [0, 1): its rows are the turned axes.
std::array<std::array<double, 3>, 3> turned(double u1, double u2, double u3)
{
    const double a = std::sqrt(1 - u1), b = std::sqrt(u1), t = 2 * std::numbers::pi;
    const double w = a * std::sin(t * u2), x = a * std::cos(t * u2), y = b * std::sin(t * u3),
                 z = b * std::cos(t * u3);
    return {{{1 - 2 * (y * y + z * z), 2 * (x * y + w * z), 2 * (x * z - w * y)},
             {2 * (x * y - w * z), 1 - 2 * (x * x + z * z), 2 * (y * z + w * x)},
             {2 * (x * z + w * y), 2 * (y * z - w * x), 1 - 2 * (x * x + y * y)}}};
}

double distance(const Point3 &a, const std::array<double, 3> &b)
{
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1])
                     + (a[2] - b[2]) * (a[2] - b[2]));
}

void accuracy()
{
    std::mt19937 random(qEnvironmentVariableIsSet("STONES_SEED")
                            ? qEnvironmentVariable("STONES_SEED").toUInt()
                            : 7u);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto between = [&](double a, double b) { return a + (b - a) * unit(random); };
    std::map<std::string, ClassErrors> classes;
    int falseStones = 0, phantoms = 0, mustFind = 0;
    int fitted = 0, withinTwoSpreads = 0;
    const double sizes[4][2] = {{1.5, 2}, {2, 4}, {4, 10}, {10, 20}};
    for (int round = 0; round < 10; ++round)
        for (const auto &range : sizes) {
            PhantomPlan plan;
            plan.pixel = between(0.6, 0.9);
            plan.slice = between(0.6, 3);
            plan.fwhmInPlane = between(0.6, 1.2);
            plan.noiseHu = between(10, 25);
            plan.seed = unsigned(100 + phantoms++);
            plan.size[0] = plan.size[1] = qint64(180 / plan.pixel);
            plan.size[2] = qint64(std::ceil(70 / plan.slice));
            for (const auto &kidney : phantomKidneys(plan)) {
                PhantomStone s;
                const double d = between(range[0], range[1]);
                const bool sphere = unit(random) < 0.5;
                s.semi = {d / 2, d / 2 * (sphere ? 1 : between(0.6, 1)),
                          d / 2 * (sphere ? 1 : between(0.6, 1))};
                if (!sphere) // a stone lies any way in the kidney
                    s.axes = turned(unit(random), unit(random), unit(random));
                s.hu = between(400, 1600);
                s.centre = {kidney[0] + between(-2, 2), kidney[1] + between(-2, 2),
                            kidney[2] + between(-3, 3)};
                plan.stones.push_back(s);
            }
            const ImageVolume image = makeStonePhantom(plan);
            const StoneSearch found = findStones(image, {});
            std::vector<bool> used(found.stones.size(), false);
            for (const PhantomStone &truth : plan.stones) {
                ClassErrors &c = classes[classOf(truth.largestDiameter())];
                ++c.stones;
                const FoundStone *match = nullptr;
                for (std::size_t n = 0; n < found.stones.size(); ++n)
                    if (!used[n]
                        && distance(found.stones[n].centre, truth.centre)
                            < std::max(3.0, truth.largestDiameter() / 2)) {
                        match = &found.stones[n];
                        used[n] = true;
                        break;
                    }
                if (!match) {
                    ++c.misses;
                    mustFind +=
                        truth.largestDiameter() >= 2 && truth.hu >= 400 && plan.noiseHu <= 20;
                    if (qEnvironmentVariableIsSet("STONES_DETAIL"))
                        std::fprintf(stderr,
                                     "d %.1f hu %.0f pixel %.2f slice %.2f fwhm %.2f noise %.0f: "
                                     "semi %.2f %.2f %.2f missed\n",
                                     truth.largestDiameter(), truth.hu, plan.pixel, plan.slice,
                                     plan.fwhmInPlane, plan.noiseHu, truth.semi[0], truth.semi[1],
                                     truth.semi[2]);
                    continue;
                }
                const double v = truth.volume();
                double count = 0, formula = 0;
                fixedCutoff(image, plan, truth, count, formula);
                const double ours = std::fabs(match->volumeMm3 - v) / v;
                c.ours += ours;
                if (ours > c.worstOurs) {
                    c.worstOurs = ours;
                    c.worstSpread = match->volumeSpread;
                }
                if (match->volumeSpread > 0) {
                    ++fitted;
                    withinTwoSpreads += ours <= 2 * match->volumeSpread;
                }
                if (qEnvironmentVariableIsSet("STONES_DETAIL"))
                    std::fprintf(stderr,
                                 "d %.1f hu %.0f pixel %.2f slice %.2f fwhm %.2f noise %.0f: "
                                 "semi %.2f %.2f %.2f volume %.1f of %.1f, density %.0f (%s) bg "
                                 "%.0f peak %.0f largest %.2f spread %.1f %%\n",
                                 truth.largestDiameter(), truth.hu, plan.pixel, plan.slice,
                                 plan.fwhmInPlane, plan.noiseHu, truth.semi[0], truth.semi[1],
                                 truth.semi[2], match->volumeMm3, v, match->densityHu,
                                 qPrintable(densitySourceKey(match->densitySource)),
                                 match->backgroundHu, match->huPeak, match->largestDiameterMm,
                                 100 * match->volumeSpread);
                c.count130 += std::fabs(count - v) / v;
                c.ellipsoid += std::fabs(formula - v) / v;
                const double centre = distance(match->centre, truth.centre);
                const double diameter =
                    std::fabs(match->largestDiameterMm - truth.largestDiameter());
                c.centre += centre;
                c.diameter += diameter;
                c.worstCentre = std::max(c.worstCentre, centre);
                c.worstDiameter = std::max(c.worstDiameter, diameter);
                if (2 * std::min({truth.semi[0], truth.semi[1], truth.semi[2]}) >= 5) {
                    const double peak = std::fabs(match->huPeak - truth.hu) / truth.hu;
                    c.peak += peak;
                    c.worstPeak = std::max(c.worstPeak, peak);
                    ++c.peakStones;
                }
            }
            falseStones += int(std::count(used.begin(), used.end(), false));
            for (std::size_t n = 0; n < found.stones.size(); ++n)
                if (!used[n] && qEnvironmentVariableIsSet("STONES_DETAIL"))
                    std::fprintf(stderr,
                                 "pixel %.2f slice %.2f fwhm %.2f noise %.0f: false stone: "
                                 "volume %.2f diameters %.2f %.2f %.2f density %.0f peak %.0f "
                                 "spread %.1f %%\n",
                                 plan.pixel, plan.slice, plan.fwhmInPlane, plan.noiseHu,
                                 found.stones[n].volumeMm3, found.stones[n].diameters[0],
                                 found.stones[n].diameters[1], found.stones[n].diameters[2],
                                 found.stones[n].densityHu, found.stones[n].huPeak,
                                 100 * found.stones[n].volumeSpread);
        }
    for (const auto &[name, c] : classes) {
        const int n = std::max(1, c.stones - c.misses);
        const QString at = QString::fromStdString(name);
        report(QStringLiteral("stones_volume_error_ours_") + at, 100 * c.ours / n, "%");
        report(QStringLiteral("stones_volume_error_worst_ours_") + at, 100 * c.worstOurs, "%");
        if (c.worstSpread > 0) // what the voxels allowed that stone
            report(QStringLiteral("stones_volume_spread_of_worst_") + at, 100 * c.worstSpread, "%");
        report(QStringLiteral("stones_volume_error_count130_") + at, 100 * c.count130 / n, "%");
        report(QStringLiteral("stones_volume_error_ellipsoid052_") + at, 100 * c.ellipsoid / n,
               "%");
        report(QStringLiteral("stones_centre_error_") + at, c.centre / n, "mm");
        report(QStringLiteral("stones_largest_diameter_error_") + at, c.diameter / n, "mm");
        if (c.peakStones)
            report(QStringLiteral("stones_peak_density_error_") + at, 100 * c.peak / c.peakStones,
                   "%");
        report(QStringLiteral("stones_missed_") + at, c.misses, "stones");
        report(QStringLiteral("stones_count_") + at, c.stones, "stones");
    }
    report(QStringLiteral("stones_false"), falseStones, "stones");
    // How well a fitted stone's own spread (the voxels' noise through the
    // fit) tells its error: about 95 % should lie within two spreads.
    report(QStringLiteral("stones_fitted_within_two_spreads"),
           100.0 * withinTwoSpreads / std::max(1, fitted), "%");
    for (const auto &[name, c] : classes) {
        const QString at = QString::fromStdString(name);
        if (const double limit = volumeGoal(name); limit > 0)
            goal(QStringLiteral("volume_worst_") + at, 100 * c.worstOurs, limit, "%");
        // The mean error at least three times smaller than the fixed cut-off's.
        goal(QStringLiteral("volume_mean_vs_count130_") + at, c.ours / std::max(c.count130, 1e-9),
             1.0 / 3, "x");
        goal(QStringLiteral("centre_worst_") + at, c.worstCentre, kCentreGoalMm, "mm");
        goal(QStringLiteral("largest_diameter_worst_") + at, c.worstDiameter, kDiameterGoalMm,
             "mm");
        if (c.peakStones)
            goal(QStringLiteral("peak_density_worst_") + at, 100 * c.worstPeak, kPeakGoal, "%");
    }
    goal(QStringLiteral("missed_2mm_400hu_noise20"), mustFind, 0, " stones");
    goal(QStringLiteral("false"), falseStones, 0, " stones");
}

double residentMb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').first().toDouble()
                / 1024;
    return 0;
}

void speed()
{
    PhantomPlan plan;
    plan.size[0] = plan.size[1] = 512;
    plan.size[2] = 300;
    plan.pixel = 0.75;
    plan.slice = 1;
    plan.noiseHu = 15;
    const auto kidneys = phantomKidneys(plan);
    plan.stones = {{kidneys[0], {3, 2.5, 2}, 1000}, {kidneys[1], {1.5, 1.5, 1.5}, 700}};
    const ImageVolume image = makeStonePhantom(plan);
    const double imageMb = double(image.voxelCount()) * 2 / (1 << 20);
    const double before = residentMb("VmRSS:");
    StoneSearch found;
    report(QStringLiteral("stones_search_512x512x300"),
           seconds([&] { found = findStones(image, {}); }), "s");
    const double peak = residentMb("VmHWM:");
    report(QStringLiteral("stones_midline_512x512x300"),
           seconds([&] { body::midlineInImage(image); }), "s");
    report(QStringLiteral("stones_is_ct_512x512x300"), seconds([&] { holdsHounsfield(image); }),
           "s");
    report(QStringLiteral("stones_blur_512x512x300"),
           seconds([&] { stones::inPlaneBlurFwhm(image, 2); }), "s");
    report(QStringLiteral("stones_search_peak_memory_vs_image"),
           (imageMb + std::max(0.0, peak - before)) / imageMb, "x");
    report(QStringLiteral("stones_search_found"), double(found.stones.size()), "stones");
    std::optional<FoundStone> picked;
    const body::Midline midline = body::midlineInImage(image); // the window knows it
    report(QStringLiteral("stones_pick_one_midline_known"),
           1000 * seconds([&] {
               picked = stoneAt(image, {kidneys[0][0], kidneys[0][1], kidneys[0][2]}, 200, midline);
           }),
           "ms");
    report(QStringLiteral("stones_pick_one"),
           1000 * seconds([&] {
               picked = stoneAt(image, {kidneys[0][0], kidneys[0][1], kidneys[0][2]});
           }),
           "ms");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (!qEnvironmentVariableIsSet("STONES_DETAIL"))
        speed();
    if (!qEnvironmentVariableIsSet("STONES_SPEED"))
        accuracy();
    return 0;
}
