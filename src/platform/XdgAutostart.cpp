#include "platform/XdgAutostart.h"

#include "core/FileIo.h"
#include "core/TextCodec.h"

#include <string_view>
#include <system_error>

namespace rimo {

namespace {

// A string value: backslashes and control characters escaped.
std::string EscapeValue(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// One argument of Exec: quoted when it holds a reserved character, with the
// characters that stay special inside quotes escaped; '%' starts a field
// code and is doubled.
std::string ExecArgument(std::string_view argument) {
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    const bool quoted = argument.find_first_of(kReserved) != std::string_view::npos;
    std::string text = quoted ? "\"" : "";
    for (const char c : argument) {
        if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            text += '\\';
        }
        text += c;
        if (c == '%') {
            text += '%';
        }
    }
    if (quoted) {
        text += '"';
    }
    return text;
}

} // namespace

std::optional<std::string> XdgAutostart::EntryText(const std::filesystem::path& executable) {
    const std::string program = executable.string();
    const std::string folder = executable.parent_path().string();
    if (!IsValidUtf8(program)) {
        return std::nullopt;
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=RimoTimeInformation\n"
           "Exec=" +
           EscapeValue(ExecArgument(program)) +
           "\n"
           "Path=" +
           EscapeValue(folder) +
           "\n"
           "Icon=rimotime\n"
           "Terminal=false\n";
}

std::filesystem::path XdgAutostart::FolderFor(const std::string& xdgConfigHome,
                                              const std::string& home) {
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') {
        return std::filesystem::path(xdgConfigHome) / "autostart";
    }
    if (!home.empty() && home.front() == '/') {
        return std::filesystem::path(home) / ".config" / "autostart";
    }
    return {};
}

bool XdgAutostart::Registered() const {
    std::error_code error;
    // A dangling link is an entry too: it is not replaced. A folder that
    // cannot be looked into (an error other than "not there") holds none
    // that is known.
    const auto type = std::filesystem::symlink_status(EntryFile(), error).type();
    return type != std::filesystem::file_type::not_found &&
           type != std::filesystem::file_type::none;
}

Status XdgAutostart::Register(const std::filesystem::path& executable) {
    if (folder_.empty()) {
        return Status::Error(
            Translatable("rimo::XdgAutostart",
                         "ホームフォルダが分からないため、自動起動の項目を置く場所がありません"));
    }
    std::error_code lookError;
    const auto type = std::filesystem::symlink_status(EntryFile(), lookError).type();
    if (type == std::filesystem::file_type::none) {
        return Status::Error(Translatable("rimo::XdgAutostart", "フォルダ %1 を読めません: %2")
                                 .Arg(folder_.string())
                                 .Arg(lookError.message()));
    }
    if (type != std::filesystem::file_type::not_found) {
        return Status::Ok(); // there already (the user's own, say): left as it is
    }
    const std::optional<std::string> text = EntryText(executable);
    if (!text) {
        return Status::Error(
            Translatable("rimo::XdgAutostart",
                         "プログラムのパス %1 は UTF-8 ではないため、自動起動の項目に書けません")
                .Arg(executable.string()));
    }
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) {
        return Status::Error(Translatable("rimo::XdgAutostart", "フォルダ %1 を作れません: %2")
                                 .Arg(folder_.string())
                                 .Arg(error.message()));
    }
    return WriteFileAtomically(EntryFile(), *text);
}

Status XdgAutostart::Unregister() {
    std::error_code error;
    std::filesystem::remove(EntryFile(), error);
    if (error) {
        return Status::Error(Translatable("rimo::XdgAutostart", "ファイル %1 を削除できません: %2")
                                 .Arg(EntryFile().string())
                                 .Arg(error.message()));
    }
    return Status::Ok();
}

} // namespace rimo
