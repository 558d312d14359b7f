#pragma once

#include "core/AppPaths.h"

#include <filesystem>
#include <optional>
#include <string>

namespace rimo {

// help.html beside the executable, opened from the tray menu.
struct HelpPage {
    // The page to open: the one beside the executable, else an installed
    // copy's page under share/doc; when both are missing, the built-in copy is
    // written beside a portable copy, else (or when that fails) into
    // `runtimeFolder`. nullopt (and *error) when it could not be written.
    static std::optional<std::filesystem::path>
    Ensure(const AppPaths& paths, const std::filesystem::path& runtimeFolder, std::string* error);

    // RimoTimeInformation in this user's private run-time folder (empty when
    // there is none).
    static std::filesystem::path RuntimeFolder();
};

} // namespace rimo
