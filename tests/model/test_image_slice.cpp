// Slices of an image: which voxel plane each body orientation takes, the
// values and world corners of a plane, and the grey of a window.

#include "model/ImageSlice.h"

#include <QtTest>

#include <cmath>

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

QTEST_APPLESS_MAIN(TestImageSlice)
#include "test_image_slice.moc"
