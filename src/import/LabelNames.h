#pragma once

#include "model/AnatomyTable.h"

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
    // The anatomy table's structure, when the name is one it knows, and the
    // side of the patient the structure lies on, when its name or its place
    // says it.
    anatomy::Structure kind = anatomy::Structure::Other;
    anatomy::Side side = anatomy::Side::None;
};

// The look of a structure named as automatic segmentation or our own files
// name it ("kidney_left", "renal tumor", "Parenhima_l", ...): the name as
// written, the anatomy table's (model/AnatomyTable.h) name for it as the
// structure, and the table's colour, kind and side. Nothing for a name the
// table does not know.
std::optional<LabelLook> structureLook(const QString &structure);

// "_left" or "_right", as names of a side are written; empty for None.
QString sideSuffix(anatomy::Side side);

// Label value -> name and colour, from a text file of "value name [r g b [a]]"
// lines (a colour table; the opacity 0..255 or 0..1, names may be in double
// quotes, "#" starts a comment), or of "value r g b a visible mesh "name""
// lines (a label description file; the opacity 0..1). A line that is neither
// is left out with a warning naming `source` and the line.
using LabelTable = QMap<qint64, LabelLook>;
LabelTable parseLabelTable(const QString &text, const QString &source = QString());

// The label table beside a label map, the first of: STEM.txt,
// STEM.labels.txt, STEM_labels.txt, STEM.ctbl, label_descriptions.txt,
// labels.txt in the same folder (STEM is the map's name without its ending,
// as the door recognised it),
// then dataset.json in the same folder or the one above. Empty when there is
// none.
LabelTable labelTableBeside(const QString &labelMapPath, const QString &stem);
