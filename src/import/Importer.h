#pragma once

#include "ImportTypes.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class ModelClass;

// The file patterns the importer reads, for file dialogs: "*.stl", "*.nii.gz", ...
QStringList importPatterns();

// True for a file with an importable ending, or a folder of label maps.
bool isImportable(const QString &path);

struct ImportResult
{
    bool ok = false;
    bool canceled = false;
    QString message;      // why not, for the user
    QStringList warnings; // what a successful import left out or changed
};

// The endings the importer reads, for a message: ".stl, .obj, ..., .nhdr".
QString importEndings();

// Reads a mesh file, a legacy VTK file, a label map or a folder of masks
// into new models appended to `models`, named and coloured. On failure or
// cancel nothing is appended. `progress` (may be empty) follows a label
// map's import step by step and can cancel it.
ImportResult importModels(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models,
                          const ImportProgress &progress = {});
