#pragma once

#include "core/Message.h"

#include <string>

namespace rimo {

// The schedule's stored words as the interface shows them. The table, the
// file, sorting and every rule keep the stored words ("毎日", "メッセージ",
// "する", "○", "2030/01/07/月"); only what the grid, its editors, hints and
// the tray show is translated (context "rimo::ScheduleWords", day names
// "rimo::Weekday").
struct ScheduleWords {
    // A cell of `column` as shown: the word of the repetition, action,
    // delete and enabled columns, the date with its day name; any other
    // text (a title, a message, a word this program does not know) as it is.
    static Message Display(int column, const std::string& stored);
    // The header of a column (row 0 of the table) as shown.
    static Message Header(const std::string& stored);
    // "2030/01/07/月" as "%1/%2" with the day name translated; a text of
    // another form as it is.
    static Message Date(const std::string& stored);
};

} // namespace rimo
