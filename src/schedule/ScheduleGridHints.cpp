#include "schedule/ScheduleGridHints.h"

#include "i18n/Translations.h"
#include "schedule/ScheduleEditRules.h"
#include "schedule/ScheduleGridModel.h"

#include <QCursor>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace rimo {

ScheduleGridHints::ScheduleGridHints(ScheduleGrid& grid, QObject* parent)
    : QObject(parent), grid_(grid), hint_(QString::fromUtf8(kGridHint)) {
    grid_.viewport()->installEventFilter(this);
    grid_.horizontalHeader()->viewport()->installEventFilter(this);
}

void ScheduleGridHints::StringGrid1MouseMove(const std::optional<GridCell>& cell) {
    if (!cell || cell->Row >= grid_.Table().RowCount()) {
        SetHint(QString::fromUtf8(kGridHint));
        return;
    }
    const QFontMetrics metrics(grid_.font());
    const TextWidth width = [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };
    const std::string& stored = grid_.Table().Cell(cell->Column, cell->Row);
    const std::string shown =
        (cell->Row == 0
             ? grid_.model()->headerData(cell->Column, Qt::Horizontal, Qt::DisplayRole).toString()
             : ScheduleGridModel::Shown(cell->Column, stored))
            .toStdString();
    SetHint(Translations::Text(CellHint(cell->Column, shown, width)));
}

void ScheduleGridHints::StringGrid1MouseUp() {
    const int row = grid_.CurrentTableRow();
    if (row > 0) {
        SetHint(ScheduleGridModel::Shown(grid_.CurrentColumn(),
                                         grid_.Table().Cell(grid_.CurrentColumn(), row)));
    }
}

void ScheduleGridHints::SetHint(const QString& hint) {
    if (hint == hint_) {
        return;
    }
    hint_ = hint;
    if (QToolTip::isVisible()) {
        QToolTip::showText(QCursor::pos(), hint_, grid_.viewport());
    }
}

bool ScheduleGridHints::eventFilter(QObject* watched, QEvent* event) {
    const bool onHeader = watched != grid_.viewport();
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        StringGrid1MouseMove(onHeader ? grid_.CellAtHeader(at) : grid_.CellAtViewport(at));
        break;
    }
    case QEvent::MouseButtonRelease:
        if (!onHeader) {
            StringGrid1MouseUp();
        }
        break;
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), hint_, static_cast<QWidget*>(watched));
        return true;
    }
    default:
        break;
    }
    return false;
}

} // namespace rimo
