#include "LabelNames.h"

#include "ImportTypes.h"
#include "LabelTables.h"
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

bool isNumber(const QString &word)
{
    bool ok = false;
    word.toDouble(&ok);
    return ok;
}

// An opacity: a byte, or a fraction of 1 as label description files write it.
bool isOpacity(const QString &word)
{
    int byte = 0;
    bool ok = false;
    const double value = word.toDouble(&ok);
    return isByte(word, byte) || (ok && value >= 0 && value <= 1);
}

// "value r g b a visible mesh "name"": the colour first, the name last.
bool readColourFirst(const QStringList &w, LabelLook &look)
{
    if (w.size() < 5 || !w.last().size())
        return false;
    for (int c = 0; c < 3; ++c)
        if (!isByte(w[c + 1], look.rgb[c]))
            return false;
    for (qsizetype n = 4; n + 1 < w.size(); ++n)
        if (!isNumber(w[n]))
            return false;
    look.name = w.last();
    look.hasColor = true;
    return true;
}

// "value name [r g b [a]]". False when numbers follow the name that are no
// colour (a component outside 0..255).
bool readNameFirst(const QStringList &w, LabelLook &look)
{
    qsizetype end = w.size();
    if (end > 5 && isOpacity(w[end - 1]) && !isByte(w[end - 1], look.rgb[0]))
        --end; // an opacity of 0..1 after the colour
    int bytes = 0, value = 0;
    while (bytes < 4 && end - bytes > 2 && isByte(w[end - 1 - bytes], value))
        ++bytes;
    if (bytes >= 3) {
        const qsizetype first = end - bytes;
        for (int c = 0; c < 3; ++c)
            isByte(w[first + c], look.rgb[c]);
        look.hasColor = true;
        end = first;
    } else if (end >= 5 && isNumber(w[end - 1]) && isNumber(w[end - 2]) && isNumber(w[end - 3])) {
        return false;
    }
    look.name = w.mid(1, end - 1).join(' ');
    return true;
}

} // namespace

std::optional<LabelLook> structureLook(const QString &structure)
{
    const std::optional<anatomy::LabelMatch> match = anatomy::matchLabel(structure);
    if (!match)
        return std::nullopt;
    LabelLook look;
    look.name = structure.trimmed();
    look.structure = match->name;
    look.kind = match->structure;
    look.side = match->side;
    look.hasColor = true;
    std::copy(match->colour.begin(), match->colour.end(), look.rgb);
    return look;
}

QString sideSuffix(anatomy::Side side)
{
    return side == anatomy::Side::Left ? QStringLiteral("_left")
        : side == anatomy::Side::Right ? QStringLiteral("_right")
                                       : QString();
}

LabelTable parseLabelTable(const QString &text, const QString &source)
{
    LabelTable table;
    const QStringList lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList w = words(line);
        bool ok = false;
        const qint64 value = w.value(0).toLongLong(&ok);
        LabelLook look;
        if (!ok || w.size() < 2 || !(readColourFirst(w, look) || readNameFirst(w, look))
            || look.name.isEmpty()) {
            warnImport(Import::tr("%1, line %2: \"%3\" is not a label value with a name and "
                                  "colour; the line is left out.")
                           .arg(source)
                           .arg(n + 1)
                           .arg(quoted(line.toUtf8(), 40)));
            continue;
        }
        table.insert(value, look);
    }
    return table;
}

LabelTable labelTableBeside(const QString &labelMapPath, const QString &stem)
{
    const QFileInfo info(labelMapPath);
    const QDir folder = info.dir();
    for (const QString &name :
         {stem + ".txt", stem + ".labels.txt", stem + "_labels.txt", stem + ".ctbl",
          QStringLiteral("label_descriptions.txt"), QStringLiteral("labels.txt")}) {
        const std::optional<QByteArray> bytes = tableFile(folder.filePath(name));
        if (!bytes)
            continue;
        const LabelTable table = parseLabelTable(QString::fromUtf8(*bytes), name);
        if (!table.isEmpty())
            return table;
    }
    return datasetJsonBeside(labelMapPath);
}
