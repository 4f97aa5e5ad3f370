// Naming and colouring by the anatomy words of a file name: the order of the
// rows, and row tests that ignore case against replacements that do not.

#include "formats/AnatomyNames.h"
#include "model/ModelClass.h"

#include <QtTest>

using Colour = QList<int>;

class TestAnatomyNames : public QObject
{
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
};

void TestAnatomyNames::rows_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Colour>("colour"); // -1 each while unset

    const Colour tumour {164, 5, 207}, blood {198, 30, 25}, white {255, 255, 255};
    QTest::newRow("[oO] takes the capital") << "Opukhol_1.surf"
                                            << "Obrazovanie_1" << tumour;
    QTest::newRow("test word the pattern misses") << "opykol.surf"
                                                  << "opykol" << tumour;
    QTest::newRow("capitalised word kept") << "KrovLeft.surf"
                                           << "KrovLeft" << blood;
    QTest::newRow("every match replaced") << "krov_BLOOD.surf"
                                          << "Arteria_Arteria" << blood;
    QTest::newRow("vein row, test only") << "Kidney.surf"
                                         << "Kidney" << Colour {108, 159, 237};
    QTest::newRow("word replaced ignoring case") << "BONE_L.surf"
                                                 << "Bone_L" << white;
    QTest::newRow("first alternative wins") << "stones.surf"
                                            << "Kamnis" << white;
    QTest::newRow("earlier row wins") << "skin_bad.surf"
                                      << "Skin_bad" << Colour {255, 229, 187};
    QTest::newRow("no row") << "liver.surf"
                            << "liver.surf" << Colour {-1, -1, -1};
    QTest::newRow("word in the cut part") << "a.skin"
                                          << "a.skin" << Colour {-1, -1, -1};
    QTest::newRow("shorter than the cut") << "bad"
                                          << "bad" << Colour {-1, -1, -1};
}

void TestAnatomyNames::rows()
{
    QFETCH(QString, fileName);
    QFETCH(QString, name);
    QFETCH(Colour, colour);
    ModelClass model;
    model.Meshes.append(new MeshClass);
    model.Name = fileName;
    applyAnatomyName(model);
    QCOMPARE(model.Name, name);
    QCOMPARE(Colour(model.ModelColor, model.ModelColor + 3), colour);
    QCOMPARE(Colour(model.Meshes[0]->ZoneColor, model.Meshes[0]->ZoneColor + 3), colour);
}

QTEST_GUILESS_MAIN(TestAnatomyNames)
#include "test_anatomy_names.moc"
