#pragma once

#include <string>

namespace Quib
{

class SoundInstance;

// Sound effects by id (0 to 255), decoded once and played as instances.
class SoundManager
{
public:
    virtual ~SoundManager() = default;
    virtual bool IsReady() = 0;
    virtual int LoadSoundByName(const std::string& name) = 0;
    virtual bool LoadSoundFile(int id, const std::string& name) = 0;
    virtual void UnloadSound(int id) = 0;
    virtual void SetEffectsVolume(double volume) = 0;
    virtual bool SetSoundBaseVolume(int id, double factor) = 0;
    virtual bool SetSoundBasePan(int id, int pan) = 0;
    virtual SoundInstance* CreateInstance(int id) = 0;
    virtual void UnloadAllSounds() = 0;
    virtual void ReleaseAllInstances() = 0;
    virtual double GetMixerVolume() = 0;
    virtual void SetMixerVolume(double volume) = 0;
    virtual void NoOperation() = 0;
    virtual void AttachToWindow(void* window, bool flag) = 0;
    virtual void StopAllInstances() = 0;
    virtual int FindFreeSoundId() = 0;
    virtual int CountLoadedSounds() = 0;
};

} // namespace Quib
