#include "schedule/CommandLine.h"

namespace rimo {

namespace {

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Length in bytes of the UTF-8 character that starts `text`.
std::size_t FirstCharLength(const std::string& text) {
    std::size_t length = text.empty() ? 0 : 1;
    while (length < text.size() && IsContinuation(text[length])) {
        ++length;
    }
    return length;
}

// Length in bytes of the UTF-8 character that ends `text`.
std::size_t LastCharLength(const std::string& text) {
    std::size_t length = text.empty() ? 0 : 1;
    while (length < text.size() && IsContinuation(text[text.size() - length])) {
        ++length;
    }
    return length;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string FolderOf(const std::string& program) {
    const std::size_t slash = program.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 0 ? "/" : program.substr(0, slash);
}

} // namespace

CommandLine SplitCommandLine(const std::string& command) {
    const std::string rest = command.substr(FirstCharLength(command));
    CommandLine line;
    const std::size_t first = rest.find("\" ");
    if (first != std::string::npos) {
        line.Program = rest.substr(0, first);
        line.Parameters = rest.substr(first + 2);
    } else {
        line.Program = rest.substr(0, rest.size() - LastCharLength(rest));
    }
    line.Arguments = SplitParameters(line.Parameters);
    line.Folder = FolderOf(line.Program);
    return line;
}

std::vector<std::string> SplitParameters(const std::string& parameters) {
    std::vector<std::string> words;
    std::string word;
    int quotes = 0;
    bool quoted = false;
    for (const char c : parameters) {
        if (c == '"') {
            if (++quotes == 3) {
                quotes = 0;
                word += c;
            }
            continue;
        }
        if (quotes == 1) {
            quoted = !quoted;
        }
        quotes = 0;
        if (!quoted && IsBlank(c)) {
            if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace rimo
