#pragma once

#include "core/Status.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace rimo {

// Appends the result lines of this run to the synchronisation log. The close
// sequence may run twice (the desktop session's save, then the close), so
// each line is appended once only.
class SyncLog {
public:
    explicit SyncLog(std::filesystem::path file) : file_(std::move(file)) {}

    // Appends the lines not yet appended, one per line with CR LF; the file is
    // created when missing. Nothing happens when there is no new line or the
    // log is switched off.
    Status AppendNew(const std::vector<std::string>& lines, bool enabled);

    const std::filesystem::path& File() const { return file_; }
    std::size_t AppendedCount() const { return appended_; }

private:
    std::filesystem::path file_;
    std::size_t appended_ = 0;
};

// The bytes of log lines: CP932 (the result lines are ASCII), CR LF after each.
std::string SyncLogText(const std::vector<std::string>& lines, std::size_t first);

} // namespace rimo
