// Closest gaps between surfaces: shapes with known gaps and points, how
// surfaces meet, which holds which, and the tree's answer against CGAL's
// triangle distance over every pair of triangles of random meshes.

#include "Shapes.h"
#include "measure/ClosestGap.h"

#include <QtTest>

#include <random>

using namespace measure;

namespace {

Gap gapOf(const TriangleSurface &a, const TriangleSurface &b, bool aClosed = true,
          bool bClosed = true)
{
    const SurfaceTree ta(a), tb(b);
    return closestGap(ta, tb, aClosed, bClosed);
}

double distance(const Point3 &a, const Point3 &b)
{
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// How far p lies from the surface (0 for a point on it).
double offSurface(const TriangleSurface &s, const Point3 &p)
{
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t t = 0; t < s.triangleCount(); ++t)
        best =
            std::min(best,
                     closestPointTriangle(p.data(), s.corner(t, 0), s.corner(t, 1), s.corner(t, 2))
                         .distance2);
    return std::sqrt(best);
}

// A small random mesh: a height field over a grid, or loose triangles, some
// of them without area.
TriangleSurface randomMesh(std::mt19937 &random, std::array<double, 3> at)
{
    std::uniform_real_distribution<double> unit(-1, 1);
    TriangleSurface s;
    if (random() % 2) {
        const int n = 2 + int(random() % 5);
        for (int j = 0; j <= n; ++j)
            for (int i = 0; i <= n; ++i)
                s.points.insert(s.points.end(),
                                {at[0] + i * 0.5, at[1] + j * 0.5, at[2] + 0.4 * unit(random)});
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                const auto a = std::uint32_t(j * (n + 1) + i), b = a + 1,
                           c = a + std::uint32_t(n + 1), d = c + 1;
                s.triangles.insert(s.triangles.end(), {a, b, d, a, d, c});
            }
        return s;
    }
    const int count = 1 + int(random() % 12);
    for (int t = 0; t < count; ++t) {
        const std::array<double, 3> centre = {at[0] + unit(random), at[1] + unit(random),
                                              at[2] + unit(random)};
        const bool flat = random() % 8 == 0;
        std::array<double, 3> first {};
        for (int k = 0; k < 3; ++k) {
            std::array<double, 3> p;
            for (int c = 0; c < 3; ++c)
                p[std::size_t(c)] = centre[std::size_t(c)] + 0.8 * unit(random);
            if (flat && k == 0)
                first = p;
            if (flat && k == 2) // on the line through the first two
                for (int c = 0; c < 3; ++c)
                    p[std::size_t(c)] =
                        2 * s.points[s.points.size() - 3 + std::size_t(c)] - first[std::size_t(c)];
            s.triangles.push_back(std::uint32_t(s.vertexCount()));
            s.points.insert(s.points.end(), p.begin(), p.end());
        }
    }
    return s;
}

} // namespace

class TestGap : public QObject
{
    Q_OBJECT

private slots:
    void knownGapsAndPoints();
    void touchingOverlappingAndInside();
    void treeAgreesWithEveryPair();
};

void TestGap::knownGapsAndPoints()
{
    // Two spheres with vertices where their centre line meets them.
    Gap g = gapOf(sphere({0, 0, 0}, 3, 40), sphere({10, 0, 0}, 2, 40));
    QCOMPARE(g.distance, 5.0);
    QVERIFY(distance(g.onA, {3, 0, 0}) < 1e-12);
    QVERIFY(distance(g.onB, {8, 0, 0}) < 1e-12);
    QCOMPARE(g.contact, Contact::Apart);
    QCOMPARE(g.containment, Containment::None);

    // Elsewhere the faces lie inside the spheres, by at most the sagitta.
    const double sagitta = 5 * (1 - std::cos(std::numbers::pi / 40));
    const double between = std::sqrt(49.0 + 64 + 1) - 5;
    g = gapOf(sphere({0, 0, 0}, 3, 40), sphere({7, 8, 1}, 2, 40));
    QVERIFY(g.distance >= between && g.distance <= between + sagitta);
    QCOMPARE(distance(g.onA, g.onB), g.distance);

    // A corner above the inside of a face: its foot lies inside that face.
    TriangleSurface tip;
    tip.points = {1.3, -0.7, 2.5, 0.3, -1.2, 4, 2.3, -1.2, 4, 1.3, 0.3, 4};
    tip.triangles = {0, 2, 1, 0, 3, 2, 0, 1, 3, 1, 2, 3};
    const TriangleSurface floor = box({-5, -5, -1}, {10, 10, 1});
    g = gapOf(tip, floor);
    QCOMPARE(g.distance, 2.5);
    QCOMPARE(g.onA, (Point3 {1.3, -0.7, 2.5}));
    QVERIFY(distance(g.onB, {1.3, -0.7, 0}) < 1e-12);

    // Parallel faces: both points lie on the part the faces share.
    g = gapOf(box({0, 0, 0}, {4, 4, 1}), box({2.5, 1, 3}, {4, 4, 1}));
    QCOMPARE(g.distance, 2.0);
    for (const Point3 &p : {g.onA, g.onB})
        QVERIFY(p[0] >= 2.5 && p[0] <= 4 && p[1] >= 1 && p[1] <= 4);

    // Two edges crossing at right angles, one above the other.
    TriangleSurface below, above;
    below.points = {-5, 0, 0, 5, 0, 0, 0, 0, -3};
    below.triangles = {0, 1, 2};
    above.points = {0, -5, 1.5, 0, 5, 1.5, 0, 0, 4};
    above.triangles = {0, 1, 2};
    g = gapOf(below, above, false, false);
    QCOMPARE(g.distance, 1.5);
    QCOMPARE(g.onA, (Point3 {0, 0, 0}));
    QCOMPARE(g.onB, (Point3 {0, 0, 1.5}));

    QVERIFY(!gapOf(cube(), TriangleSurface()).valid);
}

void TestGap::touchingOverlappingAndInside()
{
    const struct
    {
        const char *name;
        TriangleSurface b;
        Contact contact;
    } meetings[] = {
        {"face to face", cube(1, 0, 0), Contact::Touching},
        {"corner to corner", cube(1, 1, 1), Contact::Touching},
        {"along an edge", cube(1, 1, 0), Contact::Touching},
        {"crossing", cube(0.5, 0.5, 0.5), Contact::Overlapping},
        {"identical", cube(), Contact::Overlapping},
        {"below its face", box({0.2, 0.2, -1}, {0.5, 0.5, 1}), Contact::Touching},
        // Against a face from inside: the solids share the small one's volume.
        {"inside on a face", box({0, 0.2, 0.2}, {0.5, 0.5, 0.5}), Contact::Overlapping},
        {"inside at a corner", box({0.5, 0.5, 0.5}, {0.5, 0.5, 0.5}), Contact::Overlapping},
    };
    for (const auto &m : meetings) {
        const Gap g = gapOf(cube(), m.b);
        QVERIFY2(g.distance == 0, m.name);
        QVERIFY2(g.contact == m.contact, m.name);
        QVERIFY2(distance(g.onA, g.onB) == 0, m.name);
    }

    Gap g = gapOf(cube(1, 1, 1, 1), cube(0, 0, 0, 3));
    QCOMPARE(g.distance, 1.0);
    QCOMPARE(g.containment, Containment::AInsideB);
    g = gapOf(cube(0, 0, 0, 3), cube(1, 1, 1, 1));
    QCOMPARE(g.containment, Containment::BInsideA);
    // An open surface holds nothing.
    g = gapOf(cube(1, 1, 1, 1), cube(0, 0, 0, 3), true, false);
    QCOMPARE(g.containment, Containment::None);

    // Rays from a grid point run along the cube's edges and diagonals first.
    const TriangleSurface big = cube(0, 0, 0, 4);
    const SurfaceTree tree(big);
    QCOMPARE(surfaceContains(tree, {2, 2, 2}), std::optional<bool>(true));
    QCOMPARE(surfaceContains(tree, {5, 2, 2}), std::optional<bool>(false));
    QCOMPARE(surfaceContains(tree, {-1, -1, -1}), std::optional<bool>(false));
    QVERIFY(!surfaceContains(tree, {4, 2, 2}).value_or(false)); // on the surface
}

void TestGap::treeAgreesWithEveryPair()
{
    std::mt19937 random(14);
    std::uniform_real_distribution<double> offset(-2.5, 2.5);
    int touching = 0, apart = 0;
    for (int round = 0; round < 400; ++round) {
        const TriangleSurface a = randomMesh(random, {0, 0, 0});
        const TriangleSurface b =
            randomMesh(random, {offset(random), offset(random), offset(random)});
        const SurfaceTree ta(a), tb(b);
        const PointPair found = closestPoints(ta, tb);
        const double d = std::sqrt(found.distance2), reference = bruteForceDistance(a, b);
        const QByteArray where = QByteArray("round ") + QByteArray::number(round);
        QVERIFY2(std::abs(d - reference) <= 1e-9 * (1 + reference), where + " distance");
        QVERIFY2(std::abs(distance(found.onA, found.onB) - d) <= 1e-9, where + " points");
        QVERIFY2(offSurface(a, found.onA) <= 1e-9 && offSurface(b, found.onB) <= 1e-9,
                 where + " points on the surfaces");
        ++(reference == 0 ? touching : apart);
    }
    // Both kinds came up often enough to mean something.
    QVERIFY(touching > 40 && apart > 40);
}

QTEST_GUILESS_MAIN(TestGap)
#include "test_gap.moc"
