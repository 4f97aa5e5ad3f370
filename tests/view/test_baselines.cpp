// The look of a test scene, guarded by a stored image: faces in two colours
// and by material, edges, the bounding box and the axes tripod with labels.

#include "ViewFixture.h"

class TestBaselines : public QObject
{
    Q_OBJECT

private slots:
    void testScene();
};

void TestBaselines::testScene()
{
    ViewUnderTest v(320, 240);
    std::vector<double> cube;
    for (double c : kCube)
        cube.push_back(c - 0.5);
    ModelClass *box = v.add(makeModel(cube, Hexahedron, {0, 1, 2, 3, 4, 5, 6, 7}));
    v.view->changeViewFacesSurface();
    v.view->changeViewEdgesContour();
    v.view->changeViewBBox();
    v.view->changeShowAxes();
    ModelClass *strip = v.add(makeStrip(6));
    v.view->changeViewFacesMaterial();
    strip->Transform->move(0, -0.6f);
    v.view->addXRotation(0.5f);
    v.view->addYRotation(0.7f);
    for (int i = 0; i < 5; ++i)
        v.view->zoomOut();
    QVERIFY(box->Settings.ShowAxes);
    QString why;
    QVERIFY2(matchesBaseline(v.frame(), QStringLiteral("test-scene.png"), why), qPrintable(why));
}

TESSARON_VIEW_TEST_MAIN(TestBaselines)
#include "test_baselines.moc"
