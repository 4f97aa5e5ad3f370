#pragma once

#include <QByteArrayView>
#include <QString>

struct DicomPixelShape;

// What is wrong with one compressed frame's stream for the frame the header
// describes, in words for a message; empty when its own header (a JPEG or
// JPEG-LS frame header, a JPEG 2000 SIZ marker) gives the header's rows,
// columns and one component of no more bits than are allocated, or when the
// stream is of a kind that carries no such header. A codec fills a buffer
// sized by the DICOM header with what its stream's header says, so the two
// must agree before it is called.
QString compressedFrameProblem(QByteArrayView stream, const DicomPixelShape &shape);
