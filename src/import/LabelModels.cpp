#include "LabelModels.h"

#include "ImportedModel.h"
#include "geometry/Alloc.h"
#include "model/ModelClass.h"
#include "model/ModelFacts.h"

#include <QVariant>

#include <algorithm>
#include <limits>

namespace {

// The triangles of every label: a triangle appears under both of its
// labels, marked to be turned over under the one outside it.
struct LabelTriangles
{
    std::vector<qint64> offsets; // label l: entries offsets[l]..offsets[l + 1]
    std::vector<qint64> entries; // triangle * 2, + 1 when turned over
};

LabelTriangles groupByLabel(const LabelSurface &surface, int labelCount)
{
    LabelTriangles g;
    g.offsets.assign(size_t(labelCount + 2), 0);
    const qint64 triangles = surface.triangleCount();
    for (qint64 t = 0; t < triangles; ++t) {
        ++g.offsets[size_t(surface.inside[size_t(t)]) + 1];
        ++g.offsets[size_t(surface.outside[size_t(t)]) + 1];
    }
    for (int l = 0; l <= labelCount; ++l)
        g.offsets[size_t(l + 1)] += g.offsets[size_t(l)];
    g.entries.resize(size_t(g.offsets.back()));
    std::vector<qint64> fill(g.offsets.begin(), g.offsets.end() - 1);
    for (qint64 t = 0; t < triangles; ++t) {
        g.entries[size_t(fill[surface.inside[size_t(t)]]++)] = 2 * t;
        g.entries[size_t(fill[surface.outside[size_t(t)]]++)] = 2 * t + 1;
    }
    return g;
}

// A block of the label's triangles, its vertices numbered in order of use.
// `local` maps surface vertices to block vertices for the label marked in
// `owner`, so no table is cleared between labels.
std::unique_ptr<MeshClass> labelBlock(const LabelSurface &surface, const qint64 *entry,
                                      qint64 count, int label, std::vector<qint32> &local,
                                      std::vector<qint32> &owner)
{
    auto mesh = std::make_unique<MeshClass>();
    qint32 *cells = allocArray<qint32>(3 * count);
    mesh->Cells[Triangle] = cells;
    mesh->CountOfCells[Triangle] = qint32(count);
    std::vector<qint32> used;
    for (qint64 n = 0; n < count; ++n) {
        const qint64 t = entry[n] / 2;
        const bool turned = entry[n] & 1;
        for (int c = 0; c < 3; ++c) {
            const qint32 v = surface.triangles[size_t(3 * t + (turned && c ? 3 - c : c))];
            if (owner[size_t(v)] != label) {
                owner[size_t(v)] = label;
                local[size_t(v)] = qint32(used.size());
                used.push_back(v);
            }
            cells[3 * n + c] = local[size_t(v)];
        }
    }
    mesh->Vertices = allocArray<_DREAL>(3 * qint64(used.size()));
    mesh->CountOfVertices = qint32(used.size());
    for (size_t v = 0; v < used.size(); ++v)
        for (int c = 0; c < 3; ++c)
            mesh->Vertices[3 * v + size_t(c)] = surface.xyz[3 * size_t(used[v]) + size_t(c)];
    return mesh;
}

} // namespace

void addLabelModels(const LabelSurface &surface, const std::vector<qint64> &values,
                    const std::vector<double> &voxelVolumes, const QString &path,
                    const std::function<LabelLook(int label)> &lookOf,
                    const std::function<void(int label, const QString &name)> &step,
                    std::vector<std::unique_ptr<ModelClass>> &models)
{
    const int labelCount = int(values.size()) - 1;
    const LabelTriangles groups = groupByLabel(surface, labelCount);
    std::vector<qint32> local(size_t(surface.vertexCount())), owner(local.size(), -1);
    for (int label = 1; label <= labelCount; ++label) {
        const qint64 first = groups.offsets[size_t(label)];
        const qint64 count = groups.offsets[size_t(label + 1)] - first;
        const LabelLook look = lookOf(label);
        if (step)
            step(label, look.name);
        if (count == 0)
            continue;
        std::unique_ptr<MeshClass> mesh =
            labelBlock(surface, groups.entries.data() + first, count, label, local, owner);
        const qint64 value = values[size_t(label)];
        mesh->CellMaterials = allocZeroed<qint32 *>(kTypeSlots);
        mesh->CellMaterials[Triangle] = allocArray<qint32>(count);
        std::fill_n(mesh->CellMaterials[Triangle], count,
                    value >= 0 && value <= std::numeric_limits<qint32>::max() ? qint32(value) : 0);
        std::unique_ptr<ModelClass> model = importedModel(path, std::move(mesh), look);
        model->setProperty(kVoxelVolumeProperty, QVariant(voxelVolumes[size_t(label)]));
        if (!look.structure.isEmpty())
            model->setProperty(kStructureProperty, QVariant(look.structure));
        if (look.side != anatomy::Side::None)
            model->setProperty(kSideProperty,
                               QVariant(look.side == anatomy::Side::Left
                                            ? QStringLiteral("left")
                                            : QStringLiteral("right")));
        models.push_back(std::move(model));
    }
}
