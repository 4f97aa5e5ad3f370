#pragma once

// The one vocabulary of anatomy: every structure the viewer recognises, with
// its names, colour, standard code and the words that name it in file names
// and in the labels automatic segmentation writes. Naming models from file
// names, naming labels of label maps and masks, the measured roles (which
// model is the stone, the collecting system, the skin) and the report names
// all read this table; no other code spells an anatomy word.
//
// Adding a structure is one row in AnatomyTable.cpp (and its key here); its
// English name gets a Russian one in tools/i18n/ru_texts.py.

#include <QString>

#include <array>
#include <optional>
#include <span>

namespace anatomy {

// The structures. The first eight after Other are the roles the planning
// numbers measure; the rest are named and coloured only.
enum class Structure {
    Other,
    Tumour,
    Kidney,
    CollectingSystem,
    Stones,
    Artery,
    Vein,
    Skin,
    Bone,
    Cyst,
    Ureter,
    Bladder,
    AdrenalGland,
    Spleen,
    Liver,
    Pancreas,
    Gallbladder,
    Aorta,
    Pyramids,
    Marked, // a part marked bad in its file name: not a structure of the body
};

// The side of the patient a name puts a structure on.
enum class Side { None, Left, Right };

using Rgb = std::array<int, 3>;

// A spelling in the labels segmentation writes: an anchored pattern over
// the normalised label (lower case, blanks and hyphens as "_") whose first
// capture (a side or a number) is appended to `name`; a null name takes the
// structure's model name.
struct LabelSpelling
{
    const char *pattern = nullptr;
    const char *name = nullptr;
};

// How the older naming from file names treats the structure: when one of
// the blank-separated `words` occurs in the name (ignoring case), every match
// of `pattern` (case-sensitive unless `ignoreCase`) becomes `name` and the
// model takes the row's colour. Rules are tried by ascending `rank`; 0 means
// no rule.
struct FileRule
{
    int rank = 0;
    const char *words = nullptr;
    const char *pattern = nullptr;
    bool ignoreCase = false;
    const char *name = nullptr;
};

struct StructureRow
{
    Structure structure;
    const char *key;       // stable key of the JSON output: "collecting_system"
    const char *english;   // shown name, translated in the context "Measurements"
    const char *modelName; // the name a model of it takes: "Lokhanki"
    Rgb colour;
    bool paired; // the body has one on each side
    // SNOMED CT codes of the structure, blank-separated, its own first (the
    // vein's row also holds the inferior vena cava's); empty where none is settled.
    const char *snomed;
    // Blank-separated words: a model or file name that contains one (ignoring
    // case) shows this structure. Only the measured roles have them.
    const char *words;
    std::array<LabelSpelling, 2> labels; // specific spellings of labels
    // A kind of label that keeps its own name and takes the colour ("\w*arter...").
    const char *kindPattern;
    FileRule file;
};

// Every row, in the order in which names are matched: the more specific
// structure first (a kidney's cyst, tumour, stones and collecting system
// before the kidney; a kidney_stones is stones).
std::span<const StructureRow> structureRows();
const StructureRow *rowOf(Structure structure);

// "collecting_system"; "other" for Other.
QString keyOf(Structure structure);
// The name in the interface language ("Kidney", "Почка"); empty for Other.
QString shownName(Structure structure);

// The structure whose words a name holds: the first row, in table order,
// with a word in it; Other when none.
Structure structureNamedIn(const QString &text);

// The side a name gives: a word "left", "l", "lt" or "right", "r", "rt"
// between separators ("Kidney_L", "Left Kidney", "kidney_right_2"), or the
// Russian words for them, in Cyrillic or transliterated ("levaya_pochka").
Side sideIn(const QString &text);
// Whether a name names a structure the body's midline runs through: the
// spine, its vertebrae, the sacrum, the spinal cord.
bool liesOnMidline(const QString &text);
// SNOMED CT codes of the two sides; empty for None.
QString sideCode(Side side);

// A label as automatic segmentation names it, through the spellings.
struct LabelMatch
{
    Structure structure = Structure::Other;
    Side side = Side::None;
    QString name; // the table's name with the label's side or number kept
    Rgb colour {0, 0, 0};
};
// Specific spellings of every row first, then the kinds. A side written
// before the structure ("Left Kidney") is appended to the name when the rest
// does not give one. Nothing for a label no spelling knows.
std::optional<LabelMatch> matchLabel(const QString &label);

// The older naming from the file name without its ending: the new name and
// colour on the first rule that applies, nothing when none does.
struct FileNaming
{
    QString name;
    Rgb colour;
};
std::optional<FileNaming> nameFromFileWords(const QString &stem);

} // namespace anatomy
