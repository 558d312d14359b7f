#include "history/HistoryWindow.h"

#include "core/FileIo.h"
#include "core/UserMessages.h"
#include "history/HistoryModel.h"
#include "history/HistoryText.h"
#include "history/RunHistory.h"
#include "i18n/Translations.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace rimo {

namespace {

// Column widths in pixels, so that 100,000 rows are never measured.
constexpr int kColumnWidths[HistoryModel::ColumnCount] = {150, 180, 75, 140, 80, 170, 55, 260};

} // namespace

HistoryWindow::HistoryWindow(RunHistory& history, QWidget* parent)
    : QWidget(parent, Qt::Window), history_(history), model_(new HistoryModel(this)) {
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(tr("実行履歴 - RimoTimeInformation"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1140, 520);
    CreateControls();

    // Entries recorded while the history is read are in what is read.
    connect(&history_, &RunHistory::Added, this, [this](const HistoryEntry& entry) {
        if (loaded_) {
            model_->Append(entry);
            ShowCount();
        }
    });
    connect(&history_, &RunHistory::Changed, this, [this](const HistoryEntry& entry) {
        if (loaded_) {
            model_->Update(entry);
        }
    });
    QPointer<HistoryWindow> self(this);
    history_.Load(std::nullopt, [self](std::vector<HistoryEntry> entries) {
        if (!self) {
            return;
        }
        self->model_->SetEntries(std::move(entries)); // filtered as the filters stand
        self->loaded_ = true;
        self->ShowCount();
        Q_EMIT self->Loaded();
    });
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::CreateControls() {
    auto* titleLabel = new QLabel(tr("タイトル(&T):"), this);
    titleFilter_ = new QLineEdit(this);
    titleFilter_->setObjectName(QStringLiteral("HistoryTitleFilter"));
    titleFilter_->setToolTip(tr("タイトルにこの文字を含む行だけを表示します"));
    titleFilter_->setClearButtonEnabled(true);
    titleLabel->setBuddy(titleFilter_);

    auto* outcomeLabel = new QLabel(tr("結果(&O):"), this);
    outcomeFilter_ = new QComboBox(this);
    outcomeFilter_->setObjectName(QStringLiteral("HistoryOutcomeFilter"));
    outcomeFilter_->addItem(tr("すべて"));
    for (const RunOutcome outcome : {RunOutcome::Done, RunOutcome::Failed, RunOutcome::Missed}) {
        outcomeFilter_->addItem(HistoryModel::OutcomeText(outcome), static_cast<int>(outcome));
    }
    outcomeLabel->setBuddy(outcomeFilter_);

    count_ = new QLabel(tr("読み込み中…"), this);
    count_->setObjectName(QStringLiteral("HistoryCount"));

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("HistoryTable"));
    table_->setAccessibleName(tr("実行履歴"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < HistoryModel::ColumnCount; ++column) {
        table_->setColumnWidth(column, kColumnWidths[column]);
    }

    auto* copy = new QPushButton(tr("コピー(&C)"), this);
    copy->setObjectName(QStringLiteral("HistoryCopyButton"));
    copy->setToolTip(
        tr("選んだ行（選んでいなければ表示中のすべて）をクリップボードにコピーします"));
    auto* save = new QPushButton(tr("CSVで保存"), this);
    save->setObjectName(QStringLiteral("HistoryCsvButton"));
    save->setToolTip(tr("表示中の行をCSVファイルに保存します"));
    auto* close = new QPushButton(tr("閉じる"), this);
    close->setObjectName(QStringLiteral("HistoryCloseButton"));

    auto* filters = new QHBoxLayout;
    filters->addWidget(titleLabel);
    filters->addWidget(titleFilter_, 1);
    filters->addWidget(outcomeLabel);
    filters->addWidget(outcomeFilter_);
    filters->addStretch();
    filters->addWidget(count_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    // Typing is not held up by filtering a long history at each key.
    filterDelay_ = new QTimer(this);
    filterDelay_->setSingleShot(true);
    filterDelay_->setInterval(150);
    connect(filterDelay_, &QTimer::timeout, this, &HistoryWindow::ApplyFilter);
    connect(titleFilter_, &QLineEdit::textChanged, filterDelay_, qOverload<>(&QTimer::start));
    connect(outcomeFilter_, &QComboBox::currentIndexChanged, this, &HistoryWindow::ApplyFilter);
    connect(copy, &QPushButton::clicked, this, &HistoryWindow::CopyClick);
    connect(save, &QPushButton::clicked, this, &HistoryWindow::SaveCsvClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* copyKey = new QShortcut(QKeySequence::Copy, table_);
    copyKey->setContext(Qt::WidgetShortcut);
    connect(copyKey, &QShortcut::activated, this, &HistoryWindow::CopyClick);
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

void HistoryWindow::ShowTitle(const QString& title) {
    titleFilter_->setText(title);
    ApplyFilter();
}

void HistoryWindow::ApplyFilter() {
    filterDelay_->stop();
    const QVariant outcome = outcomeFilter_->currentData();
    const std::optional<RunOutcome> wanted =
        outcome.isValid() ? std::optional(static_cast<RunOutcome>(outcome.toInt())) : std::nullopt;
    model_->SetFilter(titleFilter_->text(), wanted); // before the load: the filter it will use
    if (loaded_) {
        ShowCount();
    }
}

void HistoryWindow::ShowCount() {
    count_->setText(tr("%1 件（全 %2 件）").arg(model_->rowCount()).arg(model_->EntryCount()));
}

QString HistoryWindow::RowsText(const QList<int>& rows) const {
    QStringList lines;
    QStringList cells;
    for (int column = 0; column < HistoryModel::ColumnCount; ++column) {
        cells.append(model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    }
    lines.append(cells.join(QLatin1Char('\t')));
    for (const int row : rows) {
        cells.clear();
        for (int column = 0; column < HistoryModel::ColumnCount; ++column) {
            cells.append(HistoryModel::CellText(model_->EntryAt(row), column)
                             .replace(QLatin1Char('\t'), QLatin1Char(' '))
                             .replace(QLatin1Char('\n'), QLatin1Char(' ')));
        }
        lines.append(cells.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void HistoryWindow::CopyClick() {
    QList<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.append(index.row());
    }
    if (rows.isEmpty()) {
        for (int row = 0; row < model_->rowCount(); ++row) {
            rows.append(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    QGuiApplication::clipboard()->setText(RowsText(rows));
}

void HistoryWindow::SaveCsvClick() {
    const QString path = AskSaveFileName
                             ? AskSaveFileName()
                             : QFileDialog::getSaveFileName(this, tr("CSVで保存"),
                                                            QStringLiteral("rimotime-history.csv"),
                                                            tr("CSV ファイル (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    const Status saved = SaveCsv(path);
    if (!saved) {
        ShowErrorMessage(this, Translations::Text(saved.text()));
    }
}

Status HistoryWindow::SaveCsv(const QString& path) const {
    std::string csv = HistoryText::CsvHeader();
    for (const HistoryEntry& entry : model_->ShownOldestFirst()) {
        csv += HistoryText::CsvRecord(entry);
    }
    return WriteFileAtomically(path.toStdString(), csv);
}

} // namespace rimo
