// Which side of a block's faces can be seen from outside it. When the
// visible faces close up (every edge walked once in each direction) and
// every connected piece encloses its volume facing outwards, a view from
// outside the block meets a front face first along every line of sight: the
// back faces all lie behind front faces, and a picture need not draw them.
// Pieces that all face inwards leave the front faces hidden instead.

#include "../geometry/MeshClass.h"
#include "FanTriangles.h"

#include <numeric>
#include <vector>

namespace {

quint64 mix(quint64 x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// Calls f(a, b) for every edge a -> b of every visible face, in its turn.
template<class F> void forEachFaceEdge(const MeshClass &mesh, F f)
{
    for (int k = 3; k < kFaceSlots; ++k)
        for (qint32 fi = 0; fi < mesh.CountOfViewFaces[k]; ++fi) {
            const qint32 *face = mesh.ViewFaces[k] + qint64(fi) * (k + 3);
            for (int i = 0; i < k; ++i)
                f(face[i], face[(i + 1) % k]);
        }
}

// True when every directed edge is matched by one in the other direction.
// The multisets of edges and reversed edges are compared by a sum of strong
// 64-bit hashes; a false match is as likely as a 64-bit collision.
bool closedUp(const MeshClass &mesh)
{
    quint64 forward = 0, backward = 0;
    forEachFaceEdge(mesh, [&](qint32 a, qint32 b) {
        forward += mix(quint64(quint32(a)) << 32 | quint32(b));
        backward += mix(quint64(quint32(b)) << 32 | quint32(a));
    });
    return forward == backward;
}

// Connected pieces of the faces: a union-find over the vertices.
class Pieces
{
public:
    explicit Pieces(qint32 vertices)
        : parent(size_t(vertices))
    {
        std::iota(parent.begin(), parent.end(), 0);
    }
    qint32 find(qint32 v)
    {
        while (parent[size_t(v)] != v) {
            parent[size_t(v)] = parent[size_t(parent[size_t(v)])]; // halve the path
            v = parent[size_t(v)];
        }
        return v;
    }
    void join(qint32 a, qint32 b)
    {
        a = find(a);
        b = find(b);
        if (a != b)
            parent[size_t(std::max(a, b))] = std::min(a, b);
    }

private:
    std::vector<qint32> parent;
};

} // namespace

OuterSide MeshClass::findOuterSide() const
{
    if (!closedUp(*this))
        return OuterSide::Both;
    Pieces pieces(CountOfVertices);
    forEachFaceEdge(*this, [&](qint32 a, qint32 b) { pieces.join(a, b); });
    // Six times the signed volume of each piece, summed over its fan
    // triangles as tetrahedra on the block's centre.
    std::vector<double> volume(size_t(CountOfVertices), 0.0);
    forEachFanTriangle(*this, [&](qint64, const qint32 *, int, const qint32 *corner) {
        double p[3][3];
        for (int i = 0; i < 3; ++i)
            for (int a = 0; a < 3; ++a)
                p[i][a] = Vertices[3 * qint64(corner[i]) + a] - double(Center[a]);
        volume[size_t(pieces.find(corner[0]))] += p[0][0] * (p[1][1] * p[2][2] - p[1][2] * p[2][1])
            - p[0][1] * (p[1][0] * p[2][2] - p[1][2] * p[2][0])
            + p[0][2] * (p[1][0] * p[2][1] - p[1][1] * p[2][0]);
    });
    bool outwards = false, inwards = false;
    for (qint32 v = 0; v < CountOfVertices; ++v) {
        if (pieces.find(v) != v || volume[size_t(v)] == 0)
            continue; // not the root of a piece, or a flat one seen from both sides anyway
        (volume[size_t(v)] > 0 ? outwards : inwards) = true;
    }
    if (outwards == inwards)
        return OuterSide::Both; // pieces facing both ways, or none with a volume
    return outwards ? OuterSide::Front : OuterSide::Back;
}
