#include "app/PageControl.h"

#include "app/PageTabBarAccessible.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>

namespace rimo {

namespace {

// The keys the controls of `page` take with Alt.
QList<QKeySequence> MnemonicsOf(const QWidget& page) {
    QList<QKeySequence> keys;
    const auto add = [&keys](const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty()) {
            keys.append(key);
        }
    };
    for (const QWidget* widget : page.findChildren<QWidget*>()) {
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            add(button->text());
        } else if (const auto* label = qobject_cast<const QLabel*>(widget);
                   label && label->buddy()) {
            add(label->text());
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            add(group->title());
        }
    }
    return keys;
}

} // namespace

QString PageControl::WithoutMnemonic(const QString& caption) {
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        text += caption[i];
    }
    return text;
}

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
    PageTabBarAccessible::Install();
    setTabBar(new PageTabBar(this));
    setAccessibleName(tr("ページ"));
    tabBar()->setAccessibleName(accessibleName());
    connect(this, &QTabWidget::currentChanged, this, &PageControl::ResolveMnemonics);
}

int PageControl::AddPage(QWidget* page, const QString& caption) {
    captions_.append(caption);
    return addTab(page, caption);
}

void PageControl::ResolveMnemonics() {
    const QWidget* page = currentWidget();
    const QList<QKeySequence> taken = page ? MnemonicsOf(*page) : QList<QKeySequence>();
    for (int i = 0; i < count() && i < captions_.size(); ++i) {
        const QString& caption = captions_[i];
        const bool give = i == currentIndex() || !taken.contains(QKeySequence::mnemonic(caption));
        const QString shown = give ? caption : WithoutMnemonic(caption);
        if (tabText(i) != shown) {
            setTabText(i, shown);
        }
    }
}

} // namespace rimo
