// Files that a failed write must not cost: a picture written to a full disk
// leaves the earlier picture as it was and fails with the reason, and a write
// that the folder refuses says that the folder is the cause, in the
// command-line tool and in the view's image export alike.

#include "CliRun.h"
#include "formats/OutputFile.h"
#include "formats/SaveModelFile.h"
#include "model/ModelClass.h"
#include "view/ScriptedDialogs.h"
#include "view/ViewFixture.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// tessaron-cli with every file it writes limited to `limit` bytes, as on a
// full disk (SIGXFSZ ignored, so that the write fails instead of killing),
// the system's reasons in English.
Run onAFullDisk(const QStringList &args, rlim_t limit)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    return cli(args, env, [limit] {
        const rlimit size {limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
        std::signal(SIGXFSZ, SIG_IGN);
    });
}

// Runs the writes of a scope as a user without privileges: as root, as the
// user nobody (root may write anywhere).
struct Unprivileged
{
    Unprivileged()
        : wasRoot(::geteuid() == 0)
    {
        if (wasRoot)
            QVERIFY(::seteuid(65534) == 0);
    }
    ~Unprivileged()
    {
        if (wasRoot)
            (void)::seteuid(0);
    }
    bool wasRoot;
};

} // namespace

class TestLostFiles : public QObject
{
    Q_OBJECT

private slots:
    void picturesOnAFullDisk();
    void folderRefusesTheFile();

private:
    QTemporaryDir dir;
};

// Raster and vector pictures alike (JPEG and BMP go the way of PNG).
void TestLostFiles::picturesOnAFullDisk()
{
    for (const char *ending : {".svg", ".pdf", ".eps", ".png"}) {
        const QString picture = dir.filePath(QStringLiteral("picture") + ending);
        QVERIFY(writeBytes(picture, "EARLIER"));
        const QStringList args = {"render", TESSARON_SAMPLE_SURFACE, picture, "--size", "320x240"};
        const Run full = onAFullDisk(args, 2048);
        QCOMPARE(full.status, 1);
        QVERIFY2(full.err.contains(picture + ": File too large"), qPrintable(full.err));
        QCOMPARE(fileBytes(picture), QByteArray("EARLIER"));
        QCOMPARE(QDir(dir.path()).entryList({"*.partial"}, QDir::Files | QDir::Hidden),
                 QStringList());
        QCOMPARE(cli(args).status, 0);
        QVERIFY(fileBytes(picture).size() > 2048);
    }
}

void TestLostFiles::folderRefusesTheFile()
{
    // Folders that the user nobody can reach, for the runs as root.
    QTemporaryDir base;
    QVERIFY(::chmod(QFile::encodeName(base.path()).constData(), 0755) == 0);
    const QString surf = base.filePath("triangle.surf");
    QVERIFY(writeTriangleSurf(surf));
    ModelClass model;
    QCOMPARE(model.loadFile(surf), 0);

    // A writable file in a folder that is not.
    const QString locked = base.filePath("locked");
    QVERIFY(QDir().mkdir(locked));
    const QString kept = locked + "/kept.off";
    QVERIFY(writeBytes(kept, "EARLIER"));
    QVERIFY(::chmod(QFile::encodeName(kept).constData(), 0666) == 0);
    QVERIFY(::chmod(QFile::encodeName(locked).constData(), 0555) == 0);
    qint32 code = 0;
    {
        Unprivileged user;
        code = saveModelFile(&model, "OFF(*.off)", kept, false);
    }
    QCOMPARE(code, 2);
    QCOMPARE(lastOutputError(), kept + ": the folder " + locked + " cannot be written");
    QCOMPARE(fileBytes(kept), QByteArray("EARLIER"));

    // The view's image export, raster and vector, says the same in its box.
    ScriptedDialogs dialogs;
    Dialogs::install(&dialogs);
    ViewUnderTest v(64, 48);
    v.add(makeSquare());
    for (const char *name : {"kept.png", "kept.svg"}) {
        dialogs.saveName = locked + "/" + name;
        QVERIFY(::chmod(QFile::encodeName(locked).constData(), 0755) == 0);
        QVERIFY(writeBytes(dialogs.saveName, "EARLIER"));
        QVERIFY(::chmod(QFile::encodeName(locked).constData(), 0555) == 0);
        {
            Unprivileged user;
            v.view->save2pic();
        }
        QCOMPARE(dialogs.shown.value(0).section('|', 1),
                 "The image could not be saved.\n" + dialogs.saveName + ": the folder " + locked
                     + " cannot be written");
        QCOMPARE(fileBytes(dialogs.saveName), QByteArray("EARLIER"));
        dialogs.shown.clear();
    }
    // Save As names the folder too, not "Error opening file.".
    {
        Unprivileged user;
        v.view->saveModelFile("OFF(*.off)", kept, false);
    }
    QCOMPARE(dialogs.shown.value(0),
             "Error|" + kept + ": the folder " + locked + " cannot be written");
    dialogs.shown.clear();
    Dialogs::install(nullptr);
    QVERIFY(::chmod(QFile::encodeName(locked).constData(), 0755) == 0); // so that it can be removed

    // A folder where only a file's owner may replace it, and the file is root's.
    if (::geteuid() != 0)
        QSKIP("the sticky folder needs a file of another user: run as root to check it");
    const QString shared = base.filePath("shared");
    QVERIFY(QDir().mkdir(shared));
    QVERIFY(::chmod(QFile::encodeName(shared).constData(), 01777) == 0);
    const QString theirs = shared + "/theirs.off";
    QVERIFY(writeBytes(theirs, "EARLIER"));
    QVERIFY(::chmod(QFile::encodeName(theirs).constData(), 0666) == 0);
    {
        Unprivileged user;
        code = saveModelFile(&model, "OFF(*.off)", theirs, false);
    }
    QCOMPARE(code, 2);
    QCOMPARE(lastOutputError(),
             theirs + ": the folder " + shared + " lets only the owner of a file replace it");
    QCOMPARE(fileBytes(theirs), QByteArray("EARLIER"));
    QCOMPARE(QDir(shared).entryList(QDir::Files | QDir::Hidden), QStringList("theirs.off"));
}

TESSARON_VIEW_TEST_MAIN(TestLostFiles)
#include "test_lost_files.moc"
