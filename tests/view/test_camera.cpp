// The camera of the view driven by real input events: drags, wheel steps,
// zoom commands, centring, rescaling, standard views and the orthographic
// box; and the plane-edit mode that redirects them to the cutting plane.

#include "ViewFixture.h"

#include <QSignalSpy>
#include <QWheelEvent>

#include <cmath>
#include <numbers>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// A host whose intersection panel has "Draw clipping rectangle" ticked.
struct PlaneEditHost : HeadlessHost
{
    bool planeEditMode() const override { return editing; }
    void setPlaneFields(const double *p, const double *n) override
    {
        std::copy_n(p, 3, point);
        std::copy_n(n, 3, normal);
        ++fieldUpdates;
    }
    bool editing = true;
    double point[3] = {}, normal[3] = {};
    int fieldUpdates = 0;
};

void wheel(QWidget *w, int delta)
{
    const QPointF at(w->width() / 2, w->height() / 2);
    QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

void drag(QWidget *w, Qt::MouseButton button, QPoint from, QPoint to)
{
    QTest::mousePress(w, button, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), w->mapToGlobal(QPointF(to)), Qt::NoButton,
                     button, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QTest::mouseRelease(w, button, Qt::NoModifier, to);
}

std::vector<float> matrixOf(const ModelClass *m)
{
    return std::vector<float>(m->Transform->Matrix, m->Transform->Matrix + 16);
}

} // namespace

class TestCamera : public QObject
{
    Q_OBJECT

private slots:
    void onePixelOfLeftDragTurnsHalfADegree();
    void rightDragMovesAndMiddleDragTurnsAboutZ();
    void wheelSteps_data();
    void wheelSteps();
    void zoomCommandsAndQuickModes();
    void rescaleAndCentre();
    void standardViewsAndTransformAll();
    void orthographicBox_data();
    void orthographicBox();
    void planeEditModeMovesThePlane();
};

void TestCamera::onePixelOfLeftDragTurnsHalfADegree()
{
    ViewUnderTest v;
    ModelClass *model = v.add(makeSquare());
    model->Transform->reset();
    QSignalSpy rotated(v.view.get(), &GLWidget::RotationChanged);
    drag(v.view.get(), Qt::LeftButton, QPoint(100, 100), QPoint(101, 100));
    // -dx * pi / 360 about y: Matrix = Ry(-pi/360).
    const float a = -kPi / 360.0f;
    const float *m = model->Transform->Matrix;
    QCOMPARE(m[0], std::cos(a));
    QCOMPARE(m[8], -std::sin(a));
    QCOMPARE(m[2], std::sin(a));
    QCOMPARE(m[5], 1.0f);
    QCOMPARE(rotated.count(), 1);
    QVERIFY(v.view->Pointer.Moved);
    model->Transform->reset();
    drag(v.view.get(), Qt::LeftButton, QPoint(100, 100), QPoint(100, 99));
    QCOMPARE(m[5], std::cos(kPi / 360.0f)); // one pixel up turns about x by +pi/360
    QCOMPARE(m[6], -std::sin(kPi / 360.0f));
}

void TestCamera::rightDragMovesAndMiddleDragTurnsAboutZ()
{
    ViewUnderTest v(300, 200);
    ModelClass *model = v.add(makeSquare());
    model->Transform->reset();
    drag(v.view.get(), Qt::RightButton, QPoint(100, 100), QPoint(110, 95));
    // 2 dx / min(w, h) and -2 dy / min(w, h).
    QCOMPARE(model->Transform->Matrix[12], 0.1f);
    QCOMPARE(model->Transform->Matrix[13], 0.05f);
    model->Transform->reset();
    // A quarter turn around the centre (150, 100): from right of it to below it.
    // The model turns with the mouse: its x axis now points down the screen.
    drag(v.view.get(), Qt::MiddleButton, QPoint(200, 100), QPoint(150, 150));
    const float *m = model->Transform->Matrix;
    QVERIFY(std::abs(m[1] + 1.0f) < 1e-6f);
    QVERIFY(std::abs(m[0]) < 1e-6f);
}

void TestCamera::wheelSteps_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<float>("factor");
    QTest::newRow("less than a notch") << 119 << 1.0f;
    QTest::newRow("back less than a notch") << -60 << 1.0f;
    QTest::newRow("one notch") << 120 << 1.1f;
    QTest::newRow("two notches forward") << 240 << 1.1f;
    QTest::newRow("two notches back") << -240 << 0.9f;
}

void TestCamera::wheelSteps()
{
    QFETCH(int, delta);
    QFETCH(float, factor);
    ViewUnderTest v;
    ModelClass *first = v.add(makeSquare());
    ModelClass *second = v.add(makeSquare());
    const float before[2] = {first->Transform->Scale, second->Transform->Scale};
    wheel(v.view.get(), delta);
    QCOMPARE(first->Transform->Scale, before[0] * factor);
    QCOMPARE(second->Transform->Scale, before[1] * factor);
}

void TestCamera::zoomCommandsAndQuickModes()
{
    ViewUnderTest v;
    ModelClass *model = v.add(makeSquare());
    const float scale = model->Transform->Scale;
    v.commands.zoomIn();
    QCOMPARE(model->Transform->Scale, scale * 1.1f);
    v.commands.zoomOut();
    QCOMPARE(model->Transform->Scale, scale * 1.1f * 0.9f);
    // Left and right buttons together zoom by 2 % per move downwards.
    model->Transform->reset();
    QTest::mousePress(v.view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 60), v.view->mapToGlobal(QPointF(50, 60)),
                     Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(v.view.get(), &move);
    QCOMPARE(model->Transform->Scale, 1.02f);
}

void TestCamera::rescaleAndCentre()
{
    ViewUnderTest v;
    // A cube of side 2 centred at (5, 5, 5).
    std::vector<double> xyz;
    for (double c : kCube)
        xyz.push_back(4 + 2 * c);
    ModelClass *model = v.add(makeModel(xyz, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7}));
    model->Transform->rotateX(0.3f);
    model->Transform->move(1, 2, 3);
    v.commands.rescaleModel();
    const float radius = model->Radius; // box diagonal plus the centre's distance
    QCOMPARE(radius, float(std::sqrt(12.0) + std::sqrt(75.0)));
    QCOMPARE(model->Transform->Scale, 3.0f / radius);
    double eye[3];
    const double centre[3] = {5, 5, 5};
    model->Transform->mapPoint(centre, eye);
    QVERIFY(std::abs(eye[0]) < 1e-5 && std::abs(eye[1]) < 1e-5 && std::abs(eye[2]) < 1e-5);

    // Centring on a point picked in point mode puts that vertex at the eye's origin.
    model->PickKind = 1;
    model->PickMode = PickTarget::Point;
    model->PickBlock = 0;
    model->PickIndex = 6; // (6, 6, 6)
    v.view->moveCenter();
    const double corner[3] = {6, 6, 6};
    model->Transform->mapPoint(corner, eye);
    QVERIFY(std::abs(eye[0]) < 1e-5 && std::abs(eye[1]) < 1e-5 && std::abs(eye[2]) < 1e-5);
    // Picked with no pick mode: nothing moves.
    model->PickMode = PickTarget::None;
    const std::vector<float> before = matrixOf(model);
    v.view->moveCenter();
    QCOMPARE(matrixOf(model), before);
}

void TestCamera::standardViewsAndTransformAll()
{
    ViewUnderTest v;
    ModelClass *first = v.add(makeSquare());
    ModelClass *second = v.add(makeSquare());
    second->Transform->rotateZ(1.0f);
    QSignalSpy rotated(v.view.get(), &GLWidget::RotationChanged);
    v.commands.setPlaneXZ();
    QCOMPARE(rotated.count(), 1);
    // Model 1: rescaled, then turned by pi/2 about x, so model y points into the screen.
    double dir[3];
    const double y[3] = {0, 1, 0};
    first->Transform->mapDirection(y, dir);
    QVERIFY(std::abs(dir[0]) < 1e-6 && std::abs(dir[1]) < 1e-6 && dir[2] < 0);
    // Every other model copies the current model's matrix.
    QCOMPARE(matrixOf(second), matrixOf(first));
    v.commands.rotateXY();
    v.commands.setPlaneXY();
    first->Transform->mapDirection(y, dir);
    QVERIFY(std::abs(dir[0]) < 1e-6 && dir[1] > 0 && std::abs(dir[2]) < 1e-6);
    QCOMPARE(matrixOf(second), matrixOf(first));
    // YZ: model y to the right, z up, x towards the eye.
    v.commands.setPlaneYZ();
    const double z[3] = {0, 0, 1}, x[3] = {1, 0, 0};
    first->Transform->mapDirection(y, dir);
    QVERIFY(dir[0] > 0 && std::abs(dir[1]) < 1e-6 && std::abs(dir[2]) < 1e-6);
    first->Transform->mapDirection(z, dir);
    QVERIFY(std::abs(dir[0]) < 1e-6 && dir[1] > 0 && std::abs(dir[2]) < 1e-6);
    first->Transform->mapDirection(x, dir);
    QVERIFY(std::abs(dir[0]) < 1e-6 && std::abs(dir[1]) < 1e-6 && dir[2] > 0);

    // The quarter-turn commands turn about x, y and z: each keeps its axis.
    const double *axes[3] = {x, y, z};
    const std::function<void()> turns[3] = {[&] { v.commands.rotateXY(); },
                                            [&] { v.commands.rotateXZ(); },
                                            [&] { v.commands.rotateYZ(); }};
    for (int a = 0; a < 3; ++a) {
        first->Transform->reset();
        turns[a]();
        for (int b = 0; b < 3; ++b) {
            first->Transform->mapDirection(axes[b], dir);
            QCOMPARE(std::abs(dir[b]) > 0.99, a == b);
        }
    }

    // With the second model current, the others take its matrix, and keep
    // their own zoom record (their axes' tick spacing).
    second->Transform->rotateZ(1.0f);
    second->Transform->zoom(2.0f);
    const float ownScale = first->Transform->Scale;
    v.view->ModelList.ActiveIndex = 2;
    v.commands.transformAll();
    QCOMPARE(matrixOf(first), matrixOf(second));
    QCOMPARE(first->Transform->Scale, ownScale);
}

void TestCamera::orthographicBox_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("xr");
    QTest::addColumn<double>("yr");
    QTest::newRow("wide") << QSize(400, 200) << 2.0 << 1.0;
    QTest::newRow("tall") << QSize(200, 500) << 1.0 << 2.5;
}

void TestCamera::orthographicBox()
{
    QFETCH(QSize, size);
    QFETCH(double, xr);
    QFETCH(double, yr);
    ViewUnderTest v;
    ModelClass *model = v.add(makeSquare());
    v.view->updateProjection(size.width(), size.height());
    QCOMPARE(v.view->Frame.ProjXr, xr);
    QCOMPARE(v.view->Frame.ProjYr, yr);
    QCOMPARE(model->OrthoHalfWidth, xr);
    // Depth: the scene's tree radius (the zoomed model reaches 3), at least 1.
    QVERIFY(std::abs(model->OrthoDepth - 3.0) < 1e-5);
    // The drawn projection is that box.
    const QImage frame = v.view->renderImage(size.width(), size.height());
    QVERIFY(!frame.isNull());
    QVERIFY(std::abs(model->ProjectionMatrix[0] - 1.0 / xr) < 1e-6);
    QVERIFY(std::abs(model->ProjectionMatrix[5] - 1.0 / yr) < 1e-6);
}

void TestCamera::planeEditModeMovesThePlane()
{
    PlaneEditHost host;
    GLWidget view(nullptr, &host);
    ViewCommands commands(view);
    view.resize(200, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    ModelClass *model = makeSquare();
    view.placeNewModel(model);
    const std::vector<float> camera = matrixOf(model);
    const float scale = model->Transform->Scale;
    commands.zoomIn();
    commands.zoomOut();
    wheel(&view, 240);
    QCOMPARE(matrixOf(model), camera);
    QCOMPARE(model->Transform->Scale, scale);
    // A left drag of 180 pixels to the right turns the plane by pi/2 about
    // the screen's y axis: the normal (1, 0, 0) becomes (0, 0, 1).
    drag(&view, Qt::LeftButton, QPoint(10, 100), QPoint(190, 100));
    QCOMPARE(matrixOf(model), camera);
    QVERIFY(host.fieldUpdates > 0);
    QVERIFY(std::abs(host.normal[0]) < 1e-5 && std::abs(std::abs(host.normal[2]) - 1) < 1e-5);
    // A middle drag pushes the plane along its normal: -2 dy / 200 / scale.
    const double z = model->ClipPlane.Point[2];
    drag(&view, Qt::MiddleButton, QPoint(100, 100), QPoint(100, 90));
    QVERIFY(std::abs(std::abs(model->ClipPlane.Point[2] - z) - 0.1 / scale) < 1e-5);
}

TESSARON_VIEW_TEST_MAIN(TestCamera)
#include "test_camera.moc"
