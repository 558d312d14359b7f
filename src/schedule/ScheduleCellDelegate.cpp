#include "schedule/ScheduleCellDelegate.h"

#include "schedule/CellTextEditor.h"

#include <QKeyEvent>
#include <QPainter>

namespace rimo {

void ScheduleCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        (option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    painter->save();
    painter->fillRect(option.rect, selected ? option.palette.brush(group, QPalette::Highlight)
                                            : option.palette.brush(group, QPalette::Base));
    QString text = index.data(Qt::DisplayRole).toString();
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->setClipRect(option.rect);
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QWidget* ScheduleCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex& index) const {
    return new CellTextEditor(index, parent);
}

bool ScheduleCellDelegate::eventFilter(QObject* editor, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        auto* widget = qobject_cast<QWidget*>(editor);
        if (tab && (key->modifiers() & Qt::ControlModifier) && widget) {
            Q_EMIT commitData(widget);
            Q_EMIT closeEditor(widget, QAbstractItemDelegate::NoHint);
            Q_EMIT LeaveRequested(key->key() == Qt::Key_Tab &&
                                  !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

} // namespace rimo
