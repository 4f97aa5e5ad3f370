// The farthest pair of a point set: branch and bound over a box tree of the
// points, node pairs taken depth first. The answer is exact on the doubles: a
// pair of nodes is dropped only when no two of its points can be farther
// apart than the best pair found.
//
// The pair is one of the convex hull's corners, and the search could be run
// on those alone; but on rounded organ surfaces nearly every vertex is a hull
// corner, and CGAL's hull of 500 k points on an ellipsoid took 17 s here,
// while the search over all the points needs no hull and takes a fraction of
// that.

#include "BoxTree.h"
#include "SurfaceMeasures.h"

#include <algorithm>
#include <cmath>

namespace measure {

namespace {

double distance2(const Point3 &a, const Point3 &b)
{
    const double d[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    return d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
}

struct Search
{
    const std::vector<Point3> &points;
    const BoxTree &tree;
    double best2 = -1;
    Diameter result;

    void consider(std::uint32_t a, std::uint32_t b)
    {
        const double d2 = distance2(points[a], points[b]);
        if (d2 > best2) {
            best2 = d2;
            result.ends[0] = points[a];
            result.ends[1] = points[b];
        }
    }

    // A start that prunes well: twice the farthest point from the farthest
    // point of the first one (a double normal of most shapes).
    void seed()
    {
        std::uint32_t from = 0;
        for (int sweep = 0; sweep < 3; ++sweep) {
            std::uint32_t far = from;
            double far2 = -1;
            for (std::uint32_t i = 0; i < points.size(); ++i)
                if (const double d2 = distance2(points[from], points[i]); d2 > far2) {
                    far2 = d2;
                    far = i;
                }
            consider(from, far);
            from = far;
        }
    }

    void leaves(const BoxNode &a, const BoxNode &b, bool same)
    {
        for (std::uint32_t i = a.begin; i < a.end; ++i)
            for (std::uint32_t j = same ? i + 1 : b.begin; j < b.end; ++j)
                consider(tree.order[i], tree.order[j]);
    }

    // Depth first, the pair of larger span first: it raises the best pair
    // early, which prunes the rest.
    void run()
    {
        struct Pair
        {
            std::uint32_t a, b;
        };
        std::vector<Pair> stack {{0, 0}};
        auto span2 = [&](Pair p) { return boxSpan2(tree.nodes[p.a], tree.nodes[p.b]); };
        auto pushOrdered = [&](Pair x, Pair y) {
            const double sx = span2(x), sy = span2(y);
            if (sx < sy) {
                std::swap(x, y);
            }
            if (std::min(sx, sy) > best2)
                stack.push_back(y);
            if (std::max(sx, sy) > best2)
                stack.push_back(x);
        };
        while (!stack.empty()) {
            const Pair top = stack.back();
            stack.pop_back();
            const BoxNode &a = tree.nodes[top.a], &b = tree.nodes[top.b];
            if (boxSpan2(a, b) <= best2)
                continue;
            if (a.leaf() && b.leaf()) {
                leaves(a, b, top.a == top.b);
            } else if (top.a == top.b) {
                const std::uint32_t l = top.a + 1, r = a.right;
                stack.push_back({l, l});
                stack.push_back({r, r});
                stack.push_back({l, r}); // the only pair that can span the whole node
            } else if (b.leaf() || (!a.leaf() && a.size() >= b.size())) {
                pushOrdered({top.a + 1, top.b}, {a.right, top.b});
            } else {
                pushOrdered({top.a, top.b + 1}, {top.a, b.right});
            }
        }
    }
};

} // namespace

Diameter farthestPair(const std::vector<Point3> &points)
{
    if (points.empty())
        return {};
    std::vector<double> corners(3 * points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        std::copy(points[i].begin(), points[i].end(), corners.begin() + 3 * std::ptrdiff_t(i));
    const BoxTree tree = BoxTree::build(corners, corners, 8);
    Search search {points, tree, -1, {}};
    search.seed();
    search.run();
    search.result.length = std::sqrt(search.best2);
    return search.result;
}

} // namespace measure
