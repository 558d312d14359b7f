#include "platform/DesktopExec.h"

#include <optional>

namespace rimo {

namespace {

struct Token {
    std::string Text;
    bool Quoted = false;
};

// Words separated by blanks; a word in double quotes may hold blanks, and
// within it a backslash escapes the next character.
std::optional<std::vector<Token>> Tokens(const std::string& exec) {
    std::vector<Token> tokens;
    std::optional<Token> word;
    bool inQuotes = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (inQuotes) {
            if (c == '"') {
                inQuotes = false;
            } else if (c == '\\' && i + 1 < exec.size()) {
                word->Text += exec[++i];
            } else {
                word->Text += c;
            }
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\n') {
            if (word) {
                tokens.push_back(std::move(*word));
                word.reset();
            }
            continue;
        }
        if (!word) {
            word.emplace();
        }
        if (c == '"') {
            inQuotes = true;
            word->Quoted = true;
        } else {
            word->Text += c;
        }
    }
    if (inQuotes) {
        return std::nullopt;
    }
    if (word) {
        tokens.push_back(std::move(*word));
    }
    return tokens;
}

bool IsFileCode(const std::string& text) {
    return text == "%f" || text == "%F" || text == "%u" || text == "%U";
}

bool IsForwardingMark(const std::string& text) {
    return text == "@@u" || text == "@@";
}

// One word with its field codes replaced; %f and %u inside a word give the first file.
std::string ExpandWord(const std::string& text, const DesktopEntry& entry,
                       const std::vector<std::string>& files, bool& usedFiles) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case '%':
            out += '%';
            break;
        case 'f':
        case 'F':
        case 'u':
        case 'U':
            usedFiles = true;
            if (!files.empty()) {
                out += files.front();
            }
            break;
        case 'c':
            out += entry.Name;
            break;
        case 'k':
            out += entry.File.string();
            break;
        default: // deprecated or unknown codes stand for nothing
            break;
        }
    }
    return out;
}

} // namespace

DesktopCommand ExpandExec(const DesktopEntry& entry, const std::vector<std::string>& options,
                          const std::vector<std::string>& files) {
    const std::optional<std::vector<Token>> tokens = Tokens(entry.Exec);
    if (!tokens || tokens->empty()) {
        return {{},
                Status::Error("アプリケーションエントリの Exec が読めません: " +
                              entry.File.string() + " (" + entry.Exec + ")")};
    }
    // Where the options go: before the first file code, or before the
    // forwarding mark right ahead of it.
    std::size_t optionsAt = tokens->size();
    for (std::size_t i = 1; i < tokens->size(); ++i) {
        if (!(*tokens)[i].Quoted && IsFileCode((*tokens)[i].Text)) {
            optionsAt = i > 1 && IsForwardingMark((*tokens)[i - 1].Text) ? i - 1 : i;
            break;
        }
    }
    DesktopCommand command;
    bool usedFiles = false;
    for (std::size_t i = 0; i < tokens->size(); ++i) {
        const Token& token = (*tokens)[i];
        if (i == optionsAt) {
            command.Words.insert(command.Words.end(), options.begin(), options.end());
        }
        if (token.Quoted) {
            // Field codes may not stand in quotes; only "%%" means something there.
            std::string text;
            for (std::size_t k = 0; k < token.Text.size(); ++k) {
                text += token.Text[k];
                if (token.Text[k] == '%' && k + 1 < token.Text.size() && token.Text[k + 1] == '%') {
                    ++k;
                }
            }
            command.Words.push_back(std::move(text));
        } else if (token.Text == "%F" || token.Text == "%U") {
            usedFiles = true;
            command.Words.insert(command.Words.end(), files.begin(), files.end());
        } else if (token.Text == "%i") {
            if (!entry.Icon.empty()) {
                command.Words.push_back("--icon");
                command.Words.push_back(entry.Icon);
            }
        } else {
            std::string word = ExpandWord(token.Text, entry, files, usedFiles);
            // A code that stands for nothing leaves no empty argument behind.
            if (!word.empty() || token.Text.find('%') == std::string::npos) {
                command.Words.push_back(std::move(word));
            }
        }
    }
    if (optionsAt == tokens->size()) {
        command.Words.insert(command.Words.end(), options.begin(), options.end());
    }
    if (!usedFiles) {
        command.Words.insert(command.Words.end(), files.begin(), files.end());
    }
    return command;
}

} // namespace rimo
