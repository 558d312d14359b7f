#include "history/AwayWindow.h"

#include "core/DateTime.h"
#include "history/HistoryModel.h"
#include "history/HistoryText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace rimo {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

AwayWindow::AwayWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("AwayWindow"));
    setWindowTitle(tr("実行されなかった予定 - RimoTimeInformation"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(720, 320);

    text_ = new QLabel(tr("次の予定は、その時刻に実行されませんでした。\n"
                          "今実行するものにチェックを付けて「今すぐ実行」を押してください。"),
                       this);
    text_->setWordWrap(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("AwayList"));
    list_->setAccessibleName(tr("実行されなかった予定"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({tr("タイトル"), tr("動作"), tr("予定時刻"), tr("理由")});
    list_->header()->resizeSection(0, 180);
    list_->header()->resizeSection(1, 90);
    list_->header()->resizeSection(2, 200);
    text_->setBuddy(list_);

    runNow_ = new QPushButton(tr("今すぐ実行"), this);
    runNow_->setObjectName(QStringLiteral("AwayRunNowButton"));
    runNow_->setToolTip(tr("チェックを付けた予定を今すぐ実行します"));
    auto* close = new QPushButton(tr("閉じる"), this);
    close->setObjectName(QStringLiteral("AwayCloseButton"));
    close->setToolTip(tr("何も実行せずに閉じます"));
    close->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(runNow_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(list_, &QTreeWidget::itemChanged, this, &AwayWindow::UpdateButton);
    connect(runNow_, &QPushButton::clicked, this, &AwayWindow::RunNowClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    UpdateButton();
}

void AwayWindow::Add(const std::vector<MissedRun>& runs) {
    for (const MissedRun& run : runs) {
        const MissedRow& missed = run.Row;
        QString due = Text(HistoryText::PlainLocal(ToUnixMilliseconds(missed.LastDue), false));
        if (missed.Count > 1) {
            due = tr("%1（ほか %2 回）").arg(due).arg(missed.Count - 1);
        }
        auto* item = new QTreeWidgetItem({Text(missed.Row[ColTitle]), Text(missed.Row[ColAction]),
                                          due, HistoryModel::ReasonText(run.Code)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setToolTip(0, Text(missed.Row[ColArgument]));
        list_->addTopLevelItem(item);
        runs_.push_back(run);
    }
    UpdateButton();
}

int AwayWindow::RowCount() const {
    return list_->topLevelItemCount();
}

void AwayWindow::SetTicked(int row, bool ticked) {
    list_->topLevelItem(row)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void AwayWindow::UpdateButton() {
    bool any = false;
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        any = any || list_->topLevelItem(row)->checkState(0) == Qt::Checked;
    }
    runNow_->setEnabled(any);
}

void AwayWindow::RunNowClick() {
    // The chosen rows leave the list before they run: an action that waits
    // lets clicks in, and none may run twice.
    std::vector<MissedRun> chosen;
    for (int row = list_->topLevelItemCount() - 1; row >= 0; --row) {
        if (list_->topLevelItem(row)->checkState(0) == Qt::Checked) {
            chosen.insert(chosen.begin(), runs_[row]);
            runs_.erase(runs_.begin() + row);
            delete list_->takeTopLevelItem(row);
        }
    }
    UpdateButton();
    if (runs_.empty()) {
        close();
    }
    if (!chosen.empty() && RunNow) {
        const auto run = RunNow; // this window may be gone once the actions have run
        run(chosen);
    }
}

} // namespace rimo
