#include "platform/linux/DesktopProgramStarter.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace rimo {

namespace {

Status Failed(const char* what, const QString& path) {
    return Status::Error((QString::fromUtf8(what) + path).toStdString());
}

bool Found(const char* tool) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty();
}

} // namespace

DesktopProgramStarter::DesktopProgramStarter(QObject* parent) : QObject(parent) {}

DesktopProgramStarter::DesktopProgramStarter(XdgDirs dirs, QObject* parent)
    : QObject(parent), applications_(std::move(dirs)) {}

Status DesktopProgramStarter::Open(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   const std::string& folder, StartState /*state*/) {
    QString path = QString::fromStdString(program);
    QStringList words;
    for (const std::string& argument : arguments) {
        words.append(QString::fromStdString(argument));
    }
    if (path.startsWith(QStringLiteral("file:"))) {
        path = QUrl(path).toLocalFile();
    } else if (DesktopApplications::IsUrl(path)) {
        return OpenDocument(path, words);
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
    if (info.isFile() && info.suffix() == QStringLiteral("desktop")) {
        return LaunchEntry(info.absoluteFilePath(), words);
    }
    if (info.isDir() || !info.isExecutable()) {
        return OpenDocument(info.absoluteFilePath(), words);
    }
    const QString workingFolder = QString::fromStdString(folder);
    if (!workingFolder.isEmpty() && !QFileInfo(workingFolder).isDir()) {
        return Failed("作業フォルダがありません: ", workingFolder);
    }
    QProcess process;
    process.setProgram(path);
    process.setArguments(words);
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        return Failed("プログラムを起動できません: ",
                      path + QStringLiteral(" (") + process.errorString() + QLatin1Char(')'));
    }
    return Status::Ok();
}

Status DesktopProgramStarter::OpenDocument(const QString& target, const QStringList& arguments) {
    const DesktopEntry* application = applications_.ApplicationFor(target);
    if (!application) {
        return Failed("開くアプリケーションがありません: ",
                      target + QStringLiteral(" (") +
                          DesktopApplications::TypesOf(target).value(0) + QLatin1Char(')'));
    }
    if (!arguments.isEmpty() && Found("gio")) {
        return LaunchEntry(QString::fromStdString(application->File.string()),
                           QStringList{target} + arguments);
    }
    if (Found("xdg-open") && QProcess::startDetached(QStringLiteral("xdg-open"), {target})) {
        return Status::Ok();
    }
    return LaunchEntry(QString::fromStdString(application->File.string()), {target});
}

Status DesktopProgramStarter::LaunchEntry(const QString& entryFile, const QStringList& files) {
    if (!Found("gio") ||
        !QProcess::startDetached(QStringLiteral("gio"),
                                 QStringList{QStringLiteral("launch"), entryFile} + files)) {
        return Failed("アプリケーションを起動できません (gio launch): ", entryFile);
    }
    return Status::Ok();
}

} // namespace rimo
