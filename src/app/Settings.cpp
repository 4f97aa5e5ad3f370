// The settings file: the window, the file history, three view flags, the
// view's options and its colours, in one INI file in the home folder.

#include "Tessaron.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

int Tessaron::readSettings(bool askReopen)
{
    showStatus(tr("Load settings"));
    QSettings settings(settingsPath(), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        clearStatus();
        return 1;
    }
    settings.beginGroup("Window");
    if (settings.value("Maximized", true).toBool()) {
        showMaximized();
    } else if (settings.value("FullScreen", false).toBool()) {
        showFullScreen();
    } else {
        move(settings.value("PositionX", 50).toInt(), settings.value("PositionY", 50).toInt());
        resize(settings.value("Width", 750).toInt(), settings.value("Height", 550).toInt());
    }
    settings.endGroup();
    settings.beginGroup("Stats");
    lastFolder = settings.value("LastFolder", QDir::currentPath()).toString();
    lastFile = settings.value("LastFile", QString()).toString();
    recentFiles = settings.value("RecentFiles", QStringList()).toStringList();
    settings.endGroup();
    updateRecentFileActions();
    View->applySettings(settings);
    clearStatus();
    if (askReopen && !lastFile.isEmpty() && QFileInfo::exists(lastFile)) {
        lastFolder = QFileInfo(lastFile).absolutePath();
        if (Dialogs::current().question(this, tr("Do you want reopen last file?"), lastFile)
            == Dialogs::Answer::Yes) {
            reopenedFile = lastFile;
            openModelFile(reopenedFile);
        }
        clearStatus();
    }
    return 0;
}

void Tessaron::writeSettings()
{
    showStatus(tr("Saving settings"));
    {
        QSettings settings(settingsPath(), QSettings::IniFormat);
        if (settings.status() == QSettings::NoError) {
            settings.clear();
            settings.beginGroup("Window");
            settings.setValue("Maximized", isMaximized());
            settings.setValue("FullScreen", isFullScreen());
            settings.setValue("PositionX", pos().x());
            settings.setValue("PositionY", pos().y());
            settings.setValue("Width", geometry().width());
            settings.setValue("Height", geometry().height());
            settings.endGroup();
            settings.beginGroup("Stats");
            settings.setValue("LastFolder", lastFolder);
            settings.setValue("LastFile", lastFile);
            settings.setValue("RecentFiles", recentFiles);
            settings.endGroup();
            settings.beginGroup("View");
            settings.setValue("Axes", action("actionShowAxes")->isChecked());
            settings.setValue("ViewTransparent", action("actionViewTransparent")->isChecked());
            settings.setValue("ShowIn3D", action("actionShowIn3D")->isChecked());
            settings.endGroup();
            View->Config.write(settings);
            settings.sync();
        }
    }
    clearStatus();
}
