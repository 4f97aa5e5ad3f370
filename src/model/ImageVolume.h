#pragma once

#include "Affine.h"
#include "VoxelArray.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <algorithm>
#include <vector>

// One series of the path an image was read from, as a listing shows it.
struct ImageSeriesEntry
{
    QString uid; // Series Instance UID (a split series gets ".1", ".2" appended)
    QString patient, date, description, modality;
    int slices = 0; // images (frames) in the series
    int rows = 0, columns = 0;
};

// A scalar image on a regular grid: a CT in Hounsfield units, or an image of
// another modality in its own unit. Voxel (i, j, k) holds value(index(i, j, k))
// and its centre lies at toWorld(i, j, k) in patient millimetres, x towards
// the patient's right, y to the front, z to the head: the frame of the label
// maps and of the surfaces made from them, so they overlap the image.
//
// The values are kept as 16-bit integers when every value is a whole number
// that fits (a CT in HU always does), so the image costs its stored bytes and
// no more; otherwise as floats. Exactly one of the two arrays is filled.
struct ImageVolume
{
    qint64 size[3] = {0, 0, 0};
    Affine toWorld;
    VoxelArray<qint16> shorts;
    VoxelArray<float> floats;

    QString modality;     // "CT", "MR", ...; empty when the file does not say
    QString unit;         // "HU" for CT; empty when the file does not say
    QString description;  // the series description, else the file's name
    QString seriesUid;    // of a DICOM series, as its path's series list names it
    QStringList warnings; // what is wrong with the image, for the user
    // Every series of the DICOM path it was read from, the read one among
    // them, so that a listing need not scan the path again; else empty.
    std::vector<ImageSeriesEntry> pathSeries;
    // Planes k (the third index) no file held: a series' missing slices,
    // filled so that the grid stays regular. They show as missing and count
    // in no statistic. Ascending.
    std::vector<qint64> missingPlanes;

    qint64 voxelCount() const { return size[0] * size[1] * size[2]; }
    bool isEmpty() const { return voxelCount() == 0; }
    qint64 index(qint64 i, qint64 j, qint64 k) const { return i + size[0] * (j + size[1] * k); }
    float value(qint64 index) const
    {
        return shorts.empty() ? floats[size_t(index)] : float(shorts[size_t(index)]);
    }
    float at(qint64 i, qint64 j, qint64 k) const { return value(index(i, j, k)); }
    bool missingPlane(qint64 k) const
    {
        return std::binary_search(missingPlanes.begin(), missingPlanes.end(), k);
    }
};

// The lowest, highest and mean value of the voxels that hold a number
// (NaN and infinities left out, and the missing planes), and how many they
// are; all zero when none.
struct ImageValueRange
{
    qint64 count = 0;
    double min = 0, max = 0, mean = 0;
};

ImageValueRange valueRange(const ImageVolume &image);
