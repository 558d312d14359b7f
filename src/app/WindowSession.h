#pragma once

namespace rimo {

// What the windowing session leaves to the program. On X11 the program
// places, stacks, minimises and restores its windows; a Wayland compositor
// decides all of that itself: a client can neither place its window, keep it
// above others, nor bring back (or even notice) a minimised one.
struct WindowSession {
    static bool CompositorDecides();
    // Why an option about place or stacking does nothing here (a hint).
    static const char* const kCompositorDecidesHint;
};

} // namespace rimo
