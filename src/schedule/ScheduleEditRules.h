#pragma once

#include "core/DateTime.h"
#include "core/Message.h"
#include "schedule/ScheduleTable.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rimo {

// Texts the editor writes and compares: stored words, the same in every
// language (the interface shows them translated, ScheduleWords).
namespace ScheduleTexts {
inline constexpr const char* kKeep = QT_TRANSLATE_NOOP("rimo::ScheduleWords", "しない");
inline constexpr const char* kDelete = QT_TRANSLATE_NOOP("rimo::ScheduleWords", "する");
inline constexpr const char* kEnabled = QT_TRANSLATE_NOOP("rimo::ScheduleWords", "○");
inline constexpr const char* kDisabled = QT_TRANSLATE_NOOP("rimo::ScheduleWords", "×");
inline constexpr const char* kMessage = QT_TRANSLATE_NOOP("rimo::ScheduleWords", "メッセージ");
inline constexpr const char* kStart = QT_TRANSLATE_NOOP("rimo::ScheduleWords", "起動");
inline constexpr const char* kLauncher = QT_TRANSLATE_NOOP("rimo::ScheduleWords", "ランチャー");
inline constexpr const char* kScreenSave = QT_TRANSLATE_NOOP("rimo::ScheduleWords", "ScreenSave");
inline constexpr const char* kWallpaper = QT_TRANSLATE_NOOP("rimo::ScheduleWords", "壁紙変更");
inline constexpr const char* kSound = QT_TRANSLATE_NOOP("rimo::ScheduleWords", "サウンド");
} // namespace ScheduleTexts

// The items of the drop-down editors.
const std::vector<std::string>& RepeatChoices();  // ComboBox1, the empty item first
const std::vector<std::string>& ActionChoices();  // ComboBox2, all 13
const std::vector<std::string>& DeleteChoices();  // ComboBox3
const std::vector<std::string>& EnabledChoices(); // ComboBox4
// The drop-down items of a column; none for a column that is typed into.
const std::vector<std::string>* ColumnChoices(int column);

// Writes "しない" into an empty delete cell and "×" into an empty enabled cell
// of a schedule row: the defaults a row gets the first time it is shown.
void WriteRowDefaults(ScheduleTable& table, int row);

// The first field an enabled row lacks: its message and the column to fill.
struct MissingField {
    rimo::Message Message;
    int Column = 0;
};
std::optional<MissingField> FindMissingField(const ScheduleRow& row);

// What the date picker shows for a row: its date, or today when the cell is
// empty, unreadable or in the past.
DateTime PickerDate(std::string_view dateCell, DateTime now);
// What the time picker shows: the cell's time, or the present time of day
// when the cell is empty or unreadable.
DateTime PickerTime(std::string_view timeCell, DateTime now);

// Paths are stored in double quotes; consumers take every quote out.
std::string QuotedPath(std::string_view path);
std::string WithoutQuotes(std::string_view text);
// A file's name without its folder and its last extension.
std::string FileBaseName(std::string_view path);

// A dropped file: one path onto an empty argument cell writes the quoted path
// and, for an empty title, the file's base name. Anything else changes
// nothing. True when the table was written.
bool DropFilesIntoRow(ScheduleTable& table, int row, const std::vector<std::string>& paths);

// Width of a text in pixels, in the grid's font.
using TextWidth = std::function<int(std::string_view)>;

// A path shortened to `maxWidth` by replacing its leading folders with "...",
// keeping the folders nearest to the file.
std::string ShortenPath(std::string_view path, int maxWidth, const TextWidth& width);

// The hint over a grid cell (the header row included) of `column` holding `text`.
// `text` is the cell as shown (a header in the interface's language).
Message CellHint(int column, std::string_view text, const TextWidth& width);
// The hint outside every cell.
inline constexpr const char* kGridHint = "Rimo Time Information Schedule";
// Width a quoted path in a hint is shortened to.
inline constexpr int kHintPathWidth = 230;

} // namespace rimo
