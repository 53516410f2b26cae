#pragma once

#include "framework/resources/DSoundInstance.h"
#include "framework/resources/SoundDecoding.h"
#include "framework/resources/SoundManager.h"
#include "platform/AudioBuffer.h"
#include "platform/AudioByteSource.h"
#include "platform/Mixer.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace Quib
{

// The sound manager over the program's own mixer. Without a mixer (no audio
// output) it loads nothing, and its instances are silent. The fmod switch
// lets it load MP3 sounds as well.
class DSoundManager final : public SoundManager
{
public:
    static constexpr int kSoundIds = 256;
    static constexpr int kInstanceSlots = 32;
    static constexpr uint32_t kSweepIntervalMs = 1000;

    explicit DSoundManager(platform::Mixer* mixer, bool useFmod = false);
    ~DSoundManager() override;
    DSoundManager(const DSoundManager&) = delete;
    DSoundManager& operator=(const DSoundManager&) = delete;

    bool IsReady() override;
    int LoadSoundByName(const std::string& name) override;
    bool LoadSoundFile(int id, const std::string& name) override;
    void UnloadSound(int id) override;
    void SetEffectsVolume(double volume) override;
    bool SetSoundBaseVolume(int id, double factor) override;
    bool SetSoundBasePan(int id, int pan) override;
    SoundInstance* CreateInstance(int id) override;
    void UnloadAllSounds() override;
    void ReleaseAllInstances() override;
    double GetMixerVolume() override;
    void SetMixerVolume(double volume) override;
    void NoOperation() override;
    void AttachToWindow(void* window, bool flag) override;
    void StopAllInstances() override;
    int FindFreeSoundId() override;
    int CountLoadedSounds() override;

    // Volume 0..1 as hundredths of a decibel; below about 0.0431 silent (-10000).
    static int VolumeToDecibels(double volume);

    bool LoadWavFile(int id, const std::string& fileName);
    bool LoadOggFile(int id, const std::string& fileName);
    bool LoadAuFile(int id, const std::string& fileName);
    bool LoadMp3File(int id, const std::string& fileName);
    bool WriteCachedWav(int id, const std::string& cacheFileName, const std::string& sourceFileName);
    // The source's last-write time as a FILETIME; false and 0 when it does not exist.
    static bool GetFileWriteTime(const std::string& fileName, uint64_t& time);

    // The folder that prefixes the decoded-sound cache ("cached\..."); empty by default.
    void SetSharedDataFolder(const std::string& folder);
    // Why the last load failed, naming the file.
    std::string GetLastError() const;

    platform::Mixer* Mixer() const { return mMixer; }
    double EffectsVolume() const { return mEffectsVolume; }
    std::shared_ptr<const platform::AudioBuffer> GetSoundBuffer(int id) const;
    uint32_t GetSoundSize(int id) const;

private:
    static bool ValidId(int id) { return id >= 0 && id < kSoundIds; }
    int FindFreeInstanceSlot();
    void ReleaseFinishedInstances();
    void StoreSound(int id, DecodedSound&& sound);
    void RecordError(const std::string& error);
    using SoundDecoder =
        std::function<bool(std::unique_ptr<platform::AudioByteSource>, DecodedSound&, std::string&)>;
    // Opens the file, decodes it and stores it under the id, or records why not.
    bool LoadDecoded(int id, const std::string& fileName, const SoundDecoder& decode);

    platform::Mixer* const mMixer;
    const bool mUseFmod;
    mutable std::mutex mTableMutex; // the id tables are shared with the loading thread
    std::array<std::shared_ptr<const platform::AudioBuffer>, kSoundIds> mBuffers;
    std::array<std::string, kSoundIds> mNames;
    std::array<uint32_t, kSoundIds> mSizes{};
    std::array<double, kSoundIds> mBaseVolumes;
    std::array<int, kSoundIds> mBasePans{};
    std::string mSharedDataFolder;
    std::string mLastError;

    std::array<std::unique_ptr<DSoundInstance>, kInstanceSlots> mInstances;
    double mEffectsVolume = 1.0;
    uint32_t mLastSweepTime = 0;
};

} // namespace Quib
