#pragma once

#include "core/IniFile.h"

#include <string>
#include <string_view>

namespace rimo {

// The bytes of an INI file changed from `before` (read from `oldBytes`) to
// `after`, keeping the file's own bytes wherever its lines still say the
// same: its line ends, blanks around "=", blank lines, encoding and byte
// forms (CP932 has two for some characters). Lines that changed or were
// added are written as the program writes them; removed ones are left out.
// A file in the program's own layout, or one that cannot keep its encoding,
// is written anew as the program writes it.
std::string KeepIniLayout(std::string_view oldBytes, const IniFile& before, const IniFile& after);

} // namespace rimo
