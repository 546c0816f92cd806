#include "platform/install_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool holdsGameData(const std::string& directory) {
    std::error_code error;
    return fs::is_directory(fs::path(directory.empty() ? "." : directory) / "Bitmap", error);
}

std::string installedDataDirectory() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error || !program.is_absolute()) return {};
    const fs::path data = program.parent_path().parent_path() / "share" / "varnholt";
    return holdsGameData(data.string()) ? data.string() : std::string();
}

std::string playerDataDirectory(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return (fs::path(xdgDataHome) / "varnholt").string();
    if (home != nullptr && home[0] == '/') return (fs::path(home) / ".local/share/varnholt").string();
    return {};
}

std::string playerDataDirectory() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* account = ::getpwuid(::getuid());
        home = account != nullptr ? account->pw_dir : nullptr;
    }
    return playerDataDirectory(std::getenv("XDG_DATA_HOME"), home);
}
