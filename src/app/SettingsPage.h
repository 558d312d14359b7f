#pragma once

#include <QObject>

#include <filesystem>

class QCheckBox;
class QWidget;

namespace rimo {

class PositionLock;
class RadioGroup;
class StartupRegistration;
struct MainWindowState;

// The settings page ("設定(&C)..."): window, title bar, taskbar, screen saver
// and start-up options. Its controls are the options: the other parts read
// them here. The window options act at once, also when the settings file
// assigns them.
class SettingsPage : public QObject {
    Q_OBJECT
public:
    SettingsPage(QWidget& tabSheet, QWidget& mainWindow, MainWindowState& state,
                 StartupRegistration& startup, std::filesystem::path executable);

    // "常に手前に表示する": the window manager keeps the window above others.
    void CheckBoxTopMostClick();
    // "固定する": the window's position is locked.
    void CheckBoxFixClick();
    // "次のイベントを表示": the title is rebuilt at the next tick.
    void CheckBoxNextHintClick();
    // "アイコン表示": the taskbar mode of the chosen item.
    void RadioGroupTaskBarClick();
    void SetTaskBarMode(int mode);
    // "スタートアップ登録": the autostart entry is written or removed.
    void CheckBoxStartUpClick();

    bool WindowFixed() const;
    // 0: taskbar entry, minimise; 1: no taskbar entry, hide.
    int TaskBarMode() const;
    bool Scroll() const;
    bool NextHint() const;
    bool AnimeIcon() const;
    bool ScreenSaverAfterChange() const;
    bool MinimizeAfterStart() const;
    // "見逃した予定を知らせる": rows that did not run are listed to run now.
    bool MissedNotice() const;

Q_SIGNALS:
    // An option that decides what the tick shows changed (scrolling, the
    // next event, the animation, the taskbar mode).
    void TickOptionsChanged();

private:
    void CreateControls(QWidget& page);

    QWidget& mainWindow_;
    MainWindowState& state_;
    StartupRegistration& startup_;
    std::filesystem::path executable_;
    PositionLock* positionLock_;

    QCheckBox* checkBoxTopMost_ = nullptr;
    QCheckBox* checkBoxFix_ = nullptr;
    QCheckBox* checkBoxScroll_ = nullptr;
    QCheckBox* checkBoxNextHint_ = nullptr;
    QCheckBox* checkBoxAnimeIcon_ = nullptr;
    RadioGroup* radioGroupTaskBar_ = nullptr;
    QCheckBox* checkBoxScrSaver_ = nullptr;
    QCheckBox* checkBoxCMShowing_ = nullptr;
    QCheckBox* checkBoxStartUp_ = nullptr;
    QCheckBox* checkBoxMissed_ = nullptr;
};

} // namespace rimo
