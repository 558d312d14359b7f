#include "launcher/IniLayout.h"

#include "core/Text.h"
#include "core/TextCodec.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace rimo {

namespace {

// A line of the old file: its bytes, its line end, and what it says in the
// form the program writes it ("" for a blank line).
struct OldLine {
    std::string_view Bytes;
    std::string_view End;
    std::string Says;
};

bool IsHeader(std::string_view trimmed) {
    return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

// What a line says, as IniFile's reading takes it and its writing puts it.
std::string Says(std::string_view line, bool& inSection) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty()) {
        return {};
    }
    if (IsHeader(trimmed)) {
        inSection = true;
        return "[" + std::string(trimmed.substr(1, trimmed.size() - 2)) + "]";
    }
    const std::size_t equals = trimmed.find('=');
    const std::string_view key = equals == std::string_view::npos
                                     ? std::string_view()
                                     : TrimBlanks(trimmed.substr(0, equals));
    if (!inSection || key.empty()) {
        return std::string(line);
    }
    return std::string(key) + "=" + std::string(TrimBlanks(trimmed.substr(equals + 1)));
}

std::optional<std::vector<OldLine>> OldLines(std::string_view bytes, TextEncoding encoding) {
    std::vector<OldLine> lines;
    bool inSection = false;
    bool saidNothing = true;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        std::size_t next = end;
        if (end == std::string_view::npos) {
            end = next = bytes.size();
        } else {
            next = end +
                   (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
        }
        OldLine line{bytes.substr(pos, end - pos), bytes.substr(end, next - end), {}};
        std::optional<std::string> text =
            encoding == TextEncoding::Cp932 ? Cp932ToUtf8(line.Bytes) : std::string(line.Bytes);
        if (!text) {
            return std::nullopt;
        }
        // The reader drops byte-order marks ahead of the first line that says something.
        line.Says = Says(saidNothing ? DropBoms(*text) : std::string_view(*text), inSection);
        saidNothing = saidNothing && line.Says.empty();
        lines.push_back(std::move(line));
        pos = next;
    }
    return lines;
}

std::vector<std::string> NewLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

// A bound on the comparison table: files far larger than any page (or
// changed all through) are written anew instead.
constexpr std::size_t kMostCompared = std::size_t{1} << 20;

// For each of `a`'s lines, the index of the line of `b` it stays as (a
// longest common subsequence), or npos when it goes; nothing when the lines
// that differ are too many to compare.
std::optional<std::vector<std::size_t>> Matches(const std::vector<std::string>& a,
                                                const std::vector<std::string>& b) {
    constexpr std::size_t kNone = std::string::npos;
    std::vector<std::size_t> match(a.size(), kNone);
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) {
        match[head] = head;
        ++head;
    }
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
        match[a.size() - 1 - tail] = b.size() - 1 - tail;
        ++tail;
    }
    const std::size_t n = a.size() - head - tail;
    const std::size_t m = b.size() - head - tail;
    if ((n + 1) * (m + 1) > kMostCompared) {
        return std::nullopt;
    }
    // lengths[i][j]: the common length of a[head + i ..] and b[head + j ..] in the middle.
    std::vector<std::vector<int>> lengths(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            lengths[i][j] = a[head + i] == b[head + j]
                                ? lengths[i + 1][j + 1] + 1
                                : std::max(lengths[i + 1][j], lengths[i][j + 1]);
        }
    }
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (a[head + i] == b[head + j]) {
            match[head + i] = head + j;
            ++i;
            ++j;
        } else if (lengths[i + 1][j] >= lengths[i][j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    return match;
}

// Writes the merged lines: old lines that stay as they were, new lines where
// they come, old blank lines kept (a new section gets one ahead of it).
class Merge {
public:
    Merge(TextEncoding encoding, std::string_view lineEnd)
        : encoding_(encoding), lineEnd_(lineEnd) {}

    void Blank(const OldLine& line) { blanks_.push_back(&line); }
    void Added(const std::string& text) { added_.push_back(&text); }
    void Kept(const OldLine& line) {
        const bool header = line.Says.starts_with('[');
        FlushAdded(header);
        Put(line);
        lastBlank_ = false;
    }
    std::string Finish() {
        FlushAdded(false);
        return std::move(out_);
    }

private:
    // A last line without its end gets one when more follows.
    void EndLastLine() {
        if (unended_) {
            out_ += lineEnd_;
            unended_ = false;
        }
    }
    void Put(const OldLine& line) {
        EndLastLine();
        out_ += line.Bytes;
        out_ += line.End;
        unended_ = line.End.empty();
    }
    void Write(std::string_view text) {
        EndLastLine();
        out_ += encoding_ == TextEncoding::Cp932 ? *Utf8ToCp932(text) : std::string(text);
        out_ += lineEnd_;
        lastBlank_ = text.empty();
    }
    void FlushBlanks() {
        for (const OldLine* line : blanks_) {
            Put(*line);
            lastBlank_ = true;
        }
        blanks_.clear();
    }
    // Added keys of the section above go before its blank lines; added
    // sections after them, each after a blank line.
    void FlushAdded(bool headerFollows) {
        bool inNewSection = false;
        for (const std::string* text : added_) {
            if (text->starts_with('[')) {
                FlushBlanks();
                if (!out_.empty() && !lastBlank_) {
                    Write("");
                }
                inNewSection = true;
            }
            Write(*text);
        }
        added_.clear();
        FlushBlanks();
        if (inNewSection && headerFollows && !lastBlank_) {
            Write("");
        }
    }

    TextEncoding encoding_;
    std::string_view lineEnd_;
    std::string out_;
    std::vector<const OldLine*> blanks_;
    std::vector<const std::string*> added_;
    bool lastBlank_ = false;
    bool unended_ = false;
};

} // namespace

std::string KeepIniLayout(std::string_view oldBytes, const IniFile& before, const IniFile& after) {
    const std::string newText = after.ToText();
    const std::string anew = EncodeFileText(newText);
    const TextEncoding encoding = DecodeFileText(oldBytes).Encoding;
    if (oldBytes == EncodeFileText(before.ToText()) ||
        (encoding == TextEncoding::Cp932 && !Utf8ToCp932(newText))) {
        return anew;
    }
    // Byte-order marks (the reader takes several as one) stay ahead of the first line.
    const std::string_view body = DropBoms(oldBytes);
    std::string bytes(oldBytes.substr(0, oldBytes.size() - body.size()));
    oldBytes = body;
    const std::optional<std::vector<OldLine>> old = OldLines(oldBytes, encoding);
    if (!old) {
        return anew;
    }
    std::vector<std::string> oldSays;
    for (const OldLine& line : *old) {
        if (!line.Says.empty()) {
            oldSays.push_back(line.Says);
        }
    }
    std::vector<std::string> newSays;
    for (std::string& line : NewLines(newText)) {
        if (!TrimBlanks(line).empty()) {
            newSays.push_back(std::move(line));
        }
    }
    const std::optional<std::vector<std::size_t>> match = Matches(oldSays, newSays);
    if (!match) {
        return anew;
    }

    // The file's own line end for the lines written anew.
    const std::string_view lineEnd = oldBytes.find("\r\n") != std::string_view::npos ? "\r\n"
                                     : oldBytes.find('\n') != std::string_view::npos ? "\n"
                                                                                     : "\r\n";
    Merge merge(encoding, lineEnd);
    std::size_t next = 0; // the first new line not yet written
    std::size_t said = 0; // the index of the next old line that says something
    for (const OldLine& line : *old) {
        if (line.Says.empty()) {
            merge.Blank(line);
            continue;
        }
        const std::size_t to = (*match)[said++];
        if (to == std::string::npos) {
            continue; // removed or changed
        }
        for (; next < to; ++next) {
            merge.Added(newSays[next]);
        }
        merge.Kept(line);
        next = to + 1;
    }
    for (; next < newSays.size(); ++next) {
        merge.Added(newSays[next]);
    }
    bytes += merge.Finish();
    // Whatever the layout, the file must read as the values it is to hold.
    if (IniFile::Parse(DecodeFileText(bytes).Utf8).ToText() != newText) {
        return anew;
    }
    return bytes;
}

} // namespace rimo
