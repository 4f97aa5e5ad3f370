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

#include <cstring>

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

bool wantsHelp(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h"))
            return true;
    return false;
}

bool wantsVersion(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--version"))
            return true;
    return false;
}

QString commandLineHelp()
{
    return QCoreApplication::translate(
        "Startup",
        "usage: tessaron [--full-drawing] [FILE...]\n"
        "\n"
        "Opens the named files as if they were dropped on the view (.surf surfaces,\n"
        ".hx scenes, mesh files, label maps, CT images, DICOM files and folders of a\n"
        "CT series, structure sets and segmentations, folders of masks) and frames\n"
        "them; a .tsn planning session opens as it was saved. Without files, offers\n"
        "to reopen the last file and opens the first .hx scene of the working folder.\n"
        "\n"
        "options:\n"
        "  --full-drawing  draws large models whole while they turn\n"
        "  -h, --help      prints this help and exits\n"
        "  --version       prints the version and exits\n");
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
