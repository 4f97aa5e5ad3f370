// The outline where a plane cuts a surface: closed around a closed surface,
// on the plane, and an edge lying in the plane drawn once.

#include "Shapes.h"
#include "measure/PlaneSection.h"

#include <QtTest>

#include <map>

using measure::planeSection;
using measure::Point3;
using measure::SectionSegment;

namespace {

double length(const std::vector<SectionSegment> &segments)
{
    double sum = 0;
    for (const auto &s : segments)
        sum += std::hypot(s.b[0] - s.a[0], s.b[1] - s.a[1], s.b[2] - s.a[2]);
    return sum;
}

// How many segment ends meet at each point, rounded to 1e-9.
std::map<std::array<long long, 3>, int> ends(const std::vector<SectionSegment> &segments)
{
    std::map<std::array<long long, 3>, int> count;
    for (const auto &s : segments)
        for (const Point3 &p : {s.a, s.b})
            ++count[{std::llround(p[0] * 1e9), std::llround(p[1] * 1e9), std::llround(p[2] * 1e9)}];
    return count;
}

} // namespace

class TestPlaneSection : public QObject
{
    Q_OBJECT

private slots:
    void outlines_data();
    void outlines();
    void tiltedPlaneOnSphere();
};

void TestPlaneSection::outlines_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("perimeter");
    QTest::newRow("through the middle") << 1.0 << 8.0;
    QTest::newRow("through the top face: its edges once") << 2.0 << 8.0;
    QTest::newRow("through the bottom face: touching only") << 0.0 << 0.0;
    QTest::newRow("above") << 2.5 << 0.0;
}

void TestPlaneSection::outlines()
{
    QFETCH(double, height);
    QFETCH(double, perimeter);
    const auto segments = planeSection(cube(0, 0, 0, 2), {0, 0, height}, {0, 0, 1});
    QVERIFY2(std::abs(length(segments) - perimeter) < 1e-12,
             qPrintable(QString::number(length(segments))));
    for (const auto &s : segments) {
        QCOMPARE(s.a[2], height);
        QCOMPARE(s.b[2], height);
    }
    for (const auto &[point, count] : ends(segments))
        QCOMPARE(count, 2); // every end meets one other: closed loops
}

void TestPlaneSection::tiltedPlaneOnSphere()
{
    // A plane 3 mm from the centre of a sphere of radius 5, tilted: the
    // outline lies on the plane and on the circle of radius 4 around the
    // foot of the perpendicular, as far as the facets allow.
    const Point3 centre = {10, -20, 30};
    const double n = 1 / std::sqrt(3.0);
    const Point3 normal = {n, n, n};
    const Point3 foot = {centre[0] + 3 * n, centre[1] + 3 * n, centre[2] + 3 * n};
    const auto segments = planeSection(sphere(centre, 5, 64), foot, normal);
    QVERIFY(segments.size() > 64);
    for (const auto &s : segments)
        for (const Point3 &p : {s.a, s.b}) {
            const Point3 d = {p[0] - foot[0], p[1] - foot[1], p[2] - foot[2]};
            QVERIFY(std::abs(d[0] * n + d[1] * n + d[2] * n) < 1e-9);
            QVERIFY(std::abs(std::hypot(d[0], d[1], d[2]) - 4) < 0.02);
        }
    for (const auto &[point, count] : ends(segments))
        QCOMPARE(count, 2);
    QVERIFY(std::abs(length(segments) - 8 * std::numbers::pi) < 0.05);
}

QTEST_APPLESS_MAIN(TestPlaneSection)
#include "test_plane_section.moc"
