#include "timer/TimerTexts.h"

#include <algorithm>

namespace rimo {

std::optional<DateTime> TimerTexts::QuickDuration(int index, DateTime freeDuration) {
    static constexpr int kMinutes[kQuickCount] = {0, 1, 2, 3, 4, 5, 10};
    if (index < 0 || index >= kQuickCount) {
        return std::nullopt;
    }
    if (index == 0) {
        return TimeOf(freeDuration);
    }
    return EncodeTime(0, kMinutes[index], 0);
}

std::string TimerTexts::DurationText(DateTime duration) {
    const TimeParts t = DecodeTime(duration);
    std::string text;
    if (t.Hour != 0) {
        text += std::to_string(t.Hour) + "時間 ";
    }
    if (t.Minute != 0) {
        text += std::to_string(t.Minute) + "分 ";
    }
    if (t.Second != 0) {
        text += std::to_string(t.Second) + "秒 ";
    }
    return text;
}

DateTime TimerTexts::FreeDurationAtLeastMinimum(DateTime duration) {
    // Compared as the whole seconds the picker shows.
    const TimeParts t = DecodeTime(duration);
    if (t.Hour == 0 && t.Minute == 0 && t.Second < kMinimumSeconds) {
        return EncodeTime(0, 0, kMinimumSeconds);
    }
    return duration;
}

std::optional<std::string> TimerTexts::CountCaption(int timeCount, DateTime remaining,
                                                    DateTime elapsed) {
    switch (timeCount) {
    case 0:
        return "残り" + FormatLongTime(remaining);
    case 1:
        return "経過" + FormatLongTime(elapsed);
    default:
        return std::nullopt;
    }
}

Notice TimerTexts::ComposeNotice(bool fired, bool loop, DateTime duration) {
    const std::string text = DurationText(duration);
    Notice notice;
    if (fired) {
        notice = {NoticeKind::Expiry,
                  "ご指定の " + text + "が経過しました",
                  "RimoTimeInformation タイマー終了",
                  100,
                  true,
                  true,
                  "OK"};
    } else if (loop) {
        notice = {NoticeKind::Loop,
                  "ご指定の " + text + "毎にLoopします",
                  "RimoTimeInformation タイマーLoopモード",
                  100,
                  true,
                  true,
                  "停止"};
    } else {
        notice = {NoticeKind::Start,
                  "只今より " + text + "経過したらお知らせします",
                  "RimoTimeInformation タイマー起動",
                  80,
                  false,
                  false,
                  ""};
    }
    return notice;
}

std::optional<std::string> TimerTexts::WaveToPlay(const std::string& text) {
    std::string path = text;
    path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos ||
        path.compare(dot, std::string::npos, ".wav") != 0) {
        return std::nullopt;
    }
    return path;
}

} // namespace rimo
