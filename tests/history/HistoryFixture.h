#pragma once

// Entries for history tests, and a real database in a temporary folder.

#include "TempFolder.h"
#include "history/HistoryDatabase.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace rimo {

inline HistoryEntry SampleEntry(std::int64_t id, std::int64_t startedMs,
                                const std::string& title = "job") {
    HistoryEntry entry;
    entry.Id = id;
    entry.DueMs = startedMs - startedMs % 1000;
    entry.StartedMs = startedMs;
    entry.Title = title;
    entry.Action = "起動";
    entry.Argument = "\"/usr/bin/" + title + "\"";
    return entry;
}

// Everything in the history file, newest first, read through a connection of its own.
inline std::vector<HistoryEntry> StoredEntries(const std::filesystem::path& file) {
    HistoryDatabase reader(file);
    EXPECT_TRUE(reader.OpenForReading().ok());
    return reader.Entries();
}

inline mode_t ModeOf(const std::filesystem::path& file) {
    struct stat info {};
    ::stat(file.c_str(), &info);
    return info.st_mode & 0777;
}

} // namespace rimo
