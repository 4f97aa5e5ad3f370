#include "AnatomyNames.h"

#include "../model/ModelClass.h"

#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace {

struct AnatomyRow
{
    QStringList words;          // any of them, ignoring case, selects the row
    QRegularExpression pattern; // every match is replaced by `name`
    QString name;
    int red, green, blue;
};

QRegularExpression wordIgnoringCase(const QString &word)
{
    return QRegularExpression(QRegularExpression::escape(word),
                              QRegularExpression::CaseInsensitiveOption);
}

const std::vector<AnatomyRow> &anatomyRows()
{
    static const std::vector<AnatomyRow> rows = {
        {{"opukhol", "opykhol", "opuhol", "opykol"},
         QRegularExpression("[oO]p[uy]k?hol"),
         "Obrazovanie",
         164,
         5,
         207},
        {{"krov", "blood"}, QRegularExpression("(krov|KROV|blood|BLOOD)"), "Arteria", 198, 30, 25},
        {{"vena", "pochk", "kidney"},
         QRegularExpression("(vena|pochki|pochka|kidney)"),
         "Vena",
         108,
         159,
         237},
        {{"bone"}, wordIgnoringCase("bone"), "Bone", 255, 255, 255},
        {{"kamni", "stone"}, QRegularExpression("(kamni|stone|stones)"), "Kamni", 255, 255, 255},
        {{"lokhanki", "lohanki"}, QRegularExpression("[lL]ok?hanki"), "Lokhanki", 207, 156, 48},
        {{"skin"}, wordIgnoringCase("skin"), "Skin", 255, 229, 187},
        {{"bad"}, wordIgnoringCase("bad"), "BAD", 0, 229, 0},
        {{"parenhima"}, wordIgnoringCase("parenhima"), "Parenhima", 255, 191, 213},
        {{"piramida"}, wordIgnoringCase("piramida"), "Piramida", 205, 192, 165},
    };
    return rows;
}

bool rowMatches(const AnatomyRow &row, const QString &stem)
{
    return std::any_of(row.words.begin(), row.words.end(), [&](const QString &word) {
        return stem.contains(word, Qt::CaseInsensitive);
    });
}

} // namespace

bool applyAnatomyRow(ModelClass &model, QString stem)
{
    for (const AnatomyRow &row : anatomyRows()) {
        if (!rowMatches(row, stem))
            continue;
        model.Name = stem.replace(row.pattern, row.name);
        model.setColor(row.red, row.green, row.blue);
        return true;
    }
    return false;
}

void applyAnatomyName(ModelClass &model)
{
    applyAnatomyRow(model, model.Name.left(std::max<qsizetype>(0, model.Name.size() - 5)));
}
