// Measures of one surface on shapes whose answers are known: area, volume
// and its sign, closedness, manifoldness, orientation, components,
// self-intersection, extents and diameter; and surfaces taken from models.

#include "Shapes.h"
#include "measure/ModelSurface.h"
#include "measure/SurfaceMeasures.h"
#include "model/MeshBuilders.h"
#include "model/ModelClass.h"

#include <QtTest>

#include <algorithm>
#include <limits>
#include <random>

using namespace measure;

class TestSurfaceMeasures : public QObject
{
    Q_OBJECT

private slots:
    void cubes();
    void brokenSurfaces();
    void smoothShapesAgainstTheirFormulas();
    void selfIntersection();
    void farthestPairs();
    void surfacesOfModels();
};

void TestSurfaceMeasures::cubes()
{
    const SurfaceMeasures unit = measureSurface(cube());
    QCOMPARE(unit.area, 6.0);
    QVERIFY(unit.hasVolume);
    QCOMPARE(unit.volume, 1.0);
    QVERIFY(!unit.insideOut);
    QVERIFY(unit.topology.closed() && unit.topology.manifold() && unit.topology.oriented());
    QCOMPARE(unit.components, 1);
    QCOMPARE(unit.diameter.length, std::sqrt(3.0));
    QCOMPARE(unit.boxMax[2] - unit.boxMin[2], 1.0);

    const SurfaceMeasures inverted = measureSurface(flipped(cube()));
    QVERIFY(inverted.hasVolume);
    QCOMPARE(inverted.volume, 1.0);
    QVERIFY(inverted.insideOut);

    const SurfaceMeasures two = measureSurface(joined(cube(), cube(3, 0, 0)));
    QCOMPARE(two.components, 2);
    QCOMPARE(two.volume, 2.0);
    QCOMPARE(two.diameter.length, std::sqrt(16.0 + 1 + 1));

    // Far from the origin, as CT coordinates are: the volume keeps its digits.
    const SurfaceMeasures far = measureSurface(cube(-310.25, 512.5, 1890.75, 0.5));
    QCOMPARE(far.volume, 0.125);

    // A cube inside a larger one, facing inwards: the shell between them.
    const SurfaceMeasures shell =
        measureSurface(joined(cube(0, 0, 0, 4), flipped(cube(1, 1, 1, 2))));
    QCOMPARE(shell.volume, 64.0 - 8.0);
    QVERIFY(!shell.insideOut);

    // A triangle soup whose corners repeat every position still closes.
    TriangleSurface soup;
    const TriangleSurface c = cube();
    for (std::uint32_t v : c.triangles) {
        soup.triangles.push_back(std::uint32_t(soup.vertexCount()));
        soup.points.insert(soup.points.end(), c.points.begin() + 3 * v,
                           c.points.begin() + 3 * v + 3);
    }
    const SurfaceMeasures welded = measureSurface(soup);
    QVERIFY(welded.hasVolume);
    QCOMPARE(welded.volume, 1.0);
    QCOMPARE(welded.components, 1);
}

void TestSurfaceMeasures::brokenSurfaces()
{
    // An open box: the top's two triangles are gone.
    TriangleSurface open = cube();
    open.triangles.erase(open.triangles.begin() + 6, open.triangles.begin() + 12);
    const SurfaceMeasures box = measureSurface(open);
    QVERIFY(!box.topology.closed());
    QCOMPARE(box.topology.borderEdges, size_t(4));
    QVERIFY(!box.hasVolume);
    QCOMPARE(box.area, 5.0);

    // One triangle turned over: closed but not consistently oriented.
    TriangleSurface turned = cube();
    std::swap(turned.triangles[1], turned.triangles[2]);
    const SurfaceMeasures mixed = measureSurface(turned);
    QVERIFY(mixed.topology.closed());
    QCOMPARE(mixed.topology.misorientedEdges, size_t(3));
    QVERIFY(!mixed.hasVolume);

    // Two cubes along one shared edge: four triangles use it.
    const SurfaceMeasures edge = measureSurface(joined(cube(), cube(1, 1, 0)));
    QCOMPARE(edge.topology.nonManifoldEdges, size_t(1));
    QVERIFY(!edge.topology.manifold());
    QVERIFY(!edge.hasVolume);
    QCOMPARE(edge.components, 1);

    // A fin on an edge of the cube: that edge in three triangles, the fin's
    // other two edges on the border.
    TriangleSurface fin = cube();
    fin.points.insert(fin.points.end(), {0.5, -1, 0.5});
    fin.triangles.insert(fin.triangles.end(), {0, 1, 8});
    const SurfaceMeasures finned = measureSurface(fin);
    QCOMPARE(finned.topology.nonManifoldEdges, size_t(1));
    QCOMPARE(finned.topology.borderEdges, size_t(2));
    QCOMPARE(finned.topology.nonManifoldVertices, size_t(0));
    QVERIFY(!finned.hasVolume);

    // Two cubes meeting at one corner: every edge is fine, the corner has two fans.
    const SurfaceMeasures corner = measureSurface(joined(cube(), cube(1, 1, 1)));
    QCOMPARE(corner.topology.nonManifoldEdges, size_t(0));
    QCOMPARE(corner.topology.nonManifoldVertices, size_t(1));
    QVERIFY(!corner.hasVolume);

    // Triangles without area count as degenerate and leave the measures alone.
    TriangleSurface flat = cube();
    flat.points.insert(flat.points.end(), {0.5, 0, 0});
    flat.triangles.insert(flat.triangles.end(), {0, 0, 1, 0, 8, 1}); // repeated, collinear
    const SurfaceMeasures degenerate = measureSurface(flat);
    QCOMPARE(degenerate.degenerateTriangles, size_t(2));
    QCOMPARE(degenerate.area, 6.0);

    // Triangles over too few points close nothing, though they leave no
    // border: four on two points (positions read as pairs), two back to
    // back on three, and a closed-looking fan of zero area.
    TriangleSurface pair;
    pair.points = {0, 0, 0, 1, 0, 0};
    pair.triangles = {0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 1, 0};
    TriangleSurface backToBack;
    backToBack.points = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    backToBack.triangles = {0, 1, 2, 0, 2, 1};
    TriangleSurface line; // a tetrahedron's faces squashed onto one line
    line.points = {0, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0};
    line.triangles = {0, 1, 2, 0, 3, 1, 1, 3, 2, 2, 3, 0};
    for (const TriangleSurface *s : {&pair, &backToBack, &line}) {
        const SurfaceMeasures m = measureSurface(*s);
        QVERIFY(!m.topology.closed() && !m.hasVolume);
    }
    QCOMPARE(measureSurface(backToBack).topology.points, size_t(3));
    TriangleSurface tetrahedron = line; // the same faces unsquashed: the smallest closed surface
    tetrahedron.points = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    QVERIFY(measureSurface(tetrahedron).topology.closed());
    QCOMPARE(measureSurface(cube()).topology.points, size_t(8));

    const SurfaceMeasures empty = measureSurface(TriangleSurface());
    QVERIFY(!empty.hasVolume && !empty.hasPoints);
    QCOMPARE(empty.components, 0);
}

void TestSurfaceMeasures::smoothShapesAgainstTheirFormulas()
{
    // Vertices on the shape, faces inside it: the errors are of the order of
    // the squared angular step.
    const double pi = std::numbers::pi;
    const int rings = 90;
    const SurfaceMeasures ball = measureSurface(sphere({5, -3, 2}, 10, rings));
    const double step = pi / rings;
    QVERIFY(ball.hasVolume);
    QVERIFY(std::abs(ball.volume / (4.0 / 3 * pi * 1000) - 1) < step * step);
    QVERIFY(ball.volume < 4.0 / 3 * pi * 1000);
    QVERIFY(std::abs(ball.area / (4 * pi * 100) - 1) < step * step);
    QCOMPARE(ball.diameter.length, 20.0); // the poles

    const int n = 400, m = 120;
    const SurfaceMeasures ring = measureSurface(torus(30, 8, n, m));
    const double error = std::pow(2 * pi / m, 2) + std::pow(2 * pi / n, 2);
    QVERIFY(ring.hasVolume);
    QVERIFY(std::abs(ring.volume / (2 * pi * pi * 30 * 64) - 1) < error);
    QVERIFY(std::abs(ring.area / (4 * pi * pi * 30 * 8) - 1) < error);
    QCOMPARE(ring.diameter.length, 76.0);
    QCOMPARE(ring.components, 1);
}

void TestSurfaceMeasures::selfIntersection()
{
    QCOMPARE(measureSurface(cube()).selfIntersecting, SelfIntersection::No);
    QCOMPARE(measureSurface(joined(cube(), cube(0.5, 0.5, 0.5))).selfIntersecting,
             SelfIntersection::Yes);
    QCOMPARE(measureSurface(joined(cube(), cube(2, 0, 0))).selfIntersecting, SelfIntersection::No);
    // Two cubes touching along an edge are one surface touching itself.
    QCOMPARE(measureSurface(joined(cube(), cube(1, 1, 0))).selfIntersecting, SelfIntersection::Yes);
}

void TestSurfaceMeasures::farthestPairs()
{
    // The first guess, from the first point to its farthest and back, stops
    // at a pair 10 apart; the diameter runs across it, between the last two.
    const Diameter across = farthestPair({{0, 0, 0}, {10, 0, 0}, {5, 5.25, 1}, {5, -5.25, -1}});
    QCOMPARE(across.length, std::sqrt(10.5 * 10.5 + 4));
    QCOMPARE(std::min(across.ends[0][1], across.ends[1][1]), -5.25);
    // Fewer points than a leaf holds, the first guess 10 apart, the diameter
    // between two points next to each other in the tree's order.
    QCOMPARE(farthestPair({{7, 9, 0}, {0, 3, 0}, {10, 2, 0}, {8, 9, 0}, {2, 1, 0}}).length,
             std::sqrt(101.0));

    // Random clouds against every pair: in a box, on a sphere (every point a
    // hull corner, near ties everywhere), on a line, with repeated points.
    std::mt19937 random(14);
    std::uniform_real_distribution<double> unit(-1, 1);
    for (int round = 0; round < 300; ++round) {
        const int kind = round % 4, n = 1 + int(random() % 400);
        std::vector<Point3> points;
        for (int i = 0; i < n; ++i) {
            Point3 p = {unit(random), unit(random), unit(random)};
            if (kind == 1) {
                const double r = std::hypot(p[0], p[1], p[2]) + 1e-300;
                p = {p[0] / r, p[1] / r, p[2] / r};
            } else if (kind == 2) {
                p = {p[0], 2 * p[0] + 1, -p[0]};
            } else if (kind == 3 && i > 0 && random() % 2) {
                p = points[random() % points.size()];
            }
            points.push_back(p);
        }
        double best2 = 0;
        for (const Point3 &a : points)
            for (const Point3 &b : points) {
                const double d[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
                best2 = std::max(best2, d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            }
        const Diameter found = farthestPair(points);
        const QByteArray where = "round " + QByteArray::number(round);
        QVERIFY2(found.length == std::sqrt(best2), where);
        for (const Point3 &end : found.ends)
            QVERIFY2(std::find(points.begin(), points.end(), end) != points.end(), where);
    }
}

void TestSurfaceMeasures::surfacesOfModels()
{
    // Only volume cells: their outer faces, not the face the two share.
    ModelClass hexes;
    hexes.Meshes << newBlock(kTwoCubes, Hexahedron, kTwoHexes);
    const ModelSnapshot bricks = snapshotModel(hexes);
    QVERIFY(bricks.refusal.isEmpty());
    const SurfaceMeasures m = measureSurface(bricks.surface);
    QCOMPARE(m.triangles, size_t(20));
    QCOMPARE(m.area, 10.0);
    QVERIFY(m.hasVolume);
    QCOMPARE(m.volume, 2.0);

    // Quadrangles split into two triangles each, blocks side by side.
    ModelClass quads;
    quads.Meshes << quadRow(3) << quadRow(2);
    const ModelSnapshot row = snapshotModel(quads);
    QCOMPARE(row.surface.triangleCount(), size_t(10));
    QCOMPARE(measureSurface(row.surface).area, 5.0);

    // A coordinate that is not a number: refused, nothing measured.
    ModelClass broken;
    std::vector<double> xyz = kCube;
    xyz[4] = std::numeric_limits<double>::quiet_NaN();
    broken.Meshes << newBlock(xyz, Quadrangle, {0, 1, 2, 3});
    const ModelSnapshot refused = snapshotModel(broken);
    QVERIFY(!refused.refusal.isEmpty());
    QCOMPARE(refused.surface.triangleCount(), size_t(0));

    ModelClass empty;
    QVERIFY(snapshotModel(empty).refusal.isEmpty());
    QCOMPARE(snapshotModel(empty).surface.triangleCount(), size_t(0));
}

QTEST_GUILESS_MAIN(TestSurfaceMeasures)
#include "test_surface_measures.moc"
