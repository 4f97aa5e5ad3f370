// The in-place cuts by a plane and by a function range, and the cutting
// plane's outline and edit gestures. Headless: no OpenGL.

#include "model/ClipPlane.h"
#include "model/MeshBuilders.h"
#include "model/ModelClass.h"
#include "model/PlaneCut.h"

#include <QtTest>

#include <cmath>
#include <numbers>

namespace {

// Visibility flags of the triangles of a block, in cell order.
std::vector<int> shownTriangles(const MeshClass &mesh)
{
    std::vector<int> out;
    for (qint32 c = 0; c < mesh.CountOfCells[Triangle]; ++c)
        out.push_back(mesh.CellVisible ? mesh.CellVisible[Triangle][c] : 1);
    return out;
}

// Three triangles along x: left of the plane x = 0, touching it with one
// node, and lying in it (a degenerate sliver with all nodes at x = 0).
MeshClass *threeTriangles()
{
    return newBlock({-2, 0, 0, -1, 0,  0, -1, 1, 0,  // 0-2: x < 0
                     0,  0, 0, -1, -1, 0,            // 3-4: touching x = 0 at 3
                     0,  2, 0, 0,  3,  0, 0,  2, 1}, // 5-7: all on x = 0
                    Triangle, {0, 1, 2, 3, 4, 1, 5, 6, 7});
}

} // namespace

class TestPlaneCut : public QObject
{
    Q_OBJECT

private slots:
    void clipKeepsTheNormalsSide();
    void clipAndRemoveRebuildDrawing();
    void rangeCut();
    void outlineOfAxisAlignedAndObliquePlanes();
    void editGesturesFollowTheScreen();
};

void TestPlaneCut::clipKeepsTheNormalsSide()
{
    const auto shown = [](double nx, bool include, bool invert) {
        std::unique_ptr<MeshClass> mesh(threeTriangles());
        const double point[3] = {0, 5, 7}, normal[3] = {nx * 3, 0, 0}; // length does not matter
        clipBlock(*mesh, point, normal, include, invert);
        return shownTriangles(*mesh);
    };
    // Normal +x keeps x >= 0: with all nodes there only the plane itself,
    // with any node the touching triangle too.
    QCOMPARE(shown(1, false, false), (std::vector<int> {0, 0, 1}));
    QCOMPARE(shown(1, true, false), (std::vector<int> {0, 1, 1}));
    // Inverted, x <= 0 is kept: everything lies there.
    QCOMPARE(shown(1, false, true), (std::vector<int> {1, 1, 1}));
    QCOMPARE(shown(-1, false, false), (std::vector<int> {1, 1, 1}));
    QCOMPARE(shown(-1, true, true), (std::vector<int> {0, 1, 1}));
}

void TestPlaneCut::clipAndRemoveRebuildDrawing()
{
    ModelClass model;
    model.Meshes.append(threeTriangles());
    model.prepareData();
    model.prepareDraw();
    QCOMPARE(model.Meshes[0]->CountOfTriVertices, 9);
    const double point[3] = {0, 0, 0}, away[3] = {1, 0, 0}, wide[3] = {-1, 0, 0};
    // A plane with the whole model behind it hides every cell, with or without include.
    const double far[3] = {10, 0, 0};
    for (bool include : {false, true}) {
        clipMeshes(model, far, away, include, false);
        QCOMPARE(shownTriangles(*model.Meshes[0]), (std::vector<int> {0, 0, 0}));
        QCOMPARE(model.Meshes[0]->CountOfTriVertices, 0);
    }
    clipMeshes(model, point, away, false, false);
    QCOMPARE(model.Settings.ClipState, PlaneClip::InPlace);
    QCOMPARE(model.Meshes[0]->CountOfTriVertices, 3);
    clipMeshes(model, point, wide, false, false);
    QCOMPARE(model.Meshes[0]->CountOfTriVertices, 9);
    removeClip(model);
    QCOMPARE(model.Settings.ClipState, PlaneClip::None);
    QVERIFY(!model.Meshes[0]->CellVisible);
    QCOMPARE(model.Meshes[0]->CountOfTriVertices, 9);
}

void TestPlaneCut::rangeCut()
{
    MeshClass *mesh = newBlock({0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0, 2, 2, 0}, Triangle,
                               {0, 1, 2, 3, 4, 2, 1, 3, 0});
    addVertexFunction(*mesh, {1, 3, 4, 2, 5});
    setCellFunctions(*mesh, Triangle, 2, {10, 0.5, 20, 2.0, 30, 1.0});
    // Vertex function: 1, 3, 4 and 3, 2, 1 leave [2, 5] at their first or
    // last node; 2, 5, 4 stay (bounds included).
    markFunctionRange(*mesh, 5.0f, 2.0f, 0, 1);
    QCOMPARE(shownTriangles(*mesh), (std::vector<int> {0, 1, 0}));
    // Cell function 1: 0.5, 2.0 and 1.0 against [0.5, 1.5].
    markFunctionRange(*mesh, 1.5f, 0.5f, 1, 2);
    QCOMPARE(shownTriangles(*mesh), (std::vector<int> {1, 0, 1}));

    // Through the model: the range applied is remembered with it.
    ModelClass model;
    model.Meshes.append(mesh);
    model.FunctionNames = {"f"};
    model.FunctionLocation = 1;
    model.prepareData();
    cutFunctionRange(model, 4.5f, 0.5f);
    QCOMPARE(model.Settings.CutMin, 0.5);
    QCOMPARE(model.Settings.CutMax, 4.5);
    QCOMPARE(shownTriangles(*mesh), (std::vector<int> {1, 0, 1}));
}

void TestPlaneCut::outlineOfAxisAlignedAndObliquePlanes()
{
    const float lo[3] = {0, 0, 0}, hi[3] = {10, 10, 10};
    ClipPlane plane;
    plane.Point[0] = plane.Point[1] = plane.Point[2] = 5;
    plane.fitToBox(lo, hi); // normal (1, 0, 0): a square in x = 5 of the box enlarged by 10 %
    QCOMPARE(plane.pointCount(), 4);
    for (qint32 i = 0; i < 4; ++i) {
        QCOMPARE(plane.Polygon[3 * i], 5.0f);
        QCOMPARE(std::abs(plane.Polygon[3 * i + 1] - 5.0f), 6.0f);
        QCOMPARE(std::abs(plane.Polygon[3 * i + 2] - 5.0f), 6.0f);
    }
    // The diagonal plane through the centre cuts a regular hexagon, in order around it.
    plane.Normal[0] = plane.Normal[1] = plane.Normal[2] = 1;
    plane.fitToBox(lo, hi);
    QCOMPARE(plane.pointCount(), 6);
    const float *p = plane.Polygon.data();
    double side = -1;
    for (int i = 0; i < 6; ++i) {
        const float *a = p + 3 * i, *b = p + 3 * ((i + 1) % 6);
        QVERIFY(std::abs(a[0] + a[1] + a[2] - 15.0f) < 1e-4f);
        const double d = std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
        if (side < 0)
            side = d;
        QVERIFY2(std::abs(d - side) < 1e-4, "neighbours are the hexagon's sides");
    }
    // A plane outside the box has no outline.
    plane.Point[0] = 100;
    plane.fitToBox(lo, hi);
    QCOMPARE(plane.pointCount(), 0);
    // The placement moves the plane and its outline, and is then spent.
    plane.Normal[0] = 1, plane.Normal[1] = plane.Normal[2] = 0;
    plane.Point[0] = 5;
    plane.Placement.move(2, 0, 0);
    plane.applyPlacement(lo, hi);
    QCOMPARE(plane.Point[0], 7.0);
    QCOMPARE(plane.Placement.Matrix[12], 0.0f);
    QCOMPARE(plane.Polygon[0], 7.0f);
    // Pushing moves the plane along its normal; the normal comes out of a
    // placement as a unit vector however long it went in.
    plane.Normal[0] = -4;
    plane.push(2);
    plane.applyPlacement(lo, hi);
    QCOMPARE(plane.Point[0], 5.0);
    QCOMPARE(plane.Normal[0], -1.0);
}

void TestPlaneCut::editGesturesFollowTheScreen()
{
    const float lo[3] = {0, 0, 0}, hi[3] = {2, 2, 2};
    const float pi = std::numbers::pi_v<float>;
    ClipPlane plane;
    plane.Point[0] = plane.Point[1] = plane.Point[2] = 1;
    // The model turned by 90 degrees about the screen's y axis: model x now
    // points along the eye's z.
    ViewTransform view;
    view.rotateY(pi / 2);
    view.updateRotation();
    // Turning the plane about the screen's x axis keeps its point and turns
    // its normal, model x (the eye's depth), onto model y.
    plane.turn(0, pi / 2, view.RotationMatrix);
    plane.applyPlacement(lo, hi);
    QVERIFY(std::abs(plane.Point[0] - 1) < 1e-6 && std::abs(plane.Point[2] - 1) < 1e-6);
    QVERIFY(std::abs(plane.Normal[0]) < 1e-6);
    QVERIFY(std::abs(std::abs(plane.Normal[1]) - 1) < 1e-6);
    // A shift to the right on the screen is a shift along model -z or +z
    // (the eye's x), divided by the zoom.
    plane.shift(0.5f, 0, view.RotationMatrix, 0.5f);
    plane.applyPlacement(lo, hi);
    QVERIFY(std::abs(std::abs(plane.Point[2] - 1) - 1.0) < 1e-6);
    QVERIFY(std::abs(plane.Point[0] - 1) < 1e-6);
}

QTEST_APPLESS_MAIN(TestPlaneCut)
#include "test_planecut.moc"
