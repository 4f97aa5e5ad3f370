// The slices of an MR mosaic: one stored image holding its slices side by
// side, tiles of ceil(sqrt(n)) to a row. The count comes from (0019,100A) or
// from the private CSA image header (0029,1010), which may also give the
// slice normal; each slice is placed from the mosaic's corner, moved to the
// corner of a tile, then along the normal by the slice spacing.

#include "DicomDataSet.h"
#include "DicomFrames.h"
#include "DicomTags.h"
#include "ImportTypes.h"

#include <gdcmReader.h>

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstring>

using namespace dicomtag;

namespace {

const gdcm::Tag kCsaImage(0x0029, 0x1010);

// The most slices a mosaic holds: no scanner tiles more than this.
constexpr int kMostTiles = 1024;

quint32 csaWord(const QByteArray &csa, qsizetype at)
{
    quint32 v = 0;
    std::memcpy(&v, csa.constData() + at, 4);
    return v; // the header is little-endian, as the machines that write it
}

// The text items of element `name` of a CSA header of the second form
// ("SV10"), or none; every length is checked against the header.
QStringList csaValues(const QByteArray &csa, const char *name)
{
    if (!csa.startsWith("SV10") || csa.size() < 16)
        return {};
    const quint32 count = csaWord(csa, 8);
    qsizetype at = 16;
    for (quint32 t = 0; t < count && t < 512; ++t) {
        if (csa.size() - at < 84)
            return {};
        const QByteArray tag = csa.mid(at, 64).split('\0').front();
        const quint32 items = csaWord(csa, at + 76);
        at += 84;
        QStringList values;
        for (quint32 i = 0; i < items; ++i) {
            if (items > 512 || csa.size() - at < 16)
                return {};
            const quint32 length = csaWord(csa, at + 4);
            at += 16;
            if (length > quint32(csa.size() - at))
                return {};
            values << QString::fromLatin1(csa.mid(at, length).split('\0').front()).trimmed();
            at += (length + 3) & ~quint32(3);
        }
        if (tag == name)
            return values;
    }
    return {};
}

// The count of slices: (0019,100A) as a 16-bit number or as text, else the
// CSA header's; 0 when neither gives one.
int mosaicCount(const gdcm::DataSet &set, const QByteArray &csa)
{
    const QByteArray bytes = elementBytes(&set, kMosaicImages);
    bool ok = false;
    if (bytes.size() == 2)
        return quint8(bytes[0]) | quint8(bytes[1]) << 8;
    if (const int n = QString::fromLatin1(bytes).remove(QChar(0)).trimmed().toInt(&ok); ok)
        return n;
    const QStringList csaCount = csaValues(csa, "NumberOfImagesInMosaic");
    const int n = csaCount.isEmpty() ? 0 : int(csaCount.front().toDouble(&ok));
    return ok ? n : 0;
}

[[noreturn]] void refuse(const DicomFrame &f, const QString &why)
{
    failImport(Import::tr("%1 is a mosaic (Image Type (0008,0008) MOSAIC) that cannot be split "
                          "into its slices: %2.")
                   .arg(QFileInfo(f.file).fileName(), why));
}

struct Normal
{
    double v[3];
};

// The slice normal: the CSA header's, else the cross product of the row and
// column directions, unit length.
Normal sliceNormal(const DicomFrame &f, const QByteArray &csa)
{
    const double *o = f.orientation;
    Normal n {{o[1] * o[5] - o[2] * o[4], o[2] * o[3] - o[0] * o[5], o[0] * o[4] - o[1] * o[3]}};
    const QStringList given = csaValues(csa, "SliceNormalVector");
    if (given.size() >= 3)
        for (int a = 0; a < 3; ++a)
            n.v[a] = given[a].toDouble();
    const double length = std::sqrt(n.v[0] * n.v[0] + n.v[1] * n.v[1] + n.v[2] * n.v[2]);
    if (!(length > 0.5 && length < 2))
        refuse(f, Import::tr("its slice normal is not a direction"));
    for (double &c : n.v)
        c /= length;
    return n;
}

} // namespace

void addMosaicFrames(const DicomFrame &base, std::vector<DicomFrame> &out)
{
    gdcm::Reader reader;
    reader.SetFileName(QFile::encodeName(base.file).constData());
    if (!reader.ReadUpToTag(kPixelData))
        failImport(Import::tr("The header of %1 cannot be read.").arg(base.file));
    const gdcm::DataSet &set = reader.GetFile().GetDataSet();
    const QByteArray csa = elementBytes(&set, kCsaImage);
    const int count = mosaicCount(set, csa);
    if (count < 1 || count > kMostTiles)
        refuse(base,
               Import::tr("it gives no usable count of slices in (0019,100A) or its CSA "
                          "header (0029,1010)"));
    const int tiles = int(std::ceil(std::sqrt(double(count))));
    if (base.frames != 1 || base.rows % tiles || base.columns % tiles)
        refuse(base,
               Import::tr("its %1 × %2 pixels do not hold %3 tiles to a row")
                   .arg(base.columns)
                   .arg(base.rows)
                   .arg(tiles));
    if (!base.hasPosition || !base.hasOrientation)
        refuse(base, Import::tr("it carries no position or orientation"));
    const double spacing = base.spacingBetween > 0 ? base.spacingBetween : base.thickness;
    if (!(spacing > 0))
        refuse(base, Import::tr("it gives no slice spacing"));
    const Normal normal = sliceNormal(base, csa);
    DicomFrame tile = base;
    tile.rows = base.rows / tiles;
    tile.columns = base.columns / tiles;
    tile.frames = count;
    tile.mosaicRows = base.rows;
    tile.mosaicColumns = base.columns;
    tile.refusal.clear();
    // The mosaic's position is its own corner's; the first slice's lies half
    // the difference of the mosaic's and a tile's sizes further in.
    const double alongRow = base.pixelSpacing[1] * (base.columns - tile.columns) / 2;
    const double alongColumn = base.pixelSpacing[0] * (base.rows - tile.rows) / 2;
    for (int a = 0; a < 3; ++a)
        tile.position[a] += base.orientation[a] * alongRow + base.orientation[3 + a] * alongColumn;
    for (int k = 0; k < count; ++k) {
        DicomFrame f = tile;
        f.frame = k;
        for (int a = 0; a < 3; ++a)
            f.position[a] += normal.v[a] * spacing * k;
        out.push_back(f);
    }
}
