#include "FileBytes.h"

#include "MappingGuard.h"
#include "ReaderGuard.h"

#include <QFile>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
void (*mappedHook)(const QString &) = nullptr;
}

void FileBytes::setMappedHook(void (*hook)(const QString &fileName))
{
    mappedHook = hook;
}

FileBytes::~FileBytes()
{
    if (mapped) {
        MappingGuard::release(guard);
        munmap(mapped, size_t(mappedLength));
    }
    if (fd >= 0)
        ::close(fd);
}

qint32 FileBytes::open(const QString &fileName)
{
    // Without blocking, so that a pipe does not wait here for a writer; it is
    // then refused with everything else that is not a regular file.
    fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status = {};
    if (fd < 0 || fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        return errOpen;
    if (status.st_size > 0) {
        void *address = mmap(nullptr, size_t(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (address != MAP_FAILED) {
            guard = MappingGuard::watch(address, size_t(status.st_size));
            if (guard >= 0) {
                mapped = address;
                mappedLength = status.st_size;
                view = QByteArrayView(static_cast<const char *>(address), mappedLength);
                if (mappedHook)
                    mappedHook(fileName);
                return errNone;
            }
            munmap(address, size_t(status.st_size));
        }
    }
    return readCopy();
}

qint32 FileBytes::readCopy()
{
    return runReader([&] {
        QFile file;
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
            throw errOpen;
        copy = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw errOpen;
        view = copy;
    });
}

bool FileBytes::intact() const
{
    if (!mapped)
        return true;
    struct stat status = {};
    return !MappingGuard::faulted(guard) && fstat(fd, &status) == 0
        && status.st_size >= mappedLength;
}
