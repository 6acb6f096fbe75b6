// One libFuzzer target; FUZZ_TARGET names its entry in fuzz_entries.cpp.
#include "fuzz_entries.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const fuzzentry::Target *target = fuzzentry::find(FUZZ_TARGET);
    if (target == nullptr) {
        std::abort();
    }
    target->run(data, size);
    return 0;
}
