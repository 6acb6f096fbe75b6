// Entry points that feed arbitrary bytes to each parser of outside input.
// The fuzz targets (built with clang and libFuzzer) and the replay test of the
// kept inputs (built with the normal compiler) call the same functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace fuzzentry {

using Entry = void (*)(const uint8_t *data, size_t size);

struct Target {
    const char *name; // also the folder of its kept inputs under fuzz/regressions
    Entry run;
};

// Every target, in a fixed order.
std::span<const Target> targets();

// The target of that name; null when there is none.
const Target *find(const char *name);

} // namespace fuzzentry
