#pragma once

#include "model/ImageVolume.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

// One series a DICOM path holds, for a chooser and for `info`.
struct DicomSeriesInfo
{
    QString uid; // Series Instance UID (a split series gets ".1", ".2" appended)
    QString patient, date, description, modality;
    int slices = 0; // images (frames) in the series
    int rows = 0, columns = 0;
};

// The series a path holds: a file, a folder (searched recursively) or a DICOMDIR;
// localizers left out; a series mixing orientations or sizes split in parts. Throws ImportFailure
// when the path holds no readable DICOM image.
std::vector<DicomSeriesInfo> scanDicom(const QString &path);

// Reads one series into an image: `choice` empty (the only series, or the first with most slices
// when there are several, with a warning naming the count), a 1-based number, or a UID.
ImageVolume readDicomSeries(const QString &path, const QString &choice = {});

// The most voxel bytes a series may take before it is refused unread; the
// fuzz target lowers it to stay within its memory limit.
qint64 dicomVoxelByteCap();
void setDicomVoxelByteCap(qint64 bytes);

// True when the file's first bytes (at least 132) carry the DICM mark at offset 128.
bool hasDicomMark(QByteArrayView head); // used by the registry's content check
