#pragma once

// The door every file comes in by. The registry of file kinds
// (formats/FileKinds.h) tells what a path holds; this door runs the reader
// the registry names for it and hands back one result: the models and the
// problems met.

#include "ImportTypes.h"
#include "formats/FileKinds.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class ModelClass;

// True for a file with an imported kind's ending, or a folder of label maps.
bool isImportable(const QString &path);

struct ImportResult
{
    bool ok = false;
    bool canceled = false;
    QString message;      // why not, for the user
    QStringList warnings; // what a successful import left out or changed
};

// Reads a mesh file, a legacy VTK file, a label map or a folder of masks
// into new models appended to `models`, named and coloured. On failure or
// cancel nothing is appended. `progress` (may be empty) follows a label
// map's import step by step and can cancel it.
ImportResult importModels(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models,
                          const ImportProgress &progress = {});

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
    QList<FileProblem> problems;
    bool canceled = false;

    bool failed() const;
};

// Opens any path the registry knows: a .surf through ModelClass::loadFile, an
// .hx scene's surfaces in list order (stopping at the first that fails, the
// earlier ones kept), an imported kind through importModels(). A path of no
// known kind comes back as Unknown, with no problem: callers word that
// refusal their own way.
OpenedFile openPath(const QString &path, const ImportProgress &progress = {});
