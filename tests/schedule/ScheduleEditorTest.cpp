#include "EditorFixture.h"

#include "schedule/ArgumentChoices.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QTimeEdit>

namespace rimo {
namespace {

class ScheduleEditorTest : public EditorFixture {};

TEST_F(ScheduleEditorTest, ARowIsFilledFromTheKeyboardThroughTheEditors) {
    Click(ColRepeat, 1);
    ASSERT_TRUE(Editors().ComboBox1()->isVisible());

    // Choosing a repetition writes it, fills the empty date with today and
    // moves on to the date.
    Choose(Editors().ComboBox1(), QStringLiteral("毎日"));
    EXPECT_EQ(Cell(ColRepeat, 1), "毎日");
    EXPECT_EQ(Cell(ColDate, 1), "2026/12/08/火");
    EXPECT_EQ(grid_->CurrentColumn(), ColDate);
    EXPECT_EQ(window_.focusWidget(), grid_);
    EXPECT_TRUE(Editors().DateTimePicker1()->isVisible());
    EXPECT_FALSE(Editors().ComboBox1()->isVisible());

    // The date: Enter opens the picker, the arrow steps the day (written at
    // once), Enter moves on to the time.
    Key(grid_, Qt::Key_Return);
    QDateEdit* date = Editors().DateTimePicker1();
    ASSERT_EQ(window_.focusWidget(), date);
    date->setCurrentSection(QDateTimeEdit::DaySection);
    Key(date, Qt::Key_Up);
    EXPECT_EQ(Cell(ColDate, 1), "2026/12/09/水");
    Key(date, Qt::Key_Return);
    EXPECT_EQ(Cell(ColDate, 1), "2026/12/09/水");
    EXPECT_EQ(grid_->CurrentColumn(), ColTime);
    EXPECT_EQ(window_.focusWidget(), grid_);

    // The time is written as it changes; the column stays.
    Key(grid_, Qt::Key_F2);
    QTimeEdit* time = Editors().DateTimePicker2();
    ASSERT_EQ(window_.focusWidget(), time);
    time->setCurrentSection(QDateTimeEdit::HourSection);
    Key(time, Qt::Key_Down);
    EXPECT_EQ(Cell(ColTime, 1), "09:00:00");
    Key(time, Qt::Key_Return);
    EXPECT_EQ(grid_->CurrentColumn(), ColTime);
    EXPECT_EQ(window_.focusWidget(), grid_);

    // A message moves on to its text, typed into the cell.
    Key(grid_, Qt::Key_Right);
    Choose(Editors().ComboBox2(), QStringLiteral("メッセージ"));
    EXPECT_EQ(Cell(ColAction, 1), "メッセージ");
    EXPECT_EQ(grid_->CurrentColumn(), ColArgument);
    // The first key starts the typing; the rest goes to the cell's editor.
    QTest::keyClicks(grid_, QStringLiteral("w"));
    QTest::keyClicks(window_.focusWidget(), QStringLiteral("ake"));
    Key(window_.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Cell(ColArgument, 1), "wake");

    // Delete after the run, then enable.
    Key(grid_, Qt::Key_Right);
    Choose(Editors().ComboBox3(), QStringLiteral("する"));
    EXPECT_EQ(Cell(ColDelete, 1), "する");
    EXPECT_EQ(grid_->CurrentColumn(), ColDelete);
    Key(grid_, Qt::Key_Tab);
    state_.TitleRefreshPending = false;
    Choose(Editors().ComboBox4(), QStringLiteral("○"));
    EXPECT_EQ(Cell(ColEnabled, 1), "○");
    EXPECT_TRUE(state_.TitleRefreshPending);
    EXPECT_TRUE(MessageBoxes().isEmpty());

    // The title, typed last.
    grid_->SetCurrentCell(ColTitle, 1);
    Key(grid_, Qt::Key_Return);
    QTest::keyClicks(window_.focusWidget(), QStringLiteral("Alarm"));
    Key(window_.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Cell(ColTitle, 1), "Alarm");
}

TEST_F(ScheduleEditorTest, TheEmptyRepetitionAlsoDatesTheRowAndAFilledDateStays) {
    Click(ColRepeat, 1);
    Choose(Editors().ComboBox1(), QString());
    EXPECT_EQ(Cell(ColRepeat, 1), "");
    EXPECT_EQ(Cell(ColDate, 1), "2026/12/08/火");
    EXPECT_EQ(grid_->CurrentColumn(), ColDate);

    table_.SetCell(ColDate, 2, "2027/01/01/金");
    Click(ColRepeat, 2);
    Choose(Editors().ComboBox1(), QStringLiteral("毎年"));
    EXPECT_EQ(Cell(ColDate, 2), "2027/01/01/金");
}

TEST_F(ScheduleEditorTest, ActionsMoveOnOnlyForAMessageOrAProgram) {
    Click(ColAction, 1);
    Choose(Editors().ComboBox2(), QStringLiteral("サウンド"));
    EXPECT_EQ(Cell(ColAction, 1), "サウンド");
    EXPECT_EQ(grid_->CurrentColumn(), ColAction);
    Choose(Editors().ComboBox2(), QStringLiteral("起動"));
    EXPECT_EQ(grid_->CurrentColumn(), ColArgument);
    EXPECT_EQ(Editors().ComboBox2()->count(), 13); // every power action exists here
}

TEST_F(ScheduleEditorTest, EditorsCoverTheCurrentCellOnePixelBeyondEachEdge) {
    const int columns[] = {ColRepeat, ColDate, ColTime, ColAction, ColDelete, ColEnabled};
    QWidget* editors[] = {Editors().ComboBox1(),       Editors().DateTimePicker1(),
                          Editors().DateTimePicker2(), Editors().ComboBox2(),
                          Editors().ComboBox3(),       Editors().ComboBox4()};
    for (std::size_t i = 0; i < std::size(columns); ++i) {
        Click(columns[i], 2);
        const QRect cell = grid_->CellRect(columns[i], 2);
        const QPoint topLeft = grid_->viewport()->mapTo(&window_, cell.topLeft());
        EXPECT_EQ(editors[i]->geometry(),
                  QRect(topLeft.x() - 1, topLeft.y() - 1, cell.width() + 2, cell.height() + 2))
            << editors[i]->objectName().toStdString();
        EXPECT_EQ(editors[i]->parentWidget(), &window_);
        for (QWidget* other : editors) {
            EXPECT_EQ(other->isVisible(), other == editors[i]) << other->objectName().toStdString();
        }
    }
    // The row is as high as the list minus the grid line: the list fills it.
    EXPECT_EQ(grid_->CellRect(ColRepeat, 1).height() + 2, Editors().ComboBox1()->height());
    EXPECT_EQ(grid_->DefaultRowHeight() + 1, Editors().ComboBox1()->sizeHint().height());

    // The title and the message column have none; leaving the grid hides them.
    Click(ColTitle, 2);
    for (QWidget* editor : editors) {
        EXPECT_FALSE(editor->isVisible());
    }
    Click(ColAction, 3);
    ASSERT_TRUE(Editors().ComboBox2()->isVisible());
    QWidget elsewhere(&window_);
    elsewhere.setFocusPolicy(Qt::StrongFocus);
    elsewhere.show();
    elsewhere.setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(Editors().ComboBox2()->isVisible());
    grid_->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(Editors().ComboBox2()->isVisible());
    editor_->HideCellEditors();
    EXPECT_FALSE(Editors().ComboBox2()->isVisible());
}

TEST_F(ScheduleEditorTest, TheListsPreselectTheCellsText) {
    table_.SetCell(ColRepeat, 1, "隔週");
    table_.SetCell(ColRepeat, 2, "unknown");
    Click(ColRepeat, 1);
    EXPECT_EQ(Editors().ComboBox1()->currentText(), QStringLiteral("隔週"));
    Click(ColRepeat, 2);
    EXPECT_EQ(Editors().ComboBox1()->currentIndex(), -1);
}

TEST_F(ScheduleEditorTest, EnablingAnIncompleteRowSaysWhatIsMissing) {
    struct Case {
        ScheduleRow Row;
        QString Message;
        int Column;
    };
    const Case cases[] = {
        {{"", "", "", "", "", "", "しない", "×"}, QStringLiteral("日付が指定されていません。"), 2},
        {{"", "毎日", "2026/12/09/水", "", "", "", "しない", "×"},
         QStringLiteral("時刻が指定されていません。"),
         3},
        {{"", "", "2026/12/09/水", "07:00:00", "", "", "しない", "×"},
         QStringLiteral("動作が指定されていません。"),
         4},
        {{"", "", "2026/12/09/水", "07:00:00", "メッセージ", "", "しない", "×"},
         QStringLiteral("メッセージが指定されていません。"),
         5},
        {{"", "", "2026/12/09/水", "07:00:00", "起動", "", "しない", "×"},
         QStringLiteral("起動パスが指定されていません。"),
         5},
    };
    for (const Case& c : cases) {
        table_.ReplaceScheduleRows({c.Row, c.Row});
        Click(ColEnabled, 2);
        state_.TitleRefreshPending = false;
        Choose(Editors().ComboBox4(), QStringLiteral("○"));
        EXPECT_EQ(Cell(ColEnabled, 2), "×") << c.Message.toStdString();
        EXPECT_EQ(grid_->CurrentColumn(), c.Column);
        EXPECT_EQ(grid_->CurrentTableRow(), 2);
        EXPECT_TRUE(state_.TitleRefreshPending);
        const QList<QMessageBox*> boxes = MessageBoxes();
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0]->windowTitle(), QStringLiteral("Rimotime Information"));
        EXPECT_EQ(boxes[0]->text(), c.Message);
        EXPECT_EQ(boxes[0]->icon(), QMessageBox::Information);
        CloseMessageBoxes();
        grid_->setFocus();
    }
    // A sound needs no file.
    table_.ReplaceScheduleRows(
        {{"", "", "2026/12/09/水", "07:00:00", "サウンド", "", "しない", "×"}});
    Click(ColEnabled, 1);
    Choose(Editors().ComboBox4(), QStringLiteral("○"));
    EXPECT_EQ(Cell(ColEnabled, 1), "○");
    EXPECT_TRUE(MessageBoxes().isEmpty());
    Choose(Editors().ComboBox4(), QStringLiteral("×"));
    EXPECT_EQ(Cell(ColEnabled, 1), "×");
}

TEST_F(ScheduleEditorTest, SelectingACellLoadsThePickersAndLeavesTheCellAlone) {
    table_.ReplaceScheduleRows({{"", "", "2026/11/30/月", "06:15:00", "", "", "しない", "○"},
                                {"", "", "2027/02/03/水", "", "", "", "しない", "○"},
                                {"", "", "garbage", "25:99", "", "", "しない", "○"}});
    state_.TitleRefreshPending = false;
    Click(ColTime, 1);
    EXPECT_TRUE(state_.TitleRefreshPending);
    EXPECT_EQ(Editors().DateTimePicker1()->date(), QDate(2026, 12, 8)); // past: today
    EXPECT_EQ(Editors().DateTimePicker2()->time(), QTime(6, 15, 0));
    EXPECT_EQ(Cell(ColDate, 1), "2026/11/30/月");
    Click(ColTime, 2);
    EXPECT_EQ(Editors().DateTimePicker1()->date(), QDate(2027, 2, 3));
    EXPECT_EQ(Editors().DateTimePicker2()->time(), QTime(10, 0, 0)); // empty: now
    // Unreadable texts no longer stop the selection: the row can be mended.
    Click(ColDate, 3);
    EXPECT_EQ(grid_->CurrentTableRow(), 3);
    EXPECT_EQ(Editors().DateTimePicker1()->date(), QDate(2026, 12, 8));
    EXPECT_TRUE(MessageBoxes().isEmpty());
    Key(grid_, Qt::Key_Return);
    Key(Editors().DateTimePicker1(), Qt::Key_Return);
    EXPECT_EQ(Cell(ColDate, 3), "2026/12/08/火");
}

TEST_F(ScheduleEditorTest, TypingAndDropsFollowTheColumn) {
    for (int column = 0; column < kScheduleColumns; ++column) {
        Click(column, 1);
        const bool typing = column == ColTitle || column == ColArgument;
        EXPECT_EQ(grid_->editTriggers() != QAbstractItemView::NoEditTriggers, typing) << column;
        EXPECT_EQ(window_.acceptDrops(), column == ColArgument) << column;
    }
    // A key typed on a list column writes nothing.
    Click(ColDelete, 1);
    QTest::keyClicks(grid_, QStringLiteral("x"));
    EXPECT_EQ(Cell(ColDelete, 1), "しない");
}

TEST_F(ScheduleEditorTest, EachDateChangeIsInTheCellAtOnceAndEscTakesItBack) {
    table_.SetCell(ColDate, 1, "2027/05/05/水");
    Click(ColDate, 1);
    Key(grid_, Qt::Key_F2);
    QDateEdit* date = Editors().DateTimePicker1();
    ASSERT_EQ(window_.focusWidget(), date);
    date->setCurrentSection(QDateTimeEdit::DaySection);
    Key(date, Qt::Key_Up);
    // Still in the picker: a close now (the tray's exit, a session end) saves it.
    EXPECT_EQ(Cell(ColDate, 1), "2027/05/06/木");
    EXPECT_EQ(window_.focusWidget(), date);
    Key(date, Qt::Key_Escape);
    EXPECT_EQ(window_.focusWidget(), grid_);
    EXPECT_EQ(Cell(ColDate, 1), "2027/05/05/水");
    EXPECT_EQ(date->date(), QDate(2027, 5, 5));
    EXPECT_EQ(grid_->CurrentColumn(), ColDate);

    // Tab out of a changed picker keeps the change and goes to the next cell.
    Key(grid_, Qt::Key_Return);
    date->setCurrentSection(QDateTimeEdit::DaySection);
    Key(date, Qt::Key_Up);
    Key(date, Qt::Key_Tab);
    EXPECT_EQ(Cell(ColDate, 1), "2027/05/06/木");
    EXPECT_EQ(grid_->CurrentColumn(), ColTime);
    EXPECT_EQ(window_.focusWidget(), grid_);
}

TEST_F(ScheduleEditorTest, DropDownKeysOpenTheListOrCalendarAndEscClosesIt) {
    Click(ColDelete, 1);
    Key(grid_, Qt::Key_F4);
    CellComboBox* list = Editors().ComboBox3();
    ASSERT_TRUE(list->view()->isVisible());
    Key(list->view(), Qt::Key_Escape);
    EXPECT_FALSE(list->view()->isVisible());
    EXPECT_EQ(window_.focusWidget(), grid_);
    EXPECT_EQ(Cell(ColDelete, 1), "しない");

    Click(ColDate, 1);
    Key(grid_, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(window_.focusWidget(), Editors().DateTimePicker1());
    EXPECT_TRUE(Editors().DateTimePicker1()->calendarWidget()->isVisible());
    Editors().DateTimePicker1()->calendarWidget()->window()->close();
}

TEST_F(ScheduleEditorTest, ADayClickedInTheCalendarIsWrittenAndMovesOn) {
    Click(ColDate, 1);
    QCalendarWidget* calendar = Editors().DateTimePicker1()->calendarWidget();
    ASSERT_NE(calendar, nullptr);
    Editors().DateTimePicker1()->setDate(QDate(2026, 12, 24));
    Q_EMIT calendar->clicked(QDate(2026, 12, 24));
    QApplication::processEvents();
    EXPECT_EQ(Cell(ColDate, 1), "2026/12/24/木");
    EXPECT_EQ(grid_->CurrentColumn(), ColTime);
}

class FixedChoices final : public ArgumentChoices {
public:
    std::vector<std::string> LauncherTitles() const override { return {"朝", "夜", "週末"}; }
    std::vector<std::string> ScreenSaverList() const override {
        ++reads;
        return {"/usr/libexec/xscreensaver/abstractile", "/opt/saver/stars.scr"};
    }
    mutable int reads = 0;
};

TEST_F(ScheduleEditorTest, TheArgumentListOffersLauncherTitlesOrScreenSavers) {
    FixedChoices choices;
    editor_->SetArgumentChoices(choices);
    table_.ReplaceScheduleRows({{"", "", "", "", "ランチャー", "夜", "", ""},
                                {"", "", "", "", "ScreenSave", "\"/opt/saver/stars.scr\"", "", ""},
                                {"", "", "", "", "メッセージ", "", "", ""}});
    CellComboBox* list = Editors().ComboBox5();
    Click(ColArgument, 1);
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentText(), QStringLiteral("夜")); // the stored title preselected
    EXPECT_EQ(list->geometry().size(), grid_->CellRect(ColArgument, 1).size() + QSize(2, 2));
    Choose(list, QStringLiteral("週末"));
    EXPECT_EQ(Cell(ColArgument, 1), "週末");

    Click(ColArgument, 2);
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentIndex(), -1); // the quoted path matches no item
    const int reads = choices.reads;
    Choose(list, QStringLiteral("/usr/libexec/xscreensaver/abstractile"));
    EXPECT_GT(choices.reads, reads); // read afresh as the list opens
    EXPECT_EQ(Cell(ColArgument, 2), "\"/usr/libexec/xscreensaver/abstractile\"");

    Click(ColArgument, 3);
    EXPECT_FALSE(list->isVisible());
    Click(ColRepeat, 1);
    EXPECT_FALSE(list->isVisible());
}

TEST_F(ScheduleEditorTest, TheDesignedLauncherTitlesStandInUntilALauncherIsThere) {
    table_.SetCell(ColAction, 1, "ランチャー");
    Click(ColArgument, 1);
    ASSERT_EQ(Editors().ComboBox5()->count(), 3);
    EXPECT_EQ(Editors().ComboBox5()->itemText(0), QStringLiteral("タイトル１"));
    EXPECT_EQ(Editors().ComboBox5()->itemText(2), QStringLiteral("タイトル３"));
}

TEST_F(ScheduleEditorTest, NewRowsShowTheirDefaultsWhenFirstDrawn) {
    editor_->Add1Click();
    const int last = table_.RowCount() - 1;
    EXPECT_EQ(Cell(ColDelete, last), "");
    grid_->scrollToBottom();
    grid_->viewport()->repaint();
    EXPECT_EQ(Cell(ColDelete, last), "しない");
    EXPECT_EQ(Cell(ColEnabled, last), "×");
}

TEST_F(ScheduleEditorTest, AChoiceForACellNoLongerCurrentIsDropped) {
    Click(ColRepeat, 1);
    Key(grid_, Qt::Key_Return);
    CellComboBox* combo = Editors().ComboBox1();
    ASSERT_TRUE(combo->view()->isVisible());
    // A scheduled run re-sorts meanwhile and selects another cell.
    grid_->SetCurrentCell(ColTitle, 3);
    combo->view()->setCurrentIndex(combo->model()->index(3, 0));
    Key(combo->view(), Qt::Key_Return);
    EXPECT_EQ(Cell(ColRepeat, 1), "");
    EXPECT_EQ(Cell(ColTitle, 3), "");
    EXPECT_EQ(Cell(ColRepeat, 3), "");
}

TEST_F(ScheduleEditorTest, LeavingTheGridAsksForTheTick) {
    int requests = 0;
    QObject::connect(editor_.get(), &ScheduleEditor::TimerEnableRequested,
                     [&requests] { ++requests; });
    QWidget elsewhere(&window_);
    elsewhere.setFocusPolicy(Qt::StrongFocus);
    elsewhere.show();
    elsewhere.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(requests, 1);
}

} // namespace
} // namespace rimo
