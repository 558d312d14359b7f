#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rimo {

// CP932 conversions through tables made once (a few milliseconds) from the C
// library's own converter, many times faster than calling it on a whole
// file. Only characters that convert both ways unchanged are in the tables:
// nullopt for any other character or a malformed sequence, and the caller
// converts the slow way, whose rules then decide.
std::optional<std::string> TableCp932ToUtf8(std::string_view bytes);
std::optional<std::string> TableUtf8ToCp932(std::string_view utf8);

} // namespace rimo
