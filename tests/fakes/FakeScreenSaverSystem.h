#pragma once

#include "platform/ScreenSaverSystem.h"

#include <string>
#include <vector>

namespace rimo {

// A screen saver system held in memory; every call is recorded in order.
class FakeScreenSaverSystem final : public ScreenSaverSystem {
public:
    std::optional<int> TimeOut() override {
        Calls.push_back("TimeOut");
        return Known ? std::optional<int>(TimeOutSeconds) : std::nullopt;
    }
    std::optional<bool> Active() override {
        Calls.push_back("Active");
        return Known ? std::optional<bool>(IsActive) : std::nullopt;
    }
    void SetTimeOut(int seconds) override {
        Calls.push_back("SetTimeOut " + std::to_string(seconds));
        TimeOutSeconds = seconds;
    }
    void SetActive(bool active) override {
        Calls.push_back(active ? "SetActive 1" : "SetActive 0");
        IsActive = active;
    }
    void Activate(Report report) override {
        Calls.push_back("Activate");
        if (!CanStart && report) {
            report("no screen saver here");
        }
    }
    void Wake() override { Calls.push_back("Wake"); }
    void SelectProgram(const std::string& path) override {
        Calls.push_back("SelectProgram " + path);
        Selected = path;
    }

    bool Known = true;    // false: no system to ask (no X server)
    bool CanStart = true; // false: starting is reported as impossible
    int TimeOutSeconds = 600;
    bool IsActive = true;
    std::string Selected;
    std::vector<std::string> Calls;
};

} // namespace rimo
