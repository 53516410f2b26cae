#include "SoundTestSupport.h"
#include "TrackerModuleSupport.h"
#include "framework/resources/BassMusicInterface.h"
#include "framework/resources/FModMusicInterface.h"

#include <cmath>

namespace
{

using namespace soundtest;
using Quib::BassMusicInterface;
using Quib::FModMusicInterface;
using State = platform::MusicStream::State;

// Three orders of two rows each (0.24 s apiece), one note per order.
const TrackerSong kSong{{428, 214, 320}};
constexpr double kOrderSeconds = 0.24;

std::vector<int16_t> render(platform::Mixer& mixer, double seconds)
{
    const size_t frames = size_t(seconds * mixer.outputRate());
    std::vector<int16_t> out(frames * 2);
    mixer.render(out.data(), frames);
    return out;
}

// The pitch heard on each side in the order about to play, past the note's attack.
std::vector<double> heardHertz(platform::Mixer& mixer)
{
    const auto out = render(mixer, kOrderSeconds * 0.9);
    const size_t skip = mixer.outputRate() / 50;
    std::vector<double> sides;
    for (int channel : {0, 1})
        sides.push_back(
            MeasureHertz(out.data() + skip * 2, out.size() / 2 - skip, channel, mixer.outputRate()));
    return sides;
}

double rms(const std::vector<int16_t>& samples)
{
    double sum = 0;
    for (int16_t s : samples)
        sum += double(s) * s;
    return std::sqrt(sum / double(std::max<size_t>(samples.size(), 1)));
}

struct ModuleFixture : ::testing::Test
{
    ScratchWorkingFolder folder;
    platform::Mixer mixer;

    void SetUp() override { writeModule("Music/Song.mod", kSong); }

    void writeModule(const std::string& name, const TrackerSong& song)
    {
        const auto bytes = BuildTrackerModule(song);
        std::filesystem::create_directories((folder.path() / name).parent_path());
        ASSERT_TRUE(platform::writeFile((folder.path() / name).string(), bytes.data(), bytes.size()));
    }

    void expectOrderHeard(int order, const std::string& context)
    {
        const double expected = TrackerNoteHertz(kSong.periods[size_t(order)]);
        const auto sides = heardHertz(mixer);
        for (size_t channel = 0; channel < sides.size(); ++channel)
            EXPECT_NEAR(sides[channel], expected, expected * 0.03)
                << context << ", order " << order << ", channel " << channel;
    }
};

struct BassModuleFixture : ModuleFixture
{
    BassMusicInterface music{&mixer};

    void SetUp() override
    {
        ModuleFixture::SetUp();
        ASSERT_TRUE(music.LoadTrack(0, "Music\\Song.mod")) << music.GetLastError();
    }
    State state() { return music.FindTrack(0)->stream->state(); }
};

TEST_F(BassModuleFixture, PlaysFromTheOrderGiven)
{
    EXPECT_TRUE(music.FindTrack(0)->module);
    for (int order : {1, 0, 2})
    {
        music.PlayTrack(0, order, false);
        expectOrderHeard(order, "played");
    }
    // The song goes on through its orders.
    music.PlayTrack(0, 0, false);
    render(mixer, kOrderSeconds);
    expectOrderHeard(1, "after the first order");

    // A fade-in from an order starts there; without one it restarts the song.
    music.FadeInTrack(0, 2, 0.5, false);
    music.Update();
    music.Update();
    expectOrderHeard(2, "faded in");
    music.FadeInTrack(0, -1, 0.5, false);
    expectOrderHeard(0, "faded in without an order");
}

TEST_F(BassModuleFixture, StartOffsetsThatAreNoOrderKeepThePosition)
{
    music.PlayTrack(0, 1, false);
    render(mixer, kOrderSeconds * 0.2);
    music.StopTrack(0);
    // -1 and 65539 (order 3 in 16 bits) name no order of this song: it plays on where it stopped.
    for (int offset : {-1, 65539})
    {
        music.PlayTrack(0, offset, false);
        const auto out = render(mixer, kOrderSeconds * 0.3);
        EXPECT_NEAR(MeasureHertz(out.data(), out.size() / 2, 0, mixer.outputRate()), TrackerNoteHertz(214),
                    TrackerNoteHertz(214) * 0.05)
            << offset;
        music.StopTrack(0);
    }
    // 65537 is order 1 in 16 bits.
    music.PlayTrack(0, 65537, false);
    expectOrderHeard(1, "offset 65537");
}

TEST_F(BassModuleFixture, LoopsUnlessToldToPlayOnce)
{
    music.PlayTrack(0, 0, true);
    render(mixer, kOrderSeconds * 3.5);
    EXPECT_EQ(state(), State::Stopped) << "played once";
    EXPECT_FALSE(music.IsTrackPlaying(0));

    music.PlayTrack(0, 0, false);
    render(mixer, kOrderSeconds * 3 + 0.02);
    EXPECT_TRUE(music.IsTrackPlaying(0));
    expectOrderHeard(0, "looped back");

    // A module loads looping: a restart by fade-in keeps that.
    ASSERT_TRUE(music.LoadTrack(1, "Music\\Song.mod"));
    music.FadeInTrack(1, -1, 1.0, false);
    render(mixer, kOrderSeconds * 4);
    EXPECT_TRUE(music.IsTrackPlaying(1));
}

TEST_F(BassModuleFixture, AmplificationScalesModulesOnly)
{
    music.PlayTrack(0, 0, false);
    const double full = rms(render(mixer, kOrderSeconds * 0.5));
    ASSERT_GT(full, 1000.0);
    struct Case
    {
        double factor;
        double ratio;
    };
    for (const Case& c : {Case{0.5, 0.5}, Case{0.25, 0.25}, Case{1.0, 1.0}, Case{0.0, 0.0}})
    {
        music.SetTrackAmplification(0, c.factor);
        music.PlayTrack(0, 0, false);
        EXPECT_NEAR(rms(render(mixer, kOrderSeconds * 0.5)) / full, c.ratio, 0.02) << c.factor;
    }
    music.StopTrack(0);

    folder.copyFixture("stereo16.wav", "Music/Plain.wav");
    ASSERT_TRUE(music.LoadTrack(2, "Music\\Plain.wav"));
    music.PlayTrack(2, 0, false);
    const double stream = rms(render(mixer, 0.05));
    music.SetTrackAmplification(2, 0.25);
    music.PlayTrack(2, 0, false);
    EXPECT_DOUBLE_EQ(rms(render(mixer, 0.05)), stream) << "streams have no amplification";
    music.SetTrackAmplification(7, 0.5); // no such track
}

TEST_F(ModuleFixture, FilesThatAreNoModuleAreRefused)
{
    BassMusicInterface music{&mixer};
    const std::string text = "no tracker module in here\n";
    ASSERT_TRUE(platform::writeFile((folder.path() / "Music/Text.mod").string(), text.data(), text.size()));
    folder.copyFixture("stereo.ogg", "Music/Song.ogg2");
    for (const char* name : {"Music\\Text.mod", "Music\\Song.ogg2", "Music\\Missing.it"})
    {
        EXPECT_FALSE(music.LoadTrack(0, name)) << name;
        EXPECT_NE(music.GetLastError().find(name), std::string::npos) << music.GetLastError();
    }
    EXPECT_EQ(music.FindTrack(0), nullptr);
    // A module's name may lack an extension.
    writeModule("Music/Bare", kSong);
    EXPECT_TRUE(music.LoadTrack(1, "Music\\Bare")) << music.GetLastError();

    BassMusicInterface silent(nullptr);
    EXPECT_FALSE(silent.LoadTrack(0, "Music\\Song.mod"));
    FModMusicInterface silentFMod(nullptr);
    EXPECT_FALSE(silentFMod.LoadTrack(0, "Music\\Song.mod"));
}

struct FModModuleFixture : ModuleFixture
{
    FModMusicInterface music{&mixer};

    void SetUp() override
    {
        ModuleFixture::SetUp();
        ASSERT_TRUE(music.LoadTrack(3, "Music\\Song.mod"));
    }
    const platform::MusicStream& module() { return *music.FindTrack(3)->module; }
};

TEST_F(FModModuleFixture, PlaysFromAnOrderAtItsLevel)
{
    for (int order : {2, 0, 1})
    {
        music.PlayTrack(3, order, false);
        expectOrderHeard(order, "played");
    }
    music.PlayTrack(3, -1, false);
    expectOrderHeard(0, "no order given");

    music.SetMusicVolume(0.5);
    EXPECT_EQ(module().volume(), 50);
    music.SetTrackVolume(3, 0.5);
    EXPECT_EQ(module().volume(), 25);
    EXPECT_EQ(mixer.streamVolume(), 100) << "the level carries the music volume";

    const auto* first = &module();
    writeModule("Music/Other.mod", TrackerSong{{500}});
    EXPECT_TRUE(music.LoadTrack(3, "Music\\Other.mod"));
    EXPECT_EQ(&module(), first) << "an id in use keeps its first track";
    EXPECT_FALSE(music.LoadTrack(4, "Music\\Missing.mod"));
}

TEST_F(FModModuleFixture, FadesPausesAndStops)
{
    music.PlayTrack(3, 0, true);
    render(mixer, kOrderSeconds * 3.5);
    EXPECT_FALSE(music.IsTrackPlaying(3)) << "played once";

    // A fade-in starts a module that is not playing, and moves one that is to its order.
    music.StopTrack(3);
    music.FadeInTrack(3, -1, 0.25, false);
    EXPECT_TRUE(music.IsTrackPlaying(3));
    EXPECT_EQ(module().volume(), 0);
    music.Update();
    EXPECT_EQ(module().volume(), 25);
    music.FadeInTrack(3, 2, 0.25, false);
    expectOrderHeard(2, "faded in while playing");

    music.PauseTrack(3);
    EXPECT_EQ(module().state(), State::Paused);
    EXPECT_FALSE(music.IsTrackPlaying(3));
    music.ResumeTrack(3);
    EXPECT_TRUE(music.IsTrackPlaying(3));

    music.FadeOutTrack(3, true, 0.5);
    for (int i = 0; i < 3; ++i)
        music.Update();
    EXPECT_FALSE(music.IsTrackPlaying(3)) << "stopped when faded";
    music.ResumeTrack(3);
    EXPECT_FALSE(music.IsTrackPlaying(3)) << "resuming starts nothing that is not paused";

    music.PlayTrack(3, 0, false);
    music.StopAllTracks();
    EXPECT_EQ(music.FindTrack(3)->volume, 0.0);
    EXPECT_FALSE(music.IsTrackPlaying(3));
}

} // namespace
