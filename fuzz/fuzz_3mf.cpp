// Fuzz target: the check of a 3MF package's zip directory.

#include "FuzzSoup.h"
#include "import/ThreeMfCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzReader(data, size, [](QByteArrayView bytes) { checkThreeMf(bytes); });
}
