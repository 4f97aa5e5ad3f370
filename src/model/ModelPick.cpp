// What a pick leaves in the model: the picked vertex or triangle, the ruler's
// first point and the selection flag of a picked cell. The view finds the
// nearest primitive under the cursor; this maps its name back to a block.

#include "ModelClass.h"

#include "../geometry/Status.h"

namespace {

MeshClass *takeCellPick(ModelClass &model, qint32 block, qint32 triangle, bool deselect)
{
    model.RulerKind = model.RulerBlock = model.RulerIndex = model.RulerMode = -1;
    model.PickMode = 2;
    if (block < 0) {
        model.PickKind = 0;
        model.PickBlock = model.PickIndex = -1;
        return nullptr;
    }
    model.PickKind = 1;
    model.PickBlock = block;
    model.PickIndex = triangle;
    MeshClass *mesh = model.Meshes.at(block);
    if (!mesh->SelectEnabled || !mesh->TriangleCells)
        return nullptr;
    const qint32 type = mesh->TriangleCells[2 * qint64(triangle)];
    const qint32 cell = mesh->TriangleCells[2 * qint64(triangle) + 1];
    const qint32 status = runGuarded("pick", [&] { mesh->setCellSelected(type, cell, !deselect); });
    return status == errNone ? mesh : nullptr;
}

void takePointPick(ModelClass &model, qint32 block, qint32 point, bool ruler)
{
    // Only a picked vertex can be the ruler's first point.
    if (ruler && model.PickMode == 1 && model.PickKind > 0) {
        model.RulerKind = model.PickKind;
        model.RulerBlock = model.PickBlock;
        model.RulerIndex = model.PickIndex;
        model.RulerMode = 1;
    } else {
        model.RulerKind = model.RulerBlock = model.RulerIndex = model.RulerMode = -1;
    }
    model.PickMode = 1;
    if (block < 0) {
        model.PickKind = 0;
        model.PickBlock = model.PickIndex = -1;
        return;
    }
    const MeshClass *mesh = model.Meshes.at(block);
    model.PickKind = 1;
    model.PickBlock = block;
    model.PickIndex = mesh->ViewPointIndices ? mesh->ViewPointIndices[point] : point;
}

} // namespace

qint32 ModelClass::pickPrimitives(const MeshClass &mesh, int mode)
{
    return mode == 1 ? mesh.CountOfViewPoints : mesh.CountOfTriVertices / 3;
}

MeshClass *ModelClass::applyPick(int mode, quint32 name, bool ruler, bool deselect)
{
    if (name == 0) {
        PickKind = PickBlock = PickIndex = PickMode = -1;
        return nullptr;
    }
    qint32 block = -1;
    qint64 index = qint64(name) - 1;
    for (qsizetype b = 0; b < Meshes.size(); ++b) {
        const qint32 count = pickPrimitives(*Meshes.at(b), mode);
        if (index < count) {
            block = qint32(b);
            break;
        }
        index -= count;
    }
    if (mode == 2)
        return takeCellPick(*this, block, qint32(index), deselect);
    takePointPick(*this, block, qint32(index), ruler);
    return nullptr;
}
