#include "Inflate.h"

#include "ImportTypes.h"

#include <zlib.h>

#include <algorithm>
#include <memory>

qint64 inflatedLimit(qint64 compressedBytes)
{
    return compressedBytes * 1032 + 1024;
}

namespace {

// Largest piece of input handed to zlib at once (its counters are 32-bit),
// and of output, so progress is reported every few milliseconds.
constexpr qint64 kPiece = qint64(1) << 30;
constexpr qint64 kOutputPiece = qint64(1) << 24;

struct Stream
{
    z_stream z {};
    bool open = false;
    ~Stream()
    {
        if (open)
            inflateEnd(&z);
    }
};

[[noreturn]] void damaged(const char *reason)
{
    failImport(Import::tr("The compressed voxel data is damaged (%1).")
                   .arg(QString::fromLatin1(reason ? reason : "zlib")));
}

} // namespace

void inflateExactly(QByteArrayView compressed, char *out, qint64 size,
                    const std::function<void(double)> &progress)
{
    Stream s;
    if (inflateInit2(&s.z, 15 + 32) != Z_OK) // 15 + 32: gzip or zlib header, found by itself
        failImport(Import::tr("The compressed voxel data cannot be read."));
    s.open = true;
    const auto *in = reinterpret_cast<const Bytef *>(compressed.data());
    qint64 inLeft = compressed.size(), outDone = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        if (s.z.avail_in == 0 && inLeft > 0) {
            s.z.next_in = const_cast<Bytef *>(in);
            s.z.avail_in = uInt(std::min(inLeft, kPiece));
            in += s.z.avail_in;
            inLeft -= s.z.avail_in;
        }
        // After the promised bytes, a small spare buffer: the stream must end
        // there (its checksum and length are checked on the way) and give
        // nothing more.
        char spare[64];
        const bool full = outDone == size;
        s.z.next_out = reinterpret_cast<Bytef *>(full ? spare : out + outDone);
        s.z.avail_out = uInt(full ? sizeof spare : std::min(size - outDone, kOutputPiece));
        const uInt before = s.z.avail_out;
        status = inflate(&s.z, Z_NO_FLUSH);
        const uInt made = before - s.z.avail_out;
        if (full && made > 0)
            failImport(Import::tr("The compressed voxel data holds more than the dimensions say."));
        outDone += full ? 0 : made;
        if (status == Z_NEED_DICT || status == Z_DATA_ERROR || status == Z_MEM_ERROR)
            damaged(s.z.msg);
        if (status == Z_BUF_ERROR && s.z.avail_in == 0 && inLeft == 0)
            break; // the input ended inside the stream
        if (progress && made > 0)
            progress(double(outDone) / double(size));
    }
    if (outDone < size)
        failImport(Import::tr("The compressed voxel data ends after %1 of %2 bytes.")
                       .arg(outDone)
                       .arg(size));
    if (status != Z_STREAM_END)
        failImport(Import::tr("The compressed voxel data ends before its checksum."));
}

QByteArray inflateRawUpTo(QByteArrayView compressed, qint64 most, bool &over)
{
    over = false;
    Stream s;
    QByteArray out;
    if (inflateInit2(&s.z, -15) != Z_OK)
        return out;
    s.open = true;
    const auto *in = reinterpret_cast<const Bytef *>(compressed.data());
    qint64 inLeft = compressed.size();
    for (int status = Z_OK; status == Z_OK;) {
        if (s.z.avail_in == 0 && inLeft > 0) {
            s.z.next_in = const_cast<Bytef *>(in);
            s.z.avail_in = uInt(std::min(inLeft, kPiece));
            in += s.z.avail_in;
            inLeft -= s.z.avail_in;
        }
        if (out.size() > most) {
            over = true;
            out.truncate(qsizetype(most));
            return out;
        }
        const qsizetype done = out.size();
        const qint64 piece = std::min(kOutputPiece, most + 1 - done);
        out.resize(done + qsizetype(piece));
        s.z.next_out = reinterpret_cast<Bytef *>(out.data() + done);
        s.z.avail_out = uInt(piece);
        status = inflate(&s.z, Z_NO_FLUSH);
        out.resize(done + qsizetype(piece - s.z.avail_out));
        if (status == Z_BUF_ERROR && s.z.avail_in == 0 && inLeft > 0)
            status = Z_OK; // more input to hand over
    }
    if (out.size() > most) {
        over = true;
        out.truncate(qsizetype(most));
    }
    return out;
}
