#include "OutputBuffer.h"

#include <QFileDevice>

#include <algorithm>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

OutputBuffer::OutputBuffer(QFileDevice &file)
    : file(file)
    , storage(new char[kCapacity])
    , pos(storage.get())
    , end(storage.get() + kCapacity)
{ }

bool OutputBuffer::flush()
{
    const qint64 size = pos - storage.get();
    pos = storage.get();
    // A short write (a full disk) is tried again, so that the failing call
    // leaves the system's reason in the file's error string.
    const char *next = storage.get();
    for (qint64 left = size; left > 0 && !failed;) {
        const qint64 n = file.write(next, left);
        failed = n <= 0;
        next += std::max<qint64>(n, 0);
        left -= std::max<qint64>(n, 0);
    }
    if (size > 0 && !failed) {
        if (file.flush())
            startWriteback(size);
        else
            failed = true;
    }
    return !failed;
}

// Starts the disk write of a block as soon as the file has it, so that the
// sync when the file is committed waits for the last blocks only.
void OutputBuffer::startWriteback(qint64 size)
{
#ifdef Q_OS_LINUX
    sync_file_range(file.handle(), written, size, SYNC_FILE_RANGE_WRITE);
#endif
    written += size;
}

void OutputBuffer::makeRoom(std::size_t n)
{
    flush();
    if (n <= capacity)
        return;
    // A single piece larger than the block (a very long name): grow once.
    storage.reset(new char[n]);
    capacity = n;
    pos = storage.get();
    end = pos + n;
}
