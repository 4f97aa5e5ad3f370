#include "SurfaceSmoother.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// The neighbours every vertex is averaged over, as compressed rows.
struct Neighbours
{
    std::vector<qint64> offsets; // vertex v's neighbours: list[offsets[v]..offsets[v + 1])
    std::vector<qint32> list;
};

// The triangles at every vertex, as compressed rows.
struct Incidence
{
    std::vector<qint64> offsets;
    std::vector<qint32> triangles;
};

Incidence incidence(const LabelSurface &surface)
{
    const qint64 vertices = surface.vertexCount();
    Incidence at;
    at.offsets.assign(size_t(vertices + 1), 0);
    for (qint32 v : surface.triangles)
        ++at.offsets[size_t(v) + 1];
    for (qint64 v = 0; v < vertices; ++v)
        at.offsets[size_t(v + 1)] += at.offsets[size_t(v)];
    at.triangles.resize(surface.triangles.size());
    std::vector<qint64> fill(at.offsets.begin(), at.offsets.end() - 1);
    for (size_t c = 0; c < surface.triangles.size(); ++c)
        at.triangles[size_t(fill[size_t(surface.triangles[c])]++)] = qint32(c / 3);
    return at;
}

// A neighbour of the vertex being looked at, with the pair of labels of the
// first triangle over their edge and whether another pair shares the edge.
struct Near
{
    qint32 vertex;
    quint32 pair;
    bool junction;
};

void addNear(std::vector<Near> &near, qint32 vertex, quint32 pair)
{
    for (Near &n : near)
        if (n.vertex == vertex) {
            n.junction = n.junction || n.pair != pair;
            return;
        }
    near.push_back({vertex, pair, false});
}

// A vertex inside one boundary is averaged over all its neighbours. On an
// edge shared by boundaries of different label pairs it is on a line where
// three or more labels meet: it follows its two neighbours along that line,
// or stays where it is when the line branches or ends there.
Neighbours smoothingNeighbours(const LabelSurface &surface)
{
    const Incidence at = incidence(surface);
    const qint64 vertices = surface.vertexCount();
    Neighbours result;
    result.offsets.assign(size_t(vertices + 1), 0);
    result.list.reserve(surface.triangles.size() * 2);
    std::vector<Near> near;
    for (qint64 v = 0; v < vertices; ++v) {
        near.clear();
        for (qint64 n = at.offsets[size_t(v)]; n < at.offsets[size_t(v + 1)]; ++n) {
            const qint32 t = at.triangles[size_t(n)];
            const quint16 a = surface.inside[size_t(t)], b = surface.outside[size_t(t)];
            const quint32 pair = a < b ? quint32(a) << 16 | b : quint32(b) << 16 | a;
            for (int c = 0; c < 3; ++c) {
                const qint32 u = surface.triangles[size_t(3 * t + c)];
                if (u != qint32(v))
                    addNear(near, u, pair);
            }
        }
        int junctions = 0;
        for (const Near &n : near)
            junctions += n.junction;
        for (const Near &n : near)
            if (junctions == 0 || (junctions == 2 && n.junction))
                result.list.push_back(n.vertex);
        result.offsets[size_t(v + 1)] = qint64(result.list.size());
    }
    return result;
}

// out = the neighbour average of `in` at every vertex.
void average(const Neighbours &near, const std::vector<double> &in, std::vector<double> &out)
{
    const size_t vertices = near.offsets.size() - 1;
    for (size_t v = 0; v < vertices; ++v) {
        const qint64 begin = near.offsets[v], end = near.offsets[v + 1];
        if (begin == end) {
            for (int c = 0; c < 3; ++c)
                out[3 * v + c] = in[3 * v + c];
            continue;
        }
        double sum[3] = {0, 0, 0};
        for (qint64 n = begin; n < end; ++n) {
            const double *p = &in[3 * size_t(near.list[size_t(n)])];
            sum[0] += p[0], sum[1] += p[1], sum[2] += p[2];
        }
        const double scale = 1.0 / double(end - begin);
        for (int c = 0; c < 3; ++c)
            out[3 * v + c] = sum[c] * scale;
    }
}

// Weights of the Chebyshev terms 0..N: the ideal low-pass response up to the
// pass band, under a Hamming window, scaled so a flat region does not move.
std::vector<double> filterWeights(int iterations, double passBand)
{
    const double theta = std::acos(1.0 - passBand);
    std::vector<double> w(size_t(iterations + 1));
    double sum = 0;
    for (int n = 0; n <= iterations; ++n) {
        const double ideal =
            n == 0 ? theta / std::numbers::pi : 2.0 * std::sin(n * theta) / (n * std::numbers::pi);
        const double window = 0.54 + 0.46 * std::cos(n * std::numbers::pi / (iterations + 1));
        w[size_t(n)] = ideal * window;
        sum += w[size_t(n)];
    }
    for (double &x : w)
        x /= sum;
    return w;
}

} // namespace

void smoothLabelSurface(LabelSurface &surface, const SmoothingOptions &options,
                        const std::function<void(double)> &progress)
{
    const int iterations = options.iterations;
    if (iterations < 1 || surface.vertexCount() == 0)
        return;
    const Neighbours near = smoothingNeighbours(surface);
    const std::vector<double> w = filterWeights(iterations, options.passBand);

    // Chebyshev recurrence: T0 = x, T1 = W x, T(n+1) = 2 W T(n) - T(n-1).
    std::vector<double> previous = std::move(surface.xyz);
    std::vector<double> current(previous.size()), next(previous.size());
    std::vector<double> sum(previous.size());
    average(near, previous, current);
    for (size_t c = 0; c < sum.size(); ++c)
        sum[c] = w[0] * previous[c] + w[1] * current[c];
    for (int n = 1; n < iterations; ++n) {
        average(near, current, next);
        const double weight = w[size_t(n + 1)];
        for (size_t c = 0; c < sum.size(); ++c) {
            next[c] = 2.0 * next[c] - previous[c];
            sum[c] += weight * next[c];
        }
        std::swap(previous, current);
        std::swap(current, next);
        if (progress)
            progress(double(n) / iterations);
    }
    surface.xyz = std::move(sum);
}
