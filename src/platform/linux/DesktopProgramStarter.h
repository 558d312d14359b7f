#pragma once

#include "platform/ProgramStarter.h"

#include <QObject>
#include <QStringList>

namespace rimo {

// Starts programs directly (QProcess, never a shell) and opens documents and
// folders with the desktop's default application (xdg-open; with parameters,
// the default application of the document's type through "gio launch").
class DesktopProgramStarter final : public QObject, public ProgramStarter {
    Q_OBJECT
public:
    explicit DesktopProgramStarter(QObject* parent = nullptr);

    Status Open(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& folder) override;

private:
    Status OpenDocument(const QString& path, const QStringList& arguments);
    void LaunchWithDefaultApplication(const QString& path, const QStringList& arguments);
};

} // namespace rimo
