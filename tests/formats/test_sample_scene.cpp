// The generated sample scene: it loads through the real readers, every model
// named and coloured by its own anatomy row (that each is a closed outward
// surface is checked on the measures, in check_measure_json.py), and the
// generator writes the same bytes on every run.

#include "formats/HxReader.h"
#include "model/ModelClass.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestSampleScene : public QObject
{
    Q_OBJECT

private slots:
    void everyModelLoads();
    void generatorIsDeterministic();
};

void TestSampleScene::everyModelLoads()
{
    const QString folder = TESSARON_SAMPLE_DIR;
    // Named (and so coloured) by their anatomy rows.
    const QStringList expected = {"Parenhima",    "Lokhanki",    "Kamni", "Arteria_renalis",
                                  "Vena_renalis", "Obrazovanie", "Skin"};
    QStringList names;
    QCOMPARE(readHxList(folder + "/scene.hx", names), 0);
    QCOMPARE(names.size(), expected.size());
    qint64 total = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        ModelClass model;
        QCOMPARE(model.loadFile(folder + "/" + names[i]), 0);
        const MeshClass &mesh = *model.Meshes.at(0);
        QVERIFY2(!mesh.checkIndices(), qPrintable(names[i]));
        QVERIFY(mesh.CountOfCells[Triangle] > 5'000 && mesh.CountOfCells[Triangle] < 80'000);
        total += mesh.CountOfCells[Triangle];
        QCOMPARE(model.Name, expected[i]);
        QVERIFY(model.ModelColor[0] >= 0);
    }
    QVERIFY(total > 100'000 && total < 300'000);
}

void TestSampleScene::generatorIsDeterministic()
{
    QTemporaryDir again;
    QCOMPARE(QProcess::execute(MAKE_SAMPLES, {again.path()}), 0);
    const QDir built(TESSARON_SAMPLE_DIR);
    for (const QString &name : built.entryList(QDir::Files)) {
        QFile first(built.filePath(name)), second(again.filePath(name));
        QVERIFY(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
        QVERIFY2(first.readAll() == second.readAll(), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TestSampleScene)
#include "test_sample_scene.moc"
