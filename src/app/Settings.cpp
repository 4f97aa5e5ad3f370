// The settings file: the window, the file history, three view flags, the
// view's options and its colours, in one INI file in the home folder.

#include "Tessaron.h"
#include "view/Dialogs.h"
#include "view/GLWidget.h"
#include "view/SettingValues.h"
#include "view/SettingsFile.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace {

constexpr int kFar = 1 << 20;    // no screen reaches this far, in pixels
constexpr int kMinimumSeen = 64; // pixels of a window that must lie on a screen

} // namespace

int Tessaron::readSettings(bool askReopen)
{
    using namespace SettingValues;
    showStatus(tr("Load settings"));
    // Without a usable file (no home folder, or a name that is not a regular
    // file) every value takes its default, as on a first start.
    QSettings settings(SettingsFile::usable() ? settingsPath() : QString(), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        clearStatus();
        return 1;
    }
    settings.beginGroup("Window");
    if (flag(settings, "Maximized", true)) {
        showMaximized();
    } else if (flag(settings, "FullScreen", false)) {
        showFullScreen();
    } else {
        move(integer(settings, "PositionX", 50, -kFar, kFar),
             integer(settings, "PositionY", 50, -kFar, kFar));
        resize(integer(settings, "Width", 750, 1, kFar), integer(settings, "Height", 550, 1, kFar));
        keepOnScreen();
    }
    settings.endGroup();
    settings.beginGroup("Stats");
    lastFolder = settings.value("LastFolder", QDir::currentPath()).toString();
    lastFile = settings.value("LastFile", QString()).toString();
    recentFiles = settings.value("RecentFiles", QStringList()).toStringList();
    settings.endGroup();
    // Names kept relative by an earlier version: absolute while they still
    // name a file from here.
    const auto absolute = [](QString &name) {
        if (QFileInfo(name).isRelative() && QFileInfo::exists(name))
            name = QFileInfo(name).absoluteFilePath();
    };
    absolute(lastFile);
    for (QString &name : recentFiles)
        absolute(name);
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

// A place stored for a screen that is gone (or nonsense) would keep the window
// out of sight for good, since the place is written back at exit. The window
// is made no larger than the largest screen, and unless some screen shows a
// fair part of it, it comes to the middle of the primary screen.
void Tessaron::keepOnScreen()
{
    QSize largest;
    for (const QScreen *screen : QGuiApplication::screens())
        largest = largest.expandedTo(screen->availableGeometry().size());
    if (largest.isValid())
        resize(size().boundedTo(largest));
    const QRect frame = frameGeometry();
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect seen = screen->availableGeometry().intersected(frame);
        if (seen.width() >= std::min(kMinimumSeen, frame.width())
            && seen.height() >= std::min(kMinimumSeen, frame.height()))
            return;
    }
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    const QRect area = primary->availableGeometry();
    resize(size().boundedTo(area.size()));
    const QRect placed = frameGeometry();
    move(area.center() - QPoint(placed.width() / 2, placed.height() / 2));
}

void Tessaron::writeSettings()
{
    if (!SettingsFile::usable())
        return;
    showStatus(tr("Saving settings"));
    bool saved = true;
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
            State.Config.write(settings);
            settings.sync();
            saved = settings.status() == QSettings::NoError;
        }
    }
    clearStatus();
    // A read-only file or folder: said once, not at every save.
    if (const QString text = saved ? QString() : SettingsFile::notSavedOnce(); !text.isEmpty())
        showStatus(text);
}
