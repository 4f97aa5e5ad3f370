#pragma once

#include "LabelMapData.h"
#include "formats/FileKinds.h"
#include "model/ImageVolume.h"

#include <QString>

#include <functional>

// NIfTI and NRRD files hold either a label map (a structure's number per
// voxel) or an image of intensities (a CT, an MR, a probability map). Both
// are read by the same readers into samples and a voxel-to-world map; these
// functions tell the two apart and turn an image's samples into an
// ImageVolume in the axes of the label maps, so that a label map made on the
// image overlaps it voxel for voxel.

// The samples of a NIfTI or NRRD file as read, whichever they hold. Fails
// (ImportFailure) as the label-map readers do: on sizes the file cannot
// hold, before anything is allocated.
LabelMapData readVolumeData(const Recognition &file,
                            const std::function<void(double)> &progress = {});

// The intent code of a NIfTI file's header; 0 (none) for any other file.
int niftiIntentOf(const Recognition &file);

// The guess between labels and image. A NIfTI intent of labels or of
// neuroanatomical names says labels, any other intent says image; without
// an intent, a segmentation's layers or segments say labels, and values
// that are negative (a CT's air, in HU), fractional, not finite, or more
// distinct than kMaxLabels say image.
bool holdsLabels(const LabelMapData &data, int niftiIntent);

// The image of read samples, released as soon as they are copied: values
// scaled by the file's slope and intercept, kept as 16-bit integers when
// every one is a whole number that fits, else as floats. `path` names the
// image. A file of several segmentation layers is refused.
ImageVolume imageOf(LabelMapData data, const QString &path);

// A NIfTI or NRRD file read as an image, whatever its values.
ImageVolume readImageFile(const Recognition &file);
