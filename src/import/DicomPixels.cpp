// The pixels of a series: every size checked against the files before the
// image is allocated, then each file decoded by the library and its frames
// rescaled straight into their slices of the image.

#include "DicomPixels.h"
#include "DicomDecode.h"
#include "DicomTags.h"

#include "ImportTypes.h"

#include <gdcmPixelFormat.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

using namespace dicomtag;

namespace {

qint64 voxelCap = qint64(4) << 30;

bool isWhole(double v)
{
    return std::isfinite(v) && v == std::floor(v);
}

// Shorts when every frame's rescale keeps whole numbers and the stored values
// take at most 16 bits; floats otherwise. A value that still leaves the 16-bit
// range (a signed 16-bit store with an intercept) sends the read back to floats.
bool shortsFit(const std::vector<DicomFrame> &frames)
{
    return std::all_of(frames.begin(), frames.end(), [](const DicomFrame &f) {
        return isWhole(f.slope) && isWhole(f.intercept) && f.bitsAllocated <= 16
            && std::fabs(f.slope) <= 65535 && std::fabs(f.intercept) <= 65535;
    });
}

// Thrown when a rescaled value does not fit in 16 bits.
struct NeedsFloats
{ };

// What one frame's header says of its values that cannot be read as it stands.
void requireSoundFrame(const DicomFrame &f)
{
    if (!f.refusal.isEmpty())
        failImport(f.refusal);
    if (f.rows < 1 || f.columns < 1 || f.rows >= 65535 || f.columns >= 65535)
        failImport(Import::tr("The image has %1 rows and %2 columns; both must be 1 to 65534.")
                       .arg(f.rows)
                       .arg(f.columns));
    if (f.bitsAllocated != 8 && f.bitsAllocated != 16 && f.bitsAllocated != 32)
        failImport(Import::tr("The image has %1 bits per value; 8, 16 and 32 are read.")
                       .arg(f.bitsAllocated));
    if (f.bitsStored < 1 || f.bitsStored > f.bitsAllocated)
        failImport(Import::tr("%1 stores %2 bits (0028,0101) of values of %3 bits (0028,0100).")
                       .arg(QFileInfo(f.file).fileName())
                       .arg(f.bitsStored)
                       .arg(f.bitsAllocated));
    if (f.pixelRepresentation != 0 && f.pixelRepresentation != 1)
        failImport(Import::tr("%1 gives the pixel representation (0028,0103) %2; 0 (unsigned) "
                              "and 1 (signed) are read.")
                       .arg(QFileInfo(f.file).fileName())
                       .arg(f.pixelRepresentation));
    if (f.samples != 1)
        failImport(Import::tr("The image has %1 values per pixel; only grey images are read.")
                       .arg(f.samples));
    if (!std::isfinite(f.slope) || !std::isfinite(f.intercept) || f.slope == 0)
        failImport(Import::tr("The rescale slope %1 and intercept %2 are not usable.")
                       .arg(f.slope)
                       .arg(f.intercept));
}

// The planes of one image share their size, modality and stored values: a
// series mixing them holds images of different things.
void requireSoundFrames(const std::vector<DicomFrame> &frames)
{
    const DicomFrame &first = frames.front();
    for (const DicomFrame &f : frames) {
        requireSoundFrame(f);
        if (f.rows != first.rows || f.columns != first.columns)
            failImport(Import::tr("The images of the series differ in size."));
        if (f.modality != first.modality)
            failImport(Import::tr("The series mixes images of the modalities %1 and %2 "
                                  "(0008,0060).")
                           .arg(first.modality, f.modality));
        if (f.bitsAllocated != first.bitsAllocated
            || f.pixelRepresentation != first.pixelRepresentation)
            failImport(Import::tr("The series mixes images of %1-bit and %2-bit values (0028,0100) "
                                  "or of signed and unsigned ones (0028,0103).")
                           .arg(first.bitsAllocated)
                           .arg(f.bitsAllocated));
    }
}

// The pixel bytes of a frame as its header declares them.
qint64 frameBytes(const DicomFrame &f)
{
    return qint64(f.rows) * f.columns * (f.bitsAllocated / 8);
}

// The pixel bytes of a frame's whole file: its frames, or its mosaic.
qint64 storedBytes(const DicomFrame &f)
{
    if (f.mosaicColumns > 0)
        return qint64(f.mosaicRows) * f.mosaicColumns * (f.bitsAllocated / 8);
    return frameBytes(f) * f.frames;
}

// Pixel data longer than its frames (past the padding to an even length)
// means that the rows, columns, bits or frame count the header gives do not
// describe it; the image is read as the header says, and the user told.
void noteExtraBytes(const DicomFrame &f, QStringList &warnings)
{
    const qint64 need = storedBytes(f);
    if (f.pixelLength <= need + 1)
        return;
    warnings << Import::tr("The pixel data (7FE0,0010) of %1 holds %2 bytes, more than the %3 its "
                           "%4 frames of %5 × %6 values of %7 bits take: the header does not "
                           "describe it, and the rest is left out.")
                    .arg(QFileInfo(f.file).fileName())
                    .arg(f.pixelLength)
                    .arg(need)
                    .arg(f.frames)
                    .arg(f.columns)
                    .arg(f.rows)
                    .arg(f.bitsAllocated);
}

// A compressed file is decoded whole beside the volume: the two together
// must stay under the cap, whatever few bytes the file itself has.
void requireDecodingRoom(const SliceLayout &layout, qint64 volumeBytes)
{
    qint64 decoded = 0;
    for (const DicomFrame &f : layout.ordered)
        if (f.compressed)
            decoded = std::max(decoded, frameBytes(f) * f.frames);
    const double gigabyte = double(qint64(1) << 30);
    if (decoded > 0 && volumeBytes + decoded > voxelCap)
        failImport(Import::tr("The image would need %1 GB, its voxels and the decoded pixels of "
                              "one compressed file; Tessaron opens images up to %2 GB.")
                       .arg(double(volumeBytes + decoded) / gigabyte, 0, 'f', 1)
                       .arg(double(voxelCap) / gigabyte, 0, 'f', 1));
}

// Each uncompressed file must be at least as long as the pixels it declares,
// and the whole image must stay under the cap: nothing is allocated on trust.
void requireRoom(const SliceLayout &layout, bool shorts, QStringList *warnings = nullptr)
{
    const DicomFrame &first = layout.ordered.front();
    const qint64 bytes = qint64(first.rows) * first.columns * layout.sliceCount * (shorts ? 2 : 4);
    if (bytes > voxelCap)
        failImport(Import::tr("The series would take %1 MB, more than the %2 MB an image may take.")
                       .arg(bytes >> 20)
                       .arg(voxelCap >> 20));
    requireDecodingRoom(layout, bytes);
    for (const DicomFrame &f : layout.ordered) {
        if (warnings && f.frame == 0 && f.pixelOffset >= 0)
            noteExtraBytes(f, *warnings);
        if (f.compressed || f.fileBytes >= storedBytes(f))
            continue;
        if (f.pixelOffset < 0)
            requirePixelData(f.file);
        failImport(Import::tr("%1 holds %2 bytes, fewer than its %3 frames of %4 × %5 pixels "
                              "need.")
                       .arg(QFileInfo(f.file).fileName())
                       .arg(f.fileBytes)
                       .arg(f.frames)
                       .arg(f.columns)
                       .arg(f.rows));
    }
}

template<class In> qint64 sample(const char *buffer, qint64 index)
{
    In v;
    std::memcpy(&v, buffer + index * qint64(sizeof(In)), sizeof(In));
    return qint64(v);
}

// How a stored value is read when fewer bits are stored than allocated: the
// bits above are cleared, and a signed value's top stored bit extends its sign.
struct StoredBits
{
    qint64 mask = 0; // 0: every allocated bit is stored
    qint64 sign = 0;
    qint64 clean(qint64 v) const
    {
        if (!mask)
            return v;
        v &= mask;
        return sign && (v & sign) ? v - mask - 1 : v;
    }
};

StoredBits storedBits(const DicomFrame &f)
{
    if (f.bitsStored <= 0 || f.bitsStored >= f.bitsAllocated)
        return {};
    const qint64 mask = (qint64(1) << f.bitsStored) - 1;
    return {mask, f.pixelRepresentation ? qint64(1) << (f.bitsStored - 1) : 0};
}

// Rescales one decoded frame into its slice of the image; returns its lowest
// value. The frame may lie in the slice's own memory: each value is read
// before it is written.
template<class In>
double rescaleInto(const char *frame, qint64 count, const DicomFrame &f, float *slice)
{
    const StoredBits bits = storedBits(f);
    double lowest = std::numeric_limits<double>::max();
    for (qint64 i = 0; i < count; ++i) {
        const double v = double(bits.clean(sample<In>(frame, i))) * f.slope + f.intercept;
        slice[i] = float(v);
        lowest = std::min(lowest, v);
    }
    return lowest;
}

template<class In>
double rescaleInto(const char *frame, qint64 count, const DicomFrame &f, qint16 *slice)
{
    const StoredBits bits = storedBits(f);
    const qint64 a = qint64(f.slope), b = qint64(f.intercept);
    qint64 lowest = std::numeric_limits<qint16>::max();
    for (qint64 i = 0; i < count; ++i) {
        const qint64 v = bits.clean(sample<In>(frame, i)) * a + b;
        if (v < std::numeric_limits<qint16>::min() || v > std::numeric_limits<qint16>::max())
            throw NeedsFloats {};
        slice[i] = qint16(v);
        lowest = std::min(lowest, v);
    }
    return double(lowest);
}

template<class Out>
double rescaleFrame(gdcm::PixelFormat::ScalarType type, const char *frame, qint64 count,
                    const DicomFrame &f, Out *slice)
{
    switch (type) {
    case gdcm::PixelFormat::UINT8:
        return rescaleInto<quint8>(frame, count, f, slice);
    case gdcm::PixelFormat::INT8:
        return rescaleInto<qint8>(frame, count, f, slice);
    case gdcm::PixelFormat::UINT16:
        return rescaleInto<quint16>(frame, count, f, slice);
    case gdcm::PixelFormat::INT16:
        return rescaleInto<qint16>(frame, count, f, slice);
    case gdcm::PixelFormat::UINT32:
        return rescaleInto<quint32>(frame, count, f, slice);
    case gdcm::PixelFormat::INT32:
        return rescaleInto<qint32>(frame, count, f, slice);
    default:
        failImport(Import::tr("The pixel type %1 is not read.")
                       .arg(QString::fromLatin1(gdcm::PixelFormat(type).GetScalarTypeAsString())));
    }
}

// The stored type of values of `bits` bits.
gdcm::PixelFormat::ScalarType scalarType(int bits, bool sign)
{
    switch (bits) {
    case 8:
        return sign ? gdcm::PixelFormat::INT8 : gdcm::PixelFormat::UINT8;
    case 16:
        return sign ? gdcm::PixelFormat::INT16 : gdcm::PixelFormat::UINT16;
    case 32:
        return sign ? gdcm::PixelFormat::INT32 : gdcm::PixelFormat::UINT32;
    default:
        return gdcm::PixelFormat::UNKNOWN;
    }
}

// The stored type of a frame as its header declares it.
gdcm::PixelFormat::ScalarType storedType(const DicomFrame &f)
{
    return scalarType(f.bitsAllocated, f.pixelRepresentation != 0);
}

DicomPixelShape shapeOf(const DicomFrame &f)
{
    if (f.mosaicColumns > 0)
        return {f.mosaicRows,    f.mosaicColumns, 1,
                f.bitsAllocated, f.bitsStored,    f.pixelRepresentation};
    return {f.rows, f.columns, f.frames, f.bitsAllocated, f.bitsStored, f.pixelRepresentation};
}

// The frames of one file and the slices they go to.
struct FileFrames
{
    std::vector<size_t> ordered; // indices into the layout's ordered frames
};

// Uncompressed little-endian frames read straight from the file into their
// slices (through `buffer` when the stored and the image's value sizes
// differ), with no copy held by the library.
template<class Out>
double readUncompressed(const SliceLayout &layout, const FileFrames &wanted,
                        std::vector<char> &buffer, Out *volume)
{
    const DicomFrame &f = layout.ordered[wanted.ordered.front()];
    const qint64 bytes = frameBytes(f), pixels = qint64(f.rows) * f.columns;
    if (f.pixelLength < storedBytes(f))
        failShortPixels(f.file, f.pixelLength, shapeOf(f));
    QFile file(f.file);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        failImport(
            Import::tr("%1 cannot be read as a DICOM image.").arg(QFileInfo(f.file).fileName()));
    double lowest = std::numeric_limits<double>::max();
    for (size_t index : wanted.ordered) {
        const DicomFrame &frame = layout.ordered[index];
        Out *slice = volume + pixels * layout.slot[index];
        char *target = reinterpret_cast<char *>(slice);
        if (qint64(sizeof(Out)) * pixels != bytes) {
            buffer.resize(size_t(bytes));
            target = buffer.data();
        }
        if (!file.seek(f.pixelOffset + bytes * frame.frame) || file.read(target, bytes) != bytes)
            failImport(Import::tr("%1 was shortened while it was read.")
                           .arg(QFileInfo(f.file).fileName()));
        lowest = std::min(lowest, rescaleFrame(storedType(frame), target, pixels, frame, slice));
    }
    return lowest;
}

// The whole stored image of a mosaic's file, as read or decoded, and the
// type of its values.
QByteArray mosaicBytes(const DicomFrame &f, gdcm::PixelFormat::ScalarType &type,
                       QStringList &warnings)
{
    const qint64 bytes = storedBytes(f);
    type = storedType(f);
    if (f.pixelOffset < 0) {
        DicomDecoded decoded = decodeDicomPixels(f.file, shapeOf(f), bytes);
        warnings << decoded.warnings;
        if (decoded.bytes.size() != bytes || decoded.bitsAllocated != f.bitsAllocated)
            failImport(Import::tr("%1 describes its image in two different ways.")
                           .arg(QFileInfo(f.file).fileName()));
        type = scalarType(decoded.bitsAllocated, decoded.isSigned);
        return decoded.bytes;
    }
    if (f.pixelLength < bytes)
        failShortPixels(f.file, f.pixelLength, shapeOf(f));
    QFile file(f.file);
    QByteArray whole;
    if (file.open(QIODevice::ReadOnly) && file.seek(f.pixelOffset))
        whole = file.read(bytes);
    if (whole.size() != bytes)
        failImport(
            Import::tr("%1 was shortened while it was read.").arg(QFileInfo(f.file).fileName()));
    return whole;
}

// The slices of a mosaic, each tile copied out of the stored image into
// `buffer` and rescaled into its slice.
template<class Out>
double readMosaic(const SliceLayout &layout, const FileFrames &wanted, std::vector<char> &buffer,
                  Out *volume, QStringList &warnings)
{
    const DicomFrame &f = layout.ordered[wanted.ordered.front()];
    gdcm::PixelFormat::ScalarType type;
    const QByteArray whole = mosaicBytes(f, type, warnings);
    const qint64 value = f.bitsAllocated / 8, row = f.columns * value;
    const qint64 pixels = qint64(f.rows) * f.columns, tiles = f.mosaicColumns / f.columns;
    buffer.resize(size_t(frameBytes(f)));
    double lowest = std::numeric_limits<double>::max();
    for (size_t index : wanted.ordered) {
        const DicomFrame &frame = layout.ordered[index];
        const qint64 top = frame.frame / tiles * f.rows, left = frame.frame % tiles * f.columns;
        for (qint64 r = 0; r < f.rows; ++r)
            std::memcpy(buffer.data() + r * row,
                        whole.constData() + ((top + r) * f.mosaicColumns + left) * value,
                        size_t(row));
        lowest = std::min(
            lowest,
            rescaleFrame(type, buffer.data(), pixels, frame, volume + pixels * layout.slot[index]));
    }
    return lowest;
}

template<class Out>
double decodeFile(const SliceLayout &layout, const FileFrames &wanted, std::vector<char> &buffer,
                  Out *volume, QStringList &warnings)
{
    const DicomFrame &f = layout.ordered[wanted.ordered.front()];
    if (f.mosaicColumns > 0)
        return readMosaic(layout, wanted, buffer, volume, warnings);
    if (f.pixelOffset >= 0)
        return readUncompressed(layout, wanted, buffer, volume);
    const qint64 bytes = frameBytes(f) * f.frames;
    const DicomDecoded decoded = decodeDicomPixels(f.file, shapeOf(f), bytes);
    warnings << decoded.warnings;
    if (decoded.bytes.size() != bytes || decoded.bitsAllocated != f.bitsAllocated)
        failImport(Import::tr("%1 describes its image in two different ways.")
                       .arg(QFileInfo(f.file).fileName()));
    const qint64 pixels = qint64(f.rows) * f.columns;
    double lowest = std::numeric_limits<double>::max();
    for (size_t index : wanted.ordered) {
        const DicomFrame &frame = layout.ordered[index];
        lowest = std::min(lowest,
                          rescaleFrame(scalarType(decoded.bitsAllocated, decoded.isSigned),
                                       decoded.bytes.constData() + frameBytes(frame) * frame.frame,
                                       pixels, frame, volume + pixels * layout.slot[index]));
    }
    return lowest;
}

// Decodes every file once, in order, and leaves the sliceCount of missing slices
// at the lowest value decoded.
template<class Out>
void decodeAll(const SliceLayout &layout, Out *image, const std::function<void(double)> &progress,
               QStringList &warnings)
{
    std::vector<FileFrames> files;
    std::map<QString, size_t> fileIndex;
    for (size_t k = 0; k < layout.ordered.size(); ++k) {
        auto [it, added] = fileIndex.try_emplace(layout.ordered[k].file, files.size());
        if (added)
            files.push_back({});
        files[it->second].ordered.push_back(k);
    }
    const qint64 pixels = qint64(layout.ordered.front().rows) * layout.ordered.front().columns;
    std::vector<bool> filled(size_t(layout.sliceCount), false);
    for (int s : layout.slot)
        filled[size_t(s)] = true;
    std::vector<char> buffer;
    double lowest = std::numeric_limits<double>::max();
    for (size_t i = 0; i < files.size(); ++i) {
        lowest = std::min(lowest, decodeFile(layout, files[i], buffer, image, warnings));
        if (progress)
            progress(double(i + 1) / double(files.size()));
    }
    for (size_t s = 0; s < filled.size(); ++s)
        if (!filled[s])
            std::fill_n(image + pixels * qint64(s), pixels, Out(lowest));
}

QString unitOf(const DicomFrame &f, QStringList &warnings)
{
    if (f.doseUnits == QLatin1String("GY"))
        return QStringLiteral("Gy");
    if (!f.doseUnits.isEmpty())
        return f.doseUnits.toLower();
    if (f.modality == QLatin1String("CT"))
        return QStringLiteral("HU");
    if (!f.rescaleType.isEmpty() && f.rescaleType != QLatin1String("US"))
        return f.rescaleType;
    if (!f.units.isEmpty())
        return f.units;
    warnings << Import::tr("The images do not say the unit of their values.");
    return {};
}

} // namespace

qint64 dicomVoxelByteCap()
{
    return voxelCap;
}

void setDicomVoxelByteCap(qint64 bytes)
{
    voxelCap = bytes;
}

ImageVolume readSlices(const SliceLayout &layout, const std::function<void(double)> &progress)
{
    requireSoundFrames(layout.ordered);
    bool shorts = shortsFit(layout.ordered);
    const DicomFrame &first = layout.ordered.front();
    ImageVolume image;
    image.size[0] = first.columns;
    image.size[1] = first.rows;
    image.size[2] = layout.sliceCount;
    image.toWorld = layout.toWorld;
    image.modality = first.modality;
    image.description =
        first.description.isEmpty() ? QFileInfo(first.file).fileName() : first.description;
    image.warnings = layout.warnings;
    image.unit = unitOf(first, image.warnings);
    requireRoom(layout, shorts, &image.warnings);
    if (shorts) {
        try {
            image.shorts.resize(size_t(image.voxelCount()));
            decodeAll(layout, image.shorts.data(), progress, image.warnings);
            return image;
        } catch (const NeedsFloats &) {
            VoxelArray<qint16>().swap(image.shorts);
            requireRoom(layout, false);
        }
    }
    image.floats.resize(size_t(image.voxelCount()));
    decodeAll(layout, image.floats.data(), progress, image.warnings);
    return image;
}
