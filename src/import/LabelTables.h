#pragma once

#include "LabelNames.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The largest label table read: no list of names comes near it.
inline constexpr qint64 kLargestLabelTable = qint64(1) << 24;

// The bytes of a table file, when `path` is a readable file no larger than
// kLargestLabelTable; nothing otherwise.
std::optional<QByteArray> tableFile(const QString &path);

// The labels of an XML label table as segmentation tools store it in a
// NIfTI header extension: <Label Key="n" Red="r" Green="g" Blue="b">name</Label>
// elements anywhere inside a <LabelTable>. The colours of one table are
// fractions of 1 when every component in it lies in 0..1, else 0..255;
// a table holding only 0 and 1 is read as fractions, since as bytes it
// would be black. Key 0 is the background. Elements without a whole Key
// or a name are left out with a warning naming `source` and the line.
LabelTable parseXmlLabelTable(QByteArrayView xml, const QString &source);

// The labels of a dataset.json: its "labels" object of "name": value
// entries, the value a whole number or a string of one (the older
// "value": "name" form is read too). Lists of values (regions) and other
// values are left out with a warning naming `source` and the line;
// "background" and 0 name no structure.
LabelTable parseDatasetJson(const QByteArray &json, const QString &source);

// dataset.json in the label map's folder, else in the folder above it.
LabelTable datasetJsonBeside(const QString &labelMapPath);
