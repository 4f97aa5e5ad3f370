#include "LabelVolumeFit.h"

#include "model/Vec3.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace {

using Vec = Vec3;

// The share of the gap to the nearest unjoined vertex a vertex may move.
constexpr double kShareOfGap = 0.45;
constexpr int kUnfoldPasses = 8;

Vec at(const std::vector<double> &xyz, qint32 v)
{
    return {xyz[3 * size_t(v)], xyz[3 * size_t(v) + 1], xyz[3 * size_t(v) + 2]};
}

// The voxel grid as the fit sees it: voxel indices, the first axis turned
// over when the map mirrors, so that triangles keep facing outwards. In this
// frame every map is the grid of unit cubes: the bounds below are in voxels
// along each axis, and thin, uneven or oblique voxels move exactly as cubes
// do. Whether triangles cross is the same in both frames, the map being
// affine, so a surface sound here is sound in the world.
class GridFrame
{
public:
    explicit GridFrame(const Affine &map)
        : voxel(std::fabs(map.determinant()))
    {
        toWorldMap = map;
        const bool mirrors = map.determinant() < 0;
        if (mirrors)
            for (auto &row : toWorldMap.m)
                row[0] = -row[0];
        toGridMap = toWorldMap.inverse();
    }

    // The world points in the grid; false when the map is too near to flat
    // for them to come out finite and within reach of the grid.
    bool toGrid(std::vector<double> &xyz) const
    {
        bool sound = true;
        for (size_t v = 0; v < xyz.size(); v += 3) {
            toGridMap.apply(xyz[v], xyz[v + 1], xyz[v + 2], &xyz[v]);
            for (size_t c = 0; c < 3; ++c)
                sound = sound && std::fabs(xyz[v + c]) < kFarthestIndex;
        }
        return sound;
    }

    void toWorld(std::vector<double> &xyz) const
    {
        for (size_t v = 0; v < xyz.size(); v += 3)
            toWorldMap.apply(xyz[v], xyz[v + 1], xyz[v + 2], &xyz[v]);
    }

    double voxel; // world cubic millimetres of one voxel

private:
    // Far beyond any grid a label map can have, well within the cell keys.
    static constexpr double kFarthestIndex = 1 << 20;

    Affine toWorldMap, toGridMap;
};

// The triangles at every vertex, as compressed rows, to tell whether two
// vertices share a triangle.
struct Adjacency
{
    std::vector<qint64> offsets;
    std::vector<qint32> triangles;
    const LabelSurface &s;

    explicit Adjacency(const LabelSurface &surface)
        : s(surface)
    {
        offsets.assign(size_t(s.vertexCount() + 1), 0);
        for (qint32 v : s.triangles)
            ++offsets[size_t(v) + 1];
        for (size_t v = 1; v < offsets.size(); ++v)
            offsets[v] += offsets[v - 1];
        triangles.resize(s.triangles.size());
        std::vector<qint64> fill(offsets.begin(), offsets.end() - 1);
        for (size_t c = 0; c < s.triangles.size(); ++c)
            triangles[size_t(fill[size_t(s.triangles[c])]++)] = qint32(c / 3);
    }
    bool joined(qint32 a, qint32 b) const
    {
        for (qint64 n = offsets[size_t(a)]; n < offsets[size_t(a) + 1]; ++n) {
            const qint32 *c = s.triangles.data() + 3 * size_t(triangles[size_t(n)]);
            if (c[0] == b || c[1] == b || c[2] == b)
                return true;
        }
        return false;
    }
};

// How far every vertex may move from where the voxels put it, in voxels: a
// little under half the distance to the nearest vertex it shares no
// triangle with, so that parts of the surface that lie close together
// (voxels that touch along an edge, one-voxel sheets, the pieces a cube is
// cut into) cannot move through each other. Vertices are looked up in a
// grid of cells a voxel wide; none farther counts.
std::vector<double> roomToMove(const LabelSurface &s, const std::vector<double> &before)
{
    const qint32 n = qint32(s.vertexCount());
    const Adjacency adjacent(s);
    std::vector<Vec> p(static_cast<size_t>(n));
    std::vector<std::pair<quint64, qint32>> cells(static_cast<size_t>(n));
    const auto key = [](qint64 i, qint64 j, qint64 k) {
        return quint64(i & 0x1fffff) | quint64(j & 0x1fffff) << 21 | quint64(k & 0x1fffff) << 42;
    };
    Vec low = {0, 0, 0};
    for (qint32 v = 0; v < n; ++v) {
        p[size_t(v)] = at(before, v);
        for (size_t a = 0; a < 3; ++a)
            low[a] = v == 0 ? p[0][a] : std::min(low[a], p[size_t(v)][a]);
    }
    // Cells counted from 1, so the cells around every vertex have keys in order.
    const auto cellOf = [&](const Vec &q, size_t a) { return qint64(q[a] - low[a]) + 1; };
    for (qint32 v = 0; v < n; ++v) {
        const Vec &q = p[size_t(v)];
        cells[size_t(v)] = {key(cellOf(q, 0), cellOf(q, 1), cellOf(q, 2)), v};
    }
    std::sort(cells.begin(), cells.end());
    std::vector<double> room(size_t(n), kShareOfGap);
    // Vertices are visited in the order of their keys. A neighbour cell's key
    // is the vertex's own plus a fixed offset, so each of the nine runs of
    // three cells along x starts at or after where it started for the vertex
    // before: nine cursors that only move forward replace a search each.
    std::array<size_t, 9> front {};
    for (const auto &[cell, v] : cells) {
        const Vec &q = p[size_t(v)];
        const qint64 c[3] = {cellOf(q, 0), cellOf(q, 1), cellOf(q, 2)};
        double nearest = 1.0;
        for (size_t d = 0; d < 9; ++d) {
            const qint64 j = c[1] + qint64(d % 3) - 1, k = c[2] + qint64(d / 3) - 1;
            const quint64 first = key(c[0] - 1, j, k), last = key(c[0] + 1, j, k);
            size_t &r = front[d];
            while (r < cells.size() && cells[r].first < first)
                ++r;
            for (size_t t = r; t < cells.size() && cells[t].first <= last; ++t) {
                const qint32 u = cells[t].second;
                const Vec gap = minus(p[size_t(u)], q);
                const double length = std::sqrt(dot(gap, gap));
                if (u != v && length < nearest && !adjacent.joined(v, u))
                    nearest = length;
            }
        }
        room[size_t(v)] = kShareOfGap * nearest;
    }
    return room;
}

// Moves every vertex back into the box of `reach` voxels around its place in
// `before`, and within its room. A vertex that is not a finite point (a map
// too near to flat to invert) goes back to its place.
void clampToReach(std::vector<double> &xyz, const std::vector<double> &before, double reach,
                  const std::vector<double> &room)
{
    for (qint32 v = 0; v < qint32(xyz.size() / 3); ++v) {
        const Vec from = at(before, v);
        Vec step = minus(at(xyz, v), from);
        bool clamped = false;
        for (double &s : step)
            if (std::fabs(s) > reach) {
                s = std::copysign(reach, s);
                clamped = true;
            }
        const double length = std::sqrt(dot(step, step)), most = room[size_t(v)];
        if (!std::isfinite(length)) {
            step = {0, 0, 0};
            clamped = true;
        } else if (length > most) {
            for (double &s : step)
                s *= most / length;
            clamped = true;
        }
        if (!clamped)
            continue;
        for (size_t c = 0; c < 3; ++c)
            xyz[3 * size_t(v) + c] = from[c] + step[c];
    }
}

// Twice the area of triangle t, along its normal, with the vertices `xyz`.
Vec areaNormal(const LabelSurface &s, qint64 t, const std::vector<double> &xyz)
{
    const qint32 *c = s.triangles.data() + 3 * t;
    const Vec p = at(xyz, c[0]);
    return cross(minus(at(xyz, c[1]), p), minus(at(xyz, c[2]), p));
}

Vec areaNormal(const LabelSurface &s, qint64 t)
{
    return areaNormal(s, t, s.xyz);
}

// Where a triangle has turned over against where the voxels put it (a fold:
// it crosses its neighbours), its vertices go halfway back, until none is
// turned over or, after a few passes, all the way back.
void unfold(LabelSurface &s, const std::vector<double> &before)
{
    const size_t vertices = s.xyz.size() / 3;
    std::vector<bool> folded(vertices);
    for (int pass = 0; pass < kUnfoldPasses; ++pass) {
        std::fill(folded.begin(), folded.end(), false);
        bool any = false;
        for (qint64 t = 0; t < s.triangleCount(); ++t)
            if (dot(areaNormal(s, t), areaNormal(s, t, before)) <= 0) {
                any = true;
                for (int c = 0; c < 3; ++c)
                    folded[size_t(s.triangles[size_t(3 * t + c)])] = true;
            }
        if (!any)
            return;
        const double keep = pass + 1 < kUnfoldPasses ? 0.5 : 0.0;
        for (size_t v = 0; v < vertices; ++v)
            if (folded[v])
                for (size_t k = 3 * v; k < 3 * v + 3; ++k)
                    s.xyz[k] = before[k] + keep * (s.xyz[k] - before[k]);
    }
}

// Solves a x = b in place by Gaussian elimination with partial pivoting;
// `a` is n x n, row by row. A row without a pivot gives 0.
std::vector<double> solve(std::vector<double> a, std::vector<double> b, int n)
{
    for (int k = 0; k < n; ++k) {
        int pivot = k;
        for (int r = k + 1; r < n; ++r)
            if (std::fabs(a[size_t(r * n + k)]) > std::fabs(a[size_t(pivot * n + k)]))
                pivot = r;
        if (a[size_t(pivot * n + k)] == 0)
            continue;
        if (pivot != k) {
            std::swap_ranges(a.begin() + k * n, a.begin() + (k + 1) * n, a.begin() + pivot * n);
            std::swap(b[size_t(k)], b[size_t(pivot)]);
        }
        for (int r = k + 1; r < n; ++r) {
            const double f = a[size_t(r * n + k)] / a[size_t(k * n + k)];
            if (f == 0)
                continue;
            for (int c = k; c < n; ++c)
                a[size_t(r * n + c)] -= f * a[size_t(k * n + c)];
            b[size_t(r)] -= f * b[size_t(k)];
        }
    }
    std::vector<double> x(size_t(n), 0.0);
    for (int k = n - 1; k >= 0; --k) {
        const double d = a[size_t(k * n + k)];
        if (d == 0)
            continue;
        double sum = b[size_t(k)];
        for (int c = k + 1; c < n; ++c)
            sum -= a[size_t(k * n + c)] * x[size_t(c)];
        x[size_t(k)] = sum / d;
    }
    return x;
}

// The push of every label (index 0, the background, 0): the boundary between
// labels a and b moves by push[a] - push[b] along its normal, and a label's
// volume grows by the sum over its boundaries of their area times that.
std::vector<double> pushes(const LabelSurface &s, const std::vector<double> &missing, int labels)
{
    const int n = labels;
    std::vector<double> a(size_t(n) * size_t(n), 0.0);
    for (qint64 t = 0; t < s.triangleCount(); ++t) {
        const Vec normal = areaNormal(s, t);
        const double area = 0.5 * std::sqrt(dot(normal, normal));
        const int i = s.inside[size_t(t)] - 1, o = s.outside[size_t(t)] - 1;
        for (const auto &[p, q] : {std::pair {i, o}, std::pair {o, i}})
            if (p >= 0) {
                a[size_t(p * n + p)] += area;
                if (q >= 0)
                    a[size_t(p * n + q)] -= area;
            }
    }
    std::vector<double> push = solve(std::move(a), {missing.begin() + 1, missing.end()}, n);
    push.insert(push.begin(), 0.0);
    return push;
}

// Moves every vertex inside one boundary (all its triangles between the
// same two labels) by the area-weighted mean of the moves of its triangles.
// Vertices on the lines where three or more labels meet stay: moving them
// along normals of different boundaries folds the triangles there. No
// vertex moves more than a third of its shortest edge in one round, so no
// triangle turns over.
void applyPushes(LabelSurface &s, const std::vector<double> &push)
{
    const size_t vertices = s.xyz.size() / 3;
    std::vector<double> move(s.xyz.size(), 0.0), weight(vertices, 0.0);
    std::vector<double> shortest(vertices, std::numeric_limits<double>::infinity());
    std::vector<quint32> pair(vertices, 0);
    std::vector<bool> junction(vertices, false);
    for (qint64 t = 0; t < s.triangleCount(); ++t) {
        const quint16 in = s.inside[size_t(t)], out = s.outside[size_t(t)];
        const quint32 labels = in < out ? quint32(in) << 16 | out : quint32(out) << 16 | in;
        const Vec normal = areaNormal(s, t);
        const double twiceArea = std::sqrt(dot(normal, normal));
        const double shift = push[in] - push[out];
        for (int c = 0; c < 3; ++c) {
            const size_t v = size_t(s.triangles[size_t(3 * t + c)]);
            const Vec edge =
                minus(at(s.xyz, qint32(v)), at(s.xyz, s.triangles[size_t(3 * t + (c + 1) % 3)]));
            shortest[v] = std::min(shortest[v], std::sqrt(dot(edge, edge)));
            junction[v] = junction[v] || (pair[v] != 0 && pair[v] != labels);
            pair[v] = labels;
            weight[v] += twiceArea;
            for (int k = 0; k < 3; ++k)
                move[3 * v + size_t(k)] += shift * normal[size_t(k)];
        }
    }
    for (size_t v = 0; v < vertices; ++v) {
        if (weight[v] == 0 || junction[v])
            continue;
        Vec step = {move[3 * v] / weight[v], move[3 * v + 1] / weight[v],
                    move[3 * v + 2] / weight[v]};
        const double length = std::sqrt(dot(step, step)), most = shortest[v] / 3;
        for (int k = 0; k < 3; ++k)
            s.xyz[3 * v + size_t(k)] += step[size_t(k)] * (length > most ? most / length : 1.0);
    }
}

// The fit in the grid frame, `before` and `target` in voxels: the smoothing
// bounded, then the labels' volumes fitted round by round.
void fitInGrid(LabelSurface &surface, const std::vector<double> &before,
               const std::vector<double> &target, const FitOptions &options)
{
    const std::vector<double> room = roomToMove(surface, before);
    clampToReach(surface.xyz, before, options.smoothingReach, room);
    unfold(surface, before);
    const int labels = int(target.size()) - 1;
    for (int round = 0; round < options.rounds; ++round) {
        const std::vector<double> now = enclosedVolumes(surface, labels);
        std::vector<double> missing(target.size(), 0.0);
        bool fitted = true;
        for (size_t l = 1; l < target.size(); ++l) {
            missing[l] = target[l] - now[l];
            fitted = fitted && std::fabs(missing[l]) <= options.tolerance * target[l];
        }
        if (fitted)
            break;
        applyPushes(surface, pushes(surface, missing, labels));
        clampToReach(surface.xyz, before, options.totalReach, room);
        unfold(surface, before);
    }
}

} // namespace

std::vector<double> voxelVolumes(const LabelVolume &volume)
{
    std::vector<double> result(size_t(volume.count() + 1), 0.0);
    for (quint16 l : volume.labels)
        result[l] += 1;
    const double voxel = std::fabs(volume.toWorld.determinant());
    for (double &v : result)
        v *= voxel;
    result[0] = 0;
    return result;
}

std::vector<double> enclosedVolumes(const LabelSurface &surface, int labelCount)
{
    std::vector<double> result(size_t(labelCount + 1), 0.0);
    if (surface.xyz.empty())
        return result;
    // Tetrahedra from the first vertex keep the sums small where the
    // surface lies far from the origin.
    const Vec origin = at(surface.xyz, 0);
    for (qint64 t = 0; t < surface.triangleCount(); ++t) {
        const qint32 *c = surface.triangles.data() + 3 * t;
        const Vec p = minus(at(surface.xyz, c[0]), origin),
                  q = minus(at(surface.xyz, c[1]), origin),
                  r = minus(at(surface.xyz, c[2]), origin);
        const double v = dot(p, cross(q, r)) / 6;
        result[surface.inside[size_t(t)]] += v;
        result[surface.outside[size_t(t)]] -= v;
    }
    result[0] = 0;
    return result;
}

void fitLabelVolumes(LabelSurface &surface, const std::vector<double> &before,
                     const Affine &toWorld, const std::vector<double> &target,
                     const FitOptions &options)
{
    if (surface.triangleCount() == 0 || before.size() != surface.xyz.size())
        return;
    const GridFrame frame(toWorld);
    std::vector<double> grid = before;
    if (!frame.toGrid(grid)) {
        // No frame to bound the movement in: the boundaries stay where the
        // voxels put them.
        surface.xyz = before;
        return;
    }
    frame.toGrid(surface.xyz);
    std::vector<double> voxels(target.size());
    for (size_t l = 0; l < target.size(); ++l)
        voxels[l] = target[l] / frame.voxel;
    fitInGrid(surface, grid, voxels, options);
    frame.toWorld(surface.xyz);
}
