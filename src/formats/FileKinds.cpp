#include "FileKinds.h"

#include "GltfWriter.h"
#include "SaveModelFile.h"
#include "Writers.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cctype>
#include <cstring>
#include <utility>

namespace {

// Leading white space is allowed where the reader trims its first line.
QByteArrayView trimmedFront(QByteArrayView head)
{
    qsizetype at = 0;
    while (at < head.size() && std::strchr(" \t\r\n", head[at]) && head[at] != '\0')
        ++at;
    return head.sliced(at);
}

ContentMark mark(bool present)
{
    return present ? ContentMark::Present : ContentMark::Absent;
}

ContentMark plyMark(QByteArrayView head)
{
    return mark(head == "ply" || head.startsWith("ply\n") || head.startsWith("ply\r"));
}

ContentMark glbMark(QByteArrayView head)
{
    return mark(head.startsWith("glTF"));
}

ContentMark zipMark(QByteArrayView head)
{
    return mark(head.startsWith("PK\x03\x04"));
}

ContentMark vtkMark(QByteArrayView head)
{
    return mark(trimmedFront(head).startsWith("# vtk DataFile"));
}

ContentMark nrrdMark(QByteArrayView head)
{
    return mark(head.startsWith("NRRD000"));
}

// NIfTI-1 carries its mark at byte 344, NIfTI-2 at byte 4; a gzip stream
// (.nii.gz) hides it.
// DICOM files carry "DICM" after a preamble of 128 bytes.
ContentMark dicomMark(QByteArrayView head)
{
    if (head.size() < 132)
        return ContentMark::Absent;
    return head.sliced(128, 4) == "DICM" ? ContentMark::Present : ContentMark::Absent;
}

// A DICOM object names its storage class within its first bytes: in the file
// meta group, or in its first elements when an older file starts with group 8
// and no preamble. A longer UID that merely starts the same is another class.
ContentMark storageClassMark(QByteArrayView head, QByteArrayView uid)
{
    if (dicomMark(head) != ContentMark::Present && !head.startsWith(QByteArrayView("\x08\x00", 2)))
        return ContentMark::Absent;
    for (qsizetype at = head.indexOf(uid); at >= 0; at = head.indexOf(uid, at + 1)) {
        const qsizetype end = at + uid.size();
        if (end == head.size() || (head[end] != '.' && !std::isdigit(uchar(head[end]))))
            return ContentMark::Present;
    }
    return ContentMark::Absent;
}

// A structure set: contours of ROIs.
ContentMark rtStructMark(QByteArrayView head)
{
    return storageClassMark(head, "1.2.840.10008.5.1.4.1.1.481.3");
}

// A segmentation object: frames of segments.
ContentMark segMark(QByteArrayView head)
{
    return storageClassMark(head, "1.2.840.10008.5.1.4.1.1.66.4");
}

// A planning session: a JSON object whose first key names the session's
// version, within the first 64 bytes whatever the writer's spacing. Other
// JSON (a session of an older writer, its key further on) is not told apart.
ContentMark sessionMark(QByteArrayView head)
{
    constexpr qsizetype kMarkWithin = 64;
    const QByteArrayView key("\"tessaron_session\"");
    const qsizetype at = head.indexOf(key);
    if (at >= 0 && at <= kMarkWithin && head.trimmed().startsWith('{'))
        return ContentMark::Present;
    return head.trimmed().startsWith('{') ? ContentMark::Unsure : ContentMark::Absent;
}

ContentMark niftiMark(QByteArrayView head)
{
    if (head.startsWith("\x1f\x8b"))
        return ContentMark::Unsure;
    const auto at = [&](qsizetype offset, const char *one, const char *pair) {
        if (head.size() < offset + 4)
            return false;
        const QByteArrayView word = head.sliced(offset, 4);
        return word == QByteArrayView(one, 4) || word == QByteArrayView(pair, 4);
    };
    return mark(at(344, "n+1\0", "ni1\0") || at(4, "n+2\0", "ni2\0"));
}

qint32 writeOff(const ModelClass &m, const QString &f, bool, const WriterOptions &o)
{
    return writeOFF(m, f, o.saveColorAsMat, o.saveMatInOFF);
}
qint32 writeMesh(const ModelClass &m, const QString &f, bool, const WriterOptions &o)
{
    return writeMESH(m, f, o.saveColorAsMat);
}
qint32 writeVtk(const ModelClass &m, const QString &f, bool, const WriterOptions &)
{
    return writeVTK(m, f);
}
qint32 writeObj(const ModelClass &m, const QString &f, bool, const WriterOptions &)
{
    return writeOBJ(m, f);
}
qint32 writePly(const ModelClass &m, const QString &f, bool, const WriterOptions &)
{
    return writePLY(m, f);
}
qint32 writeDat(const ModelClass &m, const QString &f, bool, const WriterOptions &)
{
    return writeDAT(m, f);
}
qint32 writeStarCd(const ModelClass &m, const QString &f, bool, const WriterOptions &)
{
    return writeStarCD(m, f);
}
qint32 writeStl(const ModelClass &m, const QString &f, bool binary, const WriterOptions &)
{
    return binary ? writeBinarySTL(m, f) : writeTextSTL(m, f);
}
// A ".gltf" name writes JSON with its ".bin", any other a ".glb".
qint32 writeGltfKind(const ModelClass &m, const QString &f, bool, const WriterOptions &)
{
    return writeGltf(m, f);
}

using K = FileKind;
using R = KindReader;

// Every kind, in the order of the import dialog's patterns after our own.
// A new format is one reader file and one row here.
// clang-format off
const FileKindRow kKinds[] = {
    // kind          name      endings                    native reader         content    writer       word      filter          second
    {K::Surface,    "surf",   ".surf",                     true,  R::Surface,    nullptr,   nullptr,     nullptr,  nullptr,        nullptr},
    {K::Scene,      "hx",     ".hx",                       true,  R::Scene,      nullptr,   nullptr,     nullptr,  nullptr,        nullptr},
    {K::Stl,        "STL",    ".stl",                      false, R::MeshFile,   nullptr,   writeStl,    "STL",    "STL(*.stl)",   nullptr},
    {K::Obj,        "OBJ",    ".obj",                      false, R::MeshFile,   nullptr,   writeObj,    "OBJ",    "OBJ(*.obj)",   nullptr},
    {K::Ply,        "PLY",    ".ply",                      false, R::MeshFile,   plyMark,   writePly,    "PLY",    "PLY(*.ply)",   nullptr},
    {K::Off,        "OFF",    ".off",                      false, R::MeshFile,   nullptr,   writeOff,    "OFF",    "OFF(*.off)",   nullptr},
    {K::Gltf,       "glTF",   ".gltf",                     false, R::MeshFile,   nullptr,   writeGltfKind, "glTF", "glTF(*.glb *.gltf)", ".bin"},
    {K::Glb,        "GLB",    ".glb",                      false, R::MeshFile,   glbMark,   writeGltfKind, "glTF", "glTF(*.glb *.gltf)", nullptr},
    {K::ThreeMf,    "3MF",    ".3mf",                      false, R::MeshFile,   zipMark,   nullptr,     nullptr,  nullptr,        nullptr},
    {K::LegacyVtk,  "VTK",    ".vtk",                      false, R::LegacyVtk,  vtkMark,   writeVtk,    "VTK",    "VTK(*.vtk)",   nullptr},
    {K::Nifti,      "NIfTI",  ".nii .nii.gz",              false, R::LabelMap,   niftiMark, nullptr,     nullptr,  nullptr,        nullptr},
    {K::Nrrd,       "NRRD",   ".nrrd .seg.nrrd .nhdr",     false, R::LabelMap,   nrrdMark,  nullptr,     nullptr,  nullptr,        nullptr},
    {K::MaskFolder, "masks",  "",                          false, R::MaskFolder, nullptr,   nullptr,     nullptr,  nullptr,        nullptr},
    {K::Mesh,       "MESH",   ".mesh",                     false, R::None,       nullptr,   writeMesh,   "MESH",   "MESH(*.mesh)", nullptr},
    {K::Dat,        "DAT",    ".dat",                      false, R::None,       nullptr,   writeDat,    "DAT",    "DAT(*.dat)",   nullptr},
    {K::StarCd,     "StarCD", ".vrt",                      false, R::None,       nullptr,   writeStarCd, "StarCD", "StarCD(*.vrt)", ".cel"},
    {K::Dicom,      "DICOM",  ".dcm",                      false, R::Image,      dicomMark, nullptr,     nullptr,  nullptr,        nullptr},
    {K::RtStruct,   "RTSTRUCT", "",                        false, R::RtStruct,   rtStructMark, nullptr,  nullptr,  nullptr,        nullptr},
    {K::DicomSeg,   "DICOM SEG", "",                       false, R::Segments,   segMark,   nullptr,     nullptr,  nullptr,        nullptr},
    {K::Session,    "session", ".tsn",                     false, R::Session,    sessionMark, nullptr,     nullptr,  nullptr,        nullptr},
};
// clang-format on

// The order in which a save filter's text is tested for the writers' words:
// "StarCD(*.vrt)" contains none of the words before its own.
constexpr FileKind kSaveOrder[] = {K::Off, K::Mesh,   K::LegacyVtk, K::Obj, K::Ply,
                                   K::Dat, K::StarCd, K::Stl,       K::Glb};

// The order of the save menu, which the list of written endings follows.
constexpr FileKind kMenuOrder[] = {K::Mesh, K::Off,    K::LegacyVtk, K::Obj, K::Ply,
                                   K::Dat,  K::StarCd, K::Stl,       K::Glb, K::Gltf};

// The endings of the pictures the view writes, the usual one of a kind first.
// clang-format off
constexpr std::pair<const char *, PictureKind> kPictures[] = {
    {".jpg", PictureKind::Jpeg}, {".jpeg", PictureKind::Jpeg}, {".png", PictureKind::Png},
    {".bmp", PictureKind::Bmp},  {".svg", PictureKind::Svg},   {".pdf", PictureKind::Pdf},
    {".eps", PictureKind::Eps},  {".ps", PictureKind::Ps},
};
// clang-format on

// The document kind of the case sheet.
constexpr PictureKind kCaseSheet = PictureKind::Pdf;

// The first word of a space separated list, without copying.
QLatin1StringView firstWord(const char *words)
{
    if (!words)
        return {};
    const char *space = std::strchr(words, ' ');
    return space ? QLatin1StringView(words, space) : QLatin1StringView(words);
}

QStringList endingsOf(const FileKindRow &row)
{
    return QString::fromLatin1(row.endings).split(u' ', Qt::SkipEmptyParts);
}

// The longest ending of the rows `take` accepts that ends the name; its row
// and length, or null.
template<typename Take>
const FileKindRow *longestEnding(const QString &name, Take take, qsizetype *length = nullptr)
{
    const FileKindRow *best = nullptr;
    qsizetype bestLength = 0;
    for (const FileKindRow &row : kKinds) {
        if (!take(row))
            continue;
        for (const QString &ending : endingsOf(row))
            if (ending.size() > bestLength && name.endsWith(ending, Qt::CaseInsensitive)) {
                best = &row;
                bestLength = ending.size();
            }
    }
    if (length)
        *length = bestLength;
    return best;
}

bool isRead(const FileKindRow &row)
{
    return row.reader != KindReader::None;
}

bool holdsLabelMaps(const QString &folder)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries)
        if (isLabelMapName(entry.fileName()))
            return true;
    return false;
}

QByteArray headOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(kContentBytes);
}

// A file whose first bytes are those of a session, whatever its name.
bool holdsSession(const QString &path)
{
    return sessionMark(headOf(path)) == ContentMark::Present;
}

// A DICOM file: a DICOMDIR by its name, else a file with the DICM mark,
// whatever its name (scanners often write names without an ending).
bool isDicomFile(const QFileInfo &file)
{
    return file.fileName().compare(QLatin1String("DICOMDIR"), Qt::CaseInsensitive) == 0
        || dicomMark(headOf(file.filePath())) == ContentMark::Present;
}

// A folder holding DICOM files, at any depth. Only the first files met are
// looked at, so a large folder of other files is told quickly.
bool holdsDicom(const QString &folder)
{
    constexpr int kFilesLookedAt = 64;
    QDirIterator it(folder, QDir::Files | QDir::Readable, QDirIterator::Subdirectories);
    for (int n = 0; n < kFilesLookedAt && it.hasNext(); ++n)
        if (isDicomFile(it.nextFileInfo()))
            return true;
    return false;
}

qint64 visits = 0;

// A path looked up: counted, so that a test sees how often one input asks.
void visit()
{
    ++visits;
}

FileKind namedKind(const QString &path)
{
    const FileKindRow *row = longestEnding(path, isRead);
    return row ? row->kind : FileKind::Unknown;
}

QString stemOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    qsizetype length = 0;
    if (longestEnding(
            name, [](const FileKindRow &) { return true; }, &length)
        && length < name.size())
        return name.chopped(length);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

// The kind a path holds, as recognise() tells it.
Recognition kindSeen(const QString &path)
{
    const QFileInfo info(path);
    Recognition seen;
    seen.path = path;
    if (info.isDir()) {
        seen.kind = holdsLabelMaps(path) ? FileKind::MaskFolder
            : holdsDicom(path)           ? FileKind::Dicom
                                         : FileKind::Unknown;
        return seen;
    }
    seen.kind = namedKind(path);
    if (seen.kind == FileKind::Unknown && info.isFile() && isDicomFile(info))
        seen.kind = FileKind::Dicom;
    if (seen.kind == FileKind::Unknown && info.isFile() && holdsSession(path))
        seen.kind = FileKind::Session;
    // A DICOM file of contours or of segments, whatever its name, is read as such.
    if (seen.kind == FileKind::Dicom && info.isFile()) {
        const QByteArray head = headOf(path);
        if (rtStructMark(head) == ContentMark::Present)
            seen.kind = FileKind::RtStruct;
        else if (segMark(head) == ContentMark::Present)
            seen.kind = FileKind::DicomSeg;
    }
    const FileKindRow *row = kindRow(seen.kind);
    if (!row || !row->content || !info.isFile())
        return seen;
    const QByteArray head = headOf(path);
    if (head.isEmpty() || row->content(head) != ContentMark::Absent)
        return seen;
    const FileKind content = kindOfContent(head);
    if (content != seen.kind)
        seen.content = content;
    return seen;
}

} // namespace

qint64 registryVisits()
{
    return visits;
}

void resetRegistryVisits()
{
    visits = 0;
}

const FileKindRow *kindRow(FileKind kind)
{
    for (const FileKindRow &row : kKinds)
        if (row.kind == kind)
            return &row;
    return nullptr;
}

QLatin1StringView kindEnding(FileKind kind)
{
    const FileKindRow *row = kindRow(kind);
    return row ? firstWord(row->endings) : QLatin1StringView();
}

QLatin1StringView secondEnding(FileKind kind)
{
    const FileKindRow *row = kindRow(kind);
    return row ? firstWord(row->second) : QLatin1StringView();
}

FileKind kindOfName(const QString &path)
{
    visit();
    return namedKind(path);
}

FileKind kindOfContent(QByteArrayView head)
{
    for (const FileKindRow &row : kKinds)
        if (row.content && row.content(head) == ContentMark::Present)
            return row.kind;
    return FileKind::Unknown;
}

Recognition recognise(const QString &path)
{
    visit();
    Recognition seen = kindSeen(path);
    seen.row = kindRow(seen.kind);
    seen.stem = stemOf(path);
    return seen;
}

Recognition recogniseName(const QString &path)
{
    visit();
    Recognition seen;
    seen.path = path;
    seen.kind = namedKind(path);
    seen.row = kindRow(seen.kind);
    seen.stem = stemOf(path);
    return seen;
}

bool isNativeName(const QString &path)
{
    visit();
    const FileKindRow *row = kindRow(namedKind(path));
    return row && row->native;
}

bool isImportedKind(const FileKindRow &row)
{
    return isRead(row) && !row.native && row.reader != KindReader::Session;
}

bool isSessionName(const QString &fileName)
{
    visit();
    const FileKind named = namedKind(fileName);
    return named == FileKind::Session
        || (named == FileKind::Unknown && QFileInfo(fileName).isFile() && holdsSession(fileName));
}

bool isSceneName(const QString &fileName)
{
    visit();
    return namedKind(fileName) == FileKind::Scene;
}

bool isLabelMapName(const QString &path)
{
    visit();
    const FileKindRow *row = kindRow(namedKind(path));
    return row && row->reader == KindReader::LabelMap;
}

QStringList importPatterns()
{
    QStringList patterns;
    for (const FileKindRow &row : kKinds)
        if (isImportedKind(row))
            for (const QString &ending : endingsOf(row))
                patterns << QLatin1Char('*') + ending;
    return patterns;
}

QStringList readPatterns()
{
    QStringList patterns;
    for (const FileKindRow &row : kKinds)
        if (row.native || row.reader == KindReader::Session)
            for (const QString &ending : endingsOf(row))
                patterns << QLatin1Char('*') + ending;
    return patterns + importPatterns();
}

QStringList scenePatterns()
{
    QStringList patterns;
    for (const QString &ending : endingsOf(*kindRow(FileKind::Scene)))
        patterns << QLatin1Char('*') + ending;
    return patterns;
}

QString importEndings()
{
    QStringList endings = importPatterns();
    for (QString &ending : endings)
        ending.remove(0, 1);
    return endings.join(QStringLiteral(", ")) + QStringLiteral(", ")
        + QCoreApplication::translate("Import", "a folder of masks");
}

QString readEndings()
{
    QStringList native;
    for (const FileKindRow &row : kKinds)
        if (row.native || row.reader == KindReader::Session)
            native << endingsOf(row);
    return native.join(QStringLiteral(", ")) + QStringLiteral(", ") + importEndings();
}

QString kindStem(const QString &path)
{
    visit();
    return stemOf(path);
}

const FileKindRow *writerForFormat(const QString &format)
{
    for (FileKind kind : kSaveOrder) {
        const FileKindRow *row = kindRow(kind);
        if (format.contains(QLatin1StringView(row->saveWord), Qt::CaseInsensitive))
            return row;
    }
    return nullptr;
}

QString writtenEndings()
{
    QStringList endings;
    for (FileKind kind : kMenuOrder)
        endings << kindEnding(kind);
    return endings.join(u' ');
}

const FileKindRow *writerForName(const QString &path)
{
    return longestEnding(path, [](const FileKindRow &row) { return row.writer != nullptr; });
}

PictureKind pictureKindOf(const QString &name, Qt::CaseSensitivity cs)
{
    for (const auto &[ending, kind] : kPictures)
        if (name.endsWith(QLatin1StringView(ending), cs))
            return kind;
    return PictureKind::None;
}

bool isRasterPicture(PictureKind kind)
{
    return kind == PictureKind::Jpeg || kind == PictureKind::Png || kind == PictureKind::Bmp;
}

QLatin1StringView pictureEnding(PictureKind kind)
{
    for (const auto &[ending, picture] : kPictures)
        if (picture == kind)
            return QLatin1StringView(ending);
    return {};
}

QStringList pictureEndings(std::initializer_list<PictureKind> kinds)
{
    QStringList endings;
    for (PictureKind kind : kinds)
        for (const auto &[ending, picture] : kPictures)
            if (picture == kind)
                endings << QLatin1StringView(ending);
    return endings;
}

bool isCaseSheetName(const QString &name)
{
    return pictureKindOf(name, Qt::CaseInsensitive) == kCaseSheet;
}

QLatin1StringView caseSheetEnding()
{
    return pictureEnding(kCaseSheet);
}

namespace {
constexpr QLatin1StringView kWebPage(".html");
} // namespace

bool isWebPageName(const QString &name)
{
    return name.endsWith(kWebPage, Qt::CaseInsensitive);
}

QLatin1StringView webPageEnding()
{
    return kWebPage;
}

QString webPageFilter()
{
    return QStringLiteral("*") + kWebPage;
}
