#include "platform/AudioDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>

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

} // namespace
