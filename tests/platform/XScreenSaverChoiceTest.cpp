#include "platform/XScreenSaverChoice.h"

#include <gtest/gtest.h>

namespace rimo {
namespace {

const char* const kSettings =
    "# XScreenSaver Preferences File\n"
    "timeout:\t0:10:00\n"
    "mode:\t\trandom\n"
    "selected:\t-1\n"
    "\n"
    "programs:\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
    "  GL: \t\t\t\tsuperquadrics -root\t\t\t    \\n\\\n"
    "-\t\t\t\txlyap -root\t\t\t\t    \\n\\\n"
    "  \"Qix (solid)\" \t\tqix -root -solid -segments 100\t    \\n\\\n"
    "- GL: \"GL Matrix\"\t\t/usr/libexec/xscreensaver/glmatrix -root\\n\\\n"
    "\n"
    "pointerHysteresis: 10\n";

TEST(XScreenSaverChoice, SelectsTheEntryOfTheHackAndTheModeOne) {
    const auto chosen = SelectHack(kSettings, "/usr/libexec/xscreensaver/qix");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_NE(chosen->find("mode:\t\tone\n"), std::string::npos) << *chosen;
    EXPECT_NE(chosen->find("selected:\t\t3\n"), std::string::npos) << *chosen;
    EXPECT_EQ(chosen->find("random"), std::string::npos);
    // Everything else is kept.
    EXPECT_NE(chosen->find("pointerHysteresis: 10\n"), std::string::npos);
    EXPECT_NE(chosen->find("superquadrics -root"), std::string::npos);
}

TEST(XScreenSaverChoice, ReadsVisualsLabelsAndDisabledEntries) {
    EXPECT_NE(SelectHack(kSettings, "/x/maze")->find("selected:\t\t0"), std::string::npos);
    EXPECT_NE(SelectHack(kSettings, "/x/superquadrics")->find("selected:\t\t1"), std::string::npos);
    EXPECT_NE(SelectHack(kSettings, "/x/xlyap")->find("selected:\t\t2"), std::string::npos);
    EXPECT_NE(SelectHack(kSettings, "/x/glmatrix")->find("selected:\t\t4"), std::string::npos);
}

TEST(XScreenSaverChoice, AnUnknownHackOrNoListChangesNothing) {
    EXPECT_FALSE(SelectHack(kSettings, "/x/flurry").has_value());
    EXPECT_FALSE(SelectHack(kSettings, "").has_value());
    EXPECT_FALSE(SelectHack("", "/x/maze").has_value());
    EXPECT_FALSE(SelectHack("programs: \\", "/x/maze").has_value());
}

TEST(XScreenSaverChoice, AddsTheKeysWhenMissing) {
    const auto chosen = SelectHack("programs: maze -root \\n\n", "maze");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, "programs: maze -root \\n\nmode:\t\tone\nselected:\t\t0\n");
}

} // namespace
} // namespace rimo
