#include "schedule/ScheduleEditRules.h"

#include <algorithm>

namespace rimo {

using namespace ScheduleTexts;

const std::vector<std::string>& RepeatChoices() {
    static const std::vector<std::string> items{"",
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "30分毎"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "毎時"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "毎日"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "月～金"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "土日"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "毎週"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "毎月"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "毎年"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "隔時"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "隔日"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "隔週"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "隔月"),
                                                QT_TRANSLATE_NOOP("rimo::ScheduleWords", "隔年")};
    return items;
}

const std::vector<std::string>& ActionChoices() {
    static const std::vector<std::string> items{
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "警告音"),
        kMessage,
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "時刻合わせ"),
        kStart,
        kLauncher,
        kScreenSave,
        kWallpaper,
        kSound,
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "ｼｬｯﾄﾀﾞｳﾝ"),
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "ログオフ"),
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "リブート"),
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "スタンバイ"),
        QT_TRANSLATE_NOOP("rimo::ScheduleWords", "ﾊｲﾊﾞﾈｰｼｮﾝ")};
    return items;
}

const std::vector<std::string>& DeleteChoices() {
    static const std::vector<std::string> items{kKeep, kDelete};
    return items;
}

const std::vector<std::string>& EnabledChoices() {
    static const std::vector<std::string> items{kEnabled, kDisabled};
    return items;
}

const std::vector<std::string>* ColumnChoices(int column) {
    switch (column) {
    case ColRepeat:
        return &RepeatChoices();
    case ColAction:
        return &ActionChoices();
    case ColDelete:
        return &DeleteChoices();
    case ColEnabled:
        return &EnabledChoices();
    default:
        return nullptr;
    }
}

void WriteRowDefaults(ScheduleTable& table, int row) {
    if (row < 1 || row >= table.RowCount()) {
        return;
    }
    if (table.Cell(ColDelete, row).empty()) {
        table.SetCell(ColDelete, row, kKeep);
    }
    if (table.Cell(ColEnabled, row).empty()) {
        table.SetCell(ColEnabled, row, kDisabled);
    }
}

std::optional<MissingField> FindMissingField(const ScheduleRow& row) {
    if (row[ColDate].empty()) {
        return MissingField{Translatable("rimo::ScheduleEditRules", "日付が指定されていません。"),
                            ColDate};
    }
    if (row[ColTime].empty()) {
        return MissingField{Translatable("rimo::ScheduleEditRules", "時刻が指定されていません。"),
                            ColTime};
    }
    if (row[ColAction].empty()) {
        return MissingField{Translatable("rimo::ScheduleEditRules", "動作が指定されていません。"),
                            ColAction};
    }
    if (row[ColAction] == kMessage && row[ColArgument].empty()) {
        return MissingField{
            Translatable("rimo::ScheduleEditRules", "メッセージが指定されていません。"),
            ColArgument};
    }
    if (row[ColAction] == kStart && row[ColArgument].empty()) {
        return MissingField{
            Translatable("rimo::ScheduleEditRules", "起動パスが指定されていません。"), ColArgument};
    }
    return std::nullopt;
}

DateTime PickerDate(std::string_view dateCell, DateTime now) {
    const DateTime today = DateOf(now);
    // An unreadable date (a hand-edited file) is treated like an empty one:
    // the row stays selectable and choosing a date writes a proper one.
    const std::optional<DateTime> date = ReadScheduleDate(dateCell);
    if (!date || *date < today) {
        return today;
    }
    return *date;
}

DateTime PickerTime(std::string_view timeCell, DateTime now) {
    const std::optional<DateTime> time = ReadTime(timeCell);
    return time ? *time : TimeOf(now);
}

std::string QuotedPath(std::string_view path) {
    std::string quoted;
    quoted.reserve(path.size() + 2);
    quoted += '"';
    quoted += path;
    quoted += '"';
    return quoted;
}

std::string WithoutQuotes(std::string_view text) {
    std::string result(text);
    result.erase(std::remove(result.begin(), result.end(), '"'), result.end());
    return result;
}

std::string FileBaseName(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) {
        name = name.substr(0, dot);
    }
    return std::string(name);
}

bool DropFilesIntoRow(ScheduleTable& table, int row, const std::vector<std::string>& paths) {
    if (row < 1 || row >= table.RowCount() || paths.size() != 1 || paths.front().empty() ||
        !table.Cell(ColArgument, row).empty()) {
        return false;
    }
    table.SetCell(ColArgument, row, QuotedPath(paths.front()));
    if (table.Cell(ColTitle, row).empty()) {
        table.SetCell(ColTitle, row, FileBaseName(paths.front()));
    }
    return true;
}

std::string ShortenPath(std::string_view path, int maxWidth, const TextWidth& width) {
    if (width(path) <= maxWidth) {
        return std::string(path);
    }
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos) {
        return std::string(path); // a bare name keeps its text
    }
    const std::string_view name = path.substr(slash + 1);
    const bool rooted = path.front() == '/';
    // The folders between the root and the file, outermost first.
    std::vector<std::string_view> folders;
    const std::size_t start = rooted ? 1 : 0;
    std::string_view rest = slash > start ? path.substr(start, slash - start) : std::string_view();
    while (!rest.empty()) {
        const std::size_t next = rest.find('/');
        folders.push_back(rest.substr(0, next));
        rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
    }
    if (folders.empty()) {
        return std::string(path);
    }
    // Leading folders give way to "..." one by one: /.../b/c/name, /.../c/name, ...
    std::string candidate;
    for (std::size_t cut = 1; cut <= folders.size(); ++cut) {
        candidate = rooted ? "/..." : "...";
        for (std::size_t i = cut; i < folders.size(); ++i) {
            candidate += '/';
            candidate += folders[i];
        }
        candidate += '/';
        candidate += name;
        if (width(candidate) <= maxWidth) {
            return candidate;
        }
    }
    return ".../" + std::string(name); // the name alone is what is left
}

Message CellHint(int column, std::string_view text, const TextWidth& width) {
    switch (column) {
    case ColTitle:
        return text.empty() ? Translatable("rimo::CellHint",
                                           "選択して左クリックで入力、右クリックで行の操作")
                            : Message::Plain(std::string(text));
    case ColRepeat:
        return Translatable("rimo::CellHint", "繰り返し（毎日、毎週等）の指定");
    case ColDate:
        return Translatable("rimo::CellHint", "指定日の入力");
    case ColTime:
        return Translatable("rimo::CellHint", "指定時刻の入力");
    case ColAction:
        return Translatable("rimo::CellHint", "動作の指定");
    case ColArgument:
        if (text.empty()) {
            return Translatable(
                "rimo::CellHint",
                "選択して左クリックでメッセージ入力、右クリックでパス参照、D&Dも可能");
        }
        if (text.find('"') != std::string_view::npos) {
            return Message::Plain(ShortenPath(WithoutQuotes(text), kHintPathWidth, width));
        }
        return Message::Plain(std::string(text));
    case ColDelete:
        return Translatable("rimo::CellHint", "実行後のスケジュール処理");
    case ColEnabled:
        return Translatable("rimo::CellHint", "○で有効");
    default:
        return Message::Plain(kGridHint);
    }
}

} // namespace rimo
