#pragma once

#include "core/Status.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rimo {

// Files larger than this are refused: a schedule of a hundred thousand rows
// is about 10 MB, settings and launcher files a few kilobytes; no crafted
// file can claim much memory.
constexpr std::size_t kMaxFileSize = 16U << 20;

// Reads a whole file. nullopt with *error set when it cannot be read; a missing
// file gives nullopt with *error empty when `missingIsError` is false. Never
// blocks: anything but a regular file (a FIFO, a device) is refused, and so is
// a file over `maxSize` bytes; the error names the file.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, Message* error,
                                         bool missingIsError = true,
                                         std::size_t maxSize = kMaxFileSize);

// Replaces a file's content atomically: a temporary file in the same folder is
// written, flushed and renamed over the target, so a crash or a full disk never
// leaves a truncated file. The new file is this user's alone (0600); only in a
// folder others may enter (a portable copy's) does an existing file keep its
// mode. A symbolic link is written through only when its folder and its
// target's are this user's own and the program does not run as root;
// otherwise the link itself is replaced.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Appends bytes to a regular file, creating it (0600) when missing; never
// blocks, and follows a link only as WriteFileAtomically does.
Status AppendToFile(const std::filesystem::path& path, std::string_view bytes);

// Moves an unreadable file aside as "<name>.broken" (or "<name>.broken.N" when
// that exists) so that nothing written later replaces the user's data.
// Returns the new path.
std::optional<std::filesystem::path> MoveFileAside(const std::filesystem::path& path,
                                                   Message* error);

// The first of "<name><suffix>", "<name><suffix>.1", ... that is not there.
std::filesystem::path UnusedName(const std::filesystem::path& path, std::string_view suffix);

} // namespace rimo
