#include "ConfinedIo.h"

#include <assimp/MemoryIOWrapper.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The library opens a glTF buffer by its URI as written, escapes and all
// ("my%20scene.bin"): a name that is not a file is tried once more decoded.
QByteArray resolved(const char *path)
{
    const QByteArray raw(path);
    if (QFileInfo::exists(QFile::decodeName(raw)) || !raw.contains('%'))
        return raw;
    const QByteArray decoded = QByteArray::fromPercentEncoding(raw);
    return QFileInfo::exists(QFile::decodeName(decoded)) ? decoded : raw;
}

} // namespace

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

bool ConfinedIo::Exists(const char *given) const
{
    const QByteArray path = resolved(given);
    return allowed(path.constData()) && DefaultIOSystem::Exists(path.constData());
}

Assimp::IOStream *ConfinedIo::Open(const char *given, const char *mode)
{
    const QByteArray path = resolved(given);
    if (!allowed(path.constData()) || QByteArrayView(mode).contains('w')
        || QByteArrayView(mode).contains('a'))
        return nullptr;
    if (isFile(path.constData()) && !replacement.isEmpty())
        return new Assimp::MemoryIOStream(
            reinterpret_cast<const uint8_t *>(replacement.constData()), size_t(replacement.size()));
    return DefaultIOSystem::Open(path.constData(), mode);
}
