#include "core/IniFile.h"

#include "core/Text.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

namespace rimo {

namespace {

// Names are compared like the Windows profile functions do for ASCII letters;
// other characters (Japanese names) must match exactly.
bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = AsciiLower(c);
    if (lower >= 'a' && lower <= 'f') {
        return lower - 'a' + 10;
    }
    return -1;
}

std::optional<int> ParseIntegerText(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    // INT_MIN's magnitude, one more than INT_MAX, is the largest accepted.
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        const int digit = base == 16 ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > kLimit) {
            return std::nullopt;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    bool firstLine = true;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        std::string_view line =
            text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        if (end == std::string_view::npos) {
            pos = text.size();
        } else {
            pos =
                end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
        }

        // A byte-order mark left in the text would hide the first section header.
        if (firstLine) {
            line = DropBoms(line);
        }
        const std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty()) {
            continue; // empty lines are written anew after each section
        }
        firstLine = false;
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            ini.sections_.push_back({std::string(trimmed.substr(1, trimmed.size() - 2)), {}});
            continue;
        }
        if (ini.sections_.empty()) {
            ini.leadingLines_.emplace_back(line);
            continue;
        }
        std::vector<Line>& lines = ini.sections_.back().Lines;
        const std::size_t equals = trimmed.find('=');
        const std::string_view key = equals == std::string_view::npos
                                         ? std::string_view()
                                         : TrimBlanks(trimmed.substr(0, equals));
        if (key.empty()) {
            // A comment or anything else: kept as it was.
            lines.push_back({{}, std::string(line), false});
        } else {
            lines.push_back(
                {std::string(key), std::string(TrimBlanks(trimmed.substr(equals + 1))), true});
        }
    }
    return ini;
}

std::string IniFile::ToText() const {
    std::string text;
    for (const std::string& line : leadingLines_) {
        text += line;
        text += "\r\n";
    }
    for (const Section& section : sections_) {
        text += '[';
        text += section.Name;
        text += "]\r\n";
        for (const Line& line : section.Lines) {
            if (line.IsEntry) {
                text += line.Key;
                text += '=';
            }
            text += line.Value;
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    for (const Section& section : sections_) {
        if (SameName(section.Name, name)) {
            return &section;
        }
    }
    return nullptr;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const IniFile::Line* IniFile::FindEntry(const Section& section, std::string_view key) const {
    for (const Line& line : section.Lines) {
        if (line.IsEntry && SameName(line.Key, key)) {
            return &line;
        }
    }
    return nullptr;
}

bool IniFile::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool IniFile::KeyExists(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    return found && FindEntry(*found, key);
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (!found) {
        return std::nullopt;
    }
    const Line* entry = FindEntry(*found, key);
    if (!entry) {
        return std::nullopt;
    }
    return entry->Value;
}

std::vector<std::string> IniFile::Sections() const {
    std::vector<std::string> names;
    for (const Section& section : sections_) {
        if (FindSection(section.Name) == &section) {
            names.push_back(section.Name);
        }
    }
    return names;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    const Section* found = FindSection(section);
    if (!found) {
        return keys;
    }
    for (const Line& line : found->Lines) {
        if (line.IsEntry && FindEntry(*found, line.Key) == &line) {
            keys.push_back(line.Key);
        }
    }
    return keys;
}

int IniFile::EntryCount(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (!found) {
        return 0;
    }
    return static_cast<int>(
        std::count_if(found->Lines.begin(), found->Lines.end(),
                      [&](const Line& line) { return line.IsEntry && SameName(line.Key, key); }));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    std::optional<std::string> value = Value(section, key);
    return value ? std::move(*value) : std::string(defaultValue);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const std::optional<std::string> value = Value(section, key);
    if (!value) {
        return defaultValue;
    }
    return ParseIntegerText(*value).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

DateTime IniFile::ReadTime(std::string_view section, std::string_view key,
                           DateTime defaultValue) const {
    const std::optional<std::string> value = Value(section, key);
    if (!value) {
        return defaultValue;
    }
    return rimo::ReadTime(*value).value_or(defaultValue);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Section* found = FindSection(section);
    if (!found) {
        sections_.push_back({std::string(section), {}});
        found = &sections_.back();
    }
    // A value is one line: a line break would turn the rest into lines of their own.
    std::string line(value);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    if (Line* entry = const_cast<Line*>(FindEntry(*found, key))) {
        entry->Value = std::move(line);
        return;
    }
    found->Lines.push_back({std::string(key), std::move(line), true});
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteTime(std::string_view section, std::string_view key, DateTime value) {
    WriteString(section, key, FormatLongTime(value));
}

void IniFile::EraseSection(std::string_view section) {
    // Every copy goes, or a duplicate would take the erased section's place.
    std::erase_if(sections_, [&](const Section& s) { return SameName(s.Name, section); });
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
    Section* found = FindSection(section);
    if (!found) {
        return;
    }
    // Every entry of the key goes, or a duplicate would become the value.
    std::erase_if(found->Lines,
                  [&](const Line& line) { return line.IsEntry && SameName(line.Key, key); });
}

void IniFile::RemoveLaterEntries(std::string_view section, std::string_view key) {
    Section* found = FindSection(section);
    if (!found) {
        return;
    }
    bool first = true;
    std::erase_if(found->Lines, [&](const Line& line) {
        if (!line.IsEntry || !SameName(line.Key, key)) {
            return false;
        }
        const bool later = !first;
        first = false;
        return later;
    });
}

std::optional<int> IniFile::ParseInteger(std::string_view text) {
    return ParseIntegerText(text);
}

} // namespace rimo
