// DICOM segmentations written by pydicom with masks of known voxels: every
// segment becomes a closed model of its voxels' volume, where its voxels lie,
// named from its label or its codes, coloured from its CIELab value; a
// segmentation beside its CT opens with it; damaged files are refused or
// lose only the segment they damage.

#include "ImportChecks.h"
#include "PydicomCases.h"
#include "SampleChecks.h"
#include "cli/CliRun.h"
#include "import/DicomSeries.h"
#include "import/ImportTypes.h"
#include "import/Importer.h"
#include "model/ModelClass.h"
#include "model/ModelFacts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestDicomSeg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void segmentsMatchMasks_data();
    void segmentsMatchMasks();
    void openedWithItsCt();
    void badInputs_data();
    void badInputs();
    void cliListsSegments();
    void unsidedKidneysSplitBySide();
    void sampleMatchesSurfaces();

private:
    QString path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    QMap<QString, QJsonObject> cases;
};

void TestDicomSeg::initTestCase()
{
    const PydicomRun run = writePydicomCases("TESSARON_SEG_WRITER", dir.path(), cases);
    if (run.skipped)
        QSKIP("no pydicom for the system Python: every case skipped");
    QVERIFY2(run.failure.isEmpty(), qPrintable(run.failure));
}

void TestDicomSeg::segmentsMatchMasks_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("record");
    // Binary: kidneys either side, a ring; fractional: inside from half the
    // maximum; overlapping segments named by their codes alone.
    for (const char *record :
         {"binary", "shuffled", "fractional", "fractional_rle", "oblique", "overlap"})
        QTest::newRow(record) << QString(record) + ".dcm" << QString(record);
}

// Each segment: its name and colour (from CIELab, against numpy's), a closed
// surface whose volume is within 3 % of its voxels', the exact voxel volume,
// and its centre where the mask's is.
void TestDicomSeg::segmentsMatchMasks()
{
    QFETCH(QString, file);
    QFETCH(QString, record);
    const OpenedFile opened = openPath(path(file));
    QCOMPARE(opened.kind, FileKind::DicomSeg);
    QVERIFY(!opened.failed());
    QVERIFY(!opened.image);
    const QJsonObject expected = cases.value(record);
    const QJsonArray segments = expected["segments"].toArray();
    QCOMPARE(qsizetype(opened.models.size()), segments.size());
    const double voxel = expected["voxel"].toDouble();
    for (qsizetype s = 0; s < segments.size(); ++s) {
        const QJsonObject segment = segments[s].toObject();
        const ModelClass &model = *opened.models[size_t(s)];
        QCOMPARE(model.Name, segment["name"].toString());
        if (segment["colour"].isArray())
            for (int c = 0; c < 3; ++c)
                QVERIFY2(std::abs(model.ModelColor[c] - segment["colour"][c].toInt()) <= 1,
                         qPrintable(model.Name));
        QCOMPARE(model.Meshes.size(), 1);
        const MeshClass &mesh = *model.Meshes[0];
        QVERIFY2(isClosed(mesh), qPrintable(model.Name));
        const double voxels = segment["voxels"].toDouble() * voxel;
        QCOMPARE(model.property(kVoxelVolumeProperty).toDouble(), voxels);
        const Enclosed e = enclosed(mesh);
        QVERIFY2(std::fabs(e.volume - voxels) <= 0.03 * voxels,
                 said(model.Name, e.volume, "against", voxels).constData());
        compareNear3(e.centre, segment["centre"].toArray(), 0.3, model.Name);
    }
}

// One segment "Kidney" without a side, holding both kidneys, becomes two
// models named and marked by the side of the patient each lies on, with the
// left-posterior-superior frame turned into ours.
void TestDicomSeg::unsidedKidneysSplitBySide()
{
    const OpenedFile opened = openPath(path("unsided.dcm"));
    QVERIFY(!opened.failed());
    QCOMPARE(opened.models.size(), size_t(2));
    const QJsonObject want = cases["unsided"];
    for (const auto &model : opened.models) {
        const QString side = model->property(kSideProperty).toString();
        QVERIFY2(side == "left" || side == "right", qPrintable(model->Name));
        QVERIFY(model->Name.endsWith("_" + side));
        const double x = enclosed(*model->Meshes[0]).centre[0];
        QVERIFY2(side == "left" ? x < -3 : x > 3, qPrintable(QString::number(x)));
        const double voxels = want[side].toDouble() * want["voxel"].toDouble();
        QVERIFY(std::fabs(model->property(kVoxelVolumeProperty).toDouble() / voxels - 1) < 1e-9);
    }
}

// A folder holding a CT series and segmentations: the image is read whole,
// the segmentation drawn on it opens with it and lies on its voxels, the one
// drawn on another series is left out with a warning.
void TestDicomSeg::openedWithItsCt()
{
    const OpenedFile opened = openPath(path("ct_and_seg"));
    QVERIFY(!opened.failed());
    QVERIFY(opened.image);
    QCOMPARE(opened.image->size[2], 9);
    QVERIFY2(opened.image->warnings.isEmpty(), qPrintable(opened.image->warnings.join('\n')));
    QCOMPARE(scanDicom(path("ct_and_seg")).size(), size_t(1));
    QCOMPARE(opened.models.size(), size_t(1));
    QCOMPARE(opened.problems.size(), 1);
    QVERIFY(opened.problems[0].warning);
    QVERIFY(opened.problems[0].text.contains("other_seg.dcm"));
    const QJsonObject segment = cases.value("ct_and_seg")["segments"][0].toObject();
    const Enclosed e = enclosed(*opened.models[0]->Meshes[0]);
    // The mask's centre in the CT's own voxel-to-world map.
    double centre[3];
    const Affine &ct = opened.image->toWorld;
    const double a = (segment["centre"][0].toDouble() * -1 + 20.0) / 0.6;
    const double b = (segment["centre"][1].toDouble() * -1 + 15.0) / 0.8;
    const double c = (segment["centre"][2].toDouble() - 30.0) / 1.5;
    ct.apply(a, b, c, centre);
    compareNear3(e.centre, centre, 0.3, "the segment's centre");
}

void TestDicomSeg::badInputs_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("models");    // read despite the damage; 0: refused
    QTest::addColumn<QString>("words"); // in the error, or in a warning when models are read
    QTest::newRow("pixel data shorter than its frames")
        << "short_pixels.dcm" << 0 << "fewer than the";
    QTest::newRow("a frame naming a segment not described")
        << "stray_segment.dcm" << 2 << "segment 9";
    QTest::newRow("a segment with no frames")
        << "frameless_segment.dcm" << 1 << "Segment 2 (kidney_right) has no frames";
    QTest::newRow("no per-frame positions")
        << "no_positions.dcm" << 0 << "carry no plane positions";
    QTest::newRow("no rows") << "no_rows.dcm" << 0 << "0 rows";
}

void TestDicomSeg::badInputs()
{
    QFETCH(QString, file);
    QFETCH(int, models);
    QFETCH(QString, words);
    const OpenedFile opened = openPath(path("bad/" + file));
    QCOMPARE(int(opened.models.size()), models);
    QCOMPARE(opened.failed(), models == 0);
    QVERIFY2(problemsOf(opened).contains(words), qPrintable(problemsOf(opened)));
}

// The codes of each segment are kept on its model: `info --json` lists every
// segment with its voxel volume and its codes.
void TestDicomSeg::cliListsSegments()
{
    const Run run = cli({"info", path("overlap.dcm"), "--json"});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QJsonArray models = QJsonDocument::fromJson(run.out.toUtf8())["models"].toArray();
    QCOMPARE(models.size(), 4);
    const QJsonObject first = models[0].toObject();
    QCOMPARE(first["name"].toString(), QString("Upper pole_right"));
    QCOMPARE(first["voxel_volume_mm3"].toDouble(),
             cases.value("overlap")["segments"][0]["voxels"].toDouble() * 0.72);
    QStringList codes;
    for (const QJsonValue code : first["codes"].toArray())
        codes << QStringList {code["role"].toString(), code["scheme"].toString(),
                              code["value"].toString(), code["meaning"].toString()}
                     .join(':');
    QCOMPARE(codes,
             QStringList({"category:SCT:91723000:Anatomical Structure",
                          "property_type:SCT:64033007:Kidney",
                          "property_type_modifier:SCT:24028007:Right"}));
    const Run text = cli({"info", path("overlap.dcm")});
    QVERIFY(text.out.contains("Code (property type) = SCT 64033007 Kidney"));
}

// The sample generator voxelises the sample's structures at 1 mm: each
// segment encloses within 3 % of its voxels and within 5 % of the surface it
// was made from (the thin artery loses most), the kidney on the left as its
// modifier code says.
void TestDicomSeg::sampleMatchesSurfaces()
{
    compareSampleWithSurfaces("kidney_seg.dcm", 0.05);
    const OpenedFile opened =
        openPath(QDir(QStringLiteral(TESSARON_SAMPLE_DIR)).filePath("kidney_seg.dcm"));
    for (const auto &model : opened.models) {
        const double voxels = model->property(kVoxelVolumeProperty).toDouble();
        QVERIFY(std::fabs(enclosed(*model->Meshes[0]).volume / voxels - 1) < 0.03);
    }
    QCOMPARE(anatomy::sideIn(opened.models.front()->Name), anatomy::Side::Left);
}

QTEST_GUILESS_MAIN(TestDicomSeg)
#include "test_dicom_seg.moc"
