// What a pick leaves in the model: the picked vertex or triangle, the ruler's
// first point and the selection flag of a picked cell. The view finds the
// nearest primitive under the cursor; this maps its name back to a block.

#include "ModelClass.h"

#include "../geometry/Status.h"

namespace {

void forgetRuler(ModelClass &model)
{
    model.RulerKind = model.RulerBlock = model.RulerIndex = -1;
    model.RulerMode = PickTarget::None;
}

MeshClass *takeCellPick(ModelClass &model, qint32 block, qint32 triangle, bool deselect)
{
    forgetRuler(model);
    model.PickMode = PickTarget::Cell;
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
    if (ruler && model.PickMode == PickTarget::Point && model.PickKind > 0) {
        model.RulerKind = model.PickKind;
        model.RulerBlock = model.PickBlock;
        model.RulerIndex = model.PickIndex;
        model.RulerMode = PickTarget::Point;
    } else {
        forgetRuler(model);
    }
    model.PickMode = PickTarget::Point;
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

qint32 ModelClass::pickPrimitives(const MeshClass &mesh, PickTarget mode)
{
    return mode == PickTarget::Point ? mesh.CountOfViewPoints : mesh.CountOfTriVertices / 3;
}

MeshClass *ModelClass::applyPick(PickTarget mode, quint32 name, bool ruler, bool deselect)
{
    if (name == 0) {
        PickKind = PickBlock = PickIndex = -1;
        PickMode = PickTarget::None;
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
    if (mode == PickTarget::Cell)
        return takeCellPick(*this, block, qint32(index), deselect);
    takePointPick(*this, block, qint32(index), ruler);
    return nullptr;
}
