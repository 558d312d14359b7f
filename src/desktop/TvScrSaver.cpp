#include "desktop/TvScrSaver.h"

#include "core/FileIo.h"
#include "core/IniFile.h"
#include "core/TextCodec.h"

#include <cstdio>
#include <set>

namespace rimo {

namespace {

constexpr const char* kSection = "boot";
constexpr const char* kKey = "SCRNSAVE.EXE";

// The hacks xscreensaver's configuration describes, by their "<hack>.xml".
std::set<std::string> ConfiguredHacks(const std::filesystem::path& configFolder) {
    std::set<std::string> hacks;
    std::error_code error;
    std::filesystem::directory_iterator it(configFolder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (it->path().extension() == ".xml") {
            hacks.insert(it->path().stem().string());
        }
    }
    return hacks;
}

// Files of a folder: all, or only "*.scr", or only those named in `only`.
void AppendFiles(const std::filesystem::path& folder, bool scrOnly,
                 const std::set<std::string>* only, std::vector<std::string>& list) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            continue;
        }
        const std::string name = it->path().filename().string();
        if (scrOnly && (name.size() < 4 || name.compare(name.size() - 4, 4, ".scr") != 0)) {
            continue;
        }
        if (only && !only->contains(name)) {
            continue;
        }
        list.push_back((folder / name).string());
    }
}

} // namespace

ScreenSaverFolders ScreenSaverFolders::Standard(const std::filesystem::path& programFolder,
                                                const std::string& home) {
    ScreenSaverFolders folders;
    folders.HackFolder = "/usr/libexec/xscreensaver";
    folders.HackConfigFolder = "/usr/share/xscreensaver/config";
    folders.ScrFolders.push_back(programFolder);
    if (!home.empty()) {
        folders.ScrFolders.push_back(std::filesystem::path(home) /
                                     ".local/share/RimoTimeInformation/screensavers");
    }
    folders.ScrFolders.emplace_back("/usr/share/RimoTimeInformation/screensavers");
    return folders;
}

TvScrSaver::TvScrSaver(ScreenSaverSystem& system, std::filesystem::path settingsFile,
                       ScreenSaverFolders folders)
    : system_(system), settingsFile_(std::move(settingsFile)), folders_(std::move(folders)) {}

bool TvScrSaver::ScreenSaveActive() {
    active_ = system_.Active().value_or(false);
    return active_;
}

int TvScrSaver::ScreenSaveTimeOut() {
    timeOut_ = system_.TimeOut().value_or(0);
    return timeOut_;
}

std::string TvScrSaver::ScreenSaverName() {
    std::string error;
    const std::optional<std::string> bytes = ReadWholeFile(settingsFile_, &error, false);
    if (bytes) {
        const IniFile ini = IniFile::Parse(DecodeFileText(*bytes).Utf8);
        name_ = ini.ReadString(kSection, kKey, "");
    }
    return name_;
}

void TvScrSaver::ReadSettings() {
    ScreenSaverName();
    ScreenSaveTimeOut();
    ScreenSaveActive();
}

void TvScrSaver::WriteSettings() {
    // Other lines of the file are kept as they are.
    std::string error;
    const std::optional<std::string> bytes = ReadWholeFile(settingsFile_, &error, false);
    IniFile ini = bytes ? IniFile::Parse(DecodeFileText(*bytes).Utf8) : IniFile();
    ini.WriteString(kSection, kKey, name_);
    const Status written = WriteFileAtomically(settingsFile_, EncodeFileText(ini.ToText()));
    if (!written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
    }
    system_.SelectProgram(name_);
    system_.SetTimeOut(timeOut_);
    system_.SetActive(active_);
}

void TvScrSaver::StartScreenSaver(ScreenSaverSystem::Report report) {
    system_.Activate(std::move(report));
}

void TvScrSaver::WakeFromScreenSaver() {
    system_.Wake();
}

void TvScrSaver::GetScreenSaverList(std::vector<std::string>& list) const {
    if (!folders_.HackFolder.empty()) {
        const std::set<std::string> hacks = ConfiguredHacks(folders_.HackConfigFolder);
        AppendFiles(folders_.HackFolder, false, &hacks, list);
    }
    for (const std::filesystem::path& folder : folders_.ScrFolders) {
        AppendFiles(folder, true, nullptr, list);
    }
}

bool TvScrSaver::IsScreenSaverProgram(const std::string& path) const {
    if (path.size() >= 4 && path.compare(path.size() - 4, 4, ".scr") == 0) {
        return true;
    }
    if (folders_.HackFolder.empty() || path.empty()) {
        return false;
    }
    const std::filesystem::path folder =
        std::filesystem::path(path).lexically_normal().parent_path();
    return folder == (folders_.HackFolder / "x").lexically_normal().parent_path();
}

} // namespace rimo
