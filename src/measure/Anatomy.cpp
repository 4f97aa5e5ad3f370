#include "Anatomy.h"

#include <QFileInfo>

namespace measure {

namespace {

struct Words
{
    Anatomy anatomy;
    const char *words[8];
};

// Most specific first. The transliterated Russian words are those of the
// anatomy table; the English ones what other tools write.
constexpr Words kWords[] = {
    {Anatomy::Tumour,
     {"opukhol", "opykhol", "opuhol", "opykol", "obrazovanie", "tumour", "tumor", nullptr}},
    {Anatomy::Stones, {"kamni", "kamen", "stone", "calculi", nullptr}},
    {Anatomy::CollectingSystem,
     {"lokhanki", "lohanki", "lokhanka", "pelvis", "collecting", nullptr}},
    {Anatomy::Artery, {"krov", "blood", "arteri", nullptr}},
    {Anatomy::Vein, {"vena", "vein", nullptr}},
    {Anatomy::Skin, {"skin", "kozha", nullptr}},
    {Anatomy::Bone, {"bone", "kost", nullptr}},
    {Anatomy::Kidney, {"parenhima", "parench", "pochk", "kidney", nullptr}},
};

Anatomy fromWords(const QString &text)
{
    for (const Words &row : kWords)
        for (const char *const *word = row.words; *word; ++word)
            if (text.contains(QLatin1String(*word), Qt::CaseInsensitive))
                return row.anatomy;
    return Anatomy::Other;
}

} // namespace

Anatomy anatomyOf(const QString &name, const QString &fileName)
{
    if (!fileName.isEmpty())
        if (const Anatomy fromFile = fromWords(QFileInfo(fileName).fileName());
            fromFile != Anatomy::Other)
            return fromFile;
    return fromWords(name);
}

Anatomy anatomyOfStructure(const QString &structure, const QString &fileName)
{
    const Anatomy fromName = fromWords(structure);
    return fromName != Anatomy::Other ? fromName : anatomyOf(structure, fileName);
}

QString anatomyKey(Anatomy anatomy)
{
    switch (anatomy) {
    case Anatomy::Tumour:
        return QStringLiteral("tumour");
    case Anatomy::Kidney:
        return QStringLiteral("kidney");
    case Anatomy::CollectingSystem:
        return QStringLiteral("collecting_system");
    case Anatomy::Stones:
        return QStringLiteral("stones");
    case Anatomy::Artery:
        return QStringLiteral("artery");
    case Anatomy::Vein:
        return QStringLiteral("vein");
    case Anatomy::Skin:
        return QStringLiteral("skin");
    case Anatomy::Bone:
        return QStringLiteral("bone");
    case Anatomy::Other:
        break;
    }
    return QStringLiteral("other");
}

} // namespace measure
