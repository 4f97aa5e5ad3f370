#pragma once

#include <QString>

class ModelClass;

// Names and colours a model after the anatomy words of its file name. The
// model's Name without its last five characters (the ".surf") is tested
// against the rows of the anatomy table in order, ignoring case; the first
// row that matches rewrites it with its own case-sensitive pattern, and the
// model gets the row's colour. When no row matches, Name and colour stay.
void applyAnatomyName(ModelClass &model);

// The same table on a name without its ending: on the first row that
// matches, the model gets the rewritten name and the row's colour and the
// result is true; otherwise the model is left as it is.
bool applyAnatomyRow(ModelClass &model, QString stem);
