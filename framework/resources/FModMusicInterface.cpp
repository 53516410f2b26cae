#include "framework/resources/FModMusicInterface.h"

#include "framework/foundation/Paths.h"
#include "framework/resources/MusicSource.h"
#include "framework/resources/SoundCache.h"
#include "platform/Files.h"

namespace Quib
{

namespace
{

std::string fileNameNoExtension(const std::string& name)
{
    const size_t slash = name.find_last_of("\\/");
    std::string file = slash == std::string::npos ? name : name.substr(slash + 1);
    const size_t dot = file.rfind('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

} // namespace

FModMusicInterface::FModMusicInterface(platform::Mixer* mixer) : mMixer(mixer) {}

FModMusicTrack* FModMusicInterface::Find(int id)
{
    const auto found = mTracks.find(id);
    return found == mTracks.end() ? nullptr : &found->second;
}

const FModMusicTrack* FModMusicInterface::FindTrack(int id) const
{
    const auto found = mTracks.find(id);
    return found == mTracks.end() ? nullptr : &found->second;
}

const platform::Voice* FModMusicInterface::GetChannel(int id) const
{
    const auto found = mChannels.find(id);
    return found == mChannels.end() ? nullptr : found->second.get();
}

bool FModMusicInterface::LoadTrack(int id, const std::string& fileName)
{
    if (!mMixer)
        return false;
    std::string error;
    auto source = OpenModuleSource(fileName, mMixer->outputRate(), error);
    if (!source)
        return false;
    if (mTracks.count(id) != 0)
        return true; // the first track under an id stays
    FModMusicTrack track;
    track.module = std::make_unique<platform::MusicStream>(*mMixer, std::move(source));
    mTracks.emplace(id, std::move(track));
    return true;
}

std::shared_ptr<const platform::AudioBuffer> FModMusicInterface::OpenCachedStream(const std::string& name)
{
    const std::string cacheName =
        platform::slashPath(GetSharedDataFolder() + "cached\\" + fileNameNoExtension(name) + ".wav");
    const size_t slash = cacheName.rfind('/');
    if (slash != std::string::npos)
        platform::createDirectories(cacheName.substr(0, slash));

    DecodedSound sound;
    std::string error;
    if (LoadMusicSample(cacheName, sound, error))
        return std::make_shared<const platform::AudioBuffer>(sound.format, std::move(sound.bytes));
    if (!LoadMusicSample(name + ".ogg", sound, error))
        return nullptr;
    const auto bytes = BuildPlainWaveFile(sound.format, sound.bytes);
    platform::writeFileAtomic(cacheName, bytes.data(), bytes.size());
    return std::make_shared<const platform::AudioBuffer>(sound.format, std::move(sound.bytes));
}

bool FModMusicInterface::LoadStreamedTrack(int id, const std::string& name, bool loop)
{
    auto sample = OpenCachedStream(name);
    if (!sample)
        return false;
    FModMusicTrack track;
    track.sample = std::move(sample);
    track.loop = loop;
    mTracks.emplace(id, std::move(track));
    return true;
}

bool FModMusicInterface::LoadStreamedTrackPair(int id, const std::string& firstName,
                                               const std::string& secondName, bool loop)
{
    const auto first = OpenCachedStream(firstName);
    const auto second = OpenCachedStream(secondName);
    if (!first || !second)
        return false;
    const platform::AudioFormat& format = first->format();
    const platform::AudioFormat& other = second->format();
    if (format.samplesPerSecond != other.samplesPerSecond || format.channels != other.channels ||
        format.bitsPerSample != other.bitsPerSample)
        return false;
    std::vector<uint8_t> joined(first->bytes());
    joined.insert(joined.end(), second->bytes().begin(), second->bytes().end());
    FModMusicTrack track;
    track.sample = std::make_shared<const platform::AudioBuffer>(format, std::move(joined));
    track.loopStart = first->frames();
    track.loop = loop;
    mTracks.emplace(id, std::move(track));
    return true;
}

void FModMusicInterface::SetLevel(int id, const FModMusicTrack& track)
{
    if (track.module)
    {
        track.module->setVolume(int(mMusicVolume * track.volume * mModuleVolumeScale));
        return;
    }
    const auto channel = mChannels.find(id);
    if (channel == mChannels.end())
        return;
    const int level = int(mMusicVolume * track.volume * mSampleVolumeScale);
    channel->second->setGain(float(level) / 100.0f);
}

void FModMusicInterface::PlaySample(int id, const FModMusicTrack& track)
{
    if (!mMixer)
        return;
    auto& channel = mChannels[id];
    channel = std::make_unique<platform::Voice>(*mMixer, track.sample);
    channel->setLoopStart(track.loopStart);
    channel->play(track.loop);
}

bool FModMusicInterface::ChannelPlaying(int id, const FModMusicTrack& track) const
{
    if (track.module)
        return track.module->state() == platform::MusicStream::State::Playing;
    const platform::Voice* channel = GetChannel(id);
    return channel && channel->isPlaying();
}

void FModMusicInterface::StopChannel(int id, const FModMusicTrack& track)
{
    if (track.module)
        track.module->stop();
    else if (const auto channel = mChannels.find(id); channel != mChannels.end())
        channel->second->stop();
}

// A module starts from its first order and then moves to the start offset,
// which is an order; -1 or an order the module lacks leaves it at the first.
void FModMusicInterface::PlayTrack(int id, int startOffset, bool noLoop)
{
    FModMusicTrack* track = Find(id);
    if (!track)
        return;
    track->volume = track->volumeLimit;
    track->fadeStep = 0;
    if (track->module)
    {
        SetLevel(id, *track);
        track->module->play(true, !noLoop);
        track->module->setOrder(startOffset);
        return;
    }
    PlaySample(id, *track);
    SetLevel(id, *track);
}

void FModMusicInterface::FadeInTrack(int id, int startOffset, double step, bool noLoop)
{
    FModMusicTrack* track = Find(id);
    if (!track)
        return;
    track->fadeStep = step;
    if (track->module)
    {
        SetLevel(id, *track);
        track->module->setLooping(!noLoop);
        if (!ChannelPlaying(id, *track))
            track->module->play(true, !noLoop);
        if (startOffset != -1)
            track->module->setOrder(startOffset);
        return;
    }
    if (!ChannelPlaying(id, *track))
        PlaySample(id, *track);
    SetLevel(id, *track);
}

void FModMusicInterface::StopTrack(int id)
{
    FModMusicTrack* track = Find(id);
    if (!track)
        return;
    track->volume = 0;
    StopChannel(id, *track);
}

void FModMusicInterface::StopAllTracks()
{
    for (auto& [id, track] : mTracks)
        StopTrack(id);
}

void FModMusicInterface::PauseTrack(int id)
{
    const FModMusicTrack* track = Find(id);
    if (track && track->module)
        track->module->pause();
    else if (const auto channel = mChannels.find(id); track && channel != mChannels.end())
        channel->second->stop();
}

// Unpausing a module that is not paused leaves it as it is.
void FModMusicInterface::ResumeTrack(int id)
{
    const FModMusicTrack* track = Find(id);
    if (track && track->module)
    {
        if (track->module->state() == platform::MusicStream::State::Paused)
            track->module->resume();
    }
    else if (const auto channel = mChannels.find(id); track && channel != mChannels.end())
        channel->second->play(track->loop);
}

void FModMusicInterface::FadeOutTrack(int id, bool stopWhenFaded, double step)
{
    if (FModMusicTrack* track = Find(id))
    {
        track->fadeStep = -step;
        track->stopWhenFaded = stopWhenFaded;
    }
}

void FModMusicInterface::FadeOutAllTracks(bool stopWhenFaded, double step)
{
    for (auto& [id, track] : mTracks)
    {
        track.fadeStep = -step;
        track.stopWhenFaded = stopWhenFaded;
    }
}

void FModMusicInterface::SetTrackVolume(int id, double volume)
{
    if (FModMusicTrack* track = Find(id))
    {
        track->volume = volume;
        SetLevel(id, *track);
    }
}

bool FModMusicInterface::IsTrackPlaying(int id)
{
    const FModMusicTrack* track = Find(id);
    return track && ChannelPlaying(id, *track);
}

void FModMusicInterface::SetMusicVolume(double volume)
{
    mMusicVolume = volume;
    for (auto& [id, track] : mTracks)
        SetLevel(id, track);
}

void FModMusicInterface::Update()
{
    for (auto& [id, track] : mTracks)
    {
        if (track.fadeStep == 0)
            continue;
        if (track.StepFade())
            StopChannel(id, track);
        SetLevel(id, track);
    }
}

} // namespace Quib
