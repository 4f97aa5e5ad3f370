#pragma once

#include "LabelMapData.h"

#include <QString>

// Reads a NIfTI-1 or NIfTI-2 label map (.nii, .nii.gz) through niftilib.
// World coordinates come from the sform when the file has one, else from the
// qform, else from the voxel spacing alone. The dimensions times the voxel
// size are checked against what the file can hold before the data is read;
// a file of several volumes, an unknown voxel type and zero or not finite
// spacing are refused (ImportFailure).
LabelMapData readNifti(const QString &path);
