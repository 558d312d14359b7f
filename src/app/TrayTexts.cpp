#include "app/TrayTexts.h"

#include "schedule/ScheduleWords.h"

#include "core/MainWindowState.h"
#include "core/TextCodec.h"
#include "timer/TimerTexts.h"

namespace rimo {

namespace {

// Bytes of the UTF-8 character starting at `text[i]`; 1 for a byte that does
// not start a valid character, so that bad bytes move on their own.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (i + length > text.size()) {
        return 1;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    // The whole sequence must be valid (no overlong or surrogate forms).
    return IsValidUtf8(text.substr(i, length)) ? length : 1;
}

} // namespace

bool TrayTexts::ShowsNextEvent(bool nextHint, const ScheduleRow* row) {
    return nextHint && row && (*row)[ColEnabled] == "○";
}

Message TrayTexts::NextEventText(const ScheduleRow& row) {
    return Translatable("rimo::TrayTexts", "次は %1 %2%3")
        .Arg(row[ColTitle])
        .Arg(ScheduleWords::Date(row[ColDate]))
        .Arg(row[ColTime]);
}

std::string TrayTexts::Tip(bool nextHint, const ScheduleRow* row, const MessageRender& render) {
    if (!ShowsNextEvent(nextHint, row)) {
        return kIdleTip;
    }
    return CutToCp932Bytes(render(NextEventText(*row)), kTipBytes);
}

std::string TrayTexts::RefreshedTitle(bool nextHint, const ScheduleRow* row,
                                      const MessageRender& render) {
    if (!ShowsNextEvent(nextHint, row)) {
        return MainWindowState::kProductTitle;
    }
    return render(NextEventText(*row)) + "     ";
}

std::string TrayTexts::CutToCp932Bytes(std::string_view utf8, std::size_t maxBytes) {
    std::size_t bytes = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t length = CharacterLength(utf8, i);
        const std::size_t width = Cp932Length(utf8.substr(i, length));
        if (bytes + width > maxBytes) {
            break;
        }
        bytes += width;
        i += length;
    }
    return std::string(utf8.substr(0, i));
}

std::string TrayTexts::RotateLeft(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const std::size_t length = CharacterLength(text, 0);
    std::string rotated(text.substr(length));
    rotated += text.substr(0, length);
    return rotated;
}

Message TrayTexts::QuickCaption(DateTime duration) {
    return Translatable("rimo::TrayTexts", "%1(&V)").Arg(TimerTexts::DurationText(duration));
}

std::string TrayTexts::LaunchTitleCaption(std::string_view title, int page) {
    return std::string(title) + "(&" + std::to_string(page + 1) + ")";
}

} // namespace rimo
