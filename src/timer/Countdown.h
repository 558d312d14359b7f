#pragma once

#include "core/DateTime.h"

#include <cstdint>
#include <optional>
#include <string>

namespace rimo {

// The countdown timer's state, shared by the timer page and its dialog.
struct CountdownState {
    bool CountdownRunning = false;
    // The expiry actions run in this tick; the dialog shows the expiry notice.
    bool CountdownFired = false;
    // The test button: the next tick runs the expiry actions once; a
    // countdown that runs goes on counting.
    bool CountdownTestMode = false;
    DateTime RemainingTime = 0;
    DateTime ElapsedTime = 0;
    // Ticks since the dialog was last reset; at 3 it is minimised.
    int NoticeTicks = 0;
};

// The page's options as the countdown step reads them.
struct CountdownOptions {
    bool Loop = false;  // "Loopさせる(&O)"
    bool Beep = false;  // "警告音を鳴らす(&B)"
    bool Sound = false; // "サウンドを鳴らす(&S)"
    bool Path = false;  // "アプリ起動(&C)"
    int TimeCount = 0;  // 0 count down, 1 count up
    std::string WavePath;
    std::string Command;
};

// What the countdown step does through the page, the dialog and the services.
class CountdownSteps {
public:
    virtual ~CountdownSteps() = default;
    virtual CountdownOptions Options() = 0;
    virtual void MinimiseNotice() = 0;
    // Closing the dialog for the notice that follows: resets NoticeTicks,
    // stops the timer and a playing sound.
    virtual void CloseNotice() = 0;
    // Shows the dialog composed for the current state, restored and in front.
    virtual void ShowNoticeInFront() = 0;
    // Starts again exactly as the start button does.
    virtual void StartAgain() = 0;
    virtual void Beep() = 0;
    virtual void PlayWave(const std::string& path) = 0;
    virtual void RunCommandLine(const std::string& command) = 0;
    virtual void SetNoticeCaption(const std::string& caption) = 0;
};

// The countdown and its step of the one-second tick. The time that has passed
// is read from a clock that runs on through suspend and is never set
// (milliseconds passed in by the caller), so a late, missed or delayed tick
// never lengthens the countdown; the ticks only show and fire it.
class Countdown {
public:
    CountdownState& State() { return state_; }
    const CountdownState& State() const { return state_; }

    // Starting: the remaining time becomes `duration` (kept as it was when
    // there is none); the elapsed time is zero. A zero duration could never
    // end, so nothing starts then: false. The ticks come at each wall-clock
    // second, `msIntoSecond` after the last one: the count starts at that
    // second, so that the first tick counts one second whenever the click
    // comes (also after a long gap, when there was no tick just before).
    bool Start(std::optional<DateTime> duration, std::int64_t nowMs, int msIntoSecond = 0);
    // The test button: the next tick runs the expiry actions once (a start
    // in between does not undo it; a running countdown goes on counting).
    void Test() { state_.CountdownTestMode = true; }
    // Stops counting and drops a test that has not run yet.
    void Stop() {
        state_.CountdownRunning = false;
        state_.CountdownTestMode = false;
    }

    // The countdown step and the caption step of a tick at `nowMs`.
    void Step(std::int64_t nowMs, CountdownSteps& steps);

private:
    void Count(std::int64_t nowMs);
    void Expire(const CountdownOptions& options, CountdownSteps& steps);
    static void RunExpiryActions(const CountdownOptions& options, CountdownSteps& steps);

    CountdownState state_;
    std::int64_t durationSeconds_ = 0;
    // The counted seconds start here: the second of the tick before the
    // start, so that the first tick counts one second, as the ticks show it.
    std::int64_t countFromMs_ = 0;
    std::int64_t countedSeconds_ = 0;
};

} // namespace rimo
