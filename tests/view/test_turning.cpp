// Large models while the view turns: drags and the wheel draw the reduced
// form of a slow model, the rest and pictures the full one.

#include "ViewFixture.h"
#include "model/ReducedFaces.h"
#include "view/Drawing.h"

namespace {

// A left-button press at `from` and a move to `to` holding it; the release.
void pressAndMove(QWidget &view, QPoint from, QPoint to)
{
    mouse(&view, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    mouse(&view, QEvent::MouseMove, to, Qt::LeftButton, Qt::LeftButton);
}

void release(QWidget &view, QPoint at)
{
    mouse(&view, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
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
    pressAndMove(view, {100, 100}, {130, 110});
    FaceCounts counts = paintCounts(view);
    QCOMPARE(counts.reduced, 0);
    QVERIFY(counts.full >= triangles);
    release(view, {130, 110});

    // Slower ones: the drag draws the reduced form only.
    view.Reduced.Threshold = 0;
    paintCounts(view);
    pressAndMove(view, {100, 100}, {90, 140});
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
    release(view, {90, 140});
    QTRY_VERIFY(faceCounts().full >= triangles);
    QCOMPARE(faceCounts().reduced, 0);
    QCOMPARE(v.frame(), during);
    QCOMPARE(view.renderImage(480, 360), larger);

    // The wheel: reduced while it turns, full once it has rested.
    wheel(&view, 120);
    counts = paintCounts(view);
    QCOMPARE(counts.full, 0);
    QVERIFY(counts.reduced > 0);
    QTest::qWait(50);
    QCOMPARE(faceCounts().full, 0);
    faceCounts() = {};
    QTRY_VERIFY_WITH_TIMEOUT(faceCounts().full >= triangles, 2000);

    // Switched off, as the viewer's --full-drawing does: always full.
    view.Reduced.Enabled = false;
    pressAndMove(view, {100, 100}, {120, 120});
    QCOMPARE(paintCounts(view).reduced, 0);
    release(view, {120, 120});
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
    pressAndMove(view, {100, 100}, {100, 100});
    const QImage reduced = view.grabFramebuffer();
    release(view, {100, 100});
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
