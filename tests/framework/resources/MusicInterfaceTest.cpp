#include "SoundTestSupport.h"
#include "framework/foundation/Paths.h"
#include "framework/resources/BassMusicInterface.h"
#include "framework/resources/FModMusicInterface.h"

#include <cmath>
#include <filesystem>

namespace
{

using namespace soundtest;
using Quib::BassMusicInterface;
using Quib::FModMusicInterface;
using State = platform::MusicStream::State;

struct BassFixture : ::testing::Test
{
    ScratchWorkingFolder folder;
    platform::Mixer mixer;
    BassMusicInterface music{&mixer};

    void SetUp() override
    {
        folder.copyFixture("stereo.ogg", "Music/Theme.ogg");
        folder.copyFixture("mono.ogg", "Music/Other.OGG");
        ASSERT_TRUE(music.LoadTrack(0, "Music\\Theme.ogg")) << music.GetLastError();
        ASSERT_TRUE(music.LoadTrack(1, "Music\\Other.OGG")) << music.GetLastError();
    }

    int channelVolume(int id) { return music.FindTrack(id)->stream->volume(); }
    double volume(int id) { return music.FindTrack(id)->volume; }
    State state(int id) { return music.FindTrack(id)->stream->state(); }

    // Updates until the track's fade ends; the count of updates it took.
    int updatesUntilFadeEnds(int id)
    {
        int count = 0;
        while (music.FindTrack(id)->fadeStep != 0 && count < 10000)
        {
            music.Update();
            ++count;
        }
        return count;
    }

    int peak(size_t frames)
    {
        std::vector<int16_t> out(frames * 2);
        mixer.render(out.data(), frames);
        int worst = 0;
        for (int16_t s : out)
            worst = std::max(worst, std::abs(int(s)));
        return worst;
    }
};

TEST_F(BassFixture, LoadingByExtension)
{
    folder.copyFixture("stereo.ogg", "Music/Song.ogg2");
    folder.copyFixture("stereo.ogg", "Music/Song");
    folder.copyFixture("stereo16.wav", "Music/Plain.wav");
    EXPECT_FALSE(music.LoadTrack(2, "Music\\Song.ogg2"))
        << "an Ogg file under a module's name is no tracker module";
    EXPECT_FALSE(music.LoadTrack(2, "Music\\Song"));
    EXPECT_FALSE(music.LoadTrack(2, "Music\\Missing.ogg"));
    EXPECT_NE(music.GetLastError().find("Music\\Missing.ogg"), std::string::npos);
    EXPECT_TRUE(music.LoadTrack(3, "Music\\Plain.wav")) << music.GetLastError();

    const auto* first = music.FindTrack(0);
    EXPECT_TRUE(music.LoadTrack(0, "Music\\Other.OGG"));
    EXPECT_EQ(music.FindTrack(0), first);
    EXPECT_EQ(first->stream->volume(), 0) << "loaded tracks start silent";

    BassMusicInterface silent(nullptr);
    EXPECT_FALSE(silent.LoadTrack(0, "Music\\Theme.ogg"));
    silent.PlayTrack(0, 0, false);
    EXPECT_FALSE(silent.IsTrackPlaying(0));
}

TEST_F(BassFixture, FadeStepsTakeTheirNumberOfUpdates)
{
    music.FadeInTrack(0, 0, 0.009, false);
    EXPECT_EQ(channelVolume(0), 0);
    EXPECT_TRUE(music.IsTrackPlaying(0));
    EXPECT_EQ(updatesUntilFadeEnds(0), 112);
    EXPECT_EQ(volume(0), 1.0);
    EXPECT_EQ(channelVolume(0), 100);

    struct Case
    {
        double step;
        int updates;
    };
    for (const Case& c : {Case{0.005, 200}, Case{0.01, 100}, Case{0.004, 250}})
    {
        music.PlayTrack(0, 0, false);
        music.FadeOutTrack(0, true, c.step);
        EXPECT_EQ(updatesUntilFadeEnds(0), c.updates) << c.step;
        EXPECT_EQ(volume(0), 0.0);
        EXPECT_EQ(state(0), State::Stopped) << "stopped when faded";
    }

    music.PlayTrack(0, 0, false);
    music.FadeOutTrack(0, false, 0.5);
    updatesUntilFadeEnds(0);
    EXPECT_EQ(state(0), State::Playing) << "silent but running";
}

TEST_F(BassFixture, FadeEdgeCases)
{
    // On a silent track a fade-out only records the stop flag...
    music.PlayTrack(1, 0, false);
    music.SetTrackVolume(1, 0.0);
    music.FadeOutTrack(1, true, 0.01);
    EXPECT_EQ(music.FindTrack(1)->fadeStep, 0.0);
    EXPECT_TRUE(music.FindTrack(1)->stopWhenFaded);
    music.Update();
    EXPECT_EQ(state(1), State::Playing);
    // ...while fading out all tracks stops it at the next update.
    music.FadeOutAllTracks(true, 0.01);
    music.Update();
    EXPECT_EQ(state(1), State::Stopped);

    // A fade-in on a track at full volume restarts it and ends at the next update.
    music.PlayTrack(0, 0, false);
    music.FadeInTrack(0, 0, 0.009, false);
    EXPECT_EQ(channelVolume(0), 100);
    EXPECT_EQ(updatesUntilFadeEnds(0), 1);

    // A fade goes on from a volume set in between.
    music.FadeInTrack(1, 0, 0.1, false);
    music.SetTrackVolume(1, 0.75);
    music.Update();
    EXPECT_DOUBLE_EQ(volume(1), 0.85);
}

TEST_F(BassFixture, VolumeLimit)
{
    music.PlayTrack(0, 0, false);
    music.SetTrackVolumeLimit(0, 0.4);
    EXPECT_EQ(volume(0), 0.4);
    EXPECT_EQ(channelVolume(0), 40);
    music.SetTrackVolumeLimit(0, 0.9);
    EXPECT_EQ(channelVolume(0), 40) << "nothing audible until the next play";
    music.PlayTrack(0, 0, false);
    EXPECT_EQ(channelVolume(0), 90);
    music.FadeInTrack(1, 0, 0.5, false);
    music.SetTrackVolumeLimit(1, 0.3);
    music.Update();
    EXPECT_EQ(volume(1), 0.3);
}

TEST_F(BassFixture, PauseResumeStopAndUnload)
{
    music.PlayTrack(0, 0, false);
    EXPECT_TRUE(music.IsTrackPlaying(0));
    EXPECT_FALSE(music.IsTrackPlaying(1));
    EXPECT_FALSE(music.IsTrackPlaying(9));

    music.PauseAllTracks();
    EXPECT_EQ(state(0), State::Paused);
    EXPECT_EQ(state(1), State::Stopped) << "only playing tracks pause";
    EXPECT_EQ(peak(256), 0);
    music.ResumeAllTracks();
    EXPECT_EQ(state(0), State::Playing);
    EXPECT_EQ(state(1), State::Stopped) << "only paused tracks resume";
    EXPECT_GT(peak(4096), 1000);

    music.PauseTrack(0);
    EXPECT_FALSE(music.IsTrackPlaying(0));
    music.ResumeTrack(0);
    EXPECT_TRUE(music.IsTrackPlaying(0));

    music.StopTrack(0);
    EXPECT_EQ(volume(0), 0.0);
    EXPECT_FALSE(music.IsTrackPlaying(0));
    music.UnloadTrack(0);
    EXPECT_EQ(music.FindTrack(0), nullptr);
    music.UnloadAllTracks();
    EXPECT_EQ(music.FindTrack(1), nullptr);
    for (int id : {0, 1, 5})
    {
        music.PlayTrack(id, 0, false);
        music.FadeOutTrack(id, true, 0.1);
        EXPECT_FALSE(music.IsTrackPlaying(id));
    }
}

TEST_F(BassFixture, PlaysOnceOrLoopsAndScalesWithMusicVolume)
{
    music.PlayTrack(1, 0, true); // 0.2 s, once
    EXPECT_GT(peak(2048), 1000);
    peak(44100);
    EXPECT_FALSE(music.IsTrackPlaying(1));

    music.PlayTrack(1, 0, false);
    peak(44100);
    EXPECT_TRUE(music.IsTrackPlaying(1)) << "looping";
    const int full = peak(8192);
    music.SetMusicVolume(0.5);
    EXPECT_EQ(mixer.streamVolume(), 50);
    EXPECT_NEAR(peak(8192), full / 2, full / 20);
    music.SetMusicVolume(0.0);
    EXPECT_EQ(peak(1024), 0);
}

struct FModFixture : ::testing::Test
{
    ScratchWorkingFolder folder;
    platform::Mixer mixer;
    FModMusicInterface music{&mixer};
};

TEST_F(FModFixture, OggTracksAreCachedAsPlainWaveFiles)
{
    folder.copyFixture("mono.ogg", "Music/Intro.ogg");
    ASSERT_TRUE(music.LoadStreamedTrack(0, "Music\\Intro", false));
    const auto cache = platform::readFile((folder.path() / "cached/Intro.wav").string());
    ASSERT_TRUE(cache.has_value());
    const auto raw = fixtureBytes("mono.ogg.raw");
    ASSERT_EQ(cache->size(), 44 + raw.size());
    EXPECT_EQ(std::string(cache->begin() + 36, cache->begin() + 40), "data");

    // The cache is used even after the source changed; deleting it forces a new decode.
    folder.copyFixture("stereo.ogg", "Music/Intro.ogg");
    ASSERT_TRUE(music.LoadStreamedTrack(1, "Music\\Intro", false));
    EXPECT_EQ(music.FindTrack(1)->sample->format().channels, 1);
    // Names that differ only in their folders share one cache file.
    ASSERT_TRUE(music.LoadStreamedTrack(2, "Elsewhere\\Intro", false));
    EXPECT_EQ(music.FindTrack(2)->sample->format().channels, 1);
    std::filesystem::remove(folder.path() / "cached/Intro.wav");
    ASSERT_TRUE(music.LoadStreamedTrack(3, "Music\\Intro", false));
    EXPECT_EQ(music.FindTrack(3)->sample->format().channels, 2);

    EXPECT_FALSE(music.LoadStreamedTrack(4, "Music\\Missing", false));
    EXPECT_FALSE(music.LoadTrack(5, "Music\\Intro.ogg")) << "an Ogg file is no tracker module";
}

// The cache belongs to the shared data folder, wherever the program runs from.
TEST_F(FModFixture, CacheGoesToTheSharedDataFolder)
{
    const std::filesystem::path shared = folder.path() / "shared";
    Quib::SetSharedDataFolder(shared.string());
    folder.copyFixture("mono.ogg", "Music/Theme.ogg");
    const bool loaded = music.LoadStreamedTrack(0, "Music\\Theme", false);
    Quib::SetSharedDataFolder("");
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(std::filesystem::exists(shared / "cached/Theme.wav"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "cached"));
}

TEST_F(FModFixture, PairsJoinAnIntroductionToALoop)
{
    folder.copyFixture("stereo.ogg", "a/Intro.ogg");
    folder.copyFixture("stereo.ogg", "a/Loop.ogg");
    folder.copyFixture("mono.ogg", "b/Mono.ogg");
    ASSERT_TRUE(music.LoadStreamedTrackPair(0, "a\\Intro", "a\\Loop", true));
    const auto* track = music.FindTrack(0);
    const size_t part = fixtureBytes("stereo.ogg.raw").size() / 4;
    EXPECT_EQ(track->sample->frames(), 2 * part);
    EXPECT_EQ(track->loopStart, part);
    EXPECT_FALSE(music.LoadStreamedTrackPair(1, "a\\Intro", "b\\Mono", true)) << "different layouts";
    EXPECT_FALSE(music.LoadStreamedTrackPair(1, "a\\Intro", "b\\None", true));
}

TEST_F(FModFixture, LevelsFadesAndChannels)
{
    folder.copyFixture("mono.ogg", "Music/Intro.ogg");
    ASSERT_TRUE(music.LoadStreamedTrack(4, "Music\\Intro", true));
    music.SetMusicVolume(0.5);
    music.PlayTrack(4, 0, false);
    const platform::Voice* channel = music.GetChannel(4);
    ASSERT_NE(channel, nullptr);
    EXPECT_TRUE(music.IsTrackPlaying(4));
    EXPECT_EQ(channel->gain(), 0.5f);

    music.FadeOutTrack(4, true, 0.25);
    for (int i = 0; i < 5; ++i)
        music.Update();
    EXPECT_EQ(music.FindTrack(4)->volume, 0.0);
    EXPECT_FALSE(music.IsTrackPlaying(4)) << "stopped when faded";

    music.FadeInTrack(4, -1, 0.5, false);
    EXPECT_TRUE(music.IsTrackPlaying(4));
    music.Update();
    EXPECT_EQ(music.GetChannel(4)->gain(), 0.25f);
    music.PauseTrack(4);
    EXPECT_FALSE(music.IsTrackPlaying(4));
    music.ResumeTrack(4);
    EXPECT_TRUE(music.IsTrackPlaying(4));
    music.StopAllTracks();
    EXPECT_FALSE(music.IsTrackPlaying(4));
}

} // namespace
