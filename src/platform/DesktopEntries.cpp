#include "platform/DesktopEntries.h"

#include "core/FileIo.h"
#include "core/IniFile.h"
#include "core/Text.h"

#include <algorithm>
#include <system_error>

namespace rimo {

namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        if (end > start) {
            parts.emplace_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

std::vector<std::filesystem::path> Folders(std::string_view value,
                                           std::vector<std::filesystem::path> fallback) {
    std::vector<std::filesystem::path> folders;
    for (const std::string& part : Split(value, ':')) {
        if (part.front() == '/') { // relative entries are ignored
            folders.emplace_back(part);
        }
    }
    return folders.empty() ? fallback : folders;
}

// The escapes of a desktop entry's string values.
std::string Unescape(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            text += ' ';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        default:
            text += value[i];
            break;
        }
    }
    return text;
}

// The first word of an Exec line: a quoted argument ("\" \` \$ \\ escaped
// inside) or the text up to the first blank.
std::string FirstExecWord(std::string_view exec) {
    exec = TrimBlanks(exec);
    if (exec.empty() || exec.front() != '"') {
        return std::string(exec.substr(0, std::min(exec.find(' '), exec.size())));
    }
    std::string word;
    for (std::size_t i = 1; i < exec.size(); ++i) {
        if (exec[i] == '"') {
            break;
        }
        if (exec[i] == '\\' && i + 1 < exec.size()) {
            ++i;
        }
        word += exec[i];
    }
    return word;
}

std::filesystem::path Canonical(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical;
}

} // namespace

XdgDirs XdgDirs::From(std::string_view configHome, std::string_view configDirs,
                      std::string_view dataHome, std::string_view dataDirs,
                      std::string_view currentDesktop, std::string_view path,
                      std::string_view home) {
    XdgDirs dirs;
    const std::filesystem::path homeFolder(home);
    dirs.ConfigHome = !configHome.empty() && configHome.front() == '/'
                          ? std::filesystem::path(configHome)
                          : homeFolder / ".config";
    dirs.ConfigDirs = Folders(configDirs, {"/etc/xdg"});
    dirs.DataHome = !dataHome.empty() && dataHome.front() == '/' ? std::filesystem::path(dataHome)
                                                                 : homeFolder / ".local/share";
    dirs.DataDirs = Folders(dataDirs, {"/usr/local/share", "/usr/share"});
    for (std::string desktop : Split(currentDesktop, ':')) {
        std::transform(desktop.begin(), desktop.end(), desktop.begin(), AsciiLower);
        dirs.Desktops.push_back(std::move(desktop));
    }
    dirs.Path = Folders(path, {});
    return dirs;
}

std::string DesktopEntry::Program() const {
    return TryExec.empty() ? FirstExecWord(Exec) : TryExec;
}

std::optional<DesktopEntry> DesktopEntry::Read(const std::filesystem::path& file,
                                               std::string_view text) {
    const IniFile ini = IniFile::Parse(text);
    constexpr const char* kGroup = "Desktop Entry";
    if (ini.ReadString(kGroup, "Type", "") != "Application" ||
        ini.ReadString(kGroup, "Hidden", "") == "true") {
        return std::nullopt;
    }
    DesktopEntry entry;
    entry.File = file;
    entry.Exec = Unescape(ini.ReadString(kGroup, "Exec", ""));
    entry.TryExec = Unescape(ini.ReadString(kGroup, "TryExec", ""));
    entry.Icon = Unescape(ini.ReadString(kGroup, "Icon", ""));
    entry.Name = Unescape(ini.ReadString(kGroup, "Name", ""));
    entry.Path = Unescape(ini.ReadString(kGroup, "Path", ""));
    entry.Terminal = ini.ReadString(kGroup, "Terminal", "") == "true";
    entry.MimeTypes = Split(ini.ReadString(kGroup, "MimeType", ""), ';');
    return entry;
}

void DesktopEntries::Index() {
    if (indexed_) {
        return;
    }
    indexed_ = true;
    std::vector<std::filesystem::path> folders{dirs_.DataHome / "applications"};
    for (const std::filesystem::path& data : dirs_.DataDirs) {
        folders.push_back(data / "applications");
    }
    for (const std::filesystem::path& folder : folders) {
        // Sorted, so that the first entry naming a type does not depend on the file system.
        std::vector<std::filesystem::path> files;
        std::error_code error;
        std::filesystem::recursive_directory_iterator it(folder, error), end;
        for (; !error && it != end; it.increment(error)) {
            if (it->path().extension() == ".desktop" && it->is_regular_file(error)) {
                files.push_back(it->path());
            }
        }
        std::sort(files.begin(), files.end());
        for (const std::filesystem::path& file : files) {
            // kde/foo.desktop has the id "kde-foo.desktop".
            std::string id = file.lexically_relative(folder).string();
            std::replace(id.begin(), id.end(), '/', '-');
            if (byId_.contains(id)) {
                continue;
            }
            std::string readError;
            const std::optional<std::string> text = ReadWholeFile(file, &readError);
            std::optional<DesktopEntry> entry =
                text ? DesktopEntry::Read(file, *text) : std::nullopt;
            if (!entry) {
                byId_.emplace(id, SIZE_MAX); // hides the same id in later folders
                continue;
            }
            entry->Id = id;
            byId_.emplace(id, entries_.size());
            entries_.push_back(std::move(*entry));
        }
    }
}

const DesktopEntry* DesktopEntries::Find(std::string_view id) {
    Index();
    const auto found = byId_.find(std::string(id));
    return found == byId_.end() || found->second == SIZE_MAX ? nullptr : &entries_[found->second];
}

std::vector<std::filesystem::path> DesktopEntries::MimeAppsLists() const {
    std::vector<std::filesystem::path> lists;
    const auto add = [&](const std::filesystem::path& folder, bool legacy) {
        for (const std::string& desktop : dirs_.Desktops) {
            lists.push_back(folder / (desktop + "-mimeapps.list"));
        }
        lists.push_back(folder / "mimeapps.list");
        if (legacy) {
            lists.push_back(folder / "defaults.list");
        }
    };
    add(dirs_.ConfigHome, false);
    for (const std::filesystem::path& config : dirs_.ConfigDirs) {
        add(config, false);
    }
    add(dirs_.DataHome / "applications", true);
    for (const std::filesystem::path& data : dirs_.DataDirs) {
        add(data / "applications", true);
    }
    return lists;
}

const DesktopEntry* DesktopEntries::DefaultFor(const std::vector<std::string>& types) {
    Index();
    std::vector<IniFile> lists;
    for (const std::filesystem::path& file : MimeAppsLists()) {
        std::string error;
        if (const std::optional<std::string> text = ReadWholeFile(file, &error, false)) {
            lists.push_back(IniFile::Parse(*text));
        }
    }
    const auto listed = [&](const char* group, const std::string& type) -> const DesktopEntry* {
        for (const IniFile& list : lists) {
            for (const std::string& id : Split(list.ReadString(group, type, ""), ';')) {
                if (const DesktopEntry* entry = Find(id)) {
                    return entry;
                }
            }
        }
        return nullptr;
    };
    for (const std::string& type : types) {
        if (const DesktopEntry* entry = listed("Default Applications", type)) {
            return entry;
        }
        if (const DesktopEntry* entry = listed("Added Associations", type)) {
            return entry;
        }
        for (const DesktopEntry& entry : entries_) {
            if (std::find(entry.MimeTypes.begin(), entry.MimeTypes.end(), type) !=
                entry.MimeTypes.end()) {
                return &entry;
            }
        }
    }
    return nullptr;
}

const DesktopEntry* DesktopEntries::EntryRunning(const std::filesystem::path& program) {
    Index();
    if (programs_.empty()) {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const std::filesystem::path named(entries_[i].Program());
            if (named.empty()) {
                continue;
            }
            if (named.is_absolute()) {
                programs_.emplace(Canonical(named), i);
                continue;
            }
            for (const std::filesystem::path& folder : dirs_.Path) {
                std::error_code error;
                if (std::filesystem::is_regular_file(folder / named, error)) {
                    programs_.emplace(Canonical(folder / named), i);
                    break;
                }
            }
        }
    }
    const auto found = programs_.find(Canonical(program));
    return found == programs_.end() ? nullptr : &entries_[found->second];
}

} // namespace rimo
