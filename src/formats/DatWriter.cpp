#include "ModelWalk.h"
#include "OutputFile.h"
#include "Writers.h"

namespace {

// Pyramids and prisms have no zone type of their own: they are written in
// FEBRICK zones as collapsed bricks, the form readers of the format take.
// A pyramid becomes its base with the apex repeated over the top face, which
// is what padding a short cell with its last node gives; a prism becomes its
// two triangles, each with its third corner doubled.
constexpr int kPrismAsBrick[8] = {0, 1, 2, 2, 3, 4, 5, 5};
constexpr int kPaddedNodes = 8;

void writeZoneHeader(OutputBuffer &out, const MeshClass &mesh, int t, qint32 count)
{
    out.text("ZONE ");
    if (!mesh.Name.isEmpty()) {
        out.text("T=\"");
        out.utf8(mesh.Name);
        out.ch('"');
    }
    out.text("NODES=");
    out.num(vertexCount(mesh));
    out.text(" ELEMENTS=");
    out.num(count);
    out.text(" DATAPACKING=POINT, ZONETYPE=");
    switch (t) {
    case Triangle:
        out.text("FETRIANGLE\n");
        break;
    case Quadrangle:
        out.text("FEQUADRILATERAL\n");
        break;
    case Tetrahedron:
        out.text("FETETRAHEDRON\n");
        break;
    case Pyramid:
    case Prism:
    case Hexahedron:
        out.text("FEBRICK\n");
        break;
    default:
        out.text("FEPOLYGON, FACES = ");
        out.num(count);
        out.ch('\n');
    }
}

// x, y, z and one value for each variable the header names, each followed by
// a blank: the block's vertex functions, 0 where the block lacks one (a
// surface made from a volume keeps its model's names but no values), so that
// every line has as many values as the header has variables.
void writeZoneVertices(OutputBuffer &out, const MeshClass &mesh, qsizetype variables)
{
    for (qint64 v = 0, n = vertexCount(mesh); v < n; ++v) {
        out.e8Triple(mesh.Vertices + 3 * v);
        out.ch(' ');
        for (int f = 0; f < variables; ++f) {
            const _DREAL *value = functionValue(mesh, f, v);
            out.e8(value ? *value : 0.0);
            out.ch(' ');
        }
        out.ch('\n');
    }
}

// One line per cell, vertex numbers from 1, each followed by a blank; cells
// of fewer than 8 nodes other than triangles, quadrangles and tetrahedra are
// padded to 8 with their last node.
void writeZoneCells(OutputBuffer &out, const MeshClass &mesh, int t, qint32 count)
{
    const int nodes = NodesOfType(t);
    const bool padded =
        nodes < kPaddedNodes && t != Triangle && t != Quadrangle && t != Tetrahedron;
    for (qint64 c = 0; c < count; ++c) {
        const qint32 *cell = mesh.Cells[t] + c * nodes;
        for (int i = 0; i < (padded ? kPaddedNodes : nodes); ++i) {
            out.num(qint64(cell[t == Prism ? kPrismAsBrick[i] : std::min(i, nodes - 1)]) + 1);
            out.ch(' ');
        }
        out.ch('\n');
    }
}

void writeDat(OutputBuffer &out, const ModelClass &model)
{
    out.text("TITLE = \"");
    out.utf8(model.title());
    out.text("\"\nVARIABLES = \"x\" \"y\" \"z\"");
    for (const QString &name : model.FunctionNames) {
        out.text(" \"");
        out.utf8(name);
        out.ch('"');
    }
    out.ch('\n');
    forEachCellSlot(model, [&](const MeshClass &mesh, qint64, int t, qint32 count) {
        writeZoneHeader(out, mesh, t, count);
        writeZoneVertices(out, mesh, model.FunctionNames.size());
        writeZoneCells(out, mesh, t, count);
    });
}

} // namespace

qint32 writeDAT(const ModelClass &model, const QString &fileName)
{
    return writeOneFile(fileName, FileKind::Dat, true, "writeDAT",
                        [&](OutputBuffer &out) { writeDat(out, model); });
}
