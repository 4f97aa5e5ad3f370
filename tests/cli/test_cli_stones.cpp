// tessaron-cli stones on the sample CT: its three stones against the volumes
// their surfaces enclose, the JSON contract, the refusals and --save.

#include "CliRun.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

QString sample(const char *name)
{
    return QStringLiteral(TESSARON_SAMPLE_DIR "/") + QLatin1String(name);
}

// The stones of the sample's surfaces (kamni.surf): centre and volume.
struct Truth
{
    double x, y, z, volume;
};
const Truth kTruth[3] = {
    {13.01, 0.00, 27.97, 71.4}, {28.99, 0.99, 1.00, 309.5}, {14.00, 1.01, -27.02, 122.1}};

} // namespace

class TestCliStones : public QObject
{
    Q_OBJECT

private slots:
    // The three stones found, head to feet, each within 10 % of the volume
    // its surface encloses and 1 mm of its centre; the spine excluded; the
    // keys of the JSON object as documented.
    void findsTheSampleStones()
    {
        const Run run = cli({"stones", sample("kidney_ct.nii"), "--json"});
        QCOMPARE(run.status, 0);
        const QJsonObject o = jsonOf(run);
        QCOMPARE(o["level_hu"].toDouble(), 200.0);
        QVERIFY(o["image"].toObject().contains("spacing"));
        const QJsonArray stones = o["stones"].toArray();
        QCOMPARE(stones.size(), 3);
        double burden = 0;
        for (int n = 0; n < 3; ++n) {
            const QJsonObject s = stones[n].toObject();
            QCOMPARE(s["number"].toInt(), n + 1);
            const QJsonArray c = s["centre"].toArray();
            const Truth &t = kTruth[n];
            QVERIFY(std::hypot(c[0].toDouble() - t.x, c[1].toDouble() - t.y, c[2].toDouble() - t.z)
                    < 1);
            const double v = s["volume_mm3"].toDouble();
            QVERIFY2(std::fabs(v / t.volume - 1) < 0.10, qPrintable(QString::number(v)));
            burden += v;
            QCOMPARE(s["diameters_mm"].toArray().size(), 3);
            for (const char *key : {"largest_diameter_mm", "axial_diameter_mm", "hu_mean",
                                    "hu_peak", "skin_distance_mm", "swl_skin_distance_mm"})
                QVERIFY2(s[key].toDouble() > 0, key);
            QCOMPARE(s["side"].toString(), QStringLiteral("left")); // a left kidney
            QVERIFY(std::fabs(s["hu_peak"].toDouble() - 1000) < 100);
        }
        QVERIFY(std::fabs(o["burden_mm3"].toDouble() - burden) < 0.05);
        const QJsonArray excluded = o["excluded"].toArray();
        QCOMPARE(excluded.size(), 1);
        QVERIFY(excluded[0].toObject()["reason"].toString().contains("larger than any stone"));
        const Run text = cli({"stones", sample("kidney_ct.nii")});
        QCOMPARE(text.status, 0);
        QVERIFY(text.out.contains("Stone burden"));
    }

    // --inside the sample's collecting system and --box around one stone;
    // a box off the image refused and named; a box that holds no stone
    // says so, exit 0.
    void regions()
    {
        const Run inside =
            cli({"stones", sample("kidney_ct.nii"), "--inside", sample("lokhanki.surf"), "--json"});
        QCOMPARE(inside.status, 0);
        QCOMPARE(jsonOf(inside)["stones"].toArray().size(), 3);
        QVERIFY(jsonOf(inside)["excluded"].toArray().isEmpty()); // the spine is far
        const Run box =
            cli({"stones", sample("kidney_ct.nii"), "--box", "20:38,-8:10,-8:10", "--json"});
        QCOMPARE(box.status, 0);
        QCOMPARE(jsonOf(box)["stones"].toArray().size(), 1);
        const Run off = cli({"stones", sample("kidney_ct.nii"), "--box", "500:600,0:10,0:10"});
        QCOMPARE(off.status, 1);
        QVERIFY(off.err.contains("500.0..600.0") && off.err.contains("outside the image"));
        const Run empty =
            cli({"stones", sample("kidney_ct.nii"), "--box", "-60:-50,-60:-50,0:10", "--json"});
        QCOMPARE(empty.status, 0);
        QVERIFY(jsonOf(empty)["stones"].isArray() && jsonOf(empty)["stones"].toArray().isEmpty());
        const Run said = cli({"stones", sample("kidney_ct.nii"), "--box", "-60:-50,-60:-50,0:10"});
        QVERIFY(said.out.contains("No stone"));
    }

    // A label map is no CT; a box or level that is not one is a usage error.
    void refusals()
    {
        const Run labels = cli({"stones", sample("kidney_labels.nii")});
        QVERIFY(labels.status != 0);
        QVERIFY(labels.err.contains("stones are found on a CT in Hounsfield units"));
        const Run surface = cli({"stones", sample("kamni.surf")});
        QVERIFY(surface.status != 0);
        QVERIFY(surface.err.contains("Hounsfield"));
        QCOMPARE(cli({"stones", sample("kidney_ct.nii"), "--box", "1:2,3"}).status, 64);
        QCOMPARE(cli({"stones", sample("kidney_ct.nii"), "--level", "high"}).status, 64);
        QCOMPARE(cli({"stones"}).status, 64);
    }

    // --save as a mesh: info measures each stone's enclosed volume as the
    // found volume within 3 %; as a NIfTI or NRRD label map: one label per stone.
    void saveRoundTrip()
    {
        QTemporaryDir dir;
        const QString stl = dir.filePath("kidney_stones.stl");
        const Run found = cli({"stones", sample("kidney_ct.nii"), "--json", "--save", stl});
        QCOMPARE(found.status, 0);
        const QJsonArray stones = jsonOf(found)["stones"].toArray();
        const Run info = cli({"info", stl, "--json"});
        QCOMPARE(info.status, 0);
        const QJsonArray models = jsonOf(info)["stones"].toArray();
        QCOMPARE(models.size(), 1);
        const QJsonArray list = models[0].toObject()["stones"].toArray();
        QCOMPARE(list.size(), stones.size());
        for (const QJsonValue &s : list) {
            const double v = s.toObject()["volume_mm3"].toDouble();
            bool matched = false;
            for (const QJsonValue &f : stones)
                matched =
                    matched || std::fabs(v / f.toObject()["volume_mm3"].toDouble() - 1) < 0.03;
            QVERIFY2(matched, qPrintable(QString::number(v)));
        }
        // A session naming the file counts its stones; a file whose name does
        // not say "stones" would not be taken for them, and the command says so.
        QVERIFY(!found.err.contains("note:"));
        const QString session = dir.filePath("plan.tsn");
        QVERIFY(writeBytes(
            session, R"({"tessaron_session": 1, "models": [{"file": "kidney_stones.stl"}]})"));
        const Run listed = cli({"info", session, "--json"});
        QCOMPARE(jsonOf(listed)["stones"].toArray().size(), 1);
        QCOMPARE(jsonOf(listed)["stones"][0]["stones"].toArray().size(), stones.size());
        const Run plain =
            cli({"stones", sample("kidney_ct.nii"), "--save", dir.filePath("plan.stl")});
        QCOMPARE(plain.status, 0);
        QVERIFY2(plain.err.contains("not taken for stones"), qPrintable(plain.err));
        for (const char *name : {"stones.nii", "stones.nrrd"}) {
            const QString path = dir.filePath(name);
            QCOMPARE(cli({"stones", sample("kidney_ct.nii"), "--save", path}).status, 0);
            const Run labels = cli({"info", path, "--json"});
            QCOMPARE(labels.status, 0);
            const QJsonArray models = jsonOf(labels)["models"].toArray();
            QCOMPARE(models.size(), 3);
            // Each label's surface lies around its stone, in the patient frame.
            for (int n = 0; n < 3; ++n) {
                const QJsonObject m = models[n].toObject();
                const QJsonArray lo = m["box_min"].toArray(), hi = m["box_max"].toArray();
                const QJsonArray c = stones[n].toObject()["centre"].toArray();
                for (int a = 0; a < 3; ++a)
                    QVERIFY(lo[a].toDouble() < c[a].toDouble()
                            && c[a].toDouble() < hi[a].toDouble());
            }
        }
        QCOMPARE(
            cli({"stones", sample("kidney_ct.nii"), "--save", dir.filePath("x.unknown")}).status,
            64);
    }
};

QTEST_MAIN(TestCliStones)
#include "test_cli_stones.moc"
