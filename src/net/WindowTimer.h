#pragma once

#include <QObject>

#include <functional>

class QTimer;

namespace rimo {

// The time-out timer of the socket client: one timer that runs while it is
// enabled, has a non-zero interval and a handler, and calls the handler on
// every expiry. Every change of a property re-arms it from that moment.
class TWindowTimer : public QObject {
    Q_OBJECT
public:
    explicit TWindowTimer(QObject* owner = nullptr);
    ~TWindowTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);
    void SetOnTimer(std::function<void()> handler);
    bool HasOnTimer() const { return static_cast<bool>(onTimer_); }
    // Whether the system timer currently runs.
    bool Running() const;

private:
    void UpdateTimer();
    void Tick();

    QTimer* timer_;
    bool enabled_ = true;
    unsigned interval_ = 1000;
    std::function<void()> onTimer_;
};

} // namespace rimo
