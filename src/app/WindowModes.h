#pragma once

#include <QObject>
#include <QPoint>

#include <optional>

class QWidget;

namespace rimo {

// The main window's modes that the window manager carries out.
struct WindowModes {
    // Always on top: the window manager's "above" state.
    static void SetStaysOnTop(QWidget& window, bool on);

    // The flags of a taskbar mode: 0 a normal window with a taskbar entry
    // and a minimise button; 1 a tool window, which has no taskbar entry
    // (the window is hidden instead of minimised) and no minimise button.
    static Qt::WindowFlags TaskBarFlags(Qt::WindowFlags flags, int mode);
    // Applies the mode; a shown window is shown again and comes forward.
    // Mode 1 also asks the window manager to skip the taskbar and the pager
    // (a tool window alone stays in libwnck's task lists).
    static void SetTaskBarMode(QWidget& window, int mode);
};

// The position lock ("固定する"): while locked, a move of the window is put
// back to where it stood when locked; changes of size and stacking pass.
class PositionLock : public QObject {
    Q_OBJECT
public:
    explicit PositionLock(QWidget& window);

    void SetLocked(bool locked);
    bool Locked() const { return place_.has_value(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PutBack();

    QWidget& window_;
    std::optional<QPoint> place_;
    bool putBackPending_ = false;
};

} // namespace rimo
