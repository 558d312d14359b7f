#include "timer/Countdown.h"

#include "timer/TimerTexts.h"

#include <algorithm>

namespace rimo {

namespace {

constexpr std::int64_t kMsPerSecond = 1000;

DateTime Seconds(std::int64_t seconds) {
    return FromMilliseconds(seconds * kMsPerSecond);
}

} // namespace

bool Countdown::Start(std::optional<DateTime> duration, std::int64_t nowMs) {
    if (duration) {
        state_.RemainingTime = *duration;
    }
    const std::int64_t seconds = (ToMilliseconds(state_.RemainingTime) + 500) / kMsPerSecond;
    if (seconds <= 0) {
        return false;
    }
    durationSeconds_ = seconds;
    state_.CountdownTestMode = false;
    state_.ElapsedTime = 0;
    state_.CountdownRunning = true;
    countedSeconds_ = 0;
    // Counted from the tick before the start when there was one within the
    // last second (the ticks are one second apart), else from now.
    countFromMs_ = lastTickMs_ && nowMs - *lastTickMs_ < kMsPerSecond ? *lastTickMs_ : nowMs;
    return true;
}

void Countdown::Test() {
    state_.CountdownTestMode = true;
    state_.CountdownRunning = true;
    state_.CountdownFired = true;
}

void Countdown::Count(std::int64_t nowMs) {
    // Whole seconds to the nearest: a tick a little early or late counts as
    // its own second; ticks missed or held up count all the time that passed.
    const std::int64_t passed =
        (std::max<std::int64_t>(nowMs - countFromMs_, 0) + 500) / kMsPerSecond;
    countedSeconds_ = std::min(std::max(countedSeconds_, passed), durationSeconds_);
    state_.RemainingTime = Seconds(durationSeconds_ - countedSeconds_);
    state_.ElapsedTime = Seconds(countedSeconds_);
}

void Countdown::Step(std::int64_t nowMs, CountdownSteps& steps) {
    lastTickMs_ = nowMs;
    if (!state_.CountdownRunning) {
        return;
    }
    const CountdownOptions options = steps.Options();
    if (!state_.CountdownTestMode) {
        if (++state_.NoticeTicks == 3) {
            steps.MinimiseNotice();
        }
        Count(nowMs);
        if (countedSeconds_ >= durationSeconds_) {
            state_.CountdownFired = true;
            steps.CloseNotice();
            steps.ShowNoticeInFront();
            state_.CountdownRunning = false;
            if (options.Loop) {
                steps.CloseNotice();
                state_.CountdownFired = false;
                steps.StartAgain();
                state_.CountdownFired = true;
            }
        }
    }
    RunExpiryActions(options, steps);
    state_.CountdownFired = false;
    if (options.Loop) {
        state_.CountdownRunning = true;
    }

    if (!state_.CountdownTestMode && state_.CountdownRunning) {
        if (const std::optional<std::string> caption = TimerTexts::CountCaption(
                options.TimeCount, state_.RemainingTime, state_.ElapsedTime)) {
            steps.SetNoticeCaption(*caption);
        }
    }
}

void Countdown::RunExpiryActions(const CountdownOptions& options, CountdownSteps& steps) {
    if (state_.CountdownFired && options.Beep) {
        steps.Beep();
        state_.CountdownRunning = false;
    }
    if (state_.CountdownFired && options.Sound) {
        if (const std::optional<std::string> wave = TimerTexts::WaveToPlay(options.WavePath)) {
            steps.PlayWave(*wave);
        }
        state_.CountdownRunning = false;
    }
    if (state_.CountdownFired && options.Path) {
        steps.RunCommandLine(options.Command);
        state_.CountdownRunning = false;
    }
}

} // namespace rimo
