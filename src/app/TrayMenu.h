#pragma once

#include "core/AppPaths.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace rimo {

// "PopupMenu1", the tray icon's menu, and its handlers. Its items carry the
// designed names as object names ("PopupHelp", "Exit1", "LaunchTitle0",
// "Quick0", "TimeLoop", ...), so the pages that serve them find them by name.
class TrayMenu : public QObject {
    Q_OBJECT
public:
    // Where the items lead; the main window wires them to the parts that do
    // the work. An unwired item says so on the error output and does nothing.
    struct Hooks {
        std::function<void()> Test;                      // "アラーム・テスト(&Q)"
        std::function<void()> SynchroniseClock;          // "時刻合わせ(&H)"
        std::function<void(int page)> StartLauncherPage; // "LaunchTitle0" to "LaunchTitle2"
        std::function<void()> Exit;                      // "終了(&X)"
        std::function<void()> History;                   // "実行履歴(&R)"
        // Opens a document with the desktop's default application.
        std::function<bool(const QString& path)> OpenDocument;
    };

    // `form` is searched for the controls whose texts the menu shows.
    TrayMenu(QWidget& form, const AppPaths& paths, QObject* parent = nullptr);
    ~TrayMenu() override;

    QMenu* PopupMenu1() const { return menu_; }
    // An item by its name; nullptr when there is none.
    QAction* Item(const QString& name) const;
    Hooks& Handlers() { return hooks_; }

    // The menu opens: the free countdown item shows the picker's duration,
    // the launcher items the page titles (while those pages exist).
    void PopupMenu1Popup();
    void PopupHelpClick();
    void PopupTestClick();
    void PopupHourClick();
    void LaunchTitle0Click();
    void LaunchTitle1Click();
    void LaunchTitle2Click();
    void Exit1Click();
    void PopupHistoryClick();

private:
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption);
    void AddSeparator(QMenu* menu, const char* name);
    // Starts the launcher page whose number ends the item's name.
    void LaunchTitleClick(const QAction* item);

    QWidget& form_;
    AppPaths paths_;
    QMenu* menu_;
    Hooks hooks_;
};

} // namespace rimo
