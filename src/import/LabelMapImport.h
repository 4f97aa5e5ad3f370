#pragma once

#include "ImportTypes.h"
#include "LabelMapData.h"
#include "SurfaceSmoother.h"
#include "formats/FileKinds.h"

#include <QString>

#include <memory>
#include <vector>

class ModelClass;

// A label-map file: every non-zero label becomes a model, its surface found
// by discrete marching cubes and smoothed, in world millimetres. Names and
// colours come from the .seg.nrrd segments, else from a label table beside
// the file, else, for a file of one structure, from its file name through
// the names of automatic segmentation, else "Label N". Throws ImportFailure
// or ImportCanceled; then `models` is as it was.
void importLabelMap(const Recognition &file, std::vector<std::unique_ptr<ModelClass>> &models,
                    const ImportProgress &progress, const SmoothingOptions &smoothing = {});

// A folder of single-structure masks, one label-map file per structure named
// by it, as one scene: a model per structure, empty masks left out.
void importMaskFolder(const QString &folder, std::vector<std::unique_ptr<ModelClass>> &models,
                      const ImportProgress &progress, const SmoothingOptions &smoothing = {});

// The path from voxels to models, as both imports take it: `file` is the
// file the models name as theirs (its folder is searched for a label table,
// its stem names a single structure).
void labelMapModels(LabelMapData map, const Recognition &file,
                    std::vector<std::unique_ptr<ModelClass>> &models,
                    const ImportProgress &progress, const SmoothingOptions &smoothing = {});
