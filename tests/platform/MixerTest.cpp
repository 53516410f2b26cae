#include "platform/Mixer.h"

#include "platform/AudioLineVolume.h"
#include "platform/MusicStream.h"

#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

namespace
{

using platform::AudioBuffer;
using platform::AudioFormat;
using platform::Mixer;
using platform::MusicStream;
using platform::Voice;

// A mono 16-bit sound of `frames` frames all at `value`.
std::shared_ptr<const AudioBuffer> constantSound(size_t frames, int16_t value, uint32_t rate = 44100,
                                                 uint16_t channels = 1)
{
    AudioFormat format{channels, rate, 16};
    std::vector<uint8_t> bytes(frames * channels * 2);
    for (size_t i = 0; i < frames * channels; ++i)
    {
        bytes[2 * i] = uint8_t(uint16_t(value));
        bytes[2 * i + 1] = uint8_t(uint16_t(value) >> 8);
    }
    return std::make_shared<const AudioBuffer>(format, std::move(bytes));
}

// A mono 16-bit ramp 0, 1, 2, ... so positions can be read off the output.
std::shared_ptr<const AudioBuffer> rampSound(size_t frames, uint32_t rate = 44100)
{
    std::vector<uint8_t> bytes(frames * 2);
    for (size_t i = 0; i < frames; ++i)
    {
        bytes[2 * i] = uint8_t(i);
        bytes[2 * i + 1] = uint8_t(i >> 8);
    }
    return std::make_shared<const AudioBuffer>(AudioFormat{1, rate, 16}, std::move(bytes));
}

std::vector<int16_t> render(Mixer& mixer, size_t frames)
{
    std::vector<int16_t> out(frames * 2);
    mixer.render(out.data(), frames);
    return out;
}

TEST(MixerTest, AttenuationFollowsDecibelsWithSilenceAtTheFloor)
{
    struct Case
    {
        int hundredths;
        float gain;
    };
    for (const Case& c : {Case{0, 1.0f}, Case{-2000, 0.1f}, Case{-600, 0.501187f}, Case{-4000, 0.01f},
                          Case{-10000, 0.0f}, Case{-20000, 0.0f}, Case{500, 1.0f}})
        EXPECT_NEAR(platform::attenuationGain(c.hundredths), c.gain, 1e-5f) << c.hundredths;
}

TEST(MixerTest, PanAttenuatesTheOppositeSide)
{
    struct Case
    {
        int pan;
        float left, right;
    };
    for (const Case& c : {Case{0, 1, 1}, Case{2000, 0.1f, 1}, Case{-2000, 1, 0.1f}, Case{10000, 0, 1},
                          Case{11000, 0, 1}, Case{-11000, 1, 0}})
    {
        const auto gains = platform::panGains(c.pan);
        EXPECT_NEAR(gains.left, c.left, 1e-5f) << c.pan;
        EXPECT_NEAR(gains.right, c.right, 1e-5f) << c.pan;
    }
}

TEST(MixerTest, OneShotPlaysItsLengthThenStops)
{
    Mixer mixer;
    Voice voice(mixer, constantSound(100, 1000));
    voice.setAttenuation(-2000);
    voice.setPan(-2000);
    voice.play(false);
    const auto out = render(mixer, 150);
    for (size_t i = 0; i < 100; ++i)
    {
        ASSERT_EQ(out[2 * i], 100) << i;
        ASSERT_EQ(out[2 * i + 1], 10) << i;
    }
    for (size_t i = 100; i < 150; ++i)
        ASSERT_EQ(out[2 * i], 0) << i;
    EXPECT_FALSE(voice.isPlaying());
}

TEST(MixerTest, LoopWrapsToTheLoopStart)
{
    Mixer mixer;
    Voice voice(mixer, rampSound(10));
    voice.setLoopStart(6);
    voice.play(true);
    const auto out = render(mixer, 20);
    const int expected[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 6, 7, 8, 9, 6, 7, 8, 9, 6, 7};
    for (size_t i = 0; i < 20; ++i)
        EXPECT_EQ(out[2 * i], expected[i]) << i;
    EXPECT_TRUE(voice.isPlaying());
}

TEST(MixerTest, StopKeepsThePositionAndSetPositionRewinds)
{
    Mixer mixer;
    Voice voice(mixer, rampSound(100));
    voice.play(false);
    render(mixer, 10);
    voice.stop();
    EXPECT_EQ(render(mixer, 5)[0], 0);
    voice.play(false);
    EXPECT_EQ(render(mixer, 1)[0], 10);
    voice.setPosition(0);
    EXPECT_EQ(render(mixer, 1)[0], 0);
}

TEST(MixerTest, FrequencyResamplesWithInterpolation)
{
    Mixer mixer;
    Voice voice(mixer, rampSound(100, 22050));
    voice.play(false);
    auto out = render(mixer, 6);
    // Half the output rate: every other output frame lies between two samples.
    const int halfRate[] = {0, 0, 1, 1, 2, 2};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(out[2 * i], halfRate[i], 1) << i;
    voice.setPosition(0);
    voice.setFrequency(88200);
    out = render(mixer, 4);
    const int doubleRate[] = {0, 2, 4, 6};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(out[2 * i], doubleRate[i]) << i;
    EXPECT_EQ(voice.frequency(), 88200u);
}

TEST(MixerTest, EightBitStereoAndSharedBuffersMix)
{
    Mixer mixer;
    AudioFormat format{2, 44100, 8};
    auto buffer = std::make_shared<const AudioBuffer>(format, std::vector<uint8_t>{148, 28, 148, 28});
    Voice a(mixer, buffer);
    Voice b(mixer, buffer);
    a.play(false);
    b.play(false);
    const auto out = render(mixer, 2);
    EXPECT_EQ(out[0], 2 * 20 * 256);
    EXPECT_EQ(out[1], -32768); // clipped, not wrapped
}

TEST(MixerTest, WaveOutVolumeScalesEverything)
{
    Mixer mixer;
    Voice voice(mixer, constantSound(10, 20000));
    voice.play(true);
    platform::setWaveOutVolume(32768);
    const auto out = render(mixer, 1);
    platform::setWaveOutVolume(70000);
    EXPECT_EQ(platform::waveOutVolume(), 65535u);
    EXPECT_NEAR(out[0], 10000, 1);
}

TEST(MixerTest, StreamPlaysPausesResumesAndEnds)
{
    Mixer mixer;
    MusicStream stream(mixer, std::make_unique<platform::BufferPcmSource>(rampSound(20000)));
    EXPECT_EQ(stream.state(), MusicStream::State::Stopped);
    stream.play(true, false);
    auto out = render(mixer, 5000);
    EXPECT_EQ(out[2 * 4999], 4999);
    stream.pause();
    EXPECT_EQ(stream.state(), MusicStream::State::Paused);
    EXPECT_EQ(render(mixer, 10)[0], 0);
    stream.resume();
    out = render(mixer, 15000);
    EXPECT_EQ(out[0], 5000);
    EXPECT_EQ(out[2 * 14000], 19000);
    EXPECT_EQ(stream.state(), MusicStream::State::Stopped);
}

TEST(MixerTest, AStreamOfAnEmptySoundEndsAtOnce)
{
    Mixer mixer;
    MusicStream stream(mixer, std::make_unique<platform::BufferPcmSource>(constantSound(0, 0)));
    stream.play(true, true);
    EXPECT_EQ(render(mixer, 100), std::vector<int16_t>(200, 0));
    EXPECT_EQ(stream.state(), MusicStream::State::Stopped);
}

TEST(MixerTest, StreamLoopsVolumeAndSeek)
{
    Mixer mixer;
    MusicStream stream(mixer,
                       std::make_unique<platform::BufferPcmSource>(constantSound(3000, 8000, 44100, 2)));
    stream.setVolume(50);
    mixer.setStreamVolume(50);
    stream.play(true, true);
    const auto out = render(mixer, 10000);
    for (size_t i = 0; i < 10000; i += 997)
        EXPECT_EQ(out[2 * i], 2000) << i;
    EXPECT_EQ(stream.state(), MusicStream::State::Playing);

    MusicStream ramp(mixer, std::make_unique<platform::BufferPcmSource>(rampSound(10000)));
    stream.stop();
    ramp.setPosition(2 * 1234);
    ramp.play(false, false);
    EXPECT_EQ(render(mixer, 1)[0], 1234 / 2); // under the global stream volume of 50
}

TEST(MixerTest, VoicesComeAndGoWhileAnotherThreadRenders)
{
    Mixer mixer;
    std::atomic<bool> done{false};
    std::thread renderer(
        [&]
        {
            std::vector<int16_t> out(512 * 2);
            while (!done)
                mixer.render(out.data(), 512);
        });
    auto buffer = constantSound(500, 100);
    for (int i = 0; i < 2000; ++i)
    {
        Voice voice(mixer, buffer);
        voice.setAttenuation(-i % 3000);
        voice.play(i % 2 == 0);
    }
    done = true;
    renderer.join();
    EXPECT_EQ(render(mixer, 1)[0], 0);
}

} // namespace
