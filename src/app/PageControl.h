#pragma once

#include <QStringList>
#include <QTabBar>
#include <QTabWidget>

namespace rimo {

// The tab bar of the main window's pages; a class of its own so that a
// screen reader gets its tabs from PageTabBarAccessible.
class PageTabBar : public QTabBar {
    Q_OBJECT
public:
    using QTabBar::QTabBar;
};

// "PageControl1", the main window's pages. A page's own mnemonics win over
// the tabs' while that page is shown: "設定(&C)..." gives up Alt+C on the
// launcher page ("確認要(&C)") and the timer page ("アプリ起動(&C)"), and
// takes it back on the others.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    // Adds a page with its designed caption.
    int AddPage(QWidget* page, const QString& caption);
    // The caption as designed; the tab may show it without its mnemonic.
    QString Caption(int index) const { return captions_.value(index); }
    // Gives each tab its mnemonic unless the current page uses that key.
    // Runs at every page change; once more after the pages are filled.
    void ResolveMnemonics();
    // A caption without its mnemonic mark ("&&" stays a shown "&").
    static QString WithoutMnemonic(const QString& caption);

private:
    QStringList captions_;
};

} // namespace rimo
