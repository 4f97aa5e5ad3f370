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

#include <cstdio>
#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

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

[[noreturn]] void failNoPixels(const QString &path)
{
    failImport(Import::tr("%1 has no pixel data (7FE0,0010).").arg(QFileInfo(path).fileName()));
}

// Holds what is written to standard error while it lives: the codecs under
// the library print their complaints there raw, and the user hears of them
// in our words instead.
class ErrorCapture
{
public:
    ErrorCapture()
    {
#ifdef Q_OS_UNIX
        std::fflush(stderr);
        file = std::tmpfile();
        saved = file ? ::dup(2) : -1;
        if (saved >= 0)
            ::dup2(::fileno(file), 2);
#endif
    }
    ~ErrorCapture()
    {
        release();
    }
    ErrorCapture(const ErrorCapture &) = delete;
    ErrorCapture &operator=(const ErrorCapture &) = delete;

    // Restores standard error; true when anything was written meanwhile.
    bool release()
    {
        bool written = false;
#ifdef Q_OS_UNIX
        if (saved >= 0) {
            std::fflush(stderr);
            ::dup2(saved, 2);
            ::close(saved);
            saved = -1;
            written = std::ftell(file) > 0 || ::lseek(::fileno(file), 0, SEEK_END) > 0;
        }
        if (file)
            std::fclose(file);
        file = nullptr;
#endif
        return written;
    }

private:
    std::FILE *file = nullptr;
    int saved = -1;
};

// The codec turns big-endian data into ours by 16-bit words alone, which
// leaves the two halves of a 32-bit value in the file's order: they are put
// in ours here.
void swapWordHalves(QByteArray &bytes)
{
    char *p = bytes.data();
    for (qsizetype i = 0; i + 4 <= bytes.size(); i += 4) {
        std::swap(p[i], p[i + 2]);
        std::swap(p[i + 1], p[i + 3]);
    }
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

void requirePixelData(const QString &path)
{
    gdcm::Reader reader;
    reader.SetFileName(QFile::encodeName(path).constData());
    if (reader.Read() && !reader.GetFile().GetDataSet().FindDataElement(kPixelData))
        failNoPixels(path);
}

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
        failNoPixels(path);
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
    ErrorCapture capture;
    const bool decoded = image.GetBuffer(out.bytes.data());
    const bool complained = capture.release();
    if (!decoded || qint64(image.GetBufferLength()) != length)
        failDecode(path);
    if (complained)
        out.warnings << Import::tr("The compressed pixel data of %1 is damaged; values the "
                                   "decoder could not read may be wrong.")
                            .arg(QFileInfo(path).fileName());
    out.bitsAllocated = image.GetPixelFormat().GetBitsAllocated();
    out.isSigned = image.GetPixelFormat().GetPixelRepresentation() != 0;
    if (image.GetTransferSyntax() == gdcm::TransferSyntax::ExplicitVRBigEndian
        && out.bitsAllocated == 32)
        swapWordHalves(out.bytes);
    return out;
}
