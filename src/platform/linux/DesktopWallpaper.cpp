#include "platform/linux/DesktopWallpaper.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <cstdio>

namespace rimo {

namespace {

QString FileUri(const QString& path) {
    return path.isEmpty() ? QString() : QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

} // namespace

DesktopWallpaper::DesktopWallpaper(const QString& currentDesktop, QObject* parent)
    : QObject(parent), desktop_(DesktopOf(currentDesktop)) {}

DesktopWallpaper::Desktop DesktopWallpaper::DesktopOf(const QString& currentDesktop) {
    // A colon-separated list, the most specific first.
    for (const QString& name : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString n = name.toLower();
        if (n == QLatin1String("gnome") || n == QLatin1String("unity") ||
            n == QLatin1String("ubuntu") || n == QLatin1String("gnome-classic") ||
            n == QLatin1String("gnome-flashback") || n == QLatin1String("budgie")) {
            return Desktop::Gnome;
        }
        if (n == QLatin1String("x-cinnamon") || n == QLatin1String("cinnamon")) {
            return Desktop::Cinnamon;
        }
        if (n == QLatin1String("mate")) {
            return Desktop::Mate;
        }
        if (n == QLatin1String("kde")) {
            return Desktop::Kde;
        }
        if (n == QLatin1String("xfce")) {
            return Desktop::Xfce;
        }
    }
    return Desktop::Other;
}

void DesktopWallpaper::SetWallpaper(const std::string& file) {
    const QString path = QString::fromStdString(file);
    const QString set = QStringLiteral("set");
    switch (desktop_) {
    case Desktop::Gnome:
        Run(QStringLiteral("gsettings"), {set, QStringLiteral("org.gnome.desktop.background"),
                                          QStringLiteral("picture-uri"), FileUri(path)});
        Run(QStringLiteral("gsettings"), {set, QStringLiteral("org.gnome.desktop.background"),
                                          QStringLiteral("picture-uri-dark"), FileUri(path)});
        break;
    case Desktop::Cinnamon:
        Run(QStringLiteral("gsettings"), {set, QStringLiteral("org.cinnamon.desktop.background"),
                                          QStringLiteral("picture-uri"), FileUri(path)});
        break;
    case Desktop::Mate:
        Run(QStringLiteral("gsettings"),
            {set, QStringLiteral("org.mate.background"), QStringLiteral("picture-filename"), path});
        break;
    case Desktop::Kde:
        if (path.isEmpty()) {
            Report(QStringLiteral("KDE の壁紙は外せません"));
        } else {
            Run(QStringLiteral("plasma-apply-wallpaperimage"), {path});
        }
        break;
    case Desktop::Xfce:
        SetXfce(path);
        break;
    case Desktop::Other:
        if (path.isEmpty()) {
            Report(QStringLiteral("このデスクトップでは壁紙を外せません"));
        } else if (!QStandardPaths::findExecutable(QStringLiteral("xwallpaper")).isEmpty()) {
            Run(QStringLiteral("xwallpaper"), {QStringLiteral("--zoom"), path});
        } else {
            Run(QStringLiteral("feh"), {QStringLiteral("--bg-fill"), path});
        }
        break;
    }
}

void DesktopWallpaper::SetXfce(const QString& path) {
    // Every monitor and workspace has its own "last-image"; the list is asked
    // for without waiting, and each is then set.
    auto* list = new QProcess(this);
    connect(list, &QProcess::finished, this, [this, list, path] {
        list->deleteLater();
        const QStringList lines =
            QString::fromLocal8Bit(list->readAllStandardOutput()).split(QLatin1Char('\n'));
        QStringList properties;
        for (const QString& line : lines) {
            if (line.trimmed().endsWith(QLatin1String("/last-image"))) {
                properties.append(line.trimmed());
            }
        }
        if (properties.isEmpty()) {
            properties.append(QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image"));
        }
        for (const QString& property : properties) {
            Run(QStringLiteral("xfconf-query"),
                {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"),
                 property, QStringLiteral("-n"), QStringLiteral("-t"), QStringLiteral("string"),
                 QStringLiteral("-s"), path});
        }
    });
    connect(list, &QProcess::errorOccurred, this, [this, list](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            list->deleteLater();
            Report(QStringLiteral("xfconf-query を起動できません"));
        }
    });
    list->start(QStringLiteral("xfconf-query"),
                {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-l")});
}

void DesktopWallpaper::Run(const QString& tool, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(tool).isEmpty() ||
        !QProcess::startDetached(tool, arguments)) {
        Report(tool + QStringLiteral(" を起動できません"));
    }
}

void DesktopWallpaper::Report(const QString& text) {
    // The desktop's answer is not the user's concern; said once, on the terminal.
    if (!reported_) {
        reported_ = true;
        std::fprintf(stderr, "RimoTimeInformation: 壁紙: %s\n", text.toLocal8Bit().constData());
    }
}

} // namespace rimo
