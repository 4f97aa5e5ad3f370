#pragma once

// What the main window's test programs share: for each test a private home
// (so the settings file starts empty), a data folder of three small models,
// scripted dialogs, and a shown window that has read its settings.

#include "SurfFiles.h"
#include "WholeFiles.h"
#include "app/Startup.h"
#include "app/Tessaron.h"
#include "app/panels/MeasurementsControl.h"
#include "app/panels/ObjectsControl.h"
#include "view/GLWidget.h"
#include "view/ScriptedDialogs.h"
#include "view/SettingsFile.h"
#include "view/ViewCommands.h"
#include "view/ViewFixture.h"

class AppTestBase : public QObject
{
protected:
    void setUpFolders()
    {
        oldHome = qgetenv("HOME");
        oldFolder = QDir::currentPath();
        QVERIFY(home.isValid() && data.isValid());
        qputenv("HOME", home.path().toUtf8());
        QDir(home.path()).removeRecursively();
        QDir().mkpath(home.path());
        dialogs = ScriptedDialogs();
        Dialogs::install(&dialogs);
        for (int i = 0; i < 3; ++i)
            QVERIFY(writeTriangleSurf(data.filePath(QString("m%1.surf").arg(i)), float(i)));
    }

    void tearDownFolders()
    {
        Dialogs::install(nullptr);
        QDir::setCurrent(oldFolder);
        qputenv("HOME", oldHome);
    }

    QTemporaryDir home;
    QTemporaryDir data;
    ScriptedDialogs dialogs;
    QByteArray oldHome;
    QString oldFolder;
};

// Whether the shortcut reaches its action in the window as it is laid out.
inline bool shortcutTriggers(Tessaron &window, const char *name, QKeyCombination keys)
{
    QSignalSpy spy(window.action(name), &QAction::triggered);
    QTest::keyClick(&window, keys.key(), keys.keyboardModifiers());
    return spy.count() == 1;
}

// A shown main window that has read the settings file without the reopen question.
struct ShownWindow : Tessaron
{
    ShownWindow()
    {
        show();
        readSettings(false);
        [[maybe_unused]] bool exposed = QTest::qWaitForWindowExposed(this);
    }
};

// The Objects and Measurements panels of a window, as their classes.
inline ObjectsControl *objectsOf(Tessaron &window)
{
    return static_cast<ObjectsControl *>(window.panel(PanelKind::Objects));
}

inline MeasurementsControl *measurementsOf(Tessaron &window)
{
    return qobject_cast<MeasurementsControl *>(window.panel(PanelKind::Measurements));
}
