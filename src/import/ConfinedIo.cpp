#include "ConfinedIo.h"

#include <assimp/MemoryIOWrapper.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

ConfinedIo::ConfinedIo(const QString &path, const QByteArray &replacement)
    : file(QDir::cleanPath(QFileInfo(path).absoluteFilePath()))
    , folder(QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath() + u'/')
    , replacement(replacement)
{ }

bool ConfinedIo::isFile(const char *path) const
{
    return QDir::cleanPath(QFileInfo(QFile::decodeName(path)).absoluteFilePath()) == file;
}

bool ConfinedIo::allowed(const char *path) const
{
    if (isFile(path))
        return true;
    const QFileInfo info(QFile::decodeName(path));
    const QString real =
        info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.absoluteFilePath());
    return folder.size() > 1 && real.startsWith(folder);
}

bool ConfinedIo::Exists(const char *path) const
{
    return allowed(path) && DefaultIOSystem::Exists(path);
}

Assimp::IOStream *ConfinedIo::Open(const char *path, const char *mode)
{
    if (!allowed(path) || QByteArrayView(mode).contains('w') || QByteArrayView(mode).contains('a'))
        return nullptr;
    if (isFile(path) && !replacement.isEmpty())
        return new Assimp::MemoryIOStream(
            reinterpret_cast<const uint8_t *>(replacement.constData()), size_t(replacement.size()));
    return DefaultIOSystem::Open(path, mode);
}
