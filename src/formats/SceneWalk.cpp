#include "SceneWalk.h"

#include "FileKinds.h"
#include "HxReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

#include <sys/stat.h>
#include <vector>

namespace {

// One file however it is named: its device and inode, or for a file that
// cannot be examined its cleaned absolute path.
QString fileIdentity(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0)
        return QStringLiteral("%1:%2").arg(quint64(status.st_dev)).arg(quint64(status.st_ino));
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// A scene being walked: its listed names and the next one to hand out.
struct OpenScene
{
    QString folder;
    QStringList names;
    qsizetype next = 0;
};

} // namespace

bool walkScene(const QString &scenePath, const SceneVisitor &visitor)
{
    QSet<QString> opened;
    // Scenes in the walk's current chain, innermost last: a loop of its own
    // rather than recursion, so that no chain of scenes can exhaust the stack.
    std::vector<OpenScene> chain;
    auto open = [&](const QString &path) {
        const QString identity = fileIdentity(path);
        if (opened.contains(identity))
            return visitor.repeatedScene(path);
        opened.insert(identity);
        OpenScene scene {QFileInfo(path).absolutePath(), {}, 0};
        readHxList(path, scene.names);
        chain.push_back(std::move(scene));
        return true;
    };
    if (!open(scenePath))
        return false;
    while (!chain.empty()) {
        OpenScene &scene = chain.back();
        if (scene.next == scene.names.size()) {
            chain.pop_back();
            continue;
        }
        const QString path = scene.folder + QLatin1Char('/') + scene.names.at(scene.next++);
        if (!(isSceneName(path) ? open(path) : visitor.surface(path)))
            return false;
    }
    return true;
}
