// The schedule editor in the real main window: made there, hidden on show,
// rows filled in the grid, stored by OK and brought back by Cancel.
#include "MessageBoxes.h"
#include "TempFolder.h"
#include "app/SecondTimer.h"
#include "app/TForm1.h"
#include "fakes/FakeClock.h"
#include "schedule/CellComboBox.h"
#include "schedule/ScheduleCellEditors.h"
#include "schedule/ScheduleEditor.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleGrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

namespace rimo {
namespace {

class ScheduleInMainWindowTest : public ::testing::Test {
protected:
    ScheduleInMainWindowTest() : paths_(AppPaths::InFolder(folder_.Path())) {
        clock_.SetLocal(EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0));
        form_ = std::make_unique<TForm1>(paths_, clock_);
        form_->show();
        form_->activateWindow();
        QApplication::processEvents();
        grid_ = form_->StringGrid1();
        grid_->setFocus();
        QApplication::processEvents();
    }

    ScheduleCellEditors& Editors() { return form_->Editor().CellEditors(); }
    void Key(QWidget* target, int key) {
        QTest::keyClick(target, static_cast<Qt::Key>(key));
        QApplication::processEvents();
    }
    void Choose(CellComboBox* combo, const QString& item) {
        Key(grid_, Qt::Key_Return);
        ASSERT_TRUE(combo->view()->isVisible());
        combo->view()->setCurrentIndex(combo->model()->index(combo->findText(item), 0));
        Key(combo->view(), Qt::Key_Return);
    }

    TempFolder folder_;
    AppPaths paths_;
    FakeClock clock_;
    std::unique_ptr<TForm1> form_;
    ScheduleGrid* grid_ = nullptr;
};

TEST_F(ScheduleInMainWindowTest, TheEditorsAreTheWindowsAndHiddenWhenItShows) {
    const char* names[] = {"ComboBox1", "ComboBox2",       "ComboBox3",      "ComboBox4",
                           "ComboBox5", "DateTimePicker1", "DateTimePicker2"};
    for (const char* name : names) {
        auto* editor = form_->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(editor, nullptr) << name;
        EXPECT_EQ(editor->parentWidget(), form_.get()) << name;
    }
    EXPECT_EQ(grid_->DefaultRowHeight(),
              Editors().ComboBox1()->height() - ScheduleGrid::kGridLineWidth);

    grid_->SetCurrentCell(ColRepeat, 1);
    QApplication::processEvents();
    ASSERT_TRUE(Editors().ComboBox1()->isVisible());
    form_->hide();
    form_->show();
    QApplication::processEvents();
    EXPECT_FALSE(Editors().ComboBox1()->isVisible());
}

TEST_F(ScheduleInMainWindowTest, ARowMadeInTheGridIsStoredByOkAndCancelBringsTheStoredBack) {
    grid_->SetCurrentCell(ColRepeat, 1);
    Choose(Editors().ComboBox1(), QStringLiteral("毎週"));
    Key(grid_, Qt::Key_Return);
    Key(Editors().DateTimePicker1(), Qt::Key_Return);
    Key(grid_, Qt::Key_Return);
    Editors().DateTimePicker2()->setCurrentSection(QDateTimeEdit::HourSection);
    Key(Editors().DateTimePicker2(), Qt::Key_Up);
    Key(Editors().DateTimePicker2(), Qt::Key_Return);
    Key(grid_, Qt::Key_Tab);
    Choose(Editors().ComboBox2(), QStringLiteral("警告音"));
    grid_->SetCurrentCell(ColEnabled, 1);
    Choose(Editors().ComboBox4(), QStringLiteral("○"));

    const ScheduleRow made{"", "毎週", "2026/12/08/火", "11:00:00", "警告音", "", "しない", "○"};
    EXPECT_EQ(form_->Schedule().Row(1), made);

    form_->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    ScheduleTable stored;
    LoadSchedule(paths_.ScheduleFile(), stored);
    EXPECT_EQ(stored.Row(1), made);
    // Stored, then sorted: the new row after the seven empty ones is the next event.
    EXPECT_EQ(form_->Schedule().Row(8), made);
    EXPECT_EQ(form_->StringGrid1()->CurrentTableRow(), 8);

    form_->Editor().Delete1Click();
    EXPECT_EQ(form_->Schedule().RowCount(), 8);
    form_->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    EXPECT_EQ(form_->Schedule().RowCount(), 9);
    EXPECT_EQ(form_->Schedule().Row(1), made);
}

TEST_F(ScheduleInMainWindowTest, AnUnreadableFileThatCannotBeMovedAsideIsNeverWrittenOver) {
    form_.reset();
    const std::string unreadable = "8\r\nlots\r\n";
    TempFolder::Write(paths_.ScheduleFile(), unreadable);
    // Every name it could be moved to is taken.
    const auto taken = folder_ / "taken";
    TempFolder::Write(taken, "");
    std::filesystem::create_hard_link(taken, folder_ / "rimotime.dat.broken");
    for (int n = 1; n < 10000; ++n) {
        std::filesystem::create_hard_link(taken,
                                          folder_ / ("rimotime.dat.broken." + std::to_string(n)));
    }
    form_ = std::make_unique<TForm1>(paths_, clock_);
    form_->show();
    QApplication::processEvents();
    const auto saveTo = folder_ / "rimotime.dat.new";
    const QList<QMessageBox*> boxes = VisibleMessageBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->text().contains(QString::fromStdString(saveTo.string())));
    CloseMessageBoxes();

    form_->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    EXPECT_EQ(TempFolder::Read(paths_.ScheduleFile()), unreadable);
    form_->show();
    EXPECT_TRUE(form_->close());
    EXPECT_EQ(TempFolder::Read(paths_.ScheduleFile()), unreadable);
    ScheduleTable stored;
    EXPECT_TRUE(LoadSchedule(saveTo, stored).Problems.empty());
    EXPECT_EQ(stored.Rows(), form_->Schedule().Rows());
}

TEST_F(ScheduleInMainWindowTest, LeavingTheGridEnablesTheTick) {
    form_->Timer1().SetEnabled(false);
    form_->findChild<QPushButton*>(QStringLiteral("AddButton"))->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(form_->Timer1().Enabled());
}

} // namespace
} // namespace rimo
