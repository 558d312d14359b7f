#include "schedule/MessageText.h"

#include <gtest/gtest.h>

#include <set>

namespace rimo {
namespace {

const DateTime kSevenFive = EncodeDate(2024, 1, 5) + EncodeTime(7, 5, 9);

TEST(PrepareMessage, PutsTheTimeWithBlanksInPlaceOfEveryHM) {
    EXPECT_EQ(PrepareMessage("起床 H:M です", kSevenFive).Text, "起床  07:05  です");
    EXPECT_EQ(PrepareMessage("H:MH:M", kSevenFive).Text, " 07:05  07:05 ");
    EXPECT_EQ(PrepareMessage("h:m H:m", kSevenFive).Text, "h:m H:m");
    EXPECT_FALSE(PrepareMessage("H:M", kSevenFive).MultiLine);
}

TEST(PrepareMessage, BreaksTheLineAtTheFirstPercentNOnly) {
    PreparedMessage message = PrepareMessage("一行目%n二行目%n三行目", kSevenFive);
    EXPECT_EQ(message.Text, "一行目\r\n二行目%n三行目");
    EXPECT_TRUE(message.MultiLine);
    EXPECT_EQ(PrepareMessage("a%Nb%nc", kSevenFive).Text, "a\r\nb%nc");
    EXPECT_EQ(PrepareMessage("a%nb%Nc", kSevenFive).Text, "a\r\nb%Nc");
    EXPECT_EQ(PrepareMessage("100%", kSevenFive).Text, "100%");
}

class Numbering : public ::testing::Test {
protected:
    int Open() {
        const int n = numbering_.Next(exists_);
        open_.insert(n);
        return n;
    }
    // OK: the window still exists while its click is handled.
    void Ok(int n) {
        numbering_.OkClicked(exists_);
        open_.erase(n);
    }
    std::set<int> open_;
    MessageWindowNumbering numbering_;
    MessageWindowNumbering::WindowExists exists_ = [this](int n) { return open_.count(n) > 0; };
};

TEST_F(Numbering, TwoWindowsClosedInOrderReturnTheNumberToZero) {
    EXPECT_EQ(Open(), 0);
    EXPECT_EQ(Open(), 1);
    EXPECT_EQ(numbering_.Number(), 1);
    Ok(0);
    Ok(1);
    EXPECT_EQ(numbering_.Number(), 0);
}

TEST_F(Numbering, ClosedInReverseTheNumberStays) {
    Open();
    Open();
    Ok(1);
    Ok(0);
    EXPECT_EQ(numbering_.Number(), 1);
    EXPECT_EQ(Open(), 1);
}

TEST_F(Numbering, ASingleWindowAlwaysReturnsToZero) {
    EXPECT_EQ(Open(), 0);
    Ok(0);
    EXPECT_EQ(numbering_.Number(), 0);
    EXPECT_EQ(Open(), 0);
}

TEST_F(Numbering, GoesOnPast255AndNeverReusesAnOpenNumber) {
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(Open(), i);
    }
    // Windows 0 to 3 open, the number back at 0 after 2 and 3 closed.
    open_.clear();
    numbering_ = MessageWindowNumbering();
    for (int i = 0; i < 4; ++i) {
        Open();
    }
    Ok(2);
    Ok(3);
    EXPECT_EQ(numbering_.Number(), 0);
    EXPECT_EQ(Open(), 2); // 0 and 1 are still open
}

} // namespace
} // namespace rimo
