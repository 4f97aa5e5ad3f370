// The anatomy vocabulary: which structure and side every spelling names,
// the names and colours it gives, and the table's own rules.

#include "model/AnatomyTable.h"

#include <QtTest>

#include <set>

using anatomy::Side;
using anatomy::Structure;
using Colour = QList<int>;

Q_DECLARE_METATYPE(Structure)
Q_DECLARE_METATYPE(Side)

class TestAnatomyTable : public QObject
{
    Q_OBJECT

private slots:
    void labels_data();
    void labels();
    void words_data();
    void words();
    void tableIsWhole();
};

void TestAnatomyTable::labels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<Structure>("structure");
    QTest::addColumn<Side>("side");
    QTest::addColumn<QString>("name"); // empty: no spelling knows the label
    QTest::addColumn<Colour>("colour");

    const Colour kidney {255, 191, 213}, tumour {164, 5, 207}, artery {198, 30, 25},
        vein {108, 159, 237}, collecting {207, 156, 48}, white {255, 255, 255};
    const auto row = [](const char *label, Structure s, Side side, const char *name,
                        const Colour &colour) {
        QTest::newRow(label) << QString(label) << s << side << QString(name) << colour;
    };
    row("kidney_left", Structure::Kidney, Side::Left, "Parenhima_left", kidney);
    row("Kidney_L", Structure::Kidney, Side::Left, "Parenhima_l", kidney);
    row("Kidney R", Structure::Kidney, Side::Right, "Parenhima_r", kidney);
    row("Left Kidney", Structure::Kidney, Side::Left, "Parenhima_left", kidney);
    row("right-kidney", Structure::Kidney, Side::Right, "Parenhima_right", kidney);
    row("kidneys", Structure::Kidney, Side::None, "Parenhima", kidney);
    row("kidney_cyst_1", Structure::Cyst, Side::None, "Kista_1", {240, 222, 120});
    row("renal cysts", Structure::Cyst, Side::None, "Kista", {240, 222, 120});
    row("renal tumor", Structure::Tumour, Side::None, "Obrazovanie", tumour);
    row("kidney_tumour_right", Structure::Tumour, Side::Right, "Obrazovanie_right", tumour);
    row("Neoplasm", Structure::Tumour, Side::None, "Obrazovanie", tumour);
    row("renal masses", Structure::Tumour, Side::None, "Obrazovanie", tumour);
    row("lesion_2", Structure::Tumour, Side::None, "Obrazovanie_2", tumour);
    row("GTV_kidney", Structure::Tumour, Side::None, "Obrazovanie", tumour);
    row("kidney_stones", Structure::Stones, Side::None, "Kamni", white);
    row("renal calculus", Structure::Stones, Side::None, "Kamni", white);
    row("renal_pelvis", Structure::CollectingSystem, Side::None, "Lokhanki", collecting);
    row("Collecting System_L", Structure::CollectingSystem, Side::Left, "Lokhanki_l", collecting);
    row("renal_artery_left", Structure::Artery, Side::Left, "Arteria_renalis_left", artery);
    row("renal arteries", Structure::Artery, Side::None, "Arteria_renalis", artery);
    row("renal vein", Structure::Vein, Side::None, "Vena_renalis", vein);
    row("inferior_vena_cava", Structure::Vein, Side::None, "Vena_cava", vein);
    row("IVC", Structure::Vein, Side::None, "Vena_cava", vein);
    row("aorta", Structure::Aorta, Side::None, "Aorta", artery);
    row("ureter_right", Structure::Ureter, Side::Right, "Mochetochnik_right", collecting);
    row("urinary_bladder", Structure::Bladder, Side::None, "Mochevoy_puzyr", {232, 200, 110});
    row("adrenal_gland_left", Structure::AdrenalGland, Side::Left, "Nadpochechnik_left",
        {230, 170, 60});
    row("spleen", Structure::Spleen, Side::None, "Selezenka", {157, 70, 90});
    row("Liver", Structure::Liver, Side::None, "Pechen", {160, 72, 52});
    row("pancreas", Structure::Pancreas, Side::None, "Podzheludochnaya", {235, 190, 120});
    row("gall bladder", Structure::Gallbladder, Side::None, "Zhelchny_puzyr", {90, 150, 60});
    row("body", Structure::Skin, Side::None, "Skin", {255, 229, 187});
    // Kinds keep the label's own name and take the kind's colour.
    row("iliac_artery_left", Structure::Artery, Side::Left, "iliac_artery_left", artery);
    row(" portal vein ", Structure::Vein, Side::None, "portal vein", vein);
    row("vertebrae_L1", Structure::Bone, Side::None, "vertebrae_L1", white);
    row("hip_right", Structure::Bone, Side::Right, "hip_right", white);
    row("pelvis", Structure::Bone, Side::None, "pelvis", white);
    row("heart", Structure::Other, Side::None, "", {});
    row("Label 3", Structure::Other, Side::None, "", {});
}

void TestAnatomyTable::labels()
{
    QFETCH(QString, label);
    QFETCH(Structure, structure);
    QFETCH(Side, side);
    QFETCH(QString, name);
    QFETCH(Colour, colour);
    const std::optional<anatomy::LabelMatch> match = anatomy::matchLabel(label);
    QCOMPARE(match.has_value(), !name.isEmpty());
    if (!match)
        return;
    QCOMPARE(match->structure, structure);
    QCOMPARE(match->side, side);
    QCOMPARE(match->name, name);
    QCOMPARE(Colour(match->colour.begin(), match->colour.end()), colour);
    QCOMPARE(anatomy::sideIn(label), side);
}

void TestAnatomyTable::words_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Structure>("structure");

    const auto row = [](const char *text, Structure s) {
        QTest::newRow(text) << QString(text) << s;
    };
    for (const char *w :
         {"Opukhol_1", "opykhol", "opuhol", "OPYKOL", "Obrazovanie", "tumour", "tumor"})
        row(w, Structure::Tumour);
    for (const char *w : {"Kamni", "kamen", "stone", "calculi"})
        row(w, Structure::Stones);
    for (const char *w : {"Lokhanki", "lohanki", "lokhanka", "renal pelvis", "collecting"})
        row(w, Structure::CollectingSystem);
    for (const char *w : {"KrovLeft", "blood", "Arteria_renalis"})
        row(w, Structure::Artery);
    for (const char *w : {"Vena", "portal vein"})
        row(w, Structure::Vein);
    for (const char *w : {"Skin", "kozha"})
        row(w, Structure::Skin);
    for (const char *w : {"bone", "kost"})
        row(w, Structure::Bone);
    for (const char *w : {"Parenhima_left", "parenchyma", "pochka", "Kidney"})
        row(w, Structure::Kidney);
    // The more specific structure wins.
    row("kidney_stones", Structure::Stones);
    row("pochka_opukhol", Structure::Tumour);
    row("Vena_renalis pochki", Structure::Vein);
    row("Kista_1", Structure::Other);
    row("liver", Structure::Other);
}

void TestAnatomyTable::words()
{
    QFETCH(QString, text);
    QFETCH(Structure, structure);
    QCOMPARE(anatomy::structureNamedIn(text), structure);
}

// Every structure has one row with its own key, and the file rules rank
// from 1 without gaps or repeats; the side codes are those of SNOMED CT.
void TestAnatomyTable::tableIsWhole()
{
    std::set<Structure> structures;
    std::set<QString> keys;
    std::vector<int> ranks;
    for (const anatomy::StructureRow &row : anatomy::structureRows()) {
        QVERIFY(structures.insert(row.structure).second);
        QVERIFY(keys.insert(row.key).second);
        if (row.file.rank > 0)
            ranks.push_back(row.file.rank);
    }
    QCOMPARE(structures.size(), size_t(Structure::Marked));
    std::sort(ranks.begin(), ranks.end());
    for (size_t i = 0; i < ranks.size(); ++i)
        QCOMPARE(ranks[i], int(i + 1));
    QCOMPARE(anatomy::sideCode(Side::Left), QString("7771000"));
    QCOMPARE(anatomy::sideCode(Side::Right), QString("24028007"));
    QCOMPARE(anatomy::sideCode(Side::None), QString());
}

QTEST_GUILESS_MAIN(TestAnatomyTable)
#include "test_anatomy_table.moc"
