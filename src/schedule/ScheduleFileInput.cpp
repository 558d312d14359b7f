#include "schedule/ScheduleFileInput.h"

#include "schedule/OpenDialog1.h"
#include "schedule/ScheduleEditRules.h"
#include "schedule/ScheduleGrid.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

#include <vector>

namespace rimo {

namespace {

// Local paths of the dropped items; empty when one of them is not a local file.
std::vector<std::string> LocalPaths(const QList<QUrl>& urls) {
    std::vector<std::string> paths;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile() || url.toLocalFile().isEmpty()) {
            return {};
        }
        paths.push_back(url.toLocalFile().toStdString());
    }
    return paths;
}

} // namespace

ScheduleFileInput::ScheduleFileInput(ScheduleGrid& grid, QWidget* dropHost, QObject* parent)
    : QObject(parent), grid_(grid), dropHost_(dropHost) {
    dropHost_->installEventFilter(this);
}

void ScheduleFileInput::SetDropTarget(bool on) {
    dropHost_->setAcceptDrops(on);
}

bool ScheduleFileInput::IsDropTarget() const {
    return dropHost_->acceptDrops();
}

QString ScheduleFileInput::FilterForAction(const std::string& action) {
    if (action == ScheduleTexts::kWallpaper) {
        // What Linux desktops take as a wallpaper.
        return tr("画像ファイル (*.png *.jpg *.jpeg *.bmp *.webp *.svg)");
    }
    if (action == ScheduleTexts::kSound) {
        return QStringLiteral("WaveFile (*.wav)");
    }
    return tr("すべてのファイル (*)");
}

void ScheduleFileInput::Refer1Click() {
    const int row = grid_.CurrentTableRow();
    const int column = grid_.CurrentColumn();
    if (row <= 0 || column < 0) {
        return;
    }
    ScheduleTable& table = grid_.Table();
    const ScheduleRow openedFor = table.Row(row);
    // Start where the cell's file lies, if it names one.
    const QFileInfo current(QString::fromStdString(WithoutQuotes(openedFor[column])));
    const QString chosen =
        RunOpenDialog1(dropHost_->window(), FilterForAction(openedFor[ColAction]),
                       current.isAbsolute() ? current.absolutePath() : QString());
    if (chosen.isEmpty()) {
        return;
    }
    // Ticks ran while the dialog was open: a run may have moved, changed or
    // deleted the row. The choice goes to that row or nowhere.
    const int target = table.FindRow(openedFor, row);
    if (target > 0) {
        table.SetCell(column, target, QuotedPath(chosen.toStdString()));
    }
}

bool ScheduleFileInput::WouldTake(const QList<QUrl>& urls) const {
    const int row = grid_.CurrentTableRow();
    return IsDropTarget() && row > 0 && grid_.CurrentColumn() == ColArgument &&
           grid_.Table().Cell(ColArgument, row).empty() && LocalPaths(urls).size() == 1;
}

void ScheduleFileInput::WMDropFiles(const QList<QUrl>& urls) {
    if (grid_.CurrentColumn() == ColArgument) {
        DropFilesIntoRow(grid_.Table(), grid_.CurrentTableRow(), LocalPaths(urls));
    }
    // The user comes back to the window from the file manager.
    QWidget* window = dropHost_->window();
    window->raise();
    window->activateWindow();
}

bool ScheduleFileInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != dropHost_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (drag->mimeData()->hasUrls() && WouldTake(drag->mimeData()->urls())) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (IsDropTarget() && drop->mimeData()->hasUrls()) {
            WMDropFiles(drop->mimeData()->urls());
        }
        drop->acceptProposedAction();
        return true;
    }
    default:
        return false;
    }
}

} // namespace rimo
