#pragma once

namespace Quib
{

// One playing copy of a loaded sound, owned by the sound manager.
class SoundInstance
{
public:
    virtual ~SoundInstance() = default;
    virtual void Discard() = 0;
    virtual void SetVolumeFactor(double factor) = 0;
    virtual void SetPanOffset(int pan) = 0;
    virtual void ShiftPitch(double semitones) = 0;
    virtual void SetVolume(double volume) = 0;
    virtual void SetPan(int pan) = 0;
    virtual bool Play(bool loop, bool autoRelease) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() = 0;
    virtual bool IsDiscarded() = 0;
    virtual double GetVolume() = 0;
};

} // namespace Quib
