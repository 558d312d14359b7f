#pragma once

#include <string>

namespace rimo {

// The system's sounds. Without a sound device everything is silent; nothing
// here blocks or reports an error to the user.
class SoundService {
public:
    virtual ~SoundService() = default;
    // The desktop's warning beep.
    virtual void Beep() = 0;
    // Plays a wave file asynchronously, replacing any sound playing; looping
    // until stopped when `loop` is set. A file that cannot be played is silence.
    virtual void PlayWave(const std::string& path, bool loop) = 0;
    // Stops any wave playing.
    virtual void StopWave() = 0;
};

} // namespace rimo
