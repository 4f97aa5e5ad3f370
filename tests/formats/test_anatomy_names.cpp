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

    const auto row = [](const char *name, const char *fileName, const char *renamed,
                        const Colour &colour) {
        QTest::newRow(name) << QString(fileName) << QString(renamed) << colour;
    };
    const Colour tumour {164, 5, 207}, blood {198, 30, 25}, white {255, 255, 255},
        unset {-1, -1, -1};
    row("[oO] takes the capital", "Opukhol_1.surf", "Obrazovanie_1", tumour);
    row("test word the pattern misses", "opykol.surf", "opykol", tumour);
    row("capitalised word kept", "KrovLeft.surf", "KrovLeft", blood);
    row("every match replaced", "krov_BLOOD.surf", "Arteria_Arteria", blood);
    row("vein row, test only", "Kidney.surf", "Kidney", {108, 159, 237});
    row("word replaced ignoring case", "BONE_L.surf", "Bone_L", white);
    row("first alternative wins", "stones.surf", "Kamnis", white);
    row("earlier row wins", "skin_bad.surf", "Skin_bad", {255, 229, 187});
    row("optional k", "lohanki_l.surf", "Lokhanki_l", {207, 156, 48});
    row("no row", "liver.surf", "liver.surf", unset);
    row("word in the cut part", "a.skin", "a.skin", unset);
    row("shorter than the cut", "bad", "bad", unset);
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
