#include "MaterialEdit.h"

#include "../geometry/Alloc.h"
#include "ModelClass.h"

namespace {

bool selected(const MeshClass &mesh, int type, qint32 cell)
{
    return mesh.CellSelected && mesh.CellSelected[type] && mesh.CellSelected[type][cell];
}

void giveZeroMaterials(MeshClass &mesh)
{
    if (!mesh.CellMaterials)
        mesh.CellMaterials = allocZeroed<qint32 *>(kTypeSlots);
    for (int t = 0; t < kTypeSlots; ++t)
        if (mesh.CountOfCells[t] > 0 && !mesh.CellMaterials[t])
            mesh.CellMaterials[t] = allocZeroed<qint32>(mesh.CountOfCells[t]);
}

void renumberBlock(MeshClass &mesh, int mode, const QList<qint32> &from, qint32 to)
{
    if (mode == 3 && mesh.CellSelected)
        giveZeroMaterials(mesh);
    if (!mesh.CellMaterials)
        return;
    for (int t = 0; t < kTypeSlots; ++t) {
        qint32 *materials = mesh.CellMaterials[t];
        if (!materials)
            continue;
        for (qint32 c = 0; c < mesh.CountOfCells[t]; ++c) {
            const bool take = mode == 1 ? from.contains(materials[c])
                : mode == 2             ? from.contains(materials[c]) && selected(mesh, t, c)
                                        : selected(mesh, t, c);
            if (take)
                materials[c] = to;
        }
    }
}

} // namespace

void renumberMaterials(ModelClass &model, int mode, const QList<qint32> &from, qint32 to)
{
    if (mode < 1 || mode > 3)
        return;
    for (MeshClass *mesh : std::as_const(model.Meshes))
        runGuarded("renumberMaterials", [&] { renumberBlock(*mesh, mode, from, to); });
    model.prepareData();
    model.NeedsRebuild = 1;
    model.prepareDraw();
}
