#pragma once

#include <string>

namespace Quib
{

// Music tracks by id, with fades driven by Update. Every body here does
// nothing, so a plain MusicInterface is the silent back end. Volumes, fade
// steps and limits run from 0 to 1; a start offset of -1 gives no position.
class MusicInterface
{
public:
    virtual ~MusicInterface() = default;
    virtual bool LoadTrack(int /*id*/, const std::string& /*fileName*/) { return false; }
    virtual void PlayTrack(int /*id*/, int /*startOffset*/, bool /*noLoop*/) {}
    virtual void StopTrack(int /*id*/) {}
    virtual void PauseTrack(int /*id*/) {}
    virtual void ResumeTrack(int /*id*/) {}
    virtual void StopAllTracks() {}
    virtual void UnloadTrack(int /*id*/) {}
    virtual void UnloadAllTracks() {}
    virtual void PauseAllTracks() {}
    virtual void ResumeAllTracks() {}
    virtual void FadeInTrack(int /*id*/, int /*startOffset*/, double /*step*/, bool /*noLoop*/) {}
    virtual void FadeOutTrack(int /*id*/, bool /*stopWhenFaded*/, double /*step*/) {}
    virtual void FadeOutAllTracks(bool /*stopWhenFaded*/, double /*step*/) {}
    virtual void SetTrackVolume(int /*id*/, double /*volume*/) {}
    virtual void SetTrackVolumeLimit(int /*id*/, double /*limit*/) {}
    virtual bool IsTrackPlaying(int /*id*/) { return false; }
    virtual void SetMusicVolume(double /*volume*/) {}
    virtual void SetTrackAmplification(int /*id*/, double /*factor*/) {}
    virtual void Update() {}
};

} // namespace Quib
