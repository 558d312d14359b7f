#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rimo {

// The folders of the freedesktop.org base directory rules, taken from the
// environment by the caller (tests give their own).
struct XdgDirs {
    std::filesystem::path ConfigHome;              // $XDG_CONFIG_HOME, ~/.config
    std::vector<std::filesystem::path> ConfigDirs; // $XDG_CONFIG_DIRS, /etc/xdg
    std::filesystem::path DataHome;                // $XDG_DATA_HOME, ~/.local/share
    std::vector<std::filesystem::path> DataDirs;   // $XDG_DATA_DIRS, /usr/local/share:/usr/share
    std::vector<std::string> Desktops;             // $XDG_CURRENT_DESKTOP, lower case
    std::vector<std::filesystem::path> Path;       // $PATH

    // From the variables' values (empty when unset), with the standard defaults.
    static XdgDirs From(std::string_view configHome, std::string_view configDirs,
                        std::string_view dataHome, std::string_view dataDirs,
                        std::string_view currentDesktop, std::string_view path,
                        std::string_view home);
};

// One application entry (a ".desktop" file of Type=Application).
struct DesktopEntry {
    std::filesystem::path File;
    std::string Id;      // "vim.desktop"; "kde-foo.desktop" for kde/foo.desktop
    std::string Exec;    // as written
    std::string TryExec; // as written
    std::string Icon;    // a theme icon name or an absolute image path
    std::string Name;    // not translated
    std::string Path;    // the folder to run in; empty: not set
    bool Terminal = false;
    std::vector<std::string> MimeTypes;

    // The program the entry runs: TryExec, else the first word of Exec.
    std::string Program() const;
    // Reads the [Desktop Entry] group; nullopt for a file that is not an
    // application entry (or is hidden).
    static std::optional<DesktopEntry> Read(const std::filesystem::path& file,
                                            std::string_view text);
};

// The applications installed for this user, and the default application of a
// type by the rules of mimeapps.list. Read from the folders once, on first use.
class DesktopEntries {
public:
    explicit DesktopEntries(XdgDirs dirs) : dirs_(std::move(dirs)) {}

    // The application that opens the first of `types` that has one (a type
    // followed by its broader types): a default in mimeapps.list (the
    // desktop's own list first), else an added association, else any
    // application that names the type. nullptr when none does.
    const DesktopEntry* DefaultFor(const std::vector<std::string>& types);
    // The application entry whose program is `program` (an absolute path; a
    // bare program name of an entry matches a file of that name in a PATH folder).
    const DesktopEntry* EntryRunning(const std::filesystem::path& program);
    const DesktopEntry* Find(std::string_view id);

private:
    void Index();
    std::vector<std::filesystem::path> MimeAppsLists() const;

    XdgDirs dirs_;
    bool indexed_ = false;
    std::vector<DesktopEntry> entries_;       // in the order of the folders
    std::map<std::string, std::size_t> byId_; // the first of an id wins
    // Each entry's program, resolved to a canonical path (built on first use).
    std::map<std::filesystem::path, std::size_t> programs_;
};

} // namespace rimo
