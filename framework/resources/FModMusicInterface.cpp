#include "framework/resources/FModMusicInterface.h"

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

// Tracker modules cannot be played: there is no module player in this program.
bool FModMusicInterface::LoadTrack(int, const std::string&)
{
    return false;
}

std::shared_ptr<const platform::AudioBuffer> FModMusicInterface::OpenCachedStream(const std::string& name)
{
    const std::string cacheName =
        platform::slashPath(mSharedDataFolder + "cached\\" + fileNameNoExtension(name) + ".wav");
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

bool FModMusicInterface::ChannelPlaying(int id) const
{
    const platform::Voice* channel = GetChannel(id);
    return channel && channel->isPlaying();
}

void FModMusicInterface::PlayTrack(int id, int, bool)
{
    FModMusicTrack* track = Find(id);
    if (!track)
        return;
    track->volume = track->volumeLimit;
    track->fadeStep = 0;
    PlaySample(id, *track);
    SetLevel(id, *track);
}

void FModMusicInterface::FadeInTrack(int id, int, double step, bool)
{
    FModMusicTrack* track = Find(id);
    if (!track)
        return;
    track->fadeStep = step;
    if (!ChannelPlaying(id))
        PlaySample(id, *track);
    SetLevel(id, *track);
}

void FModMusicInterface::StopTrack(int id)
{
    FModMusicTrack* track = Find(id);
    if (!track)
        return;
    track->volume = 0;
    if (const auto channel = mChannels.find(id); channel != mChannels.end())
        channel->second->stop();
}

void FModMusicInterface::StopAllTracks()
{
    for (auto& [id, track] : mTracks)
        StopTrack(id);
}

void FModMusicInterface::PauseTrack(int id)
{
    const auto channel = mChannels.find(id);
    if (Find(id) && channel != mChannels.end())
        channel->second->stop();
}

void FModMusicInterface::ResumeTrack(int id)
{
    const FModMusicTrack* track = Find(id);
    const auto channel = mChannels.find(id);
    if (track && channel != mChannels.end())
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
    return Find(id) && ChannelPlaying(id);
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
            if (const auto channel = mChannels.find(id); channel != mChannels.end())
                channel->second->stop();
        SetLevel(id, track);
    }
}

} // namespace Quib
