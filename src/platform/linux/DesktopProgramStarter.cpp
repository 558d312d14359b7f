#include "platform/linux/DesktopProgramStarter.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace rimo {

namespace {

Status Failed(const char* what, const QString& path) {
    return Status::Error((QString::fromUtf8(what) + path).toStdString());
}

} // namespace

DesktopProgramStarter::DesktopProgramStarter(QObject* parent) : QObject(parent) {}

Status DesktopProgramStarter::Open(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   const std::string& folder) {
    QString path = QString::fromStdString(program);
    QStringList words;
    for (const std::string& argument : arguments) {
        words.append(QString::fromStdString(argument));
    }
    if (!path.contains(QLatin1Char('/'))) {
        const QString found = QStandardPaths::findExecutable(path);
        if (found.isEmpty()) {
            return Failed("プログラムが見つかりません: ", path);
        }
        path = found;
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return Failed("プログラムが見つかりません: ", path);
    }
    if (info.isDir() || !info.isExecutable()) {
        return OpenDocument(info.absoluteFilePath(), words);
    }
    QProcess process;
    process.setProgram(path);
    process.setArguments(words);
    process.setWorkingDirectory(QString::fromStdString(folder));
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        return Failed("プログラムを起動できません: ", path);
    }
    return Status::Ok();
}

Status DesktopProgramStarter::OpenDocument(const QString& path, const QStringList& arguments) {
    if (!arguments.isEmpty() &&
        !QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty() &&
        !QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty()) {
        LaunchWithDefaultApplication(path, arguments);
        return Status::Ok();
    }
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty() ||
        !QProcess::startDetached(QStringLiteral("xdg-open"), {path})) {
        return Failed("開くアプリケーションがありません (xdg-open): ", path);
    }
    return Status::Ok();
}

void DesktopProgramStarter::LaunchWithDefaultApplication(const QString& path,
                                                         const QStringList& arguments) {
    // The query is asked without waiting; the start follows when it answers.
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    auto* query = new QProcess(this);
    connect(query, &QProcess::finished, this, [query, path, arguments] {
        query->deleteLater();
        const QString id = QString::fromLocal8Bit(query->readAllStandardOutput()).trimmed();
        const QString desktopFile =
            id.isEmpty() ? QString()
                         : QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
        if (desktopFile.isEmpty()) {
            QProcess::startDetached(QStringLiteral("xdg-open"), {path});
            return;
        }
        QProcess::startDetached(QStringLiteral("gio"),
                                QStringList{QStringLiteral("launch"), desktopFile, path} +
                                    arguments);
    });
    connect(query, &QProcess::errorOccurred, this, [query](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            query->deleteLater();
        }
    });
    query->start(QStringLiteral("xdg-mime"),
                 {QStringLiteral("query"), QStringLiteral("default"), type});
}

} // namespace rimo
