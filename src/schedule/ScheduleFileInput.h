#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <string>

class QWidget;

namespace rimo {

class ScheduleGrid;

// Files into the argument cell (column 5): chosen in "OpenDialog1" or dropped
// from the file manager onto the main window while column 5 is current.
// Paths are written in double quotes.
class ScheduleFileInput : public QObject {
    Q_OBJECT
public:
    ScheduleFileInput(ScheduleGrid& grid, QWidget* dropHost, QObject* parent = nullptr);

    // The main window takes dropped files only while column 5 is current.
    void SetDropTarget(bool on);
    bool IsDropTarget() const;

    // Browses for a file into the current cell; cancelling changes nothing.
    void Refer1Click();
    // Files dropped onto the window: one local file onto an empty cell is
    // written, anything else is ignored.
    void WMDropFiles(const QList<QUrl>& urls);

    // The dialog's filter for a row's action.
    static QString FilterForAction(const std::string& action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool WouldTake(const QList<QUrl>& urls) const;

    ScheduleGrid& grid_;
    QWidget* dropHost_;
};

} // namespace rimo
