#include "ModelWalk.h"
#include "OutputFile.h"
#include "Writers.h"

namespace {

// "  n  x  y  z" for every vertex, numbered from 1 across all blocks.
void writeVertexFile(OutputBuffer &out, const ModelClass &model)
{
    qint64 number = 0;
    forEachVertex(model, [&](const _DREAL *xyz) {
        out.text("  ");
        out.num(++number);
        out.text("  ");
        out.gTriple(xyz, "  ");
        out.ch('\n');
    });
}

// "  n  v1  v2 ..." for every cell, numbered from 1, vertex numbers from 1
// across all blocks, then the fixed table numbers.
void writeCellFile(OutputBuffer &out, const ModelClass &model)
{
    qint64 number = 0;
    forEachCellSlot(model, [&](const MeshClass &mesh, qint64 firstVertex, int t, qint32 count) {
        const int nodes = NodesOfType(t);
        for (qint64 c = 0; c < count; ++c) {
            const qint32 *cell = mesh.Cells[t] + c * nodes;
            out.text("  ");
            out.num(++number);
            for (int i = 0; i < nodes; ++i) {
                out.text("  ");
                out.num(cell[i] + firstVertex + 1);
            }
            out.text("  7\t1\t1\n");
        }
    });
}

} // namespace

qint32 writeStarCD(const ModelClass &model, const QString &fileName)
{
    if (fileName.isEmpty())
        return errNone;
    OutputFile vertices(outputFileName(fileName, kindEnding(FileKind::StarCd)), true);
    OutputFile cells(outputFileName(fileName, secondEnding(FileKind::StarCd)), true);
    if (!vertices.isOpen() || !cells.isOpen())
        return errOpen;
    const qint32 status = runGuarded("writeStarCD", [&] {
        writeVertexFile(vertices.out(), model);
        writeCellFile(cells.out(), model);
    });
    if (status != errNone)
        return status;
    return commitPair(vertices, cells);
}
