// The main window without a mouse: leaving the grid, the order Tab follows
// on every page, and mnemonics that two controls would share.
#include "FormTest.h"
#include "schedule/ScheduleGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace rimo {
namespace {

class KeyboardTest : public FormTest {
protected:
    void SetUp() override {
        form_ = Start();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        pages_ = form_->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        ASSERT_NE(pages_, nullptr);
    }

    static QWidget* Focus() { return QApplication::focusWidget(); }
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Focus(), static_cast<Qt::Key>(key), modifiers);
        QApplication::processEvents();
    }
    QWidget* Named(const char* name) const {
        return form_->findChild<QWidget*>(QString::fromLatin1(name));
    }
    void FocusGrid() {
        form_->StringGrid1()->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(Focus(), form_->StringGrid1());
    }

    // The controls Tab goes through from the grid's next control round to
    // the grid (a control that takes several Tabs, such as a time's fields,
    // once).
    QList<QWidget*> TabCycle() {
        QList<QWidget*> cycle;
        FocusGrid();
        Press(Qt::Key_Tab, Qt::ControlModifier);
        for (int step = 0; step < 400 && Focus() && Focus() != form_->StringGrid1(); ++step) {
            if (cycle.isEmpty() || cycle.back() != Focus()) {
                cycle.append(Focus());
            }
            Press(Qt::Key_Tab);
        }
        return cycle;
    }

    static QStringList Names(const QList<QWidget*>& widgets) {
        QStringList names;
        for (QWidget* widget : widgets) {
            names.append(widget->objectName().isEmpty()
                             ? QString::fromLatin1(widget->metaObject()->className())
                             : widget->objectName());
        }
        return names;
    }

    std::unique_ptr<TForm1> form_;
    QTabWidget* pages_ = nullptr;
};

TEST_F(KeyboardTest, CtrlTabAndEscLeaveTheGridTabStaysInIt) {
    FocusGrid();
    ScheduleGrid* grid = form_->StringGrid1();
    grid->SetCurrentCell(7, 8); // the last cell: Tab wraps to the first one
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focus(), grid);
    EXPECT_EQ(grid->CurrentColumn(), 0);
    EXPECT_EQ(grid->CurrentTableRow(), 1);

    Press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Focus(), Named("ButtonTest"));
    FocusGrid();
    Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Focus(), Named("CloseButton"));
    FocusGrid();
    Press(Qt::Key_Escape);
    EXPECT_EQ(Focus(), Named("ButtonTest"));

    // From an open cell editor the same keys leave too.
    FocusGrid();
    grid->SetCurrentCell(2, 1);
    Press(Qt::Key_F2);
    ASSERT_EQ(Focus()->objectName(), QStringLiteral("DateTimePicker1"));
    Press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Focus(), Named("ButtonTest"));
    FocusGrid();
    grid->SetCurrentCell(0, 1);
    Press(Qt::Key_F2);
    ASSERT_EQ(Focus()->objectName(), QStringLiteral("CellTextEditor"));
    QTest::keyClicks(Focus(), QStringLiteral("abc"));
    Press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Focus(), Named("ButtonTest"));
    EXPECT_EQ(form_->Schedule().Cell(0, 1), "abc");
}

TEST_F(KeyboardTest, TabRunsTheDesignedOrderWithTheShownPageAfterItsTabs) {
    const QStringList before{QStringLiteral("ButtonTest"), QStringLiteral("OKButton"),
                             QStringLiteral("CancelButton")};
    const QStringList after{QStringLiteral("AddButton"), QStringLiteral("InsertButton"),
                            QStringLiteral("DeleteButton"), QStringLiteral("SortButton"),
                            QStringLiteral("CloseButton")};
    for (int page = 0; page < pages_->count(); ++page) {
        pages_->setCurrentIndex(page);
        QApplication::processEvents();
        const QList<QWidget*> cycle = TabCycle();
        const QStringList names = Names(cycle);
        SCOPED_TRACE("page " + std::to_string(page) + ": " +
                     names.join(QLatin1Char(' ')).toStdString());
        ASSERT_GE(cycle.size(), before.size() + after.size() + 1);
        EXPECT_EQ(names.mid(0, before.size()), before);
        EXPECT_EQ(cycle[before.size()], pages_->tabBar());
        EXPECT_EQ(names.mid(names.size() - after.size()), after);
        // Between the tabs and 追加: the shown page's controls, each of them.
        QWidget* shown = pages_->currentWidget();
        const QList<QWidget*> middle =
            cycle.mid(before.size() + 1, cycle.size() - before.size() - 1 - after.size());
        for (QWidget* widget : middle) {
            EXPECT_TRUE(shown->isAncestorOf(widget)) << widget->objectName().toStdString();
        }
        for (QWidget* widget : shown->findChildren<QWidget*>()) {
            // Of a radio group only the chosen item is a Tab stop.
            if ((widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->isVisible() &&
                widget->isEnabled() && !widget->focusProxy() &&
                !qobject_cast<QRadioButton*>(widget)) {
                EXPECT_TRUE(middle.contains(widget)) << widget->objectName().toStdString();
            }
        }
    }
}

TEST_F(KeyboardTest, TheLauncherRowsFollowItsTitleField) {
    pages_->setCurrentIndex(2);
    QApplication::processEvents();
    const QStringList names = Names(TabCycle());
    const qsizetype title = names.indexOf(QStringLiteral("EditLaunchTitle"));
    ASSERT_GE(title, 0) << names.join(QLatin1Char(' ')).toStdString();
    QStringList rows;
    for (int n = 1; n <= 6; ++n) {
        rows << QStringLiteral("CheckBox%1").arg(n) << QStringLiteral("Button%1").arg(n);
    }
    rows << QStringLiteral("AddButton");
    EXPECT_EQ(names.mid(title + 1, rows.size()), rows)
        << names.join(QLatin1Char(' ')).toStdString();
}

TEST_F(KeyboardTest, AScheduleRowIsMadeAndSavedWithTheKeyboardOnly) {
    ScheduleGrid* grid = form_->StringGrid1();
    FocusGrid();
    // 追加 lies before 終了, which comes before the grid.
    Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    for (int i = 0; i < 4; ++i) {
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
    }
    ASSERT_EQ(Focus(), Named("AddButton"));
    Press(Qt::Key_Space);
    ASSERT_EQ(form_->Schedule().RowCount(), 10);
    for (int i = 0; i < 5; ++i) {
        Press(Qt::Key_Tab);
    }
    ASSERT_EQ(Focus(), grid);
    Press(Qt::Key_End, Qt::ControlModifier);
    Press(Qt::Key_Home);
    ASSERT_EQ(grid->CurrentTableRow(), 9);

    for (const int key : {Qt::Key_T, Qt::Key_E, Qt::Key_A}) {
        Press(key);
    }
    Press(Qt::Key_Return);
    ASSERT_EQ(form_->Schedule().Cell(0, 9), "tea");
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    ASSERT_EQ(grid->CurrentColumn(), 2);
    Press(Qt::Key_Return); // the date picker; Enter takes its date and moves on
    Press(Qt::Key_Return);
    ASSERT_EQ(grid->CurrentColumn(), 3);
    Press(Qt::Key_Return); // the time picker: a step up, then back
    Press(Qt::Key_Up);
    Press(Qt::Key_Return);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Return); // the actions drop down
    QWidget* list = form_->findChild<QComboBox*>(QStringLiteral("ComboBox2"))->view();
    QTest::keyClick(list, Qt::Key_Home); // "警告音"
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    Press(Qt::Key_End);
    Press(Qt::Key_Return); // enabled: "×" → "○"
    list = form_->findChild<QComboBox*>(QStringLiteral("ComboBox4"))->view();
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    for (QMessageBox* box : MessageBoxes()) {
        ADD_FAILURE() << box->text().toStdString();
    }
    EXPECT_EQ(form_->Schedule().Row(9)[7], "○");

    Press(Qt::Key_Tab, Qt::ControlModifier);
    Press(Qt::Key_Tab);
    ASSERT_EQ(Focus(), Named("OKButton"));
    Press(Qt::Key_Space);
    ScheduleTable stored;
    LoadSchedule(paths_.ScheduleFile(), stored);
    bool found = false;
    for (const ScheduleRow& row : stored.Rows()) {
        if (row[0] == "tea") {
            found = true;
            EXPECT_EQ(row[2], "2026/12/08/火");
            EXPECT_FALSE(row[3].empty());
            EXPECT_EQ(row[4], "警告音");
            EXPECT_EQ(row[7], "○");
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(KeyboardTest, APageMnemonicWinsOverTheTabsWhileItsPageIsShown) {
    const auto altC = [&] {
        QTest::keyClick(Focus(), Qt::Key_C, Qt::AltModifier);
        QApplication::processEvents();
    };
    pages_->setCurrentIndex(2);
    QApplication::processEvents();
    auto* conf = form_->findChild<QCheckBox*>(QStringLiteral("CheckBoxConf"));
    const bool confirm = conf->isChecked();
    altC();
    EXPECT_TRUE(QTest::qWaitFor([&] { return conf->isChecked() != confirm; }, 5000));
    EXPECT_EQ(pages_->currentIndex(), 2);
    // The tab shows that the key is the page's now.
    EXPECT_EQ(pages_->tabText(3), QStringLiteral("設定(C)..."));

    pages_->setCurrentIndex(1);
    QApplication::processEvents();
    auto* startProgram = form_->findChild<QCheckBox*>(QStringLiteral("CheckBoxPath"));
    const bool start = startProgram->isChecked();
    altC();
    EXPECT_TRUE(QTest::qWaitFor([&] { return startProgram->isChecked() != start; }, 5000));
    EXPECT_EQ(pages_->currentIndex(), 1);

    // Where no control of the page takes it, Alt+C is the tab's again.
    pages_->setCurrentIndex(0);
    QApplication::processEvents();
    EXPECT_EQ(pages_->tabText(3), QStringLiteral("設定(&C)..."));
    altC();
    EXPECT_EQ(pages_->currentIndex(), 3);
}

} // namespace
} // namespace rimo
