#include "app/PageTabBarAccessible.h"

#include "app/PageControl.h"

#include <QPointer>
#include <QToolButton>

namespace rimo {

namespace {

// One tab of the bar.
class PageTabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PageTabAccessible(PageTabBar* bar, int index) : bar_(bar), index_(index) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    bool isValid() const override { return bar_ && index_ < bar_->count(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(bar_.data());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QString text(QAccessible::Text type) const override {
        if (!isValid()) {
            return {};
        }
        if (type == QAccessible::Name) {
            return PageControl::WithoutMnemonic(bar_->tabText(index_));
        }
        return type == QAccessible::Description ? bar_->tabToolTip(index_) : QString();
    }
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect tab = bar_->tabRect(index_);
        return QRect(bar_->mapToGlobal(tab.topLeft()), tab.size());
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.focusable = true;
        state.selectable = true;
        state.selected = index_ == bar_->currentIndex();
        state.focused = state.selected && bar_->hasFocus();
        state.disabled = !bar_->isTabEnabled(index_);
        state.invisible = !bar_->isVisible() || !bar_->isTabVisible(index_);
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (isValid() && name == pressAction()) {
            bar_->setCurrentIndex(index_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<PageTabBar> bar_;
    int index_;
};

QAccessibleInterface* TabBarFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("rimo::PageTabBar")) {
        return new PageTabBarAccessible(static_cast<PageTabBar*>(object));
    }
    return nullptr;
}

} // namespace

PageTabBarAccessible::PageTabBarAccessible(PageTabBar* bar)
    : QAccessibleWidget(bar, QAccessible::PageTabList) {}

PageTabBarAccessible::~PageTabBarAccessible() {
    for (const QAccessible::Id id : std::as_const(tabs_)) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

void PageTabBarAccessible::Install() {
    QAccessible::installFactory(TabBarFactory); // kept once however often installed
}

PageTabBar* PageTabBarAccessible::Bar() const {
    return static_cast<PageTabBar*>(widget());
}

QList<QWidget*> PageTabBarAccessible::ScrollButtons() const {
    QList<QWidget*> buttons;
    for (QToolButton* button : Bar()->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        buttons.append(button);
    }
    return buttons;
}

int PageTabBarAccessible::childCount() const {
    return Bar()->count() + static_cast<int>(ScrollButtons().size());
}

QAccessibleInterface* PageTabBarAccessible::child(int index) const {
    const int tabs = Bar()->count();
    if (index < 0) {
        return nullptr;
    }
    if (index >= tabs) {
        return QAccessible::queryAccessibleInterface(ScrollButtons().value(index - tabs));
    }
    if (const QAccessible::Id id = tabs_.value(index)) {
        return QAccessible::accessibleInterface(id);
    }
    auto* tab = new PageTabAccessible(Bar(), index);
    tabs_.insert(index, QAccessible::registerAccessibleInterface(tab));
    return tab;
}

int PageTabBarAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child) {
        return -1;
    }
    if (child->object()) {
        const int button = static_cast<int>(ScrollButtons().indexOf(child->object()));
        return button < 0 ? -1 : Bar()->count() + button;
    }
    for (auto it = tabs_.cbegin(); it != tabs_.cend(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == child) {
            return it.key();
        }
    }
    return -1;
}

QAccessibleInterface* PageTabBarAccessible::focusChild() const {
    return Bar()->hasFocus() && Bar()->currentIndex() >= 0 ? child(Bar()->currentIndex()) : nullptr;
}

} // namespace rimo
