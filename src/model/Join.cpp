// Joining models: into one block (material numbers kept or made unique per
// model) or into one model with every block as a zone of its own.

#include "Topology.h"
#include "TopologyFrame.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

using namespace topology;

namespace {

// A block taking part in a one-block join and what its materials are shifted by.
struct JoinPart
{
    const MeshClass *block;
    qint32 materialOffset;
};

// The largest number of a model's Materials list; 0 for an empty list,
// whose cells (without materials) take the offset itself.
qint32 largestMaterial(const ModelClass &model)
{
    qint32 largest = 0;
    for (qint32 m : model.Materials)
        largest = std::max(largest, m);
    return largest;
}

// The blocks in model and block order; a block whose cells name vertices it
// does not have is left out. With unique materials each model's numbers
// follow the largest number of the models before it.
std::vector<JoinPart> joinParts(const QList<const ModelClass *> &models, bool uniqueMaterials)
{
    std::vector<JoinPart> parts;
    qint64 offset = 0;
    for (const ModelClass *model : models) {
        for (const MeshClass *mesh : model->Meshes)
            if (!mesh->checkIndices())
                parts.push_back({mesh, uniqueMaterials ? checkedCount(offset) : 0});
        if (uniqueMaterials) {
            offset += qint64(largestMaterial(*model)) + 1;
            checkedCount(offset - 1); // the largest number the joined cells get
        }
    }
    return parts;
}

// Whether every model has as many function names (of cells or of vertices)
// as the first.
bool sameNameCount(const QList<const ModelClass *> &models, bool cells)
{
    const auto names = [cells](const ModelClass *m) {
        return cells ? m->CellFunctionNames.size() : m->FunctionNames.size();
    };
    return std::all_of(models.begin(), models.end(),
                       [&](const ModelClass *m) { return names(m) == names(models.first()); });
}

// The number of function names all models share, or 0 when they differ.
qsizetype commonNameCount(const QList<const ModelClass *> &models, bool cells)
{
    if (!sameNameCount(models, cells))
        return 0;
    return cells ? models.first()->CellFunctionNames.size() : models.first()->FunctionNames.size();
}

void joinVertices(const std::vector<JoinPart> &parts, qint32 functions, MeshClass &block)
{
    qint64 total = 0;
    for (const JoinPart &part : parts)
        total += part.block->CountOfVertices;
    block.CountOfVertices = checkedCount(total);
    block.Vertices = allocArray<_DREAL>(3 * total);
    if (functions > 0) {
        block.Functions = allocZeroed<_DREAL *>(functions);
        block.CountOfFunctions = functions;
        for (qint32 f = 0; f < functions; ++f)
            block.Functions[f] = allocZeroed<_DREAL>(total);
    }
    qint64 first = 0;
    for (const JoinPart &part : parts) {
        const MeshClass &from = *part.block;
        std::copy_n(from.Vertices, 3 * qint64(from.CountOfVertices), block.Vertices + 3 * first);
        for (qint32 f = 0; f < functions; ++f)
            if (from.Functions && f < from.CountOfFunctions)
                std::copy_n(from.Functions[f], from.CountOfVertices, block.Functions[f] + first);
        first += from.CountOfVertices;
    }
}

// One type slot of the joined block: cells shifted by the vertices before
// their block, materials by their model's offset, cell functions copied
// (0 where a block has fewer).
void joinSlot(const std::vector<JoinPart> &parts, int t, MeshClass &block)
{
    qint64 count = 0;
    for (const JoinPart &part : parts)
        count += part.block->CountOfCells[t];
    if (count == 0)
        return;
    const int nodes = NodesOfType(t);
    const qint32 width = block.CountOfCellFunctions;
    block.Cells[t] = allocArray<qint32>(count * nodes);
    if (block.CellMaterials)
        block.CellMaterials[t] = allocArray<qint32>(count);
    if (block.CellFuncs)
        block.CellFuncs[t] = allocZeroed<_DREAL>(count * width);
    block.CountOfCells[t] = checkedCount(count);
    qint64 cell = 0, shift = 0;
    for (const JoinPart &part : parts) {
        const MeshClass &from = *part.block;
        const qint32 fromWidth = from.CellFuncs ? from.CountOfCellFunctions : 0;
        const _DREAL *values = fromWidth ? from.CellFuncs[t] : nullptr;
        for (qint32 c = 0; c < from.CountOfCells[t]; ++c, ++cell) {
            for (int k = 0; k < nodes; ++k)
                block.Cells[t][cell * nodes + k] =
                    qint32(from.Cells[t][qint64(c) * nodes + k] + shift);
            if (block.CellMaterials)
                block.CellMaterials[t][cell] = from.materialOf(t, c) + part.materialOffset;
            if (values)
                std::copy_n(values + qint64(c) * fromWidth, std::min(width, fromWidth),
                            block.CellFuncs[t] + cell * width);
        }
        shift += from.CountOfVertices;
    }
}

void joinedBlock(const std::vector<JoinPart> &parts, bool uniqueMaterials, qint32 functions,
                 qint32 cellFunctions, MeshClass &block)
{
    if (!parts.empty())
        takeSettings(*parts.front().block, block);
    joinVertices(parts, functions, block);
    const bool materials = uniqueMaterials
        || std::any_of(parts.begin(), parts.end(),
                       [](const JoinPart &p) { return p.block->CellMaterials != nullptr; });
    if (materials)
        block.CellMaterials = allocZeroed<qint32 *>(kTypeSlots);
    if (cellFunctions > 0) {
        block.CellFuncs = allocZeroed<_DREAL *>(kTypeSlots);
        block.CountOfCellFunctions = cellFunctions;
    }
    for (int t = 0; t < kTypeSlots; ++t)
        joinSlot(parts, t, block);
    block.prepare();
}

// Modes 0 and 1: all blocks become one. The block keeps the vertex
// functions, and likewise the cell functions, when every model has the same
// number of names for them; the model then has the first model's names.
void joinIntoOneBlock(ModelClass &joined, const QList<const ModelClass *> &models,
                      bool uniqueMaterials)
{
    const std::vector<JoinPart> parts = joinParts(models, uniqueMaterials);
    const qint32 functions = qint32(commonNameCount(models, false));
    const qint32 cellFunctions = qint32(commonNameCount(models, true));
    addBlock(joined, "join", [&](MeshClass &block) {
        joinedBlock(parts, uniqueMaterials, functions, cellFunctions, block);
    });
    if (!joined.Meshes.isEmpty())
        joined.ShownZones << joined.Meshes.first()->ZoneNumber;
    joined.updateMaterials();
}

// Mode 2: every block is copied whole, zone number included, as a block of
// its own named by its index; the materials are the lists of all models one
// after the other, and every zone is shown.
void joinAsZones(ModelClass &joined, const QList<const ModelClass *> &models)
{
    QList<qint32> materials;
    for (const ModelClass *model : models) {
        for (const MeshClass *mesh : model->Meshes)
            addBlock(joined, "join", [&](MeshClass &block) {
                const QString name = QString::number(joined.Meshes.size());
                mesh->copyMeshTo(block);
                block.Name = name;
            });
        materials += model->Materials;
    }
    joined.Materials = materials;
    joined.ShownZones.clear();
    for (const MeshClass *mesh : std::as_const(joined.Meshes))
        if (!joined.ShownZones.contains(mesh->ZoneNumber))
            joined.ShownZones << mesh->ZoneNumber;
}

// Names of functions that the joined blocks do not carry go. In one block,
// models with as many vertex-function names each give vertex functions to
// show (even none); otherwise the cell functions are shown when there are any.
void settleFunctionNames(ModelClass &joined, const QList<const ModelClass *> &models, bool oneBlock)
{
    releaseModelRanges(joined);
    if (commonNameCount(models, false) == 0)
        joined.FunctionNames.clear();
    if (commonNameCount(models, true) == 0)
        joined.CellFunctionNames.clear();
    if (!joined.FunctionNames.isEmpty() || (oneBlock && sameNameCount(models, false)))
        joined.FunctionLocation = 1;
    else if (!joined.CellFunctionNames.isEmpty())
        joined.FunctionLocation = 2;
    const qsizetype names = joined.FunctionLocation == 2 ? joined.CellFunctionNames.size()
                                                         : joined.FunctionNames.size();
    if (joined.CurrentFunction < 0 || joined.CurrentFunction >= names)
        joined.CurrentFunction = 0;
}

} // namespace

ModelClass *joinModels(const QList<const ModelClass *> &models, JoinMode mode,
                       quint32 displayListBase)
{
    if (models.isEmpty())
        return nullptr;
    return buildModel("join", [&] {
        const ModelClass &first = *models.first();
        auto joined = startModel(first, displayListBase);
        joined->Name = QCoreApplication::translate("ModelClass", "Joint model");
        if (mode == JoinMode::SeveralZones)
            joinAsZones(*joined, models);
        else
            joinIntoOneBlock(*joined, models, mode == JoinMode::UniqueMaterials);
        settleFunctionNames(*joined, models, mode != JoinMode::SeveralZones);
        joined->setParent(first.Parent);
        return joined;
    });
}
