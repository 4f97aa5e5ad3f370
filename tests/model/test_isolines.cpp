// Isolines of a block: the banded lines of the palette and the single level
// with its "iso.off". Headless: no OpenGL.

#include "formats/IsolineFile.h"
#include "formats/WriterSamples.h"
#include "model/Isolines.h"

#include <QtTest>

namespace {

// Sets a block's drawing triangles directly: corners and normalised values.
void setTriangles(BasicClass &block, const std::vector<float> &xyz, const std::vector<float> &t)
{
    freeArray(block.TriVertices);
    freeArray(block.TriTexCoords);
    block.TriVertices = copyArray(xyz.data(), qint64(xyz.size()));
    block.TriTexCoords = copyArray(t.data(), qint64(t.size()));
    block.CountOfTriVertices = qint32(t.size());
}

std::vector<float> isoPoints(const BasicClass &block)
{
    return std::vector<float>(block.IsoVertices, block.IsoVertices + 3 * block.CountOfIsoVertices);
}

// The single-level line, written to "iso.off" as the view writes it; false
// when the block made no lines (and so no file).
bool writeLevel(BasicClass &block, double level)
{
    return generateLines(block, level) && writeIsolineOff(block, QStringLiteral("iso.off"));
}

// Lower-left right triangle of the unit square: corners (0,0), (1,0), (0,1).
const std::vector<float> kCorner = {0, 0, 0, 1, 0, 0, 0, 1, 0};

} // namespace

class TestIsolines : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void bandedPointsAndColours();
    void singleLevelAndItsFile();
    void modelLinesFollowTheFunction();

private:
    QTemporaryDir folder;
    QString oldFolder;
};

void TestIsolines::init()
{
    oldFolder = QDir::currentPath();
    QVERIFY(folder.isValid());
    QDir::setCurrent(folder.path()); // "iso.off" goes into the current folder
    QFile::remove("iso.off");
}

void TestIsolines::cleanup()
{
    QDir::setCurrent(oldFolder);
}

void TestIsolines::bandedPointsAndColours()
{
    // Values 0, 0.5, 1 at (0,0), (1,0), (0,1): levels 0.25 and 0.5 end on
    // the lower edge, 0.75 and 1.0 on the upper one; 1.0 is the top corner.
    MeshClass block;
    setTriangles(block, kCorner, {0, 0.5f, 1});
    generateLines(block, 4, 4, 200.0f, 1.0f);
    const std::vector<float> expected = {0, 0.25f, 0, 0.5f, 0,    0, 0, 0.5f, 0, 1, 0, 0,
                                         0, 0.75f, 0, 0.5f, 0.5f, 0, 0, 1,    0, 0, 1, 0};
    QCOMPARE(isoPoints(block), expected);
    // The first line lies between the two bluest colours (hues 240 and 160).
    QCOMPARE(block.IsoColors[0], (Rgba8 {0, 127, 212, 200}));
    QCOMPARE(block.IsoColors[1], block.IsoColors[0]);
    QVERIFY(!QFile::exists("iso.off"));

    // Equal values, or values within one band, cross no boundary.
    for (const std::vector<float> &t :
         {std::vector<float> {0.5f, 0.5f, 0.5f}, {0.3f, 0.4f, 0.45f}}) {
        setTriangles(block, kCorner, t);
        generateLines(block, 4, 4, 255.0f, 0.8f);
        QCOMPARE(block.CountOfIsoVertices, 0);
    }

    // Ten bands cycling through five colours: the colours repeat every five
    // levels and differ within a cycle.
    setTriangles(block, kCorner, {0, 0.5f, 1});
    generateLines(block, 10, 5, 255.0f, 0.8f);
    QCOMPARE(block.CountOfIsoVertices, 20);
    for (int m = 0; m < 5; ++m)
        QCOMPARE(block.IsoColors[2 * m], block.IsoColors[2 * (m + 5)]);
    QVERIFY(block.IsoColors[0] != block.IsoColors[2]);
}

void TestIsolines::singleLevelAndItsFile()
{
    MeshClass block;
    setTriangles(block,
                 {0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 2, 0, 5, 5, 5, 6, 5, 5, 5, 6, 5},
                 {0, 1, 1, 0.5f, 0, 1, 0.9f, 0.9f, 0.9f});
    QVERIFY(writeLevel(block, 0.5));
    // The second triangle has a corner on the level: of its three crossing
    // points the two farthest apart form the segment. The third misses it.
    QCOMPARE(isoPoints(block), (std::vector<float> {1, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0}));
    for (int p = 0; p < 4; ++p)
        QCOMPARE(block.IsoColors[p], (Rgba8 {0, 0, 0, 1}));
    QCOMPARE(fileBytes("iso.off"),
             QByteArray("OFF\n4 2 0\n1 0 0\n0 1 0\n0 0 0\n1 1 0\n"
                        "3 0 0 1\n3 2 2 3\n"));

    // A level outside the values: no segment, only the file's header.
    QVERIFY(writeLevel(block, 1.5));
    QCOMPARE(block.CountOfIsoVertices, 0);
    QCOMPARE(fileBytes("iso.off"), QByteArray("OFF\n0 0 0\n"));

    // A flat triangle on the level gives its longest side.
    setTriangles(block, kCorner, {0.5f, 0.5f, 0.5f});
    QVERIFY(generateLines(block, 0.5));
    QCOMPARE(isoPoints(block), (std::vector<float> {1, 0, 0, 0, 1, 0}));

    // Without triangles the block keeps its lines and no file is written.
    QFile::remove("iso.off");
    freeArray(block.TriTexCoords);
    QVERIFY(!writeLevel(block, 0.2));
    generateLines(block, 8, 8, 255.0f, 0.8f);
    QCOMPARE(isoPoints(block), (std::vector<float> {1, 0, 0, 0, 1, 0}));
    QVERIFY(!QFile::exists("iso.off"));
}

void TestIsolines::modelLinesFollowTheFunction()
{
    // The square [-1, 1]^2 coloured by x: the lines of four bands lie at
    // x = -0.5, 0 and 0.5, and the top level at x = 1.
    ModelClass model;
    MeshClass *mesh = newBlock({-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0}, Quadrangle, {0, 1, 2, 3});
    addVertexFunction(*mesh, {-1, 1, 1, -1});
    model.Meshes.append(mesh);
    model.FunctionNames << "x";
    model.FunctionLocation = 1;
    QCOMPARE(model.prepareData(), 0);
    model.setColorMode(5);
    model.prepareDraw();
    model.generateIsolines(4, 4, 255.0f, 0.8f);
    QVERIFY(mesh->CountOfIsoVertices > 0);
    for (qint32 p = 0; p < mesh->CountOfIsoVertices; ++p)
        QVERIFY(QList<float>({-0.5f, 0, 0.5f, 1}).contains(mesh->IsoVertices[3 * p]));
    model.generateIsoline(0.75);
    QCOMPARE(mesh->CountOfIsoVertices, 4); // both triangles cross x = 0.5
    for (qint32 p = 0; p < 4; ++p)
        QCOMPARE(mesh->IsoVertices[3 * p], 0.5f);
}

QTEST_GUILESS_MAIN(TestIsolines)
#include "test_isolines.moc"
