// Fuzz target: the legacy VTK reader and what a model builds from its block.

#include "FuzzModels.h"
#include "import/ImportTypes.h"
#include "import/VtkReader.h"

#include <QByteArrayView>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ModelClass model;
    try {
        parseVtk(QByteArrayView(data, qsizetype(size)), model);
    } catch (const ImportFailure &) {
        if (!model.Meshes.isEmpty())
            __builtin_trap(); // a failed read leaves the model as it was
        return 0;
    }
    exerciseModel(model);
    return 0;
}
