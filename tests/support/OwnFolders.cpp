// Linked into every test: before main() it points the configuration, data
// and cache folders at a fresh folder of this run, and removes it at exit, so
// no test reads or writes the user's own (a file-dialog history left at /proc
// once held a test for minutes).

#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

namespace {

struct OwnFolders
{
    OwnFolders()
    {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/clvn-test-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        root = pattern;
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
            const std::filesystem::path folder = root / name;
            std::filesystem::create_directory(folder);
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
            setenv(name, folder.c_str(), 1);
        }
    }
    ~OwnFolders()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    std::filesystem::path root;
};

const OwnFolders ownFolders;

} // namespace
