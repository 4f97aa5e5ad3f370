// Reads a segmentation file's header through GDCM, the one DICOM library of
// the importer: the series reader and this one share its parsing, and it
// decodes every transfer syntax, so an encapsulated segmentation is read as
// well. The frames' pixels of uncompressed files are read straight from the
// file where the guard found them.

#include "DicomDataSet.h"
#include "DicomDecode.h"
#include "DicomFrames.h"
#include "DicomGuard.h"
#include "DicomSegFile.h"
#include "DicomTags.h"

#include <gdcmReader.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

using namespace dicomtag;

namespace {

const gdcm::Tag kSegmentationType(0x0062, 0x0001);
const gdcm::Tag kSegments(0x0062, 0x0002);
const gdcm::Tag kCategory(0x0062, 0x0003);
const gdcm::Tag kSegmentNumber(0x0062, 0x0004);
const gdcm::Tag kSegmentLabel(0x0062, 0x0005);
const gdcm::Tag kLab(0x0062, 0x000d);
const gdcm::Tag kMaxFraction(0x0062, 0x000e);
const gdcm::Tag kPropertyType(0x0062, 0x000f);
const gdcm::Tag kPropertyModifier(0x0062, 0x0011);
const gdcm::Tag kSegmentIdentification(0x0062, 0x000a);
const gdcm::Tag kReferencedSegment(0x0062, 0x000b);
const gdcm::Tag kRegion(0x0008, 0x2218);
const gdcm::Tag kRegionModifier(0x0008, 0x2220);
const gdcm::Tag kCodeValue(0x0008, 0x0100);
const gdcm::Tag kCodeScheme(0x0008, 0x0102);
const gdcm::Tag kCodeMeaning(0x0008, 0x0104);
const gdcm::Tag kReferencedSeries(0x0008, 0x1115);

// The most frames, rows or columns a file may claim.
constexpr int kMostFrames = 1 << 20;
constexpr int kMostSide = 65535;

// Value `n` of an unsigned short element (binary, little-endian), or -1.
int unsignedShort(const gdcm::DataSet *set, const gdcm::Tag &tag, int n = 0)
{
    const QByteArray b = elementBytes(set, tag);
    if (b.size() < 2 * (n + 1))
        return -1;
    return int(quint8(b[2 * n])) | int(quint8(b[2 * n + 1])) << 8;
}

int wholeNumber(const gdcm::DataSet *set, const gdcm::Tag &tag)
{
    bool ok = false;
    const int n = elementText(set, tag).toInt(&ok);
    return ok ? n : -1;
}

SegCode codeOf(const gdcm::DataSet *item)
{
    return {elementText(item, kCodeScheme), elementText(item, kCodeValue),
            elementText(item, kCodeMeaning)};
}

SegSegment segmentOf(const gdcm::DataSet *set)
{
    SegSegment s;
    s.number = unsignedShort(set, kSegmentNumber);
    s.label = elementText(set, kSegmentLabel);
    s.category = codeOf(firstItem(set, kCategory));
    const gdcm::DataSet *type = firstItem(set, kPropertyType);
    s.type = codeOf(type);
    s.typeModifier = codeOf(firstItem(type, kPropertyModifier));
    const gdcm::DataSet *region = firstItem(set, kRegion);
    s.region = codeOf(region);
    s.regionModifier = codeOf(firstItem(region, kRegionModifier));
    if (unsignedShort(set, kLab, 2) >= 0) {
        s.hasLab = true;
        for (int c = 0; c < 3; ++c)
            s.lab[c] = quint16(unsignedShort(set, kLab, c));
    }
    return s;
}

// Frames name their segment by number: of segments sharing one, only the
// first can be told apart, and the others are left out with a warning.
void dropSharedNumbers(std::vector<SegSegment> &segments)
{
    std::vector<SegSegment> kept;
    for (const SegSegment &s : segments) {
        const auto same = [&](const SegSegment &k) { return k.number == s.number; };
        if (std::none_of(kept.begin(), kept.end(), same)) {
            kept.push_back(s);
            continue;
        }
        warnImport(Import::tr("Two segments have the number %1; the one labelled \"%2\" is "
                              "left out.")
                       .arg(s.number)
                       .arg(s.label));
    }
    segments = std::move(kept);
}

// The orientation and pixel measures, from the first frame's groups or the
// shared ones; every other frame must lie in planes of the same orientation.
void readPlanes(SegFile &seg, const gdcm::DataSet *shared, const DicomItems &perFrame)
{
    const gdcm::DataSet *first = dicomItem(perFrame, 1);
    seg.hasOrientation = takeNumbers(functionalGroup(first, shared, kPlaneOrientation),
                                     kOrientation, seg.orientation);
    const gdcm::DataSet *measures = functionalGroup(first, shared, kPixelMeasures);
    seg.hasPixelSpacing = takeNumbers(measures, kPixelSpacing, seg.pixelSpacing);
    double one[1];
    if (takeNumbers(measures, kThickness, one))
        seg.thickness = one[0];
    if (takeNumbers(measures, kBetween, one))
        seg.spacingBetween = one[0];
    for (int f = 1; f < seg.frameCount; ++f) {
        double other[6];
        const gdcm::DataSet *own = firstItem(dicomItem(perFrame, size_t(f) + 1), kPlaneOrientation);
        if (own && takeNumbers(own, kOrientation, other)
            && !std::equal(other, other + 6, seg.orientation,
                           [](double a, double b) { return std::fabs(a - b) < 1e-4; }))
            failImport(Import::tr("The segmentation's frames lie in planes of different "
                                  "orientations."));
    }
}

void readFrames(SegFile &seg, const gdcm::DataSet *shared, const DicomItems &perFrame)
{
    const size_t items = perFrame ? perFrame->GetNumberOfItems() : 0;
    if (items < size_t(seg.frameCount))
        failImport(Import::tr("The segmentation gives per-frame positions for %1 of its %2 frames.")
                       .arg(items)
                       .arg(seg.frameCount));
    seg.frames.resize(size_t(seg.frameCount));
    for (int f = 0; f < seg.frameCount; ++f) {
        const gdcm::DataSet *own = dicomItem(perFrame, size_t(f) + 1);
        SegFrame &frame = seg.frames[size_t(f)];
        frame.hasPosition = takeNumbers(firstItem(own, kPlanePosition), kPosition, frame.position);
        frame.segment = std::max(0,
                                 unsignedShort(functionalGroup(own, shared, kSegmentIdentification),
                                               kReferencedSegment));
    }
}

// Frames a pixel data element of `length` uncompressed bytes holds whole.
qint64 framesInPixels(const SegFile &seg, qint64 length)
{
    const qint64 frameBits = seg.framePixels() * (seg.fractional ? 8 : 1);
    return frameBits > 0 ? length * 8 / frameBits : 0;
}

// The number of frames: the one the file states, else what it holds (its
// per-frame items and its pixel data). Items and frames that disagree are
// said; the fewer of the two is read.
void countFrames(SegFile &seg, const gdcm::DataSet &set, size_t items, const DicomFileFacts &facts)
{
    const qint64 pixelFrames = facts.pixelOffset >= 0 ? framesInPixels(seg, facts.pixelLength) : -1;
    if (!elementText(&set, kFrames).isEmpty()) {
        seg.frameCount = wholeNumber(&set, kFrames);
        if (items > size_t(std::max(seg.frameCount, 0)) && seg.frameCount > 0)
            warnImport(Import::tr("The segmentation has per-frame items for %1 frames but "
                                  "Number of Frames (0028,0008) says %2; %2 are read.")
                           .arg(items)
                           .arg(seg.frameCount));
        return;
    }
    const qint64 itemFrames = qint64(std::min<size_t>(items, size_t(kMostFrames) + 1));
    if (pixelFrames < 0 || itemFrames == pixelFrames) {
        seg.frameCount = int(itemFrames);
        return;
    }
    seg.frameCount = int(std::min(itemFrames, pixelFrames));
    warnImport(Import::tr("The segmentation states no Number of Frames (0028,0008); it has "
                          "per-frame items for %1 frames and pixel data for %2; %3 are read.")
                   .arg(itemFrames)
                   .arg(pixelFrames)
                   .arg(seg.frameCount));
}

void requireSize(const SegFile &seg, const gdcm::DataSet &set)
{
    if (seg.rows < 1 || seg.columns < 1 || seg.rows > kMostSide || seg.columns > kMostSide)
        failImport(Import::tr("The segmentation has %1 rows and %2 columns; both must be 1 to %3.")
                       .arg(seg.rows)
                       .arg(seg.columns)
                       .arg(kMostSide));
    if (seg.frameCount < 1 || seg.frameCount > kMostFrames)
        failImport(Import::tr("The segmentation holds %1 frames; 1 to %2 are read.")
                       .arg(seg.frameCount)
                       .arg(kMostFrames));
    const int bits = unsignedShort(&set, kBitsAllocated);
    if (bits != (seg.fractional ? 8 : 1))
        failImport(
            Import::tr("The %1 segmentation has %2 bits per pixel; %3 are read.")
                .arg(seg.fractional ? QStringLiteral("FRACTIONAL") : QStringLiteral("BINARY"))
                .arg(bits)
                .arg(seg.fractional ? 8 : 1));
}

qint64 pixelBytesNeeded(const SegFile &seg)
{
    const qint64 pixels = seg.framePixels() * seg.frameCount;
    return seg.fractional ? pixels : (pixels + 7) / 8;
}

void requirePixelBytes(const SegFile &seg, qint64 have)
{
    if (have < pixelBytesNeeded(seg))
        failImport(Import::tr("The segmentation's pixel data holds %1 bytes, fewer than the %2 "
                              "its %3 frames of %4 × %5 pixels need.")
                       .arg(have)
                       .arg(pixelBytesNeeded(seg))
                       .arg(seg.frameCount)
                       .arg(seg.columns)
                       .arg(seg.rows));
}

// Uncompressed pixels straight from the file; else the library decodes them.
QByteArray readPixels(const QString &path, const SegFile &seg, const DicomFileFacts &facts)
{
    if (facts.pixelOffset >= 0) {
        requirePixelBytes(seg, facts.pixelLength);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || !file.seek(facts.pixelOffset))
            failImport(Import::tr("The segmentation's pixel data cannot be read."));
        QByteArray data = file.read(pixelBytesNeeded(seg));
        requirePixelBytes(seg, data.size());
        return data;
    }
    // Compressed frames can claim any size: the decoded pixels must stay
    // under the cap an image has, and be what the header says.
    if (pixelBytesNeeded(seg) > dicomVoxelByteCap())
        failImport(Import::tr("The segmentation's pixels would take %1 MB, more than the %2 MB "
                              "an image may take.")
                       .arg(pixelBytesNeeded(seg) >> 20)
                       .arg(dicomVoxelByteCap() >> 20));
    const int bits = seg.fractional ? 8 : 1;
    QByteArray data =
        decodeDicomPixels(path, {seg.rows, seg.columns, seg.frameCount, bits, bits, 0},
                          pixelBytesNeeded(seg) + seg.framePixels() * seg.frameCount)
            .bytes;
    requirePixelBytes(seg, data.size());
    data.truncate(pixelBytesNeeded(seg));
    return data;
}

} // namespace

SegFile readSegFile(const QString &path)
{
    const DicomFileFacts facts = inspectDicomFile(path);
    if (!facts.problem.isEmpty())
        failImport(Import::tr("%1 is damaged: %2.").arg(QFileInfo(path).fileName(), facts.problem));
    gdcm::Reader reader;
    reader.SetFileName(QFile::encodeName(path).constData());
    if (!reader.ReadUpToTag(kPixelData))
        failImport(Import::tr("The header of %1 cannot be read.").arg(QFileInfo(path).fileName()));
    const gdcm::DataSet &set = reader.GetFile().GetDataSet();
    SegFile seg;
    seg.rows = unsignedShort(&set, kRows);
    seg.columns = unsignedShort(&set, kColumns);
    seg.fractional = elementText(&set, kSegmentationType).toUpper() == QLatin1String("FRACTIONAL");
    const DicomItems perFrame = dicomSequence(&set, kPerFrame);
    countFrames(seg, set, perFrame ? perFrame->GetNumberOfItems() : 0, facts);
    requireSize(seg, set);
    if (facts.pixelOffset >= 0)
        requirePixelBytes(seg, facts.pixelLength);
    if (seg.fractional) {
        seg.maxFraction = unsignedShort(&set, kMaxFraction);
        if (seg.maxFraction < 1)
            failImport(Import::tr("The fractional segmentation gives no maximum fractional "
                                  "value."));
    }
    const DicomItems segments = dicomSequence(&set, kSegments);
    for (size_t s = 1; segments && s <= segments->GetNumberOfItems(); ++s)
        seg.segments.push_back(segmentOf(dicomItem(segments, s)));
    if (seg.segments.empty())
        failImport(Import::tr("The segmentation describes no segment."));
    dropSharedNumbers(seg.segments);
    const gdcm::DataSet *shared = firstItem(&set, kShared);
    readPlanes(seg, shared, perFrame);
    readFrames(seg, shared, perFrame);
    seg.referencedSeries = elementText(firstItem(&set, kReferencedSeries), kSeriesUid);
    seg.pixels = readPixels(path, seg, facts);
    return seg;
}

QString segmentedSeriesOf(const QString &path)
{
    if (!inspectDicomFile(path).problem.isEmpty())
        return {};
    gdcm::Reader reader;
    reader.SetFileName(QFile::encodeName(path).constData());
    if (!reader.ReadUpToTag(kPixelData))
        return {};
    const gdcm::DataSet &set = reader.GetFile().GetDataSet();
    return elementText(firstItem(&set, kReferencedSeries), kSeriesUid);
}
