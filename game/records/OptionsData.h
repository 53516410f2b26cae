#pragma once

#include "framework/foundation/Buffer.h"

#include <string>

class OptionsHost;

// The settings of the machine's user rather than of a player: three volumes,
// full screen or window, and whether a game has ever been completed.
struct OptionsData
{
    // A missing file is written with the values held. A file that cannot be
    // read shows "Could not read contents of options.dat" and keeps them.
    void Load(OptionsHost* host);
    bool Save() const;
    void ApplyScreenMode(OptionsHost& host) const;

    // The file layout: a full-screen byte, music, sound and ambient volumes
    // as 32-bit 1024ths, a completed byte. Volumes read are kept within 0 to 1.
    void Read(Quib::Buffer& buffer);
    void Write(Quib::Buffer& buffer) const;

    double GetSoundVolume() const { return mSoundVolume; }
    void SetSoundVolume(double volume) { mSoundVolume = volume; }
    double GetAmbientVolume() const { return mAmbientVolume; }
    void SetAmbientVolume(double volume) { mAmbientVolume = volume; }
    double GetMusicVolume() const { return mMusicVolume; }
    void SetMusicVolume(double volume) { mMusicVolume = volume; }
    bool GetFullscreen() const { return mFullscreen; }
    void SetFullscreen(bool fullscreen) { mFullscreen = fullscreen; }

    bool operator==(const OptionsData&) const = default;

    double mSoundVolume = 0.5;
    double mAmbientVolume = 0.33;
    double mMusicVolume = 0.66;
    bool mFullscreen = true;
    bool mGameCompleted = false;
};
