// The settings file of the main window: rimotime.ini into the controls, the
// window's place and size at start, and back at close.
#include "app/FormSettings.h"
#include "app/SettingsFile.h"
#include "app/TForm1.h"
#include "app/TrayMenu.h"
#include "app/WindowRules.h"
#include "app/WindowSession.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

namespace rimo {

namespace {

const SettingKey& Key(const char* name) {
    return *SettingsSchema::Find(name);
}

} // namespace

bool TForm1::CanPlaceWindows() {
    return !WindowSession::CompositorDecides();
}

void TForm1::LoadSettings() {
    SettingsFile::ReadReport report = SettingsFile::Read(paths_.SettingsFile());
    // What is wrong with the file itself (bytes, duplicate keys) is shown.
    const std::vector<std::string>& problems = report.Problems;
    const IniFile& ini = report.Ini;
    // A value that is not a number or out of range (a hand edit) takes its
    // default or nearest usable value quietly: one line on standard error.
    const auto valueNote = [&](const std::string& note) {
        std::fprintf(stderr, "%s: %s\n", paths_.SettingsFile().c_str(), note.c_str());
    };
    const auto read = [&](const char* name) {
        const SettingKey& key = Key(name);
        const ParsedSetting parsed = SettingsSchema::Parse(key, SettingsFile::Stored(ini, key));
        if (!parsed.Note.empty()) {
            valueNote(parsed.Note);
        }
        return parsed.Value.Number;
    };

    // Place and size; a negative place is 0 (by the key's rule).
    WindowRules::Place place{read("Left"), read("Top")};
    const int width = read("Width");
    const int height = read("Height");
    storedLeft_ = SettingsFile::Stored(ini, Key("Left"));
    storedTop_ = SettingsFile::Stored(ini, Key("Top"));
    if (CanPlaceWindows()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect desktop = screen->virtualGeometry();
            place = WindowRules::KeepReachable(place, desktop.right() + 1, desktop.bottom() + 1);
        }
        move(place.Left, place.Top);
    }
    ChooseSize({width, height});

    // The options, each assignment running its control's handler.
    state_.ShowFlag = read("ShowFlag");
    for (const std::string& note : settings_->Load(ini)) {
        valueNote(note);
    }
    trayMenu_->Item(QStringLiteral("TimeLoop"))->setChecked(settings_->Checked("TimeLoop"));

    if (!problems.empty()) {
        QString text = QStringLiteral("設定ファイル %1 について:")
                           .arg(QString::fromStdString(paths_.SettingsFile().string()));
        for (const std::string& problem : problems) {
            text += QStringLiteral("\n・") + QString::fromStdString(problem);
        }
        startupProblems_.append(text);
        if (shownOnce_) {
            ShowStartupProblems();
        }
    }
}

Status TForm1::SaveSettings() {
    SettingsFile::ReadReport report = SettingsFile::Read(paths_.SettingsFile());
    for (const std::string& problem : report.Problems) {
        std::fprintf(stderr, "%s: %s\n", paths_.SettingsFile().c_str(), problem.c_str());
    }
    IniFile& ini = report.Ini;
    const auto put = [&](const char* name, int value) {
        SettingsFile::Put(ini, Key(name), std::to_string(value));
    };
    if (CanPlaceWindows()) {
        put("Left", x());
        put("Top", y());
    } else {
        // The compositor's place is not the program's to keep: the stored one stays.
        SettingsFile::Put(ini, Key("Left"), storedLeft_.value_or(Key("Left").Default));
        SettingsFile::Put(ini, Key("Top"), storedTop_.value_or(Key("Top").Default));
    }
    // Where the compositor decides, the size it gave (a tile, a clamp) is
    // not the user's: the size the program chose is kept.
    const QSize size = CanPlaceWindows() || !chosenSize_.isValid() ? this->size() : chosenSize_;
    put("Width", size.width());
    put("Height", size.height());
    put("ShowFlag", state_.ShowFlag);
    settings_->Save(ini);
    return SettingsFile::Write(paths_.SettingsFile(), ini);
}

} // namespace rimo
