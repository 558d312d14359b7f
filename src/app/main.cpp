#include "app/SingleInstance.h"
#include "app/TForm1.h"
#include "app/TerminationSignals.h"
#include "core/AppPaths.h"
#include "core/UserMessages.h"
#include "platform/linux/SystemClock.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

int main(int argc, char* argv[]) {
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

    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    const rimo::AppPaths paths = rimo::AppPaths::ForExecutable(
        error ? std::filesystem::path(argv[0]) : executable, Environment("XDG_CONFIG_HOME"),
        Environment("HOME"));
    std::filesystem::create_directories(paths.DataDir, error);

    rimo::SystemClock clock;
    rimo::TForm1 form(paths, clock);
    rimo::TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &rimo::TerminationSignals::Received, &form,
                     &rimo::TForm1::CloseForSessionEnd);
    QObject::connect(&form, &rimo::TForm1::Closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    // The timer notice dialog is created here (countdown timer).

    form.show();
    if (!oneCopy.Problem().isEmpty()) {
        rimo::ShowErrorMessage(&form, oneCopy.Problem());
    }
    return app.exec();
}
