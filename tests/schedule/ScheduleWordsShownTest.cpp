#include "EditorFixture.h"
#include "EnglishScope.h"
#include "schedule/ScheduleFile.h"

#include <gtest/gtest.h>

#include <utility>

namespace rimo {
namespace {

// Each stored word with the English a user sees, written out here.
const std::pair<const char*, const char*> kRepeat[] = {
    {"30分毎", "Half-hourly"}, {"毎時", "Hourly"},         {"隔時", "Every 2 hours"},
    {"毎日", "Daily"},         {"月～金", "Weekdays"},     {"土日", "Weekends"},
    {"毎週", "Weekly"},        {"隔日", "Every 2 days"},   {"隔週", "Every 2 weeks"},
    {"毎月", "Monthly"},       {"隔月", "Every 2 months"}, {"毎年", "Yearly"},
    {"隔年", "Every 2 years"},
};
const std::pair<const char*, const char*> kAction[] = {
    {"警告音", "Beep"},           {"メッセージ", "Message"},  {"起動", "Start"},
    {"時刻合わせ", "Sync clock"}, {"ランチャー", "Launcher"}, {"ScreenSave", "Screen saver"},
    {"壁紙変更", "Wallpaper"},    {"サウンド", "Sound"},      {"ｼｬｯﾄﾀﾞｳﾝ", "Shut down"},
    {"ログオフ", "Log off"},      {"リブート", "Restart"},    {"スタンバイ", "Suspend"},
    {"ﾊｲﾊﾞﾈｰｼｮﾝ", "Hibernate"},
};

// The language is chosen before any control is made, as at start.
struct EnglishFirst {
    EnglishScope English;
};
class EnglishEditorTest : private EnglishFirst, public EditorFixture {
protected:
    QString Shown(int column, int row) const {
        const QAbstractItemModel* model = grid_->model();
        return model->data(model->index(row - 1, column)).toString();
    }
    // A full row in every column that has stored words.
    void FillRow(int row, const char* repeat, const char* action) {
        table_.SetCell(ColRepeat, row, repeat);
        table_.SetCell(ColDate, row, "2030/01/07/月"); // a Monday
        table_.SetCell(ColAction, row, action);
        table_.SetCell(ColDelete, row, "する");
        table_.SetCell(ColEnabled, row, "×");
    }
};

TEST_F(EnglishEditorTest, TheGridShowsEveryStoredWordInEnglishAndKeepsTheStoredOnes) {
    for (const auto& [repeat, english] : kRepeat) {
        FillRow(1, repeat, "警告音");
        EXPECT_EQ(Shown(ColRepeat, 1).toStdString(), english) << repeat;
        EXPECT_EQ(Cell(ColRepeat, 1), repeat);
    }
    for (const auto& [action, english] : kAction) {
        FillRow(1, "毎日", action);
        EXPECT_EQ(Shown(ColAction, 1).toStdString(), english) << action;
        EXPECT_EQ(Cell(ColAction, 1), action);
    }
    EXPECT_EQ(Shown(ColDate, 1), QStringLiteral("2030/01/07 Mon"));
    EXPECT_EQ(Shown(ColDelete, 1), QStringLiteral("Yes"));
    EXPECT_EQ(Shown(ColEnabled, 1), QStringLiteral("✗"));
    table_.SetCell(ColDelete, 1, "しない");
    table_.SetCell(ColEnabled, 1, "○");
    EXPECT_EQ(Shown(ColDelete, 1), QStringLiteral("No"));
    EXPECT_EQ(Shown(ColEnabled, 1), QStringLiteral("✓"));
    // What the user typed, and a word this program does not know, as they are.
    table_.SetCell(ColTitle, 1, "毎日の目覚まし");
    table_.SetCell(ColRepeat, 1, "毎分");
    EXPECT_EQ(Shown(ColTitle, 1), QStringLiteral("毎日の目覚まし"));
    EXPECT_EQ(Shown(ColRepeat, 1), QStringLiteral("毎分"));
    EXPECT_EQ(grid_->model()->headerData(ColRepeat, Qt::Horizontal).toString(),
              QStringLiteral("Repeat"));
    EXPECT_EQ(grid_->model()->headerData(ColDelete, Qt::Horizontal).toString(),
              QStringLiteral("Delete"));
}

// English words are wider than the Japanese ones the columns were designed
// for: each is shown whole, and the columns still fit the grid.
TEST_F(EnglishEditorTest, EveryEnglishWordFitsItsColumn) {
    const QFontMetrics metrics(grid_->font());
    const auto fits = [&](int column, const QString& text) {
        return metrics.horizontalAdvance(text) < grid_->columnWidth(column);
    };
    for (const auto& [repeat, english] : kRepeat) {
        EXPECT_TRUE(fits(ColRepeat, QString::fromUtf8(english))) << english;
    }
    for (const auto& [action, english] : kAction) {
        EXPECT_TRUE(fits(ColAction, QString::fromUtf8(english))) << english;
    }
    for (const char* date : {"2030/01/09 Wed", "2030/01/10 Thu", "2030/01/07 Mon"}) {
        EXPECT_TRUE(fits(ColDate, QString::fromLatin1(date))) << date;
    }
    EXPECT_TRUE(fits(ColDelete, QStringLiteral("Yes")));
    int total = 0;
    for (int column = 0; column < kScheduleColumns; ++column) {
        total += grid_->columnWidth(column);
    }
    EXPECT_LE(total, grid_->viewport()->width());
}

TEST_F(EnglishEditorTest, ChoicesMadeInEnglishStoreTheJapaneseWordsAndTheSameFile) {
    Click(ColRepeat, 1);
    Choose(Editors().ComboBox1(), QStringLiteral("Weekdays"));
    EXPECT_EQ(Cell(ColRepeat, 1), "月～金");
    EXPECT_EQ(Cell(ColDate, 1), "2026/12/08/火"); // the stored form, whatever is shown
    grid_->SetCurrentCell(ColAction, 1);
    Choose(Editors().ComboBox2(), QStringLiteral("Message"));
    EXPECT_EQ(Cell(ColAction, 1), "メッセージ");
    grid_->SetCurrentCell(ColDelete, 1);
    Choose(Editors().ComboBox3(), QStringLiteral("Yes"));
    EXPECT_EQ(Cell(ColDelete, 1), "する");
    table_.SetCell(ColTime, 1, "07:30:00");
    table_.SetCell(ColArgument, 1, "wake");
    grid_->SetCurrentCell(ColEnabled, 1);
    Choose(Editors().ComboBox4(), QStringLiteral("✓"));
    EXPECT_EQ(Cell(ColEnabled, 1), "○");

    // The file written now is the one the Japanese interface writes.
    const std::string english = WriteScheduleText(table_);
    Translations::Use(UiLanguage::Japanese);
    const std::string japanese = WriteScheduleText(table_);
    Translations::Use(UiLanguage::English);
    EXPECT_EQ(english, japanese);
    EXPECT_NE(english.find("\x8c\x8e\x81\x60\x8b\xe0"), std::string::npos); // 月～金 in CP932
    EXPECT_NE(english.find("\x81\x9b"), std::string::npos);                 // ○
}

} // namespace
} // namespace rimo
