#pragma once

#include "platform/DesktopEntries.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace rimo {

// The desktop's applications for files, folders and URLs: the type of a file
// from Qt's MIME database, its application by the rules of mimeapps.list.
class DesktopApplications {
public:
    // The folders of this session's environment.
    DesktopApplications();
    explicit DesktopApplications(XdgDirs dirs) : entries_(std::move(dirs)) {}

    static XdgDirs EnvironmentDirs();
    // "https://…", "mailto:…": a scheme of two or more characters and a colon
    // (one letter is a Windows drive, "C:\…"); "file:" URLs are paths.
    static bool IsUrl(const QString& text);
    // The MIME type of a file, folder or URL, followed by its broader types.
    static QStringList TypesOf(const QString& pathOrUrl);
    // A file that runs as a program: one that may be executed and holds an
    // ELF executable or a script ("#!"). Any other file is a document, also
    // with the execute bit (every file has it on an NTFS or exFAT mount).
    static bool IsProgram(const QString& path);
    // An application entry file; nullopt (and why, for the user) when it is none.
    static std::optional<DesktopEntry> ReadEntry(const QString& file, std::string* problem);

    // The application that opens it; nullptr when none does.
    const DesktopEntry* ApplicationFor(const QString& pathOrUrl);
    // The application entry that runs this program; nullptr when none.
    const DesktopEntry* EntryRunning(const QString& program);

private:
    DesktopEntries entries_;
};

} // namespace rimo
