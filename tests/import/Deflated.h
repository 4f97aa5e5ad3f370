#pragma once

#include <QByteArray>

#include <zlib.h>

// `data` compressed by zlib at its best level: raw deflate (as inside a zip)
// or a gzip stream (as in a .nii.gz).
enum class DeflateWrapper { Raw, Gzip };

inline QByteArray deflated(const QByteArray &data, DeflateWrapper wrapper)
{
    z_stream z {};
    deflateInit2(&z, 9, Z_DEFLATED, wrapper == DeflateWrapper::Raw ? -MAX_WBITS : 15 + 16, 8,
                 Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&z, uLong(data.size()))) + 32, 0);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    return out;
}
