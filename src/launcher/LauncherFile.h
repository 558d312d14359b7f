#pragma once

#include "core/IniFile.h"
#include "core/Status.h"
#include "launcher/LaunchItem.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rimo {

// One launcher page file ("Launcher0.dat" to "Launcher2.dat"): an INI file in
// CP932 (UTF-8 with a byte-order mark when a text has no CP932 form) with CR
// LF. Nothing is cached: every call reads the file; every change reads it,
// changes its keys and writes the whole file back atomically (only when its
// bytes change), so keys and sections it does not touch stay as they are.
//
// Section "Setting": LaunchTitle, LBtnNo. Section "Button<n>": ProgPath
// (always written), ProgTitle, ProgDir, ProgState (1 maximised, 2 minimised),
// ProgOption, IconPath, IconNo (each deleted when empty or 0), CheckBox.
class LauncherFile {
public:
    static constexpr int kDefaultCount = 6;

    LauncherFile(std::filesystem::path path, int page);

    const std::filesystem::path& Path() const { return path_; }
    int Page() const { return page_; }

    // The file as it is now (empty when missing).
    IniFile Read();

    // "タイトル" + the page number when missing.
    std::string LaunchTitle();
    // The stored row count (kDefaultCount when missing or not a number).
    int LBtnNo();
    // Button<n>'s item; missing keys give empty texts, psNormal and 0.
    static LaunchItem ButtonOf(const IniFile& ini, int n);
    // Button<n>'s ProgTitle; nullopt when the key is missing.
    static std::optional<std::string> StoredTitle(const IniFile& ini, int n);
    // The CheckBox keys of Button1 to Button<count>.
    static std::vector<bool> ChecksOf(const IniFile& ini, int count);
    // Button<n>'s keys for the item (the keys SaveButton writes).
    static void WriteButton(IniFile& ini, int n, const LaunchItem& item);

    Status WriteLaunchTitle(const std::string& title);
    Status WriteLBtnNo(int count);
    // SaveLaunchButton: the section Button<n> in the key order above.
    Status SaveButton(int n, const LaunchItem& item);
    // The CheckBox key of Button1 to Button<checks.size()>.
    Status SaveChecks(const std::vector<bool>& checks);

    // What was wrong with the file since the last call (unreadable, bytes
    // that are no text), each said once, for the user.
    std::vector<Message> TakeProblems();

    static std::string Section(int n) { return "Button" + std::to_string(n); }
    static std::string DefaultTitle(int page) {
        return "タイトル" /* stored */ + std::to_string(page);
    }

private:
    struct Loaded {
        IniFile Ini;
        std::optional<std::string> Bytes; // nullopt: no file
    };
    Loaded Load();
    Status Change(const std::function<void(IniFile&)>& change);

    std::filesystem::path path_;
    int page_;
    std::vector<Message> problems_;
    // The file could not be read nor moved aside: it is never written over.
    bool writeBlocked_ = false;
};

} // namespace rimo
