#pragma once

#include <string>

namespace rimo {

// The desktop's wallpaper.
class WallpaperService {
public:
    virtual ~WallpaperService() = default;
    // Shows the picture on every desktop; an empty path removes the picture.
    // The desktop's answer is not waited for.
    virtual void SetWallpaper(const std::string& path) = 0;
};

} // namespace rimo
