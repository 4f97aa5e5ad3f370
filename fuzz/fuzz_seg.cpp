// Fuzz target: DICOM segmentations. The bytes are written to a file and read
// as a segmentation, so the structure walk, the header and functional groups,
// the frame placement, the bit unpacking and the surfaces all see them. Each
// segment's voxels are capped small to stay within the fuzzer's memory limit.

#include "import/DicomSeg.h"
#include "import/DicomSeries.h"
#include "import/ImportTypes.h"
#include "model/ModelClass.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("input.dcm"));
    setDicomVoxelByteCap(qint64(16) << 20);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    ImportWarnings warnings;
    try {
        std::vector<std::unique_ptr<ModelClass>> models;
        importDicomSeg(recognise(path), models);
        if (models.empty())
            __builtin_trap(); // success promises a model
        for (const auto &model : models)
            if (model->Meshes.isEmpty())
                __builtin_trap();
    } catch (const ImportFailure &) { }
    return 0;
}
