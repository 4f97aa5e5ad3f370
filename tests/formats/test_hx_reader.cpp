// The .hx list reader and the line helpers under it: the fixed prefix, the
// load loop over every line including the last, and hostile scenes.

#include "formats/HxReader.h"
#include "formats/TextLines.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <random>

class TestHxReader : public QObject
{
    Q_OBJECT

private slots:
    void dataLinesSkipBlanksAndComments();
    void loadLines_data();
    void loadLines();
    void hostileScenes();
    void fileCodes();
};

void TestHxReader::dataLinesSkipBlanksAndComments()
{
    QByteArray text = "\n   \n# note\n  #x\n  first data  \nsecond\n\n# trailing";
    QTextStream in(text);
    QString line;
    qint64 lineNumber = 0;
    readDataLine(in, line, lineNumber);
    QCOMPARE(line, QString("first data"));
    QCOMPARE(lineNumber, 5);
    readNonEmptyLine(in, line, lineNumber);
    QCOMPARE(line, QString("second"));
    readDataLine(in, line, lineNumber); // only a comment is left; the read past it counts
    QCOMPARE(line, QString());
    QCOMPARE(lineNumber, 9);
    QVERIFY(in.atEnd());
}

void TestHxReader::loadLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("scene") << QByteArray(
        "# scene\n\n[ load ${SCRIPTDIR}/a.surf ] setLabel {a.surf}\n"
        "a.surf setIconPosition 20 10\n"
        "  [ load ${SCRIPTDIR}/b c.surf ] setLabel {b c.surf}\r\n")
                           << QStringList {"a.surf", "b c.surf"};
    QTest::newRow("comment, other data, last line without newline")
        << QByteArray("#[ load ${SCRIPTDIR}/hidden.surf ] x\n[ load ${SCRIPTDIR}/x.am ] x\n"
                      "load ${SCRIPTDIR}/no.surf\n[ LOAD ${SCRIPTDIR}/Last.SURF ] x")
        << QStringList {"Last.SURF"};
    QTest::newRow("other prefix length cuts at 20")
        << QByteArray("[ load $DIR/kidney.surf ] x\n[ load ${SCRIPTDIR}/a.surf")
        << QStringList {"urf", "a.surf"};
    QTest::newRow("missing entry: prefix only")
        << QByteArray("[ load $.surf\n") << QStringList {""};
    QTest::newRow("two loads on a line, more lines follow")
        << QByteArray("[ load ${SCRIPTDIR}/a.surf ] [ load ${SCRIPTDIR}/b.surf ] x\n\n#\n")
        << QStringList {"a.surf", "RIPTDIR}/b.surf"};
    QTest::newRow("two loads on the last line")
        << QByteArray("[ load ${SCRIPTDIR}/a.surf ] [ load ${SCRIPTDIR}/b.surf ] x")
        << QStringList {"a.surf"};
    QTest::newRow("paths as written") << QByteArray("[ load ${SCRIPTDIR}/../up.surf ] x\n"
                                                    "[ load ${SCRIPTDIR}//abs/c.surf ] x\n")
                                      << QStringList {"../up.surf", "/abs/c.surf"};
    QTest::newRow("no load lines") << QByteArray("# nothing\n\n") << QStringList {};
}

void TestHxReader::loadLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, names);
    QStringList list {"kept"};
    QCOMPARE(parseHxList(text, list), 0);
    QCOMPARE(list, QStringList {"kept"} + names);
}

void TestHxReader::hostileScenes()
{
    QElapsedTimer timer;
    timer.start();
    QByteArray many;
    for (int i = 0; i < 100'000; ++i)
        many += "[ load ${SCRIPTDIR}/m" + QByteArray::number(i) + ".surf ] x\n";
    QStringList names;
    QCOMPARE(parseHxList(many, names), 0);
    QCOMPARE(names.size(), 100'000);
    QCOMPARE(names.last(), QString("m99999.surf"));

    const QByteArray longName = "[ load ${SCRIPTDIR}/" + QByteArray(1 << 20, 'n') + ".surf ] x\n";
    const QByteArray repeated = QByteArray("[ load $").repeated(1 << 17) + ".surf\nnext\n";
    names.clear();
    QCOMPARE(parseHxList(longName + repeated, names), 0);
    QCOMPARE(names.first().size(), (1 << 20) + 5);
    qsizetype total = 0;
    for (const QString &name : names)
        total += name.size();
    QVERIFY(total <= longName.size() + repeated.size()); // output stays linear in the input

    std::mt19937 random(7);
    QByteArray garbage(1 << 20, '\0');
    for (char &byte : garbage)
        byte = char(random());
    garbage += "\n[ load ${SCRIPTDIR}/\xff\xfe\xc3.surf ] x\n";
    names.clear();
    QCOMPARE(parseHxList(garbage, names), 0);
    QVERIFY(names.last().endsWith(".surf"));
    QVERIFY(timer.elapsed() < 20'000);
}

void TestHxReader::fileCodes()
{
    QTemporaryDir dir;
    QStringList names;
    QCOMPARE(readHxList(dir.filePath("missing.hx"), names), 2);
    QCOMPARE(readHxList(dir.path(), names), 2);
    QFile scene(dir.filePath("scene.hx"));
    QVERIFY(scene.open(QIODevice::WriteOnly));
    scene.write("[ load ${SCRIPTDIR}/a.surf ] setLabel {a.surf}\n");
    scene.close();
    QCOMPARE(readHxList(scene.fileName(), names), 0);
    QCOMPARE(names, QStringList {"a.surf"});
}

QTEST_GUILESS_MAIN(TestHxReader)
#include "test_hx_reader.moc"
