// Launcher page files as found on disk: any bytes, any encoding, hand-edited.
#include "core/IniFile.h"
#include "core/TextCodec.h"
#include "launcher/LauncherFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

constexpr int kRows = 100; // one beyond the most a page shows

// A folder of this process for the file the reader opens.
const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "rimo-fuzz-launcher-XXXXXX").string();
        Check(::mkdtemp(pattern.data()) != nullptr);
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // The reader on the file itself: defaults for what is missing or no
    // number, the unreadable bytes kept aside, what could be read kept.
    const std::filesystem::path path = Folder() / "Launcher0.dat";
    std::filesystem::remove_all(Folder());
    std::filesystem::create_directories(Folder());
    std::ofstream(path, std::ios::binary) << bytes;
    rimo::LauncherFile file(path, 0);
    const int count = file.LBtnNo();
    const std::string title = file.LaunchTitle();
    const rimo::DecodedText decoded = rimo::DecodeFileText(bytes);
    const rimo::IniFile ini = rimo::IniFile::Parse(decoded.Utf8);
    Check(count == ini.ReadInteger("Setting", "LBtnNo", 6));
    Check(title == ini.ReadString("Setting", "LaunchTitle", "タイトル0"));
    Check(file.TakeProblems().size() == (decoded.HadInvalidBytes ? 1U : 0U));
    Check(std::filesystem::exists(Folder() / "Launcher0.dat.broken") == decoded.HadInvalidBytes);

    // Every row read, written back in the page's layout and read again: the same items.
    rimo::IniFile written = ini;
    const std::vector<bool> checks = rimo::LauncherFile::ChecksOf(ini, kRows);
    for (int n = 1; n <= kRows; ++n) {
        const rimo::LaunchItem item = rimo::LauncherFile::ButtonOf(ini, n);
        Check(item.State == rimo::TProgState::psNormal ||
              item.State == rimo::TProgState::psMinimized ||
              item.State == rimo::TProgState::psMaximized);
        rimo::LauncherFile::WriteButton(written, n, item);
    }
    const rimo::IniFile reread =
        rimo::IniFile::Parse(rimo::DecodeFileText(rimo::EncodeFileText(written.ToText())).Utf8);
    for (int n = 1; n <= kRows; ++n) {
        Check(rimo::LauncherFile::ButtonOf(reread, n) == rimo::LauncherFile::ButtonOf(ini, n));
    }
    Check(rimo::LauncherFile::ChecksOf(reread, kRows) == checks);
    Check(reread.ReadString("Setting", "LaunchTitle", "-") ==
          ini.ReadString("Setting", "LaunchTitle", "-"));
    return 0;
}
