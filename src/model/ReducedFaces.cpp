// The reduced form of a block's faces: vertex clustering on a uniform grid.
// Every vertex of the visible faces falls into a grid cell; the cell's
// vertices merge into one at their mean; a triangle whose three corners fall
// into three different cells becomes a triangle of those cells, and the
// triangles that become the same one are drawn once. The grid is as coarse
// as the triangle budget asks, so the shape keeps its outline and colours at
// a fraction of the faces.

#include "ReducedFaces.h"
#include "../geometry/Alloc.h"
#include "../geometry/MeshClass.h"
#include "FanTriangles.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Grid cells keyed by their packed integer coordinates, numbered in order of
// first use: open addressing in a table kept at most half full.
class CellTable
{
public:
    qint32 idOf(quint64 key)
    {
        if (2 * size_t(count + 1) > keys.size())
            grow();
        const size_t mask = keys.size() - 1;
        for (size_t slot = mix(key) & mask;; slot = (slot + 1) & mask) {
            if (ids[slot] < 0) {
                keys[slot] = key;
                return ids[slot] = count++;
            }
            if (keys[slot] == key)
                return ids[slot];
        }
    }
    qint32 size() const { return count; }

private:
    static size_t mix(quint64 x)
    {
        x ^= x >> 31;
        x *= 0x7fb5d329728ea185ULL;
        x ^= x >> 27;
        x *= 0x81dadef4bc2dd44dULL;
        return size_t(x ^ (x >> 33));
    }
    void grow()
    {
        std::vector<quint64> oldKeys = std::move(keys);
        std::vector<qint32> oldIds = std::move(ids);
        const size_t size = std::max<size_t>(1024, 2 * oldKeys.size());
        keys.assign(size, 0);
        ids.assign(size, -1);
        const size_t mask = size - 1;
        for (size_t i = 0; i < oldKeys.size(); ++i) {
            if (oldIds[i] < 0)
                continue;
            size_t slot = mix(oldKeys[i]) & mask;
            while (ids[slot] >= 0)
                slot = (slot + 1) & mask;
            keys[slot] = oldKeys[i];
            ids[slot] = oldIds[i];
        }
    }

    std::vector<quint64> keys;
    std::vector<qint32> ids;
    qint32 count = 0;
};

// A triangle of clusters, rotated so that its smallest cluster comes first
// (the order of its corners around it, and so its facing, stays), and the
// drawn triangle it comes from.
struct ClusterTriangle
{
    qint32 c[3];
    qint64 source;
    int turn; // corner i is corner (i + turn) % 3 of the source

    bool operator<(const ClusterTriangle &o) const
    {
        return std::lexicographical_compare(c, c + 3, o.c, o.c + 3)
            || (std::equal(c, c + 3, o.c) && source < o.source);
    }
};

struct Clustering
{
    std::vector<qint32> clusterOf;     // per vertex; -1 when not drawn
    std::vector<float> centres;        // x, y, z per cluster
    std::vector<ClusterTriangle> kept; // distinct triangles of clusters
};

double surfaceArea(const MeshClass &mesh)
{
    double area = 0;
    forEachFanTriangle(mesh, [&](qint64, const qint32 *, int, const qint32 *corner) {
        const _DREAL *p[3];
        for (int i = 0; i < 3; ++i)
            p[i] = mesh.Vertices + 3 * qint64(corner[i]);
        double u[3], v[3];
        for (int a = 0; a < 3; ++a) {
            u[a] = p[1][a] - p[0][a];
            v[a] = p[2][a] - p[0][a];
        }
        const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                             u[0] * v[1] - u[1] * v[0]};
        area += 0.5 * std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    });
    return area;
}

Clustering cluster(const MeshClass &mesh, double cell)
{
    Clustering out;
    out.clusterOf.assign(size_t(mesh.CountOfVertices), -1);
    CellTable table;
    std::vector<double> sums; // x, y, z, count per cluster
    auto clusterOfVertex = [&](qint32 v) {
        qint32 &id = out.clusterOf[size_t(v)];
        if (id >= 0)
            return id;
        const _DREAL *p = mesh.Vertices + 3 * qint64(v);
        quint64 key = 0;
        for (int a = 0; a < 3; ++a) {
            const double steps = std::floor((p[a] - mesh.BoxMin[a]) / cell);
            key = key << 21 | (quint64(std::clamp(steps, 0.0, double((1 << 21) - 1))));
        }
        id = table.idOf(key);
        if (size_t(id) * 4 >= sums.size())
            sums.resize(sums.size() + 4, 0.0);
        double *sum = sums.data() + 4 * size_t(id);
        sum[0] += p[0], sum[1] += p[1], sum[2] += p[2], sum[3] += 1;
        return id;
    };
    forEachFanTriangle(mesh, [&](qint64 tri, const qint32 *, int, const qint32 *corner) {
        ClusterTriangle t {
            {clusterOfVertex(corner[0]), clusterOfVertex(corner[1]), clusterOfVertex(corner[2])},
            tri,
            0};
        if (t.c[0] == t.c[1] || t.c[1] == t.c[2] || t.c[0] == t.c[2])
            return; // collapsed into an edge or a point
        t.turn = int(std::min_element(t.c, t.c + 3) - t.c);
        std::rotate(t.c, t.c + t.turn, t.c + 3);
        out.kept.push_back(t);
    });
    std::sort(out.kept.begin(), out.kept.end());
    out.kept.erase(std::unique(out.kept.begin(), out.kept.end(),
                               [](const ClusterTriangle &a, const ClusterTriangle &b) {
                                   return std::equal(a.c, a.c + 3, b.c);
                               }),
                   out.kept.end());
    out.centres.resize(3 * size_t(table.size()));
    for (size_t c = 0; c < size_t(table.size()); ++c)
        for (int a = 0; a < 3; ++a)
            out.centres[3 * c + size_t(a)] = float(sums[4 * c + size_t(a)] / sums[4 * c + 3]);
    return out;
}

void fillReduced(const MeshClass &mesh, const Clustering &clustering, ReducedFaces &reduced)
{
    const size_t triangles = clustering.kept.size();
    reduced.corners.resize(9 * triangles);
    reduced.normals.resize(9 * triangles);
    if (mesh.TriColors)
        reduced.colours.resize(3 * triangles);
    if (mesh.TriTexCoords)
        reduced.texCoords.resize(3 * triangles);
    for (size_t t = 0; t < triangles; ++t) {
        const ClusterTriangle &k = clustering.kept[t];
        float *pos = reduced.corners.data() + 9 * t;
        for (int i = 0; i < 3; ++i)
            std::copy_n(clustering.centres.data() + 3 * size_t(k.c[i]), 3, pos + 3 * i);
        float u[3], v[3], n[3];
        for (int a = 0; a < 3; ++a) {
            u[a] = pos[3 + a] - pos[a];
            v[a] = pos[6 + a] - pos[a];
        }
        n[0] = u[1] * v[2] - u[2] * v[1];
        n[1] = u[2] * v[0] - u[0] * v[2];
        n[2] = u[0] * v[1] - u[1] * v[0];
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length > 0)
            for (float &x : n)
                x /= length;
        else // merged flat: the normal of the face it comes from
            std::copy_n(mesh.triNormal(3 * k.source), 3, n);
        const qint64 first = 3 * k.source;
        for (int i = 0; i < 3; ++i) {
            const qint64 source = first + (i + k.turn) % 3;
            std::copy_n(n, 3, reduced.normals.data() + 9 * t + 3 * size_t(i));
            if (mesh.TriColors)
                reduced.colours[3 * t + size_t(i)] = mesh.TriColors[mesh.triShadingEntry(source)];
            if (mesh.TriTexCoords)
                reduced.texCoords[3 * t + size_t(i)] = mesh.TriTexCoords[mesh.triEntry(source)];
        }
    }
}

} // namespace

const ReducedFaces &MeshClass::reducedFaces(qint64 budget)
{
    if (Reduced)
        return *Reduced;
    Reduced = std::make_shared<ReducedFaces>();
    const qint64 triangles = CountOfTriVertices / 3;
    Reduced->whole = triangles <= budget || budget <= 0;
    if (Reduced->whole)
        return *Reduced;
    const qint32 status = runGuarded(nullptr, [&] {
        // A surface of area A on cells of side h meets about 1.5 A / h^2
        // cells; twice as many triangles join them.
        float extent = 0;
        for (int a = 0; a < 3; ++a)
            extent = std::max(extent, BoxMax[a] - BoxMin[a]);
        double cell = std::sqrt(3.0 * surfaceArea(*this) / double(budget));
        cell = std::max(cell, double(extent) / double(1 << 20));
        Clustering clustering;
        for (int attempt = 0; attempt < 3; ++attempt) {
            clustering = cluster(*this, cell);
            const double ratio = double(clustering.kept.size()) / double(budget);
            if (ratio <= 1.5)
                break;
            cell *= std::sqrt(ratio);
        }
        if (clustering.kept.empty()) {
            Reduced->whole = true;
            return;
        }
        fillReduced(*this, clustering, *Reduced);
    });
    if (status != errNone)
        *Reduced = ReducedFaces {true, {}, {}, {}, {}};
    return *Reduced;
}
