#pragma once

#include "model/Affine.h"

#include <QString>
#include <QtGlobal>

#include <vector>

// A label map on an image's grid: one 16-bit label per voxel (0 none),
// written as an uncompressed NIfTI-1 file (sform and qform off the grid's
// map, intent "labels") or as a NRRD file with raw data, in the patient
// frame the readers give back. False with `error` said when the file
// cannot be written.
enum class LabelMapFormat { Nifti, Nrrd };

bool writeLabelMap(const QString &path, LabelMapFormat format, const qint64 size[3],
                   const Affine &toWorld, const std::vector<qint16> &labels, QString &error);
