#include "platform/linux/DesktopWallpaper.h"

#include "platform/linux/PortalWallpaper.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace rimo {

namespace {

QString FileUri(const QString& path) {
    return path.isEmpty() ? QString() : QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

void Tell(const WallpaperService::Report& report, const QString& text) {
    if (report) {
        report(QStringLiteral("壁紙を変更できませんでした: %1").arg(text).toStdString());
    }
}

} // namespace

DesktopWallpaper::DesktopWallpaper(const QString& currentDesktop, bool x11Session,
                                   QDBusConnection bus, QObject* parent)
    : QObject(parent), desktop_(DesktopOf(currentDesktop)), x11Session_(x11Session),
      portal_(new PortalWallpaper(std::move(bus), this)) {}

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
        if (n == QLatin1String("sway")) {
            return Desktop::Sway;
        }
    }
    return Desktop::Other;
}

QString DesktopWallpaper::SwayCommand(const QString& path) {
    // sway splits its command at blanks outside double quotes and then
    // expands the path like a shell word (wordexp): anything either would
    // read as syntax, or a doubled blank it would fold, is refused.
    static const QString kSyntax = QStringLiteral("\"'\\$`*?[]{}~|&;<>()#\n\t");
    for (const QChar c : path) {
        if (kSyntax.contains(c)) {
            return {};
        }
    }
    if (path.contains(QStringLiteral("  "))) {
        return {};
    }
    return QStringLiteral("output * bg \"%1\" fill").arg(path);
}

void DesktopWallpaper::SetWallpaper(const std::string& file, Report report) {
    // A relative path is the program's own folder's business, not a tool's;
    // absolute, it can never be taken for an option.
    const QString given = QString::fromStdString(file);
    const QString path = given.isEmpty() ? given : QFileInfo(given).absoluteFilePath();
    const QString set = QStringLiteral("set");
    switch (desktop_) {
    case Desktop::Gnome:
        Run(QStringLiteral("gsettings"),
            {set, QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri"),
             FileUri(path)},
            report);
        Run(QStringLiteral("gsettings"),
            {set, QStringLiteral("org.gnome.desktop.background"),
             QStringLiteral("picture-uri-dark"), FileUri(path)},
            report);
        break;
    case Desktop::Cinnamon:
        Run(QStringLiteral("gsettings"),
            {set, QStringLiteral("org.cinnamon.desktop.background"), QStringLiteral("picture-uri"),
             FileUri(path)},
            report);
        break;
    case Desktop::Mate:
        Run(QStringLiteral("gsettings"),
            {set, QStringLiteral("org.mate.background"), QStringLiteral("picture-filename"), path},
            report);
        break;
    case Desktop::Kde:
        if (path.isEmpty()) {
            Tell(report, QStringLiteral("KDE の壁紙は外せません"));
        } else {
            Run(QStringLiteral("plasma-apply-wallpaperimage"), {QStringLiteral("--"), path},
                report);
        }
        break;
    case Desktop::Xfce:
        SetXfce(path, report);
        break;
    case Desktop::Sway:
        if (path.isEmpty()) {
            Tell(report, QStringLiteral("sway の壁紙は外せません"));
        } else if (const QString command = SwayCommand(path); command.isEmpty()) {
            Tell(report, QStringLiteral("%1: sway が扱えない文字を含むパスです").arg(path));
        } else {
            Run(QStringLiteral("swaymsg"), {QStringLiteral("--"), command}, report);
        }
        break;
    case Desktop::Other:
        SetOther(path, report);
        break;
    }
}

void DesktopWallpaper::SetOther(const QString& path, const Report& report) {
    if (path.isEmpty()) {
        Tell(report, QStringLiteral("このデスクトップでは壁紙を外せません"));
        return;
    }
    const bool x11 = x11Session_;
    // The portal first, where its backend offers a wallpaper; on X11 the
    // root window's own tools after it (on Wayland they would paint
    // XWayland's root window, which nobody sees).
    portal_->Set(FileUri(path), [this, path, report, x11](bool ok, const QString& problem) {
        if (ok) {
            return;
        }
        if (!problem.isEmpty()) {
            Tell(report, problem);
        } else if (!x11) {
            Tell(report, QStringLiteral("このデスクトップには壁紙を変える手段"
                                        "（xdg-desktop-portal の Wallpaper）がありません"));
        } else if (!QStandardPaths::findExecutable(QStringLiteral("xwallpaper")).isEmpty()) {
            Run(QStringLiteral("xwallpaper"), {QStringLiteral("--zoom"), path}, report);
        } else {
            Run(QStringLiteral("feh"), {QStringLiteral("--bg-fill"), QStringLiteral("--"), path},
                report);
        }
    });
}

void DesktopWallpaper::SetXfce(const QString& path, const Report& report) {
    // Every monitor and workspace has its own "last-image"; the list is asked
    // for without waiting, and each is then set.
    auto* list = new QProcess(this);
    connect(list, &QProcess::finished, this, [this, list, path, report] {
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
                 QStringLiteral("-s"), path},
                report);
        }
    });
    connect(list, &QProcess::errorOccurred, this, [list, report](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            list->deleteLater();
            Tell(report, QStringLiteral("xfconf-query を起動できません"));
        }
    });
    list->start(QStringLiteral("xfconf-query"),
                {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-l")});
}

void DesktopWallpaper::Run(const QString& tool, const QStringList& arguments,
                           const Report& report) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        Tell(report, tool + QStringLiteral(" がありません"));
        return;
    }
    auto* process = new QProcess(this);
    connect(process, &QProcess::finished, this,
            [process, tool, report](int code, QProcess::ExitStatus status) {
                process->deleteLater();
                if (status != QProcess::NormalExit || code != 0) {
                    const QString said =
                        QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
                    Tell(report,
                         QStringLiteral("%1 (終了コード %2)%3")
                             .arg(tool)
                             .arg(code)
                             .arg(said.isEmpty() ? QString() : QStringLiteral(": ") + said));
                }
            });
    connect(process, &QProcess::errorOccurred, this,
            [process, tool, report](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart) {
                    process->deleteLater();
                    Tell(report, tool + QStringLiteral(" を起動できません"));
                }
            });
    process->start(tool, arguments);
}

} // namespace rimo
