#pragma once

#include "platform/SoundService.h"

#include <string>
#include <vector>

namespace rimo {

// Records the sounds asked for.
class FakeSound final : public SoundService {
public:
    struct Wave {
        std::string Path;
        bool Loop = false;
    };
    void Beep() override { ++Beeps; }
    void PlayWave(const std::string& path, bool loop) override { Waves.push_back({path, loop}); }
    void StopWave() override { ++Stops; }

    int Beeps = 0;
    int Stops = 0;
    std::vector<Wave> Waves;
};

} // namespace rimo
