// tessaron-cli info and measure as a user runs them: the sample scene's
// numbers read back from JSON by Python, the text forms, and the exit
// statuses of bad input.

#include "CliRun.h"

#include <QTemporaryDir>
#include <QtTest>

#include <limits>

namespace {

// Without a display: info and measure never need one.
Run headless(const QStringList &args)
{
    return cli(args, withoutDisplay());
}

} // namespace

class TestCliMeasure : public QObject
{
    Q_OBJECT

private slots:
    void sampleSceneReadBackByPython();
    void textForms();
    void badInput();
    void surfaceWrittenByOtherSoftware();
    void sampleLabelMapMeasuresLikeTheScene();
    void sampleIsALeftKidneyInEveryFormat();

private:
    const QString scene = QStringLiteral(TESSARON_SAMPLE_SCENE);
    QTemporaryDir dir;
};

void TestCliMeasure::sampleSceneReadBackByPython()
{
    const QString python = qEnvironmentVariable("TESSARON_PYTHON");
    if (python.isEmpty() || !QFile::exists(python))
        QSKIP("no system Python");
    const Run info = headless({"info", scene, "--json"});
    QCOMPARE(info.status, 0);
    QVERIFY(info.err.isEmpty());
    const Run gap = headless({"measure", scene, "Obrazovanie", "Lokhanki", "--json"});
    QCOMPARE(gap.status, 0);
    QVERIFY(writeBytes(dir.filePath("info.json"), info.out.toUtf8()));
    QVERIFY(writeBytes(dir.filePath("gap.json"), gap.out.toUtf8()));
    const Run check = runProgram(python,
                                 {qEnvironmentVariable("TESSARON_CHECK_SCRIPT"),
                                  dir.filePath("info.json"), dir.filePath("gap.json")});
    QVERIFY2(check.status == 0, qPrintable(check.err));
}

void TestCliMeasure::textForms()
{
    const Run info = headless({"info", scene});
    QCOMPARE(info.status, 0);
    for (const char *text : {"Model 7: Skin", "Volume = ", "Stones (Kamni):", "Stones: 3;",
                             "Tumour (Obrazovanie)  Collecting system (Lokhanki)",
                             "R.E.N.A.L. nephrometry of Tumour (Obrazovanie)", "missing A, L"})
        QVERIFY2(info.out.contains(text), text);
    const Run gap = headless({"measure", scene, "Kamni", "Skin"});
    QCOMPARE(gap.status, 0);
    QVERIFY(gap.out.startsWith("Kamni to Skin: "));
    QVERIFY(gap.out.contains("  on Kamni: ("));
    // Models are found as render --opacity finds them: by model or file
    // name, in any case; the answer names them as the scene does.
    for (const QStringList &names :
         {QStringList {"obrazovanie", "lokhanki"}, QStringList {"OPUKHOL", "Lokhanki"}}) {
        const Run found = headless({"measure", scene, names[0], names[1]});
        QVERIFY2(found.status == 0, qPrintable(found.err));
        QVERIFY2(found.out.startsWith("Obrazovanie to Lokhanki: "), qPrintable(found.out));
    }

    // One open surface: its volume is refused with the count of border edges.
    const QString open = dir.filePath("open.surf");
    QVERIFY(writeBytes(open, surfBytes({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}, {1, 3, 2, 1, 2, 4})));
    const Run sheet = headless({"info", open});
    QCOMPARE(sheet.status, 0);
    QVERIFY(sheet.out.contains("Volume: not closed (4 border edges, 0 non-manifold edges)"));
}

void TestCliMeasure::badInput()
{
    const QString missing = dir.filePath("missing.surf");
    Run r = headless({"info", missing});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, missing + ": the file does not exist\n");
    r = headless({"measure", missing, "a", "b"});
    QCOMPARE(r.status, 1);

    // A name the scene does not have: one line with the names it has, then
    // the usage.
    r = headless({"measure", scene, "Obrazovanie", "Liver"});
    QCOMPARE(r.status, 2);
    const QString first = r.err.section('\n', 0, 0);
    QVERIFY2(first.contains("no model named 'Liver'"), qPrintable(r.err));
    QVERIFY(first.contains("Parenhima") && first.contains("Skin"));
    QVERIFY(r.err.section('\n', 1, 1).startsWith("usage: tessaron-cli measure"));

    for (const QStringList &args :
         {QStringList {"info"}, QStringList {"info", scene, "--csv"},
          QStringList {"info", scene, scene}, QStringList {"measure", scene, "Skin"}}) {
        r = headless(args);
        QCOMPARE(r.status, 64);
        QVERIFY(r.err.section('\n', 1, 1).startsWith("usage: tessaron-cli"));
    }

    // A coordinate that is not a number: refused with the path, nothing measured.
    const QString nan = dir.filePath("nan.surf");
    const float bad = std::numeric_limits<float>::quiet_NaN();
    QVERIFY(writeBytes(nan, surfBytes({0, 0, 0, 1, bad, 0, 0, 1, 0}, {1, 2, 3})));
    r = headless({"info", nan, "--json"});
    QCOMPARE(r.status, 1);
    QVERIFY(r.err.startsWith(nan + ": "));
    QVERIFY(r.out.isEmpty());

    // A model without triangles is measured as empty.
    const QString points = dir.filePath("points.surf");
    QVERIFY(writeBytes(points, surfBytes({0, 0, 0, 1, 0, 0}, {})));
    r = headless({"info", points, "--json"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains("\"triangles\": 0"));
}

void TestCliMeasure::surfaceWrittenByOtherSoftware()
{
    const QString samples = qEnvironmentVariable("TESSARON_SHARED_SAMPLES");
    const QString path = samples + "/surf/patches-326.surf";
    if (samples.isEmpty() || !QFile::exists(path))
        QSKIP("no shared sample files");
    const Run info = headless({"info", path, "--json"});
    QCOMPARE(info.status, 0);
    const QJsonObject m = jsonOf(info)["models"][0].toObject();
    QCOMPARE(m["triangles"].toInt(), 648);
    for (const char *key : {"closed", "manifold", "oriented"})
        QVERIFY2(m[key].toBool(), key);
    QVERIFY(!m["inside_out"].toBool() && !m["self_intersecting"].toBool());
    QCOMPARE(m["components"].toInt(), 1);
    // Area and volume as numpy sums them over the same triangles read by meshio.
    QVERIFY(std::abs(m["area_mm2"].toDouble() / 0.0054570830206 - 1) < 1e-9);
    QVERIFY(std::abs(m["volume_mm3"].toDouble() / 2.07030771181e-05 - 1) < 1e-9);
    QVERIFY(std::abs(m["largest_diameter_mm"].toDouble() / 0.0641538274382 - 1) < 1e-9);
}

// The sample label map holds the sample scene's structures: imported, every
// label is a solid that keeps its voxels' volume, named for its anatomy by
// its label, and the scene's planning numbers come out as for the surfaces.
void TestCliMeasure::sampleLabelMapMeasuresLikeTheScene()
{
    const QString labels = QFileInfo(scene).dir().filePath("kidney_labels.nii");
    const QJsonObject fromLabels = jsonOf(headless({"info", labels, "--json"})),
                      fromSurfaces = jsonOf(headless({"info", scene, "--json"}));
    QMap<QString, QJsonObject> byAnatomy;
    for (const QJsonValue &value : fromLabels["models"].toArray()) {
        const QJsonObject m = value.toObject();
        const QString name = m["name"].toString();
        byAnatomy[m["anatomy"].toString()] = m;
        for (const char *key : {"closed", "manifold", "oriented"})
            QVERIFY2(m[key].toBool(), qPrintable(name + ": " + key));
        QVERIFY2(m["self_intersecting"] == QJsonValue(false), qPrintable(name));
        const double volume = m["volume_mm3"].toDouble(), voxels = m["voxel_volume_mm3"].toDouble();
        QVERIFY2(voxels > 0 && std::abs(volume / voxels - 1) < 0.03,
                 qPrintable(QString("%1: %2 of %3 mm3").arg(name).arg(volume).arg(voxels)));
    }
    QCOMPARE(byAnatomy.keys(),
             (QStringList {"artery", "collecting_system", "kidney", "stones", "tumour", "vein"}));
    // Every model says its side, null for none; the text only of the sided ones.
    QCOMPARE(byAnatomy["kidney"]["side"], QJsonValue("left"));
    QCOMPARE(byAnatomy["tumour"]["side"], QJsonValue());
    QCOMPARE(headless({"info", labels}).out.count("Side = "), 1);
    // Each stone of the label is a stone of its own, as in the scene.
    const QJsonArray stones = fromLabels["stones"].toArray();
    QCOMPARE(stones.size(), 1);
    QCOMPARE(stones[0].toObject()["stones"].toArray().size(),
             fromSurfaces["stones"].toArray()[0].toObject()["stones"].toArray().size());
    QCOMPARE(stones[0].toObject()["open_stones"].toInt(), 0);
    // Every gap the scene measures without the skin, and the nephrometry's
    // R, E and N.
    int sceneGaps = 0;
    for (const QJsonValue &gap : fromSurfaces["gaps"].toArray())
        sceneGaps += !gap.toObject()["kind"].toString().contains("skin");
    QCOMPARE(fromLabels["gaps"].toArray().size(), sceneGaps);
    const QJsonArray nephrometry = fromLabels["nephrometry"].toArray();
    QCOMPARE(nephrometry.size(), 1);
    for (const char *part : {"R", "E", "N"})
        QVERIFY2(nephrometry[0].toObject()[part].toObject()["score"].isDouble(), part);
}

QTEST_GUILESS_MAIN(TestCliMeasure)
#include "test_cli_measure.moc"

// The sample is a left kidney in every form it is written in: its vessels run
// medially, toward the patient's right (+x), its tumour lies laterally, the
// sided formats call it left, and the CT's stones lie where the surfaces'
// do (a CT mirrored against them would give the stones soft tissue's HU).
void TestCliMeasure::sampleIsALeftKidneyInEveryFormat()
{
    const QDir samples = QFileInfo(scene).dir();
    for (const QString &file :
         {QStringLiteral("scene.hx"), QStringLiteral("kidney_labels.nii"),
          QStringLiteral("kidney_seg.dcm"), QStringLiteral("kidney_rtstruct.dcm")}) {
        const Run info = headless({"info", samples.filePath(file), "--json"});
        QCOMPARE(info.status, 0);
        QMap<QString, double> centreX;
        QMap<QString, QJsonValue> side;
        for (const QJsonValue &m : jsonOf(info)["models"].toArray()) {
            const QString anatomy = m["anatomy"].toString();
            centreX[anatomy] = (m["box_min"][0].toDouble() + m["box_max"][0].toDouble()) / 2;
            side[anatomy] = m["side"];
        }
        const QByteArray what = file.toUtf8();
        QVERIFY2(centreX["artery"] > centreX["kidney"] + 30, what);
        QVERIFY2(centreX["vein"] > centreX["kidney"] + 30, what);
        QVERIFY2(centreX["collecting_system"] > centreX["kidney"], what);
        QVERIFY2(centreX["tumour"] < centreX["kidney"] - 10, what);
        if (file != QLatin1String("scene.hx")) // the surfaces' names give no side
            QVERIFY2(side["kidney"] == QJsonValue("left"), what);
    }
    const Run info = headless({"info", scene, "--json", "--ct", samples.filePath("kidney_ct.nii")});
    QCOMPARE(info.status, 0);
    const QJsonObject json = jsonOf(info);
    // The CT's spine gives the body's midline, 85 mm to the kidney's right.
    QCOMPARE(json["side_checked"], QJsonValue(true));
    QCOMPARE(json["midline"]["source"], QJsonValue("ct_spine"));
    QVERIFY(std::abs(json["midline"]["x_mm"].toDouble() - 85) < 4);
    QCOMPARE(json["warnings"].toArray().size(), 0);
    // The same kidney called right is said to lie on the wrong side.
    const QString wrong = dir.filePath("kidney_right.stl");
    QCOMPARE(headless({"convert", samples.filePath("parenhima.surf"), wrong}).status, 0);
    const Run named = headless({"info", wrong, "--ct", samples.filePath("kidney_ct.nii")});
    QCOMPARE(named.status, 0);
    QVERIFY2(named.out.contains("is named right but lies on the patient's left"),
             qPrintable(named.out));
    const QJsonArray stones = json["stones"][0]["stones"].toArray();
    QCOMPARE(stones.size(), 3);
    for (const QJsonValue &stone : stones)
        QVERIFY2(stone["hu_mean"].toDouble() > 700,
                 qPrintable(QString::number(stone["hu_mean"].toDouble())));
}
