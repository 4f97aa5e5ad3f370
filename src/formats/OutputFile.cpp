#include "OutputFile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString lastFailure;

QString partialName(const QString &target)
{
    const QFileInfo info(target);
    return info.path() + QStringLiteral("/.%1.partial").arg(info.fileName());
}

// The reason of a refused create or rename, naming the folder when the folder
// is the cause (the system's "Permission denied" would blame a file that may
// well be writable).
QString refusal(const QString &target, int error)
{
    const QString folder = QFileInfo(target).absolutePath();
    const QByteArray folderName = QFile::encodeName(folder);
    struct stat folderStatus = {};
    struct stat fileStatus = {};
    if (error == EACCES || error == EPERM) {
        if (::stat(folderName.constData(), &folderStatus) == 0 && (folderStatus.st_mode & S_ISVTX)
            && ::stat(QFile::encodeName(target).constData(), &fileStatus) == 0
            && fileStatus.st_uid != ::geteuid())
            return QCoreApplication::translate(
                       "OutputFile", "the folder %1 lets only the owner of a file replace it")
                .arg(folder);
        if (::faccessat(AT_FDCWD, folderName.constData(), W_OK, AT_EACCESS) != 0)
            return QCoreApplication::translate("OutputFile", "the folder %1 cannot be written")
                .arg(folder);
    }
    return QString::fromLocal8Bit(std::strerror(error));
}

// The file a name finally stands for: a symbolic link is written through, so
// that the link stays and its target is replaced (a chain of links is
// followed; a loop leaves the name as it is and fails later).
QString resolvedTarget(const QString &fileName)
{
    QString path = fileName;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return path;
        path = info.symLinkTarget();
    }
    return fileName;
}

} // namespace

QString outputFileName(const QString &chosen, QLatin1StringView extension)
{
    const qsizetype nameStart = chosen.lastIndexOf(u'/') + 1;
    const qsizetype dot = chosen.indexOf(u'.', nameStart);
    return (dot < 0 ? chosen : chosen.left(dot)) + extension;
}

QString lastOutputError()
{
    return lastFailure;
}

void clearOutputError()
{
    lastFailure.clear();
}

OutputFile::OutputFile(const QString &fileName, bool text)
    : target(resolvedTarget(fileName))
    , file(partialName(target))
    , buffer(file)
{
    // Unbuffered: the output buffer collects the bytes, and a failed write keeps
    // the system's reason.
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered;
    if (!file.open(text ? mode | QIODevice::Text : mode)) {
        fail(refusal(target, errno));
        return;
    }
    // The replacement keeps the permissions of the file it replaces.
    if (QFileInfo::exists(target))
        file.setPermissions(QFile::permissions(target));
}

OutputFile::~OutputFile()
{
    if (file.isOpen() && !committed) {
        file.close(); // a file in error state is not removed while open
        QFile::remove(file.fileName());
    }
}

bool OutputFile::fail(const QString &reason)
{
    lastFailure = target + ": " + reason;
    return false;
}

bool OutputFile::failWithErrno(int error)
{
    return fail(QString::fromLocal8Bit(std::strerror(error)));
}

bool OutputFile::finish()
{
    return buffer.flush() && file.flush() && file.error() == QFileDevice::NoError;
}

bool OutputFile::commit()
{
    if (!finish())
        return fail(file.errorString());
    if (::fdatasync(file.handle()) != 0)
        return failWithErrno(errno);
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(target).constData())
        != 0) {
        const QString reason = refusal(target, errno);
        QFile::remove(file.fileName());
        return fail(reason);
    }
    committed = true;
    return true;
}

FILE *OutputFile::openStream()
{
    const int fd = file.isOpen() ? ::dup(file.handle()) : -1;
    FILE *stream = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (!stream) {
        failWithErrno(errno);
        if (fd >= 0)
            ::close(fd);
    }
    return stream;
}

bool OutputFile::closeStream(FILE *stream)
{
    const bool written = std::fflush(stream) == 0 && !std::ferror(stream);
    const int error = errno;
    const bool closed = std::fclose(stream) == 0;
    if (!written || !closed)
        return failWithErrno(written ? errno : error);
    return true;
}
