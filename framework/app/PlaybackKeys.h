#pragma once

#include <cstdint>

namespace Quib
{

class MainLoop;

// The demo playback dialogs and sound toggle that playback keys open.
class PlaybackKeysHost
{
public:
    virtual ~PlaybackKeysHost() = default;
    virtual void ShowJumpToTimeDialog() = 0;
    virtual void ShowMarkerListDialog() = 0;
    virtual void ToggleDemoSound() = 0;
};

// A character typed while a demo plays: speed, fast-forward targets, pause,
// single steps and the playback dialogs. `lengthInUpdates` is the recording's
// length; other characters do nothing.
void HandlePlaybackKey(uint8_t key, MainLoop& loop, int lengthInUpdates, PlaybackKeysHost& host);

} // namespace Quib
