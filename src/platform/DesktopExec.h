#pragma once

#include "core/Status.h"
#include "platform/DesktopEntries.h"

#include <string>
#include <vector>

namespace rimo {

// The command an application entry runs, as its Exec key gives it (the
// freedesktop.org desktop entry rules), never through a shell.
struct DesktopCommand {
    std::vector<std::string> Words; // the program, then its arguments
    Status Problem = Status::Ok();  // an Exec that cannot be read
};

// Expands the entry's Exec for `files` (absolute paths or URLs): %f %u give
// the first file, %F %U all of them, %i the icon, %c the name, %k the entry's
// file, %% a percent sign; deprecated codes are dropped. The user's
// `options` go just before the files (before a "@@u"/"@@" forwarding mark
// that encloses them), or at the end when the Exec names no files, where the
// files follow them (as desktops do with such entries).
DesktopCommand ExpandExec(const DesktopEntry& entry, const std::vector<std::string>& options,
                          const std::vector<std::string>& files);

} // namespace rimo
