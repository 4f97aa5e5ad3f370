// Fuzz target: the PLY reader, ASCII and binary.

#include "FuzzSoup.h"
#include "import/PlyReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzReader(data, size, [](QByteArrayView bytes) { checkSoup(readPly(bytes)); });
}
