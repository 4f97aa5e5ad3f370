// Fuzz target: the NRRD header and data reader, the label volumes made from
// what it reads or, when the values are not labels, the image, and the label
// table parser on the same bytes.

#include "import/ImageImport.h"
#include "import/ImportTypes.h"
#include "import/LabelNames.h"
#include "import/NrrdReader.h"

#include <QByteArrayView>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    parseLabelTable(QString::fromUtf8(bytes));
    try {
        const LabelMapData map = readNrrd(bytes, QString());
        if (!holdsLabels(map, 0)) {
            const ImageVolume image = imageOf(map, QStringLiteral("fuzz.nrrd"));
            if (qint64(image.shorts.size() + image.floats.size()) != image.voxelCount())
                __builtin_trap();
            return 0;
        }
        for (int l = 0; l < map.layers; ++l) {
            const LabelVolume volume = makeLabelVolume(map.layer(l), map.toWorld);
            if (volume.count() > kMaxLabels)
                __builtin_trap();
        }
    } catch (const ImportFailure &) { }
    return 0;
}
