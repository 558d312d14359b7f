#include "history/RunHistory.h"

#include "history/HistoryDatabase.h"

#include <QCoreApplication>
#include <QThread>

namespace rimo {

namespace {

// Old entries are dropped at the start and after this many new ones.
constexpr int kAddsBetweenPrunes = 1000;

QString Tr(const char* text) {
    return QCoreApplication::translate("RunHistory", text);
}

} // namespace

// Owns the database on its thread; tells the owner what happened through
// its event loop.
class RunHistory::Worker : public QObject {
public:
    Worker(RunHistory& owner, std::filesystem::path file) : owner_(owner), file_(std::move(file)) {}

    void Open(std::int64_t nowMs) {
        db_ = std::make_unique<HistoryDatabase>(file_);
        const HistoryDatabase::OpenReport report = db_->Open();
        ready_ = report.Ready;
        Tell(report.Problem);
        std::optional<std::int64_t> lastSeen;
        if (ready_) {
            offset_ = db_->LastId();
            lastSeen = db_->LastSeen();
            Check(db_->Prune(nowMs));
        }
        QMetaObject::invokeMethod(&owner_,
                                  [owner = &owner_, lastSeen] { Q_EMIT owner->Opened(lastSeen); });
    }

    void Add(std::int64_t ticket, HistoryEntry entry, std::int64_t nowMs) {
        lastTicket_ = std::max(lastTicket_, ticket);
        if (!ready_) {
            return;
        }
        entry.Id = ticket + offset_;
        if (!Check(db_->Insert({entry}))) {
            return;
        }
        QMetaObject::invokeMethod(&owner_,
                                  [owner = &owner_, entry] { Q_EMIT owner->Added(entry); });
        if (++addsSincePrune_ >= kAddsBetweenPrunes) {
            addsSincePrune_ = 0;
            Check(db_->Prune(nowMs));
        }
    }

    void Change(std::int64_t ticket, HistoryEntry entry) {
        if (!ready_) {
            return;
        }
        entry.Id = ticket + offset_;
        if (Check(db_->Update(entry))) {
            QMetaObject::invokeMethod(&owner_,
                                      [owner = &owner_, entry] { Q_EMIT owner->Changed(entry); });
        }
    }

    void SetLastSeen(std::int64_t unixMs) {
        if (ready_) {
            Check(db_->SetLastSeen(unixMs));
        }
    }

    std::vector<HistoryEntry> Entries(std::optional<std::int64_t> sinceMs) {
        return ready_ ? db_->Entries(sinceMs) : std::vector<HistoryEntry>{};
    }

    void Close() { db_.reset(); }

private:
    // False after a failure: told once; a damaged file is set aside and a
    // new one started.
    bool Check(const Status& status) {
        if (status) {
            return true;
        }
        const QString why = QString::fromStdString(status.message());
        if (db_->Damaged()) {
            const HistoryDatabase::OpenReport report = db_->SetAsideAndStartAgain(why);
            ready_ = report.Ready;
            // The tickets handed out so far named entries of the old file.
            offset_ = -lastTicket_;
            Tell(report.Problem);
        } else if (!writeProblemTold_) {
            writeProblemTold_ = true;
            Tell(Tr("実行履歴 %1 に書き込めません。\n%2")
                     .arg(QString::fromStdString(file_.string()), why));
        }
        return false;
    }

    void Tell(const QString& problem) {
        if (!problem.isEmpty()) {
            QMetaObject::invokeMethod(
                &owner_, [owner = &owner_, problem] { Q_EMIT owner->Problem(problem); });
        }
    }

    RunHistory& owner_;
    std::filesystem::path file_;
    std::unique_ptr<HistoryDatabase> db_;
    bool ready_ = false;
    std::int64_t offset_ = 0; // an entry's id is its ticket plus this
    std::int64_t lastTicket_ = 0;
    int addsSincePrune_ = 0;
    bool writeProblemTold_ = false;
};

RunHistory::RunHistory(std::filesystem::path file, QObject* parent)
    : QObject(parent), file_(std::move(file)), thread_(new QThread(this)),
      worker_(new Worker(*this, file_)) {
    thread_->setObjectName(QStringLiteral("RunHistory"));
    worker_->moveToThread(thread_);
    thread_->start(QThread::LowPriority);
}

RunHistory::~RunHistory() {
    // Waited for: a thread told to quit drops the jobs it has not begun (all
    // of them when its loop had not started yet), and the connection must be
    // closed on its own thread.
    QMetaObject::invokeMethod(
        worker_, [worker = worker_] { worker->Close(); }, Qt::BlockingQueuedConnection);
    thread_->quit();
    thread_->wait();
    delete worker_;
}

void RunHistory::Post(std::function<void(Worker&)> job) {
    QMetaObject::invokeMethod(
        worker_, [worker = worker_, job = std::move(job)] { job(*worker); }, Qt::QueuedConnection);
}

void RunHistory::Open(std::int64_t nowMs) {
    Post([nowMs](Worker& worker) { worker.Open(nowMs); });
}

void RunHistory::Add(std::int64_t ticket, HistoryEntry entry) {
    const std::int64_t nowMs = entry.Moment();
    Post([ticket, entry = std::move(entry), nowMs](Worker& worker) mutable {
        worker.Add(ticket, std::move(entry), nowMs);
    });
}

void RunHistory::Change(std::int64_t ticket, HistoryEntry entry) {
    Post([ticket, entry = std::move(entry)](Worker& worker) mutable {
        worker.Change(ticket, std::move(entry));
    });
}

void RunHistory::SetLastSeen(std::int64_t unixMs) {
    Post([unixMs](Worker& worker) { worker.SetLastSeen(unixMs); });
}

void RunHistory::Load(std::optional<std::int64_t> sinceMs,
                      std::function<void(std::vector<HistoryEntry>)> done) {
    Post([this, sinceMs, done = std::move(done)](Worker& worker) {
        std::vector<HistoryEntry> entries = worker.Entries(sinceMs);
        QMetaObject::invokeMethod(
            this, [done, entries = std::move(entries)]() mutable { done(std::move(entries)); });
    });
}

void RunHistory::Flush() {
    QMetaObject::invokeMethod(
        worker_, [] {}, Qt::BlockingQueuedConnection);
}

} // namespace rimo
