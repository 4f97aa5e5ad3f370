#pragma once

// The registry of file kinds: the one place that tells what a file is from
// the ending of its name and, where a format marks its files, from their
// first bytes; whether the kind is one of our own (admitted by
// ModelClass::loadFile) or imported; which reader reads it and which writer
// writes it. It sits in the formats layer so that the load gate, the scene
// walker and the writers below the import layer reach it as well as every
// caller above; the import layer's door binds each reader to its code.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <initializer_list>

class ModelClass;
struct WriterOptions;

enum class FileKind {
    Unknown,
    Surface, // .surf, our own
    Scene,   // .hx, our own list of surfaces
    Stl,     // text or binary
    Obj,
    Ply,
    Off,
    Gltf,
    Glb,
    ThreeMf,
    LegacyVtk,
    Nifti,      // .nii, .nii.gz
    Nrrd,       // .nrrd, .seg.nrrd, .nhdr
    MaskFolder, // a folder holding label maps, one structure each
    Mesh,       // written only: Medit MESH
    Dat,        // written only: Tecplot ASCII
    StarCd,     // written only: StarCD .vrt and .cel
    Dicom,      // a DICOM file, a DICOMDIR or a folder of DICOM files
    RtStruct,   // a DICOM radiotherapy structure set: contours of ROIs
    DicomSeg,   // a DICOM segmentation object, told from other DICOM files by its class
    Session,    // .tsn, our own planning session: files, looks, camera, image and scores
};

// Which reader reads a kind; the door of the import layer runs it.
enum class KindReader {
    None,       // written only
    Surface,    // ModelClass::loadFile
    Scene,      // the .hx scene's surfaces, each through ModelClass::loadFile
    MeshFile,   // our STL, OFF and PLY readers, Assimp for the rest
    LegacyVtk,  // the legacy VTK reader
    LabelMap,   // a label map's labels, each a surface, or an image of intensities
    MaskFolder, // every mask of a folder
    Image,      // an image of intensities only
    RtStruct,   // the contours of a structure set, each ROI a surface
    Segments,   // a DICOM segmentation's segments, each a surface
    Session,    // a planning session's files, each through the door again
};

// How much a file's first bytes say about its kind.
enum class ContentMark {
    Absent, // the bytes lack the mark the kind's files carry
    Unsure, // nothing decides (a compressed stream, a format without a mark)
    Present,
};

// Writes a model in one kind's format under the chosen name; 0 or a code.
using KindWriter = qint32 (*)(const ModelClass &model, const QString &fileName, bool binary,
                              const WriterOptions &options);

struct FileKindRow
{
    FileKind kind;
    const char *name;    // for messages: "PLY"
    const char *endings; // space separated, the first the usual one: ".nii .nii.gz"
    bool native;         // admitted by ModelClass::loadFile and the Open command
    KindReader reader;
    ContentMark (*content)(QByteArrayView head); // null: the format marks nothing
    KindWriter writer;                           // null: not written
    const char *saveWord;                        // the save filter's word: "OFF"
    const char *saveFilter;                      // "OFF(*.off)"
    const char *second; // the ending of a second file the writer writes beside the first
};

// The row of a kind; null for Unknown.
const FileKindRow *kindRow(FileKind kind);

// The usual ending of a kind (the first of its row): ".stl"; empty for a
// kind named by no ending.
QLatin1StringView kindEnding(FileKind kind);
// The ending of the second file a kind's writer writes beside the first
// (StarCD's cells: ".cel"); empty when it writes one file.
QLatin1StringView secondEnding(FileKind kind);

// The kind named by a path's ending, ignoring case; the longest ending wins
// (.seg.nrrd over .nrrd). Only kinds that are read; Unknown otherwise.
FileKind kindOfName(const QString &path);

// The kind a file's first bytes carry the mark of; Unknown when no mark
// decides. Readers' first kContentBytes bytes are enough.
FileKind kindOfContent(QByteArrayView head);
inline constexpr qsizetype kContentBytes = 352;

// What a path holds, as the door sees it. The door recognises a path once
// and hands this down: readers and namers take the kind, row and stem from
// it rather than asking the registry again.
struct Recognition
{
    QString path;
    FileKind kind = FileKind::Unknown;    // by its ending (a folder of masks: MaskFolder)
    FileKind content = FileKind::Unknown; // set when the bytes contradict the ending
    const FileKindRow *row = nullptr;     // of `kind`; null for Unknown
    QString stem;                         // the name without folder and ending, as kindStem()
};

// The kind of a path: a folder of label maps is a MaskFolder; a file's kind
// comes from its ending, and when its bytes lack that kind's mark but carry
// another's, `content` names that other kind.
Recognition recognise(const QString &path);
// The same for a path already known to be a file of a kind read by its
// ending (an entry of a listed folder): no bytes are read.
Recognition recogniseName(const QString &path);

// How often a path has been looked up in the registry (recognise(),
// kindOfName(), kindStem() and the is...Name() questions) since the last
// reset: tests count the visits one input's path makes.
qint64 registryVisits();
void resetRegistryVisits();

// Admission of ModelClass::loadFile and the Open command: .surf and .hx, any case.
bool isNativeName(const QString &path);
// An .hx scene, any case.
bool isSceneName(const QString &fileName);
// A .tsn planning session, any case, or a file without a known ending whose
// first bytes are a session's.
bool isSessionName(const QString &fileName);
// A kind read by an import (not our own surfaces, scenes or sessions).
bool isImportedKind(const FileKindRow &row);
// A label map (NIfTI or NRRD) by its ending.
bool isLabelMapName(const QString &path);

// The patterns of the imported endings, for file dialogs: "*.stl", ...
QStringList importPatterns();
// The patterns of every ending Open reads, our own first: "*.surf", "*.hx",
// "*.tsn", "*.stl", ...
QStringList readPatterns();
// The patterns of a scene, for listing a folder: "*.hx".
QStringList scenePatterns();
// The imported endings for a message: ".stl, .obj, ..., .nhdr, a folder of masks".
QString importEndings();
// Every ending read, our own first: ".surf, .hx, .stl, ..., a folder of masks".
QString readEndings();

// The name of a file without its folder and its kind's ending (the longest
// known ending, else the text after the last dot).
QString kindStem(const QString &path);

// The writer a save filter's text chooses: the first of the words OFF, MESH,
// VTK, OBJ, PLY, DAT, StarCD, STL and glTF that it contains, ignoring case;
// null when it contains none.
const FileKindRow *writerForFormat(const QString &format);
// The writer of an output name's ending, ignoring case; null for an ending
// that is not written.
const FileKindRow *writerForName(const QString &path);
// The usual endings of the written kinds in the order of the save menu:
// ".mesh .off .vtk .obj .ply .dat .vrt .stl .glb .gltf".
QString writtenEndings();

// The image kinds the view writes, by the name's ending.
enum class PictureKind { None, Jpeg, Png, Bmp, Svg, Pdf, Eps, Ps };
PictureKind pictureKindOf(const QString &name, Qt::CaseSensitivity cs = Qt::CaseSensitive);
bool isRasterPicture(PictureKind kind);
// The usual ending of a picture kind: ".jpg"; empty for None.
QLatin1StringView pictureEnding(PictureKind kind);
// Every ending of the given picture kinds, kind by kind in the order given,
// each kind's usual one first: {Jpeg, Png} gives ".jpg", ".jpeg", ".png".
QStringList pictureEndings(std::initializer_list<PictureKind> kinds);

// The case sheet is written as a PDF document: whether a name ends in its
// ending, ignoring case, and that ending.
bool isCaseSheetName(const QString &name);
QLatin1StringView caseSheetEnding();

// The plan as one web page: whether a name ends in its ending, ignoring
// case; that ending; and the save dialog's filter of it.
bool isWebPageName(const QString &name);
QLatin1StringView webPageEnding();
QString webPageFilter();
