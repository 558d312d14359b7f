#include "core/AppPaths.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <unistd.h>

namespace rimo {

namespace {

// Whether files can be created there. Asking access() is not enough: it says
// yes to root even where nothing can be created.
bool IsWritableFolder(const std::filesystem::path& folder) {
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return false;
    }
    std::string probe = (folder / ".rimotime-probe-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

bool Exists(const std::filesystem::path& file) {
    std::error_code ignored;
    return std::filesystem::exists(file, ignored);
}

std::filesystem::path ConfigFolder(const std::string& xdgConfigHome, const std::string& home) {
    // The XDG rules ignore a relative $XDG_CONFIG_HOME.
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') {
        return std::filesystem::path(xdgConfigHome) / "RimoTimeInformation";
    }
    std::filesystem::path base =
        home.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(home);
    return base / ".config" / "RimoTimeInformation";
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::filesystem::path AppPaths::InstalledHelpFile() const {
    const std::filesystem::path lib = ExecutableDir.parent_path();
    if (ExecutableDir.filename() != "rimotime" || lib.filename() != "lib") {
        return {};
    }
    return lib.parent_path() / "share" / "doc" / "rimotime" / "help.html";
}

AppPaths AppPaths::ForExecutable(const std::filesystem::path& executable,
                                 const std::string& xdgConfigHome, const std::string& home) {
    AppPaths paths;
    paths.ExecutableDir = executable.parent_path();
    // On Linux the whole file name is the program's name: "rimotime-1.0"
    // has no extension ".0".
    paths.BaseName = executable.filename().string();
    if (paths.BaseName.empty()) {
        paths.BaseName = "rimotime";
    }
    paths.DataDir = ConfigFolder(xdgConfigHome, home);
    const bool filesBeside = Exists(paths.ExecutableDir / (paths.BaseName + ".ini")) ||
                             Exists(paths.ExecutableDir / (paths.BaseName + ".dat"));
    if (filesBeside) {
        if (IsWritableFolder(paths.ExecutableDir)) {
            paths.DataDir = paths.ExecutableDir;
        } else {
            paths.FilesLeftBeside = true;
        }
    }
    return paths;
}

AppPaths AppPaths::ForThisProcess(const char* argv0) {
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !executable.is_absolute()) {
        // Always an absolute folder: a bare "shutdown" would be looked up on PATH.
        executable = std::filesystem::absolute(argv0 ? argv0 : "rimotime", error);
    }
    return ForExecutable(executable, Environment("XDG_CONFIG_HOME"), Environment("HOME"));
}

AppPaths AppPaths::InFolder(const std::filesystem::path& folder) {
    AppPaths paths;
    paths.ExecutableDir = folder;
    paths.DataDir = folder;
    return paths;
}

} // namespace rimo
