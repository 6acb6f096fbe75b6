// Linked into every test program: points the tests at the programs they run
// and selects the offscreen platform, unless the caller set them already.
#include <cstdlib>

namespace {

const bool kEnvironmentSet = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("RDX600_SIM", RDX600_SIM_PATH, 0);
    setenv("RDX600_CLI", RDX600_CLI_PATH, 0);
    return true;
}();

} // namespace
