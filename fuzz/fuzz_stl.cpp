// Fuzz target: the text STL reader.

#include "FuzzSoup.h"
#include "import/StlText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzReader(data, size, [](QByteArrayView bytes) {
        for (const PolygonSoup &solid : readStlText(bytes))
            checkSoup(solid);
    });
}
