#include "OutputFile.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

QString lastFailure;

QString partialName(const QString &target)
{
    const QFileInfo info(target);
    return info.path() + "/." + info.fileName() + ".partial";
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
        fail(file.errorString());
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

bool OutputFile::finish()
{
    return buffer.flush() && file.flush() && file.error() == QFileDevice::NoError;
}

bool OutputFile::commit()
{
    if (!finish())
        return fail(file.errorString());
    if (::fdatasync(file.handle()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(target).constData())
        != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(file.fileName());
        return fail(reason);
    }
    committed = true;
    return true;
}
