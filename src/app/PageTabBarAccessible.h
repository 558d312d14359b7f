#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace rimo {

class PageTabBar;

// The main window's tab bar for a screen reader: its tabs, then its scroll
// buttons. A tab reports the focus only while the tab bar has it, so that
// the current page's tab is not taken for the focused control while the
// keyboard is elsewhere.
class PageTabBarAccessible : public QAccessibleWidget {
public:
    explicit PageTabBarAccessible(PageTabBar* bar);
    ~PageTabBarAccessible() override;

    // The factory that makes this interface for every PageTabBar.
    static void Install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;

private:
    PageTabBar* Bar() const;
    QList<QWidget*> ScrollButtons() const;

    mutable QHash<int, QAccessible::Id> tabs_;
};

} // namespace rimo
