#include "schedule/ScheduleWords.h"

#include "core/DateTime.h"
#include "schedule/ScheduleEditRules.h"
#include "schedule/ScheduleTable.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace rimo {

namespace {

constexpr const char* kContext = "rimo::ScheduleWords";

// The listed word itself (a literal that lives for the whole run), so that
// the message never points into the table.
template <typename Words> Message Word(const Words& words, const std::string& stored) {
    for (const auto& word : words) {
        if (!stored.empty() && stored == word) {
            return Message(kContext, std::string_view(word).data());
        }
    }
    return Message::Plain(stored);
}

bool IsDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

Message ScheduleWords::Display(int column, const std::string& stored) {
    if (column == ColDate) {
        return Date(stored);
    }
    const std::vector<std::string>* words = ColumnChoices(column);
    return words ? Word(*words, stored) : Message::Plain(stored);
}

Message ScheduleWords::Header(const std::string& stored) {
    return Word(ScheduleHeader(), stored);
}

Message ScheduleWords::Date(const std::string& stored) {
    // "yyyy/mm/dd/" and a day name.
    const std::string_view text = stored;
    if (text.size() < 12 || !IsDigits(text.substr(0, 4)) || text[4] != '/' ||
        !IsDigits(text.substr(5, 2)) || text[7] != '/' || !IsDigits(text.substr(8, 2)) ||
        text[10] != '/') {
        return Message::Plain(stored);
    }
    const std::string_view day = text.substr(11);
    const auto& names = DayNames();
    const auto found =
        std::find_if(names.begin(), names.end(), [&](const char* name) { return day == name; });
    if (found == names.end()) {
        return Message::Plain(stored);
    }
    return Translatable("rimo::ScheduleWords", "%1/%2")
        .Arg(std::string(text.substr(0, 10)))
        .Arg(Message("rimo::Weekday", *found));
}

} // namespace rimo
