#include "history/HistoryDatabase.h"

#include "core/FileIo.h"
#include "history/HistoryRules.h"
#include "i18n/Translations.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rimo {

namespace {

constexpr int kSchemaVersion = 1;

// SQLite's result codes for a file that is not (or no longer) a database.
const QString kCorrupt = QStringLiteral("11");
const QString kNotADatabase = QStringLiteral("26");

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

QVariant Optional(const std::optional<std::int64_t>& value) {
    return value ? QVariant(static_cast<qlonglong>(*value))
                 : QVariant(QMetaType(QMetaType::LongLong));
}

QVariant Optional(const std::optional<int>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::Int));
}

QVariant Text(const std::string& text) {
    return QString::fromStdString(text);
}

std::optional<std::int64_t> Int64(const QVariant& value) {
    if (value.isNull()) {
        return std::nullopt;
    }
    return value.toLongLong();
}

std::string Utf8(const QVariant& value) {
    return value.toString().toStdString();
}

const char* const kColumns = "id, due, started, title, action, argument, origin, outcome, code, "
                             "message, exit_status, offset_ns, clock_set, occurrences, last_due";

HistoryEntry EntryOf(const QSqlQuery& query) {
    HistoryEntry entry;
    entry.Id = query.value(0).toLongLong();
    entry.DueMs = Int64(query.value(1));
    entry.StartedMs = Int64(query.value(2));
    entry.Title = Utf8(query.value(3));
    entry.Action = Utf8(query.value(4));
    entry.Argument = Utf8(query.value(5));
    entry.Origin = static_cast<RunOrigin>(query.value(6).toInt());
    entry.Outcome = static_cast<RunOutcome>(query.value(7).toInt());
    entry.Code = Utf8(query.value(8));
    entry.Message = Utf8(query.value(9));
    if (!query.value(10).isNull()) {
        entry.ExitStatus = query.value(10).toInt();
    }
    entry.OffsetNs = Int64(query.value(11));
    entry.ClockSet = query.value(12).toInt() != 0;
    entry.Occurrences = std::max(1, query.value(13).toInt());
    entry.LastDueMs = Int64(query.value(14));
    return entry;
}

void BindFigures(QSqlQuery& query, const HistoryEntry& entry) {
    query.bindValue(QStringLiteral(":outcome"), static_cast<int>(entry.Outcome));
    query.bindValue(QStringLiteral(":code"), Text(entry.Code));
    query.bindValue(QStringLiteral(":message"), Text(entry.Message));
    query.bindValue(QStringLiteral(":exit_status"), Optional(entry.ExitStatus));
    query.bindValue(QStringLiteral(":offset_ns"), Optional(entry.OffsetNs));
    query.bindValue(QStringLiteral(":clock_set"), entry.ClockSet ? 1 : 0);
}

// A new file, this user's alone; SQLite gives its -wal and -shm files the same mode.
bool CreatePrivateFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno == EEXIST;
    }
    ::close(fd);
    return true;
}

bool IsRegularFileOrMissing(const std::filesystem::path& file) {
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0) {
        return true;
    }
    return S_ISREG(info.st_mode);
}

std::filesystem::path WithSuffix(const std::filesystem::path& file, const char* suffix) {
    return std::filesystem::path(file.string() + suffix);
}

} // namespace

HistoryDatabase::HistoryDatabase(std::filesystem::path file) : file_(std::move(file)) {}

HistoryDatabase::~HistoryDatabase() {
    Disconnect();
}

Status HistoryDatabase::Connect(bool readOnly) {
    static std::atomic<int> connections{0};
    connection_ = QStringLiteral("rimo-history-%1").arg(++connections);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    if (!db.isValid()) {
        return Status::Error(
            QCoreApplication::translate(
                "rimo::HistoryDatabase",
                "SQLite のドライバーがありません（Debian のパッケージ libqt6sql6-sqlite）。")
                .toStdString());
    }
    db.setDatabaseName(PathText(file_));
    // A reader or the other copy holding the file briefly is waited for.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000");
    if (readOnly) {
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    }
    db.setConnectOptions(options);
    if (!db.open()) {
        return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "開けません"),
                       db.lastError());
    }
    return Status::Ok();
}

void HistoryDatabase::Disconnect() {
    if (connection_.isEmpty()) {
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    connection_.clear();
}

Status HistoryDatabase::Failure(const QString& what, const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    if (code == kCorrupt || code == kNotADatabase) {
        damaged_ = true;
    }
    return Status::Error((what + QStringLiteral(": ") + error.text()).toStdString());
}

Status HistoryDatabase::Prepare() {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    // Whether it is a sound history is asked before anything is changed: a
    // file that is not is set aside as it was.
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
        return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "読めません"),
                       query.lastError());
    }
    if (query.value(0).toString() != QStringLiteral("ok")) {
        damaged_ = true;
        return Status::Error(
            QCoreApplication::translate("rimo::HistoryDatabase", "壊れています").toStdString());
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "読めません"),
                       query.lastError());
    }
    const int version = query.value(0).toInt();
    const bool made = version == kSchemaVersion;
    if (!made &&
        (version != 0 || !query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) ||
         !query.next() || query.value(0).toInt() != 0)) {
        damaged_ = true;
        return Status::Error(QCoreApplication::translate("rimo::HistoryDatabase",
                                                         "このプログラムの実行履歴ではありません")
                                 .toStdString());
    }
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next()) {
        return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "読めません"),
                       query.lastError());
    }
    if (query.value(0).toString() != QStringLiteral("wal")) {
        return Status::Error(
            QCoreApplication::translate("rimo::HistoryDatabase", "WAL モードにできません")
                .toStdString());
    }
    // Commits need not wait for the disk: WAL keeps the file sound whatever happens.
    query.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    if (made) {
        return Status::Ok();
    }
    // One transaction: a file cut short while it was made would read as
    // someone else's database.
    const char* const schema[] = {
        "BEGIN",
        "CREATE TABLE runs (id INTEGER PRIMARY KEY, at INTEGER NOT NULL, due INTEGER, "
        "started INTEGER, title TEXT NOT NULL, action TEXT NOT NULL, argument TEXT NOT NULL, "
        "origin INTEGER NOT NULL, outcome INTEGER NOT NULL, code TEXT NOT NULL, "
        "message TEXT NOT NULL, exit_status INTEGER, offset_ns INTEGER, "
        "clock_set INTEGER NOT NULL, occurrences INTEGER NOT NULL, last_due INTEGER)",
        "CREATE INDEX runs_at ON runs (at, id)",
        "CREATE TABLE meta (key TEXT PRIMARY KEY, value INTEGER)",
        "PRAGMA user_version = 1",
        "COMMIT",
    };
    for (const char* statement : schema) {
        if (!query.exec(QString::fromLatin1(statement))) {
            const QSqlError error = query.lastError();
            query.exec(QStringLiteral("ROLLBACK"));
            return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "作れません"),
                           error);
        }
    }
    return Status::Ok();
}

HistoryDatabase::OpenReport HistoryDatabase::Open() {
    damaged_ = false;
    if (!IsRegularFileOrMissing(file_)) {
        return SetAsideAndStartAgain(
            QCoreApplication::translate("rimo::HistoryDatabase", "普通のファイルではありません"));
    }
    if (!CreatePrivateFile(file_)) {
        return {false,
                QCoreApplication::translate("rimo::HistoryDatabase",
                                            "実行履歴 %1 を作れません。履歴は記録されません。")
                    .arg(PathText(file_))};
    }
    Status ready = Connect(false);
    if (ready) {
        ready = Prepare();
    }
    if (!ready) {
        return SetAsideAndStartAgain(Translations::Text(ready.text()));
    }
    return {true, {}};
}

HistoryDatabase::OpenReport HistoryDatabase::SetAsideAndStartAgain(const QString& why) {
    Disconnect();
    damaged_ = false;
    Message error;
    const std::optional<std::filesystem::path> aside = MoveFileAside(file_, &error);
    if (!aside) {
        return {false, QCoreApplication::translate(
                           "rimo::HistoryDatabase",
                           "実行履歴 %1 が使えません（%2）。%3\n履歴は記録されません。")
                           .arg(PathText(file_), why, Translations::Text(error))};
    }
    // Its log goes with it; the shared-memory index is made again.
    std::error_code ignored;
    std::filesystem::rename(WithSuffix(file_, "-wal"), WithSuffix(*aside, "-wal"), ignored);
    std::filesystem::remove(WithSuffix(file_, "-shm"), ignored);
    Status ready = CreatePrivateFile(file_) ? Connect(false) : Status::Error("");
    if (ready) {
        ready = Prepare();
    }
    const QString told =
        QCoreApplication::translate(
            "rimo::HistoryDatabase",
            "実行履歴 %1 が使えません（%2）。\n%3 に移して、新しい履歴を始めます。")
            .arg(PathText(file_), why, PathText(*aside));
    if (!ready) {
        return {false, told + QLatin1Char('\n') + Translations::Text(ready.text())};
    }
    return {true, told};
}

Status HistoryDatabase::OpenForReading() {
    if (!std::filesystem::is_regular_file(file_)) {
        return Status::Error(
            QCoreApplication::translate("rimo::HistoryDatabase", "実行履歴 %1 がありません")
                .arg(PathText(file_))
                .toStdString());
    }
    return Connect(true);
}

Status HistoryDatabase::Insert(const std::vector<HistoryEntry>& entries) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) {
        return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "書き込めません"),
                       db.lastError());
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO runs (id, at, due, started, title, action, argument, origin, outcome, code, "
        "message, exit_status, offset_ns, clock_set, occurrences, last_due) VALUES (:id, :at, "
        ":due, :started, :title, :action, :argument, :origin, :outcome, :code, :message, "
        ":exit_status, :offset_ns, :clock_set, :occurrences, :last_due)"));
    for (const HistoryEntry& entry : entries) {
        query.bindValue(QStringLiteral(":id"), static_cast<qlonglong>(entry.Id));
        query.bindValue(QStringLiteral(":at"), static_cast<qlonglong>(entry.Moment()));
        query.bindValue(QStringLiteral(":due"), Optional(entry.DueMs));
        query.bindValue(QStringLiteral(":started"), Optional(entry.StartedMs));
        query.bindValue(QStringLiteral(":title"), Text(entry.Title));
        query.bindValue(QStringLiteral(":action"), Text(entry.Action));
        query.bindValue(QStringLiteral(":argument"), Text(entry.Argument));
        query.bindValue(QStringLiteral(":origin"), static_cast<int>(entry.Origin));
        query.bindValue(QStringLiteral(":occurrences"), entry.Occurrences);
        query.bindValue(QStringLiteral(":last_due"), Optional(entry.LastDueMs));
        BindFigures(query, entry);
        if (!query.exec()) {
            const Status failed =
                Failure(QCoreApplication::translate("rimo::HistoryDatabase", "書き込めません"),
                        query.lastError());
            db.rollback();
            return failed;
        }
    }
    if (!db.commit()) {
        const Status failed = Failure(
            QCoreApplication::translate("rimo::HistoryDatabase", "書き込めません"), db.lastError());
        db.rollback();
        return failed;
    }
    return Status::Ok();
}

Status HistoryDatabase::Update(const HistoryEntry& entry) {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(
        QStringLiteral("UPDATE runs SET outcome = :outcome, code = :code, message = :message, "
                       "exit_status = :exit_status, offset_ns = :offset_ns, clock_set = :clock_set "
                       "WHERE id = :id"));
    BindFigures(query, entry);
    query.bindValue(QStringLiteral(":id"), static_cast<qlonglong>(entry.Id));
    if (!query.exec()) {
        return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "書き込めません"),
                       query.lastError());
    }
    return Status::Ok();
}

Status HistoryDatabase::Prune(std::int64_t nowMs) {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(QStringLiteral("DELETE FROM runs WHERE at < :oldest"));
    query.bindValue(QStringLiteral(":oldest"),
                    static_cast<qlonglong>(nowMs - HistoryRules::kKeepMs));
    if (!query.exec()) {
        return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "書き込めません"),
                       query.lastError());
    }
    query.prepare(QStringLiteral("DELETE FROM runs WHERE id IN (SELECT id FROM runs ORDER BY "
                                 "at DESC, id DESC LIMIT -1 OFFSET :keep)"));
    query.bindValue(QStringLiteral(":keep"), HistoryRules::kKeepEntries);
    if (!query.exec()) {
        return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "書き込めません"),
                       query.lastError());
    }
    return Status::Ok();
}

Status HistoryDatabase::Read(std::optional<std::int64_t> sinceMs, bool newestFirst,
                             const std::function<void(const HistoryEntry&)>& each) {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM runs WHERE at >= :since ORDER BY at %2, id %2")
                      .arg(QLatin1String(kColumns),
                           newestFirst ? QStringLiteral("DESC") : QStringLiteral("ASC")));
    query.bindValue(QStringLiteral(":since"), static_cast<qlonglong>(sinceMs.value_or(INT64_MIN)));
    if (!query.exec()) {
        return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "読めません"),
                       query.lastError());
    }
    while (query.next()) {
        each(EntryOf(query));
    }
    if (query.lastError().isValid()) {
        return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "読めません"),
                       query.lastError());
    }
    return Status::Ok();
}

std::vector<HistoryEntry> HistoryDatabase::Entries(std::optional<std::int64_t> sinceMs) {
    std::vector<HistoryEntry> entries;
    Read(sinceMs, true, [&entries](const HistoryEntry& entry) { entries.push_back(entry); });
    return entries;
}

int HistoryDatabase::Count() {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    return query.exec(QStringLiteral("SELECT count(*) FROM runs")) && query.next()
               ? query.value(0).toInt()
               : 0;
}

std::int64_t HistoryDatabase::LastId() {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    return query.exec(QStringLiteral("SELECT max(id) FROM runs")) && query.next()
               ? query.value(0).toLongLong()
               : 0;
}

std::optional<std::int64_t> HistoryDatabase::LastSeen() {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'last_seen'")) ||
        !query.next()) {
        return std::nullopt;
    }
    return Int64(query.value(0));
}

Status HistoryDatabase::SetLastSeen(std::int64_t unixMs) {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(
        QStringLiteral("INSERT OR REPLACE INTO meta (key, value) VALUES ('last_seen', :value)"));
    query.bindValue(QStringLiteral(":value"), static_cast<qlonglong>(unixMs));
    if (!query.exec()) {
        return Failure(QCoreApplication::translate("rimo::HistoryDatabase", "書き込めません"),
                       query.lastError());
    }
    return Status::Ok();
}

} // namespace rimo
