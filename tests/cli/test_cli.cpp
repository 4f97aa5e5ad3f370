// tessaron-cli convert as a user runs it: every output format, the exit
// statuses and messages, and saves that never cost an earlier file: killed
// in the middle, onto a full disk.

#include "CliRun.h"
#include "formats/SaveModelFile.h"
#include "model/ModelClass.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace {

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
    return writeBytes(path, surfBytes(xyz, triangles));
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void convertWritesWhatTheViewerWrites();
    void statusesAndMessages();
    void helpAndUsageErrors();
    void sceneIsJoinedIntoOneModel();
    void importedInputs();
    void killedSaveKeepsTheEarlierFile();
    void fullDiskKeepsTheEarlierFile();

private:
    QString out() const { return dir.filePath("x.off"); }
    QTemporaryDir dir;
    QString input;
};

void TestCli::initTestCase()
{
    QVERIFY(dir.isValid());
    input = dir.filePath("kamni_1.surf");
    QVERIFY(writeGridSurf(input, 3));
}

// Every ending gives the file the viewer's writer gives, an upper-case one too.
void TestCli::convertWritesWhatTheViewerWrites()
{
    const struct
    {
        const char *output, *format;
        bool binary;
    } formats[] = {
        {"out.mesh", "MESH", false},  {"out.off", "OFF", false}, {"out.vtk", "VTK", false},
        {"out.obj", "OBJ", false},    {"out.ply", "PLY", false}, {"out.dat", "DAT", false},
        {"out.vrt", "StarCD", false}, {"out.stl", "STL", false}, {"out.STL", "STL", true}};
    QDir(dir.path()).mkpath("cli");
    QDir(dir.path()).mkpath("viewer");
    ModelClass model;
    QCOMPARE(model.loadFile(input), 0);
    for (const auto &f : formats) {
        const QString output = f.output;
        QStringList args {"convert", input, dir.filePath("cli/" + output)};
        if (f.binary)
            args << "--binary";
        const Run r = cli(args);
        QVERIFY2(r.status == 0 && r.err.isEmpty(), f.output);
        QCOMPARE(saveModelFile(&model, f.format, dir.filePath("viewer/" + output), f.binary), 0);
        const QStringList files = QDir(dir.filePath("viewer")).entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString &file : files) {
            QVERIFY2(fileBytes(dir.filePath("cli/" + file))
                         == fileBytes(dir.filePath("viewer/" + file)),
                     qPrintable(file));
            QFile::remove(dir.filePath("viewer/" + file));
        }
    }
}

void TestCli::statusesAndMessages()
{
    const QString out = dir.filePath("x.off");
    QVERIFY(writeBytes(dir.filePath("broken.surf"), "Vertices 1000\n\1\2\3"));
    QVERIFY(writeBytes(dir.filePath("model.xyz"), "1 2 3\n"));
    const std::pair<const char *, const char *> refusals[] = {
        {"missing.surf", "the file does not exist"},
        {"missing.off", "the file does not exist"},
        {"broken.surf", "Unknown error open file."}};
    for (const auto &[file, message] : refusals) {
        const Run r = cli({"convert", dir.filePath(file), out});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, dir.filePath(file) + ": " + message + "\n");
    }
    // A kind nothing reads says which kinds are read, imports included.
    Run r = cli({"convert", dir.filePath("model.xyz"), out});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith(dir.filePath("model.xyz") + ": Error filetype."), qPrintable(r.err));
    for (const char *kind : {".surf", ".hx", ".stl", ".nii.gz", ".seg.nrrd", "folder of masks"})
        QVERIFY2(r.err.contains(QLatin1String(kind)), kind);
    QCOMPARE(r.err.count('\n'), 1);
    QCOMPARE(cli({"convert", dir.filePath("scene.hx"), out}).status, 1);

    r = cli({"convert", input, dir.filePath("no/such/folder/x.vtk")});
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.startsWith(dir.filePath("no/such/folder/x.vtk")), qPrintable(r.err));
    QVERIFY(r.err.contains(QString::fromLocal8Bit(std::strerror(ENOENT))));
    QVERIFY(!QFile::exists(out));
}

void TestCli::helpAndUsageErrors()
{
    // The commands, one line each with a summary.
    Run r = cli({"--help"});
    QCOMPARE(r.status, 0);
    // Sessions and DICOM are named among the inputs; the version is asked for alone.
    QVERIFY(r.out.contains(".tsn") && r.out.contains("DICOM") && r.out.contains("--version"));
    const Run version = cli({"--version"});
    QCOMPARE(version.status, 0);
    QVERIFY2(
        QRegularExpression("^tessaron-cli \\d+\\.\\d+\\.\\d+\n$").match(version.out).hasMatch(),
        qPrintable(version.out));
    QStringList commands = {"convert", "info", "measure"};
#ifdef TESSARON_CLI_DRAWS
    commands << "render"
             << "sheet";
#endif
    for (const QString &command : commands) {
        const QRegularExpression line("\n  " + command + " +\\S.*\n");
        QCOMPARE(r.out.count(line), 1);
        // A command's help is its usage only, naming every kind of input.
        const Run help = cli({command, "--help"});
        QCOMPARE(help.status, 0);
        QVERIFY2(help.out.startsWith("usage: tessaron-cli " + command + " INPUT"),
                 qPrintable(help.out));
        QCOMPARE(help.out.count("usage:"), 1);
        for (const char *kind : {".surf", ".hx", ".stl", ".vtk", ".nii.gz", "folder of masks"})
            QVERIFY2(help.out.contains(QLatin1String(kind)), qPrintable(command + kind));
    }
    QVERIFY(!r.out.contains("--binary")); // no command's usage in the list
    QVERIFY(
        cli({"convert", "--help"})
            .out.contains("  OUTPUT  its ending chooses the format: "
                          ".mesh .off .vtk .obj .ply .dat .vrt .stl .glb .gltf .html\n  --binary"));
    if (commands.contains("render"))
        QVERIFY(cli({"render", "--help"})
                    .out.contains("  OUTPUT  its ending chooses the image: "
                                  ".png .jpg .jpeg .bmp .svg .pdf .eps .ps\n  --size"));

    // A usage error: its cause in one line, then that command's usage.
    const std::pair<QStringList, const char *> errors[] = {
        {{}, "a command is needed"},
        {{"render2", input}, "unknown command 'render2'"},
        {{"convert", input}, "OUTPUT is missing"},
        {{"convert", input, "x.xyz"},
         "x.xyz: unknown output format; the endings written are "
         ".mesh .off .vtk .obj .ply .dat .vrt .stl .glb .gltf .html"},
        {{"convert", input, out(), "--fast"}, "unknown option --fast"},
        {{"info", input, "--jsn"}, "unknown option --jsn"},
        {{"info"}, "INPUT is missing"},
        {{"measure", input, "Skin"}, "MODEL_B is missing"},
        {{"render", input, "x.png", "--opacity", "skin=1.5"}, "the opacity must be from 0 to 1"},
        {{"render", input, "x.png", "--view", "front"}, "--view takes fit|start|xy|xz|yz"},
        {{"render", input}, "OUTPUT is missing"},
        {{"render", input, "x.PNG"},
         "OUTPUT must end in .png .jpg .jpeg .bmp .svg .pdf .eps or .ps"},
        {{"sheet", input, "x.pdf", "--titel", "A"}, "unknown option --titel"},
        {{"sheet", input}, "OUTPUT.pdf is missing"},
        {{"sheet", input, "x.png"}, "OUTPUT must end in .pdf"},
        {{"sheet", input, "x.pdf", "--title"}, "--title"},
        {{"sheet", input, "x.pdf", "--language", "de"}, "de"},
    };
    for (const auto &[args, cause] : errors) {
        if (!args.isEmpty() && args.first() != "render2" && !commands.contains(args.first()))
            continue; // a drawing command of a build without the view
        r = cli(args);
        QCOMPARE(r.status, 64);
        const QString first = r.err.section('\n', 0, 0);
        QVERIFY2(first.contains(QLatin1String(cause)), qPrintable(r.err));
        QVERIFY2(r.err.section('\n', 1, 1).startsWith("usage: tessaron-cli"), qPrintable(r.err));
        if (!args.isEmpty() && args.first() != "render2")
            QVERIFY2(r.err.contains("usage: tessaron-cli " + args.first()), qPrintable(r.err));
    }
}

void TestCli::sceneIsJoinedIntoOneModel()
{
    // The scene names its surfaces relative to its own folder, which is not
    // the working folder of the run.
    const QString folder = dir.filePath("scene");
    QDir().mkpath(folder);
    QVERIFY(writeTriangleSurf(folder + "/a.surf", 0));
    QVERIFY(writeTriangleSurf(folder + "/b.surf", 5));
    const QString off = dir.filePath("scene.off");
    Run r = cli({"convert", writeScene(folder, "two.hx", {{"a.surf", {}}, {"b.surf", {}}}), off});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    const QList<QByteArray> lines = fileBytes(off).split('\n');
    QCOMPARE(lines.value(0), QByteArray("OFF"));
    QCOMPARE(lines.value(1).split(' ').mid(0, 2), (QList<QByteArray> {"6", "2"}));
    QVERIFY2(fileBytes(off).contains("\n3 3 4 5"), fileBytes(off).constData());

    // A scene of one surface is a joined model all the same, named as joins are.
    const QString vtk = dir.filePath("one.vtk");
    QCOMPARE(cli({"convert", writeScene(folder, "one.hx", {{"b.surf", {}}}), vtk}).status, 0);
    QCOMPARE(fileBytes(vtk).split('\n').value(1), QByteArray("Joint model"));

    // A surface that cannot be loaded fails the whole scene with its message.
    const QString broken = writeScene(folder, "broken.hx", {{"a.surf", {}}, {"gone.surf", {}}});
    r = cli({"convert", broken, dir.filePath("broken.off")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, folder + "/gone.surf: Error opening file.\n");
    QVERIFY(!QFile::exists(dir.filePath("broken.off")));
}

// INPUT of other software's formats goes through the importer: silent on
// success unless --verbose, the reason on a refusal.
void TestCli::importedInputs()
{
    QByteArray map = "NRRD0004\ntype: uint8\ndimension: 3\nsizes: 8 8 8\nencoding: raw\n\n";
    for (int v = 0; v < 512; ++v)
        map += char(v % 8 >= 2 && v % 8 < 6 && v / 8 % 8 >= 2 && v / 8 % 8 < 6 ? 1 + v / 256 : 0);
    const QString nrrd = dir.filePath("boxes.nrrd");
    QVERIFY(writeBytes(nrrd, map));
    Run r = cli({"convert", nrrd, dir.filePath("boxes.off")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.isEmpty() && r.err.isEmpty());
    QVERIFY(fileBytes(dir.filePath("boxes.off")).startsWith("OFF"));
    r = cli({"convert", "--verbose", nrrd, dir.filePath("boxes.obj")});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.contains("boxes.nrrd: Label 1: 1 blocks") && r.err.contains("Label 2"),
             qPrintable(r.err));

    // A model without a colour of its own is described in the colour it is
    // drawn in; what an import leaves out is said even without --verbose.
    const QString off = dir.filePath("mystery.off");
    QVERIFY(writeBytes(off, "OFF\n3 2 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n2 0 1\n"));
    r = cli({"convert", "--verbose", off, dir.filePath("mystery.obj")});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.contains("mystery: 1 blocks, 3 vertices, 1 cells, colour 0 0 221"),
             qPrintable(r.err));
    r = cli({"convert", off, dir.filePath("mystery.obj")});
    QCOMPARE(r.err,
             off
                 + ": warning: 1 faces of fewer than three corners (points and lines) were "
                   "left out.\n");

    QByteArray stl(84 + 49, 0);
    stl[80] = 1;
    QVERIFY(writeBytes(dir.filePath("short.stl"), stl));
    r = cli({"convert", dir.filePath("short.stl"), dir.filePath("short.off")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err,
             dir.filePath("short.stl")
                 + ": The STL file says it holds 1 triangles (134 bytes), but it has 133 bytes.\n");
}

void TestCli::killedSaveKeepsTheEarlierFile()
{
    const QString large = dir.filePath("large.surf");
    QVERIFY(writeGridSurf(large, 700)); // 980,000 triangles: about 170 MB of text STL
    const QString target = dir.filePath("kill/out.stl");
    const QString partial = dir.filePath("kill/.out.stl.partial");
    QDir(dir.path()).mkpath("kill");
    QVERIFY(writeBytes(target, "the earlier file\n"));

    QProcess process;
    process.start(QStringLiteral(TESSARON_CLI), {"convert", large, target});
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

    QCOMPARE(cli({"convert", input, target}).status, 0);
    QVERIFY(fileBytes(target).startsWith("solid Kamni_1\n"));
    QCOMPARE(QDir(dir.filePath("kill")).entryList(QDir::Files | QDir::Hidden),
             QStringList {"out.stl"});
}

// A disk that fills up in the middle of the file: the process may write
// 1000 bytes, the vertex lines alone are more. (A folder that refuses the
// file is the writers' own test, in test_lost_files.)
void TestCli::fullDiskKeepsTheEarlierFile()
{
    const QString medium = dir.filePath("medium.surf"), out = dir.filePath("full/out.vtk");
    QVERIFY(writeGridSurf(medium, 30));
    QVERIFY(QDir(dir.path()).mkpath("full") && writeBytes(out, "earlier\n"));
    const Run r = cli({"convert", medium, out}, QProcessEnvironment::systemEnvironment(), [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    QCOMPARE(r.status, 2);
    // The reason in the user's language, as the system words it.
    QVERIFY2(r.err.startsWith(out + ": ")
                 && (r.err.contains(QString::fromLocal8Bit(std::strerror(EFBIG)))
                     || r.err.contains(QString::fromLocal8Bit(std::strerror(ENOSPC)))),
             qPrintable(r.err));
    QCOMPARE(fileBytes(out), QByteArray("earlier\n"));
    QCOMPARE(QDir(dir.filePath("full")).entryList(QDir::Files | QDir::Hidden),
             QStringList {"out.vtk"});
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
