#include "LabelSurface.h"

#include "ImportTypes.h"

#include <algorithm>
#include <array>
#include <bit>
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
// centres of its faces, 18 its centre, then the apexes of the pieces cut off
// around the centre (see Extractor::cone).
constexpr int kFaceCentre = 12;
constexpr int kCubeCentre = 18;
constexpr int kFirstApex = 19;
constexpr int kMaxCuts = 8;
constexpr int kMaxApexes = 16; // cut-off pieces and centres of separate fans
constexpr int kLocalVertices = kFirstApex + kMaxApexes;

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

// Twice the position of an edge midpoint or a face centre.
Twice onCube(int local)
{
    if (local < kFaceCentre)
        return edgeMidpoint(local);
    const int f = local - kFaceCentre, axis = f / 2, side = f & 1;
    int t[3] = {1, 1, 1};
    t[axis] = 2 * side;
    return {t[0], t[1], t[2]};
}

// A piece of the boundary on a cube face, from vertex `from` to `to` (local
// numbers), with label `right` on its right seen from outside the cube and
// the corners on either side of it.
struct Segment
{
    int from, to;
    quint16 right, left;
    int rightCorner, leftCorner;
};

// The corners of a cube joined into the regions of their labels on the
// cube's surface.
struct CornerRegions
{
    int parent[8] = {0, 1, 2, 3, 4, 5, 6, 7};

    int find(int c)
    {
        while (parent[c] != c)
            c = parent[c] = parent[parent[c]];
        return c;
    }
    void join(int a, int b) { parent[find(a)] = find(b); }
};

// A triangle inside one cube by local vertex numbers: the inside of a cube
// is tried in several ways and checked before one is kept.
struct LocalTriangle
{
    int v[3];
    quint16 in, out;
};

// The fan of every triangle at `vertex` (triangles sharing an edge there
// are one fan), numbered from 0; -1 for triangles not at it.
std::vector<int> fansAt(const std::vector<LocalTriangle> &triangles, int vertex)
{
    const size_t n = triangles.size();
    std::vector<int> parent(n, -1);
    const auto has = [](const LocalTriangle &t, int v) {
        return t.v[0] == v || t.v[1] == v || t.v[2] == v;
    };
    for (size_t t = 0; t < n; ++t)
        if (has(triangles[t], vertex))
            parent[t] = int(t);
    const auto root = [&](int t) {
        while (parent[size_t(t)] != t)
            t = parent[size_t(t)];
        return t;
    };
    for (size_t a = 0; a < n; ++a)
        for (size_t b = a + 1; b < n && parent[a] >= 0; ++b) {
            if (parent[b] < 0)
                continue;
            for (int c : triangles[a].v)
                if (c != vertex && has(triangles[b], c))
                    parent[size_t(root(int(b)))] = root(int(a));
        }
    std::vector<int> fan(n, -1), number(n, -1);
    int fans = 0;
    for (size_t t = 0; t < n; ++t)
        if (parent[t] >= 0) {
            int &r = number[size_t(root(int(t)))];
            if (r < 0)
                r = fans++;
            fan[t] = r;
        }
    return fan;
}

// True when every label's triangles inside one cube fit together: each edge
// that reaches inside (an end at the centre or an apex) has none or two of
// the label's triangles, running along it in opposite directions, and at
// every vertex the label's triangles make one fan. Edges on the cube's
// faces are closed by the cube beside it.
bool manifoldInside(const std::vector<LocalTriangle> &triangles)
{
    std::vector<quint16> labels;
    for (const LocalTriangle &t : triangles)
        labels.insert(labels.end(), {t.in, t.out});
    std::sort(labels.begin(), labels.end());
    labels.erase(std::unique(labels.begin(), labels.end()), labels.end());
    std::vector<LocalTriangle> mine;
    for (quint16 label : labels) {
        mine.clear();
        unsigned char count[kLocalVertices][kLocalVertices] = {};
        for (const LocalTriangle &t : triangles) {
            if (t.in != label && t.out != label)
                continue;
            const bool turned = t.out == label;
            mine.push_back(t);
            for (int c = 0; c < 3; ++c) {
                const int a = t.v[c], b = t.v[(c + (turned ? 2 : 1)) % 3];
                ++count[a][b];
            }
        }
        for (int a = kCubeCentre; a < kLocalVertices; ++a)
            for (int b = 0; b < kLocalVertices; ++b)
                if (count[a][b] > 1 || count[b][a] > 1 || count[a][b] != count[b][a])
                    return false;
        bool used[kLocalVertices] = {};
        for (const LocalTriangle &t : mine)
            for (int c : t.v)
                used[c] = true;
        for (int v = 0; v < kLocalVertices; ++v) {
            if (!used[v])
                continue;
            const std::vector<int> fan = fansAt(mine, v);
            if (std::count(fan.begin(), fan.end(), 1) > 0)
                return false;
        }
    }
    return true;
}

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
        regions = CornerRegions();
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

    // The boundary pieces on one face of the cube, and which corners of the
    // face are one region.
    void faceSegments(int f, const quint16 labels[8])
    {
        const int *c = kFaceCorners[f];
        const quint16 l[4] = {labels[c[0]], labels[c[1]], labels[c[2]], labels[c[3]]};
        int cuts[4], count = 0;
        for (int e = 0; e < 4; ++e) {
            if (l[e] != l[(e + 1) & 3])
                cuts[count++] = e;
            else
                regions.join(c[e], c[(e + 1) & 3]);
        }
        const auto mid = [&](int e) { return edgeBetween(c[e], c[(e + 1) & 3]); };
        // Corner n alone in its region: the piece from the edge before it to
        // the edge after it has it on the right.
        const auto isolate = [&](int n) {
            const int after = (n + 1) & 3;
            segments.push_back({mid((n + 3) & 3), mid(n), l[n], l[after], c[n], c[after]});
        };
        if (count == 2) {
            const int a = (cuts[0] + 1) & 3, b = (cuts[1] + 1) & 3;
            segments.push_back({mid(cuts[0]), mid(cuts[1]), l[a], l[b], c[a], c[b]});
        } else if (count == 4 && (l[0] == l[2] || l[1] == l[3])) {
            // The equal diagonal is connected; when both are equal, the larger label's.
            const bool evenConnected = l[0] == l[2] && (l[1] != l[3] || l[0] > l[1]);
            const int first = evenConnected ? 1 : 0;
            regions.join(c[first + 1], c[(first + 3) & 3]);
            isolate(first);
            isolate(first + 2);
        } else if (count >= 3) {
            for (int n = 0; n < count; ++n) {
                const int e = cuts[n], after = (e + 1) & 3;
                segments.push_back({kFaceCentre + f, mid(e), l[e], l[after], c[e], c[after]});
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
    // the triangles stay close to the surface marching cubes would make. A
    // diagonal never runs along a face of the cube: the cube beside it could
    // draw the same one, and the edge would have four triangles. What no
    // such ear can span is spanned around the cube's centre.
    void spanLoop(int *loop, int n, quint16 a, quint16 b)
    {
        Twice at[12];
        for (int m = 0; m < n; ++m)
            at[m] = edgeMidpoint(loop[m]);
        while (n > 3) {
            int best = -1, shortest = std::numeric_limits<int>::max();
            for (int m = 0; m < n; ++m) {
                const Twice &p = at[(m + n - 1) % n], &q = at[(m + 1) % n];
                const int d = squaredDistance(p, q);
                if (d < shortest && !onOneFace(p, q))
                    shortest = d, best = m;
            }
            if (best < 0) {
                for (int m = 0; m < n; ++m)
                    addTriangle(loop[m], loop[(m + 1) % n], kCubeCentre, a, b);
                return;
            }
            addTriangle(loop[(best + n - 1) % n], loop[best], loop[(best + 1) % n], a, b);
            std::copy(loop + best + 1, loop + n, loop + best);
            std::copy(at + best + 1, at + n, at + best);
            --n;
        }
        if (n == 3)
            addTriangle(loop[0], loop[1], loop[2], a, b);
    }

    // Two points of the cube's surface on one face: a coordinate of both
    // at 0 or at 2 (twice the cube's side).
    static bool onOneFace(const Twice &p, const Twice &q)
    {
        return (p.x == q.x && p.x != 1) || (p.y == q.y && p.y != 1) || (p.z == q.z && p.z != 1);
    }

    // A boundary loop of one label on the cube's surface: the segments with
    // the label on their right when walked in order (`reversed` for those
    // stored the other way round), and the region of corners it bounds.
    struct Loop
    {
        quint16 label;
        int region;
        std::vector<int> segments;
        std::vector<bool> reversed;
    };

    std::vector<Loop> labelLoops()
    {
        std::vector<Loop> found;
        for (size_t first = 0; first < segments.size(); ++first)
            for (const bool rev : {false, true}) {
                const Segment &s0 = segments[first];
                const quint16 label = rev ? s0.left : s0.right;
                if (std::any_of(found.begin(), found.end(), [&](const Loop &l) {
                        return l.label == label
                            && std::find(l.segments.begin(), l.segments.end(), int(first))
                            != l.segments.end();
                    }))
                    continue;
                found.push_back(walkLoop(int(first), label));
            }
        return found;
    }

    // Follows the boundary of `label` from segment `first`.
    Loop walkLoop(int first, quint16 label)
    {
        Loop loop {label, -1, {}, {}};
        int at = first;
        for (size_t guard = 0; guard <= segments.size(); ++guard) {
            const Segment &s = segments[size_t(at)];
            const bool rev = s.right != label;
            if (loop.region < 0)
                loop.region = regions.find(rev ? s.leftCorner : s.rightCorner);
            loop.segments.push_back(at);
            loop.reversed.push_back(rev);
            const int end = rev ? s.from : s.to;
            int following = -1;
            for (size_t n = 0; n < segments.size() && following < 0; ++n) {
                const Segment &t = segments[n];
                if ((t.right == label && t.from == end) || (t.left == label && t.to == end))
                    following = int(n);
            }
            if (following < 0 || following == first)
                break;
            at = following;
        }
        return loop;
    }

    // Three or more labels: every piece spans a triangle with the cube's
    // centre. A label whose boundary on the cube is more than one loop would
    // meet itself at the centre in a point (a pinched, not manifold vertex);
    // so pieces of the cube bounded by one loop are cut off around apexes of
    // their own, until every label has one loop around the centre. Regions
    // of one label that meet only at the centre (voxels that touch at a
    // corner, or along an edge where the face rule keeps them apart) are
    // separate pieces, as the label's components are counted over voxels
    // that share a face. The rule's cuts are checked; where they leave a
    // label pinched or an edge with more than two of its triangles, other
    // sets of cuts are tried, and the first that makes the inside sound is
    // kept.
    void cone()
    {
        const std::vector<Loop> loops = labelLoops();
        const std::vector<int> byRule = cutsByRule(loops);
        if (!fillInside(loops, byRule) && !searchCuts(loops))
            fillInside(loops, byRule);
        for (const LocalTriangle &t : pending)
            addTriangle(t.v[0], t.v[1], t.v[2], t.in, t.out);
    }

    // The loops the rule cuts off, in order.
    std::vector<int> cutsByRule(const std::vector<Loop> &loops) const
    {
        std::vector<int> apex(segments.size(), -1), cuts;
        while (int(cuts.size()) < kMaxCuts) {
            const int detach = loopToDetach(loops, apex);
            if (detach < 0)
                break;
            for (int s : loops[size_t(detach)].segments)
                apex[size_t(s)] = int(cuts.size());
            cuts.push_back(detach);
        }
        return cuts;
    }

    // Cuts of up to five loops that share no segment, fewest first.
    bool searchCuts(const std::vector<Loop> &loops)
    {
        const int n = std::min(int(loops.size()), 12);
        for (int size = 1; size <= 5; ++size)
            for (quint32 mask = 1; mask < 1u << n; ++mask) {
                if (std::popcount(mask) != size || sharesSegments(loops, mask))
                    continue;
                std::vector<int> cuts;
                for (int l = 0; l < n; ++l)
                    if (mask >> l & 1)
                        cuts.push_back(l);
                if (fillInside(loops, cuts))
                    return true;
            }
        return false;
    }

    static bool sharesSegments(const std::vector<Loop> &loops, quint32 mask)
    {
        std::vector<int> used;
        for (size_t l = 0; l < loops.size() && l < 32; ++l)
            if (mask >> l & 1)
                used.insert(used.end(), loops[l].segments.begin(), loops[l].segments.end());
        std::sort(used.begin(), used.end());
        return std::adjacent_find(used.begin(), used.end()) != used.end();
    }

    // The inside of the cube with `cuts` cut off, into `pending`; the centre
    // split where its triangles make separate fans. True when it is sound.
    bool fillInside(const std::vector<Loop> &loops, const std::vector<int> &cuts)
    {
        pending.clear();
        apexCount = 0;
        std::vector<int> apex(segments.size(), -1);
        for (int c : cuts)
            cutOff(loops[size_t(c)], apex);
        for (size_t n = 0; n < segments.size(); ++n) {
            const Segment &s = segments[n];
            pending.push_back({{s.from, s.to, apex[n] < 0 ? kCubeCentre : kFirstApex + apex[n]},
                               s.right,
                               s.left});
        }
        splitCentre();
        return manifoldInside(pending) && insideApart();
    }

    // No two vertices inside the cube at one place: coincident vertices
    // would be one point of the surface, pinched again.
    bool insideApart() const
    {
        bool used[kLocalVertices] = {};
        for (const LocalTriangle &t : pending)
            for (int c : t.v)
                used[c] = true;
        const auto place = [&](int v, int &d) {
            d = v == kCubeCentre ? 2 : apexDivisor[v - kFirstApex];
            return v == kCubeCentre ? Twice {1, 1, 1} : apexes[v - kFirstApex];
        };
        for (int a = kCubeCentre; a < kLocalVertices; ++a)
            for (int b = a + 1; b < kLocalVertices; ++b) {
                if (!used[a] || !used[b])
                    continue;
                int da = 0, db = 0;
                const Twice p = place(a, da), q = place(b, db);
                if (p.x * db == q.x * da && p.y * db == q.y * da && p.z * db == q.z * da)
                    return false;
            }
        return true;
    }

    // Where the triangles at the centre make separate fans (sheets that
    // touch only there), each fan gets a centre of its own, a third of the
    // way towards the middle of its vertices on the cube's faces, so the
    // sheets are apart.
    void splitCentre()
    {
        const std::vector<int> fan = fansAt(pending, kCubeCentre);
        const int fans = fan.empty() ? 0 : *std::max_element(fan.begin(), fan.end()) + 1;
        if (fans < 2 || apexCount + fans > kMaxApexes)
            return;
        std::vector<std::array<int, 4>> sum(size_t(fans), {0, 0, 0, 0});
        for (size_t t = 0; t < pending.size(); ++t)
            if (fan[t] >= 0)
                for (int c : pending[t].v)
                    if (c < kCubeCentre) {
                        const Twice p = onCube(c);
                        std::array<int, 4> &s = sum[size_t(fan[t])];
                        s[0] += p.x, s[1] += p.y, s[2] += p.z, ++s[3];
                    }
        const int first = apexCount;
        for (const std::array<int, 4> &s : sum) {
            apexes[apexCount] = {2 * s[3] + s[0], 2 * s[3] + s[1], 2 * s[3] + s[2]};
            apexDivisor[apexCount++] = 6 * s[3];
        }
        for (size_t t = 0; t < pending.size(); ++t)
            for (int &c : pending[t].v)
                if (c == kCubeCentre)
                    c = kFirstApex + first + fan[t];
    }

    static bool atCentre(const Loop &loop, const std::vector<int> &apex)
    {
        return std::all_of(loop.segments.begin(), loop.segments.end(),
                           [&](int s) { return apex[size_t(s)] < 0; });
    }

    // A loop still at the centre that bounds a region of its own (a disc:
    // no other loop bounds that region), of a label that has another loop
    // at the centre, or one whose other side is such a label's region with
    // two or more loops (a ring, filled by cutting off what it encloses).
    int loopToDetach(const std::vector<Loop> &loops, const std::vector<int> &apex) const
    {
        const auto loopsAtCentre = [&](quint16 label) {
            return std::count_if(loops.begin(), loops.end(), [&](const Loop &l) {
                return l.label == label && atCentre(l, apex);
            });
        };
        const auto isDisc = [&](const Loop &loop) {
            return std::count_if(loops.begin(), loops.end(),
                                 [&](const Loop &l) {
                                     return l.label == loop.label && l.region == loop.region;
                                 })
                == 1;
        };
        for (size_t n = 0; n < loops.size(); ++n) {
            const Loop &loop = loops[n];
            if (!atCentre(loop, apex) || !isDisc(loop))
                continue;
            if (loopsAtCentre(loop.label) > 1)
                return int(n);
            for (size_t m = 0; m < loops.size(); ++m)
                if (m != n && loops[m].label != loop.label && loopsAtCentre(loops[m].label) > 1
                    && loops[m].segments.size() == loop.segments.size()
                    && std::is_permutation(loop.segments.begin(), loop.segments.end(),
                                           loops[m].segments.begin()))
                    return int(n);
        }
        return -1;
    }

    // Cuts the region inside `loop` off the centre: its segments span
    // triangles with an apex of their own, between the loop and the centre,
    // and where the label beyond the loop changes, a triangle from there to
    // the apex and the centre divides what lies between them.
    void cutOff(const Loop &loop, std::vector<int> &apex)
    {
        const int number = apexCount++;
        for (int s : loop.segments)
            apex[size_t(s)] = number;
        // Halfway from the centre to the middle of the corners the loop
        // encloses, inside the piece it cuts off: the middle of the loop
        // itself lies near the centre when the loop is long.
        int sum[3] = {0, 0, 0}, corners = 0;
        for (int c = 0; c < 8; ++c)
            if (regions.find(c) == loop.region) {
                sum[0] += 2 * (c & 1), sum[1] += 2 * (c >> 1 & 1), sum[2] += 2 * (c >> 2 & 1);
                ++corners;
            }
        apexes[number] = {corners + sum[0], corners + sum[1], corners + sum[2]};
        apexDivisor[number] = 4 * corners;
        const size_t count = loop.segments.size();
        for (size_t n = 0; n < count; ++n) {
            const size_t m = (n + 1) % count;
            const Segment &in = segments[size_t(loop.segments[n])];
            const Segment &out = segments[size_t(loop.segments[m])];
            const quint16 before = loop.reversed[n] ? in.right : in.left;
            const quint16 after = loop.reversed[m] ? out.right : out.left;
            const int at = loop.reversed[n] ? in.from : in.to;
            if (before != after)
                pending.push_back({{at, kFirstApex + number, kCubeCentre}, before, after});
        }
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
        } else if (local >= kFirstApex) {
            const int a = local - kFirstApex;
            const double d = apexDivisor[a];
            p[0] = double(x) + apexes[a].x / d;
            p[1] = double(y) + apexes[a].y / d;
            p[2] = double(z) + apexes[a].z / d;
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
    CornerRegions regions;
    std::vector<LocalTriangle> pending; // the inside of the cube being filled
    int apexCount = 0;
    Twice apexes[kMaxApexes]; // positions times apexDivisor
    int apexDivisor[kMaxApexes] = {};
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
