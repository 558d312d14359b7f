#pragma once

#include "schedule/ScheduleTable.h"

#include <functional>
#include <string>

namespace rimo {

enum class ActionKind {
    None,      // column 4 names no action, or the argument is not usable
    Beep,      // "警告音"
    Message,   // "メッセージ"
    Start,     // "起動"
    SyncClock, // "時刻合わせ"
    ScreenSave,
    Wallpaper, // "壁紙変更"
    Sound,     // "サウンド"
    Launcher,  // "ランチャー"
    Power, // "ｼｬｯﾄﾀﾞｳﾝ", "ログオフ", "リブート", "スタンバイ", "ﾊｲﾊﾞﾈｰｼｮﾝ"
};

// What a row's action step decided, before anything is carried out.
struct ActionPlan {
    ActionKind Kind = ActionKind::None;
    // The step accepts the row: a scheduled run moves it on before acting.
    bool Advance = false;
    // Message text, command, unquoted path, launcher page title or power switch.
    std::string Argument;
    // "ScreenSave": the argument names a screen saver (or is empty) and
    // becomes the configured one.
    bool SetScreenSaver = false;
};

// Tells whether an unquoted path names a screen saver program.
using ScreenSaverTest = std::function<bool(const std::string& path)>;

// The action step for a row: which action, whether the row is accepted, and
// its argument. Names and extensions are compared exactly.
ActionPlan PlanAction(const ScheduleRow& row, const ScreenSaverTest& isScreenSaver);

// Column 5 with every double quote removed.
std::string UnquotedPath(const std::string& text);
// The extension of a path: from the last "." after the last "/", or empty.
std::string FileExtension(const std::string& path);

// The switch the power companion gets for a power action, or empty.
std::string PowerSwitch(const std::string& action);

} // namespace rimo
