#pragma once

// What a DICOM segmentation file holds, read from its header and pixel data
// before anything is placed: its segments with their codes and colours, and
// for each frame the segment it shows and where it lies.

#include "DicomSeg.h"

#include <QByteArray>
#include <QString>

#include <vector>

struct SegSegment
{
    int number = 0;
    QString label;
    SegCode category, type, typeModifier, region, regionModifier;
    bool hasLab = false;
    quint16 lab[3] = {0, 0, 0}; // L*, a*, b* scaled to 0..65535
};

struct SegFrame
{
    int segment = 0; // 0: the frame names no segment
    bool hasPosition = false;
    double position[3] = {0, 0, 0}; // left-posterior-superior millimetres
};

struct SegFile
{
    int rows = 0, columns = 0, frameCount = 0;
    bool fractional = false;
    int maxFraction = 1; // of a fractional segmentation: the value that means wholly inside
    double orientation[6] = {1, 0, 0, 0, 1, 0};
    bool hasOrientation = false;
    double pixelSpacing[2] = {1, 1}; // between rows, then between columns
    bool hasPixelSpacing = false;
    double thickness = 0, spacingBetween = 0;
    std::vector<SegSegment> segments;
    std::vector<SegFrame> frames;
    QString referencedSeries;
    QByteArray pixels; // packed bits (binary) or one byte per pixel (fractional)

    qint64 framePixels() const { return qint64(rows) * columns; }
};

// Reads a segmentation file, its structure first walked by the guard; fails
// (ImportFailure) on what keeps every frame from being read or placed.
SegFile readSegFile(const QString &path);
