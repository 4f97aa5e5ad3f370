#pragma once

#include "LabelNames.h"

#include <QString>

#include <memory>

class MeshClass;
class ModelClass;

// A model of an imported file holding one block, with the file's path, the
// look's name and, when the look has one, its colour.
std::unique_ptr<ModelClass> importedModel(const QString &path, std::unique_ptr<MeshClass> mesh,
                                          const LabelLook &look);

// Names a model of a mesh file (its blocks appended) after its file name
// without the ending (the stem the door recognised) or a name the file gives
// it (a glTF node's), and colours it from the anatomy table: the names
// automatic segmentation gives structures first, then the words that name a
// structure ("kidney_left.stl" is a kidney's colour, named kidney_left).
void nameFromStem(ModelClass &model, const QString &stem);

// Sets which kind of function is current, as loading a .surf does.
void settleFunctionLocation(ModelClass &model);

// Fails (ImportFailure) when a vertex has a coordinate that is not finite:
// such a vertex would break every size, view and measurement of the model.
void requireFiniteVertices(const MeshClass &mesh);
