// Fuzz target: the DICOM path. The bytes are written to a file, scanned as a
// series and read into an image, so the structure walk, the header scan, the
// geometry and the library's decoding all see them. Images are capped small
// to stay within the fuzzer's memory limit.

#include "import/DicomSeries.h"
#include "import/ImportTypes.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("input.dcm"));
    setDicomVoxelByteCap(qint64(64) << 20);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    try {
        const ImageVolume image = readDicomSeries(path);
        if (image.isEmpty() || !image.toWorld.isUsable()
            || (image.shorts.empty() == image.floats.empty()))
            __builtin_trap();
        if (size_t(image.voxelCount()) != image.shorts.size() + image.floats.size())
            __builtin_trap();
    } catch (const ImportFailure &) { }
    return 0;
}
