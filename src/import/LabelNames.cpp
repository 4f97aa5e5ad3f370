#include "LabelNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <vector>

namespace {

struct Rgb
{
    int r, g, b;
};

// Colours of the kinds of structure; the first ones are the anatomy table's.
constexpr Rgb kTumour {164, 5, 207};
constexpr Rgb kArtery {198, 30, 25};
constexpr Rgb kVein {108, 159, 237};
constexpr Rgb kBone {255, 255, 255};
constexpr Rgb kStone {255, 255, 255};
constexpr Rgb kCollecting {207, 156, 48};
constexpr Rgb kSkin {255, 229, 187};
constexpr Rgb kParenchyma {255, 191, 213};
constexpr Rgb kCyst {240, 222, 120};
constexpr Rgb kBladder {232, 200, 110};
constexpr Rgb kAdrenal {230, 170, 60};
constexpr Rgb kSpleen {157, 70, 90};
constexpr Rgb kLiver {160, 72, 52};
constexpr Rgb kPancreas {235, 190, 120};
constexpr Rgb kGallbladder {90, 150, 60};

// A structure name pattern (whole name, after normalising) and what it
// becomes: the name given (an empty one keeps the structure's own name)
// followed by the pattern's first capture (a side or a number).
struct StructureRow
{
    const char *pattern;
    const char *name;
    Rgb colour;
};

const StructureRow kStructureRows[] = {
    {"(?:kidney|renal)_cysts?(_\\w+)?", "Kista", kCyst},
    {"(?:kidney_|renal_)?(?:tumou?rs?|neoplasms?|masse?s?|lesions?)(_\\w+)?", "Obrazovanie",
     kTumour},
    {"(?:kidney_|renal_)?(?:stones?|calculi|calculus)(_\\w+)?", "Kamni", kStone},
    {"(?:renal_pelvis|kidney_pelvis|collecting_system)(_\\w+)?", "Lokhanki", kCollecting},
    {"kidneys?(_\\w+)?", "Parenhima", kParenchyma},
    {"renal_arter(?:y|ies)(_\\w+)?", "Arteria_renalis", kArtery},
    {"renal_veins?(_\\w+)?", "Vena_renalis", kVein},
    {"aorta(_\\w+)?", "Aorta", kArtery},
    {"(?:inferior_vena_cava|vena_cava_inferior|ivc)(_\\w+)?", "Vena_cava", kVein},
    {"ureters?(_\\w+)?", "Mochetochnik", kCollecting},
    {"(?:urinary_)?bladder(_\\w+)?", "Mochevoy_puzyr", kBladder},
    {"adrenal_glands?(_\\w+)?", "Nadpochechnik", kAdrenal},
    {"spleen(_\\w+)?", "Selezenka", kSpleen},
    {"liver(_\\w+)?", "Pechen", kLiver},
    {"pancreas(_\\w+)?", "Podzheludochnaya", kPancreas},
    {"gall_?bladder(_\\w+)?", "Zhelchny_puzyr", kGallbladder},
    {"(?:skin|body)(_\\w+)?", "Skin", kSkin},
    // Kinds only: the structure keeps its name and gets the kind's colour.
    {"\\w*arter(?:y|ies)\\w*()", "", kArtery},
    {"\\w*(?:vein|vena)\\w*()", "", kVein},
    {"\\w*(?:vertebra|rib|sacrum|hip|femur|bone|skeleton|sternum|scapula|clavicula|humerus|"
     "skull|pelvis)\\w*()",
     "", kBone},
};

QString normalised(const QString &structure)
{
    static const QRegularExpression gaps(QStringLiteral("[\\s\\-]+"));
    return structure.trimmed().toLower().replace(gaps, QStringLiteral("_"));
}

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
    static const std::vector<QRegularExpression> patterns = [] {
        std::vector<QRegularExpression> list;
        for (const StructureRow &row : kStructureRows)
            list.emplace_back(QRegularExpression::anchoredPattern(QLatin1StringView(row.pattern)));
        return list;
    }();
    const QString name = normalised(structure);
    for (size_t r = 0; r < patterns.size(); ++r) {
        const QRegularExpressionMatch m = patterns[r].match(name);
        if (!m.hasMatch())
            continue;
        const StructureRow &row = kStructureRows[r];
        LabelLook look;
        look.name = *row.name ? QLatin1StringView(row.name) + m.captured(1) : structure.trimmed();
        look.hasColor = true;
        look.rgb[0] = row.colour.r, look.rgb[1] = row.colour.g, look.rgb[2] = row.colour.b;
        return look;
    }
    return std::nullopt;
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

QString importStem(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    for (const char *ending : {".seg.nrrd", ".nii.gz"})
        if (name.endsWith(QLatin1StringView(ending), Qt::CaseInsensitive))
            return name.chopped(qsizetype(qstrlen(ending)));
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 ? name.left(dot) : name;
}

LabelTable labelTableBeside(const QString &labelMapPath)
{
    const QFileInfo info(labelMapPath);
    const QDir folder = info.dir();
    const QString stem = importStem(labelMapPath);
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
