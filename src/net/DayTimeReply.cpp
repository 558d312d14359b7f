#include "net/DayTimeReply.h"

#include <array>

namespace rimo {

namespace {

constexpr std::int64_t kHourMs = 3'600'000;
// NIST's health digit: "\nJJJJJ YY-MM-DD hh:mm:ss TT L H ...".
constexpr long kNistHealthPosition = 31;

// Characters [index, index + count) counted from 1; an index before the start
// reads from the first character, a range past the end is cut.
std::string Copy(std::string_view text, long index, long count) {
    const long length = static_cast<long>(text.size());
    long start = index < 1 ? 0 : index - 1;
    if (start > length) {
        start = length;
    }
    if (count < 0) {
        count = 0;
    }
    if (count > length - start) {
        count = length - start;
    }
    return std::string(
        text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count)));
}

// 1-based position of the first occurrence, 0 when absent.
long Pos(std::string_view needle, std::string_view text) {
    const std::size_t at = text.find(needle);
    return at == std::string_view::npos ? 0 : static_cast<long>(at) + 1;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Whether `word` stands in the text with no letter right before or after it.
bool ContainsWord(std::string_view text, std::string_view word) {
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || !IsLetter(text[at - 1])) && (end == text.size() || !IsLetter(text[end]))) {
            return true;
        }
    }
    return false;
}

// The character at 1-based position `index`, or 0 outside the text.
char At(std::string_view text, long index) {
    return index >= 1 && index <= static_cast<long>(text.size()) ? text[index - 1] : '\0';
}

std::string TwoDigitMonth(std::string_view letters) {
    const int month = MonthNumber(letters);
    return (month < 10 ? "0" : "") + std::to_string(month);
}

std::string Compose(const std::string& year, const std::string& month, const std::string& day,
                    const std::string& time) {
    return year + "/" + month + "/" + day + " " + time;
}

// The EDT and EST layouts are anchored on the 12-hour clock's "AM" or "PM": the time
// ends right before it (a blank between is allowed), the hour has one or two
// digits, and the year and the day sit at fixed places before the hour.
std::string ComposeEdt(std::string_view reply) {
    const long am = Pos("AM", reply);
    const long pm = Pos("PM", reply);
    const bool afternoon = pm != 0 && (am == 0 || pm < am);
    const long anchor = afternoon ? pm : am;

    long end = anchor - 1; // last character of the seconds
    while (anchor != 0 && At(reply, end) == ' ') {
        --end;
    }
    long hourStart = end - 6;
    long hourLength = 1;
    if (anchor != 0 && IsDigit(At(reply, hourStart - 1))) {
        --hourStart;
        hourLength = 2;
    }

    std::string hour = Copy(reply, hourStart, hourLength);
    const bool numeric = anchor != 0 && !hour.empty() && IsDigit(hour.front()) &&
                         (hour.size() == 1 || IsDigit(hour.back()));
    if (numeric) {
        int value = std::stoi(hour);
        if (value >= 1 && value <= 12) {
            value %= 12;
            if (afternoon) {
                value += 12;
            }
        }
        hour = std::to_string(value);
    }
    const std::string time = hour + ":" + Copy(reply, end - 4, 2) + ":" + Copy(reply, end - 1, 2);
    const std::string year = Copy(reply, hourStart - 5, 4);
    const std::string day = Copy(reply, hourStart - 9, 2);
    const std::string month = TwoDigitMonth(Copy(reply, Pos(", ", reply) + 2, 3));
    return Compose(year, month, day, time);
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    return pos;
}

bool Number(std::string_view text, std::size_t& pos, std::size_t maxDigits, int& value) {
    pos = SkipBlanks(text, pos);
    std::size_t digits = 0;
    value = 0;
    while (pos < text.size() && digits < maxDigits && IsDigit(text[pos])) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

bool Separator(std::string_view text, std::size_t& pos, char c) {
    pos = SkipBlanks(text, pos);
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

// The date-time of a composed text; `hasTime` says whether a time followed the date.
std::optional<DateTime> ParseReplyDateTime(std::string_view text, bool& hasTime) {
    hasTime = false;
    std::size_t pos = 0;
    int year = 0;
    int month = 0;
    int day = 0;
    if (!Number(text, pos, 4, year) || !Separator(text, pos, '/') || !Number(text, pos, 2, month) ||
        !Separator(text, pos, '/') || !Number(text, pos, 2, day)) {
        return std::nullopt;
    }
    const std::optional<DateTime> date = TryEncodeDate(year, month, day);
    if (!date) {
        return std::nullopt;
    }
    pos = SkipBlanks(text, pos);
    if (pos == text.size()) {
        return date;
    }
    hasTime = true;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!Number(text, pos, 2, hour) || !Separator(text, pos, ':') ||
        !Number(text, pos, 2, minute)) {
        return std::nullopt;
    }
    if (Separator(text, pos, ':') && !Number(text, pos, 2, second)) {
        return std::nullopt;
    }
    if (SkipBlanks(text, pos) != text.size() || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return *date + EncodeTime(hour, minute, second);
}

} // namespace

int MonthNumber(std::string_view threeLetters) {
    static constexpr std::array<std::string_view, 12> kMonths = {
        "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    std::string upper(threeLetters);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    for (std::size_t i = 0; i < kMonths.size(); ++i) {
        if (upper == kMonths[i]) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

bool NamesItsZone(ReplyLayout layout) {
    return layout != ReplyLayout::Other;
}

ReplyLayout DetectReplyLayout(std::string_view reply) {
    if (Pos("NIST", reply) != 0) {
        return ReplyLayout::Nist;
    }
    if (ContainsWord(reply, "EDT")) {
        return ReplyLayout::Edt;
    }
    if (ContainsWord(reply, "EST")) {
        return ReplyLayout::Est;
    }
    if (Pos("UTC", reply) != 0) {
        return ReplyLayout::Utc;
    }
    return ReplyLayout::Other;
}

std::optional<DateTime> ReadReplyDateTime(std::string_view text) {
    bool hasTime = false;
    return ParseReplyDateTime(text, hasTime);
}

Message ConversionErrorText(std::string_view text) {
    return Translatable("rimo::DayTimeReply", "'%1' は日付または時刻ではありません")
        .Arg(std::string(text));
}

DayTimeReading ReadDayTimeReply(std::string_view reply) {
    DayTimeReading reading;
    reading.Layout = DetectReplyLayout(reply);
    int hoursBehind = 0;
    switch (reading.Layout) {
    case ReplyLayout::Nist:
        reading.Text = "20" + Copy(reply, 8, 18);
        for (char& c : reading.Text) {
            if (c == '-') {
                c = '/';
            }
        }
        if (IsDigit(At(reply, kNistHealthPosition))) {
            reading.NistHealth = At(reply, kNistHealthPosition) - '0';
        }
        break;
    case ReplyLayout::Edt:
    case ReplyLayout::Est:
        reading.Text = ComposeEdt(reply);
        hoursBehind = reading.Layout == ReplyLayout::Edt ? 4 : 5;
        break;
    case ReplyLayout::Utc:
        reading.Text = Compose(Copy(reply, 25, 4), TwoDigitMonth(Copy(reply, 5, 3)),
                               Copy(reply, 9, 2), Copy(reply, 12, 8));
        break;
    case ReplyLayout::Other:
        reading.Text = Compose(Copy(reply, 21, 4), TwoDigitMonth(Copy(reply, 5, 3)),
                               Copy(reply, 9, 2), Copy(reply, 12, 8));
        hoursBehind = 4;
        break;
    }
    bool hasTime = false;
    const std::optional<DateTime> written = ParseReplyDateTime(reading.Text, hasTime);
    if (!written) {
        reading.Error = ConversionErrorText(reading.Text);
        return reading;
    }
    // In whole milliseconds, so that no rounding creeps in.
    const DateTime utc = FromMilliseconds(ToMilliseconds(*written) + hoursBehind * kHourMs);
    if (DecodeDate(utc).Year > 9999) {
        reading.Error = ConversionErrorText(reading.Text);
        return reading;
    }
    reading.Written = written;
    reading.Utc = utc;
    reading.TimeBlank = !hasTime;
    return reading;
}

} // namespace rimo
