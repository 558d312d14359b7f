#pragma once

#include "history/HistoryEntry.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace rimo {

// "While you were away": the rows that did not run while the computer
// slept, the clock jumped or the program was not running, each with a tick
// box. Nothing runs unless the user ticks it and presses "今すぐ実行". Not
// modal; rows missed later join the list.
class AwayWindow : public QWidget {
    Q_OBJECT
public:
    explicit AwayWindow(QWidget* parent = nullptr);

    void Add(const std::vector<MissedRun>& runs);
    int RowCount() const;
    // Ticks or unticks a row of the list.
    void SetTicked(int row, bool ticked);

    // "今すぐ実行": the ticked rows leave the list and run; the window closes
    // when none is left.
    void RunNowClick();
    // Runs the rows the user chose.
    std::function<void(const std::vector<MissedRun>&)> RunNow;

private:
    void UpdateButton();

    std::vector<MissedRun> runs_; // in the order of the list
    QLabel* text_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* runNow_ = nullptr;
};

} // namespace rimo
