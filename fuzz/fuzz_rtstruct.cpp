// Fuzz target: structure sets. The bytes are written to a file alone in its
// folder and imported through the door, so the structure walk, the library's
// parse, the contour checks, the grid made from the contours, the even-odd
// fill and the surfaces all see them. Grids are capped small to stay within
// the fuzzer's memory limit and time.

#include "geometry/MeshClass.h"
#include "import/DicomSeries.h"
#include "import/Importer.h"
#include "import/RtStruct.h"
#include "model/ModelClass.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("rs.dcm"));
    setDicomVoxelByteCap(qint64(16) << 20);
    setRtStructVoxelCap(qint64(1) << 20);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    std::vector<std::unique_ptr<ModelClass>> models;
    const ImportResult result = importModels(path, models);
    if ((result.ok && !result.message.isEmpty()) || (!result.ok && !models.empty()))
        __builtin_trap(); // a failure adds no model, a success has no reason to fail
    for (const auto &model : models)
        for (const MeshClass *mesh : model->Meshes)
            for (qint32 v = 0; v < 3 * mesh->CountOfVertices; ++v)
                if (!std::isfinite(mesh->Vertices[v]))
                    __builtin_trap();
    return 0;
}
