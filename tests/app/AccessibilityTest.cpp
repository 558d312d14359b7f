// The main window as a screen reader reads it: a named window, a name for
// every control that takes the focus, and one focused control at a time.
#include "AccessibleTree.h"
#include "FormTest.h"
#include "app/SecondTimer.h"
#include "schedule/ScheduleEditor.h"
#include "schedule/ScheduleGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <map>

namespace rimo {
namespace {

class AccessibilityTest : public FormTest {
protected:
    void SetUp() override {
        form_ = Start();
        form_->Timer1().SetEnabled(false); // ticks by hand
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        pages_ = form_->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    }
    QWidget* Named(const char* name) const {
        return form_->findChild<QWidget*>(QString::fromLatin1(name));
    }
    // Everything of the window that reports the focus.
    std::vector<QAccessibleInterface*> Focused() const {
        std::vector<QAccessibleInterface*> focused;
        for (QAccessibleInterface* iface : AccessibleTree(Accessible(form_.get()))) {
            if (iface->state().focused) {
                focused.push_back(iface);
            }
        }
        return focused;
    }
    // One focused control: whatever reports the focus lies on one line of
    // parents (a table and its current cell), ending at `deepest`.
    void ExpectOnlyFocused(QAccessibleInterface* deepest) const {
        const std::vector<QAccessibleInterface*> focused = Focused();
        EXPECT_FALSE(focused.empty());
        for (QAccessibleInterface* iface : focused) {
            EXPECT_TRUE(IsAccessibleAncestor(iface, deepest))
                << Describe(iface) << " reports the focus as well as " << Describe(deepest);
        }
    }

    std::unique_ptr<TForm1> form_;
    QTabWidget* pages_ = nullptr;
};

TEST_F(AccessibilityTest, EveryControlThatTakesTheFocusHasAName) {
    for (int page = 0; page < pages_->count(); ++page) {
        pages_->setCurrentIndex(page);
        QApplication::processEvents();
        for (QAccessibleInterface* iface : AccessibleTree(Accessible(form_.get()))) {
            // A cell's name is its text: an empty one is read as blank.
            if (iface->state().focusable && !iface->state().invisible &&
                iface->role() != QAccessible::Cell) {
                EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty())
                    << "page " << page << ": " << Describe(iface);
            }
        }
    }
    const std::map<const char*, QString> names{
        {"StringGrid1", QStringLiteral("スケジュール")},
        {"ComboBox1", QStringLiteral("繰り返し")},
        {"DateTimePicker1", QStringLiteral("日付指定")},
        {"DateTimePicker2", QStringLiteral("時刻指定")},
        {"ComboBox2", QStringLiteral("動作指定")},
        {"ComboBox5", QStringLiteral("メッセージ(起動パス)")},
        {"ComboBox3", QStringLiteral("削除")},
        {"ComboBox4", QStringLiteral("有効")},
        {"Button1", QStringLiteral("未登録")},
        {"CheckBox1", QStringLiteral("1 行目")},
        {"EditLaunchTitle", QStringLiteral("ランチャー・タイトル")},
        {"SpinEdit2", QStringLiteral("ﾎﾞﾀﾝ数：")},
        {"SpinEdit1", QStringLiteral("タイムアウト：")},
        {"ListBoxResult", QStringLiteral("結果")},
        {"DateTimePicker3", QStringLiteral("任意設定 ：")},
        {"ImageRimoIcon", QStringLiteral("RimoTimeInformation のアイコン")},
    };
    for (const auto& [name, expected] : names) {
        EXPECT_EQ(AccessibleName(Named(name)), expected) << name;
    }
    // A chosen item names a cell's list no differently.
    qobject_cast<QComboBox*>(Named("ComboBox1"))->setCurrentIndex(3);
    EXPECT_EQ(AccessibleName(Named("ComboBox1")), QStringLiteral("繰り返し"));
    // On Linux Qt names a list by its value; a screen reader finds the list's
    // name in the label that tells it.
    const auto labels = Accessible(Named("ComboBoxTime"))->relations(QAccessible::Label);
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels[0].first->text(QAccessible::Name),
              QStringLiteral("ｸｨｯｸ設定 ：")); // then the frame
}

TEST_F(AccessibilityTest, TheWindowIsAFrameWhoseNameStaysWhileTheTitleScrolls) {
    QAccessibleInterface* window = Accessible(form_.get());
    EXPECT_EQ(window->role(), QAccessible::Window);
    qobject_cast<QCheckBox*>(Named("CheckBoxScroll"))->setChecked(true);
    QStringList titles;
    for (int tick = 0; tick < 4; ++tick) {
        form_->Timer1Timer();
        titles.append(form_->windowTitle());
        EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("RimoTimeInformation"));
    }
    titles.removeDuplicates();
    EXPECT_EQ(titles.size(), 4); // the title itself did scroll

    // The next event is part of the name once the title names it.
    WriteSchedule({{"会議", "", "2026/12/09/水", "10:00:00", "警告音", "", "しない", "○"}});
    form_->CancelButtonClick(); // reads the file again
    form_->Editor().SortButtonClick();
    qobject_cast<QCheckBox*>(Named("CheckBoxNextHint"))->setChecked(true);
    form_->Timer1Timer();
    const QString withEvent = window->text(QAccessible::Name);
    EXPECT_EQ(withEvent, QStringLiteral("RimoTimeInformation 次は 会議 2026/12/09/水10:00:00"));
    form_->Timer1Timer();
    form_->Timer1Timer();
    EXPECT_EQ(window->text(QAccessible::Name), withEvent);
}

TEST_F(AccessibilityTest, OnlyTheControlWithTheKeyboardReportsTheFocus) {
    // A page's button has it: neither the grid's current cell nor the tab of
    // the shown page may claim it too.
    auto* getTime = qobject_cast<QPushButton*>(Named("GetTimeButton"));
    getTime->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(getTime->hasFocus());
    ExpectOnlyFocused(Accessible(getTime));

    // The grid has it: the grid and its current cell, nothing else.
    ScheduleGrid* grid = form_->StringGrid1();
    grid->setFocus(Qt::TabFocusReason);
    grid->SetCurrentCell(1, 2);
    QApplication::processEvents();
    QAccessibleInterface* cell = Accessible(grid)->tableInterface()->cellAt(1, 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(cell->state().focused);
    ExpectOnlyFocused(cell);

    // The tab bar has it: the shown page's tab.
    pages_->tabBar()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QAccessibleInterface* bar = Accessible(pages_->tabBar());
    QAccessibleInterface* tab = bar->child(pages_->currentIndex());
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->role(), QAccessible::PageTab);
    EXPECT_TRUE(tab->state().focused);
    ExpectOnlyFocused(tab);
}

} // namespace
} // namespace rimo
