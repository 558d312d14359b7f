#pragma once

#include "platform/WallpaperService.h"

#include <string>
#include <vector>

namespace rimo {

// Records the wallpapers set.
class FakeWallpaper final : public WallpaperService {
public:
    void SetWallpaper(const std::string& path) override { Paths.push_back(path); }
    std::vector<std::string> Paths;
};

} // namespace rimo
