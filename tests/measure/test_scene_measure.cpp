// A scene's planning numbers on built shapes: the stones of a stones model,
// the gaps the anatomy asks for, the nephrometry bands at their edges, and
// which anatomy a model's name stands for.

#include "Shapes.h"
#include "measure/Anatomy.h"
#include "measure/MeasureReport.h"
#include "measure/SceneMeasurement.h"

#include <QJsonArray>
#include <QJsonObject>
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

TriangleSurface shifted(TriangleSurface s, double dx, double dy, double dz)
{
    for (std::size_t i = 0; i < s.points.size(); i += 3) {
        s.points[i] += dx;
        s.points[i + 1] += dy;
        s.points[i + 2] += dz;
    }
    return s;
}

// A CT of 1 mm voxels over x 0..(nx - 1), y and z -10..10: `inner` HU where
// x < split, `outer` HU beyond.
ImageVolume ctOf(int nx, double split, qint16 inner, qint16 outer)
{
    ImageVolume image;
    image.size[0] = nx;
    image.size[1] = image.size[2] = 21;
    image.toWorld.m[1][3] = image.toWorld.m[2][3] = -10;
    image.shorts.resize(std::size_t(image.voxelCount()));
    for (qint64 k = 0; k < 21; ++k)
        for (qint64 j = 0; j < 21; ++j)
            for (qint64 i = 0; i < nx; ++i)
                image.shorts[std::size_t(image.index(i, j, k))] = i < split ? inner : outer;
    return image;
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
    void stoneScoreBounds_data();
    void stoneScoreBounds();
    void stoneScoreParts();
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
    // A segmentation's structure says what it is before its file's name does,
    // also in words the label spellings do not know.
    QCOMPARE(anatomyOfStructure("Opukhol levoy pochki", "/a/kidney_stones.dcm"), Anatomy::Tumour);
    QCOMPARE(anatomyOfStructure("Kidney_left", "/a/kidney_stones.dcm"), Anatomy::Kidney);
    QCOMPARE(anatomyOfStructure("Segment 3", "/a/kidney_stones.dcm"), Anatomy::Stones);
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

void TestSceneMeasure::stoneScoreBounds_data()
{
    QTest::addColumn<double>("length"); // of a stone 10 mm wide: its area is 10 × length
    QTest::addColumn<double>("skinGap");
    QTest::addColumn<int>("hu");
    QTest::addColumn<int>("s");
    QTest::addColumn<int>("t");
    QTest::addColumn<int>("e");
    QTest::newRow("399 mm², 100 mm, 950 HU") << 39.9 << 100.0 << 950 << 1 << 1 << 1;
    QTest::newRow("400 mm², 100.01 mm, 951 HU") << 40.0 << 100.01 << 951 << 2 << 2 << 2;
    QTest::newRow("799 mm²") << 79.9 << 20.0 << 400 << 2 << 1 << 1;
    QTest::newRow("800 mm²") << 80.0 << 20.0 << 400 << 3 << 1 << 1;
    QTest::newRow("1599 mm²") << 159.9 << 20.0 << 1500 << 3 << 1 << 2;
    QTest::newRow("1600 mm²") << 160.0 << 150.0 << 1500 << 4 << 2 << 2;
}

void TestSceneMeasure::stoneScoreBounds()
{
    QFETCH(double, length);
    QFETCH(double, skinGap);
    QFETCH(int, hu);
    QFETCH(int, s);
    QFETCH(int, t);
    QFETCH(int, e);
    const ImageVolume ct = ctOf(int(length) + 2, 1e9, qint16(hu), 0);
    SceneOptions options;
    options.selfIntersection = false;
    options.image = &ct;
    SceneMeasurement scene =
        measureScene({model("kamni", spindle(0, length, length / 2)),
                      model("skin", box({length + skinGap, -50, -50}, {5, 100, 100}))},
                     options);
    StoneBurden &burden = scene.stones.front();
    QCOMPARE(burden.stones[0].width, 10.0);
    QVERIFY(std::abs(*burden.score.area - 10 * length) < 1e-9);
    QCOMPARE(burden.score.sizeScore(), std::optional<int>(s));
    QCOMPARE(*burden.score.tract, length + skinGap - length);
    QCOMPARE(burden.score.tractScore(), std::optional<int>(t));
    QCOMPARE(*burden.score.density, double(hu));
    QCOMPARE(burden.score.essenceScore(), std::optional<int>(e));
    QCOMPARE(stoneScoreSum(burden.score),
             QString("Sum so far %1 (S + T + E); missing O, N").arg(s + t + e));
    burden.score.obstruction = 2;
    burden.score.calyces = 3;
    QCOMPARE(stoneScoreSum(burden.score), QString("S.T.O.N.E. score %1").arg(s + t + e + 5));
    const QJsonObject json = sceneJson(scene)["stones"][0]["stone_score"].toObject();
    QCOMPARE(json["S"]["score"].toInt(), s);
    QCOMPARE(json["T"]["score"].toInt(), t);
    QCOMPARE(json["E"]["score"].toInt(), e);
    QCOMPARE(json["E"]["hu_mean"].toDouble(), double(hu));
    QCOMPARE(json["sum"].toInt(), s + t + e + 5);
    QVERIFY(json["complete"].toBool());
}

// Which stone each part rests on, the parts that cannot be known, and the
// stones' own HU in the tables and the JSON.
void TestSceneMeasure::stoneScoreParts()
{
    // The largest stone (#1, 30 mm) lies farther from the skin than the
    // small one (#2, 12 mm), and is the less dense.
    const TriangleSurface stones = joined(spindle(0, 30, 15), shifted(spindle(0, 12, 6), 40, 0, 0));
    const ImageVolume ct = ctOf(60, 35, 700, 1200);
    SceneOptions options;
    options.selfIntersection = false;
    options.image = &ct;
    const SceneMeasurement scene = measureScene(
        {model("kamni", stones), model("skin", box({60, -50, -50}, {5, 100, 100}))}, options);
    const StoneBurden &burden = scene.stones.front();
    QCOMPARE(burden.largest, 0);
    QCOMPARE(*burden.score.area, 300.0 + 120.0);
    QCOMPARE(*burden.score.tract, 30.0); // from #1, not the nearer #2
    QCOMPARE(burden.score.tractStone, 1);
    QCOMPARE(*burden.score.density, 1200.0); // #2, the denser
    QCOMPARE(burden.score.denseStone, 2);
    QCOMPARE(burden.score.essenceScore(), std::optional<int>(2));
    QCOMPARE(burden.stones[0].hu->max, 700.0);
    const Table table = stoneTable(burden);
    QCOMPARE(table.header.mid(4), (QStringList {"HU mean", "HU max"}));
    QCOMPARE(table.rows[1].mid(4), (QStringList {"1200", "1200"}));
    const QJsonObject json = sceneJson(scene)["stones"][0].toObject();
    QCOMPARE(json["stones"][1]["hu_mean"].toDouble(), 1200.0);
    QCOMPARE(json["stones"][0]["hu_max"].toDouble(), 700.0);
    QCOMPARE(json["stones"][0]["width_mm"].toDouble(), 10.0);
    QCOMPARE(json["stone_score"]["E"]["stone"].toInt(), 2);
    QCOMPARE(json["stone_score"]["T"]["stone"].toInt(), 1);
    QCOMPARE(json["stone_score"]["T"]["skin"].toString(), QString("skin"));
    const Table score = stoneScoreTable(burden);
    QCOMPARE(score.rows[4].mid(1), (QStringList {"2", "mean 1200 HU of #2, the densest stone"}));

    // Without a skin or an image T and E are unknown and there is no total.
    const SceneMeasurement bare = measured({model("kamni", stones)});
    const StoneScore &unknown = bare.stones.front().score;
    QVERIFY(!unknown.tract && !unknown.density);
    QCOMPARE(stoneScoreSum(unknown), QString("Sum so far 2 (S); missing T, O, N, E"));
    const QJsonObject partial = sceneJson(bare)["stones"][0]["stone_score"].toObject();
    QVERIFY(partial["T"]["score"].isNull() && partial["E"]["hu_mean"].isNull()
            && partial["O"].isNull());
    QCOMPARE(partial["computed"].toArray().toVariantList(), QVariantList {"S"});
    QVERIFY(!partial["complete"].toBool());
    QCOMPARE(stoneScoreTable(bare.stones.front()).rows[1][2], QString("needs a skin model"));
    // Entered parts out of their range count as not entered.
    StoneScore entered = unknown;
    entered.obstruction = 3;
    entered.calyces = 4;
    QVERIFY(!entered.obstructionScore() && !entered.calycesScore());
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
