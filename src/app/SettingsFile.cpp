#include "app/SettingsFile.h"

#include "core/FileIo.h"
#include "core/TextCodec.h"

namespace rimo {

SettingsFile::ReadReport SettingsFile::Read(const std::filesystem::path& path) {
    ReadReport report;
    Message error;
    const std::optional<std::string> bytes = ReadWholeFile(path, &error, false);
    bool keepAside = false;
    if (bytes) {
        report.FileExists = true;
        const DecodedText decoded = DecodeFileText(*bytes);
        report.Ini = IniFile::Parse(decoded.Utf8);
        if (decoded.HadInvalidBytes) {
            report.Problems.push_back(Translatable(
                "rimo::SettingsFile", "文字として読めないバイトがあります (読めた設定は使います)"));
            keepAside = true;
        }
    } else if (!error.IsEmpty()) {
        report.FileExists = true;
        report.Problems.push_back(error);
        keepAside = true;
    }
    if (keepAside) {
        Message moveError;
        if (const auto aside = MoveFileAside(path, &moveError)) {
            report.Problems.push_back(
                Translatable("rimo::SettingsFile", "元のファイルは %1 に残しました")
                    .Arg(aside->string()));
        } else {
            report.Problems.push_back(moveError);
        }
    }
    for (const SettingKey& key : SettingsSchema::Keys()) {
        const int count = report.Ini.EntryCount(key.Section, key.Key);
        if (count > 1) {
            report.Problems.push_back(
                Translatable("rimo::SettingsFile",
                             "[%1] %2 が %3 回あります。最初の値を使い、残りは次の保存で除きます")
                    .Arg(key.Section)
                    .Arg(key.Key)
                    .Arg(count));
        }
    }
    return report;
}

Status SettingsFile::Write(const std::filesystem::path& path, const IniFile& ini) {
    return WriteFileAtomically(path, EncodeFileText(ini.ToText()));
}

std::optional<std::string> SettingsFile::Stored(const IniFile& ini, const SettingKey& key) {
    std::optional<std::string> stored = ini.Value(key.Section, key.Key);
    // A file that names a server but no protocol (the Windows program's, or
    // one written before the choice existed) keeps the daytime protocol.
    if (!stored && std::string_view(key.Key) == "Protocol") {
        const std::optional<std::string> server = ini.Value(key.Section, "Server");
        if (server && !server->empty()) {
            return "daytime";
        }
    }
    return stored;
}

std::optional<std::string> SettingsFile::Peek(const std::filesystem::path& path,
                                              const SettingKey& key) {
    Message error;
    const std::optional<std::string> bytes = ReadWholeFile(path, &error, false);
    if (!bytes) {
        return std::nullopt;
    }
    return Stored(IniFile::Parse(DecodeFileText(*bytes).Utf8), key);
}

void SettingsFile::Put(IniFile& ini, const SettingKey& key, const std::string& text) {
    ini.WriteString(key.Section, key.Key, text);
    ini.RemoveLaterEntries(key.Section, key.Key);
}

} // namespace rimo
