// In-place edits of a model's cells: material renumbering, and six cell
// functions turned into two vertex functions.

#include "Topology.h"
#include "TopologyFrame.h"

#include <algorithm>

using namespace topology;

namespace {

// Material arrays for every filled slot of a block that lacks them, zeroed:
// its cells count as material 0 until one is renumbered.
void ensureMaterials(MeshClass &block)
{
    if (!block.CellMaterials)
        block.CellMaterials = allocZeroed<qint32 *>(kTypeSlots);
    for (int t = 0; t < kTypeSlots; ++t)
        if (block.CountOfCells[t] > 0 && !block.CellMaterials[t])
            block.CellMaterials[t] = allocZeroed<qint32>(block.CountOfCells[t]);
}

void changeBlockMaterial(MeshClass &block, MaterialChange which, qint32 oldMaterial,
                         qint32 newMaterial)
{
    const auto selected = [&](int t, qint32 c) {
        return block.CellSelected && block.CellSelected[t] && block.CellSelected[t][c];
    };
    for (int t = 0; t < kTypeSlots; ++t)
        for (qint32 c = 0; c < block.CountOfCells[t]; ++c) {
            const bool ofOld = block.materialOf(t, c) == oldMaterial;
            const bool takes = which == MaterialChange::OfMaterial ? ofOld
                : which == MaterialChange::SelectedOfMaterial      ? ofOld && selected(t, c)
                                                                   : selected(t, c);
            if (!takes)
                continue;
            ensureMaterials(block);
            block.CellMaterials[t][c] = newMaterial;
        }
}

} // namespace

void changeMaterial(ModelClass &model, MaterialChange which, qint32 oldMaterial, qint32 newMaterial)
{
    // Material numbers are never negative.
    if (newMaterial < 0)
        return;
    for (MeshClass *mesh : std::as_const(model.Meshes))
        runGuarded("changeMaterial",
                   [&] { changeBlockMaterial(*mesh, which, oldMaterial, newMaterial); });
    model.prepareData();
    model.NeedsRebuild = 1;
    model.prepareDraw();
}

namespace {

constexpr qint32 kConvertedCellFunctions = 6;
constexpr int kConvertedCorners = 3;

// Whether a block can be converted: cells that carry six cell functions and
// name only vertices it has. A block without cells always can.
bool convertible(const MeshClass &block)
{
    if (block.totalCells() == 0)
        return true;
    return block.CellFuncs && block.CountOfCellFunctions >= kConvertedCellFunctions
        && !block.checkIndices();
}

// The block's new vertex arrays while they are made: the old vertices first
// (cells keep their corners beyond the third), then one vertex per converted
// corner. Released unless handed to the block.
struct CornerVertices
{
    qint32 count = 0;
    _DREAL *vertices = nullptr;
    qint32 functionCount = 0; // the old functions, then the two new ones
    _DREAL **functions = nullptr;
    float *vertexData = nullptr;
    quint8 *flags = nullptr;

    CornerVertices() = default;
    CornerVertices(const CornerVertices &) = delete;
    CornerVertices &operator=(const CornerVertices &) = delete;
    ~CornerVertices()
    {
        std::free(vertices);
        for (qint32 f = 0; functions && f < functionCount; ++f)
            std::free(functions[f]);
        std::free(functions);
        std::free(vertexData);
        std::free(flags);
    }
};

// Corner copies of every cell in type and cell order: coordinates, every old
// vertex function and VertexData row of the corner's vertex, and the two cell
// functions of that corner. The old vertices have 0 in the new functions.
void makeCornerVertices(const MeshClass &block, CornerVertices &out)
{
    qint64 corners = 0;
    for (int t = 0; t < kTypeSlots; ++t)
        corners += qint64(block.CountOfCells[t]) * std::min(kConvertedCorners, NodesOfType(t));
    const qint32 old = block.CountOfVertices;
    const qint32 oldFunctions = block.Functions ? block.CountOfFunctions : 0;
    const qint32 width = block.VertexData ? block.VertexDataWidth : 0;
    out.count = checkedCount(old + corners);
    out.vertices = allocArray<_DREAL>(3 * qint64(out.count));
    out.functions = allocZeroed<_DREAL *>(oldFunctions + 2);
    out.functionCount = oldFunctions + 2;
    for (qint32 f = 0; f < out.functionCount; ++f)
        out.functions[f] = allocZeroed<_DREAL>(out.count);
    out.vertexData = width ? allocArray<float>(qint64(width) * out.count) : nullptr;
    out.flags = allocZeroed<quint8>(oldFunctions + 2);
    if (block.FunctionFlags)
        std::copy_n(block.FunctionFlags, oldFunctions, out.flags);
    const auto copyVertex = [&](qint32 from, qint64 to) {
        std::copy_n(block.Vertices + 3 * qint64(from), 3, out.vertices + 3 * to);
        for (qint32 f = 0; f < oldFunctions; ++f)
            out.functions[f][to] = block.Functions[f][from];
        if (width)
            std::copy_n(block.VertexData + qint64(from) * width, width,
                        out.vertexData + to * width);
    };
    for (qint32 v = 0; v < old; ++v)
        copyVertex(v, v);
    qint64 next = old;
    forEachCell(block, [&](int t, qint32 c, const qint32 *nodes, int nodeCount) {
        const _DREAL *values = block.CellFuncs[t]
            ? block.CellFuncs[t] + qint64(c) * block.CountOfCellFunctions
            : nullptr;
        for (int k = 0; k < std::min(kConvertedCorners, nodeCount); ++k, ++next) {
            copyVertex(nodes[k], next);
            out.functions[oldFunctions][next] = values ? values[2 * k] : 0;
            out.functions[oldFunctions + 1][next] = values ? values[2 * k + 1] : 0;
        }
    });
}

// Cell functions 6 and above, per filled slot; null when none are left.
_DREAL **remainingCellFunctions(const MeshClass &block)
{
    const qint32 width = block.CountOfCellFunctions;
    const qint32 left = width - kConvertedCellFunctions;
    if (left == 0)
        return nullptr;
    _DREAL **kept = allocZeroed<_DREAL *>(kTypeSlots);
    try {
        for (int t = 0; t < kTypeSlots; ++t) {
            const _DREAL *values = block.CellFuncs[t];
            if (!values)
                continue;
            kept[t] = allocArray<_DREAL>(qint64(block.CountOfCells[t]) * left);
            for (qint32 c = 0; c < block.CountOfCells[t]; ++c)
                std::copy_n(values + qint64(c) * width + kConvertedCellFunctions, left,
                            kept[t] + qint64(c) * left);
        }
    } catch (...) {
        for (int t = 0; t < kTypeSlots; ++t)
            std::free(kept[t]);
        std::free(kept);
        throw;
    }
    return kept;
}

void convertBlock(MeshClass &block)
{
    CornerVertices fresh;
    makeCornerVertices(block, fresh);
    _DREAL **kept = remainingCellFunctions(block);
    // Nothing allocates from here on: a block that runs out of memory above
    // stays as it was. Cells are renumbered in the order the corners were made.
    qint64 next = block.CountOfVertices;
    for (int t = 0; t < kTypeSlots; ++t)
        if (qint32 *nodes = block.Cells[t])
            for (qint32 c = 0; c < block.CountOfCells[t]; ++c)
                for (int k = 0; k < std::min(kConvertedCorners, NodesOfType(t)); ++k)
                    nodes[qint64(c) * NodesOfType(t) + k] = qint32(next++);
    std::swap(block.Functions, fresh.functions);
    std::swap(block.CountOfFunctions, fresh.functionCount);
    std::swap(block.Vertices, fresh.vertices);
    std::swap(block.VertexData, fresh.vertexData);
    std::swap(block.FunctionFlags, fresh.flags);
    block.CountOfVertices = fresh.count;
    freeArray(block.VertexInBox);
    for (int t = 0; t < kTypeSlots; ++t)
        std::free(block.CellFuncs[t]);
    freeArray(block.CellFuncs);
    block.CellFuncs = kept;
    block.CountOfCellFunctions -= kConvertedCellFunctions;
    freeArray(block.CellFuncMin);
    freeArray(block.CellFuncMax);
}

} // namespace

qint32 convertCellFuncsToVertFuncs(ModelClass &model)
{
    for (const MeshClass *mesh : std::as_const(model.Meshes))
        if (!convertible(*mesh))
            return errUnknown;
    for (MeshClass *mesh : std::as_const(model.Meshes))
        if (mesh->totalCells() > 0)
            runGuarded("convertCellFuncsToVertFuncs", [mesh] { convertBlock(*mesh); });
    model.FunctionNames << QStringLiteral("CellFunc0") << QStringLiteral("CellFunc1");
    model.CellFunctionNames = model.CellFunctionNames.mid(kConvertedCellFunctions);
    if (model.FunctionLocation == 2 && model.CurrentFunction >= kConvertedCellFunctions) {
        model.CurrentFunction -= kConvertedCellFunctions;
    } else if (model.FunctionLocation == 2) {
        // The function shown was one of the six: its values now live in the new pair.
        model.FunctionLocation = 1;
        model.CurrentFunction = qint32(model.FunctionNames.size()) - 2;
    }
    releaseModelRanges(model);
    return errNone;
}
