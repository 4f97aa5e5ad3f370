// Tessaron: start-up. The language comes from the settings file before the
// window exists; the window then restores itself, offers the last file again
// and opens the first scene of the working folder.

#include "Startup.h"
#include "Tessaron.h"
#include "view/GLWidget.h"

#include <QApplication>
#include <QIcon>
#include <QTranslator>

int main(int argc, char *argv[])
{
    setupViewSurfaceFormat();
    QApplication app(argc, argv);
    QTranslator toolkit, program;
    installTranslators(readLanguage(), toolkit, program);
    QApplication::setApplicationName("Tessaron");
    QApplication::setApplicationVersion("1.1.256");
    QApplication::setWindowIcon(QIcon(":/tessaron"));

    auto *window = new Tessaron;
    window->show();
    window->readSettings(argc == 1);
    window->openHxInWorkingFolder();
    const int result = QApplication::exec();
    delete window;
    return result;
}
