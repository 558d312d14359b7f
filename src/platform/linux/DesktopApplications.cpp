#include "platform/linux/DesktopApplications.h"

#include "core/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>

namespace rimo {

namespace {

std::string Variable(const char* name) {
    return qEnvironmentVariable(name).toStdString();
}

} // namespace

XdgDirs DesktopApplications::EnvironmentDirs() {
    return XdgDirs::From(Variable("XDG_CONFIG_HOME"), Variable("XDG_CONFIG_DIRS"),
                         Variable("XDG_DATA_HOME"), Variable("XDG_DATA_DIRS"),
                         Variable("XDG_CURRENT_DESKTOP"), Variable("PATH"), Variable("HOME"));
}

DesktopApplications::DesktopApplications() : entries_(EnvironmentDirs()) {}

bool DesktopApplications::IsUrl(const QString& text) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(text).hasMatch() && !text.startsWith(QStringLiteral("file:"));
}

QStringList DesktopApplications::TypesOf(const QString& pathOrUrl) {
    if (IsUrl(pathOrUrl)) {
        return {QStringLiteral("x-scheme-handler/") +
                pathOrUrl.left(pathOrUrl.indexOf(QLatin1Char(':'))).toLower()};
    }
    const QMimeType type = QMimeDatabase().mimeTypeForFile(pathOrUrl);
    return QStringList{type.name()} + type.allAncestors();
}

bool DesktopApplications::IsProgram(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isExecutable()) {
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray start = file.read(4);
    return start.startsWith("#!") || start == QByteArrayLiteral("\177ELF");
}

std::optional<DesktopEntry> DesktopApplications::ReadEntry(const QString& file,
                                                           std::string* problem) {
    const std::string path = file.toStdString();
    std::string error;
    const std::optional<std::string> text = ReadWholeFile(path, &error);
    std::optional<DesktopEntry> entry = text ? DesktopEntry::Read(path, *text) : std::nullopt;
    if (!entry && problem) {
        *problem = text ? "起動できるアプリケーションエントリではありません: " + path : error;
    }
    return entry;
}

const DesktopEntry* DesktopApplications::ApplicationFor(const QString& pathOrUrl) {
    std::vector<std::string> types;
    for (const QString& type : TypesOf(pathOrUrl)) {
        types.push_back(type.toStdString());
    }
    return entries_.DefaultFor(types);
}

const DesktopEntry* DesktopApplications::EntryRunning(const QString& program) {
    return entries_.EntryRunning(program.toStdString());
}

} // namespace rimo
