#include "schedule/ActionPlan.h"

#include <algorithm>
#include <string_view>

namespace rimo {

namespace {

bool HasQuote(const std::string& text) {
    return text.find('"') != std::string::npos;
}

// "ScreenSave", "壁紙変更" and "サウンド" take an empty argument or a quoted path.
bool QuotedOrEmpty(const std::string& text) {
    return text.empty() || HasQuote(text);
}

} // namespace

std::string UnquotedPath(const std::string& text) {
    std::string path = text;
    path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    return path;
}

std::string FileExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    return path.substr(dot);
}

std::string PowerSwitch(const std::string& action) {
    static constexpr std::pair<std::string_view, std::string_view> kSwitches[] = {
        {"ｼｬｯﾄﾀﾞｳﾝ", "/s"},   {"ログオフ", "/l"},  {"リブート", "/r"}, // stored
        {"スタンバイ", "/t"}, {"ﾊｲﾊﾞﾈｰｼｮﾝ", "/k"},                     // stored
    };
    for (const auto& [name, option] : kSwitches) {
        if (action == name) {
            return std::string(option);
        }
    }
    return {};
}

ActionPlan PlanAction(const ScheduleRow& row, const ScreenSaverTest& isScreenSaver) {
    const std::string& action = row[ColAction];
    const std::string& argument = row[ColArgument];
    ActionPlan plan;
    const auto accept = [&](ActionKind kind, std::string text) {
        plan.Kind = kind;
        plan.Advance = true;
        plan.Argument = std::move(text);
    };

    if (action == "警告音") { // stored
        accept(ActionKind::Beep, {});
    } else if (action == "メッセージ") { // stored
        accept(ActionKind::Message, argument);
    } else if (action == "起動") { // stored
        if (HasQuote(argument)) {
            accept(ActionKind::Start, argument);
        }
    } else if (action == "時刻合わせ") { // stored
        accept(ActionKind::SyncClock, {});
    } else if (action == "ScreenSave") {
        if (QuotedOrEmpty(argument)) {
            // Refreshing, waking and starting happen whatever the path; only a
            // screen saver (or nothing) moves the row and becomes the configured one.
            plan.Kind = ActionKind::ScreenSave;
            plan.Argument = UnquotedPath(argument);
            plan.SetScreenSaver =
                argument.empty() || (isScreenSaver && isScreenSaver(plan.Argument));
            plan.Advance = plan.SetScreenSaver;
        }
    } else if (action == "壁紙変更") { // stored
        if (QuotedOrEmpty(argument)) {
            accept(ActionKind::Wallpaper, UnquotedPath(argument));
        }
    } else if (action == "サウンド") { // stored
        if (QuotedOrEmpty(argument) && FileExtension(UnquotedPath(argument)) == ".wav") {
            accept(ActionKind::Sound, UnquotedPath(argument));
        }
    } else if (action == "ランチャー") { // stored
        accept(ActionKind::Launcher, argument);
    } else if (std::string option = PowerSwitch(action); !option.empty()) {
        accept(ActionKind::Power, std::move(option));
    }
    return plan;
}

} // namespace rimo
