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

TEST(WindowRules, ARolledUpWindowGivenItsHeightBackIsNoLongerRolledUp) {
    // A window manager's maximise (500) or a tiling layout (775) of a rolled-up window.
    EXPECT_EQ(WindowRules::ShowFlagAfterResize(-1, 500), 1);
    EXPECT_EQ(WindowRules::ShowFlagAfterResize(-1, 775), 1);
    EXPECT_EQ(WindowRules::ShowFlagAfterResize(-1, 24), -1);
    EXPECT_EQ(WindowRules::ShowFlagAfterResize(-1, 60), -1); // a title bar a little higher
    EXPECT_EQ(WindowRules::ShowFlagAfterResize(1, 500), 1);
}

TEST(WindowRules, ARestoredPlaceStaysReachable) {
    using Place = WindowRules::Place;
    // On the desktop: unchanged.
    EXPECT_EQ(WindowRules::KeepReachable({100, 100}, 1024, 768).Left, 100);
    EXPECT_EQ(WindowRules::KeepReachable({100, 100}, 1024, 768).Top, 100);
    // Past the right or bottom edge (a screen since removed): the title bar comes back.
    const Place far = WindowRules::KeepReachable({5000, 3000}, 1024, 768);
    EXPECT_EQ(far.Left, 1024 - 100);
    EXPECT_EQ(far.Top, 768 - 24);
    // Left of or above the desktop: its edge.
    const Place negative = WindowRules::KeepReachable({-20, -5}, 1024, 768);
    EXPECT_EQ(negative.Left, 0);
    EXPECT_EQ(negative.Top, 0);
    // A desktop smaller than the smallest window still gets 0, never a negative place.
    EXPECT_EQ(WindowRules::KeepReachable({50, 50}, 60, 10).Left, 0);
}

} // namespace
} // namespace rimo
