#include "SoundTestSupport.h"
#include "TrackerModuleSupport.h"
#include "framework/resources/BassMusicInterface.h"
#include "framework/resources/DSoundManager.h"
#include "framework/resources/FModMusicInterface.h"
#include "framework/resources/Mp3Sound.h"
#include "framework/resources/MusicSource.h"

#include <cmath>

namespace
{

using namespace soundtest;
using Quib::DecodedSound;

// The fixtures were encoded from 0.5 s of 22,050 Hz sines of amplitude 12,000
// starting at phase 0: "sines.mp3" has 1000 Hz on the left and 500 Hz on the
// right (64 kbit/s joint stereo), "sine-mono.mp3" 1000 Hz (variable bit rate).
constexpr uint32_t kRate = 22050;
constexpr size_t kFrames = kRate / 2;

double sine(double hertz, size_t frame)
{
    return 12000.0 * std::sin(2.0 * M_PI * hertz * double(frame) / kRate);
}

// Signal to noise of one channel of the decoded sound against its sine, in decibels.
double signalToNoise(const DecodedSound& sound, int channel, double hertz)
{
    const auto samples = samples16(sound.bytes);
    const size_t channels = sound.format.channels;
    double signal = 0;
    double noise = 0;
    for (size_t i = 0; i < samples.size() / channels; ++i)
    {
        const double wanted = sine(hertz, i);
        const double error = samples[i * channels + size_t(channel)] - wanted;
        signal += wanted * wanted;
        noise += error * error;
    }
    return 10.0 * std::log10(signal / std::max(noise, 1.0));
}

TEST(Mp3SoundTest, DecodesToTheSinesItWasMadeFrom)
{
    struct Case
    {
        const char* fixture;
        uint16_t channels;
        std::vector<double> hertz;
    };
    for (const Case& c : {Case{"sines.mp3", 2, {1000, 500}}, Case{"sine-mono.mp3", 1, {1000}}})
    {
        DecodedSound sound;
        std::string error;
        ASSERT_TRUE(Quib::ReadMp3Sound(memory(fixtureBytes(c.fixture)), c.fixture, sound, error)) << error;
        EXPECT_EQ(sound.format.channels, c.channels) << c.fixture;
        EXPECT_EQ(sound.format.samplesPerSecond, kRate) << c.fixture;
        EXPECT_EQ(sound.format.bitsPerSample, 16) << c.fixture;
        // The encoder's delay and padding are taken off: exactly the frames encoded.
        ASSERT_EQ(sound.bytes.size(), kFrames * 2 * c.channels) << c.fixture;
        for (size_t channel = 0; channel < c.hertz.size(); ++channel)
            EXPECT_GT(signalToNoise(sound, int(channel), c.hertz[channel]), 20.0)
                << c.fixture << " channel " << channel;
    }
}

TEST(Mp3SoundTest, RefusesWhatHoldsNoMpegAudio)
{
    const auto good = fixtureBytes("sines.mp3");
    const std::string text = "ID3 but nothing after it";
    struct Case
    {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"text", std::vector<uint8_t>(text.begin(), text.end())},
        {"zeros", std::vector<uint8_t>(4096, 0)},
        {"one header", std::vector<uint8_t>(good.begin(), good.begin() + 4)},
    };
    for (const Case& c : cases)
    {
        DecodedSound sound;
        std::string error;
        EXPECT_FALSE(Quib::ReadMp3Sound(memory(c.bytes), "bad.mp3", sound, error)) << c.what;
        EXPECT_EQ(error.rfind("bad.mp3: ", 0), 0u) << c.what << ": " << error;
    }

    struct Sniff
    {
        std::vector<uint8_t> bytes;
        bool mp3;
    };
    for (const Sniff& s :
         {Sniff{{'I', 'D', '3'}, true}, Sniff{{0xFF, 0xFB, 0x90}, true}, Sniff{{0xFF, 0xF3, 0x40}, true},
          Sniff{{0xFF, 0xFB, 0xF0}, false}, Sniff{{0xFF, 0xE9, 0x90}, false},
          Sniff{{0xFF, 0xF9, 0x90}, false}, Sniff{{'R', 'I', 'F'}, false}, Sniff{{0xFF, 0xFB}, false}})
        EXPECT_EQ(Quib::LooksLikeMp3(s.bytes.data(), s.bytes.size()), s.mp3)
            << int(s.bytes[0]) << " " << int(s.bytes[1]);
}

TEST(Mp3SoundTest, FmodSwitchLoadsAndCachesMp3Sounds)
{
    ScratchWorkingFolder folder;
    folder.copyFixture("sine-mono.mp3", "sounds/beep.mp3");
    platform::Mixer mixer;
    Quib::DSoundManager plain(&mixer);
    EXPECT_FALSE(plain.LoadSoundFile(1, "sounds\\beep")) << "MP3 sounds need the fmod switch";

    Quib::DSoundManager manager(&mixer, true);
    ASSERT_TRUE(manager.LoadSoundFile(1, "sounds\\beep")) << manager.GetLastError();
    const auto buffer = manager.GetSoundBuffer(1);
    EXPECT_EQ(buffer->format().samplesPerSecond, kRate);
    EXPECT_EQ(buffer->frames(), kFrames);
    const auto cache = platform::readFile((folder.path() / "cached/sounds/beep.wav").string());
    ASSERT_TRUE(cache.has_value());
    EXPECT_EQ(std::string(cache->begin() + 46, cache->begin() + 61), "sounds\\beep.mp3");

    // The cache serves a manager without the switch.
    ASSERT_TRUE(plain.LoadSoundFile(2, "sounds\\beep"));
    EXPECT_EQ(plain.GetSoundBuffer(2)->bytes(), buffer->bytes());
    EXPECT_FALSE(manager.LoadMp3File(3, "sounds\\missing.mp3"));
    EXPECT_NE(manager.GetLastError().find("sounds\\missing.mp3"), std::string::npos);
}

TEST(Mp3SoundTest, StreamsThroughTheFirstBackEnd)
{
    ScratchWorkingFolder folder;
    folder.copyFixture("sines.mp3", "Music/Sines.MP3");
    platform::Mixer mixer;
    Quib::BassMusicInterface music{&mixer};
    ASSERT_TRUE(music.LoadTrack(0, "Music\\Sines.MP3")) << music.GetLastError();
    EXPECT_FALSE(music.FindTrack(0)->module);

    const double rate = mixer.outputRate();
    auto renderSeconds = [&](double seconds)
    {
        std::vector<int16_t> out(size_t(seconds * rate) * 2);
        mixer.render(out.data(), out.size() / 2);
        return out;
    };
    music.PlayTrack(0, 0, true);
    const auto out = renderSeconds(0.4);
    EXPECT_NEAR(MeasureHertz(out.data(), out.size() / 2, 0, rate), 1000.0, 10.0);
    EXPECT_NEAR(MeasureHertz(out.data(), out.size() / 2, 1, rate), 500.0, 5.0);
    renderSeconds(0.2);
    EXPECT_FALSE(music.IsTrackPlaying(0)) << "played once: 0.5 s";

    // The start offset is a byte position in the decoded 16-bit stereo output.
    music.PlayTrack(0, int(kFrames / 2 * 4), true);
    renderSeconds(0.2);
    EXPECT_TRUE(music.IsTrackPlaying(0));
    renderSeconds(0.1);
    EXPECT_FALSE(music.IsTrackPlaying(0)) << "started halfway";

    music.PlayTrack(0, 0, false);
    renderSeconds(1.2);
    EXPECT_TRUE(music.IsTrackPlaying(0)) << "looping";

    const std::string text = "not MP3";
    ASSERT_TRUE(platform::writeFile((folder.path() / "Music/Text.mp3").string(), text.data(), text.size()));
    EXPECT_FALSE(music.LoadTrack(1, "Music\\Text.mp3"));
    EXPECT_NE(music.GetLastError().find("Music\\Text.mp3"), std::string::npos);
}

TEST(Mp3SoundTest, TheSecondBackEndDecodesMp3ByContentAndCachesIt)
{
    ScratchWorkingFolder folder;
    folder.copyFixture("sines.mp3", "Music/Intro.ogg");
    platform::Mixer mixer;
    Quib::FModMusicInterface music{&mixer};
    ASSERT_TRUE(music.LoadStreamedTrack(0, "Music\\Intro", false));
    const auto& sample = *music.FindTrack(0)->sample;
    EXPECT_EQ(sample.format().channels, 2);
    EXPECT_EQ(sample.frames(), kFrames);
    const auto cache = platform::readFile((folder.path() / "cached/Intro.wav").string());
    ASSERT_TRUE(cache.has_value());
    EXPECT_EQ(cache->size(), 44 + kFrames * 4);
}

} // namespace
