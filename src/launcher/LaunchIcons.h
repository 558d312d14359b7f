#pragma once

#include "platform/linux/DesktopApplications.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace rimo {

// Icons of files for the launch buttons, as a Linux desktop shows them.
//
// The shell's icon of a file: the icon of an application entry (".desktop"),
// of the entry that runs an executable, else the theme icon of the file's
// MIME type (folders "folder").
//
// The numbered icons of a file: the images of an image file (each image of a
// multi-image .ico, .icns or .png set), or the sizes, smallest first, of the
// icon of an application entry or of the entry that runs an executable.
// Other files have none.
class LaunchIcons {
public:
    // The applications and icon theme of this session.
    LaunchIcons();
    explicit LaunchIcons(XdgDirs dirs);

    // The shell's icon of the file; a null icon when the file does not exist.
    QIcon ShellIcon(const QString& path);
    // How many numbered icons the file has.
    int IconCount(const QString& file);
    // An image file (.png, .svg, .ico, .xpm, ...): as an icon file, its images are the icons.
    bool IsImageFile(const QString& file);
    // Icon number `number` of the file; a null image when it has no such icon.
    QImage IconNumber(const QString& file, int number);
    // The application that opens the file (its entry), the file itself for
    // an executable or an application entry; empty when nothing opens it.
    QString ApplicationFor(const QString& path);

    // DrawIconGlyph: one icon drawn into a 16 x 16 square of `face` colour
    // (the shell's icon, small or large, or icon number `number`); the bare
    // square when there is no such icon.
    QPixmap DrawIconGlyph(const QString& source, int number, bool useShellIcon, bool small,
                          const QColor& face);

private:
    // Where a file's numbered icons come from: an image file or a theme icon.
    struct IconSet {
        QString ImageFile;
        QIcon Themed;
    };
    IconSet SetOf(const QString& file);
    IconSet SetOfEntryIcon(const std::string& icon) const;
    const DesktopEntry* EntryOf(const QString& file);
    static QString ProgramOnPath(const QString& path);

    DesktopApplications applications_;
};

} // namespace rimo
