#include "ModelSurface.h"

#include "MeasureReport.h"
#include "model/ModelClass.h"
#include "model/ModelFacts.h"
#include "model/Topology.h"

#include <QCoreApplication>
#include <QVariant>

#include <cmath>

namespace measure {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Measurements)
};

// Fans (p0, pi, pi+1) of `count` polygons of k nodes each, numbered from `base`.
void addFans(TriangleSurface &out, const qint32 *nodes, qint64 count, int k, std::uint32_t base)
{
    for (qint64 c = 0; c < count; ++c, nodes += k)
        for (int i = 1; i + 1 < k; ++i)
            out.triangles.insert(out.triangles.end(),
                                 {base + std::uint32_t(nodes[0]), base + std::uint32_t(nodes[i]),
                                  base + std::uint32_t(nodes[i + 1])});
}

bool finite(const MeshClass &mesh)
{
    const _DREAL *v = mesh.Vertices;
    for (qint64 i = 0, n = 3 * qint64(mesh.CountOfVertices); i < n; ++i)
        if (!std::isfinite(v[i]))
            return false;
    return true;
}

} // namespace

Anatomy anatomyOfModel(const ModelClass &model)
{
    const QString structure = model.property(kStructureProperty).toString();
    return structure.isEmpty() ? anatomyOf(model.title(), model.FileName)
                               : anatomyOfStructure(structure, model.FileName);
}

QString shownNameOf(const ModelClass &model)
{
    return shownName(model.title(), anatomyOfModel(model));
}

ModelSnapshot snapshotModel(const ModelClass &model)
{
    ModelSnapshot shot;
    shot.name = model.title();
    shot.fileName = model.FileName;
    shot.visible = model.Visible;
    shot.anatomy = anatomyOfModel(model);
    const QString side = model.property(kSideProperty).toString();
    shot.side = side == u"left" ? anatomy::Side::Left
        : side == u"right"      ? anatomy::Side::Right
                                : anatomy::sideIn(shot.name);
    if (const QVariant voxels = model.property(kVoxelVolumeProperty); voxels.isValid())
        shot.voxelVolume = voxels.toDouble();
    shot.codes = model.property(kCodesProperty).toList();
    if (model.ModelColor[0] >= 0)
        shot.colour = {model.ModelColor[0], model.ModelColor[1], model.ModelColor[2]};
    else if (!model.Meshes.isEmpty())
        for (int k = 0; k < 3; ++k)
            shot.colour[std::size_t(k)] = int(std::lround(model.Meshes[0]->FrontColor[k] * 255));
    for (const MeshClass *mesh : model.Meshes) {
        if (mesh->checkIndices()) {
            shot.refusal = Text::tr("its cells name vertices it does not have");
            break;
        }
        if (!finite(*mesh)) {
            shot.refusal = Text::tr("some coordinates are not numbers");
            break;
        }
        TriangleSurface &s = shot.surface;
        const auto base = std::uint32_t(s.vertexCount());
        s.points.insert(s.points.end(), mesh->Vertices,
                        mesh->Vertices + 3 * qint64(mesh->CountOfVertices));
        for (int k = 3; k <= MaxPolygon; ++k)
            if (mesh->Cells[k])
                addFans(s, mesh->Cells[k], mesh->CountOfCells[k], k, base);
        for (int k : {3, 4}) {
            const std::vector<qint32> faces = outerVolumeFaces(*mesh, k);
            addFans(s, faces.data(), qint64(faces.size()) / k, k, base);
        }
    }
    if (!shot.refusal.isEmpty())
        shot.surface = TriangleSurface();
    return shot;
}

} // namespace measure
