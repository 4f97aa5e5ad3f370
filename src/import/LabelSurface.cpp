#include "LabelSurface.h"

#include "ImportTypes.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

// Corner n of a cube of 2 x 2 x 2 voxels sits at (n & 1, n >> 1 & 1, n >> 2 & 1).
// The six faces, their corners counter-clockwise seen from outside the cube.
constexpr int kFaceCorners[6][4] = {
    {0, 4, 6, 2}, // -x
    {1, 3, 7, 5}, // +x
    {0, 1, 5, 4}, // -y
    {2, 6, 7, 3}, // +y
    {0, 2, 3, 1}, // -z
    {4, 5, 7, 6}, // +z
};

// Local vertices of a cube: 0..11 the midpoints of its edges, 12..17 the
// centres of its faces, 18 its centre.
constexpr int kFaceCentre = 12;
constexpr int kCubeCentre = 18;
constexpr int kLocalVertices = 19;

// The edge between two corners that differ in one bit.
constexpr int edgeBetween(int a, int b)
{
    const int low = a < b ? a : b;
    const int axis = (a ^ b) == 1 ? 0 : (a ^ b) == 2 ? 1 : 2;
    // Four edges per axis, numbered by the two bits of the base corner that
    // are not the axis bit.
    const int rest = axis == 0 ? low >> 1 : axis == 1 ? (low & 1) | (low >> 2) << 1 : low & 3;
    return 4 * axis + rest;
}

// Base corner of each edge: its offset in the cube and its axis.
struct EdgeInfo
{
    int axis, dx, dy, dz;
};

constexpr std::array<EdgeInfo, 12> makeEdges()
{
    std::array<EdgeInfo, 12> edges {};
    for (int a = 0; a < 8; ++a)
        for (int bit = 0; bit < 3; ++bit)
            if (!(a >> bit & 1)) {
                const int e = edgeBetween(a, a | 1 << bit);
                edges[size_t(e)] = {bit, a & 1, a >> 1 & 1, a >> 2 & 1};
            }
    return edges;
}
constexpr std::array<EdgeInfo, 12> kEdges = makeEdges();

// Twice the position of every local vertex inside the cube, for measuring
// the diagonals of a boundary loop.
struct Twice
{
    int x, y, z;
};

int squaredDistance(Twice a, Twice b)
{
    return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z);
}

Twice edgeMidpoint(int e)
{
    const EdgeInfo &d = kEdges[size_t(e)];
    return {2 * d.dx + (d.axis == 0), 2 * d.dy + (d.axis == 1), 2 * d.dz + (d.axis == 2)};
}

// A piece of the boundary on a cube face, from vertex `from` to `to` (local
// numbers), with label `right` on its right seen from outside the cube.
struct Segment
{
    int from, to;
    quint16 right, left;
};

class Extractor
{
public:
    explicit Extractor(const LabelVolume &volume)
        : volume(volume)
        , nx(volume.size[0])
        , ny(volume.size[1])
        , nz(volume.size[2])
        , plane(size_t(nx * ny))
    {
        for (auto *table : {&xEdge[0], &xEdge[1], &yEdge[0], &yEdge[1], &zFace[0], &zFace[1],
                            &zEdge, &xFace, &yFace})
            table->assign(plane, -1);
    }

    LabelSurface run(const std::function<void(double)> &progress)
    {
        for (qint64 k = 0; k + 1 < nz; ++k) {
            firstOfPrevious = firstOfSlab;
            firstOfSlab = qint32(out.vertexCount());
            z = k;
            for (qint64 j = 0; j + 1 < ny; ++j)
                scanRow(j);
            if (progress && (k & 7) == 7)
                progress(double(k) / double(nz - 1));
        }
        if (volume.toWorld.determinant() < 0) // a mirroring map turns the winding over
            for (size_t t = 0; t < out.triangles.size(); t += 3)
                std::swap(out.triangles[t + 1], out.triangles[t + 2]);
        return std::move(out);
    }

private:
    const quint16 *row(qint64 j, qint64 k) const
    {
        return volume.labels.data() + nx * (j + ny * k);
    }

    void scanRow(qint64 j)
    {
        const quint16 *r00 = row(j, z), *r01 = row(j + 1, z);
        const quint16 *r10 = row(j, z + 1), *r11 = row(j + 1, z + 1);
        for (qint64 i = 0; i + 1 < nx; ++i) {
            const quint16 v = r00[i];
            if (r00[i + 1] == v && r01[i] == v && r01[i + 1] == v && r10[i] == v && r10[i + 1] == v
                && r11[i] == v && r11[i + 1] == v)
                continue;
            const quint16 labels[8] = {r00[i], r00[i + 1], r01[i], r01[i + 1],
                                       r10[i], r10[i + 1], r11[i], r11[i + 1]};
            cube(i, j, labels);
        }
    }

    void cube(qint64 i, qint64 j, const quint16 labels[8])
    {
        x = i;
        y = j;
        std::fill(std::begin(ids), std::end(ids), -1);
        segments.clear();
        for (int f = 0; f < 6; ++f)
            faceSegments(f, labels);
        quint16 sorted[8];
        std::copy(labels, labels + 8, sorted);
        std::sort(sorted, sorted + 8);
        const int distinct = int(std::unique(sorted, sorted + 8) - sorted);
        if (distinct == 2)
            loops(sorted[0], sorted[1]);
        else
            cone();
    }

    // The boundary pieces on one face of the cube.
    void faceSegments(int f, const quint16 labels[8])
    {
        const int *c = kFaceCorners[f];
        const quint16 l[4] = {labels[c[0]], labels[c[1]], labels[c[2]], labels[c[3]]};
        int cuts[4], count = 0;
        for (int e = 0; e < 4; ++e)
            if (l[e] != l[(e + 1) & 3])
                cuts[count++] = e;
        const auto mid = [&](int e) { return edgeBetween(c[e], c[(e + 1) & 3]); };
        // Corner n alone in its region: the piece from the edge before it to
        // the edge after it has it on the right.
        const auto isolate = [&](int n) {
            segments.push_back({mid((n + 3) & 3), mid(n), l[n], l[(n + 1) & 3]});
        };
        if (count == 2) {
            const int a = cuts[0], b = cuts[1];
            segments.push_back({mid(a), mid(b), l[(a + 1) & 3], l[(b + 1) & 3]});
        } else if (count == 4 && (l[0] == l[2] || l[1] == l[3])) {
            // The equal diagonal is connected; when both are equal, the larger label's.
            const bool evenConnected = l[0] == l[2] && (l[1] != l[3] || l[0] > l[1]);
            const int first = evenConnected ? 1 : 0;
            isolate(first);
            isolate(first + 2);
        } else if (count >= 3) {
            for (int n = 0; n < count; ++n) {
                const int e = cuts[n];
                segments.push_back({kFaceCentre + f, mid(e), l[e], l[(e + 1) & 3]});
            }
        }
    }

    // Two labels: the boundary on the cube's faces is a set of closed loops
    // around `a` (kept on the right); each is spanned by triangles.
    void loops(quint16 a, quint16 b)
    {
        int next[12];
        std::fill(std::begin(next), std::end(next), -1);
        for (Segment &s : segments) {
            if (s.right != a)
                std::swap(s.from, s.to);
            next[s.from] = s.to;
        }
        for (int start = 0; start < 12; ++start) {
            if (next[start] < 0)
                continue;
            int loop[12], n = 0, v = start;
            do {
                loop[n++] = v;
                const int following = next[v];
                next[v] = -1;
                v = following;
            } while (v >= 0 && v != start && n < 12);
            spanLoop(loop, n, a, b);
        }
    }

    // Cuts ears off the loop, always the one with the shortest diagonal, so
    // the triangles stay close to the surface marching cubes would make.
    void spanLoop(int *loop, int n, quint16 a, quint16 b)
    {
        Twice at[12];
        for (int m = 0; m < n; ++m)
            at[m] = edgeMidpoint(loop[m]);
        while (n > 3) {
            int best = 0, shortest = std::numeric_limits<int>::max();
            for (int m = 0; m < n; ++m) {
                const int d = squaredDistance(at[(m + n - 1) % n], at[(m + 1) % n]);
                if (d < shortest)
                    shortest = d, best = m;
            }
            addTriangle(loop[(best + n - 1) % n], loop[best], loop[(best + 1) % n], a, b);
            std::copy(loop + best + 1, loop + n, loop + best);
            std::copy(at + best + 1, at + n, at + best);
            --n;
        }
        if (n == 3)
            addTriangle(loop[0], loop[1], loop[2], a, b);
    }

    // Three or more labels: every piece spans a triangle with the cube's centre.
    void cone()
    {
        for (const Segment &s : segments)
            addTriangle(s.from, s.to, kCubeCentre, s.right, s.left);
    }

    void addTriangle(int p, int q, int r, quint16 in, quint16 outside)
    {
        out.triangles.insert(out.triangles.end(), {vertex(p), vertex(q), vertex(r)});
        out.inside.push_back(in);
        out.outside.push_back(outside);
    }

    // The global number of a local vertex, made on first use. Vertices on
    // the cube's edges and faces are shared with the neighbouring cubes
    // through the slot tables of the current slab of voxels.
    qint32 vertex(int local)
    {
        if (ids[local] >= 0)
            return ids[local];
        qint32 *slot = nullptr;
        qint32 threshold = firstOfSlab;
        double p[3] = {double(x) + 0.5, double(y) + 0.5, double(z) + 0.5};
        if (local < 12) {
            const EdgeInfo &e = kEdges[size_t(local)];
            const size_t at = size_t(x + e.dx + nx * (y + e.dy));
            p[0] = double(x + e.dx) + (e.axis == 0 ? 0.5 : 0.0);
            p[1] = double(y + e.dy) + (e.axis == 1 ? 0.5 : 0.0);
            p[2] = double(z + e.dz) + (e.axis == 2 ? 0.5 : 0.0);
            if (e.axis == 2) {
                slot = &zEdge[at];
            } else {
                slot = &(e.axis == 0 ? xEdge : yEdge)[(z + e.dz) & 1][at];
                threshold = e.dz ? firstOfSlab : firstOfPrevious;
            }
        } else if (local < kCubeCentre) {
            const int f = local - kFaceCentre, axis = f / 2, side = f & 1;
            p[axis] += side ? 0.5 : -0.5;
            const qint64 i = x + (axis == 0 ? side : 0), j = y + (axis == 1 ? side : 0);
            const size_t at = size_t(i + nx * j);
            if (axis == 0)
                slot = &xFace[at];
            else if (axis == 1)
                slot = &yFace[at];
            else {
                slot = &zFace[(z + side) & 1][at];
                threshold = side ? firstOfSlab : firstOfPrevious;
            }
        }
        if (slot && *slot >= threshold)
            return ids[local] = *slot;
        const qint64 number = out.vertexCount();
        if (number >= std::numeric_limits<qint32>::max())
            failImport(Import::tr("The label map gives more surface vertices than a model holds."));
        double world[3];
        volume.toWorld.apply(p[0], p[1], p[2], world);
        out.xyz.insert(out.xyz.end(), world, world + 3);
        if (slot)
            *slot = qint32(number);
        return ids[local] = qint32(number);
    }

    const LabelVolume &volume;
    const qint64 nx, ny, nz;
    const size_t plane;
    // Vertex numbers by place: edges and z-faces of the two voxel layers of
    // the slab (indexed by layer parity), edges and faces between them. A
    // number below the threshold of its table was made for an older slab.
    std::vector<qint32> xEdge[2], yEdge[2], zFace[2], zEdge, xFace, yFace;
    qint32 firstOfSlab = 0, firstOfPrevious = 0;
    qint64 x = 0, y = 0, z = 0;
    qint32 ids[kLocalVertices];
    std::vector<Segment> segments;
    LabelSurface out;
};

} // namespace

LabelSurface extractLabelSurface(const LabelVolume &volume,
                                 const std::function<void(double)> &progress)
{
    if (volume.size[0] < 2 || volume.size[1] < 2 || volume.size[2] < 2)
        return {};
    return Extractor(volume).run(progress);
}
