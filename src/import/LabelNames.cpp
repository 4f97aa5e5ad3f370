#include "LabelNames.h"

#include "formats/FileKinds.h"
#include "model/AnatomyTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

// "value", then the rest of the line split at blanks, a "quoted name" one word.
QStringList words(const QString &line)
{
    static const QRegularExpression word(QStringLiteral("\"([^\"]*)\"|(\\S+)"));
    QStringList result;
    for (const QRegularExpressionMatch &m : word.globalMatch(line))
        result << (m.capturedStart(1) >= 0 ? m.captured(1) : m.captured(2));
    return result;
}

bool isByte(const QString &word, int &value)
{
    bool ok = false;
    value = word.toInt(&ok);
    return ok && value >= 0 && value <= 255;
}

// "value r g b a visible mesh "name"": the colour first, the name last.
bool readColourFirst(const QStringList &w, LabelLook &look)
{
    if (w.size() < 5 || !w.last().size())
        return false;
    for (int c = 0; c < 3; ++c)
        if (!isByte(w[c + 1], look.rgb[c]))
            return false;
    int ignored = 0;
    for (qsizetype n = 4; n + 1 < w.size(); ++n)
        if (!isByte(w[n], ignored) && w[n].toDouble() == 0 && w[n] != "0")
            return false;
    look.name = w.last();
    look.hasColor = true;
    return true;
}

// "value name [r g b [a]]".
void readNameFirst(const QStringList &w, LabelLook &look)
{
    qsizetype end = w.size();
    int bytes = 0, value = 0;
    while (bytes < 4 && end - bytes > 2 && isByte(w[end - 1 - bytes], value))
        ++bytes;
    if (bytes >= 3) {
        const qsizetype first = end - bytes;
        for (int c = 0; c < 3; ++c)
            isByte(w[first + c], look.rgb[c]);
        look.hasColor = true;
        end = first;
    }
    look.name = w.mid(1, end - 1).join(' ');
}

} // namespace

std::optional<LabelLook> structureLook(const QString &structure)
{
    const std::optional<anatomy::LabelMatch> match = anatomy::matchLabel(structure);
    if (!match)
        return std::nullopt;
    LabelLook look;
    look.name = match->name;
    look.hasColor = true;
    std::copy(match->colour.begin(), match->colour.end(), look.rgb);
    return look;
}

LabelTable parseLabelTable(const QString &text)
{
    LabelTable table;
    for (const QString &raw : text.split('\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList w = words(line);
        bool ok = false;
        const qint64 value = w.value(0).toLongLong(&ok);
        if (!ok || w.size() < 2)
            continue;
        LabelLook look;
        if (!readColourFirst(w, look))
            readNameFirst(w, look);
        if (!look.name.isEmpty())
            table.insert(value, look);
    }
    return table;
}

LabelTable labelTableBeside(const QString &labelMapPath)
{
    const QFileInfo info(labelMapPath);
    const QDir folder = info.dir();
    const QString stem = kindStem(labelMapPath);
    for (const QString &name : {stem + ".txt", stem + ".labels.txt", stem + "_labels.txt",
                                stem + ".ctbl", QStringLiteral("labels.txt")}) {
        QFile file(folder.filePath(name));
        if (!QFileInfo(file).isFile() || file.size() > (qint64(1) << 24)
            || !file.open(QIODevice::ReadOnly))
            continue;
        const LabelTable table = parseLabelTable(QString::fromUtf8(file.readAll()));
        if (!table.isEmpty())
            return table;
    }
    return {};
}
