// Large models while the view turns: a drag or the wheel draws the reduced
// form of a model whose full frames are slow, the release and the rested
// wheel the full one, and pictures taken meanwhile are full. The faces
// handed to OpenGL are counted by the drawing itself.

#include "ViewFixture.h"
#include "model/ReducedFaces.h"
#include "view/Drawing.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace {

void sendMouse(QWidget &view, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), view.mapToGlobal(QPointF(pos)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&view, &event);
}

void sendWheel(QWidget &view)
{
    const QPointF pos(100, 100);
    QWheelEvent event(pos, view.mapToGlobal(pos), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &event);
}

// The faces one frame of the view on screen hands to OpenGL (grabbing the
// frame buffer paints it as the screen would).
FaceCounts paintCounts(GLWidget &view)
{
    faceCounts() = {};
    view.grabFramebuffer();
    return faceCounts();
}

} // namespace

class TestTurning : public QObject
{
    Q_OBJECT

private slots:
    void dragAndWheelDrawTheReducedForm();
    void reducedFormKeepsShapeAndColour();
};

void TestTurning::dragAndWheelDrawTheReducedForm()
{
    ViewUnderTest v(320, 240);
    GLWidget &view = *v.view;
    ModelClass *model = v.add(makeTorus(300, 100, false));
    const qint64 triangles = model->Meshes[0]->CountOfTriVertices / 3;
    view.Reduced.Budget = 5000;

    // Full frames faster than the threshold: a drag draws everything.
    view.Reduced.Threshold = 1e9;
    paintCounts(view);
    sendMouse(view, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    sendMouse(view, QEvent::MouseMove, {130, 110}, Qt::LeftButton);
    FaceCounts counts = paintCounts(view);
    QCOMPARE(counts.reduced, 0);
    QVERIFY(counts.full >= triangles);
    sendMouse(view, QEvent::MouseButtonRelease, {130, 110}, Qt::NoButton);

    // Slower ones: the drag draws the reduced form only.
    view.Reduced.Threshold = 0;
    paintCounts(view);
    sendMouse(view, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    sendMouse(view, QEvent::MouseMove, {90, 140}, Qt::LeftButton);
    counts = paintCounts(view);
    QCOMPARE(counts.full, 0);
    // At most one and a half budgets, drawn as two sides.
    QVERIFY(counts.reduced > 0 && counts.reduced <= 3 * view.Reduced.Budget);

    // Pictures taken during the drag, at the view's size or another, are
    // full and the same as once the drag is over.
    faceCounts() = {};
    const QImage during = v.frame();
    const QImage larger = view.renderImage(480, 360);
    QCOMPARE(faceCounts().reduced, 0);
    QVERIFY(faceCounts().full >= 2 * triangles);

    // The release repaints in full by itself, once the frames the drag asked
    // for are drawn.
    QTest::qWait(50);
    faceCounts() = {};
    sendMouse(view, QEvent::MouseButtonRelease, {90, 140}, Qt::NoButton);
    QTRY_VERIFY(faceCounts().full >= triangles);
    QCOMPARE(faceCounts().reduced, 0);
    QCOMPARE(v.frame(), during);
    QCOMPARE(view.renderImage(480, 360), larger);

    // The wheel: reduced while it turns, full once it has rested.
    sendWheel(view);
    counts = paintCounts(view);
    QCOMPARE(counts.full, 0);
    QVERIFY(counts.reduced > 0);
    QTest::qWait(50);
    QCOMPARE(faceCounts().full, 0);
    faceCounts() = {};
    QTRY_VERIFY_WITH_TIMEOUT(faceCounts().full >= triangles, 2000);

    // Switched off, as the viewer's --full-drawing does: always full.
    view.Reduced.Enabled = false;
    sendMouse(view, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    sendMouse(view, QEvent::MouseMove, {120, 120}, Qt::LeftButton);
    QCOMPARE(paintCounts(view).reduced, 0);
    sendMouse(view, QEvent::MouseButtonRelease, {120, 120}, Qt::NoButton);
}

void TestTurning::reducedFormKeepsShapeAndColour()
{
    // A torus coloured by material rings, drawn reduced in the place and
    // colours of the full one: most pixels agree.
    ViewUnderTest v(320, 240);
    GLWidget &view = *v.view;
    ViewCommands &commands = v.commands;
    v.add(makeTorus(300, 100, false));
    commands.changeViewFacesMaterial();
    commands.addXRotation(0.8f);
    view.Reduced.Budget = 8000;
    view.Reduced.Threshold = 0;
    const QImage full = v.frame();
    sendMouse(view, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    sendMouse(view, QEvent::MouseMove, {100, 100}, Qt::LeftButton);
    const QImage reduced = view.grabFramebuffer();
    sendMouse(view, QEvent::MouseButtonRelease, {100, 100}, Qt::NoButton);
    QVERIFY(faceCounts().reduced > 0);
    const MeshClass &mesh = *v.view->ModelList.at(1)->Meshes[0];
    QVERIFY(mesh.Reduced && !mesh.Reduced->whole);
    QVERIFY(mesh.Reduced->triangles() <= 12000);
    const double differing = differingFraction(full, reduced, 40);
    QVERIFY2(differing < 0.03, qPrintable(QString::number(differing)));
    QVERIFY(differing > 0); // it is not the full form
}

TESSARON_VIEW_TEST_MAIN(TestTurning)
#include "test_turning.moc"
