// Linked into every test program: points the tests at the programs they run
// and selects the offscreen platform, unless the caller set them already, and
// keeps what Qt itself stores for the user (a file dialog's last folder and
// view, caches) in a folder of the test program's own, removed when it ends,
// so that no test writes into the user's home folder.
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class OwnUserFolders {
public:
    OwnUserFolders()
    {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/rdx600-tests-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            return; // the tests then fail on their own temporary folders
        }
        root_ = pattern;
        setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
        setenv("XDG_CACHE_HOME", (root_ + "/cache").c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", root_.c_str(), 0); // mkdtemp made it private, as Qt wants
    }
    OwnUserFolders(const OwnUserFolders &) = delete;
    OwnUserFolders &operator=(const OwnUserFolders &) = delete;
    ~OwnUserFolders()
    {
        if (!root_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(root_, ignored);
        }
    }

private:
    std::string root_;
};

const OwnUserFolders kUserFolders;

const bool kEnvironmentSet = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("RDX600_SIM", RDX600_SIM_PATH, 0);
    setenv("RDX600_CLI", RDX600_CLI_PATH, 0);
    return true;
}();

} // namespace
