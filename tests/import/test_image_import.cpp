// Images of intensities through the door: NIfTI and NRRD images written by
// nibabel and by hand (skipped without nibabel) open as images in the
// patient frame, label maps still open as surfaces, the guess and its
// override; the values inside closed surfaces checked against numpy on the
// same voxels, also on an oblique image and for a surface partly outside.

#include "ImageInputs.h"
#include "ImportChecks.h"
#include "NiftiWriter.h"
#include "WholeFiles.h"
#include "app/SurfFiles.h"
#include "import/Importer.h"
#include "measure/HuStatistics.h"
#include "measure/ModelSurface.h"
#include "measure/Shapes.h"
#include "model/ModelClass.h"
#include "model/SliceGrey.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using measure::HuStatistics;

namespace {

bool near(double a, double b, double tolerance = 1e-6)
{
    return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b));
}

TriangleSurface boxOf(const QJsonArray &bounds)
{
    std::array<double, 3> lo, size;
    for (int a = 0; a < 3; ++a) {
        lo[size_t(a)] = bounds[a].toArray()[0].toDouble();
        size[size_t(a)] = bounds[a].toArray()[1].toDouble() - lo[size_t(a)];
    }
    return box(lo, size);
}

TriangleSurface octahedron(const QJsonArray &centre, const QJsonArray &radii)
{
    TriangleSurface s;
    for (int a = 0; a < 3; ++a)
        for (double sign : {1.0, -1.0}) {
            std::array<double, 3> p = {centre[0].toDouble(), centre[1].toDouble(),
                                       centre[2].toDouble()};
            p[size_t(a)] += sign * radii[a].toDouble();
            s.points.insert(s.points.end(), p.begin(), p.end());
        }
    for (std::uint32_t i : {1, 3, 5, 3, 2, 5, 2, 4, 5, 4, 1, 5, 3, 1, 6, 2, 3, 6, 4, 2, 6, 1, 4, 6})
        s.triangles.push_back(i - 1);
    return s;
}

// The numbers huInside gives against numpy's on the same voxels.
void compareStatistics(const HuStatistics &hu, const QJsonObject &expected)
{
    QCOMPARE(hu.voxels, qint64(std::as_const(expected)["voxels"].toDouble()));
    const std::pair<const char *, double> values[] = {
        {"mean", hu.mean}, {"sd", hu.sd}, {"min", hu.min}, {"max", hu.max}, {"p95", hu.p95}};
    for (const auto &[key, value] : values)
        QVERIFY2(near(value, std::as_const(expected)[key].toDouble()),
                 said(key, value, "not", std::as_const(expected)[key].toDouble()).constData());
}

OpenedFile open(const QString &path, ReadAs as = ReadAs::Guess, const QString &series = {})
{
    OpenOptions options;
    options.as = as;
    options.series = series;
    return openPath(path, options);
}

} // namespace

class TestImageImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void imagesInThePatientFrame_data();
    void imagesInThePatientFrame();
    void guessAndOverride();
    void valuesInsideSurfaces_data();
    void valuesInsideSurfaces();
    void crossingsOnVoxelRows();
    void labelMapOverlapsItsImage();
    void badImagesRefused_data();
    void badImagesRefused();
    void voxelsWithoutNumbers_data();
    void voxelsWithoutNumbers();

private:
    bool haveImages() const { return !expected.isEmpty(); }
    QString file(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    QJsonObject expected;
};

void TestImageImport::initTestCase()
{
    expected = writeImageInputs(dir.path());
}

void TestImageImport::imagesInThePatientFrame_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("oracle"); // the image of the same grid and values
    QTest::addColumn<bool>("shorts");
    const auto row = [](const char *tag, const char *name, const char *oracle, bool shorts) {
        QTest::newRow(tag) << QString(name) << QString(oracle) << shorts;
    };
    row("oblique int16 NIfTI", "ct.nii.gz", "ct.nii.gz", true);
    row("NRRD in left-posterior-superior space", "ct.nrrd", "ct.nii.gz", true);
    row("float NIfTI, axes flipped", "mr_float.nii", "mr_float.nii", false);
    row("few values, intent not labels", "zscore.nii", "zscore.nii", true);
    // Half-unit values after the header's slope and intercept, and whole
    // values beyond 16 bits: both kept as floats, never wrapped or unscaled.
    row("slope and intercept", "scaled.nii", "scaled.nii", false);
    row("unsigned 16 bits", "uint16.nii", "uint16.nii", false);
}

void TestImageImport::imagesInThePatientFrame()
{
    if (!haveImages())
        QSKIP("the system Python with numpy and nibabel writes these images");
    QFETCH(QString, name);
    QFETCH(QString, oracle);
    QFETCH(bool, shorts);
    const OpenedFile opened = open(file(name));
    QVERIFY2(!opened.failed(), qPrintable(problemsOf(opened)));
    QVERIFY(opened.image && opened.models.empty());
    const ImageVolume &image = *opened.image;
    const QJsonObject e = std::as_const(expected)[oracle].toObject();
    QCOMPARE(!image.shorts.empty(), shorts);
    QCOMPARE(image.shorts.empty() ? image.floats.size() : image.shorts.size(),
             size_t(image.voxelCount()));
    for (int a = 0; a < 3; ++a) {
        QCOMPARE(image.size[a], qint64(e["size"][a].toInt()));
        QVERIFY(near(image.toWorld.spacing(a), e["spacing"][a].toDouble()));
        QVERIFY(near(image.toWorld.m[a][3], e["origin"][a].toDouble()));
        for (int r = 0; r < 3; ++r)
            QVERIFY(near(image.toWorld.m[r][a] / image.toWorld.spacing(a),
                         e["direction"][3 * a + r].toDouble()));
    }
    const Summary got = summaryOf(image);
    QCOMPARE(got.min, e["min"].toDouble());
    QCOMPARE(got.max, e["max"].toDouble());
    QVERIFY(near(got.sum / double(image.voxelCount()), e["mean"].toDouble()));
    QVERIFY(image.modality.isEmpty() && image.unit.isEmpty());
}

void TestImageImport::guessAndOverride()
{
    if (!haveImages())
        QSKIP("the system Python with numpy and nibabel writes these images");
    // A label map made on the CT still opens as surfaces; read as an image,
    // it gives its label values.
    const OpenedFile labels = open(file("box_mask.nii.gz"));
    QVERIFY2(!labels.failed() && !labels.image, qPrintable(problemsOf(labels)));
    QCOMPARE(labels.models.size(), size_t(1));
    const OpenedFile asImage = open(file("box_mask.nii.gz"), ReadAs::Image);
    QVERIFY(asImage.image && asImage.models.empty());
    QCOMPARE(*std::max_element(asImage.image->shorts.begin(), asImage.image->shorts.end()),
             qint16(1));

    // The CT read as labels is refused for its many values, and so is an
    // image whose intent says labels.
    for (const OpenedFile &refused :
         {open(file("ct.nii.gz"), ReadAs::Labels), open(file("many_labels.nii"))}) {
        QVERIFY(refused.failed() && !refused.image && refused.models.empty());
        QVERIFY2(problemsOf(refused).contains("distinct labels"), qPrintable(problemsOf(refused)));
    }

    // A CT of a few tissues, each of one HU value (the sample CT without its
    // noise), is an image by its negative values; the same few values
    // without the negative ones could be labels.
    const auto tissues = [](int i, int j, int k) {
        return qint16(i < 2 ? -1000 : (j < 4 ? -100 : (k < 4 ? 40 : 1000)));
    };
    QVERIFY(writeNifti(file("few_tissues.nii"), 8, 1.0, tissues));
    const OpenedFile ct = open(file("few_tissues.nii"));
    QVERIFY2(ct.image && ct.models.empty(), qPrintable(problemsOf(ct)));
    QVERIFY(writeNifti(file("few_positive.nii"), 8, 1.0,
                       [&](int i, int j, int k) { return qint16(tissues(i, j, k) + 1000); }));
    const OpenedFile positive = open(file("few_positive.nii"));
    QVERIFY(!positive.image && positive.models.size() == 3);
    // The same of floats, and more than a thousand whole values: images.
    QVERIFY(writeFloatCubeNifti(file("few_tissues_float.nii"), 8, 1.0,
                                [&](int i, int j, int k) { return float(tissues(i, j, k)); }));
    QVERIFY(writeFloatCubeNifti(file("many_float.nii"), 12, 1.0,
                                [](int i, int j, int k) { return float(i + 12 * (j + 12 * k)); }));
    for (const char *name : {"few_tissues_float.nii", "many_float.nii"})
        QVERIFY2(open(file(name)).image, name);

    // The models-only entry hands the image back rather than dropping it.
    std::vector<std::unique_ptr<ModelClass>> models;
    const ImportResult result = importModels(file("ct.nrrd"), models);
    QVERIFY(result.ok && result.image && models.empty());

    // Surfaces are not an image; a series means nothing to one NIfTI file.
    QVERIFY(writeBytes(
        file("one.surf"),
        surfBytes({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}, {1, 3, 2, 1, 2, 4, 1, 4, 3, 2, 3, 4})));
    const OpenedFile surface = open(file("one.surf"), ReadAs::Image);
    QVERIFY(surface.failed() && surface.models.empty());
    QVERIFY(problemsOf(surface).contains("not an image"));
    const OpenedFile series = open(file("ct.nii.gz"), ReadAs::Guess, "2");
    QVERIFY(!series.failed() && series.image);
    QVERIFY(problemsOf(series).contains("series"));
}

void TestImageImport::valuesInsideSurfaces_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("shape");
    const auto row = [](const char *tag, const char *image, const char *shape) {
        QTest::newRow(tag) << QString(image) << QString(shape);
    };
    row("box in an oblique CT", "ct.nii.gz", "box");
    row("box partly outside the CT", "ct.nii.gz", "partly_outside");
    row("octahedron in an oblique CT", "ct.nii.gz", "octahedron");
    row("box in a float image", "mr_float.nii", "mr_box");
}

void TestImageImport::valuesInsideSurfaces()
{
    if (!haveImages())
        QSKIP("the system Python with numpy and nibabel writes these images");
    QFETCH(QString, image);
    QFETCH(QString, shape);
    const OpenedFile opened = open(file(image));
    QVERIFY(opened.image);
    const QJsonObject e = std::as_const(expected)[shape].toObject();
    const TriangleSurface surface = e.contains("bounds")
        ? boxOf(e["bounds"].toArray())
        : octahedron(e["centre"].toArray(), e["radii"].toArray());
    compareStatistics(measure::huInside(surface, *opened.image), e);
    // The parity does not depend on which way the triangles face.
    compareStatistics(measure::huInside(flipped(surface), *opened.image), e);
}

namespace {

// A prism along i over a hexagon in (j, k) whose caps are cut by a level
// edge at k = 3: the voxel rows j = 1..5, k = 3 cross the caps exactly on
// that edge. Corners at half voxels elsewhere.
void addPrism(TriangleSurface &s, double i0, double i1)
{
    const double hexagon[6][2] = {{0.5, 0.5}, {5.5, 0.5}, {5.5, 3},
                                  {5.5, 5.5}, {0.5, 5.5}, {0.5, 3}};
    const auto base = std::uint32_t(s.vertexCount());
    for (double i : {i0, i1})
        for (const auto &p : hexagon)
            s.points.insert(s.points.end(), {i, p[0], p[1]});
    for (std::uint32_t cap : {0u, 6u})
        for (std::uint32_t v : {0, 1, 2, 0, 2, 5, 5, 2, 3, 5, 3, 4})
            s.triangles.push_back(base + cap + v);
    for (std::uint32_t e = 0; e < 6; ++e) {
        const std::uint32_t a = base + e, b = base + (e + 1) % 6;
        s.triangles.insert(s.triangles.end(), {a, b, b + 6, a, b + 6, a + 6});
    }
}

} // namespace

// Crossings that fall exactly on a shared edge count once, and a row that
// crosses the surface four times is inside twice, not three times.
void TestImageImport::crossingsOnVoxelRows()
{
    ImageVolume image;
    image.size[0] = 12, image.size[1] = 8, image.size[2] = 8;
    for (qint64 n = 0; n < image.voxelCount(); ++n)
        image.shorts.push_back(qint16(n % 1000));
    TriangleSurface two;
    addPrism(two, 2.5, 7.5); // voxels i 3..7
    addPrism(two, 8.5, 9.5); // voxel i 9
    qint64 voxels = 0;
    double sum = 0;
    for (qint64 k = 1; k <= 5; ++k)
        for (qint64 j = 1; j <= 5; ++j)
            for (qint64 i : {3, 4, 5, 6, 7, 9}) {
                ++voxels;
                sum += image.at(i, j, k);
            }
    for (const TriangleSurface &s : {two, flipped(two)}) {
        const HuStatistics hu = measure::huInside(s, image);
        QCOMPARE(hu.voxels, voxels);
        QVERIFY(near(hu.mean, sum / double(voxels)));
    }
    // A missing slice's filling counts in no statistic.
    image.missingPlanes = {2};
    for (const qint64 j : {1, 2, 3, 4, 5})
        for (const qint64 i : {3, 4, 5, 6, 7, 9})
            sum -= image.at(i, j, 2);
    const HuStatistics hu = measure::huInside(two, image);
    QCOMPARE(hu.voxels, voxels - 30);
    QVERIFY(near(hu.mean, sum / double(voxels - 30)));
    QCOMPARE(valueRange(image).count, image.voxelCount() - 12 * 8);
}

void TestImageImport::labelMapOverlapsItsImage()
{
    if (!haveImages())
        QSKIP("the system Python with numpy and nibabel writes these images");
    const OpenedFile ct = open(file("ct.nii.gz"));
    const OpenedFile labels = open(file("box_mask.nii.gz"));
    QVERIFY(ct.image && labels.models.size() == 1);
    const measure::ModelSnapshot shot = measure::snapshotModel(*labels.models.front());
    const HuStatistics hu = measure::huInside(shot.surface, *ct.image);
    // The label's surface runs between its voxels and the rest; smoothing
    // rounds the box's edges and may drop a few corner voxels, never more.
    const QJsonObject e = std::as_const(expected)["box_mask"].toObject();
    const double voxels = e["voxels"].toDouble();
    QVERIFY2(hu.voxels <= voxels && hu.voxels > 0.95 * voxels,
             qPrintable(QString::number(hu.voxels)));
    QVERIFY2(std::fabs(hu.mean - e["mean"].toDouble()) < 1.0, qPrintable(QString::number(hu.mean)));
    QVERIFY(hu.min >= e["min"].toDouble() && hu.max <= e["max"].toDouble());
}

void TestImageImport::badImagesRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray head("NRRD0004\ntype: float\ndimension: 3\nencoding: raw\nendian: little\n");
    QTest::newRow("data shorter than the sizes")
        << "short.nrrd" << head + "sizes: 100 100 100\n\n" + QByteArray(4000, 1)
        << "more than the file holds";
    QTest::newRow("sizes beyond memory")
        << "huge.nrrd" << head + "sizes: 4000000000 4000000000 4000000000\n\n" + QByteArray(64, 1)
        << "too large";
    QTest::newRow("segmentation layers as an image")
        << "layers.nrrd"
        << QByteArray("NRRD0004\ntype: uchar\ndimension: 4\nencoding: raw\nsizes: 2 3 3 3\n"
                      "space directions: none (1,0,0) (0,1,0) (0,0,1)\n\n")
            + QByteArray(54, 1)
        << "segmentation layers";
}

void TestImageImport::badImagesRefused()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QVERIFY(writeBytes(file(name), bytes));
    const OpenedFile opened = open(file(name), ReadAs::Image);
    QVERIFY(opened.failed() && !opened.image && opened.models.empty());
    QVERIFY2(problemsOf(opened).contains(message), qPrintable(problemsOf(opened)));
}

namespace {

// A 6³ float image of 1 mm voxels, value 10 i + j + k, with no number in
// voxels (1, 1, 1) (NaN), (2, 2, 2) (+inf) and (3, 3, 3) (-inf).
float withHoles(int i, int j, int k)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    if (i == j && j == k && i >= 1 && i <= 3)
        return std::array {std::numeric_limits<float>::quiet_NaN(), inf, -inf}[size_t(i - 1)];
    return float(10 * i + j + k);
}

QByteArray nrrdWithHoles()
{
    QByteArray bytes("NRRD0004\ntype: float\ndimension: 3\nsizes: 6 6 6\nencoding: raw\n"
                     "endian: little\nspacings: 1 1 1\n\n");
    for (int k = 0; k < 6; ++k)
        for (int j = 0; j < 6; ++j)
            for (int i = 0; i < 6; ++i) {
                const float v = qToLittleEndian(withHoles(i, j, k));
                bytes.append(reinterpret_cast<const char *>(&v), 4);
            }
    return bytes;
}

} // namespace

void TestImageImport::voxelsWithoutNumbers_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("NIfTI") << "holes.nii";
    QTest::newRow("gzipped NIfTI") << "holes_gz.nii.gz"; // the voxels read again through zlib
    QTest::newRow("NRRD") << "holes.nrrd";
}

// Voxels that hold no number open (the image is not refused), are counted in
// its warnings, show black under any window and are left out of the values
// inside a surface; read as labels, the file is refused.
void TestImageImport::voxelsWithoutNumbers()
{
    QFETCH(QString, name);
    if (name.endsWith(".nii"))
        QVERIFY(writeFloatCubeNifti(file(name), 6, 1.0, withHoles));
    else if (name.endsWith(".nii.gz"))
        QVERIFY(writeFloatCubeNifti(file(name.chopped(3)), 6, 1.0, withHoles)
                && QProcess::execute("gzip", {"-f", file(name.chopped(3))}) == 0);
    else
        QVERIFY(writeBytes(file(name), nrrdWithHoles()));
    const OpenedFile opened = open(file(name));
    QVERIFY2(opened.image && !opened.failed(), qPrintable(problemsOf(opened)));
    const ImageVolume &image = *opened.image;
    QCOMPARE(image.warnings.join(' '),
             QString("3 voxels hold no number; they show black and count in no statistic."));
    for (int n = 1; n <= 3; ++n) {
        QVERIFY(std::isnan(image.at(n, n, n)));
        const ImageSlice slice = sliceOf(image, 2, n);
        for (WindowLevel wl : {WindowLevel {1, -1e6}, windowpreset::Bone, WindowLevel {0, 1e9}})
            QCOMPARE(int(windowed(slice, wl)[size_t(n + 6 * n)]), 0);
    }
    QCOMPARE(image.at(4, 2, 1), 43.0f);

    // A box around voxels 1..3 on each axis: 27 voxels, 3 without a number.
    double sum = 0, low = 1e9, high = -1e9;
    for (int k = 1; k <= 3; ++k)
        for (int j = 1; j <= 3; ++j)
            for (int i = 1; i <= 3; ++i)
                if (std::isfinite(withHoles(i, j, k))) {
                    sum += withHoles(i, j, k);
                    low = std::min(low, double(withHoles(i, j, k)));
                    high = std::max(high, double(withHoles(i, j, k)));
                }
    std::array<double, 3> a, b, lo, size;
    image.toWorld.apply(0.5, 0.5, 0.5, a.data());
    image.toWorld.apply(3.5, 3.5, 3.5, b.data());
    for (size_t c = 0; c < 3; ++c) {
        lo[c] = std::min(a[c], b[c]);
        size[c] = std::fabs(b[c] - a[c]);
    }
    const HuStatistics hu = measure::huInside(box(lo, size), image);
    QCOMPARE(hu.voxels, qint64(24));
    QVERIFY(near(hu.mean, sum / 24));
    QCOMPARE(hu.min, low);
    QCOMPARE(hu.max, high);
    QVERIFY(std::isfinite(hu.sd) && std::isfinite(hu.p95));

    const OpenedFile labels = open(file(name), ReadAs::Labels);
    QVERIFY(labels.failed() && !labels.image && labels.models.empty());
    QVERIFY2(problemsOf(labels).contains("not a whole number"), qPrintable(problemsOf(labels)));
}

QTEST_GUILESS_MAIN(TestImageImport)
#include "test_image_import.moc"
