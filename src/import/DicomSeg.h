#pragma once

// DICOM segmentation objects: each segment of a binary or fractional
// segmentation becomes a closed, named and coloured model with its voxel
// volume, placed in our patient frame as the CT reader places its images, so
// a segmentation overlaps the CT it was drawn on.

#include "ImportTypes.h"
#include "formats/FileKinds.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class ModelClass;

// A coded term: its scheme ("SCT"), code value and meaning.
struct SegCode
{
    QString scheme, value, meaning;
    bool isEmpty() const { return value.isEmpty(); }
};

// Every segment of the file as a model appended to `models`, in segment
// order. A segment that cannot be made (no frames, no voxels, frames naming
// it wrongly) is left out with a warning naming it. Fails (ImportFailure) when
// no segment can be read, or when the file's frames cannot be placed.
void importDicomSeg(const Recognition &file, std::vector<std::unique_ptr<ModelClass>> &models,
                    const ImportProgress &progress = {});

// The segmentation files of a folder (at any depth), each recognised once,
// sorted by path.
std::vector<Recognition> segmentationFilesIn(const QString &folder);

// The Series Instance UID of the images a segmentation file was drawn on;
// empty when it names none or cannot be read.
QString segmentedSeriesOf(const QString &path);

// A colour given as DICOM's scaled CIELab (each of L*, a*, b* as 0..65535,
// L* over 0..100 and a*, b* over -128..127) in sRGB (0..255 each), taking
// the D65 white point.
std::array<int, 3> dicomLabToRgb(quint16 l, quint16 a, quint16 b);
