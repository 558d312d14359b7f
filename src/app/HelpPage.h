#pragma once

#include "core/AppPaths.h"

#include <filesystem>
#include <optional>
#include <string>

namespace rimo {

// help.html beside the executable, opened from the tray menu.
struct HelpPage {
    // The page to open: the one beside the executable; when it is missing, the
    // built-in copy is written there, or into `runtimeFolder` when the
    // executable's folder cannot be written. nullopt (and *error) when neither
    // could be written.
    static std::optional<std::filesystem::path>
    Ensure(const AppPaths& paths, const std::filesystem::path& runtimeFolder, std::string* error);

    // $XDG_RUNTIME_DIR/RimoTimeInformation, else the same below the temporary folder.
    static std::filesystem::path RuntimeFolder();
};

} // namespace rimo
