// The generated sample scene: it loads through the real readers, every model
// is a closed outward surface named and coloured by its own anatomy row, and
// the generator writes the same bytes on every run.

#include "formats/HxReader.h"
#include "model/ModelClass.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unordered_set>

namespace {

// Every edge is used once in each direction, and the signed volume that the
// triangles enclose is positive, so normals point outward.
bool closedAndOutward(const MeshClass &mesh)
{
    std::unordered_set<quint64> edges;
    const qint32 *cells = mesh.Cells[Triangle];
    const double *v = mesh.Vertices;
    double volume = 0;
    for (qint64 t = 0; t < mesh.CountOfCells[Triangle]; ++t) {
        const qint32 *c = cells + 3 * t;
        for (int i = 0; i < 3; ++i)
            if (!edges.insert(quint64(c[i]) << 32 | quint32(c[(i + 1) % 3])).second)
                return false;
        const double *a = v + 3 * c[0], *b = v + 3 * c[1], *d = v + 3 * c[2];
        volume += a[0] * (b[1] * d[2] - b[2] * d[1]) - a[1] * (b[0] * d[2] - b[2] * d[0])
            + a[2] * (b[0] * d[1] - b[1] * d[0]);
    }
    for (quint64 edge : edges)
        if (!edges.count(edge << 32 | edge >> 32))
            return false;
    return volume > 0;
}

} // namespace

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
        QVERIFY2(!mesh.checkIndices() && closedAndOutward(mesh), qPrintable(names[i]));
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
