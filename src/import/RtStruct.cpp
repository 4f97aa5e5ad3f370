// Reads a structure set: its ROIs, their names and colours, and their
// closed planar contours, checked point by point; then finds the image the
// contours were drawn on beside the file and hands both to the masks.

#include "RtStruct.h"

#include "DicomFrames.h"
#include "DicomGuard.h"

#include <gdcmReader.h>
#include <gdcmSequenceOfItems.h>
#include <gdcmTrace.h>

#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <numeric>
#include <unordered_map>

namespace {

const char kStorageClass[] = "1.2.840.10008.5.1.4.1.1.481.3"; // RT Structure Set Storage

const gdcm::Tag kSopClass(0x0008, 0x0016);
const gdcm::Tag kModality(0x0008, 0x0060);
const gdcm::Tag kSeriesUid(0x0020, 0x000e);
const gdcm::Tag kFrameSequence(0x3006, 0x0010);
const gdcm::Tag kStudySequence(0x3006, 0x0012);
const gdcm::Tag kSeriesSequence(0x3006, 0x0014);
const gdcm::Tag kRoiSequence(0x3006, 0x0020);
const gdcm::Tag kRoiNumber(0x3006, 0x0022);
const gdcm::Tag kRoiName(0x3006, 0x0026);
const gdcm::Tag kDisplayColor(0x3006, 0x002a);
const gdcm::Tag kRoiContours(0x3006, 0x0039);
const gdcm::Tag kContours(0x3006, 0x0040);
const gdcm::Tag kGeometricType(0x3006, 0x0042);
const gdcm::Tag kPointCount(0x3006, 0x0046);
const gdcm::Tag kContourData(0x3006, 0x0050);
const gdcm::Tag kReferencedRoi(0x3006, 0x0084);

using ItemList = gdcm::SmartPointer<gdcm::SequenceOfItems>;

ItemList sequence(const gdcm::DataSet &set, const gdcm::Tag &tag)
{
    if (!set.FindDataElement(tag))
        return nullptr;
    return set.GetDataElement(tag).GetValueAsSQ();
}

size_t itemCount(const ItemList &items)
{
    return items ? items->GetNumberOfItems() : 0;
}

// The data set of item `index` (1-based).
const gdcm::DataSet &item(const ItemList &items, size_t index)
{
    return items->GetItem(index).GetNestedDataSet();
}

QByteArrayView bytesOf(const gdcm::DataSet &set, const gdcm::Tag &tag)
{
    if (!set.FindDataElement(tag))
        return {};
    const gdcm::ByteValue *value = set.GetDataElement(tag).GetByteValue();
    if (!value || !value->GetPointer())
        return {};
    return QByteArrayView(value->GetPointer(), qsizetype(value->GetLength()));
}

QString text(const gdcm::DataSet &set, const gdcm::Tag &tag)
{
    return QString::fromLatin1(bytesOf(set, tag)).remove(QChar(0)).trimmed();
}

int wholeNumber(const gdcm::DataSet &set, const gdcm::Tag &tag, int fallback)
{
    bool ok = false;
    const int n = text(set, tag).toInt(&ok);
    return ok ? n : fallback;
}

// The numbers of a backslash-separated decimal string, in the order written;
// false when a word is not a number. Allocates no more than the bytes justify.
bool parseNumbers(QByteArrayView bytes, std::vector<double> &out)
{
    out.clear();
    if (bytes.trimmed().isEmpty())
        return true; // no points: told apart from bad numbers by the point count
    out.reserve(size_t(bytes.size() / 2 + 1));
    const char *p = bytes.data(), *end = p + bytes.size();
    while (p <= end) {
        const char *stop = std::find(p, end, '\\');
        while (p < stop && (*p == ' ' || *p == '+'))
            ++p;
        const char *last = stop;
        while (last > p && (last[-1] == ' ' || last[-1] == '\0'))
            --last;
        double v = 0;
        const auto [ptr, ec] = std::from_chars(p, last, v);
        if (ec != std::errc() || ptr != last)
            return false;
        out.push_back(v);
        p = stop + 1;
    }
    return true;
}

// Whether two edges (a, b) and (c, d) in a plane cross or touch.
bool segmentsMeet(const double *a, const double *b, const double *c, const double *d)
{
    const auto side = [](const double *p, const double *q, const double *r) {
        const double v = (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0]);
        return (v > 0) - (v < 0);
    };
    const int s1 = side(a, b, c), s2 = side(a, b, d), s3 = side(c, d, a), s4 = side(c, d, b);
    return s1 * s2 < 0 && s3 * s4 < 0;
}

// Edge pairs one contour's crossing test may try: a contour drawn as a
// zigzag over its whole height would otherwise cost the square of its edges.
constexpr qint64 kMostPairs = qint64(1) << 24;

// Whether a closed polygon's edges cross one another. Edges are visited in
// order of their lowest y with a list of those still reaching it, so a
// contour of a few hundred points costs little more than its edges. A
// contour that exhausts the pair budget is taken as not crossing.
bool crossesItself(const RtContour &contour, int u, int v)
{
    const qint64 n = contour.pointCount();
    std::vector<double> pts(static_cast<size_t>(2 * n));
    for (qint64 p = 0; p < n; ++p) {
        pts[size_t(2 * p)] = contour.xyz[size_t(3 * p + u)];
        pts[size_t(2 * p + 1)] = contour.xyz[size_t(3 * p + v)];
    }
    const auto low = [&](qint64 e) {
        return std::min(pts[size_t(2 * e + 1)], pts[size_t(2 * ((e + 1) % n) + 1)]);
    };
    const auto high = [&](qint64 e) {
        return std::max(pts[size_t(2 * e + 1)], pts[size_t(2 * ((e + 1) % n) + 1)]);
    };
    std::vector<qint64> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qint64 a, qint64 b) { return low(a) < low(b); });
    std::vector<qint64> active;
    qint64 pairs = 0;
    for (qint64 e : order) {
        std::erase_if(active, [&](qint64 a) { return high(a) < low(e); });
        if ((pairs += qint64(active.size())) > kMostPairs)
            return false;
        for (qint64 a : active) {
            if (a == e || (a + 1) % n == e || (e + 1) % n == a)
                continue; // neighbours share a corner
            if (segmentsMeet(&pts[size_t(2 * a)], &pts[size_t(2 * ((a + 1) % n))],
                             &pts[size_t(2 * e)], &pts[size_t(2 * ((e + 1) % n))]))
                return true;
        }
        active.push_back(e);
    }
    return false;
}

// The two coordinates of the plane a contour lies in most nearly (its
// normal's largest component left out), for the crossing test.
void planeAxes(const RtContour &contour, int &u, int &v)
{
    double normal[3] = {0, 0, 0};
    const qint64 n = contour.pointCount();
    for (qint64 p = 0; p < n; ++p) {
        const double *a = &contour.xyz[size_t(3 * p)], *b = &contour.xyz[size_t(3 * ((p + 1) % n))];
        for (int c = 0; c < 3; ++c)
            normal[c] += (a[(c + 1) % 3] - b[(c + 1) % 3]) * (a[(c + 2) % 3] + b[(c + 2) % 3]);
    }
    int w = 2;
    for (int c = 0; c < 3; ++c)
        if (std::fabs(normal[c]) > std::fabs(normal[w]))
            w = c;
    u = (w + 1) % 3;
    v = (w + 2) % 3;
}

// What was wrong with an ROI's contours, counted, for one warning per kind.
struct ContourTally
{
    int fewPoints = 0, notFinite = 0, miscounted = 0, crossing = 0, otherTypes = 0;
    int duplicates = 0;
    // The contours taken so far, by a hash of their points, to find repeats.
    std::unordered_multimap<size_t, size_t> seen;
};

// A contour given twice would cancel its own inside under the even-odd rule:
// a repeat of one already taken is left out.
bool isRepeat(const RtRoi &roi, const std::vector<double> &numbers, ContourTally &tally)
{
    const size_t hash = qHashBits(numbers.data(), numbers.size() * sizeof(double));
    const auto [from, to] = tally.seen.equal_range(hash);
    for (auto it = from; it != to; ++it)
        if (roi.contours[it->second].xyz == numbers)
            return true;
    tally.seen.emplace(hash, roi.contours.size());
    return false;
}

// Checks one contour item and, when it holds, appends it in our world frame.
void takeContour(const gdcm::DataSet &set, RtRoi &roi, ContourTally &tally,
                 std::vector<double> &numbers)
{
    const QString type = text(set, kGeometricType).toUpper();
    if (!type.isEmpty() && type != QLatin1String("CLOSED_PLANAR")) {
        ++tally.otherTypes;
        return;
    }
    if (!parseNumbers(bytesOf(set, kContourData), numbers)) {
        ++tally.notFinite;
        return;
    }
    const int declared = wholeNumber(set, kPointCount, -1);
    if (numbers.size() % 3 != 0
        || (declared >= 0 && qint64(numbers.size()) != 3 * qint64(declared))) {
        ++tally.miscounted;
        return;
    }
    if (numbers.size() < 9) {
        ++tally.fewPoints;
        return;
    }
    for (double &x : numbers)
        if (!std::isfinite(x) || std::fabs(x) > 1e6) {
            ++tally.notFinite;
            return;
        }
    RtContour contour;
    contour.xyz = numbers;
    // Patient left-posterior-superior to our frame, as the image reader turns it.
    for (size_t p = 0; p < contour.xyz.size(); p += 3) {
        contour.xyz[p] = -contour.xyz[p];
        contour.xyz[p + 1] = -contour.xyz[p + 1];
    }
    if (isRepeat(roi, contour.xyz, tally)) {
        ++tally.duplicates;
        return;
    }
    int u = 0, v = 1;
    planeAxes(contour, u, v);
    tally.crossing += crossesItself(contour, u, v);
    roi.contours.push_back(std::move(contour));
}

void warnTally(const RtRoi &roi, const ContourTally &t)
{
    const QString who = Import::tr("ROI \"%1\"").arg(roi.name);
    if (t.fewPoints)
        warnImport(Import::tr("%1: contours of fewer than three points were left out: %2.")
                       .arg(who)
                       .arg(t.fewPoints));
    if (t.notFinite)
        warnImport(Import::tr("%1: contours with coordinates that are not finite numbers "
                              "were left out: %2.")
                       .arg(who)
                       .arg(t.notFinite));
    if (t.miscounted)
        warnImport(Import::tr("%1: contours whose coordinates are not three per point "
                              "were left out: %2.")
                       .arg(who)
                       .arg(t.miscounted));
    if (t.otherTypes)
        warnImport(Import::tr("%1: contours that are not closed planar were left out: %2.")
                       .arg(who)
                       .arg(t.otherTypes));
    if (t.duplicates)
        warnImport(
            Import::tr("%1: contours given twice were left out: %2.").arg(who).arg(t.duplicates));
    if (t.crossing)
        warnImport(Import::tr("%1: contours that cross themselves: %2; their inside is taken "
                              "by the even-odd rule.")
                       .arg(who)
                       .arg(t.crossing));
}

bool readColour(const gdcm::DataSet &set, RtRoi &roi)
{
    const QStringList words = text(set, kDisplayColor).split(u'\\');
    if (words.size() != 3)
        return false;
    for (int c = 0; c < 3; ++c) {
        bool ok = false;
        roi.rgb[c] = words[c].trimmed().toInt(&ok);
        if (!ok || roi.rgb[c] < 0 || roi.rgb[c] > 255)
            return false;
    }
    return true;
}

// The series the structure set was drawn on, from its frame-of-reference references.
QString referencedSeries(const gdcm::DataSet &top)
{
    const ItemList frames = sequence(top, kFrameSequence);
    for (size_t f = 1; f <= itemCount(frames); ++f) {
        const ItemList studies = sequence(item(frames, f), kStudySequence);
        for (size_t s = 1; s <= itemCount(studies); ++s) {
            const ItemList series = sequence(item(studies, s), kSeriesSequence);
            for (size_t r = 1; r <= itemCount(series); ++r)
                if (const QString uid = text(item(series, r), kSeriesUid); !uid.isEmpty())
                    return uid;
        }
    }
    return {};
}

void readRois(const gdcm::DataSet &top, RtStructSet &set)
{
    std::map<int, size_t> byNumber;
    const ItemList rois = sequence(top, kRoiSequence);
    for (size_t r = 1; r <= itemCount(rois); ++r) {
        RtRoi roi;
        roi.number = wholeNumber(item(rois, r), kRoiNumber, int(r));
        roi.name = text(item(rois, r), kRoiName);
        if (roi.name.isEmpty())
            roi.name = Import::tr("ROI %1").arg(roi.number);
        byNumber.emplace(roi.number, set.rois.size());
        set.rois.push_back(std::move(roi));
    }
    std::vector<double> numbers;
    const ItemList contours = sequence(top, kRoiContours);
    for (size_t c = 1; c <= itemCount(contours); ++c) {
        const gdcm::DataSet &entry = item(contours, c);
        const int number = wholeNumber(entry, kReferencedRoi, -1);
        auto found = byNumber.find(number);
        if (found == byNumber.end()) { // contours of an ROI the set does not list
            RtRoi roi;
            roi.number = number;
            roi.name = Import::tr("ROI %1").arg(number);
            warnImport(Import::tr("Contours name ROI number %1 (Referenced ROI Number "
                                  "(3006,0084)), which the Structure Set ROI Sequence does not "
                                  "list; they are read as \"%2\".")
                           .arg(number)
                           .arg(roi.name));
            found = byNumber.emplace(number, set.rois.size()).first;
            set.rois.push_back(std::move(roi));
        }
        RtRoi &roi = set.rois[found->second];
        roi.hasColor = readColour(entry, roi);
        ContourTally tally;
        const ItemList list = sequence(entry, kContours);
        for (size_t k = 1; k <= itemCount(list); ++k)
            takeContour(item(list, k), roi, tally, numbers);
        warnTally(roi, tally);
    }
}

} // namespace

RtStructSet readRtStruct(const QString &path)
{
    gdcm::Trace::SetDebug(false);
    gdcm::Trace::SetWarning(false);
    gdcm::Trace::SetError(false);
    if (const QString problem = inspectDicomFile(path).problem; !problem.isEmpty())
        failImport(Import::tr("%1 is damaged: %2.").arg(QFileInfo(path).fileName(), problem));
    gdcm::Reader reader;
    reader.SetFileName(QFile::encodeName(path).constData());
    if (!reader.Read())
        failImport(Import::tr("The structure set cannot be read."));
    const gdcm::DataSet &top = reader.GetFile().GetDataSet();
    if (text(top, kSopClass) != QLatin1String(kStorageClass)
        && text(top, kModality) != QLatin1String("RTSTRUCT"))
        failImport(Import::tr("The file is not a structure set."));
    RtStructSet set;
    set.seriesUid = referencedSeries(top);
    readRois(top, set);
    if (set.rois.empty())
        failImport(Import::tr("The structure set holds no ROI."));
    return set;
}

void importRtStruct(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models,
                    std::shared_ptr<const ImageVolume> &image, const ImportProgress &progress)
{
    const RtStructSet set = readRtStruct(path);
    std::shared_ptr<ImageVolume> ct;
    if (!set.seriesUid.isEmpty()) {
        try {
            ct = std::make_shared<ImageVolume>(
                readDicomSeries(QFileInfo(path).absolutePath(), set.seriesUid));
        } catch (const ImportFailure &failure) {
            warnImport(Import::tr("The image series the contours were drawn on cannot be opened "
                                  "from the file's folder (%1); the masks lie on a grid made from "
                                  "the contours.")
                           .arg(failure.message));
        }
    }
    RtGrid grid;
    if (ct) {
        grid.toWorld = ct->toWorld;
        std::copy_n(ct->size, 3, grid.size);
    }
    rtStructModels(set, grid, path, models, progress);
    image = ct;
}
