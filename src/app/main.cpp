#include "app/ProgramOptions.h"
#include "app/SettingsFile.h"
#include "app/SingleInstance.h"
#include "app/TForm1.h"
#include "app/TerminationSignals.h"
#include "core/AppPaths.h"
#include "core/UserMessages.h"
#include "history/HistoryCommand.h"
#include "i18n/Translations.h"
#include "platform/linux/SystemClock.h"
#include "timer/TTimeDlg.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QStringList>

#include <cstdio>
#include <string>

namespace {

QString Text(const rimo::Message& text) {
    return rimo::Translations::Text(text);
}

// The interface's language: the setting "Language", else the desktop's.
// Programs started from here (the power companion) learn it from RIMO_LANGUAGE.
rimo::UiLanguage ChooseLanguage(const rimo::AppPaths& paths) {
    const std::optional<std::filesystem::path> file = paths.SettingsFileToPeek();
    const std::optional<std::string> setting =
        file ? rimo::SettingsFile::Peek(*file, *rimo::SettingsSchema::Find("Language"))
             : std::nullopt;
    const rimo::UiLanguage language = rimo::Translations::Wanted(setting.value_or(""));
    qputenv("RIMO_LANGUAGE", language == rimo::UiLanguage::Japanese
                                 ? rimo::LanguageChoice::kJapanese
                                 : rimo::LanguageChoice::kEnglish);
    return language;
}

// Said on standard error, and in a box where someone can see it.
int RefuseToStart(const QString& text) {
    std::fprintf(stderr, "RimoTimeInformation: %s\n", text.toLocal8Bit().constData());
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("RimoTimeInformation"), text,
                        QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        // A log-out while the box is up still ends the program.
        rimo::TerminationSignals terminationSignals;
        QObject::connect(&terminationSignals, &rimo::TerminationSignals::Received, &box,
                         &QMessageBox::reject);
        box.exec();
    }
    return 1;
}

// What the user is told once the main window shows (also on standard error).
QStringList DataFolderProblems(const rimo::AppPaths& paths,
                               const rimo::AppPaths::DataDirState& dataDir) {
    QStringList problems;
    if (paths.FilesLeftBeside) {
        problems.append(rimo::Translations::Translate(
                            "main", "プログラムと同じフォルダーのファイルは使いません: %1\n"
                                    "代わりに %2 のファイルを使います。")
                            .arg(Text(paths.FilesLeftBesideReason),
                                 QString::fromStdString(paths.DataDir.string())));
    }
    if (dataDir.State == rimo::AppPaths::DataDirState::Kind::NotCreated) {
        problems.append(rimo::Translations::Translate("main",
                                                      "データフォルダーを作れません: %1\n"
                                                      "スケジュールと設定は保存できません。")
                            .arg(Text(dataDir.Message)));
    }
    for (const QString& problem : problems) {
        std::fprintf(stderr, "RimoTimeInformation: %s\n", problem.toLocal8Bit().constData());
    }
    return problems;
}

} // namespace

int main(int argc, char* argv[]) {
    const rimo::AppPaths paths = rimo::AppPaths::ForThisProcess(argv[0]);
    const rimo::UiLanguage language = ChooseLanguage(paths);
    rimo::Translations::Use(language);
    // --help and --version answer before anything touches the display or the lock.
    const rimo::ProgramOptions options =
        rimo::ProgramOptions::Parse(rimo::ProgramOptions::Arguments(argc, argv));
    const auto show = [](const rimo::Message& text) { return Text(text).toStdString(); };
    if (const std::optional<int> status = options.Answer(paths, show)) {
        return *status;
    }
    // --history reads the database beside the running copy: no display, no lock.
    if (options.Action == rimo::ProgramOptions::Kind::History) {
        const QCoreApplication app(argc, argv); // loads the SQLite driver
        return rimo::PrintHistory(paths.HistoryFile(), options.SinceMs, options.Csv, stdout,
                                  stderr);
    }
    rimo::TerminationSignals::Install();
    // A second copy ends at once, before it touches the display. A lock that
    // cannot be made is reported and the program runs without it.
    rimo::SingleInstance oneCopy;
    if (oneCopy.TryAcquire() == rimo::SingleInstance::Result::HeldByAnotherCopy) {
        return 0;
    }

    QApplication app(argc, argv);
    rimo::Translations::Use(language);
    // A tray program: message windows closing must not end it, the main window closing does.
    QApplication::setQuitOnLastWindowClosed(false);
    // The menu entry's name, so that desktops match the window with its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("rimotime"));

    // Files in a folder someone else controls are never read: a planted
    // schedule would start programs as this user.
    const rimo::AppPaths::DataDirState dataDir = paths.PrepareDataDir();
    if (dataDir.State == rimo::AppPaths::DataDirState::Kind::Refused) {
        return RefuseToStart(rimo::Translations::Translate("main", "起動できません。\n%1")
                                 .arg(Text(dataDir.Message)));
    }
    const QStringList startProblems = DataFolderProblems(paths, dataDir);

    rimo::SystemClock clock;
    rimo::TForm1 form(paths, clock);
    rimo::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &rimo::TerminationSignals::Received, &form,
                     &rimo::TForm1::CloseForSessionEnd);
    QObject::connect(&form, &rimo::TForm1::Closed, &app, &QApplication::quit, Qt::QueuedConnection);
    // The timer notice dialog, after the main window and gone before it.
    rimo::TTimeDlg timeDlg(form.TimerPage1(), form);

    form.show();
    if (!startProblems.isEmpty()) {
        rimo::ShowErrorMessage(&form, startProblems.join(QStringLiteral("\n\n")));
    }
    if (!oneCopy.Problem().isEmpty()) {
        rimo::ShowErrorMessage(&form, oneCopy.Problem());
    }
    return app.exec();
}
