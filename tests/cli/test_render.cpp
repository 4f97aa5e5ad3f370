// tessaron-cli render as a user runs it: arguments, the missing display,
// raster and vector outputs of a surface, and the look of the sample scene.

#include "app/SurfFiles.h"
#include "formats/WriterSamples.h"
#include "view/ViewFixture.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Run
{
    int status = -1;
    QString errors;
};

Run render(const QStringList &args,
           const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TESSARON_CLI), args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// A .surf file of an octahedron around the origin.
QString writeOctahedron(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("octahedron.surf"));
    QFile file(path);
    const QByteArray bytes =
        surfBytes({1, 0, 0, -1, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 1, 0, 0, -1},
                  {1, 3, 5, 3, 2, 5, 2, 4, 5, 4, 1, 5, 3, 1, 6, 2, 3, 6, 4, 2, 6, 1, 4, 6});
    return file.open(QIODevice::WriteOnly) && file.write(bytes) > 0 ? path : QString();
}

} // namespace

class TestRender : public QObject
{
    Q_OBJECT

private slots:
    void badArgumentsGiveUsage_data();
    void badArgumentsGiveUsage();
    void needsADisplay();
    void rasterImage();
    void vectorImages_data();
    void vectorImages();
    void sampleSceneLook();
};

void TestRender::badArgumentsGiveUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no command") << QStringList();
    QTest::newRow("no output") << QStringList {"render", "a.surf"};
    QTest::newRow("unknown ending") << QStringList {"render", "a.surf", "a.tiff"};
    QTest::newRow("bad size") << QStringList {"render", "a.surf", "a.png", "--size", "10x"};
    QTest::newRow("bad faces") << QStringList {"render", "a.surf", "a.png", "--faces", "glossy"};
    QTest::newRow("bad colour") << QStringList {"render", "a.surf", "a.png", "--background", "red"};
    QTest::newRow("missing value") << QStringList {"render", "a.surf", "a.png", "--view"};
}

void TestRender::badArgumentsGiveUsage()
{
    QFETCH(QStringList, args);
    const Run run = render(args);
    QCOMPARE(run.status, 64);
    QVERIFY2(run.errors.contains(QLatin1String("render INPUT OUTPUT")), qPrintable(run.errors));
}

void TestRender::needsADisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    const Run run = render({"render", "a.surf", "a.png"}, env);
    QVERIFY(run.status != 0);
    QVERIFY2(run.errors.contains(QLatin1String("display")), qPrintable(run.errors));
}

void TestRender::rasterImage()
{
    QTemporaryDir dir;
    const QString surf = writeOctahedron(dir), png = dir.filePath(QStringLiteral("o.png"));
    QVERIFY(!surf.isEmpty());
    Run run = render(
        {"render", surf, png, "--size", "200x100", "--background", "#336699", "--faces", "hidden"});
    QCOMPARE(run.status, 0);
    const QImage image(png);
    QCOMPARE(image.size(), QSize(200, 100));
    QVERIFY(near(image.pixelColor(0, 0), QColor(0x33, 0x66, 0x99), 1));
    QVERIFY(near(image.pixelColor(199, 99), QColor(0x33, 0x66, 0x99), 1));
    const QColor centre = image.pixelColor(100, 50); // a white face, lit
    QVERIFY(centre.red() > 150 && centre.red() == centre.green());
    // A file that does not exist fails with the load message.
    run = render({"render", dir.filePath(QStringLiteral("none.surf")), png});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.errors.contains(QLatin1String("Error opening file.")), qPrintable(run.errors));
}

void TestRender::vectorImages_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("svg") << ".svg" << QByteArray("<?xml");
    QTest::newRow("pdf") << ".pdf" << QByteArray("%PDF");
    QTest::newRow("eps") << ".eps" << QByteArray("%!PS-Adobe-3.0 EPSF");
    QTest::newRow("ps") << ".ps" << QByteArray("%!PS-Adobe-3.0\n");
}

void TestRender::vectorImages()
{
    QFETCH(QString, ending);
    QFETCH(QByteArray, start);
    QTemporaryDir dir;
    const QString surf = writeOctahedron(dir), out = dir.filePath("o" + ending);
    QCOMPARE(render({"render", surf, out, "--edges", "contour", "--size", "300x200"}).status, 0);
    const QByteArray written = fileBytes(out);
    QCOMPARE(written.left(start.size()), start);
    if (ending == QLatin1String(".svg")) {
        QVERIFY(written.count("<polygon") >= 4); // the faces seen from the front
        QVERIFY(written.contains("<line") || written.contains("<polyline"));
    }
}

void TestRender::sampleSceneLook()
{
    const QString scene = QStringLiteral(TESSARON_SAMPLE_SCENE);
    if (!QFile::exists(scene))
        QSKIP("the sample scene is generated by the build");
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("scene.png"));
    QCOMPARE(render({"render", scene, png, "--size", "320x240"}).status, 0);
    QString why;
    QVERIFY2(matchesBaseline(QImage(png), QStringLiteral("sample-scene.png"), why),
             qPrintable(why));
    const QString edges = dir.filePath(QStringLiteral("edges.png"));
    QCOMPARE(render({"render", scene, edges, "--size", "320x240", "--view", "xy", "--faces",
                     "surface", "--edges", "contour", "--background", "#FFFFFF"})
                 .status,
             0);
    QVERIFY2(matchesBaseline(QImage(edges), QStringLiteral("sample-scene-xy-edges.png"), why),
             qPrintable(why));
}

QTEST_GUILESS_MAIN(TestRender)
#include "test_render.moc"
