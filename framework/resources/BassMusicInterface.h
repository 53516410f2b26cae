#pragma once

#include "framework/resources/MusicFade.h"
#include "framework/resources/MusicInterface.h"
#include "platform/Mixer.h"
#include "platform/MusicStream.h"

#include <map>
#include <memory>
#include <string>

namespace Quib
{

struct BassMusicTrack : MusicFade
{
    std::unique_ptr<platform::MusicStream> stream;
    bool module = false; // a tracker module rather than a stream
};

// Music streamed into the program's own mixer: WAV, Ogg Vorbis and MP3
// streams, and tracker modules played from memory. Without a mixer no track loads.
class BassMusicInterface : public MusicInterface
{
public:
    explicit BassMusicInterface(platform::Mixer* mixer);

    bool LoadTrack(int id, const std::string& fileName) override;
    void PlayTrack(int id, int startOffset, bool noLoop) override;
    void StopTrack(int id) override;
    void PauseTrack(int id) override;
    void ResumeTrack(int id) override;
    void StopAllTracks() override;
    void UnloadTrack(int id) override;
    void UnloadAllTracks() override;
    void PauseAllTracks() override;
    void ResumeAllTracks() override;
    void FadeInTrack(int id, int startOffset, double step, bool noLoop) override;
    void FadeOutTrack(int id, bool stopWhenFaded, double step) override;
    void FadeOutAllTracks(bool stopWhenFaded, double step) override;
    void SetTrackVolume(int id, double volume) override;
    void SetTrackVolumeLimit(int id, double limit) override;
    bool IsTrackPlaying(int id) override;
    void SetMusicVolume(double volume) override;
    void SetTrackAmplification(int id, double factor) override;
    void Update() override;

    // Why the last load failed, naming the file.
    const std::string& GetLastError() const { return mLastError; }
    // The track of an id, or null.
    const BassMusicTrack* FindTrack(int id) const;

private:
    BassMusicTrack* Find(int id);
    static void SetChannelVolume(BassMusicTrack& track);
    static void StartStream(BassMusicTrack& track, int startOffset, bool noLoop);
    static void PlayModuleFromOrder(BassMusicTrack& track, int order, bool loop);

    platform::Mixer* mMixer;
    std::map<int, BassMusicTrack> mTracks;
    std::string mLastError;
};

} // namespace Quib
