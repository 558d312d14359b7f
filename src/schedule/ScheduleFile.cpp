#include "schedule/ScheduleFile.h"

#include "core/FileIo.h"
#include "core/Text.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

namespace rimo {

namespace {

// Where the line from `from` ends (its CR or LF), npos when it runs to the
// end. A plain scan: find_first_of searches its set once per byte.
std::size_t LineEnd(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            return i;
        }
    }
    return std::string_view::npos;
}

// Hands out a text's lines one by one (ended by CR LF, LF or CR; a last line
// without an end counts too), so that reading needs no index of all lines.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    std::optional<std::string_view> Next() {
        if (position_ >= text_.size()) {
            return std::nullopt;
        }
        const std::size_t end = LineEnd(text_, position_);
        if (end == std::string_view::npos) {
            const std::string_view line = text_.substr(position_);
            position_ = text_.size();
            return line;
        }
        const std::string_view line = text_.substr(position_, end - position_);
        const bool crlf = text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n';
        position_ = end + (crlf ? 2 : 1);
        return line;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// Rows a file may bring: a hundred thousand schedule rows and the header, far
// beyond any real schedule. A crafted file of first-column lines alone (two
// bytes a row) must not make a table of a million rows.
constexpr std::size_t kMaxRowsRead = 100'000 + 1;

std::optional<long long> ReadCount(std::string_view line) {
    line = TrimBlanks(line);
    if (!line.empty() && line.front() == '+') {
        line.remove_prefix(1);
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (line.empty() || error != std::errc() || end != line.data() + line.size()) {
        return std::nullopt;
    }
    return value;
}

std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::string shown(text.substr(0, kShown));
    if (text.size() > kShown) {
        shown += "…";
    }
    return "'" + shown + "'";
}

// A cell must stay on its line, or every later cell would shift.
std::string_view SingleLine(std::string_view cell, std::string& buffer) {
    if (LineEnd(cell, 0) == std::string_view::npos) {
        return cell;
    }
    buffer.assign(cell);
    std::replace(buffer.begin(), buffer.end(), '\r', ' ');
    std::replace(buffer.begin(), buffer.end(), '\n', ' ');
    return buffer;
}

} // namespace

ScheduleReadReport ReadScheduleText(std::string_view bytes, ScheduleTable& table) {
    ScheduleReadReport report;
    report.FileExists = true;
    DecodedText decoded = DecodeFileText(bytes);
    report.Encoding = decoded.Encoding;
    if (decoded.HadInvalidBytes) {
        report.Problems.push_back(
            Translatable(
                "rimo::ScheduleFile",
                "文字コードとして読めないバイトがあります (その文字は %1 に置き換えました)")
                .Arg("\xEF\xBF\xBD"));
        report.Unreadable = true;
    }
    LineReader reader(decoded.Utf8);
    const std::optional<std::string_view> first = reader.Next();
    const auto columnCount = first ? ReadCount(*first) : std::nullopt;
    if (!columnCount) {
        report.Problems.push_back(
            Translatable("rimo::ScheduleFile", "1 行目の列数 %1 は整数ではありません")
                .Arg(Quoted(first.value_or(""))));
        report.Unreadable = true;
        return report;
    }
    const std::optional<std::string_view> second = reader.Next();
    const auto rowCountRead = second ? ReadCount(*second) : std::nullopt;
    if (!rowCountRead) {
        report.Problems.push_back(
            Translatable("rimo::ScheduleFile", "2 行目の行数 %1 は整数ではありません")
                .Arg(Quoted(second.value_or(""))));
        report.Unreadable = true;
        return report;
    }

    // The counts are checked before anything is computed from them. Fewer
    // lines than they announce is no fault (the missing cells read as empty);
    // a count out of range, or lines left over, means the file is not what
    // its counts say.
    const bool columnsInRange = *columnCount == kScheduleColumns;
    if (!columnsInRange) {
        report.Problems.push_back(
            Translatable("rimo::ScheduleFile", "列数が %1 です (%2 列のはずです)")
                .Arg(*columnCount)
                .Arg(kScheduleColumns));
        report.Unreadable = true;
    }
    const bool rowsInRange = *rowCountRead >= 1 && *rowCountRead <= ScheduleTable::kMaxRows;
    if (!rowsInRange) {
        report.Problems.push_back(
            Translatable("rimo::ScheduleFile", "行数 %1 は 1 から %2 の範囲にありません")
                .Arg(*rowCountRead)
                .Arg(ScheduleTable::kMaxRows));
        report.Unreadable = true;
    }
    const long long columns = std::clamp<long long>(*columnCount, 1, kScheduleColumns);
    // The file's layout: each column holds this many lines (the grid keeps one row at least).
    const long long stride = std::max<long long>(*rowCountRead, 1);

    // A row is made by its first line (in column 0): a row the file holds no
    // line for would be wholly empty, so memory follows the file, not the
    // count it announces.
    std::vector<ScheduleRow> cells;
    // Room for the rows the text can hold (a line takes two bytes at least),
    // so a large table is not moved while it grows.
    cells.reserve(static_cast<std::size_t>(
        std::min<long long>({stride, static_cast<long long>(kMaxRowsRead),
                             static_cast<long long>(decoded.Utf8.size() / 2) + 1})));
    long long cellLines = 0;
    bool lastLineEmpty = false;
    bool rowsLeftOut = false;
    while (const std::optional<std::string_view> line = reader.Next()) {
        const long long column = cellLines / stride;
        const long long row = cellLines % stride;
        ++cellLines;
        lastLineEmpty = line->empty();
        if (column >= columns) {
            continue; // counted, reported below
        }
        if (column == 0) {
            if (cells.size() < kMaxRowsRead) {
                cells.emplace_back();
            } else {
                rowsLeftOut = true;
            }
        }
        if (row < static_cast<long long>(cells.size())) {
            cells[row][column].assign(*line);
        }
    }
    if (columnsInRange && rowsInRange) {
        const long long expected = columns * stride;
        if (cellLines > expected && !(cellLines == expected + 1 && lastLineEmpty)) {
            report.Problems.push_back(
                Translatable("rimo::ScheduleFile", "ファイルの終わりに余分な行が %1 行あります")
                    .Arg(cellLines - expected));
            report.Unreadable = true;
        }
    }
    if (rowsLeftOut) {
        report.Problems.push_back(
            Translatable("rimo::ScheduleFile", "行が多すぎます。最初の %1 行だけを読みました")
                .Arg(static_cast<long long>(kMaxRowsRead - 1)));
        report.Unreadable = true;
    }
    if (cells.empty()) {
        cells.emplace_back();
    }
    if (cells.capacity() > 2 * cells.size()) {
        cells.shrink_to_fit(); // fewer rows than the file announced: not kept for the run
    }
    table.Assign(std::move(cells));
    return report;
}

std::string WriteScheduleText(const ScheduleTable& table) {
    std::string text;
    text.reserve(static_cast<std::size_t>(table.RowCount()) * kScheduleColumns * 12 + 16);
    text += std::to_string(kScheduleColumns);
    text += "\r\n";
    text += std::to_string(table.RowCount());
    text += "\r\n";
    std::string buffer;
    for (int column = 0; column < kScheduleColumns; ++column) {
        for (const ScheduleRow& row : table.Rows()) {
            text += SingleLine(row[column], buffer);
            text += "\r\n";
        }
    }
    return EncodeFileText(text);
}

ScheduleReadReport LoadSchedule(const std::filesystem::path& path, ScheduleTable& table) {
    Message error;
    const std::optional<std::string> bytes = ReadWholeFile(path, &error, false);
    ScheduleReadReport report;
    if (bytes) {
        report = ReadScheduleText(*bytes, table);
    } else if (!error.IsEmpty()) {
        // There but unreadable: it must not be replaced by the table at the next save.
        report.FileExists = true;
        report.Unreadable = true;
        report.Problems.push_back(error);
    }
    report.SaveTo = path;
    if (report.Unreadable) {
        Message moveError;
        if (const auto aside = MoveFileAside(path, &moveError)) {
            report.Problems.push_back(
                Translatable("rimo::ScheduleFile", "元のファイルは %1 に残しました")
                    .Arg(aside->string()));
        } else {
            // Still there: the table must never be written over it.
            report.SaveTo = UnusedName(path, ".new");
            report.Problems.push_back(moveError);
            report.Problems.push_back(
                Translatable("rimo::ScheduleFile",
                             "元のファイルはそのまま残し、スケジュールは %1 に保存します")
                    .Arg(report.SaveTo.string()));
        }
    }
    return report;
}

Status SaveSchedule(const std::filesystem::path& path, const ScheduleTable& table) {
    return WriteFileAtomically(path, WriteScheduleText(table));
}

} // namespace rimo
