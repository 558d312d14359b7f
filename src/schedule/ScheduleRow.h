#pragma once

#include <array>
#include <string>

namespace rimo {

constexpr int kScheduleColumns = 8;

// The columns of a schedule row.
enum ScheduleColumn : int {
    ColTitle = 0,    // タイトル
    ColRepeat = 1,   // 繰り返し
    ColDate = 2,     // 日付指定 "yyyy/mm/dd/ddd"
    ColTime = 3,     // 時刻指定 "hh:nn:ss"
    ColAction = 4,   // 動作指定
    ColArgument = 5, // メッセージ(起動パス)
    ColDelete = 6,   // 削除 "しない" / "する"
    ColEnabled = 7,  // 有効 "○" / "×"
};

using ScheduleRow = std::array<std::string, kScheduleColumns>;

} // namespace rimo
