// The headers of compressed frames, compared with the DICOM header before a
// codec sees them.

#include "DicomStreams.h"

#include "DicomDecode.h"
#include "ImportTypes.h"

namespace {

struct StreamHeader
{
    QString kind;
    qint64 width = 0, height = 0;
    int components = 0, bits = 0;
    bool found = false;
};

quint32 bigEndian(QByteArrayView b, qsizetype at, int bytes)
{
    quint32 v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | quint8(b[at + i]);
    return v;
}

bool isFrameMarker(quint8 m)
{
    const bool jpeg = m >= 0xc0 && m <= 0xcf && m != 0xc4 && m != 0xc8 && m != 0xcc;
    return jpeg || m == 0xf7; // 0xf7: the JPEG-LS frame header
}

// The first frame header of a JPEG or JPEG-LS stream, walking its marker
// segments from the start; not found when the scan begins first or the
// stream ends.
StreamHeader jpegHeader(QByteArrayView b)
{
    StreamHeader h;
    qsizetype at = 2;
    while (at + 4 <= b.size() && quint8(b[at]) == 0xff) {
        const quint8 marker = quint8(b[at + 1]);
        if (marker == 0xff) {
            ++at; // fill byte
            continue;
        }
        if (marker == 0xda || marker == 0xd9)
            return h; // the scan or the end, before any frame header
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7)) {
            at += 2;
            continue;
        }
        const qsizetype length = bigEndian(b, at + 2, 2);
        if (isFrameMarker(marker)) {
            if (length < 8 || at + 10 > b.size())
                return h;
            h.kind = marker == 0xf7 ? QStringLiteral("JPEG-LS") : QStringLiteral("JPEG");
            h.bits = quint8(b[at + 4]);
            h.height = bigEndian(b, at + 5, 2);
            h.width = bigEndian(b, at + 7, 2);
            h.components = quint8(b[at + 9]);
            h.found = true;
            return h;
        }
        at += 2 + length;
    }
    return h;
}

// The SIZ marker of a JPEG 2000 code stream, bare or inside a JP2 file.
StreamHeader jpeg2000Header(QByteArrayView b)
{
    StreamHeader h;
    h.kind = QStringLiteral("JPEG 2000");
    const qsizetype at = QByteArrayView(b).indexOf(QByteArrayView("\xff\x4f\xff\x51", 4));
    const qsizetype m = at < 0 ? -1 : at + 2; // the SIZ marker
    if (m < 0 || m + 41 > b.size())
        return h;
    h.width = qint64(bigEndian(b, m + 6, 4)) - qint64(bigEndian(b, m + 14, 4));
    h.height = qint64(bigEndian(b, m + 10, 4)) - qint64(bigEndian(b, m + 18, 4));
    h.components = int(bigEndian(b, m + 38, 2));
    h.bits = (quint8(b[m + 40]) & 0x7f) + 1;
    h.found = true;
    return h;
}

} // namespace

QString compressedFrameProblem(QByteArrayView stream, const DicomPixelShape &shape)
{
    StreamHeader h;
    const bool jpeg = stream.size() >= 2 && quint8(stream[0]) == 0xff && quint8(stream[1]) == 0xd8;
    const bool codeStream = stream.startsWith(QByteArrayView("\xff\x4f\xff\x51", 4));
    const bool jp2 = stream.startsWith(QByteArrayView("\0\0\0\x0cjP  ", 8));
    if (jpeg)
        h = jpegHeader(stream);
    else if (codeStream || jp2)
        h = jpeg2000Header(stream);
    else
        return {}; // run-length or deflated data: the guard checks those
    if (!h.found)
        return Import::tr("a compressed frame has no readable frame header");
    if (h.width != shape.columns || h.height != shape.rows)
        return Import::tr("a %1 frame holds %2 × %3 pixels where Columns (0028,0011) and Rows "
                          "(0028,0010) say %4 × %5")
            .arg(h.kind)
            .arg(h.width)
            .arg(h.height)
            .arg(shape.columns)
            .arg(shape.rows);
    if (h.components != 1)
        return Import::tr("a %1 frame has %2 components; grey images of one are read")
            .arg(h.kind)
            .arg(h.components);
    if (h.bits > shape.bitsAllocated)
        return Import::tr("a %1 frame has %2 bits per pixel where Bits Allocated (0028,0100) "
                          "says %3")
            .arg(h.kind)
            .arg(h.bits)
            .arg(shape.bitsAllocated);
    return {};
}
