#pragma once

#include "core/Status.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rimo {

// Reads a whole file. nullopt with *error set when it cannot be read; a missing
// file gives nullopt with *error empty when `missingIsError` is false.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::string* error,
                                         bool missingIsError = true);

// Replaces a file's content atomically: a temporary file in the same folder is
// written, flushed and renamed over the target, so a crash or a full disk never
// leaves a truncated file. The target keeps its permissions.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Appends bytes to a file, creating it when missing.
Status AppendToFile(const std::filesystem::path& path, std::string_view bytes);

// Moves an unreadable file aside as "<name>.broken" (or "<name>.broken.N" when
// that exists) so that nothing written later replaces the user's data.
// Returns the new path.
std::optional<std::filesystem::path> MoveFileAside(const std::filesystem::path& path,
                                                   std::string* error);

// The first of "<name><suffix>", "<name><suffix>.1", ... that is not there.
std::filesystem::path UnusedName(const std::filesystem::path& path, std::string_view suffix);

} // namespace rimo
