#include "OutputBuffer.h"

#include <QIODevice>

OutputBuffer::OutputBuffer(QIODevice &device)
    : device(device)
    , storage(new char[kCapacity])
    , pos(storage.get())
    , end(storage.get() + kCapacity)
{ }

bool OutputBuffer::flush()
{
    const qint64 size = pos - storage.get();
    if (size > 0 && device.write(storage.get(), size) != size)
        failed = true;
    pos = storage.get();
    return !failed;
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
