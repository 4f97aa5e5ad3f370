#pragma once

#include <QString>

class ModelClass;

// Names and colours a model after the anatomy words of its file name: the
// model's Name without its last five characters (the ".surf") goes through
// the file rules of the anatomy table (model/AnatomyTable.h); the first rule
// that applies rewrites it, and the model gets the structure's colour. When
// no rule applies, Name and colour stay.
void applyAnatomyName(ModelClass &model);

// The same rules on a name without its ending: on the first rule that
// applies, the model gets the rewritten name and the row's colour and the
// result is true; otherwise the model is left as it is.
bool applyAnatomyRow(ModelClass &model, QString stem);
