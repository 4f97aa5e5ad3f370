#include "Startup.h"

#include "SettingsFile.h"
#include "Tessaron.h"
#include "view/SettingValues.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QTranslator>

namespace {

constexpr int kStartHintTime = 60000; // ms the start-up note stays

} // namespace

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

void Tessaron::start(const QStringList &files)
{
    readSettings(files.isEmpty());
    if (files.isEmpty())
        openHxInWorkingFolder();
    else
        openNamedFiles(files);
    if (!fullInterface())
        showStartHint();
}

void Tessaron::showStartHint()
{
    if (StartHint)
        return;
    const QAction *full = action("actionFullInterface");
    StartHint = new QLabel(tr("All menus and panels: %1 ▸ %2 (%3)")
                               .arg(menu("menuFile")->title().remove('&'), full->text().remove('&'),
                                    full->shortcut().toString(QKeySequence::NativeText)),
                           statusBar());
    StartHint->setObjectName("label_startHint");
    statusBar()->addPermanentWidget(StartHint);
    // Said once: gone when the full interface is chosen, or after a while.
    auto remove = [this] {
        delete StartHint;
        StartHint = nullptr;
    };
    connect(full, &QAction::toggled, StartHint, remove);
    QTimer::singleShot(kStartHintTime, StartHint, remove);
}
