#pragma once

// The door every file comes in by. The registry of file kinds
// (formats/FileKinds.h) tells what a path holds; this door runs the reader
// the registry names for it and hands back one result: the models and the
// problems met.

#include "DicomSeries.h"
#include "ImportTypes.h"
#include "formats/FileKinds.h"
#include "model/ImageVolume.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class ModelClass;
struct Session;

// True for a file with an imported kind's ending, or a folder of label maps.
bool isImportable(const Recognition &file);
bool isImportable(const QString &path);

// How a file that may hold labels or an image is read: as its values
// suggest, or as the user says (tessaron-cli's --as image|labels).
enum class ReadAs { Guess, Image, Labels };

struct OpenOptions
{
    ReadAs as = ReadAs::Guess;
    QString series;             // of a folder of several series: its number or UID
    SeriesChooser chooseSeries; // asks when `series` is empty and there are several; may be empty
    ImportProgress progress;    // may be empty
};

struct ImportResult
{
    bool ok = false;
    bool canceled = false;
    QString message;      // why not, for the user
    QStringList warnings; // what a successful import left out or changed
    // Set for an image; with models for a structure set or a DICOM folder
    // holding segmentations, beside the image they were drawn on.
    std::shared_ptr<const ImageVolume> image;
};

// Reads a mesh file, a legacy VTK file, a label map or a folder of masks
// into new models appended to `models`, named and coloured; a NIfTI or NRRD
// file whose values are an image of intensities comes back as `image`,
// with no model. On failure or cancel nothing is appended. `progress` (may
// be empty) follows a label map's import step by step and can cancel it.
// The kind, row and stem come from `file` as the door recognised it; the
// overloads taking a path recognise it first.
ImportResult importModels(const Recognition &file, std::vector<std::unique_ptr<ModelClass>> &models,
                          const OpenOptions &options);
ImportResult importModels(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models,
                          const ImportProgress &progress = {});
ImportResult importModels(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models,
                          const OpenOptions &options);

// One problem met while a file was opened: an error stopped the file it
// names; a warning says what was left out of it.
struct FileProblem
{
    QString path;
    QString text;
    bool warning = false;
};

// What the door hands back for one path, whatever its kind.
struct OpenedFile
{
    FileKind kind = FileKind::Unknown;               // Unknown: no reader reads the path
    std::vector<std::unique_ptr<ModelClass>> models; // in the file's order
    std::shared_ptr<const ImageVolume> image;        // set for an image, with a folder's segments
    std::shared_ptr<const Session> session;          // set for a planning session
    std::vector<qsizetype> entryOf;                  // a session's entry of every model
    QList<FileProblem> problems;
    bool canceled = false;

    bool failed() const;
};

// Opens any path the registry knows: a .surf through ModelClass::loadFile, an
// .hx scene's surfaces in list order (stopping at the first that fails, the
// earlier ones kept), an imported kind through importModels(), which also
// gives an image. A path of no known kind comes back as Unknown, with no
// problem: callers word that refusal their own way. A series chosen for a
// file that holds one image at most is a warning. Every reader takes `file`
// as it is: the path is recognised once, by the caller at its door.
OpenedFile openPath(const Recognition &file, const OpenOptions &options = {});
// The same for a path not recognised yet.
OpenedFile openPath(const QString &path, const OpenOptions &options = {});

// A planning session's models (SessionOpen.cpp): each file it names opened
// once through the door, the models matched to its entries by name and given
// their looks, in the session's order; its image, when it names one. A file
// that is missing or fails is a warning that names it, and the rest opens.
void openSession(const QString &path, OpenedFile &opened, const OpenOptions &options);
