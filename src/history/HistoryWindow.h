#pragma once

#include "core/Status.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace rimo {

class HistoryModel;
class RunHistory;

// The run history window: every run and miss, newest first, filtered by
// title and outcome, copied or saved as CSV. Reads the history in the
// background and follows new entries while it is open. Not modal.
class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    explicit HistoryWindow(RunHistory& history, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    HistoryModel& Model() { return *model_; }
    // Shows only the rows whose title holds `title` (all when empty).
    void ShowTitle(const QString& title);
    bool IsLoaded() const { return loaded_; }

    // "コピー": the selected rows (all shown when none is) as lines of
    // tab-separated cells, the header first.
    void CopyClick();
    // "CSVで保存": the rows shown, oldest first, as the command line writes them.
    void SaveCsvClick();
    Status SaveCsv(const QString& path) const;
    // Asks where to save; empty: cancelled. A file dialog unless replaced.
    std::function<QString()> AskSaveFileName;

Q_SIGNALS:
    // The history has been read and is shown.
    void Loaded();

private:
    void CreateControls();
    void ApplyFilter();
    void ShowCount();
    QString RowsText(const QList<int>& rows) const;

    RunHistory& history_;
    HistoryModel* model_;
    bool loaded_ = false;
    QLineEdit* titleFilter_ = nullptr;
    QComboBox* outcomeFilter_ = nullptr;
    QLabel* count_ = nullptr;
    QTableView* table_ = nullptr;
    QTimer* filterDelay_ = nullptr;
};

} // namespace rimo
