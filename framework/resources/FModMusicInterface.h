#pragma once

#include "framework/resources/MusicFade.h"
#include "framework/resources/MusicInterface.h"
#include "platform/AudioBuffer.h"
#include "platform/Mixer.h"
#include "platform/MusicStream.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>

namespace Quib
{

struct FModMusicTrack : MusicFade
{
    std::unique_ptr<platform::MusicStream> module; // null for a sample
    std::shared_ptr<const platform::AudioBuffer> sample;
    size_t loopStart = 0; // in frames; a pair loops its second part
    bool loop = false;
};

// The second music back end: tracker modules, and samples decoded whole into
// memory (with a plain WAV copy of each decoded track kept in the cache
// folder) played on the mixer channel numbered by the track id.
class FModMusicInterface : public MusicInterface
{
public:
    explicit FModMusicInterface(platform::Mixer* mixer);

    bool LoadTrack(int id, const std::string& fileName) override;
    void PlayTrack(int id, int startOffset, bool noLoop) override;
    void StopTrack(int id) override;
    void PauseTrack(int id) override;
    void ResumeTrack(int id) override;
    void StopAllTracks() override;
    void FadeInTrack(int id, int startOffset, double step, bool noLoop) override;
    void FadeOutTrack(int id, bool stopWhenFaded, double step) override;
    void FadeOutAllTracks(bool stopWhenFaded, double step) override;
    void SetTrackVolume(int id, double volume) override;
    bool IsTrackPlaying(int id) override;
    void SetMusicVolume(double volume) override;
    void Update() override;

    // An introduction followed by a part that loops; both must share rate and layout.
    virtual bool LoadStreamedTrackPair(int id, const std::string& firstName, const std::string& secondName,
                                       bool loop);
    // `name` comes without extension: the cache file or name + ".ogg" is decoded.
    virtual bool LoadStreamedTrack(int id, const std::string& name, bool loop);

    const FModMusicTrack* FindTrack(int id) const;
    // The voice of a channel, or null when nothing was played on it.
    const platform::Voice* GetChannel(int id) const;

    // The plain WAV copy of a decoded music file (kept under the shared data
    // folder's "cached"), or the decoded ".ogg" file, or null.
    std::shared_ptr<const platform::AudioBuffer> OpenCachedStream(const std::string& name);

private:
    FModMusicTrack* Find(int id);
    void SetLevel(int id, const FModMusicTrack& track);
    void PlaySample(int id, const FModMusicTrack& track);
    bool ChannelPlaying(int id, const FModMusicTrack& track) const;
    void StopChannel(int id, const FModMusicTrack& track);

    platform::Mixer* mMixer;
    std::map<int, FModMusicTrack> mTracks;
    std::map<int, std::unique_ptr<platform::Voice>> mChannels;
    double mMusicVolume = 1.0;
    int mModuleVolumeScale = 100;
    int mSampleVolumeScale = 100;
};

} // namespace Quib
