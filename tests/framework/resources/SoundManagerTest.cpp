#include "SoundTestSupport.h"
#include "framework/files/PakArchiveWriter.h"
#include "framework/files/PakInterface.h"
#include "framework/resources/DSoundManager.h"
#include "framework/resources/SoundPlayer.h"
#include "platform/Clock.h"

#include <atomic>
#include <filesystem>
#include <limits>
#include <thread>

namespace
{

using namespace soundtest;
using Quib::DSoundInstance;
using Quib::DSoundManager;
using Quib::SoundInstance;

// A manager over a mixer without a device: tests render by hand.
struct ManagerFixture : ::testing::Test
{
    platform::FakeClock clock{5'000'000};
    platform::ScopedClock scopedClock{clock};
    platform::Mixer mixer;
    DSoundManager manager{&mixer};

    // Loads `frames` frames of a 44,100 Hz mono 16-bit sound into an id.
    void loadShortSound(int id, size_t frames = 100)
    {
        std::vector<uint8_t> wav;
        auto put = [&](const char* tag)
        {
            for (int i = 0; i < 4; ++i)
                wav.push_back(uint8_t(tag[i]));
        };
        auto put32 = [&](uint32_t v)
        {
            for (int i = 0; i < 4; ++i)
                wav.push_back(uint8_t(v >> (8 * i)));
        };
        put("RIFF");
        put32(0);
        put("WAVE");
        put("fmt ");
        put32(16);
        put32(1 | 1 << 16);
        put32(44100);
        put32(88200);
        put32(2 | 16 << 16);
        put("data");
        put32(uint32_t(frames * 2));
        wav.resize(wav.size() + frames * 2, 0x10);
        const std::string path = std::filesystem::temp_directory_path() /
                                 ("orvellan-short-" + std::to_string(::getpid()) + ".wav");
        ASSERT_TRUE(platform::writeFile(path, wav.data(), wav.size()));
        ASSERT_TRUE(manager.LoadWavFile(id, path)) << manager.GetLastError();
        std::filesystem::remove(path);
    }

    void render(size_t frames)
    {
        std::vector<int16_t> out(frames * 2);
        mixer.render(out.data(), frames);
    }
};

const platform::Voice& voiceOf(SoundInstance* instance)
{
    const platform::Voice* voice = static_cast<DSoundInstance*>(instance)->GetVoice();
    EXPECT_NE(voice, nullptr);
    return *voice;
}

TEST(SoundVolumeTest, VolumeToDecibels)
{
    struct Case
    {
        double volume;
        int hundredths;
    };
    for (const Case& c :
         {Case{1.0, 0}, Case{0.85, -146}, Case{0.5, -605}, Case{0.25, -1138}, Case{0.1, -1682},
          Case{0.0431, -2000}, Case{0.043, -10000}, Case{0.0, -10000}, Case{2.0, 650}})
        EXPECT_EQ(DSoundManager::VolumeToDecibels(c.volume), c.hundredths) << c.volume;
}

// Volumes whose logarithm does not exist are silent instead of a NaN or an
// infinity cast to int; a huge volume stays within the int range.
TEST(SoundVolumeTest, VolumesWithoutALogarithmAreSilent)
{
    for (double volume : {-1.0 / 9.0, -0.5, -1e300, -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(DSoundManager::VolumeToDecibels(volume), -10000) << volume;
    EXPECT_EQ(DSoundManager::VolumeToDecibels(std::numeric_limits<double>::infinity()),
              std::numeric_limits<int>::max());
}

TEST_F(ManagerFixture, InstanceVolumePanAndPitchReachTheVoice)
{
    loadShortSound(3);
    ASSERT_TRUE(manager.SetSoundBasePan(3, 2000));
    SoundInstance* instance = manager.CreateInstance(3);
    ASSERT_NE(instance, nullptr);
    const platform::Voice& voice = voiceOf(instance);

    instance->SetPan(9000);
    EXPECT_EQ(voice.pan(), 11000);
    instance->SetVolume(0.5);
    EXPECT_EQ(voice.attenuation(), -605);
    EXPECT_EQ(instance->GetVolume(), 0.5);
    manager.SetEffectsVolume(0.0);
    EXPECT_EQ(voice.attenuation(), -10000);
    manager.SetEffectsVolume(1.0);

    struct Pitch
    {
        double semitones;
        uint32_t hz;
    };
    for (const Pitch& p :
         {Pitch{12, 88200}, Pitch{-60, 1378}, Pitch{24, 100000}, Pitch{-120, 100}, Pitch{0, 44100}})
    {
        instance->ShiftPitch(p.semitones);
        EXPECT_EQ(voice.frequency(), p.hz) << p.semitones;
    }
}

TEST_F(ManagerFixture, BaseVolumeReachesOnlyLaterInstances)
{
    loadShortSound(0);
    SoundInstance* before = manager.CreateInstance(0);
    ASSERT_TRUE(manager.SetSoundBaseVolume(0, 0.5));
    SoundInstance* after = manager.CreateInstance(0);
    EXPECT_EQ(voiceOf(before).attenuation(), 0);
    EXPECT_EQ(voiceOf(after).attenuation(), -605);
    EXPECT_EQ(after->GetVolume(), 1.0);
}

TEST_F(ManagerFixture, IdsOutOfRangeAreRefused)
{
    for (int id : {-1, 256, 1000})
    {
        EXPECT_EQ(manager.CreateInstance(id), nullptr) << id;
        EXPECT_FALSE(manager.SetSoundBaseVolume(id, 0.2)) << id;
        EXPECT_FALSE(manager.SetSoundBasePan(id, 100)) << id;
        EXPECT_FALSE(manager.LoadSoundFile(id, "anything")) << id;
        manager.UnloadSound(id);
    }
    EXPECT_EQ(manager.CreateInstance(5), nullptr) << "an id without a sound";
}

TEST_F(ManagerFixture, OneShotLivesUntilItsEndThenFreesItsSlot)
{
    loadShortSound(1, 100);
    std::vector<SoundInstance*> instances;
    for (int i = 0; i < DSoundManager::kInstanceSlots; ++i)
    {
        instances.push_back(manager.CreateInstance(1));
        ASSERT_NE(instances.back(), nullptr) << i;
    }
    EXPECT_EQ(manager.CreateInstance(1), nullptr) << "a 33rd live instance";

    instances[7]->Play(false, true);
    instances[4]->Play(false, true);
    EXPECT_TRUE(instances[7]->IsPlaying());
    EXPECT_FALSE(instances[7]->IsDiscarded()) << "still playing";
    EXPECT_EQ(manager.CreateInstance(1), nullptr);

    render(200);
    EXPECT_FALSE(instances[7]->IsPlaying());
    // Both finished one-shots give up their slots when the scan reaches them, and no others do.
    EXPECT_NE(manager.CreateInstance(1), nullptr);
    EXPECT_NE(manager.CreateInstance(1), nullptr);
    EXPECT_EQ(manager.CreateInstance(1), nullptr);
}

TEST_F(ManagerFixture, StopAndStopAllKeepTheirOwnAutoReleaseRules)
{
    loadShortSound(1, 100000);
    SoundInstance* stopped = manager.CreateInstance(1);
    SoundInstance* swept = manager.CreateInstance(1);
    stopped->Play(false, true);
    swept->Play(false, true);

    stopped->Stop(); // clears auto-release: the owner keeps it
    EXPECT_FALSE(stopped->IsDiscarded());

    swept->Play(false, true);
    manager.StopAllInstances(); // keeps auto-release: swept later
    EXPECT_FALSE(swept->IsPlaying());
    EXPECT_TRUE(swept->IsDiscarded());
    EXPECT_FALSE(stopped->IsDiscarded());
}

TEST_F(ManagerFixture, PlayRestartsFromTheBeginningAndLoops)
{
    loadShortSound(2, 50);
    SoundInstance* instance = manager.CreateInstance(2);
    EXPECT_FALSE(instance->IsPlaying()) << "never played";
    EXPECT_TRUE(instance->Play(true, false));
    render(500);
    EXPECT_TRUE(instance->IsPlaying());
    instance->Discard();
    EXPECT_FALSE(instance->IsPlaying());
    EXPECT_TRUE(instance->IsDiscarded());
}

TEST_F(ManagerFixture, SweepRunsOncePerSecondOfTicks)
{
    loadShortSound(1, 10);
    std::vector<SoundInstance*> instances;
    for (int i = 0; i < 4; ++i)
        instances.push_back(manager.CreateInstance(1)); // the first of these ran the sweep
    for (int i = 1; i < 4; ++i)
        instances[i]->Play(false, true);
    render(20);
    // Every live voice holds the decoded buffer, so its use count tells how many instances exist.
    const auto buffer = manager.GetSoundBuffer(1);
    const auto liveInstances = [&] { return buffer.use_count() - 2; }; // less the table and this copy

    clock.advance(500);
    ASSERT_NE(manager.CreateInstance(1), nullptr);
    EXPECT_EQ(liveInstances(), 4) << "only the scan reclaimed a slot, the first finished one";

    clock.advance(600);
    ASSERT_NE(manager.CreateInstance(1), nullptr);
    EXPECT_EQ(liveInstances(), 3) << "the sweep deleted both remaining finished one-shots";
}

TEST_F(ManagerFixture, ReleaseAllInstancesAndDestructionDeleteEveryInstance)
{
    loadShortSound(1, 1000);
    const auto buffer = manager.GetSoundBuffer(1);
    for (int i = 0; i < DSoundManager::kInstanceSlots; ++i)
        manager.CreateInstance(1)->Play(true, false);
    EXPECT_EQ(buffer.use_count(), 2 + DSoundManager::kInstanceSlots);
    manager.ReleaseAllInstances();
    EXPECT_EQ(buffer.use_count(), 2);
    std::vector<int16_t> out(2);
    mixer.render(out.data(), 1);
    EXPECT_EQ(out[0], 0) << "nothing plays any more";

    std::shared_ptr<const platform::AudioBuffer> held;
    {
        DSoundManager local(&mixer);
        ASSERT_TRUE(local.LoadWavFile(0, fixture("stereo16.wav")));
        held = local.GetSoundBuffer(0);
        local.CreateInstance(0)->Play(true, false);
        local.CreateInstance(0);
        EXPECT_EQ(held.use_count(), 4);
    }
    EXPECT_EQ(held.use_count(), 1) << "the manager let go of its sounds and instances";
}

TEST_F(ManagerFixture, IdTables)
{
    loadShortSound(0);
    loadShortSound(2);
    EXPECT_EQ(manager.FindFreeSoundId(), 1);
    EXPECT_EQ(manager.CountLoadedSounds(), 2);
    EXPECT_EQ(manager.GetSoundSize(2), 200u);
    manager.UnloadSound(0);
    EXPECT_EQ(manager.FindFreeSoundId(), 0);
    EXPECT_EQ(manager.CountLoadedSounds(), 1);
}

TEST(SoundManagerTest, WithoutOutputEverythingIsSilentButWorks)
{
    DSoundManager manager(nullptr);
    EXPECT_FALSE(manager.IsReady());
    EXPECT_TRUE(manager.LoadSoundFile(4, "no-such-sound"));
    EXPECT_EQ(manager.CountLoadedSounds(), 0);
    for (int id : {0, 4, 255})
    {
        SoundInstance* instance = manager.CreateInstance(id);
        ASSERT_NE(instance, nullptr) << id;
        EXPECT_EQ(static_cast<DSoundInstance*>(instance)->GetVoice(), nullptr);
        instance->SetVolume(0.3);
        instance->ShiftPitch(3);
        EXPECT_FALSE(instance->Play(false, true));
        EXPECT_FALSE(instance->IsPlaying());
        EXPECT_EQ(instance->GetVolume(), 0.3);
    }
    // Every id is free, so loading by name always picks the highest.
    EXPECT_EQ(manager.LoadSoundByName("a"), 255);
}

TEST(SoundManagerTest, MixerVolumeIsTheWaveOutLine)
{
    DSoundManager manager(nullptr);
    manager.SetMixerVolume(0.5);
    EXPECT_NEAR(manager.GetMixerVolume(), 32767 / 65535.0, 1e-9);
    manager.SetMixerVolume(1.0);
    EXPECT_EQ(manager.GetMixerVolume(), 1.0);
}

struct LoadingFixture : ManagerFixture
{
    ScratchWorkingFolder folder;

    std::vector<uint8_t> cacheBytes(const std::string& name)
    {
        return platform::readFile((folder.path() / "cached" / (name + ".wav")).string())
            .value_or(std::vector<uint8_t>{});
    }
};

TEST_F(LoadingFixture, DecodedSoundsAreCachedAndTheCacheIsTrusted)
{
    folder.copyFixture("mono.ogg", "sounds/tone.ogg");
    folder.copyFixture("mulaw.au", "sounds/beep.au");
    folder.copyFixture("stereo16.wav", "sounds/plain.wav");

    ASSERT_TRUE(manager.LoadSoundFile(10, "sounds\\tone")) << manager.GetLastError();
    ASSERT_TRUE(manager.LoadSoundFile(11, "sounds/beep")) << manager.GetLastError();
    ASSERT_TRUE(manager.LoadSoundFile(12, "sounds/plain")) << manager.GetLastError();
    const auto decoded = manager.GetSoundBuffer(10)->bytes();
    EXPECT_EQ(decoded.size(), fixtureBytes("mono.ogg.raw").size());

    const auto cache = cacheBytes("sounds/tone");
    ASSERT_EQ(cache.size(), 71 + std::string("sounds\\tone.ogg").size() + decoded.size());
    EXPECT_EQ(std::string(cache.begin() + 46, cache.begin() + 61), "sounds\\tone.ogg");
    EXPECT_FALSE(cacheBytes("sounds/beep").empty());
    EXPECT_TRUE(cacheBytes("sounds/plain").empty()) << "plain WAV files are not cached";

    // A second manager reads the cache: proven by a changed sample in it.
    auto altered = cache;
    altered[71 + 15] ^= 0x01;
    ASSERT_TRUE(platform::writeFile((folder.path() / "cached/sounds/tone.wav").string(), altered.data(),
                                    altered.size()));
    DSoundManager second(&mixer);
    ASSERT_TRUE(second.LoadSoundFile(0, "sounds\\tone"));
    EXPECT_EQ(second.GetSoundBuffer(0)->bytes()[0], decoded[0] ^ 0x01);
}

TEST_F(LoadingFixture, AChangedSourceMakesTheCacheStale)
{
    folder.copyFixture("mono.ogg", "sounds/tone.ogg");
    ASSERT_TRUE(manager.LoadSoundFile(10, "sounds/tone"));
    const auto decoded = manager.GetSoundBuffer(10)->bytes();
    auto cache = cacheBytes("sounds/tone");
    cache[71 + 15] ^= 0x01; // a first sample that only a trusted cache would carry through
    platform::writeFile((folder.path() / "cached/sounds/tone.wav").string(), cache.data(), cache.size());

    const auto source = folder.path() / "sounds/tone.ogg";
    std::filesystem::last_write_time(source,
                                     std::filesystem::last_write_time(source) + std::chrono::seconds(5));
    ASSERT_TRUE(manager.LoadSoundFile(10, "sounds/tone"));
    EXPECT_EQ(manager.GetSoundBuffer(10)->bytes(), decoded) << "decoded from the source";
    EXPECT_NE(cacheBytes("sounds/tone"), cache) << "rewritten from the source";
}

TEST_F(LoadingFixture, CorruptCacheFilesFallBackToTheSource)
{
    folder.copyFixture("mono.ogg", "sounds/tone.ogg");
    ASSERT_TRUE(manager.LoadSoundFile(10, "sounds/tone"));
    const auto good = cacheBytes("sounds/tone");
    for (size_t cut : {size_t(5), size_t(40), size_t(60), good.size() - 1})
    {
        platform::writeFile((folder.path() / "cached/sounds/tone.wav").string(), good.data(), cut);
        ASSERT_TRUE(manager.LoadSoundFile(10, "sounds/tone")) << cut;
        EXPECT_EQ(manager.GetSoundBuffer(10)->bytes().size(), good.size() - 86) << cut;
        EXPECT_EQ(cacheBytes("sounds/tone"), good) << cut;
    }
}

TEST_F(LoadingFixture, NamesAndFailures)
{
    folder.copyFixture("mono8.wav", "ab.wav");
    const std::string absolute = (folder.path() / "sounds/tone").string();
    folder.copyFixture("mono.ogg", "sounds/tone.ogg");

    EXPECT_TRUE(manager.LoadSoundFile(1, "ab")) << "short names load but are not cached";
    ASSERT_TRUE(manager.LoadSoundFile(2, absolute));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "cached"))
        << "neither short nor absolute names are cached";

    EXPECT_EQ(manager.LoadSoundByName("ab"), 1);
    EXPECT_FALSE(manager.LoadSoundFile(3, "missing/sound"));
    EXPECT_NE(manager.GetLastError().find("missing/sound"), std::string::npos) << manager.GetLastError();
    EXPECT_EQ(manager.LoadSoundByName("missing/sound"), 3) << "the name stays recorded";

    const int byName = manager.LoadSoundByName("sounds/tone");
    EXPECT_EQ(byName, 255);
    manager.UnloadAllSounds();
    EXPECT_EQ(manager.LoadSoundByName("sounds/tone"), byName) << "the name outlives the buffer";
    EXPECT_EQ(manager.CreateInstance(byName), nullptr);
}

TEST_F(LoadingFixture, ARefusedWaveFileGivesWayToTheOggFile)
{
    auto floatWave = fixtureBytes("stereo16.wav");
    floatWave[20] = 3; // format tag: floating point
    std::filesystem::create_directories(folder.path() / "sounds");
    platform::writeFile((folder.path() / "sounds/both.wav").string(), floatWave.data(), floatWave.size());
    folder.copyFixture("mono.ogg", "sounds/both.ogg");
    ASSERT_TRUE(manager.LoadSoundFile(0, "sounds/both")) << manager.GetLastError();
    EXPECT_EQ(manager.GetSoundBuffer(0)->format().channels, 1);
    EXPECT_EQ(manager.GetSoundSize(0), fixtureBytes("mono.ogg.raw").size());
}

TEST_F(LoadingFixture, ArchiveSourcesAreReadAndTheirEntryTimeGuardsTheCache)
{
    auto mount = [&](const char* archive, uint64_t time, uint8_t marker)
    {
        auto bytes = fixtureBytes("stereo16.wav");
        bytes.back() = marker;
        PakArchiveWriter writer;
        // A Sun audio source is decoded and cached; the archive's entry time is its write time.
        auto au = fixtureBytes("linear8.au");
        au.back() = marker;
        ASSERT_TRUE(writer.AddFile("packed/beep.au", au, time));
        ASSERT_TRUE(writer.WriteTo((folder.path() / archive).string()));
        ASSERT_TRUE(gPakInterface->MountArchive((folder.path() / archive).string()));
    };
    mount("first.pak", 1000, 0x11);
    ASSERT_TRUE(manager.LoadSoundFile(1, "packed/beep")) << manager.GetLastError();
    EXPECT_EQ(manager.GetSoundBuffer(1)->bytes().back(), 0x11 ^ 0x80);

    DSoundManager again(&mixer);
    ASSERT_TRUE(again.LoadSoundFile(1, "packed/beep"));
    EXPECT_EQ(again.GetSoundBuffer(1)->bytes().back(), 0x11 ^ 0x80);

    mount("second.pak", 2000, 0x22); // replaces the entry with a newer one
    DSoundManager later(&mixer);
    ASSERT_TRUE(later.LoadSoundFile(1, "packed/beep"));
    EXPECT_EQ(later.GetSoundBuffer(1)->bytes().back(), 0x22 ^ 0x80);
}

TEST_F(LoadingFixture, LoadingThreadFillsIdsWhileTheMainThreadPlays)
{
    folder.copyFixture("mono8.wav", "sounds/blip.wav");
    loadShortSound(0, 300);
    std::atomic<bool> done{false};
    std::thread renderer(
        [&]
        {
            std::vector<int16_t> out(256 * 2);
            while (!done)
                mixer.render(out.data(), 256);
        });
    std::thread loader(
        [&]
        {
            for (int i = 0; i < 40; ++i)
            {
                const int id = manager.FindFreeSoundId();
                EXPECT_TRUE(manager.LoadSoundFile(id, "sounds/blip"));
                manager.SetSoundBaseVolume(id, 0.5);
            }
        });
    for (int i = 0; i < 400; ++i)
    {
        if (SoundInstance* instance = manager.CreateInstance(0))
            instance->Play(false, true);
        manager.CountLoadedSounds();
        clock.advance(7);
    }
    loader.join();
    done = true;
    renderer.join();
    EXPECT_EQ(manager.CountLoadedSounds(), 41);
}

// Records what the player asks of its instances.
struct FakeInstance : SoundInstance
{
    void Discard() override { discarded = true; }
    void SetVolumeFactor(double) override {}
    void SetPanOffset(int) override {}
    void ShiftPitch(double) override {}
    void SetVolume(double v) override { volume = v; }
    void SetPan(int) override {}
    bool Play(bool l, bool a) override
    {
        ++plays;
        loop = l;
        autoRelease = a;
        return true;
    }
    void Stop() override {}
    bool IsPlaying() override { return plays > 0 && !discarded; }
    bool IsDiscarded() override { return discarded; }
    double GetVolume() override { return volume; }

    int plays = 0;
    bool loop = false;
    bool autoRelease = true;
    bool discarded = false;
    double volume = 1.0;
};

struct FakeManager : Quib::SoundManager
{
    bool IsReady() override { return true; }
    int LoadSoundByName(const std::string&) override { return -1; }
    bool LoadSoundFile(int, const std::string&) override { return false; }
    void UnloadSound(int) override {}
    void SetEffectsVolume(double) override {}
    bool SetSoundBaseVolume(int, double) override { return true; }
    bool SetSoundBasePan(int, int) override { return true; }
    SoundInstance* CreateInstance(int id) override
    {
        if (id == 7)
            return nullptr;
        instances.push_back(std::make_unique<FakeInstance>());
        ids.push_back(id);
        return instances.back().get();
    }
    void UnloadAllSounds() override {}
    void ReleaseAllInstances() override {}
    double GetMixerVolume() override { return 1.0; }
    void SetMixerVolume(double) override {}
    void NoOperation() override {}
    void AttachToWindow(void*, bool) override {}
    void StopAllInstances() override {}
    int FindFreeSoundId() override { return 0; }
    int CountLoadedSounds() override { return 0; }

    std::vector<std::unique_ptr<FakeInstance>> instances;
    std::vector<int> ids;
};

TEST(SoundPlayerTest, OneLoopPerIdStartedLoopingWithoutAutoRelease)
{
    FakeManager manager;
    {
        Quib::SoundPlayer player(&manager);
        player.StartLoop(1);
        player.StartLoop(1);
        player.StartLoop(2);
        player.StartLoop(7); // no instance: not recorded
        player.StartLoop(7);
        ASSERT_EQ(manager.ids, (std::vector<int>{1, 2}));
        for (const auto& instance : manager.instances)
        {
            EXPECT_EQ(instance->plays, 1);
            EXPECT_TRUE(instance->loop);
            EXPECT_FALSE(instance->autoRelease);
        }

        player.SetLoopVolume(2, 0.4);
        player.SetLoopVolume(9, 0.1);
        EXPECT_EQ(manager.instances[0]->volume, 1.0);
        EXPECT_EQ(manager.instances[1]->volume, 0.4);
        player.SetAllLoopsVolume(0.25);
        EXPECT_EQ(manager.instances[0]->volume, 0.25);
        EXPECT_EQ(manager.instances[1]->volume, 0.25);

        player.StopLoop(1);
        player.StopLoop(1);
        player.StopLoop(5);
        EXPECT_TRUE(manager.instances[0]->discarded);
        player.StartLoop(1);
        EXPECT_EQ(manager.ids, (std::vector<int>{1, 2, 1}));
    }
    // Destroying the player leaves its loops running with the manager.
    EXPECT_FALSE(manager.instances[1]->discarded);
    EXPECT_FALSE(manager.instances[2]->discarded);
}

TEST_F(ManagerFixture, StoppedLoopsFreeTheirSlotsInTheRealManager)
{
    loadShortSound(1, 50);
    Quib::SoundPlayer player(&manager);
    player.StartLoop(1);
    for (int i = 1; i < DSoundManager::kInstanceSlots; ++i)
        ASSERT_NE(manager.CreateInstance(1), nullptr);
    EXPECT_EQ(manager.CreateInstance(1), nullptr);
    player.StopLoop(1);
    EXPECT_NE(manager.CreateInstance(1), nullptr) << "the slot scan reclaims the discarded loop";
}

} // namespace
