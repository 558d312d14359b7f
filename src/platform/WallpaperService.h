#pragma once

#include <functional>
#include <string>

namespace rimo {

// The desktop's wallpaper.
class WallpaperService {
public:
    // Hears, maybe later, why the wallpaper could not be set.
    using Report = std::function<void(const std::string& problem)>;

    virtual ~WallpaperService() = default;
    // Shows the picture on every desktop; an empty path removes the picture.
    // The desktop's answer is not waited for: a failure goes to `report`.
    virtual void SetWallpaper(const std::string& path, Report report) = 0;
};

} // namespace rimo
