#include "ModelWalk.h"
#include "OutputFile.h"
#include "Writers.h"

#include <cmath>
#include <limits>
#include <span>

namespace {

// The format has elements of 1 to 4 nodes, tetrahedra and hexahedra only.
// Pyramids and prisms are written as their faces, and polygons of 5 or more
// nodes as fans of triangles around their first node; each piece keeps the
// material of its cell.
struct Section
{
    int type;
    const char *keyword;
};

constexpr Section kSections[] = {{1, "Points\n"},
                                 {2, "Edges\n"},
                                 {Triangle, "Triangles\n"},
                                 {Quadrangle, "Quadrilaterals\n"},
                                 {Tetrahedron, "Tetrahedra\n"},
                                 {Hexahedron, "Hexahedra\n"}};

struct Split
{
    int type;
    int faces;
    const int *corners;
};

constexpr int kPyramidTriangles[] = {0, 1, 4, 1, 2, 4, 2, 3, 4, 3, 0, 4};
constexpr int kPrismTriangles[] = {0, 1, 2, 3, 4, 5};
constexpr int kPyramidQuads[] = {0, 1, 2, 3};
constexpr int kPrismQuads[] = {0, 1, 4, 3, 1, 2, 5, 4, 2, 0, 3, 5};
constexpr Split kTriangleSplits[] = {{Pyramid, 4, kPyramidTriangles}, {Prism, 2, kPrismTriangles}};
constexpr Split kQuadSplits[] = {{Pyramid, 1, kPyramidQuads}, {Prism, 3, kPrismQuads}};
constexpr int kFirstFannedPolygon = 5;

// The pyramid and prism faces that a section carries besides its own cells.
std::span<const Split> splitsOf(int t)
{
    if (t == Triangle)
        return kTriangleSplits;
    if (t == Quadrangle)
        return kQuadSplits;
    return {};
}

qint64 sectionCount(const ModelClass &model, int t)
{
    qint64 count = 0;
    for (const MeshClass *mesh : model.Meshes) {
        count += cellCount(*mesh, t);
        for (const Split &split : splitsOf(t))
            count += qint64(split.faces) * cellCount(*mesh, split.type);
        if (t == Triangle)
            for (int n = kFirstFannedPolygon; n <= MaxPolygon; ++n)
                count += qint64(n - 2) * cellCount(*mesh, n);
    }
    return count;
}

// The reference ending a vertex line: the flagged function's value, else
// (when colours are saved as materials) the one-wide VertexData value
// truncated to an integer, else 0.
void writeReference(OutputBuffer &out, const MeshClass &mesh, int flagged, bool saveColorAsMat,
                    qint64 v)
{
    if (const _DREAL *value = functionValue(mesh, flagged, v)) {
        out.g(*value);
    } else if (const float *row = saveColorAsMat ? vertexDataRow(mesh, 1, v) : nullptr) {
        constexpr double lowest = std::numeric_limits<qint32>::min();
        constexpr double highest = std::numeric_limits<qint32>::max();
        out.num(std::isnan(*row) ? 0 : qint32(std::clamp(double(*row), lowest, highest)));
    } else {
        out.ch('0');
    }
}

void writeVertices(OutputBuffer &out, const ModelClass &model, bool saveColorAsMat)
{
    out.text("MeshVersionFormatted 1\nDimension\n3\nVertices\n");
    out.num(totalVertices(model));
    out.ch('\n');
    for (const MeshClass *mesh : model.Meshes) {
        const int flagged = flaggedFunction(*mesh);
        for (qint64 v = 0, n = vertexCount(*mesh); v < n; ++v) {
            out.e8Triple(mesh->Vertices + 3 * v);
            out.ch(' ');
            writeReference(out, *mesh, flagged, saveColorAsMat, v);
            out.ch('\n');
        }
    }
}

// One element: its vertex numbers (from `first`), each followed by a blank, and the material.
void element(OutputBuffer &out, const qint32 *cell, const int *corners, int nodes, qint64 first,
             qint32 material)
{
    for (int i = 0; i < nodes; ++i) {
        out.num(cell[corners ? corners[i] : i] + first);
        out.ch(' ');
    }
    out.num(material);
    out.ch('\n');
}

void writeSplits(OutputBuffer &out, const MeshClass &mesh, qint64 first, const Split &split,
                 int nodes)
{
    for (qint64 c = 0, count = cellCount(mesh, split.type); c < count; ++c) {
        const qint32 *cell = mesh.Cells[split.type] + c * NodesOfType(split.type);
        for (int f = 0; f < split.faces; ++f)
            element(out, cell, split.corners + f * nodes, nodes, first,
                    materialOf(mesh, split.type, c));
    }
}

void writeFans(OutputBuffer &out, const MeshClass &mesh, qint64 first)
{
    for (int n = kFirstFannedPolygon; n <= MaxPolygon; ++n)
        for (qint64 c = 0, count = cellCount(mesh, n); c < count; ++c)
            for (int j = 1; j + 1 < n; ++j) {
                const int fan[3] = {0, j, j + 1};
                element(out, mesh.Cells[n] + c * n, fan, 3, first, materialOf(mesh, n, c));
            }
}

// Calls work(mesh, first) for every block, first = 1 + the vertices of the blocks before it.
template<class Work> void forEachBlock(const ModelClass &model, Work &&work)
{
    qint64 first = 1;
    for (const MeshClass *mesh : model.Meshes) {
        work(*mesh, first);
        first += vertexCount(*mesh);
    }
}

void writeSection(OutputBuffer &out, const ModelClass &model, const Section &section)
{
    const int t = section.type;
    const int nodes = NodesOfType(t);
    forEachBlock(model, [&](const MeshClass &mesh, qint64 first) {
        for (qint64 c = 0, count = cellCount(mesh, t); c < count; ++c)
            element(out, mesh.Cells[t] + c * nodes, nullptr, nodes, first, materialOf(mesh, t, c));
    });
    forEachBlock(model, [&](const MeshClass &mesh, qint64 first) {
        for (const Split &split : splitsOf(t))
            writeSplits(out, mesh, first, split, nodes);
    });
    if (t == Triangle)
        forEachBlock(model,
                     [&](const MeshClass &mesh, qint64 first) { writeFans(out, mesh, first); });
}

void writeMesh(OutputBuffer &out, const ModelClass &model, bool saveColorAsMat)
{
    writeVertices(out, model, saveColorAsMat);
    for (const Section &section : kSections) {
        const qint64 count = sectionCount(model, section.type);
        if (count == 0)
            continue;
        out.text(section.keyword);
        out.num(count);
        out.ch('\n');
        writeSection(out, model, section);
    }
    out.text("End\n");
}

} // namespace

qint32 writeMESH(const ModelClass &model, const QString &fileName, bool saveColorAsMat)
{
    return writeOneFile(fileName, FileKind::Mesh, true, "writeMESH",
                        [&](OutputBuffer &out) { writeMesh(out, model, saveColorAsMat); });
}
