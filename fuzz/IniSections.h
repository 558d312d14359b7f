#pragma once

#include <cstddef>
#include <string_view>

namespace rimo::fuzz {

// Section lookups of an INI file go through its sections one by one, so an
// input of thousands of sections costs thousands of times more per lookup
// than any real file (a launcher page has at most 100, the settings file 2).
// Targets skip inputs with more than this many, to keep a thousand runs a
// second and more; the reader's rules are the same below it.
constexpr int kMostSections = 256;

// The lines that open a section ("[" after any blanks), counted up to one past the most.
inline int SectionHeaders(std::string_view bytes) {
    int count = 0;
    bool lineStart = true;
    for (std::size_t i = 0; i < bytes.size() && count <= kMostSections; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lineStart = true;
        } else if (lineStart && c == '[') {
            ++count;
            lineStart = false;
        } else if (c != ' ' && c != '\t') {
            lineStart = false;
        }
    }
    return count;
}

inline bool TooManySections(std::string_view bytes) {
    return SectionHeaders(bytes) > kMostSections;
}

} // namespace rimo::fuzz
