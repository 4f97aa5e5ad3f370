// tessaron-cli convert as a user runs it: every output format, the exit
// statuses and messages, and saves that never cost an earlier file: killed
// in the middle, into a read-only folder, onto a full disk.

#include "../app/SurfFiles.h"
#include "formats/SaveModelFile.h"
#include "formats/WriterSamples.h"
#include "model/ModelClass.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString cli = QStringLiteral(TESSARON_CLI);

struct Run
{
    int status = -1;
    QString out, err;
};

Run run(const QStringList &args, const std::function<void()> &inChild = {},
        const QString &program = cli)
{
    QProcess process;
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(program, args);
    if (!process.waitForFinished(60'000))
        return {-2, QString(), process.errorString()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// An n x n grid of squares, two triangles each, as a binary .surf file.
bool writeGridSurf(const QString &path, int n)
{
    std::vector<float> xyz;
    std::vector<qint32> triangles;
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i)
            xyz.insert(xyz.end(), {float(i), float(j), float((i * j) % 7)});
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const qint32 a = j * (n + 1) + i + 1, b = a + 1, c = a + n + 1, d = c + 1;
            triangles.insert(triangles.end(), {a, b, d, a, d, c});
        }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(surfBytes(xyz, triangles)) > 0;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void convertWritesWhatTheViewerWrites_data();
    void convertWritesWhatTheViewerWrites();
    void statusesAndMessages();
    void sceneIsJoinedIntoOneModel();
    void importedInputs();
    void killedSaveKeepsTheEarlierFile();
    void readOnlyFolderAndFullDisk();

private:
    QTemporaryDir dir;
    QString input;
};

void TestCli::initTestCase()
{
    QVERIFY(dir.isValid());
    input = dir.filePath("kamni_1.surf");
    QVERIFY(writeGridSurf(input, 3));
}

void TestCli::convertWritesWhatTheViewerWrites_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("binary");
    const auto row = [](const char *name, const char *output, const char *format, bool binary) {
        QTest::newRow(name) << QString(output) << QString(format) << binary;
    };
    row("mesh", "out.mesh", "MESH", false);
    row("off", "out.off", "OFF", false);
    row("vtk", "out.vtk", "VTK", false);
    row("obj", "out.obj", "OBJ", false);
    row("ply", "out.ply", "PLY", false);
    row("dat", "out.dat", "DAT", false);
    row("starcd", "out.vrt", "StarCD", false);
    row("stl text", "out.stl", "STL", false);
    row("stl binary", "out.STL", "STL", true);
}

void TestCli::convertWritesWhatTheViewerWrites()
{
    QFETCH(QString, output);
    QFETCH(QString, format);
    QFETCH(bool, binary);
    QStringList args {"convert", input, dir.filePath("cli/" + output)};
    if (binary)
        args << "--binary";
    QDir(dir.path()).mkpath("cli");
    QDir(dir.path()).mkpath("viewer");
    const Run result = run(args);
    QCOMPARE(result.status, 0);
    QVERIFY(result.err.isEmpty());

    ModelClass model;
    QCOMPARE(model.loadFile(input), 0);
    QCOMPARE(saveModelFile(&model, format, dir.filePath("viewer/" + output), binary), 0);
    const QStringList files = QDir(dir.filePath("viewer")).entryList(QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &file : files) {
        QCOMPARE(fileBytes(dir.filePath("cli/" + file)), fileBytes(dir.filePath("viewer/" + file)));
        QFile::remove(dir.filePath("viewer/" + file));
    }
}

void TestCli::statusesAndMessages()
{
    const QString out = dir.filePath("x.off");
    Run r = run({"convert", dir.filePath("missing.surf"), out});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, dir.filePath("missing.surf") + ": Error opening file.\n");
    r = run({"convert", dir.filePath("model.xyz"), out});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, dir.filePath("model.xyz") + ": Error filetype.\n");
    r = run({"convert", dir.filePath("missing.off"), out});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, dir.filePath("missing.off") + ": Error opening file.\n");
    QFile broken(dir.filePath("broken.surf"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("Vertices 1000\n\1\2\3");
    broken.close();
    r = run({"convert", broken.fileName(), out});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, broken.fileName() + ": Unknown error open file.\n");
    QCOMPARE(run({"convert", dir.filePath("scene.hx"), out}).status, 1);

    r = run({"convert", input, dir.filePath("no/such/folder/x.vtk")});
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.startsWith(dir.filePath("no/such/folder/x.vtk")), qPrintable(r.err));
    QVERIFY(r.err.contains(QString::fromLocal8Bit(std::strerror(ENOENT))));

    for (const QStringList &bad :
         {QStringList {}, QStringList {"convert", input}, QStringList {"convert", input, "x.xyz"},
          QStringList {"convert", input, out, "--fast"}, QStringList {"render2", input}})
        QCOMPARE(run(bad).status, 64);
    r = run({"--help"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains("tessaron-cli convert INPUT OUTPUT [--binary]"));
    QVERIFY(!QFile::exists(out));
}

void TestCli::sceneIsJoinedIntoOneModel()
{
    // The scene names its surfaces relative to its own folder, which is not
    // the working folder of the run.
    QDir(dir.path()).mkpath("scene");
    QVERIFY(writeTriangleSurf(dir.filePath("scene/a.surf"), 0));
    QVERIFY(writeTriangleSurf(dir.filePath("scene/b.surf"), 5));
    const auto writeScene = [&](const QString &name, const QByteArray &lines) {
        QFile hx(dir.filePath("scene/" + name));
        return hx.open(QIODevice::WriteOnly) && hx.write("# two triangles\n" + lines) > 0;
    };
    QVERIFY(writeScene("two.hx",
                       "[ load ${SCRIPTDIR}/a.surf ] setLabel {a.surf}\n"
                       "[ load ${SCRIPTDIR}/b.surf ] setLabel {b.surf}\n"));
    const QString off = dir.filePath("scene.off");
    Run r = run({"convert", dir.filePath("scene/two.hx"), off});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    const QList<QByteArray> lines = fileBytes(off).split('\n');
    QCOMPARE(lines.value(0), QByteArray("OFF"));
    QCOMPARE(lines.value(1).split(' ').mid(0, 2), (QList<QByteArray> {"6", "2"}));
    QVERIFY2(fileBytes(off).contains("\n3 3 4 5"), fileBytes(off).constData());

    // A scene of one surface is a joined model all the same, named as joins are.
    QVERIFY(writeScene("one.hx", "[ load ${SCRIPTDIR}/b.surf ] setLabel {b.surf}\n"));
    QCOMPARE(run({"convert", dir.filePath("scene/one.hx"), dir.filePath("one.vtk")}).status, 0);
    QCOMPARE(fileBytes(dir.filePath("one.vtk")).split('\n').value(1), QByteArray("Joint model"));

    // A surface that cannot be loaded fails the whole scene with its message.
    QVERIFY(writeScene("broken.hx",
                       "[ load ${SCRIPTDIR}/a.surf ] setLabel {a.surf}\n"
                       "[ load ${SCRIPTDIR}/gone.surf ] setLabel {gone.surf}\n"));
    r = run({"convert", dir.filePath("scene/broken.hx"), dir.filePath("broken.off")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, dir.filePath("scene/gone.surf") + ": Error opening file.\n");
    QVERIFY(!QFile::exists(dir.filePath("broken.off")));
}

// INPUT of other software's formats goes through the importer: silent on
// success unless --verbose, the reason on a refusal.
void TestCli::importedInputs()
{
    QByteArray map = "NRRD0004\ntype: uint8\ndimension: 3\nsizes: 8 8 8\nencoding: raw\n\n";
    for (int v = 0; v < 512; ++v)
        map += char(v % 8 >= 2 && v % 8 < 6 && v / 8 % 8 >= 2 && v / 8 % 8 < 6 ? 1 + v / 256 : 0);
    QFile nrrd(dir.filePath("boxes.nrrd"));
    QVERIFY(nrrd.open(QIODevice::WriteOnly) && nrrd.write(map) == map.size());
    nrrd.close();
    Run r = run({"convert", nrrd.fileName(), dir.filePath("boxes.off")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.isEmpty() && r.err.isEmpty());
    // The two labels joined into one model, each keeping its value as material.
    const QByteArray off = fileBytes(dir.filePath("boxes.off"));
    QVERIFY(off.startsWith("OFF"));
    r = run({"convert", "--verbose", nrrd.fileName(), dir.filePath("boxes.obj")});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.contains("boxes.nrrd: Label 1: 1 blocks") && r.err.contains("Label 2"),
             qPrintable(r.err));

    QFile stl(dir.filePath("short.stl"));
    QVERIFY(stl.open(QIODevice::WriteOnly));
    QByteArray bytes(84 + 49, 0);
    bytes[80] = 1;
    stl.write(bytes);
    stl.close();
    r = run({"convert", stl.fileName(), dir.filePath("short.off")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err,
             stl.fileName()
                 + ": The STL file says it holds 1 triangles (134 bytes), but it has 133 bytes.\n");
}

void TestCli::killedSaveKeepsTheEarlierFile()
{
    const QString large = dir.filePath("large.surf");
    QVERIFY(writeGridSurf(large, 700)); // 980,000 triangles: about 170 MB of text STL
    const QString target = dir.filePath("kill/out.stl");
    const QString partial = dir.filePath("kill/.out.stl.partial");
    QDir(dir.path()).mkpath("kill");
    QFile earlier(target);
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("the earlier file\n") > 0);
    earlier.close();

    QProcess process;
    process.start(cli, {"convert", large, target});
    QVERIFY(process.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (QFileInfo(partial).size() < (8 << 20) && waited.elapsed() < 30'000)
        QThread::msleep(2);
    QVERIFY2(process.state() == QProcess::Running, "the save ended before it could be killed");
    ::kill(pid_t(process.processId()), SIGKILL);
    process.waitForFinished();
    QCOMPARE(fileBytes(target), QByteArray("the earlier file\n"));
    QVERIFY(QFile::exists(partial)); // what the killed save left

    QCOMPARE(run({"convert", input, target}).status, 0);
    QVERIFY(fileBytes(target).startsWith("solid Kamni_1\n"));
    QCOMPARE(QDir(dir.filePath("kill")).entryList(QDir::Files | QDir::Hidden),
             QStringList {"out.stl"});
}

void TestCli::readOnlyFolderAndFullDisk()
{
    // A folder this user cannot write into. As root, the save runs as nobody,
    // so what it needs (a copy of the tool, the input, the folder) lies in a
    // folder of /tmp that anyone may enter: the checkout and the temporary
    // folder may be private ones.
    const bool root = ::geteuid() == 0;
    QTemporaryDir reachable(QStringLiteral("/tmp/tessaron-test-XXXXXX"));
    QVERIFY(reachable.isValid());
    const QString base = root ? reachable.path() : dir.path();
    const QString folder = base + "/readonly";
    QVERIFY(QDir(base).mkpath("readonly"));
    QFile earlier(folder + "/out.vtk");
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier\n") > 0);
    earlier.close();
    const QString tool = root ? base + "/tessaron-cli" : cli;
    const QString source = root ? base + "/in.surf" : input;
    if (root) {
        QVERIFY(QFile::copy(cli, tool) && QFile::copy(input, source));
        const auto anyone = QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(base, QFile::permissions(base) | anyone));
        QVERIFY(QFile::setPermissions(source, QFile::permissions(source) | QFile::ReadOther));
    }
    QFile::setPermissions(folder,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    Run r = run(
        {"convert", source, folder + "/out.vtk"},
        [root] {
            if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(99);
        },
        tool);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (r.status == 99)
        QSKIP("cannot drop to an unprivileged user here");
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.startsWith(folder + "/out.vtk: "), qPrintable(r.err));
    QVERIFY2(r.err.contains("the folder " + folder + " cannot be written"), qPrintable(r.err));
    QCOMPARE(fileBytes(folder + "/out.vtk"), QByteArray("earlier\n"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList {"out.vtk"});

    // A disk that fills up in the middle of the file: the process may write
    // 1000 bytes, the vertex lines alone are more.
    const QString medium = dir.filePath("medium.surf");
    QVERIFY(writeGridSurf(medium, 30));
    r = run({"convert", medium, folder + "/out.vtk"}, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    QCOMPARE(r.status, 2);
    // The reason in the user's language, as the system words it.
    QVERIFY2(r.err.contains(QString::fromLocal8Bit(std::strerror(EFBIG)))
                 || r.err.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))),
             qPrintable(r.err));
    QCOMPARE(fileBytes(folder + "/out.vtk"), QByteArray("earlier\n"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList {"out.vtk"});
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
