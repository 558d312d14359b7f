#include "core/Message.h"

namespace rimo {

std::string Message::Text() const {
    return Render([](const char*, const char* source) { return std::string(source); });
}

std::string Message::Substitute(std::string_view format, const std::vector<std::string>& args) {
    std::string text;
    text.reserve(format.size() + 32);
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 >= format.size() || format[i + 1] < '1' || format[i + 1] > '9') {
            text += c;
            continue;
        }
        std::size_t number = static_cast<std::size_t>(format[i + 1] - '0');
        std::size_t end = i + 2;
        if (end < format.size() && format[end] >= '0' && format[end] <= '9') {
            number = number * 10 + static_cast<std::size_t>(format[end] - '0');
            ++end;
        }
        if (number > args.size()) {
            text += c;
            continue;
        }
        text += args[number - 1];
        i = end - 1;
    }
    return text;
}

} // namespace rimo
