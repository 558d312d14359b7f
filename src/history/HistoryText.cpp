#include "history/HistoryText.h"

#include "core/DateTime.h"
#include "net/SyncResultLine.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace rimo::HistoryText {

namespace {

// The local time of a moment, with the zone's offset then (one reading of
// the zone: a history is printed by the hundred thousand).
struct LocalTime {
    std::tm Parts{};
    int Milliseconds = 0;
};

LocalTime LocalOf(std::int64_t unixMs) {
    const std::int64_t seconds = unixMs >= 0 ? unixMs / 1000 : -((999 - unixMs) / 1000);
    LocalTime local;
    local.Milliseconds = static_cast<int>(unixMs - seconds * 1000);
    const std::time_t t = static_cast<std::time_t>(seconds);
    localtime_r(&t, &local.Parts);
    return local;
}

std::string Formatted(const LocalTime& local, bool milliseconds, const char* layout) {
    const std::tm& parts = local.Parts;
    char text[64];
    int length = std::snprintf(text, sizeof text, layout, parts.tm_year + 1900, parts.tm_mon + 1,
                               parts.tm_mday, parts.tm_hour, parts.tm_min,
                               parts.tm_sec > 59 ? 59 : parts.tm_sec);
    if (milliseconds && length > 0) {
        length += std::snprintf(text + length, sizeof text - length, ".%03d", local.Milliseconds);
    }
    return std::string(text, length > 0 ? length : 0);
}

std::string CodeText(std::string_view code) {
    if (code == HistoryCode::Suspend) {
        return "the computer was asleep";
    }
    if (code == HistoryCode::ClockForward) {
        return "the clock was set forward";
    }
    if (code == HistoryCode::NotRunning) {
        return "the program was not running";
    }
    if (code == HistoryCode::NotAccepted) {
        return "the action or its argument cannot be used";
    }
    return std::string(code);
}

std::string_view OriginText(RunOrigin origin) {
    switch (origin) {
    case RunOrigin::Scheduled:
        return {};
    case RunOrigin::Test:
        return "test";
    case RunOrigin::RunNow:
        return "run now";
    case RunOrigin::Timer:
        return "timer";
    }
    return {};
}

// Tabs and line breaks would split a plain line.
std::string OneLine(std::string_view line) {
    std::string text(line);
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

} // namespace

std::string CsvHeader() {
    return "due,started,lateness_ms,title,action,argument,outcome,detail\r\n";
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    return quoted + '"';
}

namespace {

// How a record is laid out: for scripts (CSV) or for people (tabs).
struct Layout {
    std::string (*Moment)(std::int64_t unixMs, bool milliseconds);
    std::string (*Field)(std::string_view text);
    const char* None; // a moment or figure the entry does not have
    const char* LatenessUnit;
    char Separator;
    bool OutcomeFirst; // people read the outcome before the texts
    const char* End;
};

std::string Record(const HistoryEntry& entry, const Layout& layout) {
    const std::optional<std::int64_t> lateness = LatenessMs(entry);
    std::string record = entry.DueMs ? layout.Moment(*entry.DueMs, false) : layout.None;
    record += layout.Separator;
    record += entry.StartedMs ? layout.Moment(*entry.StartedMs, true) : layout.None;
    record += layout.Separator;
    record += lateness ? std::to_string(*lateness) + layout.LatenessUnit : layout.None;
    const std::string outcome(OutcomeWord(entry.Outcome));
    std::vector<std::string_view> texts{entry.Title, entry.Action, entry.Argument};
    texts.insert(layout.OutcomeFirst ? texts.begin() : texts.end(), outcome);
    const std::string detail = Detail(entry);
    texts.push_back(detail);
    for (const std::string_view text : texts) {
        record += layout.Separator;
        record += layout.Field(text);
    }
    return record + layout.End;
}

} // namespace

std::string CsvRecord(const HistoryEntry& entry) {
    return Record(entry, {IsoLocal, CsvField, "", "", ',', false, "\r\n"});
}

std::string PlainLine(const HistoryEntry& entry) {
    return Record(entry, {PlainLocal, OneLine, "-", " ms", '\t', true, "\n"});
}

std::string_view OutcomeWord(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::Done:
        return "done";
    case RunOutcome::Failed:
        return "failed";
    case RunOutcome::Missed:
        return "missed";
    }
    return "done";
}

std::string Detail(const HistoryEntry& entry) {
    std::string detail;
    const auto add = [&detail](const std::string& part) {
        if (!part.empty()) {
            detail += detail.empty() ? "" : "; ";
            detail += part;
        }
    };
    add(std::string(OriginText(entry.Origin)));
    if (entry.ExitStatus) {
        add(*entry.ExitStatus >= 0 ? "exit " + std::to_string(*entry.ExitStatus)
                                   : "signal " + std::to_string(-*entry.ExitStatus));
    }
    if (entry.OffsetNs) {
        add("offset " + FormatSeconds(*entry.OffsetNs, true) + " s" +
            (entry.ClockSet ? " (clock set)" : " (measured)"));
    }
    add(CodeText(entry.Code));
    add(entry.Message);
    if (entry.Occurrences > 1 && entry.LastDueMs) {
        add(std::to_string(entry.Occurrences) + " times, the last " +
            IsoLocal(*entry.LastDueMs, false));
    }
    return detail;
}

std::optional<std::int64_t> LatenessMs(const HistoryEntry& entry) {
    if (!entry.DueMs || !entry.StartedMs) {
        return std::nullopt;
    }
    return *entry.StartedMs - *entry.DueMs;
}

std::string IsoLocal(std::int64_t unixMs, bool milliseconds) {
    const LocalTime local = LocalOf(unixMs);
    std::string text = Formatted(local, milliseconds, "%04d-%02d-%02dT%02d:%02d:%02d");
    const long offsetMinutes = local.Parts.tm_gmtoff / 60;
    char zone[32];
    std::snprintf(zone, sizeof zone, "%c%02ld:%02ld", offsetMinutes < 0 ? '-' : '+',
                  std::labs(offsetMinutes) / 60, std::labs(offsetMinutes) % 60);
    return text + zone;
}

std::string PlainLocal(std::int64_t unixMs, bool milliseconds) {
    return Formatted(LocalOf(unixMs), milliseconds, "%04d/%02d/%02d %02d:%02d:%02d");
}

std::optional<std::int64_t> ParseDay(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    int parts[3] = {0, 0, 0};
    const std::string_view fields[3] = {text.substr(0, 4), text.substr(5, 2), text.substr(8, 2)};
    for (int i = 0; i < 3; ++i) {
        for (const char c : fields[i]) {
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
            parts[i] = parts[i] * 10 + (c - '0');
        }
    }
    const std::optional<DateTime> day = TryEncodeDate(parts[0], parts[1], parts[2]);
    if (!day) {
        return std::nullopt;
    }
    return ToUnixMilliseconds(*day);
}

} // namespace rimo::HistoryText
