#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace rimo {

// "rimotime --history": the run history on standard output, oldest first,
// one entry a line, or as CSV. Reads the database without changing it, so
// it answers while the program runs; needs no display and no lock. Returns
// the exit status: 0, or 1 when the history cannot be read (said on `err`).
// A history not yet made is empty (a CSV of its header alone).
int PrintHistory(const std::filesystem::path& file, std::optional<std::int64_t> sinceMs, bool csv,
                 std::FILE* out, std::FILE* err);

} // namespace rimo
