// A scene's planning numbers on built shapes: the stones of a stones model,
// the gaps the anatomy asks for, the nephrometry bands at their edges, and
// which anatomy a model's name stands for.

#include "Shapes.h"
#include "measure/MeasureReport.h"
#include "measure/SceneMeasurement.h"

#include <QtTest>

using namespace measure;

namespace {

ModelSnapshot model(const QString &file, const TriangleSurface &surface)
{
    ModelSnapshot shot;
    shot.fileName = "/data/" + file + ".surf";
    shot.name = file;
    shot.anatomy = anatomyOf(shot.name, shot.fileName);
    shot.surface = surface;
    return shot;
}

// A double pyramid along x from `from` to `to`, its square waist (half
// width 5) at `waist`: its two apices are its farthest points.
TriangleSurface spindle(double from, double to, double waist)
{
    TriangleSurface s;
    s.points = {from, 0, 0, to, 0, 0, waist, 5, 0, waist, 0, 5, waist, -5, 0, waist, 0, -5};
    for (std::uint32_t i = 0; i < 4; ++i) {
        const std::uint32_t a = 2 + i, b = 2 + (i + 1) % 4;
        s.triangles.insert(s.triangles.end(), {0, b, a, 1, a, b});
    }
    return s;
}

SceneMeasurement measured(const std::vector<ModelSnapshot> &models)
{
    return measureScene(models, {false, nullptr});
}

} // namespace

class TestSceneMeasure : public QObject
{
    Q_OBJECT

private slots:
    void anatomyFromNames();
    void stones();
    void presetGaps();
    void nephrometryBands();
    void exophyticShare();
    void cancelled();
    void thousandsOfSpecks();
};

void TestSceneMeasure::anatomyFromNames()
{
    const struct
    {
        const char *name, *file;
        Anatomy anatomy;
    } cases[] = {
        {"Obrazovanie_1", "/a/Opukhol_1.surf", Anatomy::Tumour},
        // The anatomy table names a kidney "Vena"; its file still says kidney.
        {"Vena", "/a/pochka.surf", Anatomy::Kidney},
        {"Vena_renalis", "/a/vena_renalis.surf", Anatomy::Vein},
        {"x", "/a/kidney_stones.surf", Anatomy::Stones},
        {"Lokhanki", "/a/lokhanki.surf", Anatomy::CollectingSystem},
        {"KrovLeft", "/a/KrovLeft.surf", Anatomy::Artery},
        {"liver.surf", "/kidney/liver.surf", Anatomy::Other}, // folder words do not count
        {"Obrazovanie copy", "", Anatomy::Tumour},            // a derived model
    };
    for (const auto &c : cases)
        QVERIFY2(anatomyOf(c.name, c.file) == c.anatomy, c.name);
}

void TestSceneMeasure::stones()
{
    // Three closed stones and an open one, inside a collecting system, under a skin.
    TriangleSurface open = cube(20, 0, 0);
    open.triangles.resize(open.triangles.size() - 6);
    const TriangleSurface pieces =
        joined(joined(joined(cube(0, 0, 0, 1), cube(4, 0, 0, 3)), cube(10, 0, 0, 2)), open);
    const SceneMeasurement scene =
        measured({model("kamni", pieces), model("lokhanki", box({-1, -1, -1}, {30, 5, 5})),
                  model("skin", box({-10, 20, -10}, {50, 2, 50}))});
    QCOMPARE(scene.stones.size(), size_t(1));
    const StoneBurden &burden = scene.stones.front();
    QCOMPARE(burden.stones.size(), size_t(4));
    QCOMPARE(burden.stones[1].volume, 27.0);
    QCOMPARE(burden.stones[1].diameter, 3 * std::sqrt(3.0));
    QCOMPARE(burden.stones[1].centre, (Point3 {5.5, 1.5, 1.5}));
    QCOMPARE(burden.stones[2].centre, (Point3 {11, 1, 1}));
    QVERIFY(!burden.stones[3].closed);
    QCOMPARE(burden.openStones, 1);
    QCOMPARE(burden.totalVolume, 36.0);
    QCOMPARE(burden.largest, 1);
    // Each stone: to the skin, then to the collecting system it lies in.
    QCOMPARE(scene.gaps.size(), size_t(8));
    QCOMPARE(scene.gaps[2].kind, PresetGap::StoneToSkin);
    QCOMPARE(scene.gaps[2].stone, 2);
    QCOMPARE(scene.gaps[2].gap.distance, 17.0);
    QCOMPARE(scene.gaps[3].kind, PresetGap::StoneToCollectingSystem);
    QCOMPARE(scene.gaps[3].gap.distance, 1.0);
    QCOMPARE(scene.gaps[3].gap.containment, Containment::AInsideB);
    QCOMPARE(stoneTable(burden).rows.size(), 4);

    // A stone whose triangles face inwards holds its volume all the same.
    const SceneMeasurement turned =
        measured({model("kamni", joined(flipped(cube(0, 0, 0, 2)), cube(5, 0, 0)))});
    const StoneBurden &inverted = turned.stones.front();
    QCOMPARE(inverted.stones[0].volume, 8.0);
    QCOMPARE(inverted.stones[0].centre, (Point3 {1, 1, 1}));
    QCOMPARE(inverted.totalVolume, 9.0);
    QCOMPARE(inverted.largest, 0);
}

void TestSceneMeasure::presetGaps()
{
    const SceneMeasurement scene =
        measured({model("vena", cube(0, 30, 0)), model("opukhol", cube(0, 0, 0, 2)),
                  model("krov", cube(0, -10, 0)), model("lokhanki", cube(5, 0, 0)),
                  model("liver", cube(0, 0, 8))});
    QCOMPARE(scene.models.size(), size_t(5));
    QCOMPARE(scene.gaps.size(), size_t(3));
    QCOMPARE(scene.gaps[0].kind, PresetGap::TumourToCollectingSystem);
    QCOMPARE(scene.gaps[0].gap.distance, 3.0);
    QCOMPARE(scene.gaps[1].kind, PresetGap::TumourToArtery);
    QCOMPARE(scene.gaps[1].gap.distance, 9.0);
    QCOMPARE(scene.gaps[2].kind, PresetGap::TumourToVein);
    QCOMPARE(scene.gaps[2].gap.distance, 28.0);
    QVERIFY(scene.stones.empty());
    QCOMPARE(scene.nephrometry.size(), size_t(1));

    // Two collecting systems (a duplex kidney): a gap to each, N from the nearer.
    const SceneMeasurement duplex =
        measured({model("opukhol", cube(0, 0, 0, 2)), model("lokhanki_upper", cube(12, 0, 0)),
                  model("lokhanki_lower", cube(0, 6, 0)), model("pelvis", cube(0, 0, 9))});
    QCOMPARE(duplex.gaps.size(), size_t(3));
    const Nephrometry &n = duplex.nephrometry.front();
    QCOMPARE(*n.nearestGap, 4.0);
    QCOMPARE(n.collectingSystem, QString("lokhanki_lower"));
}

void TestSceneMeasure::nephrometryBands()
{
    // R from the diameter: 40 mm is still 1, the next step 2, 70 mm 3; N
    // from the gap: 7 mm is 1, 4 mm 3.
    const struct
    {
        double apex, pelvis;
        int r, n;
    } cases[] = {{40, 47, 1, 1}, {40.5, 44.5, 2, 3}, {40, 46, 1, 2}, {70, 75, 3, 2}};
    for (const auto &c : cases) {
        const SceneMeasurement scene =
            measured({model("opukhol", spindle(0, c.apex, 20)),
                      model("lokhanki", box({c.pelvis, -10, -10}, {5, 20, 20}))});
        const Nephrometry &n = scene.nephrometry.front();
        QCOMPARE(n.radiusScore(), std::optional<int>(c.r));
        QCOMPARE(*n.nearestGap, c.pelvis - c.apex);
        QCOMPARE(n.nearnessScore(), std::optional<int>(c.n));
        QVERIFY(!n.exophyticScore()); // no kidney in the scene
        QVERIFY(!n.complete());
    }
    QCOMPARE(exophyticScoreOf(0.5), 1);

    Nephrometry n;
    n.diameter = 35;
    n.outsideShare = 0.2;
    n.nearestGap = 5;
    QCOMPARE(n.sum(), 1 + 2 + 2);
    QVERIFY(nephrometrySum(n).contains("A, L"));
    n.polar = 3;
    QVERIFY(!n.complete()); // A not entered yet
    n.anterior = 'p';
    QVERIFY(n.complete());
    QCOMPARE(nephrometrySum(n), QString("R.E.N.A.L. score 8p"));
}

void TestSceneMeasure::exophyticShare()
{
    // The spindle's tip beyond the kidney's face at 30 holds 1/16 of its
    // volume; beyond a face at 10, 15/16; inside, nothing exactly.
    const struct
    {
        double face, share;
        int e;
    } cases[] = {{50, 0, 3},
                 {30, 1.0 / 16, 2},
                 {10, 15.0 / 16, 1},
                 // Only the apex beyond the face, between the sampling lines:
                 // a share too small to see, but not none.
                 {39.99, 0, 2}};
    for (const auto &c : cases) {
        const SceneMeasurement scene =
            measured({model("opukhol", spindle(0, 40, 20)),
                      model("parenhima", box({-50, -30, -30}, {50 + c.face, 60, 60}))});
        const Nephrometry &n = scene.nephrometry.front();
        QVERIFY(n.outsideShare);
        QVERIFY2(std::abs(*n.outsideShare - c.share) < 0.01,
                 qPrintable(QString::number(*n.outsideShare)));
        QCOMPARE(n.exophyticScore(), std::optional<int>(c.e));
        QCOMPARE(n.kidney, QString("parenhima"));
    }
}

void TestSceneMeasure::cancelled()
{
    std::atomic<bool> stop {true};
    const SceneMeasurement scene = measureScene({model("opukhol", cube())}, {true, &stop});
    QVERIFY(scene.cancelled);
    QVERIFY(scene.nephrometry.empty());
}

void TestSceneMeasure::thousandsOfSpecks()
{
    // 5,000 specks of stone: every one counted, measured and given its gaps.
    TriangleSurface specks;
    for (int i = 0; i < 5000; ++i) {
        const TriangleSurface speck = cube(i % 50, i / 50 % 10, i / 500, 0.25);
        const auto base = std::uint32_t(specks.vertexCount());
        specks.points.insert(specks.points.end(), speck.points.begin(), speck.points.end());
        for (std::uint32_t v : speck.triangles)
            specks.triangles.push_back(base + v);
    }
    const SceneMeasurement scene =
        measured({model("kamni", specks), model("skin", box({-5, 20, -5}, {60, 1, 20}))});
    const StoneBurden &burden = scene.stones.front();
    QCOMPARE(burden.stones.size(), size_t(5000));
    QCOMPARE(burden.totalVolume, 5000 / 64.0);
    QCOMPARE(scene.gaps.size(), size_t(5000));
    QCOMPARE(scene.gaps.back().gap.distance, 20 - 9.25);
}

QTEST_GUILESS_MAIN(TestSceneMeasure)
#include "test_scene_measure.moc"
