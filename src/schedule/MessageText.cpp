#include "schedule/MessageText.h"

namespace rimo {

PreparedMessage PrepareMessage(const std::string& message, DateTime now) {
    PreparedMessage prepared{message, false};
    std::string& text = prepared.Text;
    if (text.find("H:M") != std::string::npos) {
        const std::string time = " " + FormatScheduleTime(now).substr(0, 5) + " ";
        std::string replaced;
        std::size_t from = 0;
        for (std::size_t at = text.find("H:M"); at != std::string::npos;
             at = text.find("H:M", from)) {
            replaced.append(text, from, at - from).append(time);
            from = at + 3;
        }
        replaced.append(text, from, std::string::npos);
        text = std::move(replaced);
    }
    const std::size_t lower = text.find("%n");
    const std::size_t upper = text.find("%N");
    const std::size_t at = lower < upper ? lower : upper;
    if (at != std::string::npos) {
        text.replace(at, 2, "\r\n");
        prepared.MultiLine = true;
    }
    return prepared;
}

int MessageWindowNumbering::Next(const WindowExists& exists) {
    while (exists(number_)) {
        ++number_;
    }
    return number_;
}

void MessageWindowNumbering::OkClicked(const WindowExists& exists) {
    if (!exists(number_ - 1)) {
        number_ = 0;
    }
}

} // namespace rimo
