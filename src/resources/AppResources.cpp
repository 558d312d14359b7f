#include "resources/AppResources.h"

#include <QFile>

// Q_INIT_RESOURCE declares the registration function, which lives in the
// global namespace: it is called from here, outside any namespace.
static void RegisterRimoResources() {
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(help);
}

namespace rimo {

namespace {

constexpr int kFrameSizes[] = {16, 22, 24, 32, 48};
constexpr int kMainSizes[] = {16, 22, 24, 32, 48, 64, 128};

} // namespace

void AppResources::Init() {
    static const bool registered = [] {
        RegisterRimoResources();
        return true;
    }();
    (void)registered;
}

QIcon AppResources::MainIcon() {
    Init();
    QIcon icon;
    for (const int size : kMainSizes) {
        icon.addFile(QStringLiteral(":/icons/MAINICON-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QString AppResources::FrameName(int frame) {
    return QStringLiteral("ICON%1").arg(frame);
}

QIcon AppResources::FrameIcon(int frame) {
    Init();
    QIcon icon;
    for (const int size : kFrameSizes) {
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(FrameName(frame)).arg(size),
                     QSize(size, size));
    }
    return icon;
}

QByteArray AppResources::HelpPage() {
    Init();
    QFile file(QStringLiteral(":/help/help.html"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

} // namespace rimo
