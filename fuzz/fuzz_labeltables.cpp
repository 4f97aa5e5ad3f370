// Fuzz target: the label tables (the XML of a NIfTI header, dataset.json,
// colour tables and label description files) on the same bytes, and the
// side split on a small label volume made of them.

#include "import/ImportTypes.h"
#include "import/LabelNames.h"
#include "import/LabelSides.h"
#include "import/LabelTables.h"

#include <QByteArrayView>

namespace {

// An 8³ block of labels 0..2 from the bytes, inside a border of background
// as every label volume has, on a grid of 1 mm centred on x = 0.
LabelVolume volumeOf(QByteArrayView bytes)
{
    LabelVolume v;
    for (qint64 &s : v.size)
        s = 10;
    v.labels.assign(1000, 0);
    v.values = {0, 1, 2};
    for (qsizetype n = 0; n < std::min<qsizetype>(bytes.size(), 512); ++n) {
        const qint64 i = n % 8 + 1, j = (n / 8) % 8 + 1, k = n / 64 + 1;
        v.labels[size_t(i + 10 * (j + 10 * k))] = quint16(quint8(bytes[n]) % 3);
    }
    v.toWorld.m[0][3] = -4.5;
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    ImportWarnings warnings;
    parseXmlLabelTable(bytes, QStringLiteral("fuzz"));
    parseDatasetJson(bytes.toByteArray(), QStringLiteral("fuzz"));
    parseLabelTable(QString::fromUtf8(bytes), QStringLiteral("fuzz"));
    LabelVolume volume = volumeOf(bytes);
    const std::vector<anatomy::Side> sides = splitSides(
        volume, bytes.isEmpty() ? 0.0 : double(qint8(bytes[0])) / 16, [](int) { return true; });
    if (sides.size() != volume.values.size() || volume.count() > 4)
        __builtin_trap();
    for (quint16 label : volume.labels)
        if (label > volume.count())
            __builtin_trap();
    return 0;
}
