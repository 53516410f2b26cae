#include "framework/resources/BassMusicInterface.h"

#include "framework/resources/MusicSource.h"

namespace Quib
{

using StreamState = platform::MusicStream::State;

BassMusicInterface::BassMusicInterface(platform::Mixer* mixer) : mMixer(mixer) {}

BassMusicTrack* BassMusicInterface::Find(int id)
{
    const auto found = mTracks.find(id);
    return found == mTracks.end() ? nullptr : &found->second;
}

const BassMusicTrack* BassMusicInterface::FindTrack(int id) const
{
    const auto found = mTracks.find(id);
    return found == mTracks.end() ? nullptr : &found->second;
}

void BassMusicInterface::SetChannelVolume(BassMusicTrack& track)
{
    track.stream->setVolume(int(track.volume * 100));
}

void BassMusicInterface::StartStream(BassMusicTrack& track, int startOffset, bool noLoop)
{
    track.stream->play(startOffset != -1, !noLoop);
    if (startOffset > 0)
        track.stream->setPosition(uint64_t(startOffset));
}

// The order goes in 16 bits; an order the module does not have (such as
// -1's 65535) leaves the module where it stopped.
void BassMusicInterface::PlayModuleFromOrder(BassMusicTrack& track, int order, bool loop)
{
    track.stream->stop();
    track.stream->setOrder(int(uint16_t(order)));
    track.stream->play(false, loop);
}

bool BassMusicInterface::LoadTrack(int id, const std::string& fileName)
{
    if (!mMixer)
    {
        mLastError = fileName + ": no audio output";
        return false;
    }
    const bool module = !IsStreamMusicName(fileName);
    std::unique_ptr<platform::PcmSource> source;
    if (module)
        source = OpenModuleSource(fileName, mMixer->outputRate(), mLastError);
    else
        source = OpenMusicSource(fileName, mLastError);
    if (!source)
        return false;
    if (mTracks.count(id) != 0)
        return true; // the first track under an id stays
    BassMusicTrack track;
    track.stream = std::make_unique<platform::MusicStream>(*mMixer, std::move(source));
    track.module = module;
    // Modules load looping; streams load to play once.
    track.stream->setLooping(module);
    SetChannelVolume(track);
    mTracks.emplace(id, std::move(track));
    return true;
}

void BassMusicInterface::PlayTrack(int id, int startOffset, bool noLoop)
{
    BassMusicTrack* track = Find(id);
    if (!track)
        return;
    track->volume = track->volumeLimit;
    track->fadeStep = 0;
    SetChannelVolume(*track);
    track->stream->stop();
    if (track->module)
        PlayModuleFromOrder(*track, startOffset, !noLoop);
    else
        StartStream(*track, startOffset, noLoop);
}

void BassMusicInterface::FadeInTrack(int id, int startOffset, double step, bool noLoop)
{
    BassMusicTrack* track = Find(id);
    if (!track)
        return;
    track->fadeStep = step;
    track->stream->stop();
    SetChannelVolume(*track);
    if (!track->module)
        StartStream(*track, startOffset, noLoop);
    else if (startOffset == -1)
        track->stream->restart();
    else
        PlayModuleFromOrder(*track, startOffset, !noLoop);
}

void BassMusicInterface::FadeOutTrack(int id, bool stopWhenFaded, double step)
{
    BassMusicTrack* track = Find(id);
    if (!track)
        return;
    if (track->volume != 0)
        track->fadeStep = -step;
    track->stopWhenFaded = stopWhenFaded;
}

void BassMusicInterface::FadeOutAllTracks(bool stopWhenFaded, double step)
{
    for (auto& [id, track] : mTracks)
    {
        track.fadeStep = -step;
        track.stopWhenFaded = stopWhenFaded;
    }
}

void BassMusicInterface::Update()
{
    for (auto& [id, track] : mTracks)
    {
        if (track.fadeStep == 0)
            continue;
        if (track.StepFade())
            track.stream->stop();
        SetChannelVolume(track);
    }
}

void BassMusicInterface::StopTrack(int id)
{
    if (BassMusicTrack* track = Find(id))
    {
        track->volume = 0;
        track->stream->stop();
    }
}

void BassMusicInterface::StopAllTracks()
{
    for (auto& [id, track] : mTracks)
    {
        track.volume = 0;
        track.stream->stop();
    }
}

void BassMusicInterface::UnloadTrack(int id)
{
    StopTrack(id);
    mTracks.erase(id);
}

void BassMusicInterface::UnloadAllTracks()
{
    StopAllTracks();
    mTracks.clear();
}

void BassMusicInterface::PauseTrack(int id)
{
    if (BassMusicTrack* track = Find(id))
        track->stream->pause();
}

void BassMusicInterface::ResumeTrack(int id)
{
    if (BassMusicTrack* track = Find(id))
        track->stream->resume();
}

void BassMusicInterface::PauseAllTracks()
{
    for (auto& [id, track] : mTracks)
        if (track.stream->state() == StreamState::Playing)
            track.stream->pause();
}

void BassMusicInterface::ResumeAllTracks()
{
    for (auto& [id, track] : mTracks)
        if (track.stream->state() == StreamState::Paused)
            track.stream->resume();
}

void BassMusicInterface::SetTrackVolume(int id, double volume)
{
    if (BassMusicTrack* track = Find(id))
    {
        track->volume = volume;
        SetChannelVolume(*track);
    }
}

void BassMusicInterface::SetTrackVolumeLimit(int id, double limit)
{
    if (BassMusicTrack* track = Find(id))
    {
        track->volumeLimit = limit;
        if (limit < track->volume)
            track->volume = limit;
        SetChannelVolume(*track);
    }
}

bool BassMusicInterface::IsTrackPlaying(int id)
{
    const BassMusicTrack* track = Find(id);
    return track && track->stream->state() == StreamState::Playing;
}

// Streams have no amplification; their sources ignore it.
void BassMusicInterface::SetTrackAmplification(int id, double factor)
{
    if (BassMusicTrack* track = Find(id))
        track->stream->setAmplification(int(factor * 100));
}

void BassMusicInterface::SetMusicVolume(double volume)
{
    if (mMixer)
        mMixer->setStreamVolume(int(volume * 100));
}

} // namespace Quib
