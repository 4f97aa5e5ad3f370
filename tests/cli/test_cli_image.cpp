// tessaron-cli on images: `info IMAGE` in JSON and text against numpy,
// --as and --series on every command, and --ct giving the values inside
// each closed model and stone of a scene. Images written by nibabel
// (skipped without it).

#include "CliRun.h"
#include "import/ImageInputs.h"
#include "import/NiftiWriter.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

bool near(double a, double b)
{
    return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(b));
}

} // namespace

class TestCliImage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void infoOfAnImage();
    void readingOptions_data();
    void readingOptions();
    void valuesInsideModels();

private:
    QString file(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    QJsonObject expected;
    QString scene;
};

void TestCliImage::initTestCase()
{
    expected = writeImageInputs(dir.path());
    if (expected.isEmpty())
        QSKIP("the system Python with numpy and nibabel writes these images");
    const QJsonArray box = std::as_const(expected)["box"]["bounds"].toArray();
    scene = writeScene(
        dir.path(), "scene.hx",
        {{"stones.surf", boxSurf(box)},
         {"kidney.surf", boxSurf(std::as_const(expected)["partly_outside"]["bounds"].toArray())},
         {"open.surf", boxSurf(box, 10)}});
    QVERIFY(!scene.isEmpty());
}

void TestCliImage::infoOfAnImage()
{
    for (const char *name : {"ct.nii.gz", "ct.nrrd"}) {
        const Run run = cli({"info", file(name), "--json"});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QJsonObject image = jsonOf(run)["image"].toObject();
        const QJsonObject e = std::as_const(expected)["ct.nii.gz"].toObject();
        for (const char *key : {"size", "spacing", "origin", "direction"}) {
            const QJsonArray got = image[key].toArray(), want = e[key].toArray();
            QCOMPARE(got.size(), want.size());
            for (qsizetype n = 0; n < got.size(); ++n)
                QVERIFY2(near(got[n].toDouble(), want[n].toDouble()),
                         qPrintable(QString("%1 %2 of %3").arg(key).arg(n).arg(name)));
        }
        for (const char *key : {"min", "max", "mean"})
            QVERIFY2(near(image[key].toDouble(), e[key].toDouble()), key);
        QCOMPARE(image["modality"].toString(), QString());
        QCOMPARE(image["unit"].toString(), QString());
        QVERIFY(image["warnings"].isArray() && image["warnings"].toArray().isEmpty());
    }
    // Voxels without a number are counted, not taken into the values: a 4³
    // image of i + 10 j with NaN in its first voxel and +inf in its last.
    QVERIFY(writeFloatCubeNifti(file("holes.nii"), 4, 1.0, [](int i, int j, int k) {
        return i + j + k == 0 ? std::nanf("") : i + j + k == 9 ? INFINITY : float(i + 10 * j);
    }));
    const QJsonObject holes =
        jsonOf(cli({"info", file("holes.nii"), "--json"}))["image"].toObject();
    QCOMPARE(holes["min"].toDouble(), 0.0);
    QCOMPARE(holes["max"].toDouble(), 33.0);
    QVERIFY(near(holes["mean"].toDouble(), (16 * 16.5 * 4 - 0 - 33) / 62.0));
    QCOMPARE(holes["warnings"].toArray().at(0).toString().left(29),
             QString("2 voxels hold no number; they"));
    const Run text = cli({"info", file("mr_float.nii")});
    QVERIFY2(text.status == 0, qPrintable(text.err));
    QVERIFY2(text.out.contains("size: 24 20 16 voxels")
                 && text.out.contains("spacing: 0.9 1.1 2 mm")
                 && text.out.contains("direction of i: -1 0 0"),
             qPrintable(text.out));
}

void TestCliImage::readingOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says"); // in the output or on standard error
    QTest::newRow("a label map read as an image")
        << QStringList {"info", "box_mask.nii.gz", "--as", "image", "--json"} << 0 << "\"max\": 1";
    QTest::newRow("a label map guessed")
        << QStringList {"info", "box_mask.nii.gz", "--json"} << 0 << "\"models\"";
    QTest::newRow("an image read as labels")
        << QStringList {"info", "--as", "labels", "ct.nii.gz"} << 1 << "distinct labels";
    QTest::newRow("--as of another word")
        << QStringList {"info", "ct.nii.gz", "--as", "mesh"} << 64 << "--as takes image|labels";
    QTest::newRow("a series of a NIfTI file")
        << QStringList {"info", "ct.nii.gz", "--series", "2"} << 0 << "one image at most";
    QTest::newRow("an image where surfaces are needed")
        << QStringList {"measure", "ct.nii.gz", "a", "b"} << 1 << "holds an image, not surfaces";
    QTest::newRow("surfaces as --ct")
        << QStringList {"info", "ct.nii.gz", "--ct", "scene.hx"} << 1 << "not an image";
    QTest::newRow("an image with --ct")
        << QStringList {"info", "ct.nii.gz", "--ct", "ct.nrrd"} << 64 << "--ct goes with surfaces";
}

void TestCliImage::readingOptions()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, says);
    for (QString &arg : args)
        if (arg.contains('.'))
            arg = file(arg);
    const Run run = cli(args);
    QCOMPARE(run.status, status);
    QVERIFY2((run.out + run.err).contains(says), qPrintable(run.out + run.err));
}

void TestCliImage::valuesInsideModels()
{
    const Run run = cli({"info", scene, "--ct", file("ct.nii.gz"), "--json"});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QJsonObject o = jsonOf(run);
    const QJsonArray models = o["models"].toArray();
    QCOMPARE(models.size(), 3);
    const char *oracles[] = {"box", "partly_outside"};
    for (int m = 0; m < 2; ++m) {
        const QJsonObject hu = models[m]["hu"].toObject(),
                          e = std::as_const(expected)[oracles[m]].toObject();
        for (const char *key : {"voxels", "mean", "sd", "min", "max", "p95"})
            QVERIFY2(
                near(hu[key].toDouble(), e[key].toDouble()),
                qPrintable(QString("%1 of %2: %3").arg(key, oracles[m]).arg(hu[key].toDouble())));
    }
    QVERIFY(models[2]["hu"].isNull());
    QCOMPARE(models[2]["hu_missing"].toString(), QString("not closed"));
    const QJsonObject stone = o["stones"][0]["stones"][0].toObject();
    QVERIFY(near(stone["hu_mean"].toDouble(), std::as_const(expected)["box"]["mean"].toDouble()));
    QVERIFY(near(stone["hu_max"].toDouble(), std::as_const(expected)["box"]["max"].toDouble()));
    const QJsonObject essence = o["stones"][0]["stone_score"]["E"].toObject();
    QVERIFY(near(essence["hu_mean"].toDouble(), std::as_const(expected)["box"]["mean"].toDouble()));
    QCOMPARE(essence["score"].toInt(), 1); // about 400 HU
    QCOMPARE(essence["stone"].toInt(), 1);

    const Run text = cli({"info", scene, "--ct", file("ct.nii.gz")});
    QVERIFY2(text.out.contains("HU inside = mean") && text.out.contains("HU max")
                 && text.out.contains("of #1, the densest stone"),
             qPrintable(text.out));
    const Run gap = cli({"measure", scene, "stones", "open", "--ct", file("ct.nii.gz"), "--json"});
    QVERIFY2(gap.status == 0, qPrintable(gap.err));
    QVERIFY(near(jsonOf(gap)["hu_from"]["mean"].toDouble(),
                 std::as_const(expected)["box"]["mean"].toDouble()));
    QVERIFY(jsonOf(gap)["hu_to"].isNull());
    // Without --ct nothing of the image appears.
    QVERIFY(!jsonOf(cli({"info", scene, "--json"}))["models"][0].toObject().contains("hu"));
}

QTEST_GUILESS_MAIN(TestCliImage)
#include "test_cli_image.moc"
