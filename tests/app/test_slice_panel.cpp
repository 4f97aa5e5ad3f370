// The Slice panel: a small image's planes in the radiological orientation
// for any storage order, the models' outlines, the readout, clicks, wheel,
// presets, and the panel following the image.

#include "AppTestBase.h"
#include "ShapeModels.h"
#include "app/panels/SliceControl.h"
#include "app/panels/SliceView.h"
#include "measure/ModelSurface.h"

namespace {

// How the test image's voxel axes lie in the world.
enum Layout {
    Aligned = 0, // i to the right, j to the front, k to the head
    Mirrored,    // i to the left, j to the back (stored as scanners often store)
    Swapped,     // i to the front, j to the right
};

// 6 × 5 × 4 voxels of 1, 2 and 3 mm, first voxel at (-10, 20, 30); voxel
// (i, j, k) holds 40 i + 8 j + 2 k, a different value in every voxel.
std::shared_ptr<ImageVolume> testImage(Layout layout)
{
    auto image = std::make_shared<ImageVolume>();
    image->size[0] = 6;
    image->size[1] = 5;
    image->size[2] = 4;
    const double steps[3][3][3] = {{{1, 0, 0}, {0, 2, 0}, {0, 0, 3}},
                                   {{-1, 0, 0}, {0, -2, 0}, {0, 0, 3}},
                                   {{0, 2, 0}, {1, 0, 0}, {0, 0, 3}}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            image->toWorld.m[r][c] = steps[layout][r][c];
        image->toWorld.m[r][3] = std::array {-10.0, 20.0, 30.0}[size_t(r)];
    }
    for (qint64 k = 0; k < 4; ++k)
        for (qint64 j = 0; j < 5; ++j)
            for (qint64 i = 0; i < 6; ++i)
                image->shorts.push_back(qint16(40 * i + 8 * j + 2 * k));
    image->modality = "CT";
    image->unit = "HU";
    return image;
}

// A window under which every value of the test image has its own grey.
constexpr WindowLevel kDistinct {256, 128};

struct Window : Tessaron
{
    Window()
    {
        resize(1200, 900);
        show();
        QVERIFY(QTest::qWaitForWindowExposed(this));
    }
    // Opens the image as the viewer does: into the state, centred planes.
    SliceControl *open(std::shared_ptr<ImageVolume> image)
    {
        viewState().Slices = centredSlices(*image);
        viewState().Image = std::move(image);
        showState();
        QApplication::processEvents(); // the window lays the new panel out
        return static_cast<SliceControl *>(panel(PanelKind::Slice));
    }
};

QImage grabbed(SliceView *view)
{
    return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The widget point of a point of the picture, in picture pixels.
QPointF widgetPoint(const SliceView *view, double x, double y)
{
    const QRectF area = view->pictureRect();
    return {area.left() + x * area.width() / view->picture().width(),
            area.top() + y * area.height() / view->picture().height()};
}

void send(QWidget *to, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton)
{
    QMouseEvent event(type, at, to->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(to, &event);
}

// Pixels of a frame that are not the background colour.
int drawn(const QImage &frame, const QColor &background)
{
    return countPixels(frame, [&](const QColor &c) { return c != background; });
}

} // namespace

class TestSlicePanel : public QObject
{
    Q_OBJECT

private slots:
    void pictureReadoutAndClick_data();
    void pictureReadoutAndClick();
    void outlinesWhereThePlaneCutsAModel();
    void wheelSliderAndWindow();
    void panelFollowsTheImage();
    void voxelWithoutNumber();
    void closeImage();
};

void TestSlicePanel::pictureReadoutAndClick_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QPoint>("pixel");        // of voxel (1, 3, 2) in the picture
    QTest::addColumn<QSize>("pictureMm");     // the picture's width and height
    QTest::addColumn<QString>("readout");     // over voxel (1, 3, 2)
    QTest::addColumn<QVector<int>>("planes"); // sagittal, coronal, axial after the click
    const auto axial = int(SliceOrientation::Axial), coronal = int(SliceOrientation::Coronal),
               sagittal = int(SliceOrientation::Sagittal);
    const QString aligned = "HU 68  (-9.0, 26.0, 36.0) mm";
    const QString mirrored = "HU 68  (-11.0, 14.0, 36.0) mm";
    QTest::newRow("axial") << int(Aligned) << axial << QPoint(4, 1) << QSize(6, 10) << aligned
                           << QVector<int> {1, 3, 2};
    QTest::newRow("coronal") << int(Aligned) << coronal << QPoint(4, 1) << QSize(6, 12) << aligned
                             << QVector<int> {1, 3, 2};
    QTest::newRow("sagittal") << int(Aligned) << sagittal << QPoint(1, 1) << QSize(10, 12)
                              << aligned << QVector<int> {1, 3, 2};
    QTest::newRow("axial mirrored") << int(Mirrored) << axial << QPoint(1, 3) << QSize(6, 10)
                                    << mirrored << QVector<int> {1, 3, 2};
    QTest::newRow("sagittal mirrored") << int(Mirrored) << sagittal << QPoint(3, 1) << QSize(10, 12)
                                       << mirrored << QVector<int> {1, 3, 2};
    QTest::newRow("axial swapped") << int(Swapped) << axial << QPoint(1, 4) << QSize(10, 6)
                                   << "HU 68  (-4.0, 21.0, 36.0) mm" << QVector<int> {3, 1, 2};
    QTest::newRow("coronal swapped") << int(Swapped) << coronal << QPoint(1, 1) << QSize(10, 12)
                                     << "HU 68  (-4.0, 21.0, 36.0) mm" << QVector<int> {3, 1, 2};
}

void TestSlicePanel::pictureReadoutAndClick()
{
    QFETCH(int, layout);
    QFETCH(int, orientation);
    QFETCH(QPoint, pixel);
    QFETCH(QSize, pictureMm);
    QFETCH(QString, readout);
    QFETCH(QVector<int>, planes);
    Window window;
    SliceControl *panel = window.open(testImage(Layout(layout)));
    QVERIFY(panel && panel->isVisible());
    panel->setOrientation(SliceOrientation(orientation));
    SliceState &slices = window.viewState().Slices;
    slices = SliceState();
    slices.index[size_t(orientation)] = planes[orientation];
    slices.windowLevel = kDistinct;
    window.showState();
    SliceView *view = panel->sliceView();

    // The picture keeps the true millimetre aspect of its voxels.
    const QRectF area = view->pictureRect();
    QVERIFY(area.width() > 100);
    QCOMPARE(qRound(100 * area.width() / area.height()),
             qRound(100.0 * pictureMm.width() / pictureMm.height()));
    // Voxel (1, 3, 2) in its grey where the radiological orientation puts it.
    const QPoint at = widgetPoint(view, pixel.x() + 0.5, pixel.y() + 0.5).toPoint();
    QCOMPARE(qRed(grabbed(view).pixel(at)), int(greyOf(68, kDistinct)));

    send(view, QEvent::MouseMove, at);
    QCOMPARE(panel->readout()->text(), readout);
    send(view, QEvent::MouseButtonPress, at, Qt::LeftButton);
    send(view, QEvent::MouseButtonRelease, at, Qt::LeftButton);
    for (int o = 0; o < kSliceOrientations; ++o)
        QCOMPARE(slices.index[size_t(o)], qint64(planes[o]));
    // The cursor leaving the picture clears the readout.
    send(view, QEvent::MouseMove, QPoint(1, 1));
    QCOMPARE(panel->readout()->text(), QString());
}

void TestSlicePanel::outlinesWhereThePlaneCutsAModel()
{
    Window window;
    // A box over voxel centres i 1 .. 2, j 1 .. 2, k 1 .. 2 of the aligned
    // image, off the middle so that a lost flip shows.
    window.view()->placeNewModel(shapeModel("box", "Box", box({-9.5, 21, 31.5}, {2, 3, 6})));
    const measure::ModelSnapshot shot = measure::snapshotModel(*window.view()->ModelList.at(1));
    const QRgb colour = qRgb(shot.colour[0], shot.colour[1], shot.colour[2]);
    QVERIFY(colour != qRgb(255, 255, 255));
    SliceControl *panel = window.open(testImage(Aligned));
    SliceView *view = panel->sliceView();
    SliceState &slices = window.viewState().Slices;
    slices.windowLevel = {1, -1000}; // all white: only the outline has the colour
    const auto outlinePixels = [&](qint64 plane) {
        slices.index[size_t(SliceOrientation::Axial)] = plane;
        window.showState();
        QRect found;
        const QImage picture = grabbed(view);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (picture.pixel(x, y) == colour)
                    found |= QRect(x, y, 1, 1);
        return found;
    };
    QVERIFY(outlinePixels(0).isEmpty()); // below the box
    QVERIFY(outlinePixels(3).isEmpty()); // above it
    // Through it: the box's outline, flipped as the picture is (i 0.5 .. 2.5
    // to columns 2.5 .. 4.5, j 0.5 .. 2 to rows 2 .. 3.5, pixel centres at +0.5).
    const QRect outline = outlinePixels(2);
    const QRect expected =
        QRectF(widgetPoint(view, 3, 2.5), widgetPoint(view, 5, 4)).toRect().adjusted(-2, -2, 2, 2);
    QVERIFY2(outline.width() > 40 && expected.contains(outline),
             qPrintable(QString("%1,%2 %3x%4")
                            .arg(outline.x())
                            .arg(outline.y())
                            .arg(outline.width())
                            .arg(outline.height())));
    // A hidden model has no outline.
    window.view()->ModelList.at(1)->setVisible(false);
    QTRY_VERIFY(outlinePixels(2).isEmpty());
}

void TestSlicePanel::wheelSliderAndWindow()
{
    Window window;
    SliceControl *panel = window.open(testImage(Aligned));
    SliceState &slices = window.viewState().Slices;
    const size_t axial = size_t(SliceOrientation::Axial);
    QCOMPARE(slices.index[axial], qint64(2));
    QCOMPARE(panel->slider()->maximum(), 3);
    wheel(panel->sliceView(), 120);
    QCOMPARE(slices.index[axial], qint64(3));
    QCOMPARE(panel->slider()->value(), 3);
    QCOMPARE(panel->planeBox()->value(), 3);
    wheel(panel->sliceView(), 120); // stops at the last plane
    QCOMPARE(slices.index[axial], qint64(3));
    wheel(panel->sliceView(), -120, Qt::ShiftModifier); // ten planes down, stops at the first
    QCOMPARE(slices.index[axial], qint64(0));
    panel->slider()->setValue(1);
    QCOMPARE(slices.index[axial], qint64(1));
    QCOMPARE(panel->planeBox()->value(), 1);
    // Another orientation has its own plane and range.
    panel->orientationBox()->setCurrentIndex(2);
    QCOMPARE(panel->orientation(), SliceOrientation::Sagittal);
    QCOMPARE(panel->slider()->maximum(), 5);
    wheel(panel->sliceView(), -120);
    QCOMPARE(slices.index[size_t(SliceOrientation::Sagittal)], qint64(2));
    QCOMPARE(slices.index[axial], qint64(1));

    // Presets and typed values set the window; the 3-D view's mouse mode
    // changing it shows in the boxes without being written back.
    panel->presetButton(1)->click();
    QCOMPARE(slices.windowLevel.window, 1800.0);
    QCOMPARE(slices.windowLevel.level, 400.0);
    QCOMPARE(panel->windowBox()->value(), 1800.0);
    panel->presetButton(2)->click();
    QCOMPARE(panel->levelBox()->value(), 600.0);
    panel->levelBox()->setValue(-50);
    QCOMPARE(slices.windowLevel.level, -50.0);
    slices.windowLevel = {1234.56, 78.91};
    window.showState();
    QCOMPARE(panel->windowBox()->value(), 1234.6);
    QCOMPARE(slices.windowLevel.window, 1234.56);
    QCOMPARE(slices.windowLevel.level, 78.91);
    // The 3-D check boxes.
    panel->shownBox(SliceOrientation::Coronal)->click();
    QVERIFY(!slices.shown[size_t(SliceOrientation::Coronal)]);
    slices.shown[size_t(SliceOrientation::Coronal)] = true;
    window.showState();
    QVERIFY(panel->shownBox(SliceOrientation::Coronal)->isChecked());
}

void TestSlicePanel::panelFollowsTheImage()
{
    Window window;
    window.action("actionFullInterface")->trigger();
    QVERIFY(!window.panel(PanelKind::Slice));
    // Without an image the Panels menu's entry opens a panel that says so.
    QMenu *panels = window.menu("menuPanels");
    emit panels->aboutToShow();
    QAction *entry = panels->actions().at(2);
    QCOMPARE(entry->text(), QString("Slice"));
    entry->trigger();
    auto *panel = static_cast<SliceControl *>(window.panel(PanelKind::Slice));
    QVERIFY(panel && panel->isVisible());
    QCOMPARE(panel->findChild<QStackedWidget *>()->currentWidget()->objectName(),
             QString("label_noImage"));
    panel->hide();

    // A new image shows the panel again with its planes' ranges.
    window.open(testImage(Swapped));
    QVERIFY(panel->isVisible());
    QCOMPARE(window.dockWidgetArea(panel), Qt::RightDockWidgetArea);
    QCOMPARE(panel->slider()->maximum(), 3);
    QCOMPARE(panel->slider()->value(), 2);
    panel->setOrientation(SliceOrientation::Coronal);
    QCOMPARE(panel->slider()->maximum(), 5); // i runs to the front
    // A panel closed by the user stays closed while the image stays.
    panel->hide();
    window.showState();
    QVERIFY(!panel->isVisible());

    // The first image of a window puts its panel under the Objects panel, so
    // that the 3-D view keeps its width in the small compact window.
    Window fresh;
    fresh.show();
    fresh.open(testImage(Swapped));
    auto *first = fresh.panel(PanelKind::Slice);
    QVERIFY(first && first->isVisible());
    QCOMPARE(fresh.dockWidgetArea(first), fresh.dockWidgetArea(fresh.panel(PanelKind::Objects)));
    QVERIFY(fresh.view()->width() > fresh.width() / 3);
}

// A voxel that holds no number shows black in the picture and the readout
// says it has no value, in any unit.
void TestSlicePanel::voxelWithoutNumber()
{
    auto image = testImage(Aligned);
    image->floats.assign(image->shorts.begin(), image->shorts.end());
    image->shorts.clear();
    image->floats[size_t(image->index(1, 3, 2))] = std::numeric_limits<float>::quiet_NaN();
    Window window;
    SliceControl *panel = window.open(image);
    SliceState &slices = window.viewState().Slices;
    slices.index[size_t(SliceOrientation::Axial)] = 2;
    slices.windowLevel = {1, -1000}; // every number white
    window.showState();
    SliceView *view = panel->sliceView();
    const QPoint at = widgetPoint(view, 4.5, 1.5).toPoint(); // voxel (1, 3, 2)
    QCOMPARE(qRed(grabbed(view).pixel(at)), 0);
    QCOMPARE(qRed(grabbed(view).pixel(widgetPoint(view, 3.5, 1.5).toPoint())), 255);
    send(view, QEvent::MouseMove, at);
    QCOMPARE(panel->readout()->text(), QString("no value  (-9.0, 26.0, 36.0) mm"));
}

// Close Image takes the image, its planes and their texture away and leaves
// the models; the panel says no image is open and the entry is disabled.
void TestSlicePanel::closeImage()
{
    Window window;
    if (!window.action("actionFullInterface")->isChecked()) // a test before may have chosen it
        window.action("actionFullInterface")->trigger();
    QAction *close = window.action("actionCloseImage");
    QVERIFY(window.menu("menuFile")->actions().contains(close));
    QVERIFY(!close->isEnabled());
    window.view()->placeNewModel(shapeModel("box", "Box", box({-9.5, 21, 31.5}, {2, 3, 6})));
    window.view()->ShowOrientation = false; // the side letters move with the panel's width
    const int models = window.view()->ModelList.count();
    window.view()->ModelList.at(1)->setVisible(false);
    const QColor empty = window.view()->grabFramebuffer().pixelColor(0, 0);

    auto image = testImage(Aligned);
    std::weak_ptr<const ImageVolume> held = image;
    SliceControl *panel = window.open(std::move(image));
    window.viewState().Slices.windowLevel = {1, -1000}; // every voxel white
    QVERIFY(close->isEnabled());
    QVERIFY(drawn(window.view()->grabFramebuffer(), empty) > 100);

    close->trigger();
    QVERIFY(!window.viewState().Image);
    QCOMPARE(window.view()->ModelList.count(), models);
    QVERIFY(!close->isEnabled() && !window.menu("menuSlices")->isEnabled());
    QVERIFY(held.expired()); // the planes' textures no longer hold it
    QCOMPARE(drawn(window.view()->grabFramebuffer(), empty), 0);
    QCOMPARE(panel->findChild<QStackedWidget *>()->currentWidget()->objectName(),
             QString("label_noImage"));
    QCOMPARE(static_cast<QLabel *>(panel->findChild<QStackedWidget *>()->currentWidget())->text(),
             QString("No image is open."));
    QVERIFY(panel->sliceView()->picture().isNull());
}

TESSARON_VIEW_TEST_MAIN(TestSlicePanel)
#include "test_slice_panel.moc"
