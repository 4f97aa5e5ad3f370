#include "Startup.h"

#include "Tessaron.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

int readLanguage()
{
    QSettings settings(Tessaron::settingsPath(), QSettings::IniFormat);
    settings.beginGroup("Config");
    const int language = settings.value("language", 1).toInt();
    settings.endGroup();
    return language;
}

void installTranslators(int language, QTranslator &toolkit, QTranslator &program)
{
    if (language != 1)
        return;
    // An absent catalogue leaves the English texts.
    (void)toolkit.load("qt_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QCoreApplication::installTranslator(&toolkit);
    (void)program.load(":/ru_translate");
    QCoreApplication::installTranslator(&program);
}
