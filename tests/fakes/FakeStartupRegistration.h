#pragma once

#include "platform/StartupRegistration.h"

#include <string>
#include <vector>

namespace rimo {

// A start-up registration held in memory; calls are recorded in order.
class FakeStartupRegistration final : public StartupRegistration {
public:
    bool Registered() const override { return Entry; }
    Status Register(const std::filesystem::path& executable) override {
        Calls.push_back("Register " + executable.string());
        if (!Failure.empty()) {
            return Status::Error(Failure);
        }
        Entry = true;
        return Status::Ok();
    }
    Status Unregister() override {
        Calls.push_back("Unregister");
        if (!Failure.empty()) {
            return Status::Error(Failure);
        }
        Entry = false;
        return Status::Ok();
    }

    bool Entry = false;
    std::string Failure; // non-empty: every change fails with it
    std::vector<std::string> Calls;
};

} // namespace rimo
