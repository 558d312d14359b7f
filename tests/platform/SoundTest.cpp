#include "TempFolder.h"
#include "platform/linux/DesktopSound.h"

#include <QElapsedTimer>
#include <QSoundEffect>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>

namespace rimo {
namespace {

// A short 8-bit mono wave of silence.
std::string Wave() {
    const std::uint32_t samples = 800;
    auto le32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    auto le16 = [](std::uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    return "RIFF" + le32(36 + samples) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(8000) +
           le32(8000) + le16(1) + le16(8) + "data" + le32(samples) + std::string(samples, '\x80');
}

// Whatever the machine's sound (none here): never an error, never a hang.
class SoundTest : public ::testing::Test {
protected:
    void Settle() {
        QElapsedTimer timer;
        timer.start();
        while (sound_.Effect() && sound_.Effect()->status() == QSoundEffect::Loading &&
               timer.elapsed() < 5000) {
            QTest::qWait(20);
        }
    }
    TempFolder folder_;
    DesktopSound sound_;
};

TEST_F(SoundTest, PlaysLoopsReplacesAndStopsAWave) {
    TempFolder::Write(folder_ / "a.wav", Wave());
    sound_.PlayWave((folder_ / "a.wav").string(), true);
    ASSERT_NE(sound_.Effect(), nullptr);
    EXPECT_EQ(sound_.Effect()->loopCount(), QSoundEffect::Infinite);
    Settle();
    sound_.PlayWave((folder_ / "a.wav").string(), false);
    EXPECT_EQ(sound_.Effect()->loopCount(), 1);
    sound_.StopWave();
    EXPECT_EQ(sound_.Effect(), nullptr);
    sound_.StopWave(); // nothing playing: nothing happens
}

TEST_F(SoundTest, AFileThatIsNotAWaveIsSilence) {
    TempFolder::Write(folder_ / "text.wav", "this is not a wave file");
    sound_.PlayWave((folder_ / "text.wav").string(), false);
    Settle();
    ASSERT_NE(sound_.Effect(), nullptr);
    EXPECT_NE(sound_.Effect()->status(), QSoundEffect::Ready);
    sound_.PlayWave((folder_ / "missing.wav").string(), false);
    EXPECT_EQ(sound_.Effect(), nullptr);
    sound_.PlayWave(folder_.Path().string(), false); // a folder
    EXPECT_EQ(sound_.Effect(), nullptr);
}

TEST_F(SoundTest, TheBeepNeverFails) {
    for (int i = 0; i < 3; ++i) {
        sound_.Beep();
    }
    SUCCEED();
}

} // namespace
} // namespace rimo
