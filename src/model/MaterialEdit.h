#pragma once

#include <QList>

class ModelClass;

// The largest material number the material dialogs offer.
constexpr int kMaxMaterialNumber = 21474444;

// Material numbers rewritten in place: mode 1 gives `to` to every cell whose
// material is in `from`, mode 2 to the selected cells among them, mode 3 to
// every selected cell; other modes change nothing. A block without materials
// whose cells are selected gets materials of 0 first, so that mode 3 reaches
// it. The model then prepares its data and drawing again.
void renumberMaterials(ModelClass &model, int mode, const QList<qint32> &from, qint32 to);
