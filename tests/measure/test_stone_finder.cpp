// The stone finder on small phantoms of known truth.

#include "Shapes.h"
#include "StonePhantom.h"
#include "measure/ModelSurface.h"
#include "measure/StoneCandidate.h"
#include "measure/StoneFinder.h"
#include "measure/StoneModel.h"
#include "measure/SurfaceMeasures.h"
#include "model/ModelClass.h"

#include <QTest>

#include <cmath>

using namespace measure;

namespace {

using Semi = std::array<double, 3>; // a phantom stone's semi-axes (mm)

// A body 134 x 90 mm, 62 mm long: kidneys 27 mm either side of the midline.
PhantomPlan smallBody()
{
    PhantomPlan plan;
    plan.size[0] = 192;
    plan.size[1] = 128;
    plan.size[2] = 50;
    plan.pixel = 0.7;
    plan.slice = 1.25;
    plan.noiseHu = 15;
    return plan;
}

// A phantom stone's axes turned by `degrees` about x: out of the axial plane.
std::array<std::array<double, 3>, 3> tiltedAxes(double degrees)
{
    const double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
    return {{{1, 0, 0}, {0, c, s}, {0, -s, c}}};
}

// The diameter of the stone's section by the axial plane through its centre:
// 2 / sqrt of the least eigenvalue of its quadratic form's x-y block.
double axialDiameter(const PhantomStone &stone)
{
    double q[2][2] = {};
    for (std::size_t k = 0; k < 3; ++k)
        for (std::size_t r = 0; r < 2; ++r)
            for (std::size_t c = 0; c < 2; ++c)
                q[r][c] += stone.axes[k][r] * stone.axes[k][c] / (stone.semi[k] * stone.semi[k]);
    const double mean = (q[0][0] + q[1][1]) / 2,
                 apart = std::hypot((q[0][0] - q[1][1]) / 2, q[0][1]);
    return 2 / std::sqrt(mean - apart);
}

double distance(const Point3 &a, const std::array<double, 3> &b)
{
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

const FoundStone *nearest(const StoneSearch &found, const std::array<double, 3> &at)
{
    const FoundStone *best = nullptr;
    for (const FoundStone &s : found.stones)
        if (!best || distance(s.centre, at) < distance(best->centre, at))
            best = &s;
    return best;
}

} // namespace

class TestStoneFinder : public QObject
{
    Q_OBJECT

private slots:
    // A 5 mm sphere and a 2.5 mm one at 1000 and 600 HU: volumes within 10
    // and 25 %, the centre within 0.5 mm, diameters within 1 mm, the peak
    // within 10 %, and no other stone; the spine excluded with its reason.
    void measuresStonesOfKnownSize()
    {
        PhantomPlan plan = smallBody();
        const auto kidneys = phantomKidneys(plan);
        const PhantomStone large {
            {kidneys[0][0] + 0.3, kidneys[0][1] - 0.2, kidneys[0][2] + 0.4}, {2.5, 2.5, 2.5}, 1000};
        const PhantomStone small {
            {kidneys[1][0], kidneys[1][1] + 0.3, kidneys[1][2] - 0.5}, {1.25, 1.25, 1.25}, 600};
        plan.stones = {large, small};
        const ImageVolume image = makeStonePhantom(plan);
        const StoneSearch found = findStones(image, {});
        QVERIFY(found.error.isEmpty());
        QCOMPARE(found.stones.size(), std::size_t(2));
        const FoundStone *a = nearest(found, large.centre), *b = nearest(found, small.centre);
        QVERIFY(a != b);
        QVERIFY2(std::fabs(a->volumeMm3 / large.volume() - 1) < 0.10,
                 qPrintable(QString::number(a->volumeMm3)));
        QVERIFY2(std::fabs(b->volumeMm3 / small.volume() - 1) < 0.25,
                 qPrintable(QString::number(b->volumeMm3)));
        QVERIFY(distance(a->centre, large.centre) < 0.5);
        QVERIFY(distance(b->centre, small.centre) < 0.5);
        for (double d : a->diameters)
            QVERIFY2(std::fabs(d - 5) < 1, qPrintable(QString::number(d)));
        QVERIFY(std::fabs(a->largestDiameterMm - 5) < 1);
        QVERIFY(std::fabs(a->axialDiameterMm - 5) < 1);
        QVERIFY(a->axialDiameterMm <= a->largestDiameterMm + 1e-9);
        QVERIFY(std::fabs(a->huPeak / 1000 - 1) < 0.1);
        QVERIFY(a->huMean > 700 && a->huMean <= a->huPeak + 50);
        // The stone at +x lies on the patient's right of the spine, the other on the left.
        QCOMPARE(a->side, anatomy::Side::Right);
        QCOMPARE(b->side, anatomy::Side::Left);
        // The skin is the body's outline, an ellipse: the shortest distance
        // from the centre, and the mean of the rays straight back, at 45
        // degrees and sideways toward the stone's side.
        const double A = 0.46 * 192 * 0.7, B = 0.42 * 128 * 0.7;
        const auto along = [&](double x, double y, double ux, double uy) {
            const double qa = ux * ux / (A * A) + uy * uy / (B * B);
            const double qb = 2 * (x * ux / (A * A) + y * uy / (B * B));
            const double qc = x * x / (A * A) + y * y / (B * B) - 1;
            return (-qb + std::sqrt(qb * qb - 4 * qa * qc)) / (2 * qa);
        };
        const double x = a->centre[0], y = a->centre[1];
        double shortest = 1e9;
        for (int n = 0; n < 3600; ++n) {
            const double t = n * 2 * M_PI / 3600;
            shortest = std::min(shortest, std::hypot(A * std::cos(t) - x, B * std::sin(t) - y));
        }
        QVERIFY(a->skinDistanceMm && a->swlSkinDistanceMm);
        QVERIFY2(std::fabs(*a->skinDistanceMm - shortest) < 1,
                 qPrintable(QString::number(*a->skinDistanceMm)));
        const double c = std::sqrt(0.5);
        const double swl = (along(x, y, 0, -1) + along(x, y, c, -c) + along(x, y, 1, 0)) / 3;
        QVERIFY2(std::fabs(*a->swlSkinDistanceMm - swl) < 1,
                 qPrintable(QString::number(*a->swlSkinDistanceMm)));
        QCOMPARE(found.excluded.size(), std::size_t(1));
        QVERIFY(found.excluded[0].reason.contains(QLatin1String("larger than any stone")));
        QVERIFY(std::fabs(found.excluded[0].centre[0]) < 3); // the spine, on the midline
        QVERIFY(std::fabs(found.burdenMm3() - a->volumeMm3 - b->volumeMm3) < 1e-9);
    }

    // Stones whose density the blur hides or noise blurs: small ones under
    // thick slices, faint ones, flat ones; each alone in a body whose
    // outline shows the blur.
    void measuresHardStones_data()
    {
        QTest::addColumn<Semi>("semi");
        QTest::addColumn<double>("hu");
        QTest::addColumn<double>("slice");
        QTest::addColumn<double>("fwhm");
        QTest::addColumn<double>("noise");
        QTest::addColumn<double>("tilt"); // degrees out of the axial plane
        QTest::newRow("2.6 mm under 3 mm slices")
            << std::array {1.3, 1.3, 1.3} << 1000.0 << 3.0 << 1.0 << 15.0 << 0.0;
        QTest::newRow("3 mm at 450 HU")
            << std::array {1.5, 1.5, 1.5} << 450.0 << 1.5 << 0.7 << 20.0 << 0.0;
        QTest::newRow("flat 3.6 mm, blurred")
            << std::array {1.8, 1.4, 1.1} << 800.0 << 2.5 << 1.2 << 12.0 << 0.0;
        QTest::newRow("6 mm at 450 HU, noisy")
            << std::array {3.0, 3.0, 3.0} << 450.0 << 1.25 << 0.9 << 25.0 << 0.0;
        QTest::newRow("12 mm at 700 HU")
            << Semi {6.0, 5.0, 4.5} << 700.0 << 1.25 << 0.8 << 20.0 << 0.0;
        QTest::newRow("5 mm under 3 mm slices")
            << std::array {2.5, 2.5, 2.5} << 1200.0 << 3.0 << 0.6 << 15.0 << 0.0;
        QTest::newRow("3.5 x 2 mm, lying in the axial plane")
            << std::array {1.0, 1.75, 1.0} << 900.0 << 1.25 << 0.8 << 15.0 << 0.0;
        QTest::newRow("2 mm under 3 mm slices")
            << std::array {1.0, 1.0, 1.0} << 1000.0 << 3.0 << 0.8 << 15.0 << 0.0;
        QTest::newRow("4 x 2 mm, turned 40 degrees out of the axial plane")
            << std::array {1.0, 2.0, 1.0} << 1100.0 << 2.0 << 0.8 << 15.0 << 40.0;
        QTest::newRow("7 x 4 mm, turned 35 degrees, under 2.5 mm slices")
            << std::array {2.0, 3.5, 2.0} << 1200.0 << 2.5 << 0.8 << 12.0 << 35.0;
    }

    void measuresHardStones()
    {
        QFETCH(const Semi, semi);
        QFETCH(const double, hu);
        QFETCH(const double, slice);
        QFETCH(const double, fwhm);
        QFETCH(const double, noise);
        QFETCH(const double, tilt);
        PhantomPlan plan = smallBody();
        plan.slice = slice;
        plan.size[2] = qint64(std::ceil(60 / slice));
        plan.fwhmInPlane = fwhm;
        plan.noiseHu = noise;
        const auto kidney = phantomKidneys(plan)[0];
        const PhantomStone truth {
            {kidney[0] + 0.2, kidney[1] - 0.3, kidney[2] + 0.4}, semi, hu, tiltedAxes(tilt)};
        plan.stones = {truth};
        const ImageVolume image = makeStonePhantom(plan);
        const std::optional<double> blur = stones::inPlaneBlurFwhm(image, 2);
        QVERIFY(blur && std::fabs(*blur - fwhm) < 0.1);
        const StoneSearch found = findStones(image, {});
        QCOMPARE(found.stones.size(), std::size_t(1));
        const FoundStone &s = found.stones[0];
        const double d = truth.largestDiameter(), error = s.volumeMm3 / truth.volume() - 1;
        QVERIFY2(std::fabs(error) < (d < 4 ? 0.25 : 0.10), qPrintable(QString::number(error)));
        // A fitted volume says how far the voxels' noise lets it stray; it
        // strays no further than that and the model's few percent.
        if (s.densitySource == DensitySource::BlurModel)
            QVERIFY2(s.volumeSpread > 0 && std::fabs(error) < 3 * s.volumeSpread + 0.05,
                     qPrintable(QString("%1 %2").arg(s.volumeSpread).arg(error)));
        QVERIFY(distance(s.centre, truth.centre) < 0.5);
        QVERIFY2(std::fabs(s.largestDiameterMm - d) < 1,
                 qPrintable(QString::number(s.largestDiameterMm)));
        Semi longest = semi;
        std::sort(longest.rbegin(), longest.rend());
        for (std::size_t k = 0; k < 3; ++k)
            QVERIFY2(std::fabs(s.diameters[k] - 2 * longest[k]) < 1,
                     qPrintable(QString::number(s.diameters[k])));
        // A long stone's longest axis lies along the truth's, turned or not.
        const auto longAxis = std::max_element(semi.begin(), semi.end()) - semi.begin();
        if (longest[0] > 1.5 * longest[1]) {
            const std::array<double, 3> &along = truth.axes[std::size_t(longAxis)];
            const double cosine = std::fabs(s.axes[0][0] * along[0] + s.axes[0][1] * along[1]
                                            + s.axes[0][2] * along[2]);
            QVERIFY2(cosine > std::cos(8 * M_PI / 180), qPrintable(QString::number(cosine)));
        }
        const double axial = axialDiameter(truth);
        QVERIFY2(std::fabs(s.axialDiameterMm - axial) < 0.4,
                 qPrintable(QString::number(s.axialDiameterMm - axial)));
        // Noise lifts the brightest voxels of a large stone; their in-slice
        // means far less.
        if (d >= 5)
            QVERIFY2(std::fabs(s.huPeak / hu - 1) < 0.05, qPrintable(QString::number(s.huPeak)));
        // The model drawn for it encloses what was measured.
        QVERIFY(std::fabs(integrate(stoneSurface(s)).signedVolume / s.volumeMm3 - 1) < 0.03);
    }

    // A 2 mm stone under 3 mm slices shows its height only faintly: over
    // several noise draws its fit stays near round (the shape prior) and,
    // its density held near a stone's typical one, its volume errs by under
    // 23 % on average (27 % when the fit takes any density noise favours).
    void tinyStoneUnderThickSlices()
    {
        double sum = 0, spread = 0;
        for (int seed = 1; seed <= 6; ++seed) {
            PhantomPlan plan = smallBody();
            plan.slice = 3;
            plan.size[2] = 20;
            plan.fwhmInPlane = 1.0;
            plan.noiseHu = 20;
            plan.seed = quint32(seed);
            const auto kidney = phantomKidneys(plan)[0];
            const PhantomStone truth {
                {kidney[0] + 0.1 * seed, kidney[1] - 0.3, kidney[2] + 0.25 * seed},
                {1, 1, 1},
                1000};
            plan.stones = {truth};
            const StoneSearch found = findStones(makeStonePhantom(plan), {});
            QCOMPARE(found.stones.size(), std::size_t(1));
            const FoundStone &s = found.stones[0];
            QVERIFY2(s.diameters[0] / s.diameters[2] < 1.35,
                     qPrintable(QString::number(s.diameters[0] / s.diameters[2])));
            sum += std::fabs(s.volumeMm3 / truth.volume() - 1);
            spread += s.volumeSpread;
        }
        // What it says of its own uncertainty is of the size of its errors.
        QVERIFY2(spread / 6 > 0.5 * sum / 6 && spread / 6 < 2 * sum / 6,
                 qPrintable(QString::number(spread / 6)));
        QVERIFY2(sum / 6 < 0.23, qPrintable(QString::number(sum / 6)));
    }

    // A 2.7 mm stone of 430 HU under 3 mm slices, between two: the slices
    // dim every voxel of it below the level, yet the search and a pick find
    // it, with its own density at the level or above.
    void findsStonesTheSlicesDim()
    {
        PhantomPlan plan = smallBody();
        plan.slice = 3;
        plan.size[2] = 20;
        plan.fwhmInPlane = 0.85;
        const auto kidney = phantomKidneys(plan)[0];
        const PhantomStone truth {
            {kidney[0] + 0.2, kidney[1] - 0.3, kidney[2] + 1.4}, {1.35, 1.0, 1.0}, 430};
        plan.stones = {truth};
        const ImageVolume image = makeStonePhantom(plan);
        double brightest = -1000;
        for (qint64 k = 0; k < image.size[2]; ++k)
            for (qint64 j = 0; j < image.size[1]; ++j)
                for (qint64 i = 0; i < image.size[0]; ++i) {
                    double at[3];
                    image.toWorld.apply(double(i), double(j), double(k), at);
                    if (distance(Point3 {at[0], at[1], at[2]}, truth.centre) < 3)
                        brightest = std::max(brightest, double(image.at(i, j, k)));
                }
        QVERIFY2(brightest > 100 && brightest < 200, qPrintable(QString::number(brightest)));
        const StoneSearch found = findStones(image, {});
        QCOMPARE(found.stones.size(), std::size_t(1));
        const FoundStone &s = found.stones[0];
        QVERIFY(distance(s.centre, truth.centre) < 0.5);
        QVERIFY2(s.densityHu >= 200, qPrintable(QString::number(s.densityHu)));
        QVERIFY2(s.huPeak < 200, qPrintable(QString::number(s.huPeak)));
        const std::optional<FoundStone> picked = stoneAt(image, Point3 {truth.centre});
        QVERIFY(picked && distance(picked->centre, truth.centre) < 0.5);
        // A level that the stone's own density does not reach hides it.
        StoneSearchOptions above;
        above.levelHu = 700;
        QVERIFY(findStones(image, above).stones.empty());
        QVERIFY(!stoneAt(image, Point3 {truth.centre}, 700));
    }

    // The blur read on the outline: as drawn, and next to none on an image
    // sampled without it; none on an image that shows no air.
    void measuresTheBlur()
    {
        PhantomPlan plan = smallBody();
        plan.size[2] = 12;
        for (const double fwhm : {0.6, 1.2, 0.05}) {
            plan.fwhmInPlane = fwhm;
            const std::optional<double> blur = stones::inPlaneBlurFwhm(makeStonePhantom(plan), 2);
            QVERIFY(blur);
            QVERIFY2(fwhm < 0.5 ? *blur < 0.35 : std::fabs(*blur - fwhm) < 0.08,
                     qPrintable(QString::number(*blur)));
        }
        ImageVolume inside = makeStonePhantom(plan);
        for (qint16 &v : inside.shorts)
            v = std::max<qint16>(v, 0);
        QVERIFY(!stones::inPlaneBlurFwhm(inside, 2));
    }

    // Noise alone, even louder than a CT's, gives no stone; a detection
    // level above a stone's peak hides it.
    void noiseGivesNoStone()
    {
        PhantomPlan plan = smallBody();
        plan.body = false;
        plan.noiseHu = 25;
        plan.seed = 3;
        QVERIFY(findStones(makeStonePhantom(plan), {}).stones.empty());
        plan.noiseHu = 40; // some voxels of noise reach the level
        const StoneSearch loud = findStones(makeStonePhantom(plan), {});
        QVERIFY2(loud.stones.empty(), qPrintable(QString::number(loud.stones.size())));
        // A spike of noise below the level, in a kidney, in one slice.
        const auto spiked = [](double slice, double fwhm, bool square) {
            PhantomPlan body = smallBody();
            body.slice = slice;
            body.size[2] = qint64(60 / slice);
            body.noiseHu = 20;
            body.fwhmInPlane = fwhm;
            ImageVolume image = makeStonePhantom(body);
            const auto kidney = phantomKidneys(body)[0];
            double ijk[3];
            image.toWorld.inverse().apply(kidney[0], kidney[1], kidney[2], ijk);
            for (const qint64 di : {-1, 0, 1})
                for (const qint64 dj : {-1, 0, 1})
                    if (square || di == 0 || dj == 0)
                        image.shorts[std::size_t(image.index(
                            std::llround(ijk[0]) + di, std::llround(ijk[1]) + dj,
                            std::llround(ijk[2])))] = qint16(di == 0 && dj == 0 ? 170 : 110);
            return image;
        };
        // Under thick slices it gives no stone: fitted, it would pass for a
        // dim stone whose voxels cannot pin its volume down.
        QVERIFY(findStones(spiked(3, 0.9, true), {}).stones.empty());
        // Nor when it is narrower than the image's own blur, which nothing in
        // the body can make: fitted, it is a dense speck pinned down well.
        QVERIFY(findStones(spiked(1.9, 1.2, false), {}).stones.empty());
        plan.stones = {{{0, 0, 30}, {2, 2, 2}, 500}};
        const ImageVolume image = makeStonePhantom(plan);
        QCOMPARE(findStones(image, {}).stones.size(), std::size_t(1));
        StoneSearchOptions high;
        high.levelHu = 900;
        QVERIFY(findStones(image, high).stones.empty());
    }

    // A box keeps the stones within it; the inside of a closed surface
    // grown by the margin keeps those near it; a box off the image is
    // refused and named; an image that is not a CT is refused.
    void regionsAndRefusals()
    {
        PhantomPlan plan = smallBody();
        const auto kidneys = phantomKidneys(plan);
        plan.stones = {{kidneys[0], {2, 2, 2}, 900}, {kidneys[1], {2, 2, 2}, 900}};
        const ImageVolume image = makeStonePhantom(plan);
        StoneSearchOptions box;
        box.region.kind = StoneRegion::Kind::Box;
        box.region.box = {kidneys[0][0] + 5, kidneys[0][0] - 5, kidneys[0][1] - 5,
                          kidneys[0][1] + 5, kidneys[0][2] - 5, kidneys[0][2] + 5};
        StoneSearch found = findStones(image, box);
        QCOMPARE(found.stones.size(), std::size_t(1));
        QVERIFY(distance(found.stones[0].centre, kidneys[0]) < 0.5);
        QVERIFY(found.excluded.empty()); // the spine lies outside the box
        box.region.box = {500, 600, 0, 10, 0, 10};
        found = findStones(image, box);
        QVERIFY(found.error.contains(QLatin1String("outside the image")));
        QVERIFY(found.error.contains(QLatin1String("500.0..600.0")));
        // A cube 10 mm off the right stone: within the 10 mm margin, not within 5.
        StoneSearchOptions inside;
        inside.region.kind = StoneRegion::Kind::Inside;
        inside.region.inside = {cube(kidneys[0][0] + 8, kidneys[0][1] - 1, kidneys[0][2] - 1, 2)};
        found = findStones(image, inside);
        QCOMPARE(found.stones.size(), std::size_t(1));
        QVERIFY(distance(found.stones[0].centre, kidneys[0]) < 0.5);
        inside.region.marginMm = 3;
        QVERIFY(findStones(image, inside).stones.empty());
        // Diagonally off a cube: within its bounding box grown by 5 mm, not
        // within 5 mm of the cube; within 8 mm of it.
        inside.region.inside = {
            cube(kidneys[0][0] + 5.5, kidneys[0][1] + 5.5, kidneys[0][2] - 1, 2)};
        inside.region.marginMm = 5;
        QVERIFY(findStones(image, inside).stones.empty());
        inside.region.marginMm = 8;
        QCOMPARE(findStones(image, inside).stones.size(), std::size_t(1));
        ImageVolume mr = image;
        mr.modality = QStringLiteral("MR");
        mr.unit.clear();
        QCOMPARE(findStones(mr, {}).error, notHounsfieldText());
        ImageVolume labels = image;
        for (qint16 &v : labels.shorts)
            v = v > 500 ? 2 : v > 0 ? 1 : 0;
        labels.modality.clear();
        labels.unit.clear();
        QVERIFY(!holdsHounsfield(labels));
    }

    // A pick near a stone measures that stone as the search does; a pick
    // on the spine or on soft tissue gives none.
    void pickOneStone()
    {
        PhantomPlan plan = smallBody();
        const auto kidneys = phantomKidneys(plan);
        plan.stones = {{kidneys[0], {3, 2, 1.5}, 1200}};
        const ImageVolume image = makeStonePhantom(plan);
        const std::optional<FoundStone> picked =
            stoneAt(image, {kidneys[0][0] + 1.5, kidneys[0][1], kidneys[0][2]});
        QVERIFY(picked);
        const StoneSearch found = findStones(image, {});
        QCOMPARE(found.stones.size(), std::size_t(1));
        QVERIFY(std::fabs(picked->volumeMm3 - found.stones[0].volumeMm3) < 1e-6);
        QVERIFY(std::fabs(picked->volumeMm3 / plan.stones[0].volume() - 1) < 0.1);
        QVERIFY(std::fabs(picked->largestDiameterMm - 6) < 1);
        QVERIFY(!stoneAt(image, {0, -0.28 * 128 * 0.7, 30})); // the spine
        QVERIFY(!stoneAt(image, {kidneys[1][0], kidneys[1][1], kidneys[1][2]}));
    }

    // The stones model: one closed component per stone, each enclosing
    // the stone's measured volume within 3 %, read as a stones model.
    void stonesModelEnclosesTheVolumes()
    {
        PhantomPlan plan = smallBody();
        const auto kidneys = phantomKidneys(plan);
        plan.stones = {{kidneys[0], {3, 2, 1.5}, 1200}, {kidneys[1], {1.5, 1.5, 1.5}, 800}};
        const StoneSearch found = findStones(makeStonePhantom(plan), {});
        QCOMPARE(found.stones.size(), std::size_t(2));
        for (const FoundStone &stone : found.stones) {
            const SurfaceIntegrals s = integrate(stoneSurface(stone));
            QVERIFY(std::fabs(s.signedVolume / stone.volumeMm3 - 1) < 0.03);
        }
        const std::unique_ptr<ModelClass> model = stonesModel(found.stones);
        const ModelSnapshot shot = snapshotModel(*model);
        QCOMPARE(shot.anatomy, Anatomy::Stones);
        const SurfaceTopology topology = analyseTopology(shot.surface);
        QCOMPARE(topology.components.size(), std::size_t(2));
        QVERIFY(topology.total.enclosesVolume());
    }
};

QTEST_MAIN(TestStoneFinder)
#include "test_stone_finder.moc"
