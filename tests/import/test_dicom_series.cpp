// DICOM series written by pydicom with a known pattern of values, and
// pydicom's own files: slices land where their positions put them, in our
// patient frame, and every encoding of one image decodes to the same values.

#include "ImportChecks.h"
#include "PydicomCases.h"
#include "cli/CliRun.h"
#include "import/DicomSeries.h"
#include "import/ImportTypes.h"
#include "import/Importer.h"
#include "model/ImageSlice.h"
#include "model/ModelClass.h"
#include "model/SliceScreen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestDicomSeries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void seriesFollowPattern_data();
    void seriesFollowPattern();
    void scanListsSeries();
    void doorOpensDicom();
    void encodingsAgree();
    void outsideClassesRead();
    void warningsReachTheUser();
    void badInputsRefused_data();
    void badInputsRefused();

private:
    QString path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    QMap<QString, QJsonObject> cases;
};

void TestDicomSeries::initTestCase()
{
    const PydicomRun run = writePydicomCases("TESSARON_DICOM_WRITER", dir.path(), cases);
    if (run.skipped)
        QSKIP("no pydicom for the system Python: every case skipped");
    QVERIFY2(run.failure.isEmpty(), qPrintable(run.failure));
}

namespace {

// The generating grid's map to left-posterior-superior millimetres, as an
// affine of ours.
Affine gridOf(const QJsonObject &record)
{
    Affine a;
    const QJsonArray rows = record["affine"].toArray();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            a.m[r][c] = rows[r].toArray()[c].toDouble();
    return a;
}

double pattern(double a, double b, double c)
{
    return 10 * a - 3 * b + 100 * c - 1000;
}

// The image's values against what pydicom reads from the same file.
void compareWithPydicom(const ImageVolume &image, const QJsonObject &want)
{
    QCOMPARE(image.voxelCount(), want["count"].toInteger());
    const Summary got = summaryOf(image);
    const double scale = std::max(1.0, std::fabs(want["sum"].toDouble()));
    QVERIFY2(std::fabs(got.sum - want["sum"].toDouble()) < 1e-6 * scale,
             said("sum", got.sum, "not", want["sum"].toDouble()).constData());
    QCOMPARE(float(got.first), float(want["first"].toDouble()));
    QCOMPARE(float(got.min), float(want["min"].toDouble()));
    QCOMPARE(float(got.max), float(want["max"].toDouble()));
}

} // namespace

void TestDicomSeries::seriesFollowPattern_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("warning"); // a part of the one warning expected, or none
    // The case, its folder when another than its name, the series chosen
    // (empty: the one of most slices), the warning.
    const char *const rows[][4] = {
        {"shuffled", "", "", ""}, // names shuffled, instances reversed, localizers
        {"missing", "", "", "missing from the series"},
        {"duplicate", "", "", "at the position of another"},
        {"tilt", "", "", "tilted by 9.93°"},
        {"anisotropic", "", "", ""},
        {"oblique", "", "", ""},
        {"rescale", "", "", ""},
        {"mr", "", "", "do not say the unit"},
        {"multiframe", "multiframe/frames.dcm", "", ""},
        {"multiframe_rle", "multiframe_rle/frames.dcm", "", ""},
        {"one", "", "", "single slice"},
        {"two_first", "two", "1", ""},
        {"two_second", "two", "uid", ""},
        {"two_second", "two", "", "holds 2 series"},
        {"un_position", "", "", ""},
        {"mosaic_count", "classes/mosaic_count", "", "do not say the unit"},
        {"mosaic_csa", "classes/mosaic_csa", "", "do not say the unit"},
    };
    for (const auto &[record, folder, choice, warning] : rows)
        QTest::addRow("%s%s%s", record, *choice ? " chosen by " : "", choice)
            << QString(*folder ? folder : record) << QString(record) << QString(choice)
            << QString(warning);
}

// Every voxel's world position, taken back into the generating grid, lands on
// a whole index whose pattern value the voxel holds; missing slices hold the
// lowest value.
void TestDicomSeries::seriesFollowPattern()
{
    QFETCH(QString, folder);
    QFETCH(QString, record);
    QFETCH(QString, choice);
    QFETCH(QString, warning);
    const QJsonObject expected = cases.value(record);
    if (choice == "uid")
        choice = expected["uid"].toString();
    ImageVolume image;
    try {
        image = readDicomSeries(path(folder), choice);
    } catch (const ImportFailure &failure) {
        QFAIL(qPrintable(failure.message));
    }
    const QJsonArray size = expected["size"].toArray();
    for (int a = 0; a < 3; ++a)
        QCOMPARE(image.size[a], size[a].toInteger());
    QCOMPARE(image.shorts.empty(), !expected["shorts"].toBool());
    QCOMPARE(image.unit, expected["unit"].toString());
    if (warning.isEmpty())
        QVERIFY2(image.warnings.isEmpty(), qPrintable(image.warnings.join('\n')));
    else
        QVERIFY2(image.warnings.size() >= 1 && image.warnings.join('\n').contains(warning),
                 qPrintable(image.warnings.join('\n')));

    const Affine toGrid = gridOf(expected).inverse();
    QList<int> missing;
    for (const QJsonValue v : expected["missing"].toArray())
        missing << v.toInt();
    const double lowest = pattern(0, double(size[1].toInt() - 1), 0);
    for (qint64 k = 0; k < image.size[2]; ++k)
        for (qint64 j = 0; j < image.size[1]; ++j)
            for (qint64 i = 0; i < image.size[0]; ++i) {
                double world[3], grid[3];
                image.toWorld.apply(double(i), double(j), double(k), world);
                toGrid.apply(-world[0], -world[1], world[2], grid); // ours to LPS
                for (double g : grid)
                    QVERIFY2(std::fabs(g - std::round(g)) < 1e-3,
                             said("voxel", i, j, k, "off the grid").constData());
                const double want = missing.contains(int(std::lround(grid[2])))
                    ? lowest
                    : pattern(std::round(grid[0]), std::round(grid[1]), std::round(grid[2]));
                if (image.at(i, j, k) != float(want))
                    QFAIL(said("voxel", i, j, k, "holds", image.at(i, j, k), "not", want));
            }
    // The filled planes are marked as such: the readout says so, and they
    // count in no statistic.
    QList<int> marked;
    for (const qint64 k : image.missingPlanes) {
        double world[3], grid[3];
        image.toWorld.apply(0, 0, double(k), world);
        toGrid.apply(-world[0], -world[1], world[2], grid);
        marked << int(std::lround(grid[2]));
    }
    QCOMPARE(marked, missing);
    const qint64 plane = image.size[0] * image.size[1];
    QCOMPARE(valueRange(image).count, image.voxelCount() - plane * missing.size());
    for (const qint64 k : {qint64(0), image.size[2] - 1}) {
        const ImageSlice slice = sliceOf(image, 2, k);
        const SliceReadout at = readoutAt(image, slice, 0, 0);
        QCOMPARE(at.missing, image.missingPlane(k));
        QVERIFY(at.number);
    }
    for (const qint64 k : image.missingPlanes) {
        const SliceReadout at = readoutAt(image, sliceOf(image, 2, k), 1, 1);
        QVERIFY(at.missing && !at.number);
    }
    // Index axes follow the grid's own: columns, rows, slices in position order.
    const Affine grid = gridOf(expected);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            QVERIFY(std::fabs(image.toWorld.m[r][c] - (r < 2 ? -1 : 1) * grid.m[r][c]) < 1e-4);
}

// The scan lists every series with what a chooser shows, localizers left
// out; a choice the path does not hold is refused.
void TestDicomSeries::scanListsSeries()
{
    const std::vector<DicomSeriesInfo> two = scanDicom(path("two"));
    QCOMPARE(two.size(), size_t(2));
    QCOMPARE(two[0].uid, cases["two_first"]["uid"].toString());
    QCOMPARE((QList<int> {two[0].slices, two[0].rows, two[0].columns, two[1].slices}),
             (QList<int> {3, 3, 4, 5}));
    QCOMPARE((QStringList {two[0].description, two[0].patient, two[0].date, two[0].modality}),
             (QStringList {"small", "Test Patient", "20260101", "CT"}));

    const std::vector<DicomSeriesInfo> one = scanDicom(path("shuffled"));
    QCOMPARE(one.size(), size_t(1));
    QCOMPARE(one[0].slices, 8);
    // The image read carries the listing of its path (what `info` shows, so
    // that it need not scan the path again), the series read among them.
    for (const QString folder : {"two", "shuffled"}) {
        const std::vector<DicomSeriesInfo> scanned = scanDicom(path(folder));
        const ImageVolume read = readDicomSeries(path(folder), "1");
        QCOMPARE(read.pathSeries.size(), scanned.size());
        for (size_t n = 0; n < scanned.size(); ++n)
            QVERIFY(read.pathSeries[n].uid == scanned[n].uid
                    && read.pathSeries[n].slices == scanned[n].slices
                    && read.pathSeries[n].description == scanned[n].description);
        QCOMPARE(read.seriesUid, scanned[0].uid);
    }

    for (const QString choice : {"3", "0", "1.2.3.4"}) {
        try {
            readDicomSeries(path("two"), choice);
            QFAIL(qPrintable("series " + choice + " was read"));
        } catch (const ImportFailure &failure) {
            QVERIFY(failure.message.contains(choice));
        }
    }
    QVERIFY(hasDicomMark(QByteArray(128, '\0') + "DICM"));
    QVERIFY(!hasDicomMark(QByteArray(127, '\0') + "DICM"));
    QVERIFY(!hasDicomMark(QByteArray(128, '\0') + "DICN"));
}

// Every entry point reaches DICOM through the door: a folder, a chosen
// series, and a file whose name has no ending but whose bytes are DICOM.
void TestDicomSeries::doorOpensDicom()
{
    QCOMPARE(recognise(path("shuffled")).kind, FileKind::Dicom);
    const OpenedFile folder = openPath(path("shuffled"));
    QVERIFY(!folder.failed());
    QVERIFY(folder.image && folder.models.empty());
    QCOMPARE(folder.image->size[2], qint64(8));

    OpenOptions second;
    second.series = "2";
    const OpenedFile chosen = openPath(path("two"), second);
    QVERIFY(chosen.image);
    QCOMPARE(chosen.image->size[2], qint64(5));

    // A viewer's chooser is asked only when the path holds several series,
    // and its answer is read; no answer cancels.
    int asked = 0;
    OpenOptions ask;
    ask.chooseSeries = [&](const std::vector<DicomSeriesInfo> &list) {
        ++asked;
        return list.size() == 2 && list[1].slices == 5 ? 0 : 1;
    };
    const OpenedFile first = openPath(path("two"), ask);
    QCOMPARE(asked, 1);
    QVERIFY(first.image && first.image->warnings.isEmpty()); // no "holds 2 series" warning
    QCOMPARE(first.image->size[2], qint64(3));
    QCOMPARE(first.image->seriesUid, cases["two_first"]["uid"].toString());
    QVERIFY(openPath(path("shuffled"), ask).image);
    QCOMPARE(asked, 1);
    ask.chooseSeries = [](const std::vector<DicomSeriesInfo> &) { return -1; };
    const OpenedFile none = openPath(path("two"), ask);
    QVERIFY(none.canceled && !none.image);

    // The command line lists the series of the path, marking the one read.
    for (const QString &choice : {QString(), QString("1")}) {
        QStringList args {"info", path("two"), "--json"};
        if (!choice.isEmpty())
            args << "--series" << choice;
        const Run run = cli(args);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QJsonArray list = QJsonDocument::fromJson(run.out.toUtf8())
                                    .object()["image"]
                                    .toObject()["series"]
                                    .toArray();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].toObject()["uid"].toString(), cases["two_first"]["uid"].toString());
        QCOMPARE(list[1].toObject()["images"].toInt(), 5);
        QCOMPARE(list[0].toObject()["read"].toBool(), choice == "1");
        QCOMPARE(list[1].toObject()["read"].toBool(), choice.isEmpty());
    }
    const Run text = cli({"info", path("two")});
    QVERIFY2(text.out.contains("series in the path: 2\n    1. CT, 3 images of 4 x 3, small")
                 && text.out.contains(", 5 images of "),
             qPrintable(text.out));
    const Run single = cli({"info", path("shuffled"), "--json"});
    QVERIFY(!QJsonDocument::fromJson(single.out.toUtf8())
                 .object()["image"]
                 .toObject()
                 .contains("series"));

    const QFileInfo slice = QDir(path("shuffled")).entryInfoList(QDir::Files).first();
    const QString bare = path("IM0001");
    QVERIFY(QFile::copy(slice.filePath(), bare));
    QCOMPARE(recognise(bare).kind, FileKind::Dicom);
    const OpenedFile one = openPath(bare);
    QVERIFY(one.image);
    QCOMPARE(one.image->size[2], qint64(1));
}

// One MR image in six transfer syntaxes decodes to the same values and
// place; a CT image gives Hounsfield units through its rescale.
void TestDicomSeries::encodingsAgree()
{
    const ImageVolume plain = readDicomSeries(path("pydicom/MR_small.dcm"));
    QCOMPARE(plain.size[0], 64);
    QCOMPARE(plain.modality, QString("MR"));
    for (const QString name :
         {"MR_small_implicit.dcm", "MR_small_bigendian.dcm", "MR_small_RLE.dcm",
          "MR_small_jpeg_ls_lossless.dcm", "MR_small_jp2klossless.dcm"}) {
        const ImageVolume other = readDicomSeries(path("pydicom/" + name));
        QVERIFY2(other.shorts == plain.shorts && other.floats == plain.floats, qPrintable(name));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                QCOMPARE(other.toWorld.m[r][c], plain.toWorld.m[r][c]);
    }
    const ImageVolume ct = readDicomSeries(path("pydicom/CT_small.dcm"));
    const QJsonObject want = cases["ct_small"];
    QCOMPARE(ct.unit, QString("HU"));
    QVERIFY(!ct.shorts.empty());
    compareWithPydicom(ct, want);
    // The first voxel's centre is its position, x and y turned to our frame.
    QCOMPARE(ct.toWorld.m[0][3], 158.135803);
    QCOMPARE(ct.toWorld.m[1][3], 179.035797);
    QCOMPARE(ct.toWorld.m[2][3], -75.699997);
}

// Classes of files from outside that were read wrong: 32-bit big-endian
// values, a dose grid placed by its frame offsets and scaled to gray, pixel
// data longer than its header says, and a DICOMDIR listing a file that is gone.
void TestDicomSeries::outsideClassesRead()
{
    const ImageVolume big = readDicomSeries(cases["big32"]["path"].toString());
    compareWithPydicom(big, cases["big32"]);

    const ImageVolume dose = readDicomSeries(cases["dose"]["path"].toString());
    compareWithPydicom(dose, cases["dose"]);
    QCOMPARE(dose.unit, QString("Gy"));
    QCOMPARE(dose.size[2], qint64(4));
    QCOMPARE(dose.toWorld.m[2][2], 5.0); // the frames 5 mm apart along z
    QCOMPARE(dose.toWorld.m[2][3], 30.0);
    QVERIFY2(dose.warnings.isEmpty(), qPrintable(dose.warnings.join('\n')));

    const ImageVolume rows = readDicomSeries(path("classes/rows_short.dcm"));
    QVERIFY2(rows.warnings.join('\n').contains("(7FE0,0010) of rows_short.dcm holds 80 bytes, "
                                               "more than the 40"),
             qPrintable(rows.warnings.join('\n')));

    const ImageVolume listed = readDicomSeries(path("classes/directory/DICOMDIR"));
    QCOMPARE(listed.size[2], qint64(2));
    QVERIFY2(listed.warnings.join('\n').contains("DICOMDIR lists 1 files that are not there"),
             qPrintable(listed.warnings.join('\n')));
}

// What goes wrong reaches the user in our form only: a damaged JPEG's codec
// prints nothing of its own, and the warnings of an image given with --ct
// are printed and in the JSON's warnings.
void TestDicomSeries::warningsReachTheUser()
{
    const Run jpeg = cli({"info", path("classes/jpeg_damaged.dcm")});
    for (const QString &line : jpeg.err.split('\n', Qt::SkipEmptyParts))
        QVERIFY2(line.startsWith(path("classes/jpeg_damaged.dcm") + ": "), qPrintable(jpeg.err));

    const QString surface = QStringLiteral(TESSARON_SAMPLE_DIR) + "/parenhima.surf";
    for (const bool json : {false, true}) {
        QStringList args {"info", surface, "--ct", path("missing")};
        if (json)
            args << "--json";
        const Run run = cli(args);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY2(run.err.contains(path("missing") + ": warning: Slices missing from the series"),
                 qPrintable(run.err));
        if (json) {
            const QJsonArray warnings =
                QJsonDocument::fromJson(run.out.toUtf8()).object()["warnings"].toArray();
            QVERIFY(warnings.contains(QJsonValue("The missing slices are left at the image's "
                                                 "lowest value.")));
        }
    }
}

void TestDicomSeries::badInputsRefused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message"); // a pattern the failure's text matches
    const char *const rows[][2] = {
        {"short_pixels.dcm", R"(pixel data of short_pixels.dcm holds 100 bytes)"},
        {"short_pixels_big.dcm", R"(pixel data of short_pixels_big.dcm holds 100 bytes)"},
        {"short_file.dcm", R"(^short_file.dcm holds \d+ bytes, fewer than its 1 frames)"},
        {"rows_zero.dcm", R"(has 0 rows)"},
        {"rows_65535.dcm", R"(has 65535 rows)"},
        {"bits_12.dcm", R"(12 bits per value)"},
        {"too_large.dcm", R"(more than the 4096 MB)"},
        {"garbage.dcm", R"(garbage.dcm is damaged: no file meta group follows its DICM mark)"},
        {"lying_fragment.dcm",
         R"(lying_fragment.dcm is damaged: a fragment of its compressed pixel data claims )"
         "2147483392 bytes"},
        {"lying_end_mark.dcm",
         R"(lying_end_mark.dcm is damaged: an end mark claims 33554432 bytes)"},
        {"lying_element.dcm", R"(element \(0009,1010\) claims 2147483392 bytes)"},
        {"orientation_date.dcm", R"(element \(0020,0037\) has the value type DA where DS belongs)"},
        {"slope_nan.dcm", R"(\(0028,1053\) of slope_nan.dcm reads "NaN")"},
        {"slope_inf.dcm", R"(\(0028,1053\) of slope_inf.dcm reads "inf")"},
        {"slope_huge.dcm", R"(\(0028,1053\) of slope_huge.dcm reads "1e308")"},
        {"slope_tiny.dcm", R"(\(0028,1053\) of slope_tiny.dcm reads "1e-310")"},
        {"intercept_nan.dcm", R"(\(0028,1052\) of intercept_nan.dcm reads "nan")"},
        {"bits_stored_20.dcm", R"(stores 20 bits \(0028,0101\) of values of 16 bits)"},
        {"representation_2.dcm", R"(pixel representation \(0028,0103\) 2)"},
        {"no_pixels.dcm", R"(^no_pixels.dcm has no pixel data \(7FE0,0010\))"},
        {"spacing_999999.dcm", R"(pixel spacing \(0028,0030\) 999999 mm)"},
        {"mosaic.dcm",
         R"(mosaic.dcm is a mosaic \(Image Type \(0008,0008\) MOSAIC\) that cannot be split)"
         R"(.*no usable count of slices in \(0019,100A\))"},
        {"ct_and_mr", R"(modalities CT and MR \(0008,0060\))"},
        {"bits_8_and_16", R"(16-bit and 8-bit values)"},
        {"directory_empty/DICOMDIR",
         R"(DICOMDIR lists 3 files that are not there; the first: PT000000.ST000000)"},
        {"absent.dcm", R"(does not exist)"},
    };
    for (const auto &[file, message] : rows)
        QTest::newRow(file) << QString(file) << QString(message);
}

void TestDicomSeries::badInputsRefused()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    try {
        const ImageVolume image = readDicomSeries(path("bad/" + file));
        QFAIL(said("read as", image.size[0], image.size[1], image.size[2]));
    } catch (const ImportFailure &failure) {
        QVERIFY2(failure.message.contains(QRegularExpression(message)),
                 qPrintable(failure.message));
    }
}

QTEST_GUILESS_MAIN(TestDicomSeries)
#include "test_dicom_series.moc"
