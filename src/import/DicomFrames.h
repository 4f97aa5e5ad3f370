#pragma once

// The parts of the DICOM reader shared by its files: one record per image
// plane found while scanning, the series they form, and how the planes of a
// series lie in space. Nothing here reads pixels.

#include "DicomSeries.h"

#include <QString>
#include <QStringList>

#include <vector>

// One image plane: a single-frame file, or one frame of a multi-frame file.
// Positions and directions are in the file's own left-posterior-superior
// millimetres.
struct DicomFrame
{
    QString file;
    int frame = 0;  // 0-based within its file
    int frames = 1; // frames its file holds
    qint64 fileBytes = 0;
    bool compressed = false; // encapsulated pixel data: its size cannot be checked unread
    qint64 pixelOffset = -1; // uncompressed little-endian pixels in the file, else -1
    qint64 pixelLength = 0;

    QString seriesUid, patient, date, description, modality;
    QString imageType, rescaleType, units;
    int rows = 0, columns = 0;
    int bitsAllocated = 0, bitsStored = 0, pixelRepresentation = 0, samples = 1;

    bool hasPosition = false, hasOrientation = false;
    double position[3] = {0, 0, 0};
    double orientation[6] = {1, 0, 0, 0, 1, 0}; // the row direction, then the column direction
    double pixelSpacing[2] = {1, 1};            // between rows, then between columns
    bool hasPixelSpacing = false;
    double thickness = 0, spacingBetween = 0;
    double slope = 1, intercept = 0;
    QString doseUnits;                // an RT dose grid's unit: GY or RELATIVE
    std::vector<double> frameOffsets; // an RT dose grid's frame offsets along the normal
    QString refusal;                  // why the frame cannot be read, naming the element at fault
    // A slice of a mosaic: the stored image's size, its tiles of rows × columns
    // filled in frame order, ceil(sqrt(frames)) to a row; 0 for other frames.
    int mosaicRows = 0, mosaicColumns = 0;

    bool isMosaic() const { return imageType.split(u'\\').contains(QLatin1String("MOSAIC")); }
    bool isLocalizer() const { return imageType.contains(QLatin1String("LOCALIZER")); }
};

// The frames of one series (or of one part of a split series), in file order.
struct DicomGroup
{
    DicomSeriesInfo info;
    std::vector<DicomFrame> frames;
};

// Every series a path holds, localizers left out; throws ImportFailure when
// there is none. `notes` hears of damaged files left out.
std::vector<DicomGroup> scanDicomGroups(const QString &path, QStringList *notes = nullptr);

// Reads a rescale slope or intercept (`tag` names the element) into `to`;
// leaves `to` when the text is empty, and sets the frame's refusal when the
// text is not a number every stored value can be scaled by.
void takeRescale(DicomFrame &f, const QString &text, const char *tag, double &to);

// Adds the frames of a multi-frame file, each placed by its own plane
// position, to `out`; `base` holds what the file's top level says.
void addMultiFrames(const DicomFrame &base, std::vector<DicomFrame> &out);

// Adds the slices of a mosaic (`base` what the file's top level says, its
// Image Type holding MOSAIC) to `out`, each placed; fails naming what is
// missing when they cannot be placed.
void addMosaicFrames(const DicomFrame &base, std::vector<DicomFrame> &out);

// How the planes of a series lie: the order they are read in, the slot of the
// image each one fills (a missing slice leaves a slot empty), and the map from
// voxel indices to our patient frame.
struct SliceLayout
{
    std::vector<DicomFrame> ordered; // by increasing position along the slice normal
    std::vector<int> slot;           // slice index in the image of each ordered frame
    int sliceCount = 0;
    Affine toWorld;
    QStringList warnings;
};

// Sorts the planes by their positions along the slice normal, keeps one of
// planes that share a position, and says what is irregular.
SliceLayout layOutSlices(std::vector<DicomFrame> frames);
