#pragma once

#include "LabelNames.h"
#include "LabelSurface.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class ModelClass;

// One model per label of a surface: a block of the triangles that bound the
// label, turned so their normals point out of it, with its own copy of the
// vertices (so a boundary two labels share has the same vertices in both).
// Every cell has the label's value in the file as its material (0 when the
// value is negative or too large), so the labels stay apart when the models
// are joined. Every model carries its label's voxel volume (`voxelVolumes`
// by label number, in cubic millimetres), the structure its look names and
// its side, when the look has one. `lookOf` names and
// colours label l (1..labelCount); `step` is called before each label with its number and name.
// Labels without triangles give no model.
void addLabelModels(const LabelSurface &surface, const std::vector<qint64> &values,
                    const std::vector<double> &voxelVolumes, const QString &path,
                    const std::function<LabelLook(int label)> &lookOf,
                    const std::function<void(int label, const QString &name)> &step,
                    std::vector<std::unique_ptr<ModelClass>> &models);
