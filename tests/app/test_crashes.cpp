// What once ended the program with a signal: a scene listing itself, a file
// shortened while read, points that are not numbers.

#include "AppTestBase.h"
#include "formats/FileBytes.h"
#include "formats/HxReader.h"
#include "formats/LoadPipeline.h"

#include <thread>
#include <unistd.h>

namespace {

// The length the mapped file is cut to, from a second thread, after the file
// is mapped and before its bytes are read.
qint64 cutTo = 0;
int cuts = 0;
void shortenFromAnotherThread(const QString &fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    std::thread([&] { cuts += ::truncate(path.constData(), cutTo) == 0; }).join();
}

} // namespace

class TestCrashes : public AppTestBase
{
    Q_OBJECT

private slots:
    void init() { setUpFolders(); }
    void cleanup()
    {
        FileBytes::setMappedHook(nullptr);
        tearDownFolders();
    }
    void sceneThatListsItself();
    void fileShortenedWhileRead();
    void pointsThatAreNotNumbers();
};

void TestCrashes::sceneThatListsItself()
{
    for (const char *name : {"one.surf", "two.surf", "three.surf"})
        QVERIFY(writeTriangleSurf(data.filePath(name)));
    QVERIFY(writeScene(data.filePath("a.hx"), {"one.surf", "a.hx", "two.surf"}));
    // b and c list each other, c through a link to b.
    QVERIFY(writeScene(data.filePath("b.hx"), {"c.hx", "three.surf"}));
    QVERIFY(writeScene(data.filePath("c.hx"), {"link.hx", "one.surf"}));
    QVERIFY(QFile::link(data.filePath("b.hx"), data.filePath("link.hx")));

    // The working folder's first scene opens at every start.
    QDir::setCurrent(data.path());
    Tessaron window;
    window.show();
    window.openHxInWorkingFolder();
    const ModelListClass &list = window.view()->ModelList;
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.at(2)->FileName, QDir::currentPath() + "/two.surf");
    QCOMPARE(dialogs.shown,
             QStringList {QDir::currentPath()
                          + "/a.hx: This scene is already being opened; it is skipped."});

    dialogs.shown.clear();
    window.openModelFile(data.filePath("b.hx"));
    QCOMPARE(list.count(), 5);
    QCOMPARE(list.at(3)->FileName, data.filePath("one.surf"));
    QCOMPARE(list.at(4)->FileName, data.filePath("three.surf"));
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown[0].startsWith(data.filePath("link.hx") + ": "));
    QCOMPARE(window.lastFile, data.filePath("b.hx"));
}

void TestCrashes::fileShortenedWhileRead()
{
    // Megabytes of points, so that most pages of the mapping lie past the cut.
    const QString surf = data.filePath("big.surf");
    QVERIFY(writeBytes(surf, surfBytes(std::vector<float>(600'000, 1.0f), {1, 2, 3})));
    QStringList parts;
    for (int i = 0; i < 100'000; ++i)
        parts << QString("part%1.surf").arg(i);
    const QString scene = data.filePath("big.hx");
    QVERIFY(writeScene(scene, parts));

    cutTo = 4096;
    FileBytes::setMappedHook(shortenFromAnotherThread);
    ModelClass model;
    QCOMPARE(model.loadFile(surf), 1);
    QVERIFY(model.Meshes.isEmpty());
    QCOMPARE(loadErrorMessage(1), QString("The file was shortened while it was read."));
    QStringList names;
    QCOMPARE(readHxList(scene, names), 1);
    QCOMPARE(cuts, 2);
}

void TestCrashes::pointsThatAreNotNumbers()
{
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    const QString withNan = data.filePath("nan.surf");
    const QString withInf = data.filePath("inf.surf");
    QVERIFY(writeBytes(withNan, surfBytes({0, 0, 0, nan, 1, 0, 0, 1, 0}, {1, 2, 3})));
    QVERIFY(writeBytes(withInf, surfBytes({0, 0, 0, 1, 0, 0, 1, -inf, 0}, {1, 2, 3})));

    Tessaron window;
    window.show();
    QCOMPARE(window.openModelFile(withNan), 0);
    QCOMPARE(window.openModelFile(withInf), 0);
    QCOMPARE(window.view()->ModelList.count(), 1);
    QCOMPARE(dialogs.shown,
             (QStringList {withNan + ": Vertex 2 is not a finite point (nan; 1; 0).",
                           withInf + ": Vertex 3 is not a finite point (1; -inf; 0)."}));

    // The drawing tool refuses it too, instead of drawing a black picture.
    QProcess cli;
    cli.start(TESSARON_CLI, {"render", withNan, data.filePath("out.png"), "--size", "64x64"});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 1);
    QVERIFY(cli.readAllStandardError().contains("Vertex 2 is not a finite point"));
    QVERIFY(!QFileInfo::exists(data.filePath("out.png")));
}

QTEST_MAIN(TestCrashes)
#include "test_crashes.moc"
