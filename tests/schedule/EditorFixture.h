#pragma once

#include "MessageBoxes.h"
#include "core/MainWindowState.h"
#include "fakes/FakeClock.h"
#include "schedule/CellComboBox.h"
#include "schedule/ScheduleCellEditors.h"
#include "schedule/ScheduleEditor.h"
#include "schedule/ScheduleGrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace rimo {

// A window holding the grid where the main window has it, the editor made on
// it, shown offscreen with the grid focused, at a fixed moment.
class EditorFixture : public ::testing::Test {
protected:
    EditorFixture() {
        clock_.SetLocal(EncodeDate(2026, 12, 8) + EncodeTime(10, 0, 0)); // a Tuesday
        window_.resize(700, 500);
        grid_ = new ScheduleGrid(table_, &window_);
        grid_->setGeometry(8, 232, 673, 201);
        editor_ = std::make_unique<ScheduleEditor>(*grid_, state_, clock_);
        grid_->SetDefaultRowHeight(Editors().ComboBox1()->height() - 1);
        window_.show();
        window_.activateWindow();
        QApplication::processEvents();
        grid_->setFocus();
        QApplication::processEvents();
    }
    ~EditorFixture() override {
        CloseMessageBoxes();
        editor_.reset();
    }

    ScheduleCellEditors& Editors() { return editor_->CellEditors(); }

    // Makes a cell current with a left click, as a user does.
    void Click(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        const QRect cell = grid_->CellRect(column, row);
        QTest::mouseClick(grid_->viewport(), button, Qt::NoModifier, cell.center());
        QApplication::processEvents();
    }
    void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        QApplication::processEvents();
    }
    // From the grid: Enter drops the current cell's list down; the item is
    // highlighted and taken with Enter.
    void Choose(CellComboBox* combo, const QString& item) {
        Key(grid_, Qt::Key_Return);
        ASSERT_TRUE(combo->view()->isVisible()) << combo->objectName().toStdString();
        const int index = combo->findText(item, Qt::MatchExactly);
        ASSERT_GE(index, 0) << item.toStdString();
        combo->view()->setCurrentIndex(combo->model()->index(index, 0));
        Key(combo->view(), Qt::Key_Return);
    }

    std::string Cell(int column, int row) const { return table_.Cell(column, row); }

    static QList<QMessageBox*> MessageBoxes() { return VisibleMessageBoxes(); }

    ScheduleTable table_;
    MainWindowState state_;
    FakeClock clock_;
    QWidget window_;
    ScheduleGrid* grid_ = nullptr;
    std::unique_ptr<ScheduleEditor> editor_;
};

} // namespace rimo
