#include "history/HistoryText.h"

#include "core/DateTime.h"
#include "net/SyncResultLine.h"

#include <cstdio>
#include <cstdlib>

namespace rimo::HistoryText {

namespace {

// Days from 1899-12-30 to 1970-01-01.
constexpr std::int64_t kUnixEpochDays = 25569;

std::string Formatted(std::int64_t unixMs, bool milliseconds, const char* layout) {
    const DateTime local = FromUnixMilliseconds(unixMs);
    const DateParts date = DecodeDate(local);
    const TimeParts time = DecodeTime(local);
    char text[48];
    std::snprintf(text, sizeof text, layout, date.Year, date.Month, date.Day, time.Hour,
                  time.Minute, time.Second);
    std::string result = text;
    if (milliseconds) {
        std::snprintf(text, sizeof text, ".%03d", time.Millisecond);
        result += text;
    }
    return result;
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
std::string OneLine(std::string text) {
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

std::string CsvRecord(const HistoryEntry& entry) {
    const std::optional<std::int64_t> lateness = LatenessMs(entry);
    std::string record;
    record += entry.DueMs ? IsoLocal(*entry.DueMs, false) : "";
    record += ',';
    record += entry.StartedMs ? IsoLocal(*entry.StartedMs, true) : "";
    record += ',';
    record += lateness ? std::to_string(*lateness) : "";
    for (const std::string_view field :
         {std::string_view(entry.Title), std::string_view(entry.Action),
          std::string_view(entry.Argument), OutcomeWord(entry.Outcome)}) {
        record += ',';
        record += CsvField(field);
    }
    record += ',';
    record += CsvField(Detail(entry));
    return record + "\r\n";
}

std::string PlainLine(const HistoryEntry& entry) {
    const std::optional<std::int64_t> lateness = LatenessMs(entry);
    std::string line;
    line += entry.DueMs ? PlainLocal(*entry.DueMs, false) : "-";
    line += '\t';
    line += entry.StartedMs ? PlainLocal(*entry.StartedMs, true) : "-";
    line += '\t';
    line += lateness ? std::to_string(*lateness) + " ms" : "-";
    line += '\t';
    line += OutcomeWord(entry.Outcome);
    for (const std::string& field : {entry.Title, entry.Action, entry.Argument, Detail(entry)}) {
        line += '\t';
        line += OneLine(field);
    }
    return line + '\n';
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
    std::string text = Formatted(unixMs, milliseconds, "%04d-%02d-%02dT%02d:%02d:%02d");
    const std::int64_t localMs = ToMilliseconds(FromUnixMilliseconds(unixMs));
    const std::int64_t offsetMinutes = (localMs - unixMs - kUnixEpochDays * kMsPerDay) / 60'000;
    char zone[32];
    std::snprintf(zone, sizeof zone, "%c%02lld:%02lld", offsetMinutes < 0 ? '-' : '+',
                  static_cast<long long>(std::llabs(offsetMinutes) / 60),
                  static_cast<long long>(std::llabs(offsetMinutes) % 60));
    return text + zone;
}

std::string PlainLocal(std::int64_t unixMs, bool milliseconds) {
    return Formatted(unixMs, milliseconds, "%04d/%02d/%02d %02d:%02d:%02d");
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
