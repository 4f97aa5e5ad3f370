// Fuzz target: label maps to models. The input is a small volume: three
// bytes of size (1..12 voxels each), a byte choosing the voxel type, twelve
// signed bytes of the voxel-to-world map (tenths of a millimetre), then the
// voxels (repeated when the input is short). Every label's surface must be
// a closed, consistently oriented 2-manifold that does not cross itself, as
// the measurements see it, and the models sound.

#include "FuzzModels.h"
#include "import/ImportTypes.h"
#include "import/LabelMapImport.h"
#include "measure/ModelSurface.h"
#include "measure/SurfaceMeasures.h"

#include <cstring>

namespace {

constexpr size_t kHeader = 16;
// Larger surfaces are not tested for crossing themselves: under the
// sanitizers the test takes seconds for a few thousand triangles, and the
// label-map tests check large noise maps for it.
constexpr size_t kMostTestedTriangles = 2000;
constexpr SampleType kTypes[] = {SampleType::UInt8, SampleType::Int8, SampleType::Int16,
                                 SampleType::Float32};

// Traps unless the model's surface is a solid as the measurements see it.
void checkSolid(const ModelClass &model)
{
    const measure::ModelSnapshot shot = measure::snapshotModel(model);
    const measure::SurfaceTopology topology = measure::analyseTopology(shot.surface);
    const measure::TopologyCounts &c = topology.total;
    if (!c.closed() || !c.manifold() || !c.oriented() || topology.collapsedTriangles != 0)
        __builtin_trap();
    if (shot.surface.triangleCount() < kMostTestedTriangles
        && measure::selfIntersects(shot.surface, topology))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size <= kHeader)
        return 0;
    LabelMapData map;
    for (int a = 0; a < 3; ++a)
        map.grid.size[a] = 1 + data[a] % 12;
    map.grid.type = kTypes[data[3] % 4];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            map.toWorld.m[r][c] = 0.1 * qint8(data[4 + 4 * r + c]);
    const size_t voxels = size_t(map.grid.size[0] * map.grid.size[1] * map.grid.size[2]);
    const size_t bytes = voxels * size_t(sampleBytes(map.grid.type));
    std::vector<quint64> samples((bytes + 7) / 8);
    auto *out = reinterpret_cast<uint8_t *>(samples.data());
    for (size_t b = 0; b < bytes; ++b)
        out[b] = data[kHeader + b % (size - kHeader)];
    map.grid.data = samples.data();
    std::vector<std::unique_ptr<ModelClass>> models;
    try {
        labelMapModels(map, recogniseName(QStringLiteral("fuzz.nii")), models, {});
    } catch (const ImportFailure &) {
        return 0;
    }
    for (const auto &model : models) {
        if (model->Meshes.size() != 1 || !closedSurface(*model->Meshes[0]))
            __builtin_trap();
        checkSolid(*model);
        exerciseModel(*model);
    }
    return 0;
}
