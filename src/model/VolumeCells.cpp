// Models derived from the volume cells: the outer surface of every block,
// and blocks whose degenerate hexahedra became tetrahedra.

#include "Topology.h"
#include "TopologyFrame.h"

#include <algorithm>
#include <vector>

using namespace topology;

namespace {

// A face of size K while matching: its vertex numbers sorted; the position
// in emission order keeps the sort stable. The cells' materials would only
// order faces within a run of equal vertex sets, and every such run is
// dropped whole, so they take no part.
template<int K> struct SortedFace
{
    qint32 sorted[K];
    qint32 position;

    bool operator<(const SortedFace &o) const
    {
        for (int i = 0; i < K; ++i)
            if (sorted[i] != o.sorted[i])
                return sorted[i] < o.sorted[i];
        return position < o.position;
    }
    bool sameVertices(const SortedFace &o) const
    {
        return std::equal(sorted, sorted + K, o.sorted);
    }
};

// The faces of size K of every volume cell that no other face of the block
// repeats, as K node numbers each in the face table's orientation, in the
// order of their sorted vertex numbers.
template<int K> std::vector<qint32> outerFaces(const MeshClass &block)
{
    std::vector<qint32> nodes;
    std::vector<SortedFace<K>> keys;
    for (const FaceTable *table : kVolumeFaceOrder) {
        const int t = table->type;
        const int count = K == 3 ? table->triangleCount : table->quadCount;
        for (qint32 c = 0; c < block.CountOfCells[t] && count > 0; ++c) {
            const qint32 *cell = block.Cells[t] + qint64(c) * NodesOfType(t);
            for (int f = 0; f < count; ++f) {
                const int *local = K == 3 ? table->triangles[f] : table->quads[f];
                SortedFace<K> key;
                for (int i = 0; i < K; ++i) {
                    nodes.push_back(cell[local[i]]);
                    key.sorted[i] = cell[local[i]];
                }
                std::sort(key.sorted, key.sorted + K);
                key.position = qint32(keys.size());
                keys.push_back(key);
            }
        }
    }
    std::sort(keys.begin(), keys.end());
    std::vector<qint32> kept;
    for (size_t i = 0; i < keys.size();) {
        size_t j = i + 1;
        while (j < keys.size() && keys[j].sameVertices(keys[i]))
            ++j;
        if (j - i == 1)
            kept.insert(kept.end(), nodes.begin() + qint64(keys[i].position) * K,
                        nodes.begin() + qint64(keys[i].position + 1) * K);
        i = j;
    }
    return kept;
}

void storeSlot(MeshClass &block, int t, const std::vector<qint32> &nodes)
{
    if (nodes.empty())
        return;
    block.Cells[t] = copyArray(nodes.data(), qint64(nodes.size()));
    block.CountOfCells[t] = checkedCount(qint64(nodes.size()) / NodesOfType(t));
}

void surfaceBlock(const MeshClass &source, MeshClass &block)
{
    requireSound(source);
    takeSettings(source, block);
    block.CountOfVertices = source.CountOfVertices;
    block.Vertices = copyArray(source.Vertices, 3 * qint64(source.CountOfVertices));
    std::vector<qint32> cellsOfSlot[MaxPolygon + 1];
    cellsOfSlot[Triangle] = outerFaces<3>(source);
    cellsOfSlot[Quadrangle] = outerFaces<4>(source);
    for (int k = 1; k <= MaxPolygon; ++k)
        if (source.Cells[k])
            cellsOfSlot[k].insert(cellsOfSlot[k].end(), source.Cells[k],
                                  source.Cells[k] + qint64(source.CountOfCells[k]) * k);
    for (int k = 1; k <= MaxPolygon; ++k)
        storeSlot(block, k, cellsOfSlot[k]);
    block.prepare();
}

} // namespace

std::vector<qint32> outerVolumeFaces(const MeshClass &block, int corners)
{
    return corners == 3 ? outerFaces<3>(block)
        : corners == 4  ? outerFaces<4>(block)
                        : std::vector<qint32>();
}

ModelClass *createSurface(const ModelClass &source, quint32 displayListBase)
{
    qCDebug(lcTrace) << "ModelClass::createSurface";
    return buildModel("createSurface", [&]() -> std::unique_ptr<ModelClass> {
        auto model = startModel(source, displayListBase);
        for (const MeshClass *mesh : source.Meshes)
            addBlock(*model, "createSurface",
                     [mesh](MeshClass &block) { surfaceBlock(*mesh, block); });
        if (model->Meshes.isEmpty())
            return nullptr;
        // The function names and their location stay as the source has them.
        finishModel(*model, source);
        model->prepareData();
        model->prepareDraw();
        return model;
    });
}

namespace {

// The tetrahedron a degenerate hexahedron collapses to, or false.
bool collapseHexahedron(const qint32 *h, qint32 tetrahedron[4])
{
    if (h[0] == h[1] && h[1] == h[2] && h[2] == h[3] && h[6] == h[7]) {
        const qint32 nodes[4] = {h[0], h[4], h[5], h[6]};
        std::copy_n(nodes, 4, tetrahedron);
        return true;
    }
    if (h[2] == h[3] && h[4] == h[5] && h[5] == h[6] && h[6] == h[7]) {
        const qint32 nodes[4] = {h[0], h[1], h[2], h[4]};
        std::copy_n(nodes, 4, tetrahedron);
        return true;
    }
    return false;
}

// The cells of the two volume slots after the conversion, with the source
// cell each one came from (type and number), so that its material and cell
// functions follow it.
struct MergedCells
{
    std::vector<qint32> nodes[2]; // tetrahedra, hexahedra
    std::vector<std::pair<int, qint32>> from[2];
};

MergedCells collapseHexahedra(const MeshClass &source)
{
    MergedCells merged;
    for (qint32 c = 0; c < source.CountOfCells[Tetrahedron]; ++c) {
        const qint32 *t = source.Cells[Tetrahedron] + qint64(c) * 4;
        merged.nodes[0].insert(merged.nodes[0].end(), t, t + 4);
        merged.from[0].emplace_back(Tetrahedron, c);
    }
    const qint32 hexahedra = source.CountOfCells[Hexahedron];
    qint32 converted = 0;
    std::vector<qint32> kept;
    for (qint32 c = 0; c < hexahedra; ++c) {
        const qint32 *h = source.Cells[Hexahedron] + qint64(c) * 8;
        qint32 tetrahedron[4];
        if (collapseHexahedron(h, tetrahedron)) {
            merged.nodes[0].insert(merged.nodes[0].end(), tetrahedron, tetrahedron + 4);
            merged.from[0].emplace_back(Hexahedron, c);
            ++converted;
        } else {
            qCDebug(lcTrace) << h[0] << h[1] << h[2] << h[3] << h[4] << h[5] << h[6] << h[7];
            merged.nodes[1].insert(merged.nodes[1].end(), h, h + 8);
            merged.from[1].emplace_back(Hexahedron, c);
        }
    }
    qCDebug(lcTrace) << converted << hexahedra;
    return merged;
}

// Stores one rebuilt volume slot with the materials and cell functions of
// the cells it came from.
void storeMerged(const MeshClass &source, int t, const std::vector<qint32> &nodes,
                 const std::vector<std::pair<int, qint32>> &from, MeshClass &block)
{
    storeSlot(block, t, nodes);
    const qint32 count = block.CountOfCells[t];
    if (count == 0)
        return;
    if (block.CellMaterials) {
        block.CellMaterials[t] = allocArray<qint32>(count);
        for (qint32 i = 0; i < count; ++i)
            block.CellMaterials[t][i] =
                source.materialOf(from[size_t(i)].first, from[size_t(i)].second);
    }
    if (block.CellFuncs) {
        const qint32 width = block.CountOfCellFunctions;
        block.CellFuncs[t] = allocZeroed<_DREAL>(qint64(count) * width);
        for (qint32 i = 0; i < count; ++i) {
            const auto [type, c] = from[size_t(i)];
            if (const _DREAL *values = source.CellFuncs[type])
                std::copy_n(values + qint64(c) * width, width,
                            block.CellFuncs[t] + qint64(i) * width);
        }
    }
}

void mergeBlock(const MeshClass &source, MeshClass &block)
{
    requireSound(source);
    takeSettings(source, block);
    block.CountOfVertices = source.CountOfVertices;
    block.Vertices = copyArray(source.Vertices, 3 * qint64(source.CountOfVertices));
    if (source.CellMaterials)
        block.CellMaterials = allocZeroed<qint32 *>(kTypeSlots);
    if (source.CellFuncs) {
        block.CellFuncs = allocZeroed<_DREAL *>(kTypeSlots);
        block.CountOfCellFunctions = source.CountOfCellFunctions;
    }
    for (int t = 0; t < kTypeSlots; ++t) {
        if (t == Tetrahedron || t == Hexahedron || !source.Cells[t])
            continue;
        const qint64 count = source.CountOfCells[t];
        block.Cells[t] = copyArray(source.Cells[t], count * NodesOfType(t));
        block.CountOfCells[t] = qint32(count);
        if (block.CellMaterials)
            block.CellMaterials[t] = copyArray(source.CellMaterials[t], count);
        if (block.CellFuncs)
            block.CellFuncs[t] =
                copyArray(source.CellFuncs[t], count * source.CountOfCellFunctions);
    }
    const MergedCells merged = collapseHexahedra(source);
    storeMerged(source, Tetrahedron, merged.nodes[0], merged.from[0], block);
    storeMerged(source, Hexahedron, merged.nodes[1], merged.from[1], block);
    block.prepare();
}

} // namespace

ModelClass *makeTopologyMergeVertices(const ModelClass &source, quint32 displayListBase)
{
    qCDebug(lcTrace) << "ModelClass::makeTopologyMergeVertices";
    return buildModel("makeTopologyMergeVertices", [&]() -> std::unique_ptr<ModelClass> {
        auto model = startModel(source, displayListBase);
        for (const MeshClass *mesh : source.Meshes)
            addBlock(*model, "makeTopologyMergeVertices",
                     [mesh](MeshClass &block) { mergeBlock(*mesh, block); });
        if (model->Meshes.isEmpty())
            return nullptr;
        dropVertexFunctionNames(*model);
        finishModel(*model, source);
        return model;
    });
}
