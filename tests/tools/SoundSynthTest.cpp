#include "tools/contentgen/SoundSynth.h"

#include "framework/resources/WavReader.h"
#include "platform/AudioByteSource.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace
{

std::vector<int16_t> decode(const std::vector<uint8_t>& wav)
{
    platform::MemoryAudioSource source(wav);
    Quib::DecodedSound sound;
    std::string error;
    EXPECT_TRUE(Quib::ReadRiffWave(source, "synth.wav", nullptr, sound, error)) << error;
    EXPECT_EQ(sound.format.channels, 1);
    EXPECT_EQ(sound.format.bitsPerSample, 16);
    std::vector<int16_t> samples(sound.bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = int16_t(sound.bytes[2 * i] | (sound.bytes[2 * i + 1] << 8));
    return samples;
}

TEST(SoundSynthTest, EveryStyleDecodesAndIsAudible)
{
    for (const char* style :
         {"click", "tick", "chime", "pickup", "fanfare", "miss", "thud", "whoosh", "bang", "pour", "typing",
          "hum", "ambient", "ambient-rain", "ambient-fire", "ambient-clock", "ambient-night"})
    {
        ASSERT_TRUE(contentgen::knownSoundStyle(style)) << style;
        std::vector<int16_t> samples = decode(contentgen::synthesiseWav(style, 7));
        ASSERT_GT(samples.size(), 1000u) << style;
        int peak = 0;
        for (int16_t s : samples)
            peak = std::max(peak, std::abs(int(s)));
        EXPECT_GT(peak, 16000) << style;
        EXPECT_LE(peak, 32767 * 3 / 4) << style;
    }
    EXPECT_FALSE(contentgen::knownSoundStyle("sparkle"));
}

// A step where the loop wraps, or at the end of a one-shot, is heard as a click.
TEST(SoundSynthTest, LoopsWrapAndOneShotsEndWithoutAStep)
{
    for (const char* style : {"ambient", "ambient-rain", "ambient-fire", "ambient-clock", "ambient-night"})
    {
        std::vector<int16_t> loop = decode(contentgen::synthesiseWav(style, 3));
        double meanStep = 0;
        for (size_t i = 1; i < loop.size(); ++i)
            meanStep += std::abs(loop[i] - loop[i - 1]);
        meanStep /= double(loop.size() - 1);
        EXPECT_LE(std::abs(loop.front() - loop.back()), 4 * meanStep + 20) << style;
    }
    for (const char* style : {"click", "chime", "bang"})
    {
        std::vector<int16_t> samples = decode(contentgen::synthesiseWav(style, 3));
        EXPECT_LT(std::abs(int(samples.back())), 200) << style;
    }
}

TEST(SoundSynthTest, SameSeedSameBytesOtherSeedOtherSound)
{
    EXPECT_EQ(contentgen::synthesiseWav("pickup", 5), contentgen::synthesiseWav("pickup", 5));
    EXPECT_NE(contentgen::synthesiseWav("ambient", 5), contentgen::synthesiseWav("ambient", 6));
}

} // namespace
