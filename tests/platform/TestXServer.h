#pragma once

#include <QProcess>

namespace rimo {

// An Xvfb server of the test's own, so that X settings of this machine's
// display are never touched. It picks a free display and tells it on its
// standard output.
class TestXServer {
public:
    TestXServer() {
        server_.setProgram(QStringLiteral("Xvfb"));
        server_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                              QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                              QStringLiteral("-screen"), QStringLiteral("0"),
                              QStringLiteral("320x240x24")});
        server_.start();
        if (server_.waitForStarted(5000)) {
            while (!server_.canReadLine() && server_.waitForReadyRead(10000)) {
            }
            const QByteArray number = server_.readLine().trimmed();
            if (!number.isEmpty()) {
                display_ = ":" + number;
            }
        }
    }
    ~TestXServer() {
        server_.terminate();
        server_.waitForFinished(5000);
    }
    TestXServer(const TestXServer&) = delete;
    TestXServer& operator=(const TestXServer&) = delete;

    bool Ready() const { return !display_.isEmpty(); }
    const QByteArray& Display() const { return display_; }

private:
    QProcess server_;
    QByteArray display_;
};

} // namespace rimo
