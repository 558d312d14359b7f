#include "app/WindowRules.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

TEST(WindowRules, RollUpTogglesBetweenFullHeightAndTheTitleBar) {
    auto rolled = WindowRules::ToggleRollUp(1, 500);
    EXPECT_EQ(rolled.ShowFlag, -1);
    EXPECT_EQ(rolled.Height, 24);
    auto back = WindowRules::ToggleRollUp(rolled.ShowFlag, rolled.Height);
    EXPECT_EQ(back.ShowFlag, 1);
    EXPECT_EQ(back.Height, 500);
    // A full-height flag with another height grows back and flips the flag.
    auto odd = WindowRules::ToggleRollUp(1, 300);
    EXPECT_EQ(odd.ShowFlag, -1);
    EXPECT_EQ(odd.Height, 500);
}

TEST(WindowRules, AFullHeightWindowNeverGetsLower) {
    EXPECT_EQ(WindowRules::CorrectedHeight(1, 24), 500);
    EXPECT_EQ(WindowRules::CorrectedHeight(1, 500), 500);
    EXPECT_EQ(WindowRules::CorrectedHeight(-1, 24), 24);
    EXPECT_EQ(WindowRules::CorrectedHeight(0, 300), 300);
}

} // namespace
} // namespace rimo
