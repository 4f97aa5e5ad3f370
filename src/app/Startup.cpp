#include "Startup.h"

#include "Tessaron.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QTranslator>

namespace {

constexpr int kStartHintTime = 60000; // ms the start-up note stays

} // namespace

void installTranslators(Language language, QTranslator &toolkit, QTranslator &program)
{
    if (language != Language::Russian)
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
