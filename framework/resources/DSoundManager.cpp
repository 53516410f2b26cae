#include "framework/resources/DSoundManager.h"

#include "framework/resources/Mp3Sound.h"
#include "framework/resources/OggSound.h"
#include "framework/resources/SoundCache.h"
#include "framework/resources/SoundFile.h"
#include "framework/resources/SunAudio.h"
#include "framework/resources/WavReader.h"
#include "platform/AudioLineVolume.h"
#include "platform/Clock.h"
#include "platform/Files.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Quib
{

DSoundManager::DSoundManager(platform::Mixer* mixer, bool useFmod) : mMixer(mixer), mUseFmod(useFmod)
{
    mBaseVolumes.fill(1.0);
}

DSoundManager::~DSoundManager()
{
    ReleaseAllInstances();
    UnloadAllSounds();
}

bool DSoundManager::IsReady()
{
    return mMixer != nullptr;
}

int DSoundManager::VolumeToDecibels(double volume)
{
    const double result = (std::log10(9.0 * volume + 1.0) - 1.0) * 2333.0;
    // Volumes at or below -1/9 have no logarithm (NaN or minus infinity): they
    // are silent like every other volume too small to hear, and nothing above
    // the int range reaches the cast.
    if (!(result > -2001.0))
        return -10000;
    return int(std::min(result, double(std::numeric_limits<int>::max())));
}

int DSoundManager::LoadSoundByName(const std::string& name)
{
    int id = -1;
    {
        std::lock_guard<std::mutex> guard(mTableMutex);
        for (int i = 0; i < kSoundIds; ++i)
            if (mNames[i] == name)
                return i;
        for (int i = kSoundIds - 1; i >= 0 && id < 0; --i)
            if (!mBuffers[i])
                id = i;
    }
    if (id < 0)
        return -1;
    return LoadSoundFile(id, name) ? id : -1;
}

bool DSoundManager::LoadSoundFile(int id, const std::string& name)
{
    if (!ValidId(id))
    {
        RecordError(name + ": sound id " + std::to_string(id) + " out of range");
        return false;
    }
    UnloadSound(id);
    if (!mMixer)
        return true;
    {
        std::lock_guard<std::mutex> guard(mTableMutex);
        mNames[id] = name;
    }

    std::string cacheFileName;
    if (IsCacheableSoundName(name))
    {
        std::string folder;
        {
            std::lock_guard<std::mutex> guard(mTableMutex);
            folder = mSharedDataFolder;
        }
        cacheFileName = SoundCacheFileName(folder, name);
        if (LoadWavFile(id, cacheFileName))
            return true;
        const std::string path = platform::slashPath(cacheFileName);
        const size_t slash = path.rfind('/');
        if (slash != std::string::npos)
            platform::createDirectories(path.substr(0, slash));
    }
    if (LoadWavFile(id, name + ".wav"))
        return true;
    if (mUseFmod && LoadMp3File(id, name + ".mp3"))
    {
        WriteCachedWav(id, cacheFileName, name + ".mp3");
        return true;
    }
    if (LoadOggFile(id, name + ".ogg"))
    {
        WriteCachedWav(id, cacheFileName, name + ".ogg");
        return true;
    }
    if (LoadAuFile(id, name + ".au"))
    {
        WriteCachedWav(id, cacheFileName, name + ".au");
        return true;
    }
    return false;
}

void DSoundManager::StoreSound(int id, DecodedSound&& sound)
{
    auto buffer = std::make_shared<const platform::AudioBuffer>(sound.format, std::move(sound.bytes));
    std::lock_guard<std::mutex> guard(mTableMutex);
    mSizes[id] = uint32_t(buffer->bytes().size());
    mBuffers[id] = std::move(buffer);
}

void DSoundManager::RecordError(const std::string& error)
{
    std::lock_guard<std::mutex> guard(mTableMutex);
    mLastError = error;
}

std::string DSoundManager::GetLastError() const
{
    std::lock_guard<std::mutex> guard(mTableMutex);
    return mLastError;
}

void DSoundManager::SetSharedDataFolder(const std::string& folder)
{
    std::lock_guard<std::mutex> guard(mTableMutex);
    mSharedDataFolder = folder;
}

bool DSoundManager::LoadDecoded(int id, const std::string& fileName, const SoundDecoder& decode)
{
    if (!ValidId(id))
        return false;
    auto source = OpenSoundFile(fileName);
    if (!source)
    {
        RecordError(fileName + ": cannot be opened");
        return false;
    }
    DecodedSound sound;
    std::string error;
    if (!decode(std::move(source), sound, error))
    {
        RecordError(error);
        return false;
    }
    StoreSound(id, std::move(sound));
    return true;
}

bool DSoundManager::LoadWavFile(int id, const std::string& fileName)
{
    const auto trusted = [](const std::string& sourceName, uint64_t time)
    {
        uint64_t now = 0;
        GetFileWriteTime(sourceName, now);
        return now == time;
    };
    return LoadDecoded(
        id, fileName,
        [&](std::unique_ptr<platform::AudioByteSource> source, DecodedSound& sound, std::string& error)
        { return ReadRiffWave(*source, fileName, trusted, sound, error); });
}

bool DSoundManager::LoadOggFile(int id, const std::string& fileName)
{
    return LoadDecoded(
        id, fileName,
        [&](std::unique_ptr<platform::AudioByteSource> source, DecodedSound& sound, std::string& error)
        { return ReadOggSound(std::move(source), fileName, sound, error); });
}

bool DSoundManager::LoadAuFile(int id, const std::string& fileName)
{
    return LoadDecoded(id, fileName,
                       [&](std::unique_ptr<platform::AudioByteSource> source, DecodedSound& sound,
                           std::string& error) { return ReadSunAudio(*source, fileName, sound, error); });
}

bool DSoundManager::LoadMp3File(int id, const std::string& fileName)
{
    return LoadDecoded(
        id, fileName,
        [&](std::unique_ptr<platform::AudioByteSource> source, DecodedSound& sound, std::string& error)
        { return ReadMp3Sound(std::move(source), fileName, sound, error); });
}

bool DSoundManager::WriteCachedWav(int id, const std::string& cacheFileName,
                                   const std::string& sourceFileName)
{
    if (cacheFileName.empty() || !ValidId(id))
        return false;
    const auto buffer = GetSoundBuffer(id);
    if (!buffer)
        return false;
    uint64_t time = 0;
    GetFileWriteTime(sourceFileName, time);
    const auto bytes = BuildSoundCacheFile(buffer->format(), buffer->bytes(), sourceFileName, time);
    return platform::writeFileAtomic(platform::slashPath(cacheFileName), bytes.data(), bytes.size());
}

bool DSoundManager::GetFileWriteTime(const std::string& fileName, uint64_t& time)
{
    const auto found = SoundSourceWriteTime(fileName);
    time = found.value_or(0);
    return found.has_value();
}

std::shared_ptr<const platform::AudioBuffer> DSoundManager::GetSoundBuffer(int id) const
{
    if (!ValidId(id))
        return nullptr;
    std::lock_guard<std::mutex> guard(mTableMutex);
    return mBuffers[id];
}

uint32_t DSoundManager::GetSoundSize(int id) const
{
    if (!ValidId(id))
        return 0;
    std::lock_guard<std::mutex> guard(mTableMutex);
    return mSizes[id];
}

void DSoundManager::UnloadSound(int id)
{
    if (!ValidId(id))
        return;
    std::lock_guard<std::mutex> guard(mTableMutex);
    if (!mBuffers[id])
        return;
    mBuffers[id].reset();
    mNames[id].clear();
}

void DSoundManager::SetEffectsVolume(double volume)
{
    mEffectsVolume = volume;
    for (auto& instance : mInstances)
        if (instance)
            instance->RefreshVolume();
}

bool DSoundManager::SetSoundBaseVolume(int id, double factor)
{
    if (!ValidId(id))
        return false;
    std::lock_guard<std::mutex> guard(mTableMutex);
    mBaseVolumes[id] = factor;
    return true;
}

bool DSoundManager::SetSoundBasePan(int id, int pan)
{
    if (!ValidId(id))
        return false;
    std::lock_guard<std::mutex> guard(mTableMutex);
    mBasePans[id] = pan;
    return true;
}

void DSoundManager::ReleaseFinishedInstances()
{
    for (auto& instance : mInstances)
        if (instance && instance->IsDiscarded())
            instance.reset();
}

int DSoundManager::FindFreeInstanceSlot()
{
    const uint32_t now = platform::tickCount();
    if (now - mLastSweepTime > kSweepIntervalMs)
    {
        ReleaseFinishedInstances();
        mLastSweepTime = now;
    }
    for (int i = 0; i < kInstanceSlots; ++i)
    {
        if (!mInstances[i])
            return i;
        if (mInstances[i]->IsDiscarded())
        {
            mInstances[i].reset();
            return i;
        }
    }
    return -1;
}

SoundInstance* DSoundManager::CreateInstance(int id)
{
    if (!ValidId(id))
        return nullptr;
    const int slot = FindFreeInstanceSlot();
    if (slot < 0)
        return nullptr;
    std::shared_ptr<const platform::AudioBuffer> buffer;
    double baseVolume;
    int basePan;
    {
        std::lock_guard<std::mutex> guard(mTableMutex);
        buffer = mBuffers[id];
        baseVolume = mBaseVolumes[id];
        basePan = mBasePans[id];
    }
    if (mMixer && !buffer)
        return nullptr;
    auto& instance = mInstances[slot];
    instance = std::make_unique<DSoundInstance>(std::move(buffer), this);
    instance->SetPanOffset(basePan);
    instance->SetVolumeFactor(baseVolume);
    return instance.get();
}

void DSoundManager::UnloadAllSounds()
{
    std::lock_guard<std::mutex> guard(mTableMutex);
    for (auto& buffer : mBuffers)
        buffer.reset();
}

void DSoundManager::ReleaseAllInstances()
{
    for (auto& instance : mInstances)
        instance.reset();
}

double DSoundManager::GetMixerVolume()
{
    return platform::waveOutVolume() / 65535.0;
}

void DSoundManager::SetMixerVolume(double volume)
{
    platform::setWaveOutVolume(uint32_t(std::clamp(volume, 0.0, 1.0) * 65535.0));
}

void DSoundManager::NoOperation() {}

// The mixer's device is not tied to a window, so a new main window needs nothing.
void DSoundManager::AttachToWindow(void*, bool) {}

void DSoundManager::StopAllInstances()
{
    for (auto& instance : mInstances)
    {
        if (!instance)
            continue;
        // Stopping clears auto-release; putting it back lets the sweep reclaim one-shots.
        instance->StopKeepingAutoRelease();
    }
}

int DSoundManager::FindFreeSoundId()
{
    std::lock_guard<std::mutex> guard(mTableMutex);
    for (int i = 0; i < kSoundIds; ++i)
        if (!mBuffers[i])
            return i;
    return -1;
}

int DSoundManager::CountLoadedSounds()
{
    std::lock_guard<std::mutex> guard(mTableMutex);
    return int(std::count_if(mBuffers.begin(), mBuffers.end(), [](const auto& b) { return b != nullptr; }));
}

} // namespace Quib
