// Drawing data of an unstructured block: visible faces with inner faces
// removed, selection faces, fan triangles with normals, colours and texture
// coordinates, edge lines, drawn points and border edges.

#include "../geometry/Alloc.h"
#include "../geometry/MeshClass.h"
#include "../geometry/RadixSort.h"
#include "FanTriangles.h"
#include "MaterialColor.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <unordered_map>
#include <vector>

namespace {

// A face of a volume cell while matching: its sorted vertex numbers and
// material are the key; the position in the table breaks ties so that runs
// keep the order in which faces were emitted.
template<int K> struct FaceKey
{
    qint32 sorted[K];
    qint32 material;
    qint32 position;

    bool operator<(const FaceKey &o) const
    {
        for (int i = 0; i < K; ++i)
            if (sorted[i] != o.sorted[i])
                return sorted[i] < o.sorted[i];
        if (material != o.material)
            return material < o.material;
        return position < o.position;
    }
    bool sameFace(const FaceKey &o) const
    {
        return std::equal(sorted, sorted + K, o.sorted) && material == o.material;
    }
};

// Faces of the volume cells that take part, collected per face size K as
// records of K vertices followed by `extra` integers.
template<int K> struct FaceTableBuilder
{
    int extra;
    std::vector<qint32> records;
    std::vector<FaceKey<K>> keys;

    void add(const qint32 *nodes, const int *local, const qint32 *tail)
    {
        FaceKey<K> key;
        for (int i = 0; i < K; ++i) {
            records.push_back(nodes[local[i]]);
            key.sorted[i] = nodes[local[i]];
        }
        records.insert(records.end(), tail, tail + extra);
        std::sort(key.sorted, key.sorted + K);
        key.material = extra > 0 ? tail[0] : 0;
        key.position = qint32(keys.size());
        keys.push_back(key);
    }

    // Sorts by the face keys and keeps faces per run of equal faces: a face
    // of its own always; of a shared face one record when keepOneOfRun,
    // none otherwise.
    std::vector<qint32> compress(bool keepOneOfRun)
    {
        std::sort(keys.begin(), keys.end());
        const size_t width = K + extra;
        std::vector<size_t> kept;
        for (size_t i = 0; i < keys.size();) {
            size_t j = i + 1;
            while (j < keys.size() && keys[j].sameFace(keys[i]))
                ++j;
            if (j - i == 1 || keepOneOfRun)
                kept.push_back(size_t(keys[i].position));
            i = j;
        }
        std::vector<qint32> out(kept.size() * width);
        for (size_t i = 0; i < kept.size(); ++i)
            std::copy_n(records.begin() + kept[i] * width, width, out.begin() + i * width);
        return out;
    }
};

void crossNormal(const float *p0, const float *p1, const float *p2, float *n)
{
    const float u[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
    const float v[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
    n[0] = u[1] * v[2] - u[2] * v[1];
    n[1] = u[2] * v[0] - u[0] * v[2];
    n[2] = u[0] * v[1] - u[1] * v[0];
}

void normalise(float *n, float minLength)
{
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length >= minLength && length > 0)
        for (int a = 0; a < 3; ++a)
            n[a] /= length;
}

qint64 fanTriangleCount(const qint32 *counts)
{
    qint64 triangles = 0;
    for (int k = 3; k < kFaceSlots; ++k)
        triangles += qint64(k - 2) * counts[k];
    return triangles;
}

// Packs an unordered vertex pair into one sortable key.
inline quint64 edgeKey(qint32 a, qint32 b, qint32 vertexCount)
{
    if (a > b)
        std::swap(a, b);
    return quint64(a) * quint64(vertexCount) + quint64(b);
}

template<class T> T *storeVector(const std::vector<T> &values)
{
    return values.empty() ? nullptr : copyArray(values.data(), qint64(values.size()));
}

} // namespace

qint32 MeshClass::constructViewFaces(const QList<qint32> &shownMaterials)
{
    return runGuarded(nullptr, [&] {
        releaseViewFaces();
        if (checkIndices())
            return;
        std::vector<qint32> shown(shownMaterials.begin(), shownMaterials.end());
        std::sort(shown.begin(), shown.end());
        auto takesPart = [&](int t, qint32 c) {
            if (!TypeVisible[t])
                return false;
            if (CellVisible && CellVisible[t] && !CellVisible[t][c])
                return false;
            if (shown.empty() || !CellMaterials || !CellMaterials[t])
                return true;
            return std::binary_search(shown.begin(), shown.end(), CellMaterials[t][c]);
        };

        FaceTableBuilder<3> triangles {3, {}, {}};
        FaceTableBuilder<4> quads {3, {}, {}};
        qint64 triangleCount = 0, quadCount = 0;
        for (const FaceTable *table : kVolumeFaceOrder)
            for (qint32 c = 0; c < CountOfCells[table->type]; ++c)
                if (takesPart(table->type, c)) {
                    triangleCount += table->triangleCount;
                    quadCount += table->quadCount;
                }
        reserveLarge(triangles.records, size_t(triangleCount) * 6);
        reserveLarge(triangles.keys, size_t(triangleCount));
        reserveLarge(quads.records, size_t(quadCount) * 7);
        reserveLarge(quads.keys, size_t(quadCount));
        for (const FaceTable *table : kVolumeFaceOrder) {
            const int t = table->type;
            const int nodesPerCell = NodesOfType(t);
            for (qint32 c = 0; c < CountOfCells[t]; ++c) {
                if (!takesPart(t, c))
                    continue;
                const qint32 *nodes = Cells[t] + qint64(c) * nodesPerCell;
                const qint32 tail[3] = {materialOf(t, c), t, c};
                for (int f = 0; f < table->triangleCount; ++f)
                    triangles.add(nodes, table->triangles[f], tail);
                for (int f = 0; f < table->quadCount; ++f)
                    quads.add(nodes, table->quads[f], tail);
            }
        }
        const bool keepInner = Settings.ShowInnerEdges != 0;
        std::vector<qint32> faces[kFaceSlots];
        faces[3] = triangles.compress(keepInner);
        faces[4] = quads.compress(keepInner);
        triangles = {};
        quads = {};

        // Polygon cells follow the faces of the volume cells whole, never
        // compared with other faces.
        for (int k = 3; k < kFaceSlots; ++k) {
            const qint64 width = k + 3, volumeFaces = qint64(faces[k].size()) / width;
            qint64 polygons = 0;
            for (qint32 c = 0; c < CountOfCells[k]; ++c)
                polygons += takesPart(k, c);
            if (volumeFaces + polygons == 0)
                continue;
            qint32 *out = ViewFaces[k] = allocArray<qint32>((volumeFaces + polygons) * width);
            out = std::copy(faces[k].begin(), faces[k].end(), out);
            faces[k] = {};
            for (qint32 c = 0; polygons > 0 && c < CountOfCells[k]; ++c) {
                if (!takesPart(k, c))
                    continue;
                out = std::copy_n(Cells[k] + qint64(c) * k, k, out);
                *out++ = materialOf(k, c);
                *out++ = k;
                *out++ = c;
            }
            CountOfViewFaces[k] = qint32(volumeFaces + polygons);
        }
        if (qint32 status = constructSelectedFaces())
            throw errors(status);
    });
}

qint32 MeshClass::constructSelectedFaces()
{
    return runGuarded(nullptr, [&] {
        releaseSelectedFaces();
        if (!CellSelected || checkIndices())
            return;
        FaceTableBuilder<3> triangles {0, {}, {}};
        FaceTableBuilder<4> quads {0, {}, {}};
        for (const FaceTable *table : kVolumeFaceOrder) {
            const int t = table->type;
            const quint8 *selected = CellSelected[t];
            if (!selected)
                continue;
            for (qint32 c = 0; c < CountOfCells[t]; ++c) {
                if (!selected[c])
                    continue;
                const qint32 *nodes = Cells[t] + qint64(c) * NodesOfType(t);
                for (int f = 0; f < table->triangleCount; ++f)
                    triangles.add(nodes, table->triangles[f], nullptr);
                for (int f = 0; f < table->quadCount; ++f)
                    quads.add(nodes, table->quads[f], nullptr);
            }
        }
        // A face shared by two selected cells occurs once.
        auto distinct = [](auto &builder, int k) {
            std::sort(builder.keys.begin(), builder.keys.end());
            std::vector<qint32> out;
            for (size_t i = 0; i < builder.keys.size(); ++i) {
                if (i > 0 && builder.keys[i].sameFace(builder.keys[i - 1]))
                    continue;
                const auto first = builder.records.begin() + builder.keys[i].position * k;
                out.insert(out.end(), first, first + k);
            }
            return out;
        };
        const std::vector<qint32> tri = distinct(triangles, 3);
        const std::vector<qint32> quad = distinct(quads, 4);
        SelectedFaces[3] = storeVector(tri);
        CountOfSelectedFaces[3] = qint32(tri.size() / 3);
        SelectedFaces[4] = storeVector(quad);
        CountOfSelectedFaces[4] = qint32(quad.size() / 4);
    });
}

qint32 MeshClass::buildSelectionData()
{
    return runGuarded(nullptr, [&] {
        freeArray(SelTriVertices);
        freeArray(SelTriNormals);
        CountOfSelTriVertices = 0;
        const qint64 triangles = fanTriangleCount(CountOfSelectedFaces);
        if (triangles == 0)
            return;
        SelTriVertices = allocArray<float>(9 * triangles);
        SelTriNormals = allocArray<float>(9 * triangles);
        float *pos = SelTriVertices;
        float *nor = SelTriNormals;
        for (int k = 3; k < kFaceSlots; ++k)
            for (qint32 f = 0; f < CountOfSelectedFaces[k]; ++f) {
                const qint32 *face = SelectedFaces[k] + qint64(f) * k;
                for (int j = 1; j + 1 < k; ++j) {
                    const qint32 corner[3] = {face[0], face[j], face[j + 1]};
                    for (int i = 0; i < 3; ++i)
                        for (int a = 0; a < 3; ++a)
                            pos[3 * i + a] = float(Vertices[3 * qint64(corner[i]) + a]);
                    float n[3];
                    crossNormal(pos, pos + 3, pos + 6, n);
                    normalise(n, 0.0f);
                    for (int i = 0; i < 3; ++i)
                        std::copy_n(n, 3, nor + 3 * i);
                    pos += 9;
                    nor += 9;
                }
            }
        CountOfSelTriVertices = qint32(3 * triangles);
    });
}

// How the triangles of one constructDrawData call are coloured.
struct DrawColouring
{
    bool byMaterial = false;
    bool byFunction = false;
    int function = 0;
    int location = 0;
    float min = 0;
    float range = 1;
    std::unordered_map<qint32, Rgba8> colours; // material -> colour
    Rgba8 firstColour {};                      // entry 0 of the material list

    Rgba8 colourOf(qint32 material) const
    {
        const auto found = colours.find(material);
        return found != colours.end() ? found->second : firstColour;
    }
};

namespace {

// True when every face record names existing vertices and cells, so that the
// builders below never read past an array.
bool viewFacesValid(const MeshClass &mesh)
{
    for (int k = 1; k < kFaceSlots; ++k)
        for (qint32 f = 0; f < mesh.CountOfViewFaces[k]; ++f) {
            const qint32 *face = mesh.ViewFaces[k] + qint64(f) * (k + 3);
            for (int i = 0; i < k; ++i)
                if (face[i] < 0 || face[i] >= mesh.CountOfVertices)
                    return false;
            const qint32 type = face[k + 1], cell = face[k + 2];
            if (type < 0 || type >= kTypeSlots || cell < 0 || cell >= mesh.CountOfCells[type])
                return false;
        }
    return true;
}

} // namespace

namespace {

// The float corners of a triangle and its unit face normal, computed in
// single precision from them (normalised only when not vanishing).
void cornersAndNormal(const _DREAL *vertices, const qint32 *corner, float *pos, float *n)
{
    for (int i = 0; i < 3; ++i)
        for (int a = 0; a < 3; ++a)
            pos[3 * i + a] = float(vertices[3 * qint64(corner[i]) + a]);
    crossNormal(pos, pos + 3, pos + 6, n);
    normalise(n, 1e-10f);
}

} // namespace

void MeshClass::releaseTriangles()
{
    Reduced.reset();
    freeArray(TriVertices);
    freeArray(TriNormals);
    freeArray(TriIndices);
    freeArray(TriTexCoords);
    freeArray(TriColors);
    freeArray(TriangleCells);
    CountOfTriVertices = CountOfTriEntries = 0;
}

void MeshClass::buildTriangles(const DrawColouring &how, bool smooth)
{
    releaseTriangles();
    const qint64 triangles = fanTriangleCount(CountOfViewFaces);
    if (triangles == 0)
        return;
    TriangleCells = allocArray<qint32>(2 * triangles);
    if (smooth || how.byFunction)
        buildCornerTriangles(how, smooth, triangles);
    else
        buildSharedCorners(how, triangles);
    CountOfTriVertices = qint32(3 * triangles);
}

// Every corner an entry of its own: smooth normals differ per corner, and
// texture coordinates are interpolated whatever the shading.
void MeshClass::buildCornerTriangles(const DrawColouring &how, bool smooth, qint64 triangles)
{
    TriVertices = allocArray<float>(9 * triangles);
    TriNormals = allocArray<float>(9 * triangles);
    if (how.byMaterial)
        TriColors = allocArray<Rgba8>(3 * triangles);
    if (how.byFunction)
        TriTexCoords = allocArray<float>(3 * triangles);
    CountOfTriEntries = qint32(3 * triangles);
    std::vector<float> vertexNormals(smooth ? 3 * size_t(CountOfVertices) : 0);
    forEachFanTriangle(*this, [&](qint64 tri, const qint32 *face, int k, const qint32 *corner) {
        const qint32 type = face[k + 1], cell = face[k + 2];
        float *pos = TriVertices + 9 * tri;
        float n[3];
        cornersAndNormal(Vertices, corner, pos, n);
        const Rgba8 colour = how.byMaterial ? how.colourOf(face[k]) : Rgba8 {};
        _DREAL cellValue = how.min;
        if (how.byFunction && how.location == 2 && CellFuncs[type])
            cellValue = CellFuncs[type][qint64(cell) * CountOfCellFunctions + how.function];
        for (int i = 0; i < 3; ++i) {
            std::copy_n(n, 3, TriNormals + 9 * tri + 3 * i);
            if (smooth) {
                float *sum = vertexNormals.data() + 3 * qint64(corner[i]);
                sum[0] += n[0], sum[1] += n[1], sum[2] += n[2];
            }
            if (how.byMaterial)
                TriColors[3 * tri + i] = colour;
            if (how.byFunction) {
                const _DREAL value =
                    how.location == 1 ? Functions[how.function][corner[i]] : cellValue;
                TriTexCoords[3 * tri + i] = float((value - how.min) / how.range);
            }
        }
        TriangleCells[2 * tri] = type;
        TriangleCells[2 * tri + 1] = cell;
    });
    if (!smooth)
        return;
    // Smooth normals: the face normals summed per vertex, then normalised.
    for (qint32 v = 0; v < CountOfVertices; ++v)
        normalise(vertexNormals.data() + 3 * qint64(v), 0.0f);
    forEachFanTriangle(*this, [&](qint64 tri, const qint32 *, int, const qint32 *corner) {
        for (int i = 0; i < 3; ++i)
            std::copy_n(vertexNormals.data() + 3 * qint64(corner[i]), 3,
                        TriNormals + 9 * tri + 3 * i);
    });
}

// Flat-shaded faces: triangle t is entry t, placed at its last corner with
// its normal and colour; a vertex that is the last corner of some triangle
// lends that entry to the other triangles' first two corners, any other
// vertex gets an entry of its own after the triangles. Flat shading reads
// only the last corner, so the picture is that of three equal corners.
void MeshClass::buildSharedCorners(const DrawColouring &how, qint64 triangles)
{
    std::vector<qint32> entryOf;
    reserveLarge(entryOf, size_t(CountOfVertices));
    entryOf.assign(size_t(CountOfVertices), -1);
    forEachFanTriangle(*this, [&](qint64 tri, const qint32 *, int, const qint32 *corner) {
        if (entryOf[size_t(corner[2])] < 0)
            entryOf[size_t(corner[2])] = qint32(tri);
    });
    qint64 entries = triangles;
    forEachFanTriangle(*this, [&](qint64, const qint32 *, int, const qint32 *corner) {
        for (int i = 0; i < 2; ++i)
            if (entryOf[size_t(corner[i])] < 0)
                entryOf[size_t(corner[i])] = qint32(entries++);
    });
    TriVertices = allocArray<float>(3 * entries);
    TriNormals = allocArray<float>(3 * entries);
    TriIndices = allocArray<qint32>(3 * triangles);
    if (how.byMaterial)
        TriColors = allocArray<Rgba8>(entries);
    CountOfTriEntries = qint32(entries);
    forEachFanTriangle(*this, [&](qint64 tri, const qint32 *face, int k, const qint32 *corner) {
        float pos[9], n[3];
        cornersAndNormal(Vertices, corner, pos, n);
        std::copy_n(pos + 6, 3, TriVertices + 3 * tri);
        std::copy_n(n, 3, TriNormals + 3 * tri);
        if (how.byMaterial)
            TriColors[tri] = how.colourOf(face[k]);
        TriIndices[3 * tri] = entryOf[size_t(corner[0])];
        TriIndices[3 * tri + 1] = entryOf[size_t(corner[1])];
        TriIndices[3 * tri + 2] = qint32(tri);
        TriangleCells[2 * tri] = face[k + 1];
        TriangleCells[2 * tri + 1] = face[k + 2];
    });
    // The entries of their own: a position only, as flat shading never
    // lights them; the normal is merely a valid one.
    for (qint32 v = 0; v < CountOfVertices; ++v) {
        const qint64 e = entryOf[size_t(v)];
        if (e < triangles)
            continue;
        for (int a = 0; a < 3; ++a)
            TriVertices[3 * e + a] = float(Vertices[3 * qint64(v) + a]);
        const float up[3] = {0.0f, 0.0f, 1.0f};
        std::copy_n(up, 3, TriNormals + 3 * e);
        if (how.byMaterial)
            TriColors[e] = how.firstColour;
    }
}

// The distinct edges of the visible faces as sorted unordered-pair keys.
std::vector<quint64> MeshClass::viewEdgeKeys() const
{
    std::vector<quint64> edges;
    qint64 edgeCount = 0;
    for (int k = 2; k < kFaceSlots; ++k)
        edgeCount += qint64(k) * CountOfViewFaces[k];
    reserveLarge(edges, size_t(edgeCount));
    for (int k = 2; k < kFaceSlots; ++k)
        for (qint32 f = 0; f < CountOfViewFaces[k]; ++f) {
            const qint32 *face = ViewFaces[k] + qint64(f) * (k + 3);
            for (int i = 0; i < k; ++i)
                edges.push_back(edgeKey(face[i], face[(i + 1) % k], CountOfVertices));
        }
    sortUniqueKeys(edges);
    return edges;
}

void MeshClass::buildEdgeLines()
{
    freeArray(EdgeLines);
    CountOfEdgeLineVertices = 0;
    const std::vector<quint64> edges = viewEdgeKeys();
    if (edges.empty())
        return;
    EdgeLines = allocArray<float>(6 * qint64(edges.size()));
    float *end = EdgeLines;
    const quint64 n = quint64(CountOfVertices);
    for (quint64 key : edges)
        for (quint64 v : {key / n, key % n})
            for (int a = 0; a < 3; ++a)
                *end++ = float(Vertices[3 * v + a]);
    CountOfEdgeLineVertices = qint32(2 * edges.size());
}

qint32 MeshClass::constructEdgeLines()
{
    return runGuarded(nullptr, [this] {
        if (!viewFacesValid(*this))
            releaseViewFaces();
        buildEdgeLines();
    });
}

qint64 MeshClass::countViewEdges() const
{
    if (!viewFacesValid(*this))
        return 0;
    qint64 count = 0;
    runGuarded(nullptr, [&] { count = qint64(viewEdgeKeys().size()); });
    return count;
}

void MeshClass::buildViewPoints()
{
    freeArray(ViewPoints);
    freeArray(ViewPointIndices);
    CountOfViewPoints = 0;
    std::vector<quint8> used(size_t(CountOfVertices), 0);
    qint32 usedCount = 0;
    for (int k = 1; k < kFaceSlots; ++k)
        for (qint32 f = 0; f < CountOfViewFaces[k]; ++f) {
            const qint32 *face = ViewFaces[k] + qint64(f) * (k + 3);
            for (int i = 0; i < k; ++i)
                if (!used[size_t(face[i])]) {
                    used[size_t(face[i])] = 1;
                    ++usedCount;
                }
        }
    if (usedCount == 0)
        return;
    ViewPoints = allocArray<_DREAL>(3 * qint64(usedCount));
    ViewPointIndices = allocArray<qint32>(usedCount);
    qint32 p = 0;
    for (qint32 v = 0; v < CountOfVertices; ++v)
        if (used[size_t(v)]) {
            ViewPointIndices[p] = v;
            std::copy_n(Vertices + 3 * qint64(v), 3, ViewPoints + 3 * qint64(p));
            ++p;
        }
    CountOfViewPoints = usedCount;
}

qint32 MeshClass::constructDrawData(int function, float min, float max, bool smooth, int location,
                                    bool edges)
{
    return runGuarded(nullptr, [&] {
        if (!viewFacesValid(*this))
            releaseViewFaces();
        DrawColouring how;
        how.byMaterial = CellMaterials && Settings.ColorMode == 4;
        how.byFunction = Settings.ColorMode == 5 && (location == 1 || location == 2);
        // A function index outside the block's functions colours nothing.
        if (how.byFunction && location == 1)
            how.byFunction = Functions && function >= 0 && function < CountOfFunctions;
        if (how.byFunction && location == 2)
            how.byFunction = CellFuncs && function >= 0 && function < CountOfCellFunctions;
        how.function = function;
        how.location = location;
        how.min = min;
        how.range = max - min <= 1e-8f ? 1.0f : max - min;
        if (how.byMaterial)
            for (int k = 1; k < kFaceSlots; ++k)
                for (qint32 f = 0; f < CountOfViewFaces[k]; ++f) {
                    const qint32 material = ViewFaces[k][qint64(f) * (k + 3) + k];
                    if (how.colours.count(material))
                        continue;
                    const Rgba8 colour = materialColor(material + 1, Settings.Opacity);
                    if (how.colours.empty())
                        how.firstColour = colour;
                    how.colours.emplace(material, colour);
                }
        freeArray(EdgeLines);
        CountOfEdgeLineVertices = 0;
        Outer = OuterSide::Both;
        // The other thread's work reads the same faces and writes nothing in
        // common with the triangles and points.
        auto beside = std::async(std::launch::async | std::launch::deferred, [this, edges] {
            if (edges)
                buildEdgeLines();
            return findOuterSide();
        });
        buildTriangles(how, smooth);
        buildViewPoints();
        // Rethrows an allocation failure of the edge lines; with no triangles
        // there is no side to leave out.
        const OuterSide outer = beside.get();
        Outer = CountOfTriVertices > 0 ? outer : OuterSide::Both;
    });
}

namespace {

// Edges of the polygon cells (3..99 nodes) accepted by `take`, keyed as
// unordered pairs; the border is the set of edges that occur exactly once.
template<class Take> std::vector<quint64> borderEdges(const MeshClass &mesh, Take take)
{
    std::vector<quint64> edges;
    for (int k = 3; k < kFaceSlots; ++k)
        for (qint32 c = 0; c < mesh.CountOfCells[k]; ++c) {
            if (!take(k, c))
                continue;
            const qint32 *nodes = mesh.Cells[k] + qint64(c) * k;
            for (int i = 0; i < k; ++i)
                edges.push_back(edgeKey(nodes[i], nodes[(i + 1) % k], mesh.CountOfVertices));
        }
    sortKeys(edges);
    std::vector<quint64> border;
    for (size_t i = 0; i < edges.size();) {
        size_t j = i + 1;
        while (j < edges.size() && edges[j] == edges[i])
            ++j;
        if (j - i == 1)
            border.push_back(edges[i]);
        i = j;
    }
    return border;
}

void storeMarkedEdges(MeshClass &mesh, const std::vector<quint64> &border)
{
    freeArray(mesh.MarkedEdges);
    mesh.CountOfMarkedEdgeIndices = 0;
    if (border.empty())
        return;
    mesh.MarkedEdges = allocArray<qint32>(2 * qint64(border.size()));
    const quint64 n = quint64(mesh.CountOfVertices);
    for (size_t e = 0; e < border.size(); ++e) {
        mesh.MarkedEdges[2 * e] = qint32(border[e] / n);
        mesh.MarkedEdges[2 * e + 1] = qint32(border[e] % n);
    }
    mesh.CountOfMarkedEdgeIndices = qint32(2 * border.size());
}

} // namespace

qint32 MeshClass::findBorderEdges(bool countOnly, qint32 *vertexCount)
{
    qint32 found = 0;
    if (vertexCount)
        *vertexCount = 0;
    runGuarded(nullptr, [&] {
        freeArray(MarkedEdges);
        CountOfMarkedEdgeIndices = 0;
        if (checkIndices())
            return;
        const std::vector<quint64> border = borderEdges(*this, [](int, qint32) { return true; });
        found = qint32(border.size());
        if (!countOnly) {
            storeMarkedEdges(*this, border);
            return;
        }
        if (vertexCount) {
            const quint64 n = quint64(CountOfVertices);
            std::vector<quint64> ends;
            ends.reserve(2 * border.size());
            for (quint64 key : border) {
                ends.push_back(key / n);
                ends.push_back(key % n);
            }
            sortUniqueKeys(ends);
            *vertexCount = qint32(ends.size());
        }
    });
    return found;
}

qint32 MeshClass::findBorderMaterialEdges(qint32 material)
{
    qint32 found = 0;
    runGuarded(nullptr, [&] {
        freeArray(MarkedEdges);
        CountOfMarkedEdgeIndices = 0;
        if (!CellMaterials || checkIndices())
            return;
        const std::vector<quint64> border = borderEdges(*this, [&](int t, qint32 c) {
            return CellMaterials[t] && CellMaterials[t][c] == material;
        });
        found = qint32(border.size());
        storeMarkedEdges(*this, border);
    });
    return found;
}
