#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace rimo {

// Why the one-second tick woke.
enum class SecondWake {
    Second,       // the second it was armed for has begun
    ClockChanged, // the wall clock was set (or stepped, as at resume)
    Resumed,      // the machine woke from suspend
};

// The source of the one-second tick: wakes at the very start of a chosen
// wall-clock second, and at once, whatever it is armed for, when the clock
// is set or the machine resumes. Armed for one second at a time.
class SecondSource {
public:
    using Handler = std::function<void(SecondWake)>;
    virtual ~SecondSource() = default;

    void SetHandler(Handler handler) { handler_ = std::move(handler); }
    // Wakes once when the Unix second `unixSecond` begins (at once when it
    // has begun already); replaces the previous arming.
    virtual void ArmAt(std::int64_t unixSecond) = 0;
    // No wake at all until armed again.
    virtual void Disarm() = 0;

protected:
    void Wake(SecondWake why) {
        if (handler_) {
            handler_(why);
        }
    }

private:
    Handler handler_;
};

} // namespace rimo
