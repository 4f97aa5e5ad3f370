// Fuzz target: the viewer's load chain over real files, mapped as the viewer
// maps them: the scene walk, the .hx and .surf readers, scenes that list
// themselves and files that another program shortens while they are read;
// and the registry's verdict on every file of the bundle by its name and its
// first bytes.
//
// An input is a bundle of files. A line "=== NAME" starts a file, whose bytes
// run to the next such line; a line "=== shrink NAME LENGTH" cuts that file to
// LENGTH bytes as soon as it is mapped. Names are letters, digits, ".", "_"
// and "-". The first file is opened, as the viewer opens a file or a scene.

#include "formats/FileBytes.h"
#include "formats/FileKinds.h"
#include "formats/SceneWalk.h"
#include "model/ModelClass.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <unistd.h>
#include <utility>
#include <vector>

namespace {

struct Bundle
{
    std::vector<std::pair<QString, QByteArray>> files;
    QHash<QString, qint64> cuts;
};

bool validName(const QString &name)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9._-]{1,64}$"));
    return form.match(name).hasMatch() && name != "." && name != "..";
}

Bundle unpack(const QByteArray &input)
{
    Bundle bundle;
    const QList<QByteArray> lines = input.split('\n');
    QByteArray *current = nullptr;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        if (line.startsWith("=== ")) {
            const QList<QByteArray> words = line.mid(4).trimmed().split(' ');
            if (words.size() == 3 && words[0] == "shrink") {
                bundle.cuts.insert(QString::fromLatin1(words[1]), words[2].toLongLong());
                current = nullptr;
            } else if (words.size() == 1 && validName(QString::fromLatin1(words[0]))) {
                bundle.files.emplace_back(QString::fromLatin1(words[0]), QByteArray());
                current = &bundle.files.back().second;
            }
            continue;
        }
        if (current)
            *current += line + (i + 1 < lines.size() ? "\n" : "");
    }
    return bundle;
}

const Bundle *active = nullptr;
QSet<QString> shortened; // files that the cut made shorter than they were mapped

void cutWhenMapped(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const auto cut = active->cuts.constFind(name);
    if (cut == active->cuts.constEnd() || *cut < 0 || *cut >= QFileInfo(fileName).size())
        return;
    if (::truncate(QFile::encodeName(fileName).constData(), *cut) == 0)
        shortened.insert(name);
}

// A surface that was shortened must never load.
bool loadSurface(const QString &path)
{
    ModelClass model;
    if (model.loadFile(path) == 0 && shortened.contains(QFileInfo(path).fileName()))
        __builtin_trap();
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const Bundle bundle = unpack(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (bundle.files.empty() || !folder.isValid())
        return 0;
    for (const QString &old : QDir(folder.path()).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(folder.filePath(old));
    for (const auto &[name, bytes] : bundle.files) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    // Bytes that contradict a name's ending name another kind, never the same.
    for (const auto &[name, bytes] : bundle.files) {
        const Recognition seen = recognise(folder.filePath(name));
        if (seen.content != FileKind::Unknown && seen.content == seen.kind)
            __builtin_trap();
    }
    active = &bundle;
    shortened.clear();
    FileBytes::setMappedHook(cutWhenMapped);
    const QString first = folder.filePath(bundle.files.front().first);
    if (isSceneName(first)) {
        int surfaces = 0;
        walkScene(first,
                  {[&](const QString &path) { return loadSurface(path) && ++surfaces < 64; },
                   [](const QString &) { return true; }});
    } else {
        loadSurface(first);
    }
    FileBytes::setMappedHook(nullptr);
    return 0;
}
