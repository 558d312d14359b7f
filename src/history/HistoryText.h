#pragma once

#include "history/HistoryEntry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rimo {

// The history as text for scripts and terminals. Everything here is the same
// whatever the language of the interface: outcomes are "done", "failed" and
// "missed", details are English words and figures (a failure keeps the text
// the user was shown).
namespace HistoryText {

// The CSV header line (RFC 4180: CR LF ended).
std::string CsvHeader();
// One entry as a CSV record: due,started,lateness_ms,title,action,argument,outcome,detail.
std::string CsvRecord(const HistoryEntry& entry);
// A field, quoted when it holds a comma, a double quote, CR or LF (quotes doubled).
std::string CsvField(std::string_view text);

// One entry as a line for people: the same fields, separated by tabs.
std::string PlainLine(const HistoryEntry& entry);

// "done", "failed" or "missed".
std::string_view OutcomeWord(RunOutcome outcome);
// The detail: what started the run when it was not the schedule, the exit
// status ("exit 3", "signal 9"), the clock's offset, the failure or why it
// was missed, and how often a repeating row was missed; "; " between them.
std::string Detail(const HistoryEntry& entry);
// Milliseconds between the due second and the start; none without both.
std::optional<std::int64_t> LatenessMs(const HistoryEntry& entry);

// The local time of a moment as ISO 8601 with this machine's offset then:
// "2026-12-08T10:00:00+09:00", with ".mmm" after the seconds when asked.
std::string IsoLocal(std::int64_t unixMs, bool milliseconds);
// For people: "2026/12/08 10:00:00" (".mmm" when asked).
std::string PlainLocal(std::int64_t unixMs, bool milliseconds);

// "YYYY-MM-DD" as the Unix milliseconds of that day's local midnight.
std::optional<std::int64_t> ParseDay(std::string_view text);

} // namespace HistoryText

} // namespace rimo
