// Fuzz target: the anatomy table on arbitrary names: naming and colouring a
// model after its file name, naming a label, its structure and its side.

#include "formats/AnatomyNames.h"
#include "model/AnatomyTable.h"
#include "model/ModelClass.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    ModelClass model;
    model.Name = text;
    applyAnatomyName(model);
    if (const std::optional<anatomy::LabelMatch> match = anatomy::matchLabel(text))
        if (match->name.isEmpty() && !text.trimmed().isEmpty())
            __builtin_trap(); // a known label always gets a name
    anatomy::keyOf(anatomy::structureNamedIn(text));
    anatomy::sideCode(anatomy::sideIn(text));
    return 0;
}
