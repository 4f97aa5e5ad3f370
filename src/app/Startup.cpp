#include "Startup.h"

#include "SettingsFile.h"
#include "Tessaron.h"
#include "view/SettingValues.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

int readLanguage()
{
    if (!SettingsFile::usable())
        return 1;
    QSettings settings(Tessaron::settingsPath(), QSettings::IniFormat);
    settings.beginGroup("Config");
    const int language = SettingValues::choice(settings, "language", 1, 2);
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
