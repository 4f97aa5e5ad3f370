#pragma once

#include "Surface.h"

#include <atomic>
#include <vector>

namespace measure {

// Area and enclosed volume in one pass over the triangles. The volume is the
// divergence-theorem sum of the tetrahedra from a reference point to every
// triangle: positive for a closed surface whose triangles turn
// counter-clockwise seen from outside, negative for one that is inside out.
struct SurfaceIntegrals
{
    double area = 0;
    double signedVolume = 0;
    Point3 volumeCentroid {};            // centre of the enclosed solid (closed surfaces)
    Point3 areaCentroid {};              // centre of the surface itself
    std::size_t degenerateTriangles = 0; // zero area: repeated or collinear corners
};

// Over every triangle (area and volume only, no centres), or over the
// triangles listed in `which` (with the centres).
SurfaceIntegrals integrate(const TriangleSurface &surface);
SurfaceIntegrals integrate(const TriangleSurface &surface, const std::vector<std::uint32_t> &which);

// Edge and vertex structure. Vertices at exactly the same position count as
// one (surfaces from triangle soups and several blocks repeat them).
struct TopologyCounts
{
    std::size_t borderEdges = 0;         // in one triangle only
    std::size_t nonManifoldEdges = 0;    // in more than two triangles
    std::size_t misorientedEdges = 0;    // two triangles run the same way along them
    std::size_t nonManifoldVertices = 0; // their triangles make more than one fan
    std::size_t triangles = 0;
    std::size_t points = 0; // distinct positions of its triangles that are not collapsed
    bool zeroArea = false;  // set by the measures: its triangles cover nothing

    // The fewest points a closed surface has: a tetrahedron's. Triangles
    // collapsed onto fewer points leave no border, yet close nothing.
    static constexpr std::size_t kFewestClosedPoints = 4;
    bool closed() const
    {
        return triangles > 0 && borderEdges == 0 && points >= kFewestClosedPoints && !zeroArea;
    }
    bool manifold() const { return nonManifoldEdges == 0 && nonManifoldVertices == 0; }
    bool oriented() const { return misorientedEdges == 0; }
    bool enclosesVolume() const { return closed() && manifold() && oriented(); }
};

struct SurfaceTopology
{
    std::vector<std::uint32_t> weldedVertex; // per vertex: the first vertex at its position
    std::vector<std::uint32_t> component;    // per triangle: its connected component
    std::vector<TopologyCounts> components;  // per component
    TopologyCounts total;
    std::size_t collapsedTriangles = 0; // two corners on one welded vertex: left out

    // The triangles of every component, in triangle order.
    std::vector<std::vector<std::uint32_t>> componentTriangles() const;
};

SurfaceTopology analyseTopology(const TriangleSurface &surface);

// Answers of the self-intersection test.
enum class SelfIntersection { No, Yes, NotTested };

struct Diameter
{
    double length = 0;
    Point3 ends[2] {};
};

// Everything the tables report of one surface. Lengths are in the file's
// units (millimetres for surfaces from CT), areas and volumes in their squares
// and cubes.
struct SurfaceMeasures
{
    std::size_t vertices = 0;
    std::size_t triangles = 0;
    double area = 0;
    TopologyCounts topology;
    std::size_t degenerateTriangles = 0;
    SelfIntersection selfIntersecting = SelfIntersection::NotTested;
    bool hasVolume = false; // closed, manifold and consistently oriented
    double volume = 0;      // positive; only with hasVolume
    bool insideOut = false; // the triangles faced inwards
    int components = 0;
    bool hasPoints = false; // the box and diameter below mean something
    Point3 boxMin {}, boxMax {};
    Diameter diameter;
};

// What measureSurface computes beyond the cheap passes.
struct MeasureOptions
{
    bool selfIntersection = true;
    const std::atomic<bool> *cancel = nullptr; // stops between steps when set
};

SurfaceMeasures measureSurface(const TriangleSurface &surface, const MeasureOptions &options = {});
SurfaceMeasures measureSurface(const TriangleSurface &surface, const SurfaceTopology &topology,
                               const MeasureOptions &options = {});

// The points of the surface's triangles, each position once.
std::vector<Point3> surfacePoints(const TriangleSurface &surface, const SurfaceTopology &topology);
// The farthest pair of a point set (Diameter.cpp); exact on the doubles.
Diameter farthestPair(const std::vector<Point3> &points);

// True when two triangles of the surface meet anywhere but at the vertices
// and edges they share (SelfIntersection.cpp). Triangles without area take no
// part: they are counted as degenerate.
bool selfIntersects(const TriangleSurface &surface, const SurfaceTopology &topology);

} // namespace measure
