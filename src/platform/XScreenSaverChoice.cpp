#include "platform/XScreenSaverChoice.h"

#include <vector>

namespace rimo {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t end = text.find('\n', from);
        lines.emplace_back(text.substr(from, end == std::string_view::npos ? end : end - from));
        if (end == std::string_view::npos) {
            break;
        }
        from = end + 1;
    }
    return lines;
}

bool StartsWithKey(std::string_view line, std::string_view key) {
    line = Trim(line);
    return line.substr(0, key.size()) == key &&
           (line.size() == key.size() || line[key.size()] == ':' || IsBlank(line[key.size()])) &&
           line.find(':') != std::string_view::npos;
}

// The program an entry runs: after "-", a "visual:" word and a "label".
std::string_view EntryProgram(std::string_view entry) {
    entry = Trim(entry);
    if (!entry.empty() && entry.front() == '-') {
        entry = Trim(entry.substr(1));
    }
    const std::size_t word = entry.find_first_of(" \t");
    const std::string_view first = entry.substr(0, word);
    if (!first.empty() && first.back() == ':' && first.front() != '"') {
        entry = word == std::string_view::npos ? std::string_view() : Trim(entry.substr(word));
    }
    if (!entry.empty() && entry.front() == '"') {
        const std::size_t close = entry.find('"', 1);
        entry =
            close == std::string_view::npos ? std::string_view() : Trim(entry.substr(close + 1));
    }
    const std::string_view program = entry.substr(0, entry.find_first_of(" \t"));
    const std::size_t slash = program.rfind('/');
    return slash == std::string_view::npos ? program : program.substr(slash + 1);
}

void SetKey(std::vector<std::string>& lines, std::string_view key, const std::string& value) {
    const std::string line = std::string(key) + ":\t\t" + value;
    for (std::string& existing : lines) {
        if (StartsWithKey(existing, key)) {
            existing = line;
            return;
        }
    }
    // Before a last empty line, if the text ends with a line break.
    if (!lines.empty() && lines.back().empty()) {
        lines.insert(lines.end() - 1, line);
    } else {
        lines.push_back(line);
    }
}

} // namespace

std::optional<std::string> SelectHack(std::string_view settings, std::string_view hack) {
    std::vector<std::string> lines = Lines(settings);
    std::string programs;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!StartsWithKey(lines[i], "programs")) {
            continue;
        }
        std::string_view value = lines[i];
        value.remove_prefix(value.find(':') + 1);
        for (std::size_t j = i;; ++j) {
            std::string_view part = j == i ? value : std::string_view(lines[j]);
            while (!part.empty() && part.back() == '\r') {
                part.remove_suffix(1);
            }
            const bool continued = !part.empty() && part.back() == '\\';
            if (continued) {
                part.remove_suffix(1);
            }
            programs += part;
            if (!continued || j + 1 >= lines.size()) {
                break;
            }
        }
        break;
    }
    const std::string_view name = hack.substr(hack.rfind('/') + 1);
    if (name.empty()) {
        return std::nullopt;
    }
    int index = 0;
    std::size_t from = 0;
    while (from < programs.size()) {
        const std::size_t end = programs.find("\\n", from);
        const std::string_view entry = std::string_view(programs).substr(
            from, end == std::string::npos ? std::string::npos : end - from);
        if (!Trim(entry).empty()) {
            if (EntryProgram(entry) == name) {
                SetKey(lines, "mode", "one");
                SetKey(lines, "selected", std::to_string(index));
                std::string text;
                for (std::size_t i = 0; i < lines.size(); ++i) {
                    text += lines[i];
                    if (i + 1 < lines.size()) {
                        text += '\n';
                    }
                }
                return text;
            }
            ++index;
        }
        if (end == std::string::npos) {
            break;
        }
        from = end + 2;
    }
    return std::nullopt;
}

} // namespace rimo
