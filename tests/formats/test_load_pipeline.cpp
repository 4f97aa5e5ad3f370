// The model's load entry points: which names are admitted, what a load
// resets and records, and the messages of the result codes.

#include "SurfBytes.h"
#include "formats/LoadPipeline.h"
#include "model/ModelClass.h"

#include <QTemporaryDir>
#include <QtTest>

class TestLoadPipeline : public QObject
{
    Q_OBJECT

private slots:
    void admission_data();
    void admission();
    void readFileResetsAndRecords();
    void messages();

private:
    QTemporaryDir dir;
};

void TestLoadPipeline::admission_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // null: nothing is written
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("blocks");

    const QByteArray surface = vertexSection(3) + triangleSection({1, 2, 3});
    QTest::newRow("upper-case surf") << "model.SURF" << surface << 0 << 1;
    QTest::newRow("hx scanned as a surface")
        << "scene.Hx" << QByteArray("# no sections\n") << 0 << 1;
    QTest::newRow("refused without opening") << "model.off" << surface << 3 << 0;
    QTest::newRow("missing") << "missing.surf" << QByteArray() << 2 << 0;
    QTest::newRow("folder") << "folder.surf" << QByteArray() << 2 << 0;
    QTest::newRow("count that lies") << "lies.surf" << QByteArray("Vertices 9\n") << 1 << 0;
}

void TestLoadPipeline::admission()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(int, code);
    QFETCH(int, blocks);
    const QString path = dir.filePath(fileName);
    if (fileName.startsWith("folder"))
        QVERIFY(QDir(dir.path()).mkpath(fileName));
    QFile file(path);
    if (!content.isNull()) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
    }
    ModelClass model;
    model.Transform->zoom(2);
    QCOMPARE(model.loadFile(path), code);
    QCOMPARE(model.Meshes.size(), blocks);
    QCOMPARE(model.Transform->Scale, code == 3 ? 2.0f : 1.0f);
    QCOMPARE(model.FileName, code == 3 ? QString() : path);
    QCOMPARE(model.Name, code == 3 ? QString() : fileName);
}

void TestLoadPipeline::readFileResetsAndRecords()
{
    const QString path = dir.filePath("krov_left.surf");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(vertexSection(3) + triangleSection({1, 2, 3}));
    file.close();

    ModelClass fresh;
    fresh.CellFunctionNames = {"pressure"};
    QCOMPARE(fresh.readFile(path), 0);
    QCOMPARE(fresh.FunctionLocation, 2);
    QCOMPARE(fresh.Name, QString("Arteria_left"));
    QCOMPARE(fresh.ModelColor[0], 198);

    ModelClass used;
    used.FileName = "/old/name.surf";
    used.FunctionNames = {"temperature"};
    used.FunctionLocation = 7;
    QCOMPARE(used.readFile(path), 0);
    QVERIFY(used.FunctionNames.isEmpty()); // emptied by clearData before reading
    QCOMPARE(used.FunctionLocation, 7);
    QCOMPARE(used.FileName, path);
}

void TestLoadPipeline::messages()
{
    QCOMPARE(errorMessage(0), QString());
    QCOMPARE(errorMessage(1), QString("Unknown error open file."));
    QCOMPARE(errorMessage(2), QString("Error opening file."));
    QCOMPARE(errorMessage(3), QString("Error filetype."));
    QCOMPARE(errorMessage(4), QString("Error: there is no memory."));
    QCOMPARE(errorMessage(5), QString());
}

QTEST_GUILESS_MAIN(TestLoadPipeline)
#include "test_load_pipeline.moc"
