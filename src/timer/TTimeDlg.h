#pragma once

#include "timer/TimerTexts.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace rimo {

class TimerPage;

// The countdown timer's notice window: created once and then only shown,
// hidden, minimised and restored. While the timer runs it stands on the
// taskbar with the time as its caption, so it is a window of its own there:
// no transient owner, which would also take it down with a minimised main
// window (and off the taskbar). To come up above a main window kept on top
// of others, it is kept on top too while the main window is. It reads and
// resets the timer's state on the page it serves.
class TTimeDlg : public QDialog {
    Q_OBJECT
public:
    // Client size as designed; the height follows the notice.
    static constexpr int kClientWidth = 342;
    // The designed window heights include a title bar of this height.
    static constexpr int kTitleBarHeight = 27;

    // Serves `page`; takes the face of `mainWindow`.
    TTimeDlg(TimerPage& page, const QWidget& mainWindow);
    ~TTimeDlg() override;

    // FormShow: composes the notice for the timer's state, then shows the window.
    void ShowNotice();
    // Restored and in front.
    void BringToFront();
    // FormClose: hides the window and stops the timer (and a playing sound).
    void FormClose();
    void OKButtonClick();

    NoticeKind Kind() const { return kind_; }
    // Whether the window's close box may close it (not on the start notice).
    bool CloseEnabled() const { return closeEnabled_; }
    QLabel* Label1() const { return label1_; }
    QPushButton* OKButton() const { return okButton_; }

protected:
    // The window manager's close box and Escape: refused on the start notice.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void FormShow();

    QPointer<TimerPage> page_;
    QPointer<const QWidget> mainWindow_;
    QLabel* programIcon_;
    QLabel* label1_;
    QPushButton* okButton_;
    NoticeKind kind_ = NoticeKind::Start;
    bool closeEnabled_ = true;
};

} // namespace rimo
