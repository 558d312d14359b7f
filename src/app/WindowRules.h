#pragma once

namespace rimo {

// Size rules of the main window, in pixels.
struct WindowRules {
    static constexpr int kFullWidth = 700;
    static constexpr int kFullHeight = 500;
    static constexpr int kMinWidth = 100;
    static constexpr int kRolledUpHeight = 24;

    struct RollState {
        int ShowFlag;
        int Height;
    };

    // The roll-up toggle: a full-height window rolls up; anything else comes
    // back to full height with the flag negated.
    static RollState ToggleRollUp(int showFlag, int height);

    // The roll state after a resize that someone else made: a rolled-up
    // window given its full height (a maximise, a tiling layout) is no longer
    // rolled up.
    static int ShowFlagAfterResize(int showFlag, int height);

    // The height a resize is corrected to: a full-height window (ShowFlag 1)
    // never gets lower than the full height.
    static int CorrectedHeight(int showFlag, int height);

    struct Place {
        int Left;
        int Top;
    };
    // A restored place that would put the window past the right or bottom
    // edge of the desktop (a screen since removed) is pulled back so that at
    // least the smallest window's title bar lies on it.
    static Place KeepReachable(Place place, int desktopRight, int desktopBottom);
};

} // namespace rimo
