#pragma once

#include "platform/ProgramStarter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rimo {

// Records the programs it is asked to start; starts nothing, but gives each
// start a pid of its own (from NextPid on) as a real start would.
class FakeProgramStarter final : public ProgramStarter {
public:
    struct Start {
        std::string Program;
        std::vector<std::string> Arguments;
        std::string Folder;
        StartState State = StartState::Normal;
    };
    Launched Launch(const std::string& program, const std::vector<std::string>& arguments,
                    const std::string& folder, StartState state) override {
        Starts.push_back({program, arguments, folder, state});
        if (!Failure.empty()) {
            return {Status::Error(Failure), 0};
        }
        return {Status::Ok(), NextPid++};
    }

    std::vector<Start> Starts;
    std::string Failure; // when set, every start fails with it
    std::int64_t NextPid = 4000;
};

} // namespace rimo
