#include "LoadFailures.h"

#include "view/Dialogs.h"

#include <QCoreApplication>

void LoadFailures::add(const QString &path, const QString &message)
{
    if (silenced)
        return;
    const QString line = path + ": " + message;
    if (++count <= SeparateBoxes)
        Dialogs::current().message(nullptr, QString(), line);
    else
        rest << line;
}

void LoadFailures::finish()
{
    if (silenced || rest.isEmpty())
        return;
    QStringList lines = {
        QCoreApplication::translate("Tessaron", "%1 more files could not be opened:")
            .arg(rest.size())};
    for (qsizetype i = 0; i < rest.size() && i < ListedInSummary; ++i)
        lines << Dialogs::elided(rest.at(i), 160);
    if (rest.size() > ListedInSummary)
        lines << QCoreApplication::translate("Tessaron", "... and %1 more.")
                     .arg(rest.size() - ListedInSummary);
    rest.clear();
    Dialogs::current().message(nullptr, QString(), lines.join('\n'));
}
