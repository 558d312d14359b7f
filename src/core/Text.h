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

// ASCII letters only: names and keys of the files are ASCII, Japanese text has no case.
inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace rimo
