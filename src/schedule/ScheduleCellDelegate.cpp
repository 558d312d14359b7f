#include "schedule/ScheduleCellDelegate.h"

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

} // namespace rimo
