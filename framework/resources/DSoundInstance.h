#pragma once

#include "framework/resources/SoundInstance.h"
#include "platform/AudioBuffer.h"
#include "platform/Mixer.h"

#include <cstdint>
#include <memory>

namespace Quib
{

class DSoundManager;

// A playing copy of a loaded sound on a mixer voice that shares the decoded
// data. Without a source buffer it is silent: it stores values and plays nothing.
class DSoundInstance final : public SoundInstance
{
public:
    DSoundInstance(std::shared_ptr<const platform::AudioBuffer> sourceBuffer, DSoundManager* manager);

    void Discard() override;
    void SetVolumeFactor(double factor) override;
    void SetPanOffset(int pan) override;
    void ShiftPitch(double semitones) override;
    void SetVolume(double volume) override;
    void SetPan(int pan) override;
    bool Play(bool loop, bool autoRelease) override;
    void Stop() override;
    bool IsPlaying() override;
    bool IsDiscarded() override;
    double GetVolume() override;

    // Re-applies the volume after the manager's effects volume changed.
    void RefreshVolume() { ApplyVolume(); }
    // Stops as Stop does but keeps the auto-release flag, for the manager's stop-all.
    void StopKeepingAutoRelease()
    {
        const bool autoRelease = mAutoRelease;
        Stop();
        mAutoRelease = autoRelease;
    }
    // The voice it plays on; null for a silent instance.
    const platform::Voice* GetVoice() const { return mVoice.get(); }

private:
    void ApplyVolume();
    void ApplyPan();

    DSoundManager* mManager;
    std::unique_ptr<platform::Voice> mVoice;
    bool mAutoRelease = false;
    bool mHasPlayed = false;
    bool mDiscarded = false;
    int mBasePan = 0;
    double mBaseVolume = 1.0;
    int mPan = 0;
    double mVolume = 1.0;
    uint32_t mBaseFrequency = 44100;
};

} // namespace Quib
