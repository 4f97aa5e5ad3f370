// Welding, edge use, vertex fans and connected components of a triangle
// surface. All of it is counting on integers: no geometry is involved beyond
// comparing coordinates for equality.

#include "SurfaceMeasures.h"

#include <algorithm>
#include <numeric>

namespace measure {

namespace {

class UnionFind
{
public:
    explicit UnionFind(std::size_t n)
        : parent(n)
    {
        std::iota(parent.begin(), parent.end(), std::uint32_t(0));
    }
    std::uint32_t find(std::uint32_t x)
    {
        while (parent[x] != x) {
            parent[x] = parent[parent[x]]; // path halving
            x = parent[x];
        }
        return x;
    }
    void unite(std::uint32_t a, std::uint32_t b)
    {
        a = find(a);
        b = find(b);
        if (a != b)
            parent[std::max(a, b)] = std::min(a, b); // the smaller index stays the root
    }

private:
    std::vector<std::uint32_t> parent;
};

// Every vertex mapped to the first vertex with exactly its coordinates.
std::vector<std::uint32_t> weldVertices(const TriangleSurface &surface)
{
    const std::size_t n = surface.vertexCount();
    std::vector<std::uint32_t> order(n);
    std::iota(order.begin(), order.end(), std::uint32_t(0));
    const double *p = surface.points.data();
    std::sort(order.begin(), order.end(), [p](std::uint32_t a, std::uint32_t b) {
        const double *u = p + 3 * std::size_t(a), *v = p + 3 * std::size_t(b);
        if (u[0] != v[0])
            return u[0] < v[0];
        if (u[1] != v[1])
            return u[1] < v[1];
        if (u[2] != v[2])
            return u[2] < v[2];
        return a < b;
    });
    std::vector<std::uint32_t> welded(n);
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        const double *first = p + 3 * std::size_t(order[i]);
        while (j < n && std::equal(first, first + 3, p + 3 * std::size_t(order[j])))
            ++j;
        for (std::size_t k = i; k < j; ++k)
            welded[order[k]] = order[i]; // the smallest index of the run, sorted first
        i = j;
    }
    return welded;
}

// One use of an edge by a triangle: the edge runs from corner `local` to the
// next corner of `triangle`; `forward` when that is from the smaller welded
// vertex number to the larger.
struct EdgeUse
{
    std::uint32_t other; // the larger welded vertex of the edge
    std::uint32_t triangle;
    std::uint8_t local;
    bool forward;
};

// Edge uses bucketed by their smaller vertex and sorted by the larger one
// within each bucket: uses of one edge end up next to each other without a
// sort of the whole list.
struct EdgeTable
{
    std::vector<std::size_t> start; // per vertex, into uses
    std::vector<EdgeUse> uses;
};

EdgeTable buildEdgeTable(const std::vector<std::uint32_t> &corners,
                         const std::vector<bool> &collapsed, std::size_t vertexCount)
{
    EdgeTable table;
    table.start.assign(vertexCount + 1, 0);
    const std::size_t triangles = collapsed.size();
    for (std::size_t t = 0; t < triangles; ++t)
        if (!collapsed[t])
            for (int e = 0; e < 3; ++e) {
                const std::uint32_t a = corners[3 * t + std::size_t(e)];
                const std::uint32_t b = corners[3 * t + std::size_t((e + 1) % 3)];
                ++table.start[std::min(a, b) + 1];
            }
    std::partial_sum(table.start.begin(), table.start.end(), table.start.begin());
    table.uses.resize(table.start.back());
    std::vector<std::size_t> fill(table.start.begin(), table.start.end() - 1);
    for (std::size_t t = 0; t < triangles; ++t)
        if (!collapsed[t])
            for (int e = 0; e < 3; ++e) {
                const std::uint32_t a = corners[3 * t + std::size_t(e)];
                const std::uint32_t b = corners[3 * t + std::size_t((e + 1) % 3)];
                table.uses[fill[std::min(a, b)]++] = {std::max(a, b), std::uint32_t(t),
                                                      std::uint8_t(e), a < b};
            }
    for (std::size_t v = 0; v < vertexCount; ++v)
        std::sort(table.uses.begin() + std::ptrdiff_t(table.start[v]),
                  table.uses.begin() + std::ptrdiff_t(table.start[v + 1]),
                  [](const EdgeUse &x, const EdgeUse &y) {
                      return x.other != y.other ? x.other < y.other : x.triangle < y.triangle;
                  });
    return table;
}

} // namespace

std::vector<std::vector<std::uint32_t>> SurfaceTopology::componentTriangles() const
{
    std::vector<std::vector<std::uint32_t>> out(components.size());
    for (std::size_t t = 0; t < component.size(); ++t)
        out[component[t]].push_back(std::uint32_t(t));
    return out;
}

SurfaceTopology analyseTopology(const TriangleSurface &surface)
{
    SurfaceTopology topo;
    const std::size_t n = surface.vertexCount(), m = surface.triangleCount();
    topo.weldedVertex = weldVertices(surface);
    std::vector<std::uint32_t> corners(3 * m);
    std::vector<bool> collapsed(m);
    for (std::size_t i = 0; i < 3 * m; ++i)
        corners[i] = topo.weldedVertex[surface.triangles[i]];
    for (std::size_t t = 0; t < m; ++t) {
        const std::uint32_t *c = corners.data() + 3 * t;
        collapsed[t] = c[0] == c[1] || c[1] == c[2] || c[2] == c[0];
        topo.collapsedTriangles += collapsed[t];
    }

    // Components over shared vertices, numbered in the order of their first triangle.
    UnionFind vertices(n);
    for (std::size_t t = 0; t < m; ++t) {
        vertices.unite(corners[3 * t], corners[3 * t + 1]);
        vertices.unite(corners[3 * t], corners[3 * t + 2]);
    }
    std::vector<std::uint32_t> label(n, UINT32_MAX);
    topo.component.resize(m);
    for (std::size_t t = 0; t < m; ++t) {
        std::uint32_t &l = label[vertices.find(corners[3 * t])];
        if (l == UINT32_MAX) {
            l = std::uint32_t(topo.components.size());
            topo.components.emplace_back();
        }
        topo.component[t] = l;
        ++topo.components[l].triangles;
    }

    // Edges: how many triangles use each, and in which direction. Corners
    // of one vertex joined across an edge belong to one fan.
    const EdgeTable edges = buildEdgeTable(corners, collapsed, n);
    UnionFind fans(3 * m);
    for (std::size_t v = 0; v < n; ++v) {
        const std::size_t end = edges.start[v + 1];
        for (std::size_t i = edges.start[v]; i < end;) {
            std::size_t j = i + 1;
            while (j < end && edges.uses[j].other == edges.uses[i].other)
                ++j;
            TopologyCounts &counts = topo.components[topo.component[edges.uses[i].triangle]];
            if (j - i == 1)
                ++counts.borderEdges;
            else if (j - i > 2)
                ++counts.nonManifoldEdges;
            else if (edges.uses[i].forward == edges.uses[i + 1].forward)
                ++counts.misorientedEdges;
            // The corner at the smaller vertex and the one at the larger.
            auto corner = [](const EdgeUse &use, bool atSmaller) {
                const bool atStart = use.forward == atSmaller;
                return std::uint32_t(3 * use.triangle
                                     + (atStart ? use.local : (use.local + 1) % 3));
            };
            for (std::size_t k = i + 1; k < j; ++k) {
                fans.unite(corner(edges.uses[i], true), corner(edges.uses[k], true));
                fans.unite(corner(edges.uses[i], false), corner(edges.uses[k], false));
            }
            i = j;
        }
    }
    std::vector<std::uint32_t> fanCount(n, 0);
    for (std::size_t c = 0; c < 3 * m; ++c)
        if (!collapsed[c / 3] && fans.find(std::uint32_t(c)) == c)
            ++fanCount[corners[c]];
    for (std::size_t v = 0; v < n; ++v)
        if (fanCount[v] > 1)
            ++topo.components[label[vertices.find(std::uint32_t(v))]].nonManifoldVertices;

    // Each welded position once per component, counted where a whole triangle uses it.
    std::vector<bool> counted(n, false);
    for (std::size_t c = 0; c < 3 * m; ++c)
        if (!collapsed[c / 3] && !counted[corners[c]]) {
            counted[corners[c]] = true;
            ++topo.components[topo.component[c / 3]].points;
        }
    for (const TopologyCounts &c : topo.components) {
        topo.total.points += c.points;
        topo.total.borderEdges += c.borderEdges;
        topo.total.nonManifoldEdges += c.nonManifoldEdges;
        topo.total.misorientedEdges += c.misorientedEdges;
        topo.total.nonManifoldVertices += c.nonManifoldVertices;
        topo.total.triangles += c.triangles;
    }
    return topo;
}

} // namespace measure
