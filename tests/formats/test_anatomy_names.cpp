// Naming and colouring by the anatomy words of a file name: the order of the
// rows, the row test that ignores case against replacements that do not.

#include "formats/AnatomyNames.h"
#include "model/ModelClass.h"

#include <QtTest>

class TestAnatomyNames : public QObject
{
    Q_OBJECT

private slots:
    void namesAndColours_data();
    void namesAndColours();
};

void TestAnatomyNames::namesAndColours_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("colour"); // -1 each while unset

    const QList<int> unset {-1, -1, -1}, white {255, 255, 255};
    QTest::newRow("tumour, capital matched by [oO]") << "Opukhol_1.surf"
                                                     << "Obrazovanie_1" << QList<int> {164, 5, 207};
    QTest::newRow("tumour word the pattern misses") << "opykol.surf"
                                                    << "opykol" << QList<int> {164, 5, 207};
    QTest::newRow("blood, capitalised word kept") << "KrovLeft.surf"
                                                  << "KrovLeft" << QList<int> {198, 30, 25};
    QTest::newRow("blood, every match replaced")
        << "krov_blood_BLOOD.surf"
        << "Arteria_Arteria_Arteria" << QList<int> {198, 30, 25};
    QTest::newRow("vein by kidney word") << "pochka_L.surf"
                                         << "Vena_L" << QList<int> {108, 159, 237};
    QTest::newRow("vein word, test only") << "Kidney.surf"
                                          << "Kidney" << QList<int> {108, 159, 237};
    QTest::newRow("bone ignores case") << "BONE_femur.surf"
                                       << "Bone_femur" << white;
    QTest::newRow("stones, first alternative wins") << "stones.surf"
                                                    << "Kamnis" << white;
    QTest::newRow("pelvis without k") << "lohanki_R.surf"
                                      << "Lokhanki_R" << QList<int> {207, 156, 48};
    QTest::newRow("skin") << "SKIN.surf"
                          << "Skin" << QList<int> {255, 229, 187};
    QTest::newRow("bad") << "bad_patch.surf"
                         << "BAD_patch" << QList<int> {0, 229, 0};
    QTest::newRow("parenchyma") << "parenhima.surf"
                                << "Parenhima" << QList<int> {255, 191, 213};
    QTest::newRow("pyramid") << "piramida2.surf"
                             << "Piramida2" << QList<int> {205, 192, 165};
    QTest::newRow("earlier row wins") << "kamni_bad.surf"
                                      << "Kamni_bad" << white;
    QTest::newRow("tumour before vein") << "vena_opuhol.surf"
                                        << "vena_Obrazovanie" << QList<int> {164, 5, 207};
    QTest::newRow("no row: name kept whole") << "liver.surf"
                                             << "liver.surf" << unset;
    QTest::newRow("word only inside the extension") << "a.skin"
                                                    << "a.skin" << unset;
    QTest::newRow("shorter than the extension") << "bad"
                                                << "bad" << unset;
}

void TestAnatomyNames::namesAndColours()
{
    QFETCH(QString, fileName);
    QFETCH(QString, name);
    QFETCH(QList<int>, colour);
    ModelClass model;
    model.Meshes.append(new MeshClass);
    model.Name = fileName;
    applyAnatomyName(model);
    QCOMPARE(model.Name, name);
    QCOMPARE(QList<int>(model.ModelColor, model.ModelColor + 3), colour);
    QCOMPARE(QList<int>(model.Meshes[0]->ZoneColor, model.Meshes[0]->ZoneColor + 3), colour);
}

QTEST_GUILESS_MAIN(TestAnatomyNames)
#include "test_anatomy_names.moc"
