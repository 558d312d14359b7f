#include "core/AppPaths.h"

#include "core/OwnFolder.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
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

bool IsAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

// Empty without a home: never a shared folder such as the temporary one,
// where another user could make the folder first.
std::filesystem::path ConfigFolder(const std::string& xdgConfigHome, const std::string& home) {
    // The XDG rules ignore a relative $XDG_CONFIG_HOME.
    if (IsAbsolute(xdgConfigHome)) {
        return std::filesystem::path(xdgConfigHome) / "RimoTimeInformation";
    }
    if (!IsAbsolute(home)) {
        return {};
    }
    return std::filesystem::path(home) / ".config" / "RimoTimeInformation";
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
        if (!IsWritableFolder(paths.ExecutableDir)) {
            paths.FilesLeftBeside = true;
            paths.FilesLeftBesideReason =
                Translatable("rimo::AppPaths", "フォルダー %1 に書き込めません")
                    .Arg(paths.ExecutableDir.string());
        } else if (const Status own = CheckOwnFolder(paths.ExecutableDir); !own) {
            // Files in a folder others can write may have been planted there.
            paths.FilesLeftBeside = true;
            paths.FilesLeftBesideReason = own.text();
        } else {
            paths.DataDir = paths.ExecutableDir;
        }
    }
    if (paths.DataDir.empty()) {
        paths.DataDirProblem = Translatable(
            "rimo::AppPaths", "ホームフォルダーがわかりません ($HOME が空で、パスワード"
                              "データベースにもこのユーザーのホームがありません)。"
                              "$HOME か $XDG_CONFIG_HOME を設定してください");
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
    return ForExecutable(executable, Environment("XDG_CONFIG_HOME"),
                         HomeFolder(Environment("HOME")));
}

std::string AppPaths::HomeFolder(const std::string& environmentHome) {
    if (IsAbsolute(environmentHome)) {
        return environmentHome;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !IsAbsolute(entry.pw_dir ? entry.pw_dir : "")) {
        return {};
    }
    return entry.pw_dir;
}

std::optional<std::filesystem::path> AppPaths::SettingsFileToPeek() const {
    if (!DataDirProblem.IsEmpty() || DataDir.empty() || !CheckOwnFolder(DataDir)) {
        return std::nullopt;
    }
    return SettingsFile();
}

AppPaths::DataDirState AppPaths::PrepareDataDir() const {
    using Kind = DataDirState::Kind;
    if (!DataDirProblem.IsEmpty()) {
        return {Kind::Refused, DataDirProblem};
    }
    if (const Status made = MakePrivateFolders(DataDir); !made) {
        return {Kind::NotCreated, made.text()};
    }
    if (const Status own = CheckOwnFolder(DataDir); !own) {
        return {Kind::Refused,
                Translatable("rimo::AppPaths",
                             "%1。他のユーザーが置いたファイルを読み込まないよう、このフォルダーは"
                             "使いません。持ち主とモードを確かめてください (chmod 700 %2)")
                    .Arg(own.text())
                    .Arg(DataDir.string())};
    }
    struct stat info {};
    if (!FilesBesideProgram() && ::stat(DataDir.c_str(), &info) == 0 && (info.st_mode & 077)) {
        // Made before the folder was kept private, or under a wide umask.
        ::chmod(DataDir.c_str(), 0700);
    }
    return {};
}

AppPaths AppPaths::InFolder(const std::filesystem::path& folder) {
    AppPaths paths;
    paths.ExecutableDir = folder;
    paths.DataDir = folder;
    return paths;
}

} // namespace rimo
