#pragma once

#include "framework/services/DemoFile.h"
#include "framework/services/DemoStream.h"
#include "platform/Messages.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace Quib
{

class DemoReplayTarget;

// Demo recording and playback: the input and the outside results of a run
// written into one event stream, and handed back in place of the real ones
// when the stream is played, so that a deterministic program repeats the run.
class DemoRecorder
{
public:
    // The application's count of logic updates, which stamps every event.
    using UpdateCounter = std::function<int()>;
    explicit DemoRecorder(UpdateCounter updateCount);

    // Recording begins with an empty stream. Both random generators (the
    // framework's and the C runtime's the game draws from) start from the
    // seed, which the file keeps for playback.
    void StartRecording(uint32_t randomSeed);
    // Reads the demo file and arms playback, reseeding both generators with
    // the recorded seed. False with the text the user sees.
    bool ReadDemoFile(const std::string& fileName, const std::string& productVersion, std::string& error);
    void StartPlayback(DemoFileHeader header, const Buffer& events);
    // When recording: the file, written atomically. False when it could not be.
    bool WriteDemoFile(const std::string& fileName, const std::string& productVersion);

    bool IsRecording() const { return mRecording; }
    bool IsPlaying() const { return mPlaying; }
    // A real close reached the queued-message step: playback stops standing in
    // for outside results.
    void SetWindowClosed() { mWindowClosed = true; }
    bool IsWindowClosed() const { return mWindowClosed; }
    bool StandsInForOutside() const { return mPlaying && !mWindowClosed; }

    uint32_t RandomSeed() const { return mRandomSeed; }
    int DemoLength() const { return mDemoLength; }
    const std::vector<DemoMarker>& Markers() const { return mMarkers; }
    bool LoadingFinishedInDemo() const { return mLoadingFinishedInDemo; }
    DemoStream& Stream() { return mStream; }

    // Recording the input the queued-message step hands on. Mouse coordinates
    // are taken in the application's space (mapped by `mapMouse`), the space
    // playback hands them back in.
    void RecordMessage(const platform::Message& message, uint32_t mainWindow, uint32_t invisibleWindow,
                       const std::function<void(int&, int&)>& mapMouse);
    void RecordMouseEnterLeave(bool entered);
    // Where the recorded pointer stands, in the application's space; any thread.
    void RecordedMousePosition(int& x, int& y) const
    {
        x = mMouseX;
        y = mMouseY;
    }
    void RecordLoadingDone();
    void RecordDisplayMode(bool windowed, int refreshRate);
    void WriteFiller();

    // Playback: applies the recorded input due at the current update.
    void ReplayDemoEvents(DemoReplayTarget& target);
    // Playback at start-up: applies the first event when it is the display
    // mode, so that the window is made in the recorded mode.
    void ReplayStartDisplayMode(DemoReplayTarget& target);
    // The run loop starts no update while the loading state differs from the
    // recording's or while a recorded event is due.
    bool AllowsUpdate(int updateCount, bool loadingHandled);

    // Outside results. Recording stores the live result; playback returns
    // the stored one (or the fixed answer after a real close).
    void RecordOrReplayBuffer(Buffer& buffer);
    void RecordOrReplayString(std::string& text);
    void RecordOrReplayBool(bool& flag);

    bool ReadBufferFromFile(const std::string& path, Buffer& buffer, bool doNotRecord = false);
    bool FileExists(const std::string& path);
    bool WriteBytesToFile(const std::string& path, const void* bytes, size_t count);
    bool WriteBufferToFile(const std::string& path, const Buffer& buffer);
    // The system's error number of the last write that really failed; 0 after
    // one that succeeded. A write that playback stood in for leaves it alone.
    int LastWriteError() const { return mLastWriteError; }

    // The registry layer's results (codes 11 and 12).
    void RecordRegistryWrite(bool success);
    bool ReplayRegistryWrite();
    struct RegistryValue
    {
        uint32_t mType = 0;
        std::vector<uint8_t> mData;
    };
    void RecordRegistryRead(const std::optional<RegistryValue>& value);
    std::optional<RegistryValue> ReplayRegistryRead();

    // The HTTP client's finished transfers (code 17). Playback hands a result
    // over only when the event due now is this transfer's; otherwise the event
    // stays where it is for its owner.
    void RecordHttpResult(uint32_t transfer, uint8_t resultCode, const std::string& resultText);
    bool ReplayHttpResult(uint32_t transfer, uint8_t& resultCode, std::string& resultText);

private:
    int Now() const { return mUpdateCount(); }
    // Playback of an outside result: takes the next event whatever its code.
    void TakeNextEvent();
    // A payload size that the rest of the stream can hold.
    std::optional<uint32_t> ReadPayloadSize();
    void RecordPointer(int x, int y);
    void ApplyEvent(DemoReplayTarget& target);

    UpdateCounter mUpdateCount;
    bool mRecording = false;
    bool mPlaying = false;
    bool mWindowClosed = false;
    int mLastWriteError = 0;
    DemoStream mStream;
    uint32_t mRandomSeed = 0;
    int mDemoLength = 0;
    std::vector<DemoMarker> mMarkers;
    bool mLoadingFinishedInDemo = false;
    // Written while events are replayed, read by the cursor thread.
    std::atomic<int> mMouseX{0};
    std::atomic<int> mMouseY{0};
};

} // namespace Quib
