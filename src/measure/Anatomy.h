#pragma once

#include "model/AnatomyTable.h"

#include <QString>

namespace measure {

// The structure a model shows, as far as the planning numbers care: one of
// the anatomy table's structures (model/AnatomyTable.h); the measured roles
// are Tumour, Kidney, CollectingSystem, Stones, Artery, Vein, Skin and Bone.
using Anatomy = anatomy::Structure;

// Read from the words of the model's file name (the anatomy table's words),
// else from the words of its name as the Objects tree shows it, else from
// that name as a label the table knows ("liver_1"). The more specific structure wins when a name
// holds several words: "kidney_stones" is stones, "pochka_opukhol" a tumour.
Anatomy anatomyOf(const QString &name, const QString &fileName);

// For a model whose importer knows its structure (a label of a label map,
// by the anatomy table's name for it): the structure decides, the file's
// name only when the structure's name says nothing.
Anatomy anatomyOfStructure(const QString &structure, const QString &fileName);

// Stable key for the JSON output: "tumour", "kidney", "collecting_system", ...
QString anatomyKey(Anatomy structure);

} // namespace measure
