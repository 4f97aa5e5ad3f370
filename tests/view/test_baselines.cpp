// The look of a test scene and of two large tori (one cut open), guarded by
// stored images.

#include "ViewFixture.h"

class TestBaselines : public QObject
{
    Q_OBJECT

private slots:
    void testScene();
    void largeTori();
};

void TestBaselines::testScene()
{
    ViewUnderTest v(320, 240);
    ModelClass *box = v.add(makeCube(0.5));
    v.commands.changeViewFacesSurface();
    v.commands.changeViewEdgesContour();
    v.commands.changeViewBBox();
    v.commands.changeShowAxes();
    ModelClass *strip = v.add(makeStrip(6));
    v.commands.changeViewFacesMaterial();
    strip->Transform->move(0, -0.6f);
    v.commands.addXRotation(0.5f);
    v.commands.addYRotation(0.7f);
    for (int i = 0; i < 5; ++i)
        v.commands.zoomOut();
    QVERIFY(box->Settings.ShowAxes);
    QString why;
    QVERIFY2(matchesBaseline(v.frame(), QStringLiteral("test-scene.png"), why), qPrintable(why));
}

// 200 000 triangles: a closed torus coloured by material, whose inner side
// never shows, and an open one in the normal colours, seen inside.
void TestBaselines::largeTori()
{
    ViewUnderTest v(400, 300);
    ModelClass *closed = v.add(makeTorus(500, 100, false));
    v.commands.changeViewFacesMaterial();
    closed->Transform->move(-0.8f, 0.5f);
    ModelClass *open = v.add(makeTorus(480, 125, true));
    open->Transform->move(0.8f, -0.5f);
    v.commands.addXRotation(0.9f);
    v.commands.addYRotation(0.4f);
    for (int i = 0; i < 4; ++i)
        v.commands.zoomOut();
    QCOMPARE(closed->Meshes[0]->CountOfTriVertices + open->Meshes[0]->CountOfTriVertices,
             3 * 200'000);
    QString why;
    QVERIFY2(matchesBaseline(v.frame(), QStringLiteral("large-tori.png"), why), qPrintable(why));
}

TESSARON_VIEW_TEST_MAIN(TestBaselines)
#include "test_baselines.moc"
