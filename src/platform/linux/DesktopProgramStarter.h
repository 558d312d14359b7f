#pragma once

#include "platform/ProgramStarter.h"
#include "platform/linux/ChildProcesses.h"
#include "platform/linux/DesktopApplications.h"

#include <QObject>
#include <QStringList>

namespace rimo {

// Starts programs directly (posix_spawn, never a shell). An executable (an ELF
// file or a script with "#!" that may be executed) runs with the arguments.
// An application entry (".desktop") runs its Exec with the arguments as its
// options. A document, folder or URL goes to its default application (by the
// rules of mimeapps.list), whose Exec runs with the arguments as options and
// the item as its file. Every start runs in the given folder. Nothing that
// cannot start is left unsaid: no application, a missing program or folder.
// Start states are not passed on (see StartState).
class DesktopProgramStarter final : public QObject, public ProgramStarter {
    Q_OBJECT
public:
    // The applications of this session's environment.
    explicit DesktopProgramStarter(QObject* parent = nullptr);
    DesktopProgramStarter(XdgDirs dirs, QObject* parent);

    Launched Launch(const std::string& program, const std::vector<std::string>& arguments,
                    const std::string& folder, StartState state) override;

    // The programs started, with their pids and how each ended.
    ChildProcesses& Children() { return *children_; }

private:
    Launched OpenDocument(const QString& target, const QStringList& options, const QString& folder);
    Launched LaunchEntry(const DesktopEntry& entry, const QStringList& options,
                         const QStringList& files, const QString& folder);
    Launched Run(const QString& program, const QStringList& arguments, const QString& folder);

    DesktopApplications applications_;
    ChildProcesses* children_;
};

} // namespace rimo
