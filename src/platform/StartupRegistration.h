#pragma once

#include "core/Status.h"

#include <filesystem>

namespace rimo {

// Starting the program at login ("スタートアップ登録").
class StartupRegistration {
public:
    virtual ~StartupRegistration() = default;
    // Whether the entry exists (whoever wrote it).
    virtual bool Registered() const = 0;
    // Writes the entry that starts `executable` in its own folder; an
    // existing entry is left as it is.
    virtual Status Register(const std::filesystem::path& executable) = 0;
    // Removes the entry; none there is no error.
    virtual Status Unregister() = 0;
};

} // namespace rimo
