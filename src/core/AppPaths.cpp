#include "core/AppPaths.h"

#include <cstdlib>
#include <string>
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

std::filesystem::path ConfigFolder(const std::string& xdgConfigHome, const std::string& home) {
    // The XDG rules ignore a relative $XDG_CONFIG_HOME.
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') {
        return std::filesystem::path(xdgConfigHome) / "RimoTimeInformation";
    }
    std::filesystem::path base = home.empty() ? std::filesystem::temp_directory_path()
                                              : std::filesystem::path(home);
    return base / ".config" / "RimoTimeInformation";
}

} // namespace

AppPaths AppPaths::ForExecutable(const std::filesystem::path& executable,
                                 const std::string& xdgConfigHome, const std::string& home) {
    AppPaths paths;
    paths.ExecutableDir = executable.parent_path();
    paths.BaseName = executable.stem().string();
    if (paths.BaseName.empty()) {
        paths.BaseName = "rimotime";
    }
    paths.DataDir = IsWritableFolder(paths.ExecutableDir) ? paths.ExecutableDir
                                                          : ConfigFolder(xdgConfigHome, home);
    return paths;
}

AppPaths AppPaths::InFolder(const std::filesystem::path& folder) {
    AppPaths paths;
    paths.ExecutableDir = folder;
    paths.DataDir = folder;
    return paths;
}

} // namespace rimo
