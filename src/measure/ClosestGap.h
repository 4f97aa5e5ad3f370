#pragma once

#include "BoxTree.h"
#include "Surface.h"
#include "TriangleDistance.h"

#include <optional>

namespace measure {

// A surface with a box tree over its triangles, built once and queried for
// gaps to any number of other surfaces. Keeps a reference: the surface must
// outlive the tree.
class SurfaceTree
{
public:
    explicit SurfaceTree(const TriangleSurface &surface);

    const TriangleSurface &surface() const { return *Surface; }
    const BoxTree &tree() const { return Tree; }
    bool empty() const { return Tree.empty(); }
    // The corners of triangle t.
    void corners(std::uint32_t t, const double *out[3]) const;

private:
    const TriangleSurface *Surface;
    BoxTree Tree;
};

// How two surfaces meet.
enum class Contact {
    Apart,       // a positive gap
    Touching,    // they meet without crossing: a shared point, edge or face with the sides apart
    Overlapping, // they cross, or coincide with their insides on one side
};

// Which one holds the other when they do not meet (closed surfaces only).
enum class Containment { None, AInsideB, BInsideA };

struct Gap
{
    bool valid = false; // both surfaces have triangles
    double distance = 0;
    Point3 onA {}, onB {}; // where the distance is realised (a common point at 0)
    Contact contact = Contact::Apart;
    Containment containment = Containment::None;
};

// The exact minimum distance between two surfaces and the two points, by a
// simultaneous descent of both trees that drops every pair of nodes whose
// boxes lie farther apart than the best pair of triangles so far. Triangles
// whose boxes overlap are tested for intersection exactly.
PointPair closestPoints(const SurfaceTree &a, const SurfaceTree &b);

// The full answer: distance and points, how the surfaces meet, and, for a
// positive gap, whether one closed surface holds the other (`aClosed` and
// `bClosed` tell which may).
Gap closestGap(const SurfaceTree &a, const SurfaceTree &b, bool aClosed, bool bClosed);

// Touching or overlapping, for surfaces at distance 0.
Contact classifyContact(const SurfaceTree &a, const SurfaceTree &b);

// Whether p lies inside the closed surface, by the parity of the crossings
// of a ray from p; no answer when every ray tried grazes an edge or p lies on
// the surface.
std::optional<bool> surfaceContains(const SurfaceTree &closed, const Point3 &p);

// The distance of every pair of triangles by CGAL's triangle distance: the
// reference the tree is checked and timed against.
double bruteForceDistance(const TriangleSurface &a, const TriangleSurface &b);
// The same with our triangle distance: the floor of a brute force.
double bruteForceDistanceOurs(const TriangleSurface &a, const TriangleSurface &b);

} // namespace measure
