#pragma once

// A Wayland compositor of the tests' own, headless, on a socket in a private
// runtime folder: weston (its headless backend), mutter (--headless with a
// virtual monitor, its window log on) or sway (wlroots' headless backend). Started before the application object,
// so that Qt's Wayland platform connects to it.

#include <filesystem>
#include <string>

namespace rimo::test {

class Compositor {
public:
    // "weston", "mutter" or "sway". On failure Ready() is false and Problem() says why.
    explicit Compositor(std::string kind);
    ~Compositor();
    Compositor(const Compositor&) = delete;
    Compositor& operator=(const Compositor&) = delete;

    bool Ready() const { return problem_.empty(); }
    const std::string& Problem() const { return problem_; }
    const std::string& Kind() const { return kind_; }
    // Everything the compositor wrote (mutter: its window log).
    std::string Log() const;
    // sway only: what swaymsg answers to these arguments (shell words).
    std::string SwayMessage(const std::string& arguments) const;

    // The one compositor of this test program.
    static Compositor*& Current();

private:
    std::string kind_;
    std::filesystem::path runtime_;
    std::filesystem::path log_;
    int group_ = 0;
    std::string problem_;
};

} // namespace rimo::test
