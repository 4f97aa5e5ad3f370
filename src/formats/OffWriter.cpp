#include "ModelWalk.h"
#include "OutputFile.h"
#include "Writers.h"

#include <array>

namespace {

// Faces of one kind of a volume cell, by corner positions within the cell.
// Triangles of tetrahedra and prism ends are written like polygons (each
// number followed by a blank); the other faces separate their numbers by
// blanks and put the blank before the material.
struct FaceGroup
{
    int nodes = 0;
    int count = 0;
    const int *corners = nullptr;
    bool trailingBlank = false;
};

struct VolumeFaces
{
    int type;
    std::array<FaceGroup, 2> groups;
};

constexpr int kTetTriangles[] = {0, 1, 2, 1, 2, 3, 2, 3, 0, 3, 0, 1};
constexpr int kPyramidSides[] = {0, 1, 4, 1, 2, 4, 2, 3, 4, 3, 0, 4};
constexpr int kPyramidBase[] = {0, 1, 2, 3};
constexpr int kPrismEnds[] = {0, 1, 2, 3, 4, 5};
constexpr int kPrismSides[] = {0, 2, 5, 3, 2, 1, 4, 5, 1, 0, 3, 4};
constexpr int kHexQuads[] = {0, 1, 2, 3, 5, 4, 7, 6, 4, 5, 1, 0,
                             5, 6, 2, 1, 6, 7, 3, 2, 7, 4, 0, 3};

constexpr VolumeFaces kVolumeFaces[] = {
    {Tetrahedron, {{{3, 4, kTetTriangles, true}, {}}}},
    {Pyramid, {{{3, 4, kPyramidSides, false}, {4, 1, kPyramidBase, false}}}},
    {Prism, {{{3, 2, kPrismEnds, true}, {4, 3, kPrismSides, false}}}},
    {Hexahedron, {{{4, 6, kHexQuads, false}, {}}}},
};

constexpr int kMaxFaceLinePolygon = 99;

class FaceLineWriter
{
public:
    FaceLineWriter(OutputBuffer &out, bool prefixes, bool materials)
        : out(out)
        , prefixes(prefixes)
        , materials(materials)
    { }

    void writeBlock(const MeshClass &block, qint64 firstVertex)
    {
        mesh = &block;
        offset = firstVertex;
        withMaterial = materials && block.CellMaterials;
        for (int t = 1; t <= kMaxFaceLinePolygon; ++t)
            for (qint64 c = 0, n = cellCount(block, t); c < n; ++c)
                line(block.Cells[t] + c * t, nullptr, t, true, materialOf(block, t, c));
        for (const VolumeFaces &volume : kVolumeFaces)
            writeVolumes(volume);
    }

private:
    void writeVolumes(const VolumeFaces &volume)
    {
        const int t = volume.type;
        for (qint64 c = 0, n = cellCount(*mesh, t); c < n; ++c) {
            const qint32 *cell = mesh->Cells[t] + c * NodesOfType(t);
            const qint32 material = materialOf(*mesh, t, c);
            for (const FaceGroup &group : volume.groups)
                for (int f = 0; f < group.count; ++f)
                    line(cell, group.corners + f * group.nodes, group.nodes, group.trailingBlank,
                         material);
        }
    }

    // One face: the prefix, the vertex numbers (corners null: all nodes in
    // stored order), the material when written, the line feed.
    void line(const qint32 *cell, const int *corners, int nodes, bool trailingBlank,
              qint32 material)
    {
        if (prefixes)
            out.num(nodes);
        else
            out.ch('f');
        for (int i = 0; i < nodes; ++i) {
            out.ch(' ');
            out.num(cell[corners ? corners[i] : i] + offset);
        }
        if (trailingBlank)
            out.ch(' ');
        if (withMaterial) {
            if (!trailingBlank)
                out.ch(' ');
            out.num(material);
        }
        out.ch('\n');
    }

    OutputBuffer &out;
    const bool prefixes;
    const bool materials;
    const MeshClass *mesh = nullptr;
    qint64 offset = 0;
    bool withMaterial = false;
};

const char *offHeader(const ModelClass &model)
{
    if (model.Meshes.isEmpty())
        return "OFF\n";
    switch (model.Meshes.first()->VertexDataWidth) {
    case 1:
        return "COFF\n";
    case 3:
    case 4:
        return "NOFF\n";
    default:
        return "OFF\n";
    }
}

// x y z, then per the block's VertexDataWidth: 0, the flagged function's
// value (when there is one); 1, 3 or 4, the vertex's row of VertexData.
void writeOffVertices(OutputBuffer &out, const MeshClass &mesh, int flagged)
{
    const int width = mesh.VertexDataWidth;
    for (qint64 v = 0, n = vertexCount(mesh); v < n; ++v) {
        out.e8Triple(mesh.Vertices + 3 * v);
        if (width == 0) {
            if (const _DREAL *value = functionValue(mesh, flagged, v)) {
                out.ch(' ');
                out.g(*value);
            }
        } else if (width == 1 || width == 3 || width == 4) {
            if (const float *row = vertexDataRow(mesh, width, v))
                for (int i = 0; i < width; ++i) {
                    out.ch(' ');
                    out.e8(row[i]);
                }
        }
        out.ch('\n');
    }
}

void writeOff(OutputBuffer &out, const ModelClass &model, bool saveColorAsMat, bool saveMatInOFF)
{
    out.text(offHeader(model));
    out.num(totalVertices(model));
    out.ch(' ');
    out.num(countFaceLines(model));
    out.text(" 0\n");
    // The first block decides which function every block exports.
    const MeshClass *first = model.Meshes.value(0);
    const int flagged = saveColorAsMat && first ? flaggedFunction(*first) : -1;
    for (const MeshClass *mesh : model.Meshes)
        writeOffVertices(out, *mesh, flagged);
    writeFaceLines(model, out, true, 0, saveMatInOFF);
}

} // namespace

void writeFaceLines(const ModelClass &model, OutputBuffer &out, bool prefixes, int indexBase,
                    bool materials)
{
    FaceLineWriter writer(out, prefixes, materials);
    qint64 offset = indexBase;
    for (const MeshClass *mesh : model.Meshes) {
        writer.writeBlock(*mesh, offset);
        offset += vertexCount(*mesh);
    }
}

qint64 countFaceLines(const ModelClass &model)
{
    qint64 count = 0;
    for (const MeshClass *mesh : model.Meshes) {
        for (int t = 1; t <= kMaxFaceLinePolygon; ++t)
            count += cellCount(*mesh, t);
        for (const VolumeFaces &volume : kVolumeFaces)
            count += qint64(cellCount(*mesh, volume.type))
                * (volume.groups[0].count + volume.groups[1].count);
    }
    return count;
}

qint32 writeOFF(const ModelClass &model, const QString &fileName, bool saveColorAsMat,
                bool saveMatInOFF)
{
    return writeOneFile(fileName, FileKind::Off, true, "writeOFF", [&](OutputBuffer &out) {
        writeOff(out, model, saveColorAsMat, saveMatInOFF);
    });
}
