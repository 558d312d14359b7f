#pragma once

#include "TempFolder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <sstream>
#include <string>
#include <vector>

namespace rimo {

// Stand-ins for desktop tools (gsettings, xdg-open, ...), first on PATH while
// this lives. Each writes its name and arguments, one per line, as one entry
// of a shared log, and may print a prepared answer.
class FakeTools {
public:
    // Ends each call in the log (never an argument: "--" may well be one).
    static constexpr const char* kEnd = "--end-of-call--";

    // First: before the rest of PATH. Only: nothing else is found, so no
    // real tool of this machine can run by mistake (the fakes need no other).
    enum class OnPath { First, Only };

    explicit FakeTools(OnPath onPath = OnPath::Only) : oldPath_(qgetenv("PATH")) {
        const QByteArray own = QByteArray::fromStdString(folder_.Path().string());
        qputenv("PATH", onPath == OnPath::Only ? own : own + ":" + oldPath_);
    }
    ~FakeTools() { qputenv("PATH", oldPath_); }
    FakeTools(const FakeTools&) = delete;
    FakeTools& operator=(const FakeTools&) = delete;

    // A tool that logs its call and prints `answer`.
    void Add(const std::string& name, const std::string& answer = {}) {
        const auto script = folder_ / name;
        // One write per call, so that calls of tools running at once never mix.
        TempFolder::Write(script, "#!/bin/sh\n"
                                  "entry='" +
                                      name +
                                      "\n'\n"
                                      "for a in \"$@\"; do entry=\"$entry$a\n\"; done\n"
                                      "printf '%s" + std::string(kEnd) + "\\n' \"$entry\" >> '" +
                                      Log().string() +
                                      "'\n"
                                      "printf '%s' '" +
                                      answer + "'\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    }

    std::filesystem::path Log() const { return folder_ / "calls.log"; }

    // The calls so far, each as its name followed by its arguments.
    std::vector<std::vector<std::string>> Calls() const { return CallsIn(Log()); }
    // The entries of a log in this form: lines, each entry ended by kEnd.
    static std::vector<std::vector<std::string>> CallsIn(const std::filesystem::path& log) {
        std::vector<std::vector<std::string>> calls;
        std::istringstream lines(TempFolder::Read(log));
        std::vector<std::string> call;
        for (std::string line; std::getline(lines, line);) {
            if (line == kEnd) {
                calls.push_back(call);
                call.clear();
            } else {
                call.push_back(line);
            }
        }
        return calls;
    }

    // Waits (with the event loop running) until `count` calls are logged.
    std::vector<std::vector<std::string>> WaitForCalls(std::size_t count, int ms = 10000) const {
        QElapsedTimer timer;
        timer.start();
        while (Calls().size() < count && timer.elapsed() < ms) {
            QCoreApplication::processEvents();
            QThread::msleep(20);
        }
        return Calls();
    }

private:
    TempFolder folder_;
    QByteArray oldPath_;
};

} // namespace rimo
