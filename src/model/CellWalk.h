#pragma once

#include "../geometry/MeshClass.h"

// Calls visit(type, cell, nodes, nodeCount) for every cell of every filled
// type slot of the block, slots in ascending order, cells in block order.
template<class Visit> void forEachCell(const MeshClass &block, Visit visit)
{
    for (int t = 0; t < kTypeSlots; ++t) {
        const qint32 *cells = block.Cells[t];
        if (!cells)
            continue;
        const int width = NodesOfType(t);
        for (qint32 c = 0; c < block.CountOfCells[t]; ++c)
            visit(t, c, cells + qint64(c) * width, width);
    }
}
