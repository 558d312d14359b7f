#pragma once

#include <QObject>

class QSocketNotifier;

namespace rimo {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop, so the
// program can write its files before it ends (log-out, system shutdown, kill).
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Catches the signals from now on; they are delivered once an instance
    // exists and the event loop runs. Call it first thing in main(), so that
    // a signal during start-up is not lost.
    static void Install();

    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void Received(int signalNumber);

private:
    void ReadSignal();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace rimo
