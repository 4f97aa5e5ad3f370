// Fuzz target: the OFF reader.

#include "FuzzSoup.h"
#include "import/OffReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzReader(data, size, [](QByteArrayView bytes) { checkSoup(readOff(bytes)); });
}
