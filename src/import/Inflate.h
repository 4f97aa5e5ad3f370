#pragma once

#include <QByteArrayView>

#include <functional>

// Compressed data can grow at most about 1032-fold (the limit of deflate), so
// a file of n compressed bytes holds no more than this many bytes of data.
// Sizes a header promises are checked against it before anything is allocated.
qint64 inflatedLimit(qint64 compressedBytes);

// Inflates a gzip or zlib stream into exactly `size` bytes at `out`, checking
// the stream's own checksum and length at its end. Fails (ImportFailure) when
// the stream ends early, is damaged, lies about its length or holds more
// than `size` bytes. `progress` gets the fraction done now and then.
void inflateExactly(QByteArrayView compressed, char *out, qint64 size,
                    const std::function<void(double)> &progress = {});

// Inflates a raw deflate stream (no header, as in a deflated DICOM data set)
// into at most `most` bytes. Sets `over` when the stream holds more; a stream
// that is damaged or ends early gives what inflated before that.
QByteArray inflateRawUpTo(QByteArrayView compressed, qint64 most, bool &over);
