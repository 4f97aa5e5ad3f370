#pragma once

#include <QByteArrayView>
#include <QString>

// What a walk over a DICOM file's elements finds before the decoding library
// sees the file.
struct DicomFileFacts
{
    // What makes the file unsafe to hand to the library (an element, item or
    // fragment longer than what holds it, sequences nested too deep, a damaged
    // run-length frame), in words for a message; empty when its structure holds.
    QString problem;
    // Where uncompressed little-endian pixel data lies in the file, so that it
    // can be read straight into the image; -1 for any other encoding.
    qint64 pixelOffset = -1;
    qint64 pixelLength = 0;
};

DicomFileFacts inspectDicomBytes(QByteArrayView bytes);
DicomFileFacts inspectDicomFile(const QString &path);
