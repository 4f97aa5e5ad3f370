// Finds the image planes a DICOM path holds and groups them into series,
// reading headers only: the files of a folder, or those a DICOMDIR lists.

#include "DicomDataSet.h"
#include "DicomFrames.h"
#include "DicomGuard.h"
#include "DicomTags.h"
#include "ImportTypes.h"

#include <gdcmReader.h>
#include <gdcmScanner.h>
#include <gdcmSequenceOfItems.h>
#include <gdcmTrace.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

using namespace dicomtag;

namespace {

// The library's own warnings would reach the user's terminal; what matters
// reaches them as our messages instead.
void silenceLibrary()
{
    gdcm::Trace::SetDebug(false);
    gdcm::Trace::SetWarning(false);
    gdcm::Trace::SetError(false);
}

// A file worth handing to the library: the DICM mark, or a header without
// the preamble that starts with a group-8 element as old files do.
bool looksLikeDicom(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = in.read(132);
    if (hasDicomMark(head))
        return true;
    return head.size() >= 8 && head[0] == 0x08 && head[1] == 0x00;
}

// The referenced files of a DICOMDIR's records, found case-insensitively
// under its folder as discs often hold names in another case; none outside it.
QString findReferenced(const QDir &root, const QStringList &parts)
{
    QDir dir = root;
    for (qsizetype p = 0; p < parts.size(); ++p) {
        const QString part = parts[p].trimmed();
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return {};
        const QStringList names = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const auto hit = std::find_if(names.begin(), names.end(), [&](const QString &n) {
            return n.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (hit == names.end())
            return {};
        if (p + 1 == parts.size())
            return dir.filePath(*hit);
        if (!dir.cd(*hit))
            return {};
    }
    return {};
}

// The files a DICOMDIR lists, or nothing when `file` is not one.
std::optional<QStringList> directoryFiles(const QString &file, QStringList &missing)
{
    gdcm::Reader reader;
    reader.SetFileName(QFile::encodeName(file).constData());
    if (!reader.ReadUpToTag(kDirectoryRecords))
        return std::nullopt;
    const gdcm::DataSet &set = reader.GetFile().GetDataSet();
    if (!set.FindDataElement(kDirectoryRecords))
        return std::nullopt;
    gdcm::SmartPointer<gdcm::SequenceOfItems> records =
        set.GetDataElement(kDirectoryRecords).GetValueAsSQ();
    QStringList files;
    const QDir root = QFileInfo(file).absoluteDir();
    for (size_t i = 1; records && i <= records->GetNumberOfItems(); ++i) {
        const QString id = elementText(&records->GetItem(i).GetNestedDataSet(), kReferencedFile);
        const QString found = id.isEmpty() ? QString() : findReferenced(root, id.split(u'\\'));
        if (!found.isEmpty())
            files << found;
        else if (!id.isEmpty())
            missing << id;
    }
    return files;
}

QString damaged(const QString &file, const QString &problem)
{
    return Import::tr("%1 is damaged: %2.").arg(QFileInfo(file).fileName(), problem);
}

// The files worth scanning, and what is wrong with those left out.
struct Candidates
{
    QStringList files;
    QStringList damage;
    QStringList missing; // what a DICOMDIR lists that is not there
    std::map<QString, DicomFileFacts> facts;
};

Candidates candidateFiles(const QString &path)
{
    const QFileInfo info(path);
    Candidates c;
    if (info.isDir()) {
        QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            c.files << it.next();
    } else {
        if (!looksLikeDicom(path))
            failImport(Import::tr("%1 is not a DICOM file.").arg(info.fileName()));
        if (const QString problem = inspectDicomFile(path).problem; !problem.isEmpty())
            failImport(damaged(path, problem));
        if (std::optional<QStringList> listed = directoryFiles(path, c.missing))
            c.files = *listed;
        else
            c.files << path;
    }
    c.files.sort();
    c.files.removeDuplicates();
    c.files.removeIf([&](const QString &f) {
        if (!looksLikeDicom(f))
            return true;
        const DicomFileFacts facts = inspectDicomFile(f);
        if (!facts.problem.isEmpty())
            c.damage << damaged(f, facts.problem);
        else
            c.facts[f] = facts;
        return !facts.problem.isEmpty();
    });
    return c;
}

gdcm::Scanner scannerFor(const QStringList &files)
{
    gdcm::Scanner scanner;
    for (const gdcm::Tag &t :
         {kSyntax,     kImageType,      kStudyDate,   kSeriesDate, kModality,     kDescription,
          kPatient,    kThickness,      kBetween,     kSeriesUid,  kPosition,     kOrientation,
          kSamples,    kFrames,         kRows,        kColumns,    kPixelSpacing, kBitsAllocated,
          kBitsStored, kRepresentation, kIntercept,   kSlope,      kRescaleType,  kUnits,
          kDoseUnits,  kDoseScaling,    kFrameOffsets})
        scanner.AddTag(t);
    gdcm::Directory::FilenamesType names;
    for (const QString &f : files)
        names.push_back(QFile::encodeName(f).toStdString());
    scanner.Scan(names);
    return scanner;
}

// A scale no stored value loses its meaning by: finite, within ±1e20, and for
// a value other than zero at least 1e-20 in size; a slope is never zero.
bool usableScale(double v, bool slope)
{
    const double size = std::fabs(v);
    return std::isfinite(v) && size <= 1e20 && (size >= 1e-20 || (!slope && v == 0));
}

bool isCompressed(const QString &syntax)
{
    static const QStringList raw {"", "1.2.840.10008.1.2", "1.2.840.10008.1.2.1",
                                  "1.2.840.10008.1.2.2"};
    return !raw.contains(syntax);
}

int wholeNumber(const QString &text, int fallback = 0)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? n : fallback;
}

// An RT dose grid's scaling, unit and frame offsets: the scaling is the slope
// of its stored values when no rescale slope is given.
template<class Text> void takeDoseGrid(DicomFrame &f, const Text &text)
{
    f.doseUnits = text(kDoseUnits).toUpper();
    if (text(kSlope).isEmpty())
        takeRescale(f, text(kDoseScaling), "(3004,000E)", f.slope);
    const QString offsets = text(kFrameOffsets);
    if (!offsets.isEmpty()) {
        f.frameOffsets = dicomNumbers(offsets, size_t(offsets.count(u'\\') + 1));
        if (f.frameOffsets.empty())
            f.refusal = Import::tr("The Grid Frame Offset Vector (3004,000C) of %1 holds "
                                   "something other than numbers.")
                            .arg(QFileInfo(f.file).fileName());
    }
}

// The frame a scanned file's top level describes.
DicomFrame frameOf(const gdcm::Scanner &scanner, const std::string &name)
{
    const auto text = [&](const gdcm::Tag &tag) {
        const char *v = scanner.GetValue(name.c_str(), tag);
        return v ? QString::fromLatin1(v).trimmed() : QString();
    };
    DicomFrame f;
    f.file = QFile::decodeName(name.c_str());
    f.fileBytes = QFileInfo(f.file).size();
    f.compressed = isCompressed(text(kSyntax));
    f.seriesUid = text(kSeriesUid);
    f.patient = text(kPatient).replace(u'^', u' ').simplified();
    f.date = text(kSeriesDate).isEmpty() ? text(kStudyDate) : text(kSeriesDate);
    f.description = text(kDescription);
    f.modality = text(kModality);
    f.imageType = text(kImageType).toUpper();
    f.rescaleType = text(kRescaleType);
    f.units = text(kUnits);
    f.rows = wholeNumber(text(kRows));
    f.columns = wholeNumber(text(kColumns));
    f.frames = wholeNumber(text(kFrames), 1);
    f.bitsAllocated = wholeNumber(text(kBitsAllocated));
    f.bitsStored = wholeNumber(text(kBitsStored), f.bitsAllocated);
    f.pixelRepresentation = wholeNumber(text(kRepresentation));
    f.samples = wholeNumber(text(kSamples), 1);
    if (const auto p = dicomNumbers(text(kPosition), 3); !p.empty()) {
        std::copy(p.begin(), p.end(), f.position);
        f.hasPosition = true;
    }
    if (const auto o = dicomNumbers(text(kOrientation), 6); !o.empty()) {
        std::copy(o.begin(), o.end(), f.orientation);
        f.hasOrientation = true;
    }
    if (const auto s = dicomNumbers(text(kPixelSpacing), 2); !s.empty()) {
        std::copy(s.begin(), s.end(), f.pixelSpacing);
        f.hasPixelSpacing = true;
    }
    if (const auto t = dicomNumbers(text(kThickness), 1); !t.empty())
        f.thickness = t[0];
    if (const auto b = dicomNumbers(text(kBetween), 1); !b.empty())
        f.spacingBetween = b[0];
    takeRescale(f, text(kSlope), "(0028,1053)", f.slope);
    takeRescale(f, text(kIntercept), "(0028,1052)", f.intercept);
    takeDoseGrid(f, text);
    return f;
}

// The key that splits a series: its planes' orientation (to a hundredth of a
// degree or so) and their size.
QString partKey(const DicomFrame &f)
{
    QString key = QStringLiteral("%1x%2").arg(f.rows).arg(f.columns);
    for (double v : f.orientation)
        key += QLatin1Char(' ') + QString::number(std::round(v * 1e4) / 1e4 + 0.0, 'f', 4);
    return key;
}

DicomSeriesInfo infoOf(const QString &uid, const std::vector<DicomFrame> &frames)
{
    const DicomFrame &first = frames.front();
    DicomSeriesInfo info;
    info.uid = uid;
    info.patient = first.patient;
    info.date = first.date;
    info.description = first.description;
    info.modality = first.modality;
    info.slices = int(frames.size());
    info.rows = first.rows;
    info.columns = first.columns;
    return info;
}

// One series split by orientation and size; a lone plane beside a larger
// part is a localizer and is left out. Parts get ".1", ".2" after the UID.
void addParts(const QString &uid, const std::vector<DicomFrame> &frames,
              std::vector<DicomGroup> &out)
{
    std::vector<std::pair<QString, std::vector<DicomFrame>>> parts;
    for (const DicomFrame &f : frames) {
        const QString key = partKey(f);
        auto it = std::find_if(parts.begin(), parts.end(), [&](auto &p) { return p.first == key; });
        if (it == parts.end())
            it = parts.insert(parts.end(), {key, {}});
        it->second.push_back(f);
    }
    const size_t largest = std::max_element(parts.begin(), parts.end(), [](auto &a, auto &b) {
                               return a.second.size() < b.second.size();
                           })->second.size();
    if (largest > 1)
        parts.erase(std::remove_if(parts.begin(), parts.end(),
                                   [](auto &p) { return p.second.size() == 1; }),
                    parts.end());
    for (size_t p = 0; p < parts.size(); ++p) {
        const QString name = parts.size() == 1 ? uid : QStringLiteral("%1.%2").arg(uid).arg(p + 1);
        out.push_back({infoOf(name, parts[p].second), parts[p].second});
    }
}

std::vector<DicomFrame> scannedFrames(const Candidates &candidates)
{
    const QStringList &files = candidates.files;
    const gdcm::Scanner scanner = scannerFor(files);
    std::vector<DicomFrame> frames;
    for (const QString &file : files) {
        const std::string name = QFile::encodeName(file).toStdString();
        if (!scanner.IsKey(name.c_str()))
            continue;
        DicomFrame f = frameOf(scanner, name);
        const DicomFileFacts &facts = candidates.facts.at(file);
        f.pixelOffset = facts.pixelOffset;
        f.pixelLength = facts.pixelLength;
        if (f.rows == 0 && f.columns == 0 && f.bitsAllocated == 0)
            continue; // no image: a report, a structure set, a directory
        if (f.isLocalizer() || f.modality == QLatin1String("SEG"))
            continue; // a segmentation is read as segments, not as images of the series
        // Enhanced files keep even a single frame's place in functional groups.
        if (f.isMosaic())
            addMosaicFrames(f, frames);
        else if (f.frames > 1 || !f.hasPosition || !f.hasOrientation)
            addMultiFrames(f, frames);
        else
            frames.push_back(f);
    }
    return frames;
}

} // namespace

void takeRescale(DicomFrame &f, const QString &text, const char *tag, double &to)
{
    if (text.isEmpty())
        return;
    bool ok = false;
    const double v = text.section(u'\\', 0, 0).trimmed().toDouble(&ok);
    const bool slope = QLatin1String(tag) != QLatin1String("(0028,1052)");
    if (ok && usableScale(v, slope)) {
        to = v;
        return;
    }
    if (f.refusal.isEmpty())
        f.refusal = Import::tr("The element %1 of %2 reads \"%3\", not a scale its values can "
                               "be multiplied or shifted by.")
                        .arg(QLatin1String(tag), QFileInfo(f.file).fileName(), text.left(40));
}

std::vector<DicomGroup> scanDicomGroups(const QString &path, QStringList *notes)
{
    silenceLibrary();
    if (!QFileInfo::exists(path))
        failImport(Import::tr("The DICOM path does not exist."));
    const Candidates candidates = candidateFiles(path);
    const std::vector<DicomFrame> frames = scannedFrames(candidates);
    std::vector<QString> order;
    std::map<QString, std::vector<DicomFrame>> bySeries;
    for (const DicomFrame &f : frames) {
        auto &list = bySeries[f.seriesUid];
        if (list.empty())
            order.push_back(f.seriesUid);
        list.push_back(f);
    }
    std::vector<DicomGroup> groups;
    for (const QString &uid : order)
        addParts(uid, bySeries[uid], groups);
    const QString missing = candidates.missing.isEmpty()
        ? QString()
        : Import::tr("The DICOMDIR lists %1 files that are not there; the first: %2.")
              .arg(candidates.missing.size())
              .arg(candidates.missing.front());
    if (groups.empty() && !missing.isEmpty())
        failImport(missing);
    if (notes && !missing.isEmpty())
        *notes << missing;
    if (groups.empty() && !candidates.damage.isEmpty())
        failImport(candidates.damage.front());
    if (groups.empty())
        failImport(Import::tr("No readable DICOM image was found there."));
    if (notes && !candidates.damage.isEmpty())
        *notes << Import::tr("Damaged files left out: %1; the first: %2")
                      .arg(candidates.damage.size())
                      .arg(candidates.damage.front());
    return groups;
}
