#pragma once

#include "platform/SoundService.h"

#include <QObject>

#include <memory>

class QSoundEffect;
struct ca_context;

namespace rimo {

// Sounds through the desktop: the beep is the sound theme's "dialog-warning"
// (libcanberra), else the X server's bell; waves play through Qt Multimedia.
// Without a sound device all of it is silent.
class DesktopSound final : public QObject, public SoundService {
    Q_OBJECT
public:
    explicit DesktopSound(QObject* parent = nullptr);
    ~DesktopSound() override;

    void Beep() override;
    void PlayWave(const std::string& path, bool loop) override;
    void StopWave() override;

    // The wave playing (for tests), or nullptr.
    QSoundEffect* Effect() const { return effect_; }

private:
    bool CanberraBeep();
    void BellBeep();

    ca_context* canberra_ = nullptr;
    bool canberraTried_ = false;
    bool reported_ = false;
    QSoundEffect* effect_ = nullptr;
};

} // namespace rimo
