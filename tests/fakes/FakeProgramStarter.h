#pragma once

#include "platform/ProgramStarter.h"

#include <string>
#include <vector>

namespace rimo {

// Records the programs it is asked to start; starts nothing.
class FakeProgramStarter final : public ProgramStarter {
public:
    struct Start {
        std::string Program;
        std::vector<std::string> Arguments;
        std::string Folder;
        StartState State = StartState::Normal;
    };
    using ProgramStarter::Open;
    Status Open(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& folder, StartState state) override {
        Starts.push_back({program, arguments, folder, state});
        return Failure.empty() ? Status::Ok() : Status::Error(Failure);
    }

    std::vector<Start> Starts;
    std::string Failure; // when set, every start fails with it
};

} // namespace rimo
