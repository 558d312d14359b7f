// The grid for keyboard and screen-reader users: its keys told, its cells
// without row headers, typing as an editable text inside the cell, the row
// menu from the keyboard, and the focus mark on the cell's editor.
#include "AccessibleTree.h"
#include "EditorFixture.h"
#include "schedule/SchedulePopupMenu.h"

#include <QAction>
#include <QDateEdit>
#include <QMenu>
#include <QPushButton>

namespace rimo {
namespace {

class ScheduleGridAccessTest : public EditorFixture {
protected:
    QAccessibleInterface* Table() const { return Accessible(grid_); }
    QMenu* Menu() const { return editor_->PopupMenu().PopupMenu2(); }
    QStringList VisibleItems() const {
        QStringList items;
        for (QAction* action : Menu()->actions()) {
            if (action->isVisible() && !action->isSeparator()) {
                items.append(action->objectName());
            }
        }
        return items;
    }
};

TEST_F(ScheduleGridAccessTest, TheGridTellsItsKeysAndOffersNoRowHeaders) {
    const QString description = Table()->text(QAccessible::Description);
    for (const char* key : {"Enter", "F2", "F4", "Alt+", "Shift+F10", "Ctrl+Tab", "Esc"}) {
        EXPECT_TRUE(description.contains(QLatin1String(key))) << key;
    }
    EXPECT_EQ(Table()->text(QAccessible::Name), QStringLiteral("スケジュール"));

    table_.SetCell(ColTitle, 2, "起床");
    const int rows = table_.RowCount() - 1;
    ASSERT_EQ(Table()->childCount(), (rows + 1) * kScheduleColumns);
    for (int i = 0; i < Table()->childCount(); ++i) {
        QAccessibleInterface* child = Table()->child(i);
        ASSERT_NE(child, nullptr) << i;
        EXPECT_NE(child->role(), QAccessible::RowHeader) << i;
        EXPECT_EQ(child->role(),
                  i < kScheduleColumns ? QAccessible::ColumnHeader : QAccessible::Cell)
            << i;
        EXPECT_EQ(Table()->indexOfChild(child), i);
        EXPECT_EQ(child->parent(), Table());
    }
    EXPECT_EQ(Table()->child(ColRepeat)->text(QAccessible::Name), QStringLiteral("繰り返し"));
    QAccessibleInterface* cell = Table()->tableInterface()->cellAt(1, ColTitle);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("起床"));
    EXPECT_EQ(cell->tableCellInterface()->columnHeaderCells().value(0), Table()->child(ColTitle));
}

TEST_F(ScheduleGridAccessTest, TypingInACellIsAnEditableTextInsideThatCell) {
    Click(ColTitle, 2);
    Key(grid_, Qt::Key_A);
    QWidget* typing = window_.focusWidget();
    ASSERT_NE(typing, grid_);
    QAccessibleInterface* editor = Accessible(typing);
    EXPECT_EQ(editor->role(), QAccessible::EditableText);
    EXPECT_EQ(editor->text(QAccessible::Name), QStringLiteral("タイトル"));
    EXPECT_TRUE(editor->state().focused);
    EXPECT_TRUE(editor->state().editable);
    ASSERT_NE(editor->textInterface(), nullptr);
    ASSERT_NE(editor->editableTextInterface(), nullptr);
    Key(typing, Qt::Key_B);
    EXPECT_EQ(editor->textInterface()->text(0, editor->textInterface()->characterCount()),
              QStringLiteral("ab"));
    EXPECT_EQ(editor->textInterface()->cursorPosition(), 2);

    // Found from the window down, and its parents up to the table.
    QAccessibleInterface* cell = Table()->tableInterface()->cellAt(1, ColTitle);
    EXPECT_EQ(editor->parent(), cell);
    ASSERT_EQ(cell->childCount(), 1);
    EXPECT_EQ(cell->child(0), editor);
    EXPECT_EQ(cell->indexOfChild(editor), 0);
    EXPECT_FALSE(cell->state().focused); // the editor has the keys

    Key(typing, Qt::Key_Return);
    EXPECT_EQ(Cell(ColTitle, 2), "ab");
    EXPECT_EQ(cell->childCount(), 0);
    EXPECT_TRUE(cell->state().focused);
}

TEST_F(ScheduleGridAccessTest, TheMenuKeyAndShiftF10OpenTheMenuOnEveryCell) {
    const QStringList rowItems{QStringLiteral("Insert1"), QStringLiteral("Delete1"),
                               QStringLiteral("Add1"), QStringLiteral("Test1"),
                               QStringLiteral("History1")};
    for (int column = 0; column < kScheduleColumns; ++column) {
        grid_->SetCurrentCell(column, 2);
        Key(grid_, Qt::Key_F10, Qt::ShiftModifier);
        ASSERT_TRUE(Menu()->isVisible()) << "Shift+F10, column " << column;
        EXPECT_EQ(VisibleItems(),
                  column == ColArgument ? QStringList{QStringLiteral("Refer1")} : rowItems);
        Menu()->close();

        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(0, 0),
                                  grid_->mapToGlobal(QPoint(0, 0)));
        QApplication::sendEvent(grid_, &request);
        QApplication::processEvents();
        ASSERT_TRUE(Menu()->isVisible()) << "Menu key, column " << column;
        Menu()->close();
        QApplication::processEvents();
    }
    // From an open editor: the menu of the cell it stands on.
    grid_->SetCurrentCell(ColDate, 1);
    Key(grid_, Qt::Key_F2);
    ASSERT_EQ(window_.focusWidget(), Editors().DateTimePicker1());
    Key(Editors().DateTimePicker1(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(Menu()->isVisible());
    EXPECT_EQ(VisibleItems(), rowItems);
    Menu()->close();
}

TEST_F(ScheduleGridAccessTest, TheEditorOnTheCurrentCellShowsTheFocusWhileTheGridHasIt) {
    auto* other = new QPushButton(QStringLiteral("other"), &window_);
    other->show();
    Click(ColRepeat, 1);
    QWidget* combo = Editors().ComboBox1();
    ASSERT_TRUE(combo->isVisible());
    auto* ring = window_.findChild<QWidget*>(QStringLiteral("CellFocusRing"));
    ASSERT_NE(ring, nullptr);
    EXPECT_TRUE(ring->isVisible());
    EXPECT_EQ(ring->geometry(), combo->geometry());
    QAccessibleInterface* cell = Table()->tableInterface()->cellAt(0, ColRepeat);
    EXPECT_TRUE(cell->state().focused);

    other->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(ring->isVisible());
    EXPECT_FALSE(cell->state().focused);

    // Working in the editor, the editor draws its own focus.
    Click(ColDate, 1);
    EXPECT_TRUE(ring->isVisible());
    Key(grid_, Qt::Key_F2);
    ASSERT_EQ(window_.focusWidget(), Editors().DateTimePicker1());
    EXPECT_FALSE(ring->isVisible());
}

} // namespace
} // namespace rimo
