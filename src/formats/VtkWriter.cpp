#include "ModelWalk.h"
#include "OutputFile.h"
#include "Writers.h"

namespace {

// Cell type numbers of the format. Polygons other than triangles and
// quadrangles are general polygons (7), and one- and two-node cells are
// vertices (1) and lines (3), so that every cell of CELLS has a type that
// readers take with its own node count.
int vtkCellType(int t)
{
    switch (t) {
    case 1:
        return 1;
    case 2:
        return 3;
    case Triangle:
        return 5;
    case Quadrangle:
        return 9;
    case Tetrahedron:
        return 10;
    case Hexahedron:
        return 12;
    case Prism:
        return 13;
    case Pyramid:
        return 14;
    default:
        return 7;
    }
}

void writePoints(OutputBuffer &out, const ModelClass &model)
{
    out.text("POINTS ");
    out.num(totalVertices(model));
    out.text(" double\n");
    forEachVertex(model, [&](const _DREAL *xyz) {
        out.gTriple(xyz);
        out.ch('\n');
    });
}

qint64 countCells(const ModelClass &model, qint64 *corners)
{
    qint64 cells = 0;
    *corners = 0;
    forEachCellSlot(model, [&](const MeshClass &, qint64, int t, qint32 count) {
        cells += count;
        *corners += qint64(count) * NodesOfType(t);
    });
    return cells;
}

void writeCells(OutputBuffer &out, const ModelClass &model, qint64 cells, qint64 corners)
{
    if (cells > 0) {
        out.text("CELLS ");
        out.num(cells);
        out.ch(' ');
        out.num(cells + corners);
        out.ch('\n');
        forEachCellSlot(model, [&](const MeshClass &mesh, qint64 first, int t, qint32 count) {
            const int nodes = NodesOfType(t);
            for (const qint32 *cell = mesh.Cells[t], *end = cell + qint64(count) * nodes;
                 cell != end; cell += nodes) {
                out.num(nodes);
                for (int i = 0; i < nodes; ++i) {
                    out.ch(' ');
                    out.num(cell[i] + first);
                }
                out.ch('\n');
            }
        });
    }
    out.text("CELL_TYPES ");
    out.num(cells);
    out.ch('\n');
    forEachCellSlot(model, [&](const MeshClass &, qint64, int t, qint32 count) {
        char line[8];
        const std::size_t length = std::size_t(appendInt(line, vtkCellType(t)) - line) + 1;
        line[length - 1] = '\n';
        for (qint32 c = 0; c < count; ++c)
            out.bytes(line, length);
    });
}

// One scalar per vertex for every function of the first block; blocks that
// lack a function give it the value 0.
void writePointData(OutputBuffer &out, const ModelClass &model)
{
    const int functions = model.Meshes.first()->CountOfFunctions;
    out.text("POINT_DATA ");
    out.num(totalVertices(model));
    out.ch('\n');
    for (int f = 0; f < functions; ++f) {
        out.text("SCALARS ");
        out.utf8(model.FunctionNames.value(f));
        out.text(" float\nLOOKUP_TABLE default\n");
        for (const MeshClass *mesh : model.Meshes)
            for (qint64 v = 0, n = vertexCount(*mesh); v < n; ++v) {
                const _DREAL *value = functionValue(*mesh, f, v);
                out.g(value ? *value : 0.0);
                out.ch('\n');
            }
    }
}

// The material of every cell, ten to a line within each type slot.
void writeCellData(OutputBuffer &out, const ModelClass &model, qint64 cells)
{
    out.text("CELL_DATA ");
    out.num(cells);
    out.text("\nFIELD FieldData 1\nmaterial 1 ");
    out.num(cells);
    out.text(" int\n");
    forEachCellSlot(model, [&](const MeshClass &mesh, qint64, int t, qint32 count) {
        for (qint32 c = 0; c < count; ++c) {
            out.num(materialOf(mesh, t, c));
            out.ch(' ');
            if ((c + 1) % 10 == 0)
                out.ch('\n');
        }
    });
    out.ch('\n');
}

void writeVtk(OutputBuffer &out, const ModelClass &model)
{
    out.text("# vtk DataFile Version 3.0\n");
    const QString title = model.title();
    if (title.isEmpty())
        out.text("vtk output");
    else
        out.utf8(title);
    out.text("\nASCII\nDATASET UNSTRUCTURED_GRID\n");
    writePoints(out, model);
    qint64 corners = 0;
    const qint64 cells = countCells(model, &corners);
    writeCells(out, model, cells, corners);
    if (model.Meshes.isEmpty())
        return;
    if (model.Meshes.first()->CountOfFunctions > 0)
        writePointData(out, model);
    if (model.Meshes.first()->CellMaterials)
        writeCellData(out, model, cells);
}

} // namespace

qint32 writeVTK(const ModelClass &model, const QString &fileName)
{
    return writeOneFile(fileName, FileKind::LegacyVtk, true, "writeVTK",
                        [&](OutputBuffer &out) { writeVtk(out, model); });
}
