// Tessaron: start-up. The language comes from the settings file before the
// window exists; the window then restores itself and opens the files named
// on the command line, or else offers the last file again and opens the
// first scene of the working folder.

#include "Startup.h"
#include "Tessaron.h"
#include "view/GLWidget.h"
#include "view/SettingsFile.h"

#include <QApplication>
#include <QIcon>
#include <QTranslator>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (wantsVersion(argc, argv)) {
        std::fputs("tessaron " TESSARON_VERSION "\n", stdout);
        return 0;
    }
    if (wantsHelp(argc, argv)) {
        // Answered before any window exists, so it needs no display.
        QCoreApplication core(argc, argv);
        QTranslator toolkit, program;
        installTranslators(SettingsFile::savedLanguage(), toolkit, program);
        std::fputs(qPrintable(commandLineHelp()), stdout);
        return 0;
    }
    setupViewSurfaceFormat();
    QApplication app(argc, argv);
    // --full-drawing: large models are drawn whole while they turn, too. The
    // switch does not count as an argument for the reopen question.
    QStringList arguments = QApplication::arguments();
    const bool fullDrawing = arguments.removeAll(QStringLiteral("--full-drawing")) > 0;
    QTranslator toolkit, program;
    installTranslators(SettingsFile::savedLanguage(), toolkit, program);
    QApplication::setApplicationName("Tessaron");
    QApplication::setApplicationVersion(QStringLiteral(TESSARON_VERSION));
    QApplication::setWindowIcon(QIcon(":/tessaron"));

    auto *window = new Tessaron;
    window->view()->Reduced.Enabled = !fullDrawing;
    window->show();
    arguments.removeFirst(); // the program's own name
    window->start(arguments);
    const int result = QApplication::exec();
    delete window;
    return result;
}
