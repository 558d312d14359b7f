#pragma once

#include "core/DateTime.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rimo {

// An INI file held in memory. Section and key names are matched without regard
// to letter case; the order of sections and keys is kept, and so is every line
// the program does not know (other sections, unknown keys, comments, lines
// without "="), so rewriting a file loses nothing. Written with CR LF, each
// section as its header line, its lines and one empty line.
class IniFile {
public:
    // Text already decoded to UTF-8; CR LF, LF and CR line ends are accepted.
    static IniFile Parse(std::string_view text);
    std::string ToText() const;

    bool SectionExists(std::string_view section) const;
    bool KeyExists(std::string_view section, std::string_view key) const;
    // The value of the first entry of that key; nullopt when missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

    // How many entries of the key the section holds (a hand-edited file may repeat one).
    int EntryCount(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal (optionally signed, or "$"/"0x" hexadecimal) text within int range,
    // else the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // Any integer other than 0 is true; text that is not an integer gives the default.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // A time of day such as "0:00:05"; text that is not a time gives the default.
    DateTime ReadTime(std::string_view section, std::string_view key, DateTime defaultValue) const;

    // Writing replaces the first entry of the key in place, or adds the key at
    // the end of its section; a missing section is added at the end.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value); // "1" / "0"
    void WriteTime(std::string_view section, std::string_view key, DateTime value); // "h:nn:ss"

    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);
    // Removes every entry of the key but the first, the one that is read.
    void RemoveLaterEntries(std::string_view section, std::string_view key);

    // The integer rule of ReadInteger: nullopt for text that is not an integer.
    static std::optional<int> ParseInteger(std::string_view text);

private:
    struct Line {
        std::string Key;   // empty for a line that is not key=value
        std::string Value; // the value, or the whole line when Key is empty
        bool IsEntry = false;
    };
    struct Section {
        std::string Name;
        std::vector<Line> Lines;
    };

    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    const Line* FindEntry(const Section& section, std::string_view key) const;

    std::vector<std::string> leadingLines_; // lines before the first section
    std::vector<Section> sections_;
};

} // namespace rimo
