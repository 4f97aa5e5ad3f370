#include "PlaneCut.h"

#include "../geometry/Status.h"
#include "CellWalk.h"
#include "ModelClass.h"

#include <cmath>

void clipBlock(MeshClass &block, const double point[3], const double normal[3], bool include,
               bool invert)
{
    const double length =
        std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
    float unit[3];
    for (int a = 0; a < 3; ++a)
        unit[a] = float(length > 0 ? normal[a] / length : normal[a]);
    const double unitLength = std::sqrt(double(unit[0]) * unit[0] + double(unit[1]) * unit[1]
                                        + double(unit[2]) * unit[2]);
    const double d = -(unit[0] * point[0] + unit[1] * point[1] + unit[2] * point[2]);
    const double sign = invert ? -1.0 : 1.0;
    // Signed distance, positive on the kept side.
    auto kept = [&](qint32 v) {
        const _DREAL *p = block.Vertices + 3 * qint64(v);
        const double s = (unit[0] * p[0] + unit[1] * p[1] + unit[2] * p[2] + d)
            / (unitLength > 0 ? unitLength : 1.0);
        return sign * s >= 0;
    };
    // A failed allocation leaves the block as it was.
    if (runGuarded(nullptr, [&] { block.allocCellVisible(); }) != errNone)
        return;
    forEachCell(block, [&](int t, qint32 c, const qint32 *nodes, int width) {
        int inside = 0;
        for (int i = 0; i < width; ++i)
            inside += kept(nodes[i]) ? 1 : 0;
        block.CellVisible[t][c] = include ? inside > 0 : inside == width;
    });
}

void markFunctionRange(MeshClass &block, float maximum, float minimum, int function, int location)
{
    if (runGuarded(nullptr, [&] { block.allocCellVisible(); }) != errNone)
        return;
    const double lo = minimum, hi = maximum;
    auto within = [&](_DREAL v) { return lo <= v && v <= hi; };
    if (location == 2) {
        if (!block.CellFuncs || function < 0 || function >= block.CountOfCellFunctions)
            return;
        forEachCell(block, [&](int t, qint32 c, const qint32 *, int) {
            const _DREAL *values = block.CellFuncs[t];
            block.CellVisible[t][c] =
                values && within(values[qint64(c) * block.CountOfCellFunctions + function]);
        });
    } else if (location == 1) {
        if (!block.Functions || function < 0 || function >= block.CountOfFunctions)
            return;
        const _DREAL *values = block.Functions[function];
        forEachCell(block, [&](int t, qint32 c, const qint32 *nodes, int width) {
            bool all = true;
            for (int i = 0; i < width && all; ++i)
                all = within(values[nodes[i]]);
            block.CellVisible[t][c] = all;
        });
    }
}

void rebuildVisibleCells(ModelClass &model)
{
    for (MeshClass *mesh : std::as_const(model.Meshes))
        mesh->constructViewFaces(model.ShownMaterials);
    model.NeedsRebuild = 1;
    model.prepareDraw();
}

void clipMeshes(ModelClass &model, const double point[3], const double normal[3], bool include,
                bool invert)
{
    for (MeshClass *mesh : std::as_const(model.Meshes))
        clipBlock(*mesh, point, normal, include, invert);
    model.Settings.ClipState = PlaneClip::InPlace;
    model.Settings.ClipInclude = include;
    model.Settings.ClipInvert = invert;
    rebuildVisibleCells(model);
}

void cutFunctionRange(ModelClass &model, float maximum, float minimum)
{
    for (MeshClass *mesh : std::as_const(model.Meshes)) {
        qCDebug(lcTrace) << "set_func_intersect";
        markFunctionRange(*mesh, maximum, minimum, model.CurrentFunction, model.FunctionLocation);
        qCDebug(lcTrace) << "set_func_intersect end";
    }
    model.Settings.CutMin = minimum;
    model.Settings.CutMax = maximum;
    rebuildVisibleCells(model);
}

void removeClip(ModelClass &model)
{
    model.Settings.ClipState = PlaneClip::None;
    for (MeshClass *mesh : std::as_const(model.Meshes))
        mesh->clearCellVisible();
    rebuildVisibleCells(model);
}
