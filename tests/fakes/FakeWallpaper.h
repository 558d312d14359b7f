#pragma once

#include "platform/WallpaperService.h"

#include <string>
#include <vector>

namespace rimo {

// Records the wallpapers set; fails with `Failure` when that is not empty.
class FakeWallpaper final : public WallpaperService {
public:
    void SetWallpaper(const std::string& path, Report report) override {
        Paths.push_back(path);
        if (!Failure.empty() && report) {
            report(Failure);
        }
    }
    std::vector<std::string> Paths;
    std::string Failure;
};

} // namespace rimo
