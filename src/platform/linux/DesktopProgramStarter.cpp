#include "platform/linux/DesktopProgramStarter.h"

#include "platform/DesktopExec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace rimo {

namespace {

// `what` has the path as %1.
Status Failed(const char* what, const QString& path) {
    return Status::Error(Translatable("rimo::DesktopProgramStarter", what).Arg(path.toStdString()));
}

QStringList Words(const std::vector<std::string>& words) {
    QStringList list;
    for (const std::string& word : words) {
        list.append(QString::fromStdString(word));
    }
    return list;
}

std::vector<std::string> Strings(const QStringList& list) {
    std::vector<std::string> words;
    for (const QString& word : list) {
        words.push_back(word.toStdString());
    }
    return words;
}

} // namespace

DesktopProgramStarter::DesktopProgramStarter(QObject* parent)
    : QObject(parent), children_(new ChildProcesses(this)) {}

DesktopProgramStarter::DesktopProgramStarter(XdgDirs dirs, QObject* parent)
    : QObject(parent), applications_(std::move(dirs)), children_(new ChildProcesses(this)) {}

Launched DesktopProgramStarter::Launch(const std::string& program,
                                       const std::vector<std::string>& arguments,
                                       const std::string& folder, StartState /*state*/) {
    QString path = QString::fromStdString(program);
    const QStringList options = Words(arguments);
    const QString workingFolder = QString::fromStdString(folder);
    if (path.startsWith(QStringLiteral("file:"))) {
        path = QUrl(path).toLocalFile();
    } else if (DesktopApplications::IsUrl(path)) {
        return OpenDocument(path, options, workingFolder);
    }
    if (path.isEmpty()) {
        return Status::Error(
            Translatable("rimo::DesktopProgramStarter", "起動するものが指定されていません"));
    }
    // A relative path names a file in the working folder, where it runs; a
    // bare name that is none there, a program on PATH.
    const QFileInfo info(QDir(workingFolder.isEmpty() ? QDir::currentPath() : workingFolder), path);
    if (!path.contains(QLatin1Char('/')) && (workingFolder.isEmpty() || !info.exists())) {
        return Run(path, options, workingFolder);
    }
    if (!info.exists()) {
        return Failed(
            QT_TRANSLATE_NOOP("rimo::DesktopProgramStarter", "ファイルが見つかりません: %1"), path);
    }
    // Absolute from here on: a path never reaches a program as an option.
    const QString absolute = info.absoluteFilePath();
    if (info.isFile() && info.suffix() == QStringLiteral("desktop")) {
        Message problem;
        const std::optional<DesktopEntry> entry =
            DesktopApplications::ReadEntry(absolute, &problem);
        if (!entry) {
            return Status::Error(problem);
        }
        return LaunchEntry(*entry, options, {}, workingFolder);
    }
    if (DesktopApplications::IsProgram(absolute)) {
        return Run(absolute, options, workingFolder);
    }
    return OpenDocument(absolute, options, workingFolder);
}

Launched DesktopProgramStarter::OpenDocument(const QString& target, const QStringList& options,
                                             const QString& folder) {
    const DesktopEntry* application = applications_.ApplicationFor(target);
    if (!application) {
        return Failed(QT_TRANSLATE_NOOP("rimo::DesktopProgramStarter",
                                        "開くアプリケーションがありません: %1"),
                      target + QStringLiteral(" (") +
                          DesktopApplications::TypesOf(target).value(0) + QLatin1Char(')'));
    }
    return LaunchEntry(*application, options, {target}, folder);
}

Launched DesktopProgramStarter::LaunchEntry(const DesktopEntry& entry, const QStringList& options,
                                            const QStringList& files, const QString& folder) {
    const DesktopCommand command = ExpandExec(entry, Strings(options), Strings(files));
    if (!command.Problem) {
        return command.Problem;
    }
    QStringList words = Words(command.Words);
    if (entry.Terminal) {
        // The desktop's terminal: the launcher of the terminal rules, else the
        // system's choice (Debian's alternative), else xterm.
        QStringList terminal;
        for (const auto& [name, option] :
             {std::pair("xdg-terminal-exec", ""), std::pair("x-terminal-emulator", "-e"),
              std::pair("xterm", "-e")}) {
            const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (!found.isEmpty()) {
                terminal = QStringList{found};
                if (*option) {
                    terminal.append(QString::fromLatin1(option));
                }
                break;
            }
        }
        if (terminal.isEmpty()) {
            return Failed(
                QT_TRANSLATE_NOOP("rimo::DesktopProgramStarter",
                                  "端末の中で動くアプリケーションですが、端末が見つかりません: %1"),
                QString::fromStdString(entry.File.string()));
        }
        words = terminal + words;
    }
    // The entry's own folder, when the start names none.
    QString workingFolder = folder;
    if (workingFolder.isEmpty() && !entry.Path.empty() &&
        QFileInfo(QString::fromStdString(entry.Path)).isDir()) {
        workingFolder = QString::fromStdString(entry.Path);
    }
    const QString program = words.takeFirst();
    const Launched started = Run(program, words, workingFolder);
    if (!started.Result) {
        return Status::Error(
            Message::Layout("%1 (%2)").Arg(started.Result.text()).Arg(entry.File.string()));
    }
    return started;
}

Launched DesktopProgramStarter::Run(const QString& program, const QStringList& arguments,
                                    const QString& folder) {
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        return Failed(
            QT_TRANSLATE_NOOP("rimo::DesktopProgramStarter", "作業フォルダがありません: %1"),
            folder);
    }
    const QString path =
        program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        return Failed(
            QT_TRANSLATE_NOOP("rimo::DesktopProgramStarter", "プログラムが見つかりません: %1"),
            program);
    }
    const ChildProcesses::Started started =
        children_->Start(QFile::encodeName(path).toStdString(), Strings(arguments),
                         QFile::encodeName(folder).toStdString());
    if (started.Pid == 0) {
        return Failed(
            QT_TRANSLATE_NOOP("rimo::DesktopProgramStarter", "プログラムを起動できません: %1"),
            path + QStringLiteral(" (") + QString::fromStdString(started.Error) +
                QLatin1Char(')'));
    }
    return {Status::Ok(), started.Pid};
}

} // namespace rimo
