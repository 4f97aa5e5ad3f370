// Slices of an image: which voxel plane each body orientation takes, the
// values and world corners of a plane, the grey of a window, and the range
// of an image's values.

#include "model/ImageSlice.h"
#include "model/SliceGrey.h"
#include "model/SliceScreen.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace {

// A 4 × 3 × 2 image whose value tells its voxel: 100 i + 10 j + k.
ImageVolume numbered(const double m[3][4])
{
    ImageVolume image;
    image.size[0] = 4;
    image.size[1] = 3;
    image.size[2] = 2;
    std::copy(&m[0][0], &m[0][0] + 12, &image.toWorld.m[0][0]);
    for (qint64 k = 0; k < 2; ++k)
        for (qint64 j = 0; j < 3; ++j)
            for (qint64 i = 0; i < 4; ++i)
                image.shorts.push_back(qint16(100 * i + 10 * j + k));
    return image;
}

} // namespace

class TestImageSlice : public QObject
{
    Q_OBJECT

private slots:
    void orientations_data();
    void orientations();
    void planeValuesAndCorners();
    void greyWindow();
    void greyTableAndKeptVoxels_data();
    void greyTableAndKeptVoxels();
    void pictureAndReadout();
    void valueRangeIsExact();
    void missingPlanesStriped();
};

void TestImageSlice::orientations_data()
{
    QTest::addColumn<QList<double>>("matrix");
    QTest::addColumn<QList<int>>("axes"); // sagittal, coronal, axial
    QTest::newRow("axial CT") << QList<double> {-0.7, 0, 0, 0, 0, -0.7, 0, 0, 0, 0, 2.5, 0}
                              << QList<int> {0, 1, 2};
    QTest::newRow("sagittal MR: k runs right-left")
        << QList<double> {0, 0, 1, 0, 1, 0, 0, 0, 0, -1, 0, 0} << QList<int> {2, 0, 1};
    QTest::newRow("coronal, slanting 30 degrees")
        << QList<double> {1, 0, 0, 0, 0, 0.5, -0.866, 0, 0, 0.866, 0.5, 0} << QList<int> {0, 2, 1};
    QTest::newRow("45 degrees: still three planes")
        << QList<double> {0.7071, 0.7071, 0, 0, -0.7071, 0.7071, 0, 0, 0, 0, 1, 0}
        << QList<int> {1, 0, 2};
}

void TestImageSlice::orientations()
{
    QFETCH(QList<double>, matrix);
    QFETCH(QList<int>, axes);
    double m[3][4];
    std::copy(matrix.begin(), matrix.end(), &m[0][0]);
    const ImageVolume image = numbered(m);
    for (int o = 0; o < kSliceOrientations; ++o)
        QCOMPARE(sliceAxis(image, SliceOrientation(o)), axes[o]);
    const SliceState centred = centredSlices(image);
    for (int o = 0; o < kSliceOrientations; ++o)
        QCOMPARE(centred.index[size_t(o)], image.size[axes[o]] / 2);
}

void TestImageSlice::planeValuesAndCorners()
{
    const double m[3][4] = {{0.5, 0, 0, 10}, {0, 0.6, 0, 20}, {0, 0, 3, 30}};
    const ImageVolume image = numbered(m);
    for (int axis = 0; axis < 3; ++axis)
        for (qint64 index = 0; index < image.size[axis]; ++index) {
            const ImageSlice slice = sliceOf(image, axis, index);
            const auto uv = sliceAxes(axis);
            QCOMPARE(slice.width, image.size[uv[0]]);
            QCOMPARE(slice.height, image.size[uv[1]]);
            for (qint64 v = 0; v < slice.height; ++v)
                for (qint64 u = 0; u < slice.width; ++u) {
                    qint64 voxel[3];
                    voxel[axis] = index;
                    voxel[uv[0]] = u;
                    voxel[uv[1]] = v;
                    QCOMPARE(slice.at(u, v), image.at(voxel[0], voxel[1], voxel[2]));
                    // The pixel's world position is its voxel's, and back.
                    double world[3], expected[3];
                    slice.toWorld(double(u), double(v), world);
                    image.toWorld.apply(double(voxel[0]), double(voxel[1]), double(voxel[2]),
                                        expected);
                    for (int r = 0; r < 3; ++r)
                        QVERIFY(std::abs(world[r] - expected[r]) < 1e-12);
                    const auto back = voxelOf(image, world);
                    for (int r = 0; r < 3; ++r)
                        QVERIFY(std::abs(back[size_t(r)] - double(voxel[r])) < 1e-9);
                }
            const auto n = slice.normal();
            for (int r = 0; r < 3; ++r)
                QCOMPARE(std::abs(n[size_t(r)]), r == axis ? 1.0 : 0.0);
        }
    QVERIFY(sliceOf(image, 2, 2).isEmpty()); // beyond the last plane
    QVERIFY(sliceOf(image, 2, -1).isEmpty());
    QVERIFY(sliceOf(image, 3, 0).isEmpty());
}

void TestImageSlice::greyWindow()
{
    const WindowLevel soft = windowpreset::SoftTissue; // -160 .. 240
    QCOMPARE(int(greyOf(-1000, soft)), 0);
    QCOMPARE(int(greyOf(-160, soft)), 0);
    QCOMPARE(int(greyOf(40, soft)), 128); // 127.5 rounds up
    QCOMPARE(int(greyOf(240, soft)), 255);
    QCOMPARE(int(greyOf(3000, soft)), 255);
    QCOMPARE(int(greyOf(-80, soft)), 51);
    QCOMPARE(int(greyOf(std::nanf(""), soft)), 0);
    const WindowLevel threshold {0, 600};
    QCOMPARE(int(greyOf(599.9f, threshold)), 0);
    QCOMPARE(int(greyOf(600, threshold)), 255);
    const WindowLevel stone = windowpreset::Stone; // -400 .. 1600
    ImageSlice slice;
    slice.width = 3;
    slice.height = 1;
    slice.values = {-400, 600, 1600};
    QCOMPARE(windowed(slice, stone), (std::vector<quint8> {0, 128, 255}));
}

void TestImageSlice::greyTableAndKeptVoxels_data()
{
    QTest::addColumn<double>("window");
    QTest::addColumn<double>("level");
    QTest::newRow("soft tissue") << 400.0 << 40.0;
    QTest::newRow("stone") << 2000.0 << 600.0;
    QTest::newRow("one value wide") << 1.0 << 0.5;
    QTest::newRow("narrower than a value") << 0.3 << -7.2;
    QTest::newRow("threshold") << 0.0 << 600.0;
    QTest::newRow("wider than 16 bits") << 1e6 << 0.0;
    QTest::newRow("below every value") << 100.0 << -40000.0;
    QTest::newRow("above every value") << 100.0 << 40000.0;
    QTest::newRow("not a number") << std::nan("") << 40.0;
}

// The table of a window gives every 16-bit value the grey greyOf gives it,
// also at the window's edges; the kept 16-bit voxels of a plane are the
// slice's values in its order, for each axis of a storage that is not
// square.
void TestImageSlice::greyTableAndKeptVoxels()
{
    QFETCH(double, window);
    QFETCH(double, level);
    const WindowLevel windowLevel {window, level};
    const GreyTable table(windowLevel);
    for (int v = -32768; v <= 32767; ++v)
        if (table(qint16(v)) != greyOf(float(v), windowLevel))
            QFAIL(qPrintable(QString("value %1: %2, not %3")
                                 .arg(v)
                                 .arg(table(qint16(v)))
                                 .arg(greyOf(float(v), windowLevel))));

    ImageVolume image;
    image.size[0] = 5, image.size[1] = 4, image.size[2] = 3;
    for (qint64 n = 0; n < image.voxelCount(); ++n)
        image.shorts.push_back(qint16(n * 997 % 65536 - 32768));
    for (int axis = 0; axis < 3; ++axis)
        for (qint64 index = 0; index < image.size[axis]; ++index) {
            const std::vector<qint16> kept = planeShorts(image, axis, index);
            const ImageSlice slice = sliceOf(image, axis, index);
            QCOMPARE(kept.size(), slice.values.size());
            std::vector<quint8> greys(kept.size());
            greyShorts(kept.data(), kept.size(), table, greys.data());
            for (size_t p = 0; p < kept.size(); ++p)
                QCOMPARE(float(kept[p]), slice.values[p]);
            QCOMPARE(greys, windowed(slice, windowLevel));
            const ImageSlice frame = sliceFrame(image, axis, index);
            QVERIFY(frame.values.empty());
            QCOMPARE(frame.width * frame.height, qint64(slice.values.size()));
            QCOMPARE(std::vector<double>(frame.corner, frame.corner + 3),
                     std::vector<double>(slice.corner, slice.corner + 3));
        }
    QVERIFY(planeShorts(image, 2, 3).empty() && planeShorts(image, 0, -1).empty());
    QCOMPARE(sliceFrame(image, 1, 4).width, qint64(0));
    image.floats.assign(image.shorts.begin(), image.shorts.end());
    image.shorts.clear();
    QVERIFY(planeShorts(image, 2, 0).empty()); // floats are greyed one by one
}

// The panel's picture in radiological orientation and its readout, without
// a window: an axial plane of an image stored i to the right and j to the
// front shows voxel (0, 0) at the bottom right; one stored i to the front
// and j to the right is transposed. A voxel without a number reads as none.
void TestImageSlice::pictureAndReadout()
{
    const double aligned[3][4] = {{1, 0, 0, -10}, {0, 2, 0, 20}, {0, 0, 3, 30}};
    const double swapped[3][4] = {{0, 1, 0, -10}, {2, 0, 0, 20}, {0, 0, 3, 30}};
    const WindowLevel distinct {512, 256}; // 0 .. 512 from black to white
    for (const auto *m : {aligned, swapped}) {
        ImageVolume image = numbered(m);
        const ImageSlice slice = sliceOf(image, 2, 1);
        const SliceScreen screen = screenOf(slice, SliceOrientation::Axial);
        QCOMPARE(screen.transposed, m == swapped);
        // Whatever the storage, the picture's right runs to the patient's
        // left and its rows run to the back: the edges' letters follow.
        QCOMPARE(screen.rightStep, (std::array<double, 3> {-1, 0, 0}));
        QCOMPARE(screen.downStep, (std::array<double, 3> {0, -2, 0}));
        const std::vector<quint8> picture = pictureGreys(slice, screen, distinct);
        QCOMPARE(qint64(picture.size()), screen.columns * screen.rows);
        // Voxel (0, 0, 1) at the bottom right, voxel (3, 2, 1) at the top left.
        QCOMPARE(picture.back(), greyOf(1, distinct));
        QCOMPARE(picture.front(), greyOf(321, distinct));
        for (qint64 v = 0; v < slice.height; ++v)
            for (qint64 u = 0; u < slice.width; ++u) {
                const auto back = screen.toSlice(screen.toPicture(double(u), double(v)));
                QCOMPARE(back, (std::array<double, 2> {double(u), double(v)}));
            }

        const SliceReadout at = readoutAt(image, slice, 3, 2);
        QCOMPARE(at.voxel, (std::array<qint64, 3> {3, 2, 1}));
        QVERIFY(at.number && at.value == 321);
        const std::array<double, 3> world = {m[0][0] * 3 + m[0][1] * 2 - 10,
                                             m[1][0] * 3 + m[1][1] * 2 + 20, 33};
        QCOMPARE(at.world, world);
        image.floats.assign(image.shorts.begin(), image.shorts.end());
        image.shorts.clear();
        image.floats[size_t(image.index(3, 2, 1))] = std::numeric_limits<float>::infinity();
        QVERIFY(!readoutAt(image, slice, 3, 2).number);
    }
}

namespace {

// An image of 16-bit voxels in one row.
ImageVolume row(const std::vector<qint16> &values)
{
    ImageVolume image;
    image.size[0] = qint64(values.size());
    image.size[1] = image.size[2] = 1;
    image.shorts.assign(values.begin(), values.end());
    return image;
}

} // namespace

// The range against a plain loop over the voxels: exact for 16-bit voxels
// (runs of the largest and smallest values, so that a sum in 16 or 32 bits
// would wrap; extremes in the last voxels past whole runs of 65536), and for
// floats the sum in order, with NaN and infinities left out.
void TestImageSlice::valueRangeIsExact()
{
    const qint64 block = 65536;
    std::vector<qint16> values(size_t(3 * block + 1000));
    quint32 seed = 12345;
    for (qint16 &v : values) {
        seed = seed * 1664525u + 1013904223u;
        v = qint16(int(seed >> 16) % 4001 - 1500);
    }
    std::fill(values.begin(), values.begin() + block, qint16(32767));
    std::fill(values.begin() + block, values.begin() + block + 40000, qint16(-32768));
    std::vector<qint16> tail(values.begin() + 2 * block, values.end());
    tail[tail.size() - 3] = -2001;
    tail.back() = 2600;
    for (const std::vector<qint16> &v : {values, tail, std::vector<qint16> {7}}) {
        qint64 sum = 0;
        for (qint16 x : v)
            sum += x;
        const ImageValueRange r = valueRange(row(v));
        QCOMPARE(r.count, qint64(v.size()));
        QCOMPARE(r.min, double(*std::min_element(v.begin(), v.end())));
        QCOMPARE(r.max, double(*std::max_element(v.begin(), v.end())));
        QCOMPARE(r.mean, double(sum) / double(v.size()));
    }
    QCOMPARE(valueRange(row(tail)).min, -2001.0);
    QCOMPARE(valueRange(row(tail)).max, 2600.0);

    ImageVolume floats = row(tail);
    floats.floats.assign(tail.begin(), tail.end());
    floats.shorts.clear();
    floats.floats[0] = std::nanf("");
    floats.floats[5] = -std::numeric_limits<float>::infinity();
    floats.floats.back() = std::numeric_limits<float>::infinity();
    floats.floats[9] = 0.1f;
    double sum = 0, low = 1e9, high = -1e9;
    for (float f : floats.floats)
        if (std::isfinite(f)) {
            sum += f;
            low = std::min(low, double(f));
            high = std::max(high, double(f));
        }
    const ImageValueRange r = valueRange(floats);
    QCOMPARE(r.count, qint64(tail.size() - 3));
    QCOMPARE(r.min, low);
    QCOMPARE(r.max, high);
    QCOMPARE(r.mean, sum / double(r.count));
    std::fill(floats.floats.begin(), floats.floats.end(), std::nanf(""));
    QCOMPARE(valueRange(floats).count, qint64(0));
    QCOMPARE(valueRange(ImageVolume()).count, qint64(0));
}

// The planes of missing slices are striped in every plane that shows them,
// under any window: the whole axial plane of a missing slice, a row of the
// sagittal and coronal planes crossing it; other pixels keep their grey.
void TestImageSlice::missingPlanesStriped()
{
    ImageVolume image;
    image.size[0] = 9, image.size[1] = 3, image.size[2] = 5;
    image.shorts.assign(size_t(image.voxelCount()), 40);
    image.missingPlanes = {1, 3};
    const auto greysOf = [&](int axis, qint64 index) {
        const ImageSlice slice = sliceOf(image, axis, index);
        std::vector<quint8> greys = windowed(slice, windowpreset::SoftTissue);
        return std::pair {markMissing(image, slice, greys.data()), greys};
    };
    const quint8 plain = greyOf(40, windowpreset::SoftTissue);
    const auto [marked, axial] = greysOf(2, 3);
    QCOMPARE(marked, qint64(27));
    QVERIFY(std::count(axial.begin(), axial.end(), plain) == 0);
    // Two greys in stripes.
    QCOMPARE(std::set<quint8>(axial.begin(), axial.end()).size(), size_t(2));
    QCOMPARE(greysOf(2, 2).first, qint64(0));
    for (int axis : {0, 1}) {
        const auto [count, greys] = greysOf(axis, 1);
        const qint64 width = image.size[axis == 0 ? 1 : 0];
        QCOMPARE(count, 2 * width);
        for (qint64 v = 0; v < image.size[2]; ++v)
            for (qint64 u = 0; u < width; ++u)
                QCOMPARE(greys[size_t(u + width * v)] == plain, v != 1 && v != 3);
    }
    image.missingPlanes.clear();
    QCOMPARE(greysOf(2, 3).first, qint64(0));
}

QTEST_APPLESS_MAIN(TestImageSlice)
#include "test_image_slice.moc"
