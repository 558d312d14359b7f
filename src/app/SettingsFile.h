#pragma once

#include "app/SettingsSchema.h"
#include "core/IniFile.h"
#include "core/Status.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rimo {

// rimotime.ini on disk: read leniently, written atomically in CP932 with CR LF
// (UTF-8 with a byte-order mark when a text has no CP932 form).
struct SettingsFile {
    struct ReadReport {
        IniFile Ini;
        bool FileExists = false;
        // What was wrong with the file, for the user.
        std::vector<Message> Problems;
    };

    // A missing file reads as empty. A file with bytes that are neither CP932
    // nor UTF-8, or one that cannot be read at all, is moved aside
    // ("<name>.broken") so that the next save does not replace the user's
    // bytes; what could be read is used. Keys of the table given more than
    // once are reported (the first is used).
    static ReadReport Read(const std::filesystem::path& path);
    static Status Write(const std::filesystem::path& path, const IniFile& ini);

    // The stored text of a key; nullopt when missing. A missing "Protocol"
    // reads as "daytime" where the file names a server.
    static std::optional<std::string> Stored(const IniFile& ini, const SettingKey& key);
    // The stored text of one key, read before anything else (the interface's
    // language): the file is left as it is; nullopt when missing or unreadable.
    static std::optional<std::string> Peek(const std::filesystem::path& path,
                                           const SettingKey& key);
    // Writes a key in place (a new key goes to the end of its section) and
    // drops the repeated entries that would never be read.
    static void Put(IniFile& ini, const SettingKey& key, const std::string& text);
};

} // namespace rimo
