#pragma once

#include <QMap>
#include <QString>

#include <optional>

// A name and, when known, a colour (red, green, blue, 0..255).
struct LabelLook
{
    QString name;
    // The structure as the anatomy table names it, when the label has a name
    // of its own (not "Label N").
    QString structure;
    bool hasColor = false;
    int rgb[3] = {0, 0, 0};
};

// The name and colour the anatomy table (model/AnatomyTable.h) gives a
// structure named as automatic segmentation names it ("kidney_left",
// "renal tumor", "inferior_vena_cava", ...): anatomy::matchLabel's name and
// colour. Nothing for a name it does not know.
std::optional<LabelLook> structureLook(const QString &structure);

// Label value -> name and colour, from a text file of "value name [r g b]"
// lines (a trailing opacity after the colour is allowed, names may be in
// double quotes, "#" starts a comment), or of "value r g b a visible mesh
// "name"" lines.
using LabelTable = QMap<qint64, LabelLook>;
LabelTable parseLabelTable(const QString &text);

// The label table beside a label map: STEM.txt, STEM.labels.txt,
// STEM_labels.txt or STEM.ctbl, else labels.txt in the same folder, where
// STEM is the map's path without its ending. Empty when there is none.
LabelTable labelTableBeside(const QString &labelMapPath);
