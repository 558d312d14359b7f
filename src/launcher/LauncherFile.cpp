#include "launcher/LauncherFile.h"

#include "core/FileIo.h"
#include "core/TextCodec.h"
#include "launcher/IniLayout.h"

namespace rimo {

namespace {

constexpr const char* kSetting = "Setting";

// In the file 1 means maximised and 2 minimised.
TProgState StateOfNumber(int number) {
    switch (number) {
    case 1:
        return TProgState::psMaximized;
    case 2:
        return TProgState::psMinimized;
    default:
        return TProgState::psNormal;
    }
}

void WriteOrDelete(IniFile& ini, const std::string& section, const char* key,
                   const std::string& value) {
    if (value.empty()) {
        ini.DeleteKey(section, key);
    } else {
        ini.WriteString(section, key, value);
    }
}

} // namespace

LauncherFile::LauncherFile(std::filesystem::path path, int page)
    : path_(std::move(path)), page_(page) {}

LauncherFile::Loaded LauncherFile::Load() {
    std::string error;
    std::optional<std::string> bytes = ReadWholeFile(path_, &error, false);
    if (!bytes && error.empty()) {
        return {}; // no file yet
    }
    if (writeBlocked_) {
        return {}; // said once already
    }
    Loaded loaded;
    std::string problem;
    if (bytes) {
        const DecodedText decoded = DecodeFileText(*bytes);
        loaded.Ini = IniFile::Parse(decoded.Utf8);
        loaded.Bytes = std::move(bytes);
        if (!decoded.HadInvalidBytes) {
            return loaded;
        }
        problem = "ランチャーファイル " + path_.string() +
                  " に文字として読めないバイトがあります。読めた内容を使います";
    } else {
        problem = error + " (空のページとして扱います)";
    }
    // The user's bytes are kept aside before anything is written over them.
    std::string moveError;
    const std::optional<std::filesystem::path> aside = MoveFileAside(path_, &moveError);
    if (!aside) {
        writeBlocked_ = true;
        problems_.push_back(problem + "。" + moveError + "。このファイルには書き込みません");
        return {};
    }
    problems_.push_back(problem + "。元のファイルは " + aside->string() + " に残しました");
    loaded.Bytes.reset();
    if (!loaded.Ini.Sections().empty()) {
        // What could be read becomes the file, so that the next change keeps it.
        std::string text = EncodeFileText(loaded.Ini.ToText());
        const Status written = WriteFileAtomically(path_, text);
        if (written) {
            loaded.Bytes = std::move(text);
        } else {
            problems_.push_back(written.message());
        }
    }
    return loaded;
}

IniFile LauncherFile::Read() {
    return Load().Ini;
}

Status LauncherFile::Change(const std::function<void(IniFile&)>& change) {
    Loaded loaded = Load();
    if (writeBlocked_) {
        return Status::Error("ランチャーファイル " + path_.string() +
                             " は読めないため書き込みません");
    }
    const IniFile before = loaded.Ini;
    change(loaded.Ini);
    if (!loaded.Bytes) {
        return WriteFileAtomically(path_, EncodeFileText(loaded.Ini.ToText()));
    }
    // Only a change of a value writes, and then the file keeps its layout.
    if (loaded.Ini.ToText() == before.ToText()) {
        return Status::Ok();
    }
    return WriteFileAtomically(path_, KeepIniLayout(*loaded.Bytes, before, loaded.Ini));
}

std::string LauncherFile::LaunchTitle() {
    return Read().ReadString(kSetting, "LaunchTitle", DefaultTitle(page_));
}

int LauncherFile::LBtnNo() {
    return Read().ReadInteger(kSetting, "LBtnNo", kDefaultCount);
}

LaunchItem LauncherFile::ButtonOf(const IniFile& ini, int n) {
    const std::string section = Section(n);
    LaunchItem item;
    item.Title = ini.ReadString(section, "ProgTitle", "");
    item.Path = ini.ReadString(section, "ProgPath", "");
    item.Dir = ini.ReadString(section, "ProgDir", "");
    item.Option = ini.ReadString(section, "ProgOption", "");
    item.State = StateOfNumber(ini.ReadInteger(section, "ProgState", 0));
    item.IconPath = ini.ReadString(section, "IconPath", "");
    item.IconNo = ini.ReadInteger(section, "IconNo", 0);
    return item;
}

std::optional<std::string> LauncherFile::StoredTitle(const IniFile& ini, int n) {
    return ini.Value(Section(n), "ProgTitle");
}

std::vector<bool> LauncherFile::ChecksOf(const IniFile& ini, int count) {
    std::vector<bool> checks;
    for (int n = 1; n <= count; ++n) {
        checks.push_back(ini.ReadBool(Section(n), "CheckBox", false));
    }
    return checks;
}

Status LauncherFile::WriteLaunchTitle(const std::string& title) {
    return Change([&](IniFile& ini) { ini.WriteString(kSetting, "LaunchTitle", title); });
}

Status LauncherFile::WriteLBtnNo(int count) {
    return Change([&](IniFile& ini) { ini.WriteInteger(kSetting, "LBtnNo", count); });
}

void LauncherFile::WriteButton(IniFile& ini, int n, const LaunchItem& item) {
    const std::string section = Section(n);
    ini.WriteString(section, "ProgPath", item.Path);
    WriteOrDelete(ini, section, "ProgTitle", item.Title);
    WriteOrDelete(ini, section, "ProgDir", item.Dir);
    switch (item.State) {
    case TProgState::psMaximized:
        ini.WriteInteger(section, "ProgState", 1);
        break;
    case TProgState::psMinimized:
        ini.WriteInteger(section, "ProgState", 2);
        break;
    case TProgState::psNormal:
        ini.DeleteKey(section, "ProgState");
        break;
    }
    WriteOrDelete(ini, section, "ProgOption", item.Option);
    WriteOrDelete(ini, section, "IconPath", item.IconPath);
    if (item.IconNo != 0) {
        ini.WriteInteger(section, "IconNo", item.IconNo);
    } else {
        ini.DeleteKey(section, "IconNo");
    }
}

Status LauncherFile::SaveButton(int n, const LaunchItem& item) {
    return Change([&](IniFile& ini) { WriteButton(ini, n, item); });
}

Status LauncherFile::SaveChecks(const std::vector<bool>& checks) {
    return Change([&](IniFile& ini) {
        for (std::size_t i = 0; i < checks.size(); ++i) {
            ini.WriteBool(Section(static_cast<int>(i) + 1), "CheckBox", checks[i]);
        }
    });
}

std::vector<std::string> LauncherFile::TakeProblems() {
    std::vector<std::string> taken;
    taken.swap(problems_);
    return taken;
}

} // namespace rimo
