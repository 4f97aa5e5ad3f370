#pragma once

#include "formats/FileKinds.h"

#include <QString>

#include <memory>
#include <vector>

class ModelClass;

// A mesh file (a kind the registry reads as a mesh file) as one model: a block per mesh (placed
// where the file's node hierarchy puts it), polygons kept as polygons, identical vertices joined,
// points and lines left out; named and coloured from the file name. A glTF file instead gives a
// model per node that holds meshes, named after the node and coloured by its material, its
// metres turned into millimetres. A binary
// STL whose triangle count disagrees with its size is refused. The kind and
// the stem come from the door's recognition. Throws ImportFailure with the
// reason.
void importMeshFile(const Recognition &file, std::vector<std::unique_ptr<ModelClass>> &models);
