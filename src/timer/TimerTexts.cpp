#include "timer/TimerTexts.h"

#include <algorithm>

namespace rimo {

namespace {

constexpr const char* kContext = "rimo::TimerTexts";

} // namespace

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

Message TimerTexts::DurationText(DateTime duration) {
    const TimeParts t = DecodeTime(duration);
    // One whole text for each set of parts, so that a translation words it as a whole.
    static constexpr const char* kTexts[8] = {
        "",
        QT_TRANSLATE_NOOP("rimo::TimerTexts", "%1秒 "),
        QT_TRANSLATE_NOOP("rimo::TimerTexts", "%1分 "),
        QT_TRANSLATE_NOOP("rimo::TimerTexts", "%1分 %2秒 "),
        QT_TRANSLATE_NOOP("rimo::TimerTexts", "%1時間 "),
        QT_TRANSLATE_NOOP("rimo::TimerTexts", "%1時間 %2秒 "),
        QT_TRANSLATE_NOOP("rimo::TimerTexts", "%1時間 %2分 "),
        QT_TRANSLATE_NOOP("rimo::TimerTexts", "%1時間 %2分 %3秒 "),
    };
    const int parts = (t.Hour != 0 ? 4 : 0) | (t.Minute != 0 ? 2 : 0) | (t.Second != 0 ? 1 : 0);
    if (parts == 0) {
        return Message::Plain("");
    }
    Message text(kContext, kTexts[parts]);
    for (const int value : {t.Hour, t.Minute, t.Second}) {
        if (value != 0) {
            text.Arg(value);
        }
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

std::optional<Message> TimerTexts::CountCaption(int timeCount, DateTime remaining,
                                                DateTime elapsed) {
    switch (timeCount) {
    case 0:
        return Translatable("rimo::TimerTexts", "残り%1").Arg(FormatLongTime(remaining));
    case 1:
        return Translatable("rimo::TimerTexts", "経過%1").Arg(FormatLongTime(elapsed));
    default:
        return std::nullopt;
    }
}

Notice TimerTexts::ComposeNotice(bool fired, bool loop, DateTime duration) {
    const Message text = DurationText(duration);
    Notice notice;
    if (fired) {
        notice = {NoticeKind::Expiry,
                  Translatable("rimo::TimerTexts", "ご指定の %1が経過しました").Arg(text),
                  Translatable("rimo::TimerTexts", "RimoTimeInformation タイマー終了"),
                  100,
                  true,
                  true,
                  Message::Plain("OK")};
    } else if (loop) {
        notice = {NoticeKind::Loop,
                  Translatable("rimo::TimerTexts", "ご指定の %1毎にLoopします").Arg(text),
                  Translatable("rimo::TimerTexts", "RimoTimeInformation タイマーLoopモード"),
                  100,
                  true,
                  true,
                  Translatable("rimo::TimerTexts", "停止")};
    } else {
        notice = {NoticeKind::Start,
                  Translatable("rimo::TimerTexts", "只今より %1経過したらお知らせします").Arg(text),
                  Translatable("rimo::TimerTexts", "RimoTimeInformation タイマー起動"),
                  80,
                  false,
                  false,
                  Message()};
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
