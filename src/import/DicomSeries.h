#pragma once

#include "model/ImageVolume.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <vector>

// One series a DICOM path holds, for a chooser and for `info`.
using DicomSeriesInfo = ImageSeriesEntry;

// The series a path holds: a file, a folder (searched recursively) or a DICOMDIR;
// localizers left out; a series mixing orientations or sizes split in parts. Throws ImportFailure
// when the path holds no readable DICOM image.
std::vector<DicomSeriesInfo> scanDicom(const QString &path);

// The series of the most slices, the first of them on a tie: what is read
// when nobody chooses. `series` must not be empty.
std::size_t mostSlices(const std::vector<DicomSeriesInfo> &series);

// Asks which of several series to read: their 0-based number, or -1 to read
// none (the import is canceled). A viewer shows a list; without one the
// series of the most slices is read.
using SeriesChooser = std::function<int(const std::vector<DicomSeriesInfo> &series)>;

// Reads one series into an image: `choice` a 1-based number or a UID; when it
// is empty, the only series, or of several the one `choose` picks, or without
// a chooser the first with most slices, with a warning naming the count.
ImageVolume readDicomSeries(const QString &path, const QString &choice = {},
                            const SeriesChooser &choose = {});

// The most voxel bytes a series may take before it is refused unread; the
// fuzz target lowers it to stay within its memory limit.
qint64 dicomVoxelByteCap();
void setDicomVoxelByteCap(qint64 bytes);

// True when the file's first bytes (at least 132) carry the DICM mark at offset 128.
bool hasDicomMark(QByteArrayView head); // used by the registry's content check
