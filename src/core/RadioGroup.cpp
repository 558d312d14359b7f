#include "core/RadioGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace rimo {

RadioGroup::RadioGroup(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
    // The checked state, however it came (a click, the keyboard, the
    // accessibility bus's "toggle"), chooses the item.
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            SetItemIndex(id);
        }
    });
}

void RadioGroup::SetItems(const QStringList& items) {
    const QList<QAbstractButton*> old = buttons_->buttons();
    for (QAbstractButton* button : old) {
        buttons_->removeButton(button);
        delete button;
    }
    items_ = items;
    for (int i = 0; i < items_.size(); ++i) {
        auto* button = new QRadioButton(items_[i], this);
        button->setObjectName(objectName() + QStringLiteral("Item%1").arg(i));
        buttons_->addButton(button, i);
        layout()->addWidget(button);
    }
    const int kept = itemIndex_;
    itemIndex_ = -1;
    if (kept >= 0 && kept < items_.size()) {
        itemIndex_ = kept; // first: the check below changes nothing
        buttons_->button(kept)->setChecked(true);
    } else if (kept != -1) {
        Q_EMIT ItemIndexChanged(-1);
    }
}

void RadioGroup::SetItemText(int index, const QString& text) {
    if (index < 0 || index >= items_.size()) {
        return;
    }
    items_[index] = text;
    buttons_->button(index)->setText(text);
}

void RadioGroup::SetItemIndex(int index) {
    if (index < 0 || index >= items_.size()) {
        index = -1;
    }
    if (index == itemIndex_) {
        return;
    }
    itemIndex_ = index;
    if (index == -1) {
        // An exclusive group cannot uncheck its last button.
        buttons_->setExclusive(false);
        for (QAbstractButton* button : buttons_->buttons()) {
            button->setChecked(false);
        }
        buttons_->setExclusive(true);
    } else {
        buttons_->button(index)->setChecked(true);
    }
    Q_EMIT ItemIndexChanged(index);
}

} // namespace rimo
