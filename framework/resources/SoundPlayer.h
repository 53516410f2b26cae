#pragma once

#include <map>

namespace Quib
{

class SoundInstance;
class SoundManager;

// The game's looping sounds, one instance per sound id.
class SoundPlayer
{
public:
    // The manager is the application's; the player only borrows it.
    explicit SoundPlayer(SoundManager* soundManager);
    // Running loops stay with the sound manager, which deletes them when it goes.
    virtual ~SoundPlayer() = default;
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void StartLoop(int soundId);
    void StopLoop(int soundId);
    void SetLoopVolume(int soundId, double volume);
    void SetAllLoopsVolume(double volume);
    bool IsLooping(int soundId) const { return mLoops.count(soundId) != 0; }

private:
    SoundManager* mSoundManager;
    std::map<int, SoundInstance*> mLoops;
};

} // namespace Quib
