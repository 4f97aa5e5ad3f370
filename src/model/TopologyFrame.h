#pragma once

// The frame the topology operations build their models in (see Topology.h).

#include "../geometry/Alloc.h"
#include "CellWalk.h"
#include "ModelClass.h"

#include <memory>

namespace topology {

// A new model with the source's attributes and the caller's list base.
std::unique_ptr<ModelClass> startModel(const ModelClass &source, quint32 displayListBase);

// Copies of the source's material, zone and shown-material lists; then the
// source's parent, last, so that a model given up on the way never joins a
// parent's children.
void finishModel(ModelClass &model, const ModelClass &source);

// The block's colours, box, switches, zone number and name, without the
// function counts and ranges: each operation sets the functions it builds.
void takeSettings(const MeshClass &from, MeshClass &to);

// Releases the model's function ranges; prepareData computes them anew for
// the names the model then has.
void releaseModelRanges(ModelClass &model);

// The model's vertex-function names and ranges go (its blocks have none);
// the current function moves to the cell functions when there are any.
void dropVertexFunctionNames(ModelClass &model);

// Produces a block into a fresh MeshClass and appends it with its display
// lists numbered from the model's base. A block whose production throws (no
// memory, or cells naming vertices the source does not have) is left out;
// the trace gets "Error in function: <name>". Returns whether it was added.
template<class Produce> bool addBlock(ModelClass &model, const char *name, Produce produce)
{
    std::unique_ptr<MeshClass> block;
    const qint32 status = runGuarded(name, [&] {
        block = std::make_unique<MeshClass>();
        produce(*block);
    });
    if (status != errNone)
        return false;
    const quint32 n = quint32(model.Meshes.size());
    block->DisplayLists = model.DisplayListBase ? model.DisplayListBase + 5 * n : 0;
    model.Meshes.append(block.release());
    return true;
}

// Runs a model-building body; null when it fails as a whole.
template<class Build> ModelClass *buildModel(const char *name, Build build)
{
    std::unique_ptr<ModelClass> model;
    if (runGuarded(name, [&] { model = build(); }) != errNone)
        return nullptr;
    return model.release();
}

// Throws when the block's cells name vertices it does not have: the
// operations index their arrays by those numbers.
inline void requireSound(const MeshClass &block)
{
    if (block.checkIndices())
        throw errUnknown;
}

// A count that must fit the blocks' 32-bit counters.
inline qint32 checkedCount(qint64 count)
{
    if (count < 0 || count > std::numeric_limits<qint32>::max())
        throw errNoMemory;
    return qint32(count);
}

} // namespace topology
