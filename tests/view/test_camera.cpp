// The camera driven by input events and commands: drags, wheel, zoom,
// centring, standard views, the orthographic box, and the plane-edit mode.

#include "ViewFixture.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// The signs of the eye coordinates of a model direction (0 where it is none).
QList<int> seenAs(const ModelClass *m, std::array<double, 3> direction)
{
    double eye[3];
    m->Transform->mapDirection(direction.data(), eye);
    QList<int> signs;
    for (double c : eye)
        signs << (std::abs(c) < 1e-6 ? 0 : c > 0 ? 1 : -1);
    return signs;
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
    mouse(v.view.get(), QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    mouse(v.view.get(), QEvent::MouseMove, {50, 60}, {}, Qt::LeftButton | Qt::RightButton);
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
    const std::array<double, 3> x {1, 0, 0}, y {0, 1, 0}, z {0, 0, 1};
    QCOMPARE(seenAs(first, y), (QList<int> {0, 0, -1}));
    // Every other model copies the current model's matrix.
    QCOMPARE(matrixOf(second), matrixOf(first));
    v.commands.rotateXY();
    v.commands.setPlaneXY();
    QCOMPARE(seenAs(first, y), (QList<int> {0, 1, 0}));
    QCOMPARE(matrixOf(second), matrixOf(first));
    // YZ: model y to the right, z up, x towards the eye.
    v.commands.setPlaneYZ();
    QCOMPARE(seenAs(first, y) + seenAs(first, z) + seenAs(first, x),
             (QList<int> {1, 0, 0, 0, 1, 0, 0, 0, 1}));
    // The turn commands turn about x, y and z: each keeps its axis.
    const std::function<void()> turns[3] = {[&] { v.commands.rotateXY(); },
                                            [&] { v.commands.rotateXZ(); },
                                            [&] { v.commands.rotateYZ(); }};
    const std::array<double, 3> axes[3] = {x, y, z};
    for (int a = 0; a < 3; ++a) {
        first->Transform->reset();
        turns[a]();
        for (int b = 0; b < 3; ++b) {
            double dir[3];
            first->Transform->mapDirection(axes[b].data(), dir);
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
