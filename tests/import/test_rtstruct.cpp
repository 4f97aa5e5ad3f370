// Structure sets written by pydicom (make_rtstruct.py) with contours of known
// volume: ellipsoids left and right and a ring whose inner contour is a hole,
// with and without the image they were drawn on; pydicom's own structure
// set; plastimatch's masks of the same contours as an oracle of the voxels.

#include "PydicomCases.h"
#include "SampleChecks.h"
#include "cli/CliRun.h"
#include "import/ImportChecks.h"
#include "import/Importer.h"
#include "import/RtStruct.h"
#include "model/AnatomyTable.h"
#include "model/ModelClass.h"
#include "model/ModelFacts.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestRtStruct : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void contoursBecomeVolumes_data();
    void contoursBecomeVolumes();
    void voxelsMatchPlastimatch();
    void namesSidesColours();
    void pydicomFileOpens();
    void badInputs_data();
    void badInputs();
    void kindsAndCli();
    void sampleMatchesSurfaces();
    void slabsEndHalfASliceOut();

private:
    QString path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    QString python;
    QMap<QString, QJsonObject> cases;
};

void TestRtStruct::initTestCase()
{
    python = qEnvironmentVariable("TESSARON_PYTHON");
    const PydicomRun run = writePydicomCases("TESSARON_RTSTRUCT_WRITER", dir.path(), cases);
    if (run.skipped)
        QSKIP("no pydicom for the system Python: every case skipped");
    QVERIFY2(run.failure.isEmpty(), qPrintable(run.failure));
}

namespace {

double voxelVolume(const ModelClass &model)
{
    return model.property(kVoxelVolumeProperty).toDouble();
}

} // namespace

void TestRtStruct::contoursBecomeVolumes_data()
{
    QTest::addColumn<QString>("record");
    QTest::newRow("on the image beside it") << "with_ct";
    QTest::newRow("on a grid of the contours") << "alone";
}

// Every ROI a closed surface on its side of the patient, enclosing within 6 %
// of its contour prisms (the ring's hole left out), in the ROI's colour.
void TestRtStruct::contoursBecomeVolumes()
{
    QFETCH(QString, record);
    const QJsonObject c = cases[record];
    const OpenedFile opened = openPath(path(c["file"].toString()));
    QVERIFY2(!opened.failed(), qPrintable(problemsOf(opened)));
    QCOMPARE(opened.kind, FileKind::RtStruct);
    const bool image = c["image"].toBool();
    QCOMPARE(bool(opened.image), image);
    if (image)
        QCOMPARE(opened.image->size[2], 40);
    else
        QVERIFY(problemsOf(opened).contains("made from the contours"));
    const QJsonArray rois = c["rois"].toArray();
    QCOMPARE(opened.models.size(), size_t(rois.size()));
    for (qsizetype r = 0; r < rois.size(); ++r) {
        const QJsonObject roi = rois[r].toObject();
        const ModelClass &model = *opened.models[size_t(r)];
        const QString who = roi["name"].toString();
        const MeshClass &mesh = *model.Meshes[0];
        QVERIFY2(isClosed(mesh), qPrintable(who));
        const Enclosed e = enclosed(mesh);
        const double prisms = roi["volume"].toDouble();
        QVERIFY2(std::fabs(e.volume / prisms - 1) < 0.06,
                 said(who, e.volume, "against", prisms).constData());
        QVERIFY2(std::fabs(voxelVolume(model) / prisms - 1) < 0.06, qPrintable(who));
        // Left-posterior-superior turned into our frame as the image reader
        // turns it: the patient's left at -x, the back at -y.
        const QJsonArray lps = roi["centre"].toArray();
        const std::array<double, 3> ours {-lps[0].toDouble(), -lps[1].toDouble(),
                                          lps[2].toDouble()};
        compareNear3(e.centre, ours, 1.0, who);
        if (roi.contains("colour")) {
            const QJsonArray rgb = roi["colour"].toArray();
            for (int k = 0; k < 3; ++k)
                QCOMPARE(model.ModelColor[k], rgb[k].toInt());
        }
    }
}

// plastimatch rasterises the same contours on the same image: without holes
// the voxel counts agree (its Debian version fills nested contours, so the
// ring is checked against its analytic volume above instead, and it lays a
// contour into one slice only, so the ROI drawn on every other plane too).
void TestRtStruct::voxelsMatchPlastimatch()
{
    if (QStandardPaths::findExecutable("plastimatch").isEmpty())
        QSKIP("no plastimatch");
    const QJsonObject c = cases["with_ct"];
    const QString masks = path("masks");
    const Run run = runProgram("plastimatch",
                               {"convert", "--input", path(c["file"].toString()), "--referenced-ct",
                                path("with_ct"), "--output-prefix", masks + "/"});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const Run count =
        runProgram(python, {qEnvironmentVariable("TESSARON_RTSTRUCT_WRITER"), "--count", masks});
    QVERIFY2(count.status == 0, qPrintable(count.err));
    const QJsonObject counts = QJsonDocument::fromJson(count.out.toUtf8()).object();
    const OpenedFile opened = openPath(path(c["file"].toString()));
    QVERIFY(!opened.failed());
    const double voxel = 1.0 * 1.0 * 2.0;
    const QJsonArray rois = c["rois"].toArray();
    int compared = 0;
    for (qsizetype r = 0; r < rois.size(); ++r) {
        const QJsonObject roi = rois[r].toObject();
        if (!roi["oracle"].toBool()) // a ring, or contours on every other plane
            continue;
        const double theirs = counts[roi["name"].toString()].toDouble();
        const double ours = voxelVolume(*opened.models[size_t(r)]) / voxel;
        QVERIFY2(theirs > 0 && std::fabs(ours - theirs) <= 0.005 * theirs,
                 said(roi["name"].toString(), ours, "voxels, plastimatch", theirs).constData());
        ++compared;
    }
    QCOMPARE(compared, 2);
}

// Every ROI keeps its name as written; one the anatomy table knows is its
// structure, in the anatomy's colour over its own ("Left Kidney").
void TestRtStruct::namesSidesColours()
{
    const OpenedFile opened = openPath(path("names.dcm"));
    QVERIFY2(!opened.failed(), qPrintable(problemsOf(opened)));
    const QStringList names {"Kidney_L", "Kidney R",   "Left Kidney",
                             "Tumor",    "GTV_kidney", "Prostata boost"};
    QCOMPARE(opened.models.size(), size_t(names.size()));
    for (qsizetype r = 0; r < names.size(); ++r) {
        const ModelClass &model = *opened.models[size_t(r)];
        QCOMPARE(model.Name, names[r]);
        const std::optional<anatomy::LabelMatch> match = anatomy::matchLabel(model.Name);
        QCOMPARE(bool(match), r < 5);
        QCOMPARE(anatomy::structureNamedIn(model.property(kStructureProperty).toString()),
                 !match      ? anatomy::Structure::Other
                     : r < 3 ? anatomy::Structure::Kidney
                             : anatomy::Structure::Tumour);
        for (int k = 0; match && k < 3; ++k)
            QCOMPARE(model.ModelColor[k], match->colour[size_t(k)]);
    }
}

// pydicom's structure set (no preamble; a body outline and two isocentre
// points): the outline opens under its name, the points are named as left out.
void TestRtStruct::pydicomFileOpens()
{
    QProcess finder;
    finder.start(python,
                 {"-c",
                  "from pydicom.data import get_testdata_file as g; "
                  "print(g('rtstruct.dcm'))"});
    QVERIFY(finder.waitForFinished(60'000));
    const QString file = QString::fromUtf8(finder.readAllStandardOutput()).trimmed();
    QVERIFY(QFileInfo::exists(file));
    QCOMPARE(recognise(file).kind, FileKind::RtStruct);
    const OpenedFile opened = openPath(file);
    const QString said = problemsOf(opened);
    QVERIFY2(!opened.failed(), qPrintable(said));
    QCOMPARE(opened.models.size(), size_t(1));
    QCOMPARE(opened.models[0]->Name, QString("patient"));
    QCOMPARE(opened.models[0]->ModelColor[0], 220);
    QVERIFY(isClosed(*opened.models[0]->Meshes[0]));
    QVERIFY2(
        said.contains("\"Isocenter 1\": contours that are not closed planar were left out: 1."),
        qPrintable(said));
}

void TestRtStruct::badInputs_data()
{
    QTest::addColumn<QString>("record");
    for (const char *name : {"few_points", "not_finite", "miscounted", "self_crossing",
                             "no_contours", "absurd_grid", "truncated", "far_off"})
        QTest::newRow(name) << name;
}

// Each flaw a warning naming its ROI while the rest opens, or a refusal
// that says why.
void TestRtStruct::badInputs()
{
    QFETCH(QString, record);
    const QJsonObject c = cases[record];
    const OpenedFile opened = openPath(path(c["file"].toString()));
    const QString said = problemsOf(opened);
    if (c.contains("error")) {
        QVERIFY(opened.failed());
        QVERIFY(opened.models.empty());
        QVERIFY2(said.contains(c["error"].toString()), qPrintable(said));
        return;
    }
    QVERIFY2(!opened.failed(), qPrintable(said));
    QVERIFY2(said.contains(c["warning"].toString()), qPrintable(said));
    QCOMPARE(opened.models.size(), size_t(c["models"].toInt()));
    for (const auto &model : opened.models)
        QVERIFY(isClosed(*model->Meshes[0]));
}

// A structure set is told by its content whatever its name; the folder it
// shares with its image still opens as the image; the command-line tool
// lists the ROIs with their volumes.
void TestRtStruct::kindsAndCli()
{
    QCOMPARE(recognise(path("alone/RS_alone")).kind, FileKind::RtStruct);
    QCOMPARE(recognise(path("with_ct/s000.dcm")).kind, FileKind::Dicom);
    const OpenedFile folder = openPath(path("with_ct"));
    QVERIFY2(!folder.failed(), qPrintable(problemsOf(folder)));
    QVERIFY(folder.image && folder.models.empty());
    QCOMPARE(folder.image->size[2], 40);

    const Run run = cli({"info", path("with_ct/rs.dcm"), "--json"});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QJsonArray models =
        QJsonDocument::fromJson(run.out.toUtf8()).object()["models"].toArray();
    QCOMPARE(models.size(), cases["with_ct"]["rois"].toArray().size());
    const QJsonArray rois = cases["with_ct"]["rois"].toArray();
    for (qsizetype r = 0; r < rois.size(); ++r) {
        const double prisms = rois[r].toObject()["volume"].toDouble();
        const double volume = models[r].toObject()["volume_mm3"].toDouble();
        QVERIFY2(std::fabs(volume / prisms - 1) < 0.06, qPrintable(run.out.left(2000)));
        QVERIFY(models[r].toObject().contains("hu")); // the image beside it measures them
    }
}

// The sample generator outlines the sample's structures every 2 mm: each
// ROI encloses within 4 % of the surface it was outlined from, under the
// anatomy table's name of that surface.
void TestRtStruct::sampleMatchesSurfaces()
{
    compareSampleWithSurfaces("kidney_rtstruct.dcm", 0.04);
}

// Three flat rectangles of 400 x 300 mm, 2.5 mm apart: the surface ends half
// a slice spacing beyond the first and last planes, not further, and its
// grid is sized to the slab (a millimetre grid would give 490000 triangles).
void TestRtStruct::slabsEndHalfASliceOut()
{
    RtRoi slab;
    slab.number = 1;
    slab.name = "Slab";
    for (double z : {0.0, 2.5, 5.0})
        slab.contours.push_back({{-200, -150, z, 200, -150, z, 200, 150, z, -200, 150, z}});
    RtStructSet set;
    set.rois.push_back(slab);
    std::vector<std::unique_ptr<ModelClass>> models;
    rtStructModels(set, {}, "slab.dcm", models, {});
    QCOMPARE(models.size(), size_t(1));
    const MeshClass &mesh = *models[0]->Meshes[0];
    double low = 1e300, high = -1e300;
    for (int v = 0; v < mesh.CountOfVertices; ++v) {
        low = std::min(low, mesh.Vertices[3 * v + 2]);
        high = std::max(high, mesh.Vertices[3 * v + 2]);
    }
    QVERIFY2(std::fabs(low + 1.25) < 0.05 && std::fabs(high - 6.25) < 0.05,
             said(low, high).constData());
    QVERIFY(isClosed(mesh));
    QVERIFY2(mesh.CountOfCells[Triangle] < 300000,
             qPrintable(QString::number(mesh.CountOfCells[Triangle])));
}

QTEST_GUILESS_MAIN(TestRtStruct)
#include "test_rtstruct.moc"
