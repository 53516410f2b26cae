#include "platform/AudioDevice.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

namespace
{

TEST(AudioDeviceTest, NoDeviceMeansSilenceNotFailure)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    platform::Mixer mixer;
    {
        platform::AudioDevice device(mixer);
        EXPECT_FALSE(device.isOpen());
        EXPECT_FALSE(device.error().empty());
    }
    std::vector<int16_t> out(8, 1);
    mixer.render(out.data(), 4);
    EXPECT_EQ(out, std::vector<int16_t>(8, 0));
}

TEST(AudioDeviceTest, DummyDriverOpensAndCloses)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    platform::Mixer mixer;
    for (int i = 0; i < 2; ++i)
    {
        platform::AudioDevice device(mixer);
        EXPECT_TRUE(device.isOpen()) << device.error();
    }
}

TEST(AudioDeviceTest, TheDeviceThreadDrivesTheMixer)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    platform::Mixer mixer;
    platform::AudioDevice device(mixer);
    ASSERT_TRUE(device.isOpen()) << device.error();
    auto sound = std::make_shared<const platform::AudioBuffer>(platform::AudioFormat{1, 44100, 16},
                                                               std::vector<uint8_t>(200, 0x10));
    platform::Voice voice(mixer, sound);
    voice.play(false);
    // However slowly the device thread gets to run, the one-shot ends once it has rendered it.
    while (voice.isPlaying())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace
