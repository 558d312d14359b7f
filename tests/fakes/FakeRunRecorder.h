#pragma once

#include "schedule/RunRecorder.h"

#include <vector>

namespace rimo {

// Keeps what it is told about runs and misses.
class FakeRunRecorder final : public RunRecorder {
public:
    struct Run {
        RunSubject Subject;
        std::optional<ActionResult> Result; // none until it ended
    };

    RunId Begin(const RunSubject& subject) override {
        Runs.push_back({subject, std::nullopt});
        return static_cast<RunId>(Runs.size());
    }
    void End(RunId run, const ActionResult& result) override { Runs.at(run - 1).Result = result; }
    void MissedInGap(std::vector<MissedRow> rows) override { Gaps.push_back(std::move(rows)); }
    void Ticked() override { ++Ticks; }

    std::vector<Run> Runs;
    std::vector<std::vector<MissedRow>> Gaps;
    int Ticks = 0;
};

} // namespace rimo
