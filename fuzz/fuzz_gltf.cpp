// Fuzz target: the checks of glTF and GLB files (a GLB starts with "glTF").
// What the checks hand on in place of a file must pass them unchanged.

#include "FuzzSoup.h"
#include "import/GltfCheck.h"

#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder; // empty: every file a URI names is missing
    const auto check = [](QByteArrayView bytes) {
        return bytes.startsWith("glTF") ? checkGlb(bytes, folder.path())
                                        : checkGltf(bytes, folder.path());
    };
    return fuzzReader(data, size, [&](QByteArrayView bytes) {
        const QByteArray replaced = check(bytes);
        if (!replaced.isEmpty() && !check(replaced).isEmpty())
            __builtin_trap();
    });
}
