#pragma once

#include <string_view>

namespace rimo {

// Small text helpers shared by the readers of the program's files.

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The text without blanks and tabs at either end.
inline std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The UTF-8 byte-order mark.
inline constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The text without the byte-order marks ahead of it: the readers take any
// number of them ahead of a file's first line that says something as none.
inline std::string_view DropBoms(std::string_view text) {
    while (text.starts_with(kBom)) {
        text.remove_prefix(kBom.size());
    }
    return text;
}

// ASCII letters only: names and keys of the files are ASCII, Japanese text has no case.
inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace rimo
