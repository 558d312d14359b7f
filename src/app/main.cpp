#include "app/ProgramOptions.h"
#include "app/SingleInstance.h"
#include "app/TForm1.h"
#include "app/TerminationSignals.h"
#include "core/AppPaths.h"
#include "core/UserMessages.h"
#include "platform/linux/SystemClock.h"
#include "timer/TTimeDlg.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>

int main(int argc, char* argv[]) {
    const rimo::AppPaths paths = rimo::AppPaths::ForThisProcess(argv[0]);
    // --help and --version answer before anything touches the display or the lock.
    if (const std::optional<int> status = rimo::ProgramOptions::Answer(argc, argv, paths)) {
        return *status;
    }
    rimo::TerminationSignals::Install();
    // A second copy ends at once, before it touches the display. A lock that
    // cannot be made is reported and the program runs without it.
    rimo::SingleInstance oneCopy;
    if (oneCopy.TryAcquire() == rimo::SingleInstance::Result::HeldByAnotherCopy) {
        return 0;
    }

    QApplication app(argc, argv);
    // A tray program: message windows closing must not end it, the main window closing does.
    QApplication::setQuitOnLastWindowClosed(false);
    // The menu entry's name, so that desktops match the window with its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("rimotime"));

    if (paths.FilesLeftBeside) {
        std::fprintf(stderr,
                     "RimoTimeInformation: %s cannot be written; its files are left "
                     "alone and %s is used\n",
                     paths.ExecutableDir.c_str(), paths.DataDir.c_str());
    }
    std::error_code error;
    if (!std::filesystem::create_directories(paths.DataDir, error) && error) {
        std::fprintf(stderr, "RimoTimeInformation: %s: %s\n", paths.DataDir.c_str(),
                     error.message().c_str());
    }

    rimo::SystemClock clock;
    rimo::TForm1 form(paths, clock);
    rimo::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &rimo::TerminationSignals::Received, &form,
                     &rimo::TForm1::CloseForSessionEnd);
    QObject::connect(&form, &rimo::TForm1::Closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    // The timer notice dialog, after the main window and gone before it.
    rimo::TTimeDlg timeDlg(form.TimerPage1(), form);

    form.show();
    if (!oneCopy.Problem().isEmpty()) {
        rimo::ShowErrorMessage(&form, oneCopy.Problem());
    }
    return app.exec();
}
