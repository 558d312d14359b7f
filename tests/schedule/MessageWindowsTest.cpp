#include "schedule/MessageWindows.h"
#include "fakes/FakeClock.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace rimo {
namespace {

class MessageWindowsTest : public ::testing::Test {
protected:
    MessageWindowsTest() : windows_(mainWindow_, clock_) {
        clock_.SetLocal(EncodeDate(2024, 1, 5) + EncodeTime(7, 5, 30));
        mainWindow_.show();
    }

    QPushButton* OkOf(int n) const {
        QWidget* window = windows_.Window(n);
        return window ? window->findChild<QPushButton*>(QStringLiteral("NewButtons%1").arg(n))
                      : nullptr;
    }
    QLabel* LabelOf(int n) const {
        return windows_.Window(n)->findChild<QLabel*>(QStringLiteral("Label"));
    }
    void ClickOk(int n) {
        QTest::mouseClick(OkOf(n), Qt::LeftButton);
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FakeClock clock_;
    QWidget mainWindow_;
    MessageWindows windows_;
};

TEST_F(MessageWindowsTest, ShowsTheTextWithTheTimeAndNamesTheWindow) {
    windows_.DynamicForm("起床 H:M です");
    QWidget* window = windows_.Window(0);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->objectName(), QStringLiteral("RimoTimeInformation0"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("RimoTimeInformation0"));
    EXPECT_EQ(LabelOf(0)->text(), QStringLiteral("起床  07:05  です"));
    EXPECT_EQ(LabelOf(0)->pos(), QPoint(40, 20));
    EXPECT_EQ(window->parentWidget(), nullptr); // a window of its own, above others
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(windows_.LastMessage(), "起床 H:M です");

    QPushButton* ok = OkOf(0);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(ok->size(), QSize(75, 25));
    EXPECT_EQ(ok->y(), 50);
    EXPECT_EQ(ok->x(), (window->width() - 75) / 2); // centred
    EXPECT_GE(window->width(), LabelOf(0)->geometry().right());
}

// A window transient for the main window is not shown while the main window
// is minimised (mutter): a message window stands on its own, above others.
TEST_F(MessageWindowsTest, AMessageWindowIsATopLevelWindowOfItsOwn) {
    mainWindow_.showMinimized();
    windows_.DynamicForm("起床");
    QWidget* window = windows_.Window(0);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->parentWidget(), nullptr);
    ASSERT_NE(window->windowHandle(), nullptr);
    EXPECT_EQ(window->windowHandle()->transientParent(), nullptr);
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MessageWindowsTest, ALineBreakMovesTheLabelUp) {
    windows_.DynamicForm("一行目%n二行目%n三行目");
    EXPECT_EQ(LabelOf(0)->text(), QStringLiteral("一行目\n二行目%n三行目"));
    EXPECT_EQ(LabelOf(0)->pos(), QPoint(40, 15));
}

TEST_F(MessageWindowsTest, MarkupIsShownAsTyped) {
    windows_.DynamicForm("<b>bold</b> & <img src=x>");
    EXPECT_EQ(LabelOf(0)->textFormat(), Qt::PlainText);
    EXPECT_EQ(LabelOf(0)->text(), QStringLiteral("<b>bold</b> & <img src=x>"));
}

TEST_F(MessageWindowsTest, OkInOrderReturnsTheNumberToZero) {
    windows_.DynamicForm("a");
    windows_.DynamicForm("b");
    EXPECT_NE(windows_.Window(1), nullptr);
    EXPECT_EQ(windows_.MessageWindowNumber(), 1);
    ClickOk(0);
    EXPECT_EQ(windows_.Window(0), nullptr);
    ClickOk(1);
    EXPECT_EQ(windows_.MessageWindowNumber(), 0);
}

TEST_F(MessageWindowsTest, OkInReverseLeavesTheNumber) {
    windows_.DynamicForm("a");
    windows_.DynamicForm("b");
    ClickOk(1);
    ClickOk(0);
    EXPECT_EQ(windows_.MessageWindowNumber(), 1);
}

TEST_F(MessageWindowsTest, TheCloseBoxFreesTheWindowToo) {
    windows_.DynamicForm("a");
    windows_.Window(0)->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows_.Window(0), nullptr);
    windows_.DynamicForm("b");
    EXPECT_NE(windows_.Window(0), nullptr); // its number is free again
}

TEST_F(MessageWindowsTest, MoreThan256WindowsAreNumberedOn) {
    for (int i = 0; i < 300; ++i) {
        windows_.DynamicForm("x");
    }
    EXPECT_NE(windows_.Window(299), nullptr);
    EXPECT_EQ(windows_.MessageWindowNumber(), 299);
    ClickOk(299);
    EXPECT_EQ(windows_.MessageWindowNumber(), 299); // 298 is still open
}

} // namespace
} // namespace rimo
