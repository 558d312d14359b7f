#include "timer/Countdown.h"

#include "timer/TimerTexts.h"

#include <algorithm>
#include <utility>

namespace rimo {

namespace {

constexpr std::int64_t kMsPerSecond = 1000;

DateTime Seconds(std::int64_t seconds) {
    return FromMilliseconds(seconds * kMsPerSecond);
}

} // namespace

bool Countdown::Start(std::optional<DateTime> duration, std::int64_t nowMs, int msIntoSecond) {
    if (duration) {
        state_.RemainingTime = *duration;
    }
    const std::int64_t seconds = (ToMilliseconds(state_.RemainingTime) + 500) / kMsPerSecond;
    if (seconds <= 0) {
        return false;
    }
    durationSeconds_ = seconds;
    state_.ElapsedTime = 0;
    state_.CountdownRunning = true;
    countedSeconds_ = 0;
    countFromMs_ = nowMs - std::clamp<std::int64_t>(msIntoSecond, 0, kMsPerSecond - 1);
    return true;
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
    // A test runs once, whatever the countdown does.
    const bool test = std::exchange(state_.CountdownTestMode, false);
    if (!test && !state_.CountdownRunning) {
        return;
    }
    const CountdownOptions options = steps.Options();
    if (state_.CountdownRunning) {
        if (++state_.NoticeTicks == 3) {
            steps.MinimiseNotice();
        }
        Count(nowMs);
        if (countedSeconds_ >= durationSeconds_) {
            Expire(options, steps);
        }
    }
    if (test || state_.CountdownFired) {
        RunExpiryActions(options, steps);
    }
    state_.CountdownFired = false;

    if (state_.CountdownRunning) {
        if (const std::optional<std::string> caption = TimerTexts::CountCaption(
                options.TimeCount, state_.RemainingTime, state_.ElapsedTime)) {
            steps.SetNoticeCaption(*caption);
        }
    }
}

void Countdown::Expire(const CountdownOptions& options, CountdownSteps& steps) {
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

void Countdown::RunExpiryActions(const CountdownOptions& options, CountdownSteps& steps) {
    if (options.Beep) {
        steps.Beep();
    }
    if (options.Sound) {
        if (const std::optional<std::string> wave = TimerTexts::WaveToPlay(options.WavePath)) {
            steps.PlayWave(*wave);
        }
    }
    if (options.Path) {
        steps.RunCommandLine(options.Command);
    }
}

} // namespace rimo
