// Fuzz target: the .hx scene reader.

#include "formats/HxReader.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList names;
    parseHxList(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), names);
    for (const QString &name : std::as_const(names))
        if (name.size() > qsizetype(size))
            __builtin_trap(); // a name never outgrows its file
    return 0;
}
