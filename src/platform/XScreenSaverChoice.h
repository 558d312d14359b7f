#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rimo {

// The xscreensaver daemon keeps its own choice in ~/.xscreensaver: the
// "programs:" list (entries ended by "\n", lines continued by "\"; an entry
// may start with "-" when disabled, a visual such as "GL:", and a quoted
// label), "mode:" and "selected:" (an index into that list). Returns the text
// with the first entry that runs `hack` selected in mode "one", or nullopt
// when the list has no such entry.
std::optional<std::string> SelectHack(std::string_view settings, std::string_view hack);

} // namespace rimo
