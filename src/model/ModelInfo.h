#pragma once

#include <QString>

class ModelListClass;

// The statistics report of the current model: a title and lines of text in
// two sections, "File info:" and "Model info:". Computed on request; the
// border-edge count leaves the blocks without marked border edges.
void modelInfo(ModelListClass &list, QString &title, QString &text);
