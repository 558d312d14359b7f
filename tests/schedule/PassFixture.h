#pragma once

// The schedule pass on a bare table, recording the rows whose action runs.

#include "fakes/FakeScheduleEditing.h"
#include "schedule/SchedulePass.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace rimo {

// Friday 5 January 2024, 10:00:00.
inline const DateTime kTen = EncodeDate(2024, 1, 5) + EncodeTime(10, 0, 0);

// Records which rows (by title) ran, and whether each was a test.
class RecordingSteps final : public ActionSteps {
public:
    ActionPlan Plan(const ScheduleRow& row) override {
        planned.push_back(row[ColTitle]);
        return PlanAction(row, nullptr);
    }
    ActionResult CarryOut(const ActionPlan& plan) override {
        ran.push_back(planned.back());
        if (during) {
            during(plan);
        }
        return result;
    }
    std::vector<std::string> planned;
    std::vector<std::string> ran;
    std::function<void(const ActionPlan&)> during;
    ActionResult result; // what every action comes to
};

inline ScheduleRow Row(const std::string& title, const std::string& repeat, DateTime when,
                       const std::string& remove = "しない", const std::string& enabled = "○",
                       const std::string& action = "警告音") {
    return {title,  repeat, FormatScheduleDate(when), FormatScheduleTime(when), action, "",
            remove, enabled};
}

class PassTest : public ::testing::Test {
protected:
    PassTest() : editing_(table_), pass_(table_, editing_, steps_, testRequested_) {
        editing_.Now = kTen;
    }
    void Rows(std::vector<ScheduleRow> rows) { table_.ReplaceScheduleRows(std::move(rows)); }
    int Find(const std::string& title) const {
        for (int r = 1; r < table_.RowCount(); ++r) {
            if (table_.Cell(ColTitle, r) == title) {
                return r;
            }
        }
        return 0;
    }

    ScheduleTable table_;
    FakeScheduleEditing editing_;
    RecordingSteps steps_;
    bool testRequested_ = false;
    SchedulePass pass_;
};

} // namespace rimo
