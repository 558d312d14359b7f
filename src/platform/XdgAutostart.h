#pragma once

#include "platform/StartupRegistration.h"

#include <filesystem>
#include <optional>
#include <string>

namespace rimo {

// The XDG autostart entry "RimoTimeInformation.desktop" in a folder
// (the desktop's $XDG_CONFIG_HOME/autostart; tests give a temporary one).
class XdgAutostart final : public StartupRegistration {
public:
    explicit XdgAutostart(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // The desktop's autostart folder: $XDG_CONFIG_HOME/autostart, where a
    // relative value is ignored as the XDG rules say, else ~/.config/autostart;
    // empty when neither gives a folder (no home).
    static std::filesystem::path FolderFor(const std::string& xdgConfigHome,
                                           const std::string& home);

    std::filesystem::path EntryFile() const { return folder_ / "RimoTimeInformation.desktop"; }

    // True only when the entry surely exists.
    bool Registered() const override;
    // Written atomically, the folder made when missing. A folder that cannot
    // be looked into is reported, not taken for one that holds the entry.
    Status Register(const std::filesystem::path& executable) override;
    Status Unregister() override;

    // The entry's text: the executable as the command and its folder as the
    // working folder, escaped by the desktop entry rules. nullopt when the
    // path is not UTF-8 (a desktop entry cannot hold it).
    static std::optional<std::string> EntryText(const std::filesystem::path& executable);

private:
    std::filesystem::path folder_;
};

} // namespace rimo
