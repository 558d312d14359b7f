#pragma once

#include "core/DateTime.h"
#include "core/Message.h"

#include <optional>
#include <string>

namespace rimo {

// The three notices of the timer's dialog.
enum class NoticeKind { Start, Loop, Expiry };

// What the dialog shows for a notice.
struct Notice {
    NoticeKind Kind = NoticeKind::Start;
    Message Label;   // Label1
    Message Caption; // the window title
    int WindowHeight = 0;
    bool CloseEnabled = false;
    bool OkVisible = false;
    Message OkCaption; // empty: the button keeps its caption
};

// Durations and texts of the countdown timer.
struct TimerTexts {
    // ComboBoxTime: "任意", "１分", "２分", "３分", "４分", "５分", "１０分".
    static constexpr int kQuickCount = 7;
    // The free duration is never shorter than this (DateTimePicker3).
    static constexpr int kMinimumSeconds = 5;

    // The duration of a quick choice; index 0 is the free duration. Nothing
    // for an index outside the items (no item chosen).
    static std::optional<DateTime> QuickDuration(int index, DateTime freeDuration);
    // "1時間 30分 5秒 ": each part present only when not zero and followed by
    // a blank; empty for zero.
    static Message DurationText(DateTime duration);
    // DateTimePicker3Change: a free duration under five seconds becomes five seconds.
    static DateTime FreeDurationAtLeastMinimum(DateTime duration);

    // The dialog's caption while counting: "残り0:02:59" (TimeCount 0) or
    // "経過0:00:01" (1); nothing for another index.
    static std::optional<Message> CountCaption(int timeCount, DateTime remaining, DateTime elapsed);
    // The notice for the timer's state when the dialog is shown.
    static Notice ComposeNotice(bool fired, bool loop, DateTime duration);

    // The wave file of the sound action: the text with every double quote
    // removed, when its extension is exactly ".wav"; nothing otherwise.
    static std::optional<std::string> WaveToPlay(const std::string& text);
};

} // namespace rimo
