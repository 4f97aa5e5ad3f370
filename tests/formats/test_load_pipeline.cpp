// The model's load entry points: which names are admitted, what a load
// resets and records, and the code of a load that runs out of memory.

#include "SurfBytes.h"
#include "WriterSamples.h"
#include "formats/LoadPipeline.h"
#include "formats/ReaderGuard.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <unistd.h>

class TestLoadPipeline : public QObject
{
    Q_OBJECT

private slots:
    void admission_data();
    void admission();
    void reloadEmptiesTheModel();
    void allocationFailureIsCodeFour();

private:
    QTemporaryDir dir;
};

void TestLoadPipeline::admission_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // null: no file is written
    QTest::addColumn<int>("code");

    const QByteArray surface = vertices(3) + triangles({1, 2, 3});
    QTest::newRow("upper-case surf") << "model.SURF" << surface << 0;
    QTest::newRow("hx scanned as a surface") << "scene.Hx" << QByteArray("# scene\n") << 0;
    QTest::newRow("empty file, empty block") << "empty.surf" << QByteArray("") << 0;
    QTest::newRow("refused without opening") << "model.off" << surface << 3;
    QTest::newRow("hx without its dot") << "model.xhx" << surface << 3;
    QTest::newRow("folder") << "folder.surf" << QByteArray() << 2;
    QTest::newRow("count that lies") << "lies.surf" << QByteArray("Vertices 9\n") << 1;
}

void TestLoadPipeline::admission()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(int, code);
    const QString path = dir.filePath(fileName);
    QVERIFY(content.isNull() ? QDir(dir.path()).mkpath(fileName) : writeBytes(path, content));
    ModelClass model;
    model.Transform->zoom(2);
    QCOMPARE(model.loadFile(path), code);
    QCOMPARE(model.Meshes.size(), code == 0 ? 1 : 0);
    QCOMPARE(model.Transform->Scale, code == 3 ? 2.0f : 1.0f);
    QCOMPARE(model.FileName, code == 3 ? QString() : path);
    QCOMPARE(model.Name, code == 3 ? QString() : fileName);
}

void TestLoadPipeline::reloadEmptiesTheModel()
{
    const QString path = dir.filePath("krov_left.surf");
    QVERIFY(writeBytes(path, vertices(3)));
    ModelClass model;
    model.CellFunctionNames = {"pressure"};
    QCOMPARE(model.readFile(path), 0);
    QCOMPARE(model.FunctionLocation, 2);
    QCOMPARE(model.Name, QString("Arteria_left"));
    model.FunctionNames = {"temperature"};
    QCOMPARE(model.readFile(path), 0);
    QVERIFY(model.FunctionNames.isEmpty()); // a used model is emptied first
    QCOMPARE(model.FunctionLocation, 2);
}

// A surface whose arrays cannot be had: the process's address space is capped
// a little above what it uses before the load.
void TestLoadPipeline::allocationFailureIsCodeFour()
{
    // Memory refused to a container of the reader counts the same.
    QCOMPARE(runReader([] { throw std::bad_alloc(); }), 4);
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address sanitizer reserves its own address space");
#endif
    const QString path = dir.filePath("large.surf");
    QVERIFY(writeBytes(path, vertices(1'000'000)));
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        QSKIP("no /proc/self/statm here");
    const rlim_t used = statm.readAll().split(' ').value(0).toULongLong() * ::getpagesize();
    rlimit saved {};
    QVERIFY(::getrlimit(RLIMIT_AS, &saved) == 0);
    const rlimit capped {used + (16u << 20), saved.rlim_max};
    QVERIFY(::setrlimit(RLIMIT_AS, &capped) == 0);
    ModelClass model;
    const qint32 code = model.loadFile(path); // 24 MB of coordinates do not fit
    ::setrlimit(RLIMIT_AS, &saved);
    QCOMPARE(code, 4);
    QVERIFY(model.Meshes.isEmpty());
}

QTEST_GUILESS_MAIN(TestLoadPipeline)
#include "test_load_pipeline.moc"
