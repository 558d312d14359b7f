#pragma once

#include "platform/ProgramStarter.h"
#include "platform/linux/DesktopApplications.h"

#include <QObject>
#include <QStringList>

namespace rimo {

// Starts programs directly (QProcess, never a shell); launches application
// entries with "gio launch"; opens documents, folders and URLs with the
// desktop's default application: xdg-open, or, with parameters, "gio launch"
// of the application's entry with the document and the parameters. The
// application is looked up first, so that a document nothing opens is
// reported at once. Start states are not passed on (see StartState).
class DesktopProgramStarter final : public QObject, public ProgramStarter {
    Q_OBJECT
public:
    // The applications of this session's environment.
    explicit DesktopProgramStarter(QObject* parent = nullptr);
    DesktopProgramStarter(XdgDirs dirs, QObject* parent);

    using ProgramStarter::Open;
    Status Open(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& folder, StartState state) override;

private:
    Status OpenDocument(const QString& target, const QStringList& arguments);
    Status LaunchEntry(const QString& entryFile, const QStringList& files);

    DesktopApplications applications_;
};

} // namespace rimo
