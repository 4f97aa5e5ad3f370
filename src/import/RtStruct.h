#pragma once

// Radiotherapy structure sets: each region of interest (ROI) a stack of
// closed planar contours in patient millimetres. Read with GDCM's data-set
// API after the DICOM guard has walked the file; each ROI becomes a mask on
// a voxel grid and then a closed surface through the label-surface code.

#include "ImportTypes.h"
#include "model/Affine.h"
#include "model/ImageVolume.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class ModelClass;

// One closed contour: its points in the world frame of the images and label
// maps (model/ImageVolume.h), three numbers per point.
struct RtContour
{
    std::vector<double> xyz;
    qint64 pointCount() const { return qint64(xyz.size() / 3); }
};

struct RtRoi
{
    int number = 0;
    QString name;
    bool hasColor = false;
    int rgb[3] = {0, 0, 0};
    std::vector<RtContour> contours; // only closed planar contours that hold
};

// What a structure set file holds, once its contours are checked: every ROI
// in the order the file lists them (those without usable contours too, so
// that they can be named in a warning), and the series its contours were
// drawn on.
struct RtStructSet
{
    std::vector<RtRoi> rois;
    QString seriesUid; // the referenced image series; empty when not named
};

// Reads and checks the file: contours of fewer than three points, with
// numbers that are not finite, or whose count is not three per point are
// left out with a warning naming the ROI, as is a contour that crosses
// itself kept with one. Throws ImportFailure when the file is not a
// structure set or cannot be read.
RtStructSet readRtStruct(const QString &path);

// The voxel grid the masks are drawn on: index to world millimetres, size.
struct RtGrid
{
    Affine toWorld;
    qint64 size[3] = {0, 0, 0};
};

// The grid built from the contours alone (no image beside them): slices
// along the contours' normal at their spacing, in-plane spacing fine enough
// for the smallest contour. Throws ImportFailure with the numbers when the
// grid would be absurdly large.
RtGrid gridFromContours(const RtStructSet &set);

// Every ROI with contours becomes a closed model with its voxel volume,
// drawn on `grid`, each on a box of its own (ROIs may overlap). An ROI
// without contours, or whose contours miss the grid, gives a warning.
void rtStructModels(const RtStructSet &set, const RtGrid &grid, const QString &path,
                    std::vector<std::unique_ptr<ModelClass>> &models,
                    const ImportProgress &progress);

// The door's reader: the structure set's models, and the referenced image
// when its series sits in the same folder (then the masks lie on its grid).
void importRtStruct(const QString &path, std::vector<std::unique_ptr<ModelClass>> &models,
                    std::shared_ptr<const ImageVolume> &image, const ImportProgress &progress);

// The most voxels a grid made from contours may take; the fuzz target
// lowers it to stay within its memory limit.
qint64 rtStructVoxelCap();
void setRtStructVoxelCap(qint64 voxels);
