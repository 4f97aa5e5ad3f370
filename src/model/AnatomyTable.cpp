#include "AnatomyTable.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace anatomy {

namespace {

using S = Structure;

// Colours shared by several structures.
constexpr Rgb kArteryColour {198, 30, 25};
constexpr Rgb kCollectingColour {207, 156, 48};
constexpr Rgb kWhite {255, 255, 255};

// clang-format off
const StructureRow kRows[] = {
    {S::Cyst, "cyst", QT_TRANSLATE_NOOP("Measurements", "Cyst"), "Kista", {240, 222, 120}, false, "",
     "",
     {{{"(?:kidney|renal)_cysts?(_\\w+)?"}}}, nullptr, {}},
    {S::Tumour, "tumour", QT_TRANSLATE_NOOP("Measurements", "Tumour"), "Obrazovanie", {164, 5, 207},
     false, "",
     "opukhol opykhol opuhol opykol obrazovanie tumour tumor",
     {{{"(?:kidney_|renal_)?(?:tumou?rs?|neoplasms?|masse?s?|lesions?)(_\\w+)?"},
       // a gross tumour volume of radiotherapy planning
       {"gtv(?:_kidney|_renal)?(_\\w+)?"}}},
     nullptr, {1, "opukhol opykhol opuhol opykol", "[oO]p[uy]k?hol"}},
    {S::Stones, "stones", QT_TRANSLATE_NOOP("Measurements", "Stones"), "Kamni", kWhite, false, "56381008",
     "kamni kamen stone calculi",
     {{{"(?:kidney_|renal_)?(?:stones?|calculi|calculus)(_\\w+)?"}}},
     nullptr, {5, "kamni stone", "(kamni|stone|stones)"}},
    {S::CollectingSystem, "collecting_system", QT_TRANSLATE_NOOP("Measurements", "Collecting system"),
     "Lokhanki", kCollectingColour, false, "25990002",
     "lokhanki lohanki lokhanka pelvis collecting",
     {{{"(?:renal_pelvis|kidney_pelvis|collecting_system)(_\\w+)?"}}},
     nullptr, {6, "lokhanki lohanki", "[lL]ok?hanki"}},
    {S::Artery, "artery", QT_TRANSLATE_NOOP("Measurements", "Artery"), "Arteria", kArteryColour,
     false, "2841007",
     "krov blood arteri",
     {{{"renal_arter(?:y|ies)(_\\w+)?", "Arteria_renalis"}}},
     "\\w*arter(?:y|ies)\\w*", {2, "krov blood", "(krov|KROV|blood|BLOOD)"}},
    {S::Vein, "vein", QT_TRANSLATE_NOOP("Measurements", "Vein"), "Vena", {108, 159, 237}, false,
     "56400007 64131007",
     "vena vein",
     {{{"renal_veins?(_\\w+)?", "Vena_renalis"},
       {"(?:inferior_vena_cava|vena_cava_inferior|ivc)(_\\w+)?", "Vena_cava"}}},
     // Files of the older naming called "kidney" or "pochka" are named and
     // coloured as the vein; what they show is still the kidney.
     "\\w*(?:vein|vena)\\w*", {3, "vena pochk kidney", "(vena|pochki|pochka|kidney)"}},
    {S::Skin, "skin", QT_TRANSLATE_NOOP("Measurements", "Skin"), "Skin", {255, 229, 187}, false,
     "39937001",
     "skin kozha",
     {{{"(?:skin|body)(_\\w+)?"}}},
     nullptr, {7, "skin", "skin", true}},
    {S::Bone, "bone", QT_TRANSLATE_NOOP("Measurements", "Bone"), "Bone", kWhite, false, "",
     "bone kost",
     {},
     "\\w*(?:vertebra|rib|sacrum|hip|femur|bone|skeleton|sternum|scapula|clavicula|humerus|skull|"
     "pelvis)\\w*",
     {4, "bone", "bone", true}},
    {S::Kidney, "kidney", QT_TRANSLATE_NOOP("Measurements", "Kidney"), "Parenhima", {255, 191, 213},
     true, "64033007",
     "parenhima parench pochk kidney",
     {{{"kidneys?(_\\w+)?"}}},
     nullptr, {9, "parenhima", "parenhima", true}},
    {S::Ureter, "ureter", QT_TRANSLATE_NOOP("Measurements", "Ureter"), "Mochetochnik",
     kCollectingColour, true, "87953007", "", {{{"ureters?(_\\w+)?"}}}, nullptr, {}},
    {S::Bladder, "bladder", QT_TRANSLATE_NOOP("Measurements", "Urinary bladder"), "Mochevoy_puzyr",
     {232, 200, 110}, false, "89837001", "", {{{"(?:urinary_)?bladder(_\\w+)?"}}}, nullptr, {}},
    {S::AdrenalGland, "adrenal_gland", QT_TRANSLATE_NOOP("Measurements", "Adrenal gland"),
     "Nadpochechnik", {230, 170, 60}, true, "23451007", "", {{{"adrenal_glands?(_\\w+)?"}}},
     nullptr, {}},
    {S::Spleen, "spleen", QT_TRANSLATE_NOOP("Measurements", "Spleen"), "Selezenka", {157, 70, 90},
     false, "78961009", "", {{{"spleen(_\\w+)?"}}}, nullptr, {}},
    {S::Liver, "liver", QT_TRANSLATE_NOOP("Measurements", "Liver"), "Pechen", {160, 72, 52}, false,
     "10200004", "", {{{"liver(_\\w+)?"}}}, nullptr, {}},
    {S::Pancreas, "pancreas", QT_TRANSLATE_NOOP("Measurements", "Pancreas"), "Podzheludochnaya",
     {235, 190, 120}, false, "15776009", "", {{{"pancreas(_\\w+)?"}}}, nullptr, {}},
    {S::Gallbladder, "gallbladder", QT_TRANSLATE_NOOP("Measurements", "Gallbladder"),
     "Zhelchny_puzyr", {90, 150, 60}, false, "28231008", "", {{{"gall_?bladder(_\\w+)?"}}},
     nullptr, {}},
    {S::Aorta, "aorta", QT_TRANSLATE_NOOP("Measurements", "Aorta"), "Aorta", kArteryColour, false,
     "15825003", "", {{{"aorta(_\\w+)?"}}}, nullptr, {}},
    {S::Pyramids, "pyramids", QT_TRANSLATE_NOOP("Measurements", "Renal pyramids"), "Piramida",
     {205, 192, 165}, false, "", "", {}, nullptr, {10, "piramida", "piramida", true}},
    {S::Marked, "marked", QT_TRANSLATE_NOOP("Measurements", "Marked as bad"), "BAD", {0, 229, 0},
     false, "", "", {}, nullptr, {8, "bad", "bad", true}},
};
// clang-format on

QStringList wordsOf(const char *words)
{
    return QString::fromLatin1(words).split(' ', Qt::SkipEmptyParts);
}

QString normalised(const QString &label)
{
    static const QRegularExpression gaps(QStringLiteral("[\\s\\-]+"));
    return label.trimmed().toLower().replace(gaps, QStringLiteral("_"));
}

// The compiled spellings, in the order they are tried.
struct CompiledSpelling
{
    const StructureRow *row;
    QRegularExpression pattern;
    QString name; // empty: the label keeps its own name
};

std::vector<CompiledSpelling> compileSpellings(bool kinds)
{
    std::vector<CompiledSpelling> list;
    const auto add = [&](const StructureRow &row, const char *pattern, const QString &name) {
        list.push_back(
            {&row,
             QRegularExpression(QRegularExpression::anchoredPattern(QLatin1StringView(pattern))),
             name});
    };
    for (const StructureRow &row : kRows) {
        if (kinds && row.kindPattern)
            add(row, row.kindPattern, QString());
        if (kinds)
            continue;
        for (const LabelSpelling &s : row.labels)
            if (s.pattern)
                add(row, s.pattern, QLatin1StringView(s.name ? s.name : row.modelName));
        // The table's own model name ("Parenhima_l") is a label too, so a
        // structure named by our older files is known wherever it comes from.
        if (row.structure != S::Marked) {
            const QByteArray own = QByteArray(row.modelName).toLower() + "(_\\w+)?";
            add(row, own.constData(), QLatin1StringView(row.modelName));
        }
    }
    return list;
}

const std::vector<CompiledSpelling> &specificSpellings()
{
    static const std::vector<CompiledSpelling> list = compileSpellings(false);
    return list;
}

const std::vector<CompiledSpelling> &kindSpellings()
{
    static const std::vector<CompiledSpelling> list = compileSpellings(true);
    return list;
}

LabelMatch matched(const StructureRow &row, const QString &name, const QString &label)
{
    return {row.structure, sideIn(label), name, row.colour};
}

std::optional<LabelMatch> matchSpecific(const QString &name, const QString &label)
{
    for (const CompiledSpelling &s : specificSpellings())
        if (const QRegularExpressionMatch m = s.pattern.match(name); m.hasMatch())
            return matched(*s.row, s.name + m.captured(1), label);
    return std::nullopt;
}

struct CompiledRule
{
    const StructureRow *row;
    QStringList words;
    QRegularExpression pattern;
};

const std::vector<CompiledRule> &fileRules()
{
    static const std::vector<CompiledRule> rules = [] {
        std::vector<CompiledRule> list;
        for (const StructureRow &row : kRows)
            if (row.file.rank > 0)
                list.push_back({&row, wordsOf(row.file.words),
                                QRegularExpression(QLatin1StringView(row.file.pattern),
                                                   row.file.ignoreCase
                                                       ? QRegularExpression::CaseInsensitiveOption
                                                       : QRegularExpression::NoPatternOption)});
        std::sort(list.begin(), list.end(), [](const CompiledRule &a, const CompiledRule &b) {
            return a.row->file.rank < b.row->file.rank;
        });
        return list;
    }();
    return rules;
}

bool containsAny(const QString &text, const QStringList &words)
{
    return std::any_of(words.begin(), words.end(), [&](const QString &word) {
        return text.contains(word, Qt::CaseInsensitive);
    });
}

} // namespace

std::span<const StructureRow> structureRows()
{
    return kRows;
}

const StructureRow *rowOf(Structure structure)
{
    for (const StructureRow &row : kRows)
        if (row.structure == structure)
            return &row;
    return nullptr;
}

QString keyOf(Structure structure)
{
    const StructureRow *row = rowOf(structure);
    return QLatin1StringView(row ? row->key : "other");
}

QString shownName(Structure structure)
{
    const StructureRow *row = rowOf(structure);
    return row ? QCoreApplication::translate("Measurements", row->english) : QString();
}

Structure structureNamedIn(const QString &text)
{
    static const std::vector<std::pair<Structure, QStringList>> words = [] {
        std::vector<std::pair<Structure, QStringList>> list;
        for (const StructureRow &row : kRows)
            list.emplace_back(row.structure, wordsOf(row.words));
        return list;
    }();
    for (const auto &[structure, list] : words)
        if (containsAny(text, list))
            return structure;
    return Structure::Other;
}

Side sideIn(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}]+"));
    static const QStringList left {
        QStringLiteral("left"),   QStringLiteral("l"),     QStringLiteral("lt"),
        QStringLiteral("levaya"), QStringLiteral("levyi"), QStringLiteral("levyy"),
        QStringLiteral("levoy"),  QStringLiteral("левая"), QStringLiteral("левый"),
        QStringLiteral("левой"),  QStringLiteral("левое")};
    static const QStringList right {
        QStringLiteral("right"),   QStringLiteral("r"),      QStringLiteral("rt"),
        QStringLiteral("pravaya"), QStringLiteral("pravyi"), QStringLiteral("pravyy"),
        QStringLiteral("pravoy"),  QStringLiteral("правая"), QStringLiteral("правый"),
        QStringLiteral("правой"),  QStringLiteral("правое")};
    for (const QString &word : text.toLower().split(separators, Qt::SkipEmptyParts)) {
        if (left.contains(word))
            return Side::Left;
        if (right.contains(word))
            return Side::Right;
    }
    return Side::None;
}

bool liesOnMidline(const QString &text)
{
    static const QRegularExpression words(
        QStringLiteral("(?:^|[^a-z])(?:spine|spinal|vertebra|sacrum|pozvon)"),
        QRegularExpression::CaseInsensitiveOption);
    return words.match(text).hasMatch();
}

QString sideCode(Side side)
{
    switch (side) {
    case Side::Left:
        return QStringLiteral("7771000");
    case Side::Right:
        return QStringLiteral("24028007");
    case Side::None:
        break;
    }
    return QString();
}

std::optional<LabelMatch> matchLabel(const QString &label)
{
    const QString name = normalised(label);
    if (std::optional<LabelMatch> m = matchSpecific(name, label))
        return m;
    // "Left Kidney": the side moves behind the structure, as "kidney_left".
    static const QRegularExpression sideFirst(QStringLiteral("^(left|right)_(\\w+)$"));
    if (const QRegularExpressionMatch m = sideFirst.match(name); m.hasMatch())
        if (std::optional<LabelMatch> moved =
                matchSpecific(m.captured(2) + '_' + m.captured(1), label))
            return moved;
    for (const CompiledSpelling &s : kindSpellings())
        if (s.pattern.match(name).hasMatch())
            return matched(*s.row, label.trimmed(), label);
    return std::nullopt;
}

std::optional<FileNaming> nameFromFileWords(const QString &stem)
{
    for (const CompiledRule &rule : fileRules())
        if (containsAny(stem, rule.words))
            return FileNaming {
                QString(stem).replace(rule.pattern, QLatin1StringView(rule.row->modelName)),
                rule.row->colour};
    return std::nullopt;
}

} // namespace anatomy
