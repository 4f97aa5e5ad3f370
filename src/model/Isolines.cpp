#include "Isolines.h"

#include "../geometry/Alloc.h"
#include "MaterialColor.h"
#include "ModelClass.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool hasFunctionTriangles(const BasicClass &block)
{
    return block.CountOfTriVertices >= 3 && block.TriVertices && block.TriTexCoords;
}

void releaseIsolines(BasicClass &block)
{
    freeArray(block.IsoVertices);
    freeArray(block.IsoColors);
    block.CountOfIsoVertices = 0;
}

// Allocates room for `points` isoline points; on failure the block is left
// without isolines and false is returned.
bool allocIsolines(BasicClass &block, qint64 points)
{
    const qint32 status = runGuarded(nullptr, [&] {
        block.IsoVertices = allocArray<float>(3 * points);
        block.IsoColors = allocArray<Rgba8>(points);
    });
    if (status == errNone)
        return true;
    releaseIsolines(block);
    return false;
}

// The point of edge a-b where the normalised value equals `level`.
void pointOnEdge(const float *pa, const float *pb, double ta, double tb, double level, float *out)
{
    double da = level - ta, db = level - tb;
    if (da == db) {
        da = 0;
        db = 1;
    }
    for (int a = 0; a < 3; ++a)
        out[a] = float((pa[a] * db - pb[a] * da) / (db - da));
}

// How the colour bands cross one triangle: its corners ordered by value and
// the number of band boundaries between lo and hi (c1) and mid and hi (c2).
struct TriangleBands
{
    int lo = 0, mid = 1, hi = 2;
    qint64 c1 = 0, c2 = 0;
    int firstLevel = 0;
};

TriangleBands bandsOf(const float t[3], qint32 bands)
{
    // Values beyond the palette are drawn in its end colours, so no band
    // boundary lies further out than one band past either end; the clamp
    // also keeps the counts within range for wild values.
    double s[3];
    for (int i = 0; i < 3; ++i)
        s[i] = std::fmin(std::fmax(double(float(bands) * t[i]), -1.0), bands + 1.0);
    TriangleBands b;
    b.lo = 0;
    for (int i = 1; i < 3; ++i)
        if (s[i] < s[b.lo])
            b.lo = i;
    b.hi = 2;
    for (int i = 1; i >= 0; --i)
        if (s[i] > s[b.hi])
            b.hi = i;
    b.mid = 3 - b.lo - b.hi;
    const qint64 top = qint64(std::floor(s[b.hi]));
    b.c1 = std::max<qint64>(0, top - qint64(std::floor(s[b.lo])));
    b.c2 = std::max<qint64>(0, top - qint64(std::floor(s[b.mid])));
    const qint64 truncated = qint64(std::trunc(s[b.lo]));
    b.firstLevel = truncated < bands ? int(std::max<qint64>(0, truncated + 1)) : 0;
    return b;
}

// The colour of the line between palette band `level` and the one below:
// the mean of the two palette colours, hue cycle of `period` colours.
Rgba8 bandColour(int level, qint32 bands, qint32 period, float alpha, float value)
{
    int k = bands - level;
    if (k >= period)
        k %= period;
    const double step = 240.0 / (period - 1);
    double upper[3], lower[3];
    hsvToRgb(k * step, 1.0, value, upper[0], upper[1], upper[2]);
    hsvToRgb((k - 1) * step, 1.0, value, lower[0], lower[1], lower[2]);
    Rgba8 colour;
    for (int c = 0; c < 3; ++c)
        colour[c] = quint8(std::clamp(255.0 * (upper[c] + lower[c]) / 2.0, 0.0, 255.0));
    colour[3] = quint8(std::clamp(alpha, 0.0f, 255.0f));
    return colour;
}

// The crossing points of a triangle with the level: on every edge whose end
// values enclose it, in corner order. When a corner lies on the level and
// three points result, the two farthest apart form the segment.
void crossingSegment(const float *corners, const float t[3], double level, float *out)
{
    float points[3][3];
    int found = 0;
    for (int e = 0; e < 3; ++e) {
        const int a = e, b = (e + 1) % 3;
        const double ta = t[a], tb = t[b];
        if ((ta - level) * (tb - level) > 0)
            continue;
        const double u = ta == tb ? 0.0 : (level - ta) / (tb - ta);
        for (int k = 0; k < 3; ++k)
            points[found][k] =
                float(corners[3 * a + k] + u * (corners[3 * b + k] - corners[3 * a + k]));
        ++found;
    }
    int first = 0, second = found > 1 ? 1 : 0;
    if (found == 3) {
        auto distance = [&](int i, int j) {
            double d = 0;
            for (int k = 0; k < 3; ++k)
                d += double(points[i][k] - points[j][k]) * (points[i][k] - points[j][k]);
            return d;
        };
        const int pairs[3][2] = {{0, 1}, {0, 2}, {1, 2}};
        double best = -1;
        for (const auto &pair : pairs)
            if (distance(pair[0], pair[1]) > best) {
                best = distance(pair[0], pair[1]);
                first = pair[0];
                second = pair[1];
            }
    }
    std::copy_n(points[first], 3, out);
    std::copy_n(points[second], 3, out + 3);
}

} // namespace

void generateLines(BasicClass &block, qint32 bands, qint32 period, float alpha, float value)
{
    if (!hasFunctionTriangles(block))
        return;
    releaseIsolines(block);
    period = std::max(period, 2);
    const qint64 triangles = block.CountOfTriVertices / 3;
    qint64 segments = 0;
    for (qint64 tri = 0; tri < triangles; ++tri)
        segments += bandsOf(block.TriTexCoords + 3 * tri, bands).c1;
    qCDebug(lcTrace) << "generateLines, width =" << bands << 2 * segments;
    if (segments == 0 || 2 * segments > std::numeric_limits<qint32>::max()
        || !allocIsolines(block, 2 * segments))
        return;
    float *point = block.IsoVertices;
    Rgba8 *colour = block.IsoColors;
    for (qint64 tri = 0; tri < triangles; ++tri) {
        const float *t = block.TriTexCoords + 3 * tri;
        const float *p = block.TriVertices + 9 * tri;
        const TriangleBands b = bandsOf(t, bands);
        for (qint64 m = 0; m < b.c1; ++m) {
            const int level = b.firstLevel + int(m);
            const double lambda = double(level) / bands;
            pointOnEdge(p + 3 * b.lo, p + 3 * b.hi, t[b.lo], t[b.hi], lambda, point);
            if (m < b.c1 - b.c2)
                pointOnEdge(p + 3 * b.lo, p + 3 * b.mid, t[b.lo], t[b.mid], lambda, point + 3);
            else
                pointOnEdge(p + 3 * b.mid, p + 3 * b.hi, t[b.mid], t[b.hi], lambda, point + 3);
            colour[0] = colour[1] = bandColour(level, bands, period, alpha, value);
            point += 6;
            colour += 2;
        }
    }
    block.CountOfIsoVertices = qint32(2 * segments);
}

bool generateLines(BasicClass &block, double level)
{
    if (!hasFunctionTriangles(block))
        return false;
    releaseIsolines(block);
    const qint64 triangles = block.CountOfTriVertices / 3;
    auto crosses = [&](const float *t) {
        return std::min({t[0], t[1], t[2]}) <= level && level <= std::max({t[0], t[1], t[2]});
    };
    qint64 crossing = 0;
    for (qint64 tri = 0; tri < triangles; ++tri)
        crossing += crosses(block.TriTexCoords + 3 * tri) ? 1 : 0;
    qCDebug(lcTrace) << "generateLines, func =" << level << ", count =" << crossing;
    if (crossing > 0 && allocIsolines(block, 2 * crossing)) {
        float *point = block.IsoVertices;
        for (qint64 tri = 0; tri < triangles; ++tri) {
            const float *t = block.TriTexCoords + 3 * tri;
            if (!crosses(t))
                continue;
            crossingSegment(block.TriVertices + 9 * tri, t, level, point);
            point += 6;
        }
        // Black; isolines are drawn without blending, so the low alpha byte
        // does not show.
        std::fill_n(block.IsoColors, 2 * crossing, Rgba8 {0, 0, 0, 1});
        block.CountOfIsoVertices = qint32(2 * crossing);
    }
    return true;
}

void ModelClass::generateIsolines(qint32 bands, qint32 period, float alpha, float value)
{
    for (MeshClass *mesh : std::as_const(Meshes))
        generateLines(*mesh, bands, period, alpha, value);
}

QList<const MeshClass *> ModelClass::generateIsoline(double level)
{
    QList<const MeshClass *> lined;
    for (MeshClass *mesh : std::as_const(Meshes))
        if (generateLines(*mesh, level))
            lined << mesh;
    return lined;
}
