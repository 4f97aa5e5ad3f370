// The .hx list reader: the fixed prefix, the load loop over every line
// including the last, blank and comment lines, and hostile scenes.

#include "formats/HxReader.h"

#include <QTemporaryDir>
#include <QtTest>

#include <random>

class TestHxReader : public QObject
{
    Q_OBJECT

private slots:
    void loadLines_data();
    void loadLines();
    void hostileScenesAndFileCodes();
};

void TestHxReader::loadLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("scene") << QByteArray("# s\n[ load ${SCRIPTDIR}/a.surf ] setLabel {a.surf}\n"
                                         "\n  [ load ${SCRIPTDIR}/b c.surf ] x\r\nb setIcon 2\n")
                           << QStringList {"a.surf", "b c.surf"};
    QTest::newRow("comment, no surf, last line without newline")
        << QByteArray("#[ load ${SCRIPTDIR}/hidden.surf ] x\n[ load ${SCRIPTDIR}/x.am ] x\n"
                      "[ LOAD ${SCRIPTDIR}/Last.SURF ] x")
        << QStringList {"Last.SURF"};
    QTest::newRow("other prefix length, entry missing")
        << QByteArray("[ load $DIR/kidney.surf ] x\n[ load $.surf") << QStringList {"urf", ""};
    QTest::newRow("two loads on a line, more lines follow")
        << QByteArray("[ load ${SCRIPTDIR}/a.surf ] [ load ${SCRIPTDIR}/b.surf ] x\n#\n")
        << QStringList {"a.surf", "RIPTDIR}/b.surf"};
    QTest::newRow("two loads on the last line")
        << QByteArray("[ load ${SCRIPTDIR}/a.surf ] [ load ${SCRIPTDIR}/b.surf ] x")
        << QStringList {"a.surf"};
    QTest::newRow("paths as written")
        << QByteArray("[ load ${SCRIPTDIR}/../up.surf ] x\n[ load ${SCRIPTDIR}//abs/c.surf ] x")
        << QStringList {"../up.surf", "/abs/c.surf"};
}

void TestHxReader::loadLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, names);
    QStringList list {"kept"};
    QCOMPARE(parseHxList(text, list), 0);
    QCOMPARE(list, QStringList {"kept"} + names);
}

void TestHxReader::hostileScenesAndFileCodes()
{
    QByteArray scene;
    for (int i = 0; i < 100'000; ++i)
        scene += "[ load ${SCRIPTDIR}/m" + QByteArray::number(i) + ".surf ] x\n";
    // A megabyte name, and a megabyte of load words whose cuts never end.
    scene += "[ load ${SCRIPTDIR}/" + QByteArray(1 << 20, 'n') + ".surf ] x\n";
    scene += QByteArray("[ load $").repeated(1 << 17) + ".surf\n";
    std::mt19937 random(7);
    for (int i = 0; i < 1 << 20; ++i)
        scene += char(random());
    scene += "\n[ load ${SCRIPTDIR}/\xff\xfe.surf ] x\n";
    QStringList names;
    QCOMPARE(parseHxList(scene, names), 0);
    QCOMPARE(names[99'999], QString("m99999.surf"));
    QCOMPARE(names[100'000].size(), (1 << 20) + 5);
    QVERIFY(names.size() < 100'010);
    QVERIFY(names.last().endsWith(".surf"));

    QTemporaryDir dir;
    QCOMPARE(readHxList(dir.filePath("missing.hx"), names), 2);
    QCOMPARE(readHxList(dir.path(), names), 2);
}

QTEST_GUILESS_MAIN(TestHxReader)
#include "test_hx_reader.moc"
