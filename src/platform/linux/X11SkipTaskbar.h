#pragma once

class QWindow;

namespace rimo {

// The window manager's "skip taskbar" and "skip pager" states of a top-level
// window (EWMH _NET_WM_STATE_SKIP_TASKBAR, _SKIP_PAGER) on X11; nothing on
// other platforms. Task lists built on libwnck (Xfce, MATE) list a tool
// window unless it carries them.
class X11SkipTaskbar {
public:
    // On a window not mapped yet the states are written into its property,
    // which Qt keeps when it maps the window; on a mapped one the window
    // manager is asked to change them.
    static void Apply(QWindow& window, bool skip);
};

} // namespace rimo
