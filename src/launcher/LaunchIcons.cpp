#include "launcher/LaunchIcons.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace rimo {

namespace {

constexpr int kGlyphSize = 16;

// Theme icons of file types need a theme that has them, found where the
// desktop keeps themes: Qt's generic platform asks only for "hicolor" (which
// holds application icons alone), the offscreen one for no theme at all.
void UseTheDesktopsIconThemes(const XdgDirs& dirs) {
    static const bool done = [&dirs] {
        QStringList folders = QIcon::themeSearchPaths();
        std::vector<std::filesystem::path> data{dirs.DataHome};
        data.insert(data.end(), dirs.DataDirs.begin(), dirs.DataDirs.end());
        for (const std::filesystem::path& folder : data) {
            const QString icons = QString::fromStdString((folder / "icons").string());
            if (!folders.contains(icons)) {
                folders.append(icons);
            }
        }
        QIcon::setThemeSearchPaths(folders);
        if (QIcon::themeName().isEmpty()) {
            QIcon::setThemeName(QStringLiteral("hicolor"));
        }
        if (QIcon::fallbackThemeName().isEmpty() ||
            QIcon::fallbackThemeName() == QStringLiteral("hicolor")) {
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        }
        return true;
    }();
    (void)done;
}

QIcon Themed(const QStringList& names) {
    for (const QString& name : names) {
        if (!name.isEmpty() && QIcon::hasThemeIcon(name)) {
            return QIcon::fromTheme(name);
        }
    }
    return {};
}

QList<QSize> SizesOf(const QIcon& icon) {
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(),
              [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

} // namespace

LaunchIcons::LaunchIcons() {
    UseTheDesktopsIconThemes(DesktopApplications::EnvironmentDirs());
}

LaunchIcons::LaunchIcons(XdgDirs dirs) : applications_(dirs) {
    UseTheDesktopsIconThemes(DesktopApplications::EnvironmentDirs());
}

QString LaunchIcons::ProgramOnPath(const QString& path) {
    if (path.isEmpty() || path.contains(QLatin1Char('/'))) {
        return path;
    }
    const QString found = QStandardPaths::findExecutable(path);
    return found.isEmpty() ? path : found;
}

const DesktopEntry* LaunchIcons::EntryOf(const QString& file) {
    return applications_.EntryRunning(file);
}

LaunchIcons::IconSet LaunchIcons::SetOfEntryIcon(const std::string& icon) const {
    const QString name = QString::fromStdString(icon);
    if (name.startsWith(QLatin1Char('/'))) {
        return {name, {}};
    }
    return {{}, Themed({name})};
}

LaunchIcons::IconSet LaunchIcons::SetOf(const QString& file) {
    const QFileInfo info(ProgramOnPath(file));
    if (!info.isFile()) {
        return {};
    }
    if (info.suffix() == QStringLiteral("desktop")) {
        const std::optional<DesktopEntry> entry =
            DesktopApplications::ReadEntry(info.absoluteFilePath(), nullptr);
        return entry ? SetOfEntryIcon(entry->Icon) : IconSet{};
    }
    if (QImageReader(info.absoluteFilePath()).canRead()) {
        return {info.absoluteFilePath(), {}};
    }
    if (DesktopApplications::IsProgram(info.absoluteFilePath())) {
        if (const DesktopEntry* entry = EntryOf(info.absoluteFilePath())) {
            return SetOfEntryIcon(entry->Icon);
        }
    }
    return {};
}

bool LaunchIcons::IsImageFile(const QString& file) {
    return !SetOf(file).ImageFile.isEmpty();
}

int LaunchIcons::IconCount(const QString& file) {
    const IconSet set = SetOf(file);
    if (!set.ImageFile.isEmpty()) {
        QImageReader reader(set.ImageFile);
        return reader.canRead() ? std::max(reader.imageCount(), 1) : 0;
    }
    if (set.Themed.isNull()) {
        return 0;
    }
    return std::max(static_cast<int>(SizesOf(set.Themed).size()), 1);
}

QImage LaunchIcons::IconNumber(const QString& file, int number) {
    if (number < 0) {
        return {};
    }
    const IconSet set = SetOf(file);
    if (!set.ImageFile.isEmpty()) {
        QImageReader reader(set.ImageFile);
        if (number > 0 && !reader.jumpToImage(number)) {
            return {};
        }
        return reader.read();
    }
    if (set.Themed.isNull()) {
        return {};
    }
    const QList<QSize> sizes = SizesOf(set.Themed);
    if (sizes.isEmpty()) {
        return number == 0 ? set.Themed.pixmap(32).toImage() : QImage();
    }
    return number < sizes.size() ? set.Themed.pixmap(sizes[number]).toImage() : QImage();
}

QIcon LaunchIcons::ShellIcon(const QString& path) {
    if (DesktopApplications::IsUrl(path)) {
        const DesktopEntry* application = applications_.ApplicationFor(path);
        return application ? ShellIcon(QString::fromStdString(application->File.string()))
                           : QIcon();
    }
    const QFileInfo info(ProgramOnPath(path));
    if (!info.exists()) {
        return {};
    }
    const QIcon executable = Themed({QStringLiteral("application-x-executable")});
    const bool program = DesktopApplications::IsProgram(info.absoluteFilePath());
    if (info.isFile() && (info.suffix() == QStringLiteral("desktop") || program)) {
        const IconSet set = SetOf(info.absoluteFilePath());
        if (!set.ImageFile.isEmpty()) {
            return QIcon(set.ImageFile);
        }
        if (!set.Themed.isNull()) {
            return set.Themed;
        }
        if (info.suffix() == QStringLiteral("desktop")) {
            return executable;
        }
    }
    if (info.isDir()) {
        return Themed({QStringLiteral("folder")});
    }
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    return Themed({type.iconName(), type.genericIconName(), QStringLiteral("text-x-generic"),
                   QStringLiteral("unknown")});
}

QString LaunchIcons::ApplicationFor(const QString& path) {
    const QFileInfo info(ProgramOnPath(path));
    if (info.isFile() && (DesktopApplications::IsProgram(info.absoluteFilePath()) ||
                          info.suffix() == QStringLiteral("desktop"))) {
        return info.absoluteFilePath();
    }
    if (!info.exists() && !DesktopApplications::IsUrl(path)) {
        return {};
    }
    const DesktopEntry* application = applications_.ApplicationFor(path);
    return application ? QString::fromStdString(application->File.string()) : QString();
}

QPixmap LaunchIcons::DrawIconGlyph(const QString& source, int number, bool useShellIcon, bool small,
                                   const QColor& face) {
    QPixmap glyph(kGlyphSize, kGlyphSize);
    glyph.fill(face);
    QImage icon;
    if (useShellIcon) {
        const QIcon shell = ShellIcon(source);
        if (!shell.isNull()) {
            icon = shell.pixmap(small ? kGlyphSize : 2 * kGlyphSize).toImage();
        }
    } else {
        icon = IconNumber(source, number);
    }
    if (!icon.isNull()) {
        QPainter painter(&glyph);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, kGlyphSize, kGlyphSize), icon);
    }
    return glyph;
}

} // namespace rimo
