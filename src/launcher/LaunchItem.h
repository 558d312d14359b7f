#pragma once

#include <string>

namespace rimo {

// The window state a launch button starts its program in.
enum class TProgState { psNormal = 0, psMinimized = 1, psMaximized = 2 };

// What a launch button stands for: the seven properties that the page file,
// the clipboard and the property dialog carry.
struct LaunchItem {
    std::string Title;
    std::string Path; // empty: the button is unregistered
    std::string Dir;
    std::string Option;
    TProgState State = TProgState::psNormal;
    std::string IconPath;
    int IconNo = 0;

    bool Registered() const { return !Path.empty(); }
    bool operator==(const LaunchItem&) const = default;
};

} // namespace rimo
