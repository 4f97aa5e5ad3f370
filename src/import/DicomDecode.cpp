// The pixel data of one file through the library's codecs, given the shape
// the header walk found.

#include "DicomDecode.h"
#include "DicomStreams.h"
#include "DicomTags.h"
#include "ImportTypes.h"

#include <gdcmImage.h>
#include <gdcmReader.h>
#include <gdcmSequenceOfFragments.h>

#include <QFile>
#include <QFileInfo>

using namespace dicomtag;

namespace {

[[noreturn]] void failDecode(const QString &path)
{
    failImport(
        Import::tr("The pixel data of %1 cannot be decoded.").arg(QFileInfo(path).fileName()));
}

gdcm::PhotometricInterpretation photometricOf(const gdcm::DataSet &set)
{
    static const gdcm::Tag kPhotometric(0x0028, 0x0004);
    if (set.FindDataElement(kPhotometric))
        if (const gdcm::ByteValue *v = set.GetDataElement(kPhotometric).GetByteValue())
            if (v->GetPointer() && v->GetLength() > 0) {
                const std::string text(v->GetPointer(), v->GetLength());
                if (text.rfind("MONOCHROME1", 0) == 0)
                    return gdcm::PhotometricInterpretation::MONOCHROME1;
            }
    return gdcm::PhotometricInterpretation::MONOCHROME2;
}

// The most bytes the pixels of one file may decode to: a few kilobytes of
// compressed stream can claim an image of gigabytes.
constexpr qint64 kMostDecodedBytes = qint64(2) << 30;

QString gigabytes(qint64 bytes)
{
    return QString::number(double(bytes) / double(qint64(1) << 30), 'f', 1);
}

// Before a codec runs: the decoded size within the stated limit, and every
// compressed frame's own header agreeing with the DICOM header, since the
// codec writes what its stream's header says into a buffer sized by ours.
void requireFramesFit(const QString &path, const gdcm::DataElement &pixels,
                      const DicomPixelShape &shape, qint64 length)
{
    if (length > kMostDecodedBytes)
        failImport(
            Import::tr("The image of %1 would need %2 GB decoded; Tessaron decodes up to "
                       "%3 GB of one file.")
                .arg(QFileInfo(path).fileName(), gigabytes(length), gigabytes(kMostDecodedBytes)));
    const gdcm::SequenceOfFragments *fragments = pixels.GetSequenceOfFragments();
    for (size_t i = 0; fragments && i < fragments->GetNumberOfFragments(); ++i) {
        const gdcm::ByteValue *value = fragments->GetFragment(i).GetByteValue();
        if (!value || !value->GetPointer())
            continue;
        const QString problem = compressedFrameProblem(
            QByteArrayView(value->GetPointer(), qsizetype(value->GetLength())), shape);
        if (!problem.isEmpty())
            failImport(Import::tr("%1 is damaged: %2.").arg(QFileInfo(path).fileName(), problem));
    }
}

} // namespace

void failShortPixels(const QString &path, qint64 length, const DicomPixelShape &shape)
{
    failImport(Import::tr("The pixel data of %1 holds %2 bytes, fewer than its %3 frames of "
                          "%4 × %5 pixels of %6 bits need.")
                   .arg(QFileInfo(path).fileName())
                   .arg(length)
                   .arg(shape.frames)
                   .arg(shape.columns)
                   .arg(shape.rows)
                   .arg(shape.bitsAllocated));
}

DicomDecoded decodeDicomPixels(const QString &path, const DicomPixelShape &shape, qint64 mostBytes)
{
    gdcm::Reader reader;
    reader.SetFileName(QFile::encodeName(path).constData());
    if (!reader.Read())
        failImport(
            Import::tr("%1 cannot be read as a DICOM image.").arg(QFileInfo(path).fileName()));
    const gdcm::DataSet &set = reader.GetFile().GetDataSet();
    if (!set.FindDataElement(kPixelData))
        failImport(Import::tr("%1 holds no pixel data.").arg(QFileInfo(path).fileName()));
    gdcm::Image image;
    image.SetNumberOfDimensions(shape.frames > 1 ? 3 : 2);
    image.SetDimension(0, unsigned(shape.columns));
    image.SetDimension(1, unsigned(shape.rows));
    if (shape.frames > 1)
        image.SetDimension(2, unsigned(shape.frames));
    const int stored = shape.bitsStored > 0 && shape.bitsStored <= shape.bitsAllocated
        ? shape.bitsStored
        : shape.bitsAllocated;
    image.SetPixelFormat(gdcm::PixelFormat(1, (unsigned short)shape.bitsAllocated,
                                           (unsigned short)stored, (unsigned short)(stored - 1),
                                           (unsigned short)(shape.pixelRepresentation ? 1 : 0)));
    image.SetPhotometricInterpretation(photometricOf(set));
    image.SetTransferSyntax(reader.GetFile().GetHeader().GetDataSetTransferSyntax());
    const gdcm::DataElement &pixels = set.GetDataElement(kPixelData);
    image.SetDataElement(pixels);
    const qint64 length = qint64(image.GetBufferLength());
    if (length <= 0 || length > mostBytes)
        failDecode(path);
    // Data that is not encapsulated must hold every value; the codec would
    // read past its end.
    if (const gdcm::ByteValue *raw = pixels.GetByteValue();
        raw && qint64(raw->GetLength()) < length)
        failShortPixels(path, qint64(raw->GetLength()), shape);
    requireFramesFit(path, pixels, shape, length);
    DicomDecoded out;
    out.bytes = QByteArray(length, Qt::Uninitialized);
    // A codec may correct the pixel format from its stream, and so the length.
    if (!image.GetBuffer(out.bytes.data()) || qint64(image.GetBufferLength()) != length)
        failDecode(path);
    out.bitsAllocated = image.GetPixelFormat().GetBitsAllocated();
    out.isSigned = image.GetPixelFormat().GetPixelRepresentation() != 0;
    return out;
}
