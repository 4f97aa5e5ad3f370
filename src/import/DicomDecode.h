#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the pixels of a DICOM file are, as its header says and the caller has
// checked: frames × rows × columns grey values of `bitsAllocated` bits.
struct DicomPixelShape
{
    int rows = 0, columns = 0, frames = 1;
    int bitsAllocated = 16, bitsStored = 16, pixelRepresentation = 0;
};

// The decoded values, with their size and sign as the codec left them.
struct DicomDecoded
{
    QByteArray bytes;
    int bitsAllocated = 0;
    bool isSigned = false;
    QStringList warnings; // what the codec found wrong with the data, in our words
};

// Decodes a file's pixel data (compressed, deflated or big-endian) with the
// library's codecs alone. The library's image reader would also work out the
// spacing and orientation from the file's own groups, and stops the program
// on damaged ones; we place the frames ourselves. Throws ImportFailure when
// the data cannot be decoded or would take more than `mostBytes`; the caller
// checks the length against what it needs.
DicomDecoded decodeDicomPixels(const QString &path, const DicomPixelShape &shape, qint64 mostBytes);

// Fails (ImportFailure) saying so when the file at `path` has no pixel data.
void requirePixelData(const QString &path);

// Fails (ImportFailure) saying that the pixel data of the file at `path`,
// `length` bytes, is shorter than the frames of `shape` need.
[[noreturn]] void failShortPixels(const QString &path, qint64 length, const DicomPixelShape &shape);
