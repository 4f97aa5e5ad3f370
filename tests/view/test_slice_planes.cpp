// The image's slice planes in the 3-D view: place, grey, textures,
// transparent models over them, and the window/level drag.

#include "ViewFixture.h"
#include "view/SlicePlanes.h"

namespace {

// An n³ image of 2 / n voxels filling the cube [-1, 1]³, value f(i, j, k).
std::shared_ptr<const ImageVolume> cubeImage(int n, const std::function<qint16(int, int, int)> &f)
{
    auto image = std::make_shared<ImageVolume>();
    const double step = 2.0 / n;
    image->size[0] = image->size[1] = image->size[2] = n;
    for (int r = 0; r < 3; ++r) {
        image->toWorld.m[r][r] = step;
        image->toWorld.m[r][3] = -1 + step / 2;
    }
    image->shorts.resize(size_t(n) * n * n);
    for (int k = 0; k < n; ++k)
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                image->shorts[size_t(image->index(i, j, k))] = f(i, j, k);
    return image;
}

// Soft tissue (40 HU) in the middle axial plane, bone (440 HU) elsewhere.
std::shared_ptr<const ImageVolume> layeredImage()
{
    return cubeImage(20, [](int, int, int k) { return qint16(k == 10 ? 40 : 440); });
}

// Shows the image with only its axial plane, framed alone.
void showAxial(ViewUnderTest &v, const std::shared_ptr<const ImageVolume> &image)
{
    ViewState &state = v.view->State;
    state.Image = image;
    state.Slices = startingSlices(*image);
    state.Slices.shown = {false, false, true};
    state.Slices.windowLevel = windowpreset::SoftTissue;
    v.commands.fitAll();
}

bool grey(const QColor &c, int level, int tolerance = 3)
{
    return near(c, QColor(level, level, level), tolerance);
}

} // namespace

class TestSlicePlanes : public QObject
{
    Q_OBJECT

private slots:
    void quadCoversTheOuterEdgesOfItsVoxels();
    void startingWindowFollowsTheUnit_data();
    void startingWindowFollowsTheUnit();
    void planeShowsItsGreyAndFollowsIndexAndWindow();
    void transparentModelsShowThePlaneThrough();
    void windowLevelModeDragsTheWindow();
};

void TestSlicePlanes::quadCoversTheOuterEdgesOfItsVoxels()
{
    // A 4 × 3 plane of 2 × 3 mm pixels whose first centre is (10, 20, 30):
    // the quad reaches half a pixel beyond the edge centres.
    ImageSlice slice;
    slice.width = 4;
    slice.height = 3;
    slice.corner[0] = 10, slice.corner[1] = 20, slice.corner[2] = 30;
    slice.stepU[0] = 2;
    slice.stepV[1] = 3;
    const auto quad = sliceQuad(slice);
    const std::array<std::array<double, 3>, 4> expected = {
        {{9, 18.5, 30}, {17, 18.5, 30}, {17, 27.5, 30}, {9, 27.5, 30}}};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 3; ++r)
            QCOMPARE(quad[size_t(c)][size_t(r)], expected[size_t(c)][size_t(r)]);
    // The image's box likewise: voxel centres from -0.95 to 0.95 fill [-1, 1].
    const auto corners = imageCorners(*layeredImage());
    QCOMPARE(corners[0][0], -1.0);
    QCOMPARE(corners[7][2], 1.0);
}

void TestSlicePlanes::startingWindowFollowsTheUnit_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("window");
    QTest::addColumn<double>("level");
    QTest::addColumn<bool>("infinite"); // the image is floats, one voxel infinite
    QTest::newRow("CT by its unit") << 0 << 100 << "HU" << 400.0 << 40.0 << false;
    QTest::newRow("CT by its air") << -1000 << 1200 << "" << 400.0 << 40.0 << false;
    QTest::newRow("MR: its range") << 0 << 800 << "" << 800.0 << 400.0 << false;
    QTest::newRow("MR: no number left out") << 0 << 800 << "" << 800.0 << 400.0 << true;
    QTest::newRow("one value") << 7 << 7 << "" << 1.0 << 7.0 << false;
}

void TestSlicePlanes::startingWindowFollowsTheUnit()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(QString, unit);
    QFETCH(double, window);
    QFETCH(double, level);
    QFETCH(bool, infinite);
    auto image = std::const_pointer_cast<ImageVolume>(
        cubeImage(4, [&](int i, int, int) { return qint16(i == 0 ? low : high); }));
    image->unit = unit;
    if (infinite) {
        image->floats.assign(image->shorts.begin(), image->shorts.end());
        image->shorts.clear();
        image->floats[5] = std::numeric_limits<float>::infinity();
    }
    const SliceState slices = startingSlices(*image);
    QCOMPARE(slices.windowLevel.window, window);
    QCOMPARE(slices.windowLevel.level, level);
    QCOMPARE(slices.index[size_t(SliceOrientation::Axial)], 2);
}

void TestSlicePlanes::planeShowsItsGreyAndFollowsIndexAndWindow()
{
    ViewUnderTest v(320, 240);
    showAxial(v, layeredImage());
    const QColor background = pixel(v.frame(), 2, 2);
    // 40 HU under W 400 / L 40 is mid-grey, in the middle of the view.
    QVERIFY2(grey(pixel(v.frame(), 160, 120), 128), qPrintable(pixel(v.frame(), 160, 120).name()));
    const qint64 made = v.view->Planes.uploads();
    v.frame();
    QCOMPARE(v.view->Planes.uploads(), made); // nothing changed: the texture is kept
    // Another plane: 440 HU is white under soft tissue, 133 under bone.
    v.view->State.Slices.index[size_t(SliceOrientation::Axial)] = 4;
    QVERIFY(grey(pixel(v.frame(), 160, 120), 255));
    v.view->State.Slices.windowLevel = windowpreset::Bone;
    QVERIFY(grey(pixel(v.frame(), 160, 120), 133));
    QCOMPARE(v.view->Planes.uploads(), made + 2);
    // Switched off, the background shows there.
    v.view->State.Slices.shown = {false, false, false};
    QVERIFY(near(pixel(v.frame(), 160, 120), background, 2));
    // A new image of the same size is shown, not the old texture.
    v.view->State.Slices.shown = {false, false, true};
    v.view->State.Image = cubeImage(20, [](int, int, int) { return qint16(-1000); });
    QVERIFY(grey(pixel(v.frame(), 160, 120), 0));
    // The plane fills the framed box and no more: the view's edge is empty.
    QVERIFY(near(pixel(v.frame(), 2, 120), background, 2));
}

void TestSlicePlanes::transparentModelsShowThePlaneThrough()
{
    // A red square in front of the axial plane (z = 0.5 against z = 0).
    ViewUnderTest v(320, 240);
    ModelClass *square =
        v.add(makeModel({-0.3, -0.3, 0.5, 0.3, -0.3, 0.5, 0.3, 0.3, 0.5, -0.3, 0.3, 0.5},
                        Quadrangle, {0, 1, 2, 3}));
    square->Meshes[0]->CustomColor = {1, 0, 0, 1};
    showAxial(v, cubeImage(20, [](int, int, int) { return qint16(1000); })); // white
    const QColor opaque = pixel(v.frame(), 160, 120);
    QVERIFY2(opaque.red() > 100 && opaque.green() < 20, qPrintable(opaque.name()));
    square->setTransparency(true, 0.5);
    square->prepareDraw();
    const QColor through = pixel(v.frame(), 160, 120);
    QVERIFY2(through.green() > 90 && through.red() > through.green(), qPrintable(through.name()));
    // Without the plane, nothing white lies behind the square.
    v.view->State.Slices.shown = {false, false, false};
    QVERIFY(pixel(v.frame(), 160, 120).green() < 20);
}

void TestSlicePlanes::windowLevelModeDragsTheWindow()
{
    ViewUnderTest v(320, 240);
    ModelClass *model = v.add(makeSquare());
    showAxial(v, layeredImage());
    const std::vector<float> before = matrixOf(model);
    v.view->State.WindowLevelMode = true;
    // Right 40 and up 20 pixels from W 400 / L 40: steps of 2 (a two-hundredth
    // of the window) widen the window by 80 and raise the level by 40.
    drag(v.view.get(), Qt::LeftButton, QPoint(100, 100), QPoint(140, 80));
    QCOMPARE(v.view->State.Slices.windowLevel.window, 480.0);
    QCOMPARE(v.view->State.Slices.windowLevel.level, 80.0);
    QCOMPARE(matrixOf(model), before);
    // The window never closes, however far the drag goes left.
    drag(v.view.get(), Qt::LeftButton, QPoint(300, 100), QPoint(0, 100));
    QVERIFY(v.view->State.Slices.windowLevel.window > 0);
    // Out of the mode the same drag turns the scene and leaves the window.
    v.view->State.WindowLevelMode = false;
    const WindowLevel kept = v.view->State.Slices.windowLevel;
    drag(v.view.get(), Qt::LeftButton, QPoint(100, 100), QPoint(140, 80));
    QCOMPARE(v.view->State.Slices.windowLevel.window, kept.window);
    QVERIFY(matrixOf(model) != before);
}

TESSARON_VIEW_TEST_MAIN(TestSlicePlanes)
#include "test_slice_planes.moc"
