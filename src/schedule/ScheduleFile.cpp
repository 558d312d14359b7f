#include "schedule/ScheduleFile.h"

#include "core/FileIo.h"
#include "core/Text.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace rimo {

namespace {

// Splits text into lines ended by CR LF, LF or CR; a last line without an end counts too.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(std::count(text.begin(), text.end(), '\n') + 1);
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

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
    if (cell.find_first_of("\r\n") == std::string_view::npos) {
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
            "文字コードとして読めないバイトがあります (その文字は \xEF\xBF\xBD に置き換えました)");
        report.Unreadable = true;
    }
    const std::vector<std::string_view> lines = SplitLines(decoded.Utf8);

    const auto columnCount = lines.empty() ? std::nullopt : ReadCount(lines[0]);
    if (!columnCount) {
        report.Problems.push_back("1 行目の列数 " + Quoted(lines.empty() ? "" : lines[0]) +
                                  " は整数ではありません");
        report.Unreadable = true;
        return report;
    }
    const auto rowCountRead = lines.size() < 2 ? std::nullopt : ReadCount(lines[1]);
    if (!rowCountRead) {
        report.Problems.push_back("2 行目の行数 " + Quoted(lines.size() < 2 ? "" : lines[1]) +
                                  " は整数ではありません");
        report.Unreadable = true;
        return report;
    }

    // The counts are checked before anything is computed from them. Fewer
    // lines than they announce is no fault (the missing cells read as empty);
    // a count out of range, or lines left over, means the file is not what
    // its counts say.
    const bool columnsInRange = *columnCount == kScheduleColumns;
    if (!columnsInRange) {
        report.Problems.push_back("列数が " + std::to_string(*columnCount) + " です (" +
                                  std::to_string(kScheduleColumns) + " 列のはずです)");
        report.Unreadable = true;
    }
    const bool rowsInRange = *rowCountRead >= 1 && *rowCountRead <= ScheduleTable::kMaxRows;
    if (!rowsInRange) {
        report.Problems.push_back("行数 " + std::to_string(*rowCountRead) + " は 1 から " +
                                  std::to_string(ScheduleTable::kMaxRows) + " の範囲にありません");
        report.Unreadable = true;
    }
    const long long cellLines = static_cast<long long>(lines.size()) - 2;
    const long long columns = std::clamp<long long>(*columnCount, 1, kScheduleColumns);
    // Below 1 the grid keeps one row; above the bound only what the file holds is read.
    long long rows = std::max<long long>(*rowCountRead, 1);
    if (rows > ScheduleTable::kMaxRows) {
        rows =
            std::clamp<long long>((cellLines + columns - 1) / columns, 1, ScheduleTable::kMaxRows);
    }
    if (columnsInRange && rowsInRange) {
        const long long expected = columns * rows;
        if (cellLines > expected && !(cellLines == expected + 1 && lines.back().empty())) {
            report.Problems.push_back("ファイルの終わりに余分な行が " +
                                      std::to_string(cellLines - expected) + " 行あります");
            report.Unreadable = true;
        }
    }

    std::vector<ScheduleRow> cells(static_cast<std::size_t>(rows));
    for (long long column = 0; column < columns; ++column) {
        for (long long row = 0; row < rows; ++row) {
            const long long index = 2 + column * rows + row;
            if (index >= static_cast<long long>(lines.size())) {
                break;
            }
            cells[row][column].assign(lines[index]);
        }
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
    std::string error;
    const std::optional<std::string> bytes = ReadWholeFile(path, &error, false);
    ScheduleReadReport report;
    if (bytes) {
        report = ReadScheduleText(*bytes, table);
    } else if (!error.empty()) {
        // There but unreadable: it must not be replaced by the table at the next save.
        report.FileExists = true;
        report.Unreadable = true;
        report.Problems.push_back(error);
    }
    report.SaveTo = path;
    if (report.Unreadable) {
        std::string moveError;
        if (const auto aside = MoveFileAside(path, &moveError)) {
            report.Problems.push_back("元のファイルは " + aside->string() + " に残しました");
        } else {
            // Still there: the table must never be written over it.
            report.SaveTo = UnusedName(path, ".new");
            report.Problems.push_back(moveError);
            report.Problems.push_back("元のファイルはそのまま残し、スケジュールは " +
                                      report.SaveTo.string() + " に保存します");
        }
    }
    return report;
}

Status SaveSchedule(const std::filesystem::path& path, const ScheduleTable& table) {
    return WriteFileAtomically(path, WriteScheduleText(table));
}

} // namespace rimo
