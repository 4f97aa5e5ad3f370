#include "Anatomy.h"

#include <QFileInfo>

namespace measure {

Anatomy anatomyOf(const QString &name, const QString &fileName)
{
    if (!fileName.isEmpty())
        if (const Anatomy fromFile = anatomy::structureNamedIn(QFileInfo(fileName).fileName());
            fromFile != Anatomy::Other)
            return fromFile;
    return anatomy::structureNamedIn(name);
}

Anatomy anatomyOfStructure(const QString &structure, const QString &fileName)
{
    const Anatomy fromName = anatomy::structureNamedIn(structure);
    return fromName != Anatomy::Other ? fromName : anatomyOf(structure, fileName);
}

QString anatomyKey(Anatomy structure)
{
    return anatomy::keyOf(structure);
}

} // namespace measure
