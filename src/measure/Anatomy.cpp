#include "Anatomy.h"

#include <QFileInfo>

namespace measure {

Anatomy anatomyOf(const QString &name, const QString &fileName)
{
    if (!fileName.isEmpty())
        if (const Anatomy fromFile = anatomy::structureNamedIn(QFileInfo(fileName).fileName());
            fromFile != Anatomy::Other)
            return fromFile;
    if (const Anatomy fromName = anatomy::structureNamedIn(name); fromName != Anatomy::Other)
        return fromName;
    // A structure no measurement needs ("liver", "Spleen_1") is still named.
    const std::optional<anatomy::LabelMatch> m = anatomy::matchLabel(name);
    return m && m->structure != Anatomy::Marked ? m->structure : Anatomy::Other;
}

Anatomy anatomyOfStructure(const QString &structure, const QString &fileName)
{
    // The anatomy table's name of a structure ("Parenhima_left", "Liver")
    // says it outright; words in a name of the file's own only when not.
    if (const std::optional<anatomy::LabelMatch> m = anatomy::matchLabel(structure);
        m && m->structure != Anatomy::Marked)
        return m->structure;
    const Anatomy fromName = anatomy::structureNamedIn(structure);
    return fromName != Anatomy::Other ? fromName : anatomyOf(structure, fileName);
}

QString anatomyKey(Anatomy structure)
{
    return anatomy::keyOf(structure);
}

} // namespace measure
