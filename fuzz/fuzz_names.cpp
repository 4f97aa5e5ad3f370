// Fuzz target: naming and colouring a model after arbitrary file names.

#include "formats/AnatomyNames.h"
#include "model/ModelClass.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ModelClass model;
    model.Name = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    applyAnatomyName(model);
    return 0;
}
