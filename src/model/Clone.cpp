// Copies of models: whole, or restricted to the selected or visible cells.

#include "Topology.h"
#include "TopologyFrame.h"

#include <vector>

using namespace topology;

ModelClass *cloneFull(const ModelClass &source, quint32 displayListBase)
{
    return buildModel("cloneFull", [&] {
        auto model = startModel(source, displayListBase);
        for (const MeshClass *mesh : source.Meshes)
            addBlock(*model, "cloneFull", [mesh](MeshClass &block) { mesh->copyMeshTo(block); });
        finishModel(*model, source);
        return model;
    });
}

namespace {

// Whether a cell takes part: its CellVisible flag (none means shown) or its
// CellSelected flag (none means not selected).
struct FlagTest
{
    const MeshClass &block;
    bool fromVisible;

    bool operator()(int t, qint32 c) const
    {
        if (fromVisible)
            return !block.CellVisible || !block.CellVisible[t] || block.CellVisible[t][c];
        return block.CellSelected && block.CellSelected[t] && block.CellSelected[t][c];
    }
};

// Marks the vertices of the flagged cells and numbers them anew in the
// order of their old numbers; -1 for the vertices left out.
std::vector<qint32> renumberUsedVertices(const MeshClass &source, const FlagTest &flagged,
                                         qint32 &count)
{
    std::vector<qint32> number(size_t(source.CountOfVertices), -1);
    forEachCell(source, [&](int t, qint32 c, const qint32 *nodes, int width) {
        if (flagged(t, c))
            for (int i = 0; i < width; ++i)
                number[size_t(nodes[i])] = 0;
    });
    count = 0;
    for (qint32 &n : number)
        if (n == 0)
            n = count++;
    return number;
}

// The kept vertices, each old vertex function restricted to them, and the
// function "OldVrtIndx" last.
void copyKeptVertices(const MeshClass &source, const std::vector<qint32> &number, qint32 count,
                      MeshClass &block)
{
    block.CountOfVertices = count;
    block.Vertices = allocArray<_DREAL>(3 * qint64(count));
    const qint32 functions = source.Functions ? source.CountOfFunctions : 0;
    block.Functions = allocZeroed<_DREAL *>(functions + 1);
    block.CountOfFunctions = functions + 1;
    for (qint32 f = 0; f <= functions; ++f)
        block.Functions[f] = allocArray<_DREAL>(count);
    for (qint32 v = 0; v < source.CountOfVertices; ++v) {
        const qint32 n = number[size_t(v)];
        if (n < 0)
            continue;
        std::copy_n(source.Vertices + 3 * qint64(v), 3, block.Vertices + 3 * qint64(n));
        for (qint32 f = 0; f < functions; ++f)
            block.Functions[f][n] = source.Functions[f][v];
        block.Functions[functions][n] = _DREAL(v);
    }
}

// The flagged cells of one slot with renumbered nodes, their materials, and
// the old cell functions followed by "OldCllIndx".
void copyFlaggedCells(const MeshClass &source, int t, const FlagTest &flagged,
                      const std::vector<qint32> &number, MeshClass &block)
{
    std::vector<qint32> cells;
    for (qint32 c = 0; c < source.CountOfCells[t]; ++c)
        if (flagged(t, c))
            cells.push_back(c);
    if (cells.empty())
        return;
    const int nodes = NodesOfType(t);
    const qint32 oldWidth = source.CountOfCellFunctions;
    const qint32 width = block.CountOfCellFunctions;
    const qint32 count = qint32(cells.size());
    block.Cells[t] = allocArray<qint32>(qint64(count) * nodes);
    block.CellFuncs[t] = allocArray<_DREAL>(qint64(count) * width);
    if (block.CellMaterials)
        block.CellMaterials[t] = allocArray<qint32>(count);
    block.CountOfCells[t] = count;
    const _DREAL *oldValues = source.CellFuncs ? source.CellFuncs[t] : nullptr;
    for (qint32 i = 0; i < count; ++i) {
        const qint32 c = cells[size_t(i)];
        for (int k = 0; k < nodes; ++k)
            block.Cells[t][qint64(i) * nodes + k] =
                number[size_t(source.Cells[t][qint64(c) * nodes + k])];
        if (block.CellMaterials)
            block.CellMaterials[t][i] = source.materialOf(t, c);
        _DREAL *values = block.CellFuncs[t] + qint64(i) * width;
        for (qint32 f = 0; f < width - 1; ++f)
            values[f] = oldValues ? oldValues[qint64(c) * oldWidth + f] : 0;
        values[width - 1] = _DREAL(c);
    }
}

void flaggedBlock(const MeshClass &source, bool fromVisible, MeshClass &block)
{
    requireSound(source);
    const FlagTest flagged {source, fromVisible};
    takeSettings(source, block);
    qint32 count = 0;
    const std::vector<qint32> number = renumberUsedVertices(source, flagged, count);
    copyKeptVertices(source, number, count, block);
    block.CountOfCellFunctions = (source.CellFuncs ? source.CountOfCellFunctions : 0) + 1;
    block.CellFuncs = allocZeroed<_DREAL *>(kTypeSlots);
    if (source.CellMaterials)
        block.CellMaterials = allocZeroed<qint32 *>(kTypeSlots);
    for (int t = 0; t < kTypeSlots; ++t)
        if (source.Cells[t])
            copyFlaggedCells(source, t, flagged, number, block);
    block.prepare();
}

} // namespace

ModelClass *cloneFlagged(const ModelClass &source, quint32 displayListBase, bool fromVisible)
{
    return buildModel("cloneFlagged", [&] {
        auto model = startModel(source, displayListBase);
        for (const MeshClass *mesh : source.Meshes)
            addBlock(*model, "cloneFlagged",
                     [&](MeshClass &block) { flaggedBlock(*mesh, fromVisible, block); });
        releaseModelRanges(*model);
        model->FunctionNames << QStringLiteral("OldVrtIndx");
        model->CellFunctionNames << QStringLiteral("OldCllIndx");
        finishModel(*model, source);
        return model;
    });
}
