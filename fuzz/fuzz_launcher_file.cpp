// Launcher page files as found on disk: any bytes, any encoding, hand-edited.
#include "core/IniFile.h"
#include "core/TextCodec.h"
#include "launcher/LauncherFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
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

// The rows worth reading: up to the last "Button<n>" section and one more,
// at most one beyond the most a page shows.
int RowsOf(const rimo::IniFile& ini) {
    int rows = 1;
    for (int n = 1; n <= 100; ++n) {
        if (ini.SectionExists(rimo::LauncherFile::Section(n))) {
            rows = n + 1;
        }
    }
    return std::min(rows, 100);
}

// A folder of this process for the file the reader opens; in memory where
// there is /dev/shm (the reader's atomic writes sync to disk).
const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "rimo-fuzz-launcher-XXXXXX").string();
        Check(::mkdtemp(pattern.data()) != nullptr);
        return std::filesystem::path(pattern);
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // The reader on the file itself: defaults for what is missing or no
    // number, the unreadable bytes kept aside, what could be read kept.
    // The folder lives while an input runs (libFuzzer's exit runs no clean-up).
    const std::filesystem::path path = Folder() / "Launcher0.dat";
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
    std::filesystem::remove_all(Folder());

    // Every row read, written back in the page's layout and read again: the same items.
    const int rows = RowsOf(ini);
    rimo::IniFile written = ini;
    const std::vector<bool> checks = rimo::LauncherFile::ChecksOf(ini, rows);
    for (int n = 1; n <= rows; ++n) {
        const rimo::LaunchItem item = rimo::LauncherFile::ButtonOf(ini, n);
        Check(item.State == rimo::TProgState::psNormal ||
              item.State == rimo::TProgState::psMinimized ||
              item.State == rimo::TProgState::psMaximized);
        rimo::LauncherFile::WriteButton(written, n, item);
    }
    const rimo::IniFile reread =
        rimo::IniFile::Parse(rimo::DecodeFileText(rimo::EncodeFileText(written.ToText())).Utf8);
    for (int n = 1; n <= rows; ++n) {
        Check(rimo::LauncherFile::ButtonOf(reread, n) == rimo::LauncherFile::ButtonOf(ini, n));
    }
    Check(rimo::LauncherFile::ChecksOf(reread, rows) == checks);
    Check(reread.ReadString("Setting", "LaunchTitle", "-") ==
          ini.ReadString("Setting", "LaunchTitle", "-"));
    return 0;
}
