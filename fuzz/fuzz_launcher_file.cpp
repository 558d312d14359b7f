// Launcher page files as found on disk: any bytes, any encoding, hand-edited.
#include "IniSections.h"
#include "core/IniFile.h"
#include "core/TextCodec.h"
#include "launcher/IniLayout.h"
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

// The rows worth reading, up to one beyond the most a page shows: those the
// file has a "Button<n>" section for, and the first it has none for.
std::vector<int> RowsOf(const rimo::IniFile& ini) {
    std::vector<int> rows;
    bool missing = false;
    for (int n = 1; n <= 100; ++n) {
        const bool there = ini.SectionExists(rimo::LauncherFile::Section(n));
        if (there || !missing) {
            rows.push_back(n);
        }
        missing = missing || !there;
    }
    return rows;
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
    if (rimo::fuzz::TooManySections(bytes)) {
        return -1; // not added to the corpus
    }

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
    const std::vector<int> rows = RowsOf(ini);
    rimo::IniFile written = ini;
    const std::vector<bool> checks = rimo::LauncherFile::ChecksOf(ini, rows.back());
    for (const int n : rows) {
        const rimo::LaunchItem item = rimo::LauncherFile::ButtonOf(ini, n);
        Check(item.State == rimo::TProgState::psNormal ||
              item.State == rimo::TProgState::psMinimized ||
              item.State == rimo::TProgState::psMaximized);
        rimo::LauncherFile::WriteButton(written, n, item);
    }
    const std::string writtenText = written.ToText();
    const rimo::IniFile reread =
        rimo::IniFile::Parse(rimo::DecodeFileText(rimo::EncodeFileText(writtenText)).Utf8);
    for (const int n : rows) {
        Check(rimo::LauncherFile::ButtonOf(reread, n) == rimo::LauncherFile::ButtonOf(ini, n));
    }
    Check(rimo::LauncherFile::ChecksOf(reread, rows.back()) == checks);
    Check(reread.ReadString("Setting", "LaunchTitle", "-") ==
          ini.ReadString("Setting", "LaunchTitle", "-"));

    // Written in the file's own layout: the written values, and with no
    // change the file's very bytes.
    const std::string kept = rimo::KeepIniLayout(bytes, ini, written);
    Check(rimo::IniFile::Parse(rimo::DecodeFileText(kept).Utf8).ToText() == writtenText);
    if (!decoded.HadInvalidBytes &&
        (decoded.Encoding != rimo::TextEncoding::Cp932 || rimo::Utf8ToCp932(ini.ToText()))) {
        Check(rimo::KeepIniLayout(bytes, ini, ini) == bytes);
    }
    return 0;
}
