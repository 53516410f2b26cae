#include "framework/foundation/Buffer.h"
#include "framework/services/DemoRecorder.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Random.h"
#include "tests/framework/services/DemoTestSupport.h"

#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <map>
#include <thread>

using namespace Quib;
using namespace platform;

namespace
{

constexpr uint32_t kMainWindow = 1;
constexpr uint32_t kInvisibleWindow = 2;
const std::string kVersion = "1.0.7";

// The window shows the 800 x 600 screen at twice its size: mouse messages
// come in window pixels and reach the widgets halved.
void mapMouse(int& x, int& y)
{
    x /= 2;
    y /= 2;
}

Message mouse(uint32_t id, int x, int y)
{
    return {kMainWindow, id, 0, makeLParam(x, y)};
}

// Input the scripted run receives before the update with that count.
std::multimap<int, Message> script()
{
    return {
        {0, {kMainWindow, WM_ACTIVATEAPP, 1, 0}},
        {1, mouse(WM_MOUSEMOVE, 400, 300)},
        {2, mouse(WM_MOUSEMOVE, 420, 290)},
        {2, mouse(WM_LBUTTONDOWN, 420, 290)},
        {3, mouse(WM_LBUTTONUP, 420, 290)},
        {3, mouse(WM_LBUTTONDBLCLK, 420, 290)},
        {5, mouse(WM_RBUTTONDOWN, 1500, 20)},
        {5, mouse(WM_RBUTTONUP, 1502, 22)},
        {6, {kMainWindow, WM_KEYDOWN, 'A', 0}},
        {6, {kMainWindow, WM_CHAR, 'a', 0}},
        {7, {kMainWindow, WM_KEYUP, 'A', 0}},
        {8, {kMainWindow, WM_MOUSEWHEEL, uintptr_t(uint32_t(-240) << 16), makeLParam(10, 10)}},
        {9, {kMainWindow, WM_ACTIVATEAPP, 0, 0}},
        {9, {kMainWindow, WM_SIZE, SIZE_MINIMIZED, 0}},
        {10, {kMainWindow, WM_SIZE, SIZE_RESTORED, 0}},
        {10, {kMainWindow, WM_ACTIVATEAPP, 1, 0}},
        {45, mouse(WM_MBUTTONDOWN, 10, 10)},
        {45, mouse(WM_MBUTTONUP, 10, 10)},
        {80, {kMainWindow, WM_SYSKEYDOWN, 0x12, 0}},
        {81, {kMainWindow, WM_CLOSE, 0, 0}},
    };
}

// What the input step does with a live message, in the words of the call log.
void dispatchLive(const Message& message, DemoTest::CallLog& log)
{
    switch (message.message)
    {
    case WM_ACTIVATEAPP:
        log.ReplayActivation(message.wParam != 0);
        return;
    case WM_SIZE:
        log.ReplayMinimised(message.wParam == SIZE_MINIMIZED);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        log.KeyDown(uint32_t(message.wParam));
        return;
    case WM_KEYUP:
        log.KeyUp(uint32_t(message.wParam));
        return;
    case WM_CHAR:
        log.KeyChar(uint8_t(message.wParam));
        return;
    case WM_MOUSEWHEEL:
        log.MouseWheel(hiWordSigned(intptr_t(message.wParam)) / WHEEL_DELTA);
        return;
    case WM_CLOSE:
        log.ReplayClose();
        return;
    default:
        break;
    }
    int x = loWordSigned(message.lParam);
    int y = hiWordSigned(message.lParam);
    mapMouse(x, y);
    log.MouseMove(x, y);
    switch (message.message)
    {
    case WM_LBUTTONDOWN:
        log.MouseDown(x, y, 1);
        break;
    case WM_LBUTTONUP:
        log.MouseUp(x, y, 1);
        break;
    case WM_LBUTTONDBLCLK:
        log.MouseDown(x, y, 2);
        break;
    case WM_RBUTTONDOWN:
        log.MouseDown(x, y, -1);
        break;
    case WM_RBUTTONUP:
        log.MouseUp(x, y, -1);
        break;
    case WM_MBUTTONDOWN:
        log.MouseDown(x, y, 3);
        break;
    case WM_MBUTTONUP:
        log.MouseUp(x, y, 3);
        break;
    default:
        break;
    }
}

// A small application run: input, a loading thread that finishes while
// updates go on, game logic that draws random numbers every update and
// reads a save file and the clipboard at fixed points. The loading thread
// ends only when the run lets it, so where loading ends is up to the test and
// not to the scheduler.
class ScriptedRun
{
public:
    explicit ScriptedRun(std::string saveFile) : mSaveFile(std::move(saveFile)) {}

    DemoRecorder mDemo{[this] { return mUpdateCount; }};
    int mUpdateCount = 0;
    DemoTest::CallLog mLog{mUpdateCount};
    std::string mClipboard;

    void Record(int updates)
    {
        StartLoading();
        mLog.ReplayDisplayMode(true, 60);
        mDemo.RecordDisplayMode(true, 60);
        const auto input = script();
        while (mUpdateCount < updates)
        {
            auto [first, last] = input.equal_range(mUpdateCount);
            for (auto it = first; it != last; ++it)
            {
                mDemo.RecordMessage(it->second, kMainWindow, kInvisibleWindow, mapMouse);
                dispatchLive(it->second, mLog);
            }
            // The recording run lets loading end at a fixed point and waits
            // for it, so that playback has to hold its own, earlier end back.
            if (mUpdateCount == 30)
            {
                mLoadingMayEnd.set_value();
                mLoading.join();
            }
            if (mLoadingDone && !mLoadingHandled)
            {
                mLoadingHandled = true;
                mLog.Add("loading handled");
                mDemo.RecordLoadingDone();
            }
            ++mUpdateCount;
            Update();
        }
    }

    void Play(const std::string& demoFile)
    {
        std::string error;
        ASSERT_TRUE(mDemo.ReadDemoFile(demoFile, kVersion, error)) << error;
        StartLoading();
        mLoadingMayEnd.set_value();
        // The first recorded event is the display mode.
        mDemo.ReplayDemoEvents(mLog);
        while (mUpdateCount < mDemo.DemoLength())
        {
            mDemo.ReplayDemoEvents(mLog);
            if (mLoadingDone && !mLoadingHandled && mDemo.LoadingFinishedInDemo())
            {
                mLoadingHandled = true;
                mLog.Add("loading handled");
            }
            if (!mDemo.AllowsUpdate(mUpdateCount, mLoadingHandled))
            {
                std::this_thread::yield();
                continue;
            }
            ++mUpdateCount;
            Update();
        }
        if (mLoading.joinable())
            mLoading.join();
    }

private:
    void StartLoading()
    {
        mLoading = std::thread(
            [this, mayEnd = mLoadingMayEnd.get_future()]
            {
                // The loading thread draws from its own sequence and leaves the
                // main thread's alone.
                platform::srand(7);
                platform::rand();
                mayEnd.wait();
                mLoadingDone = true;
            });
    }

    void Update()
    {
        mLog.Add("rand " + std::to_string(platform::rand()));
        if (mUpdateCount == 12)
        {
            Buffer save;
            const bool read = mDemo.ReadBufferFromFile(mSaveFile, save);
            mLog.Add("save " + std::to_string(read) + " " + save.GetText());
            mLog.Add("exists " + std::to_string(mDemo.FileExists(mSaveFile)));
        }
        if (mUpdateCount == 14)
        {
            Buffer save;
            save.PutText("written at 14");
            mLog.Add("write " + std::to_string(mDemo.WriteBufferToFile(mSaveFile, save)));
        }
        if (mUpdateCount == 16)
        {
            std::string text = mClipboard;
            mDemo.RecordOrReplayString(text);
            mLog.Add("clipboard " + text);
        }
    }

    std::string mSaveFile;
    std::promise<void> mLoadingMayEnd;
    std::thread mLoading;
    std::atomic<bool> mLoadingDone{false};
    bool mLoadingHandled = false;
};

TEST(DemoRunTest, PlaybackRepeatsTheRecordedRunCallForCall)
{
    DemoTest::ScratchFolder folder("demo-run");
    const std::string demoFile = folder.File("quibapp.dmo");
    const std::string saveFile = folder.File("profile.dat");
    Buffer original;
    original.PutText("level 3");
    ASSERT_TRUE(writeFile(saveFile, original.Bytes(), original.ByteCount()));

    ScriptedRun recording(saveFile);
    recording.mClipboard = "copied while recording";
    recording.mDemo.StartRecording(0x5EED1234);
    recording.Record(90);
    ASSERT_TRUE(recording.mDemo.WriteDemoFile(demoFile, kVersion));

    // The world changes between the runs: another save file, another
    // clipboard, another seed, and loading that may end at once.
    Buffer changed;
    changed.PutText("level 9");
    ASSERT_TRUE(writeFile(saveFile, changed.Bytes(), changed.ByteCount()));
    platform::srand(1);

    ScriptedRun playback(saveFile);
    playback.mClipboard = "something else";
    playback.Play(demoFile);

    EXPECT_EQ(playback.mLog.mEntries, recording.mLog.mEntries);
    EXPECT_EQ(playback.mUpdateCount, 90);

    // Spot checks that the log holds what it should.
    const auto& log = recording.mLog.mEntries;
    auto has = [&](const std::string& entry)
    { return std::find(log.begin(), log.end(), entry) != log.end(); };
    EXPECT_TRUE(has("12 save 1 level 3"));
    EXPECT_TRUE(has("12 exists 1"));
    EXPECT_TRUE(has("14 write 1"));
    EXPECT_TRUE(has("16 clipboard copied while recording"));
    EXPECT_TRUE(has("5 move 750,10"));
    EXPECT_TRUE(has("5 up 751,11 -1"));
    EXPECT_TRUE(has("8 wheel -2"));
    EXPECT_TRUE(has("30 loading handled"));

    // Playback wrote nothing over the changed save file.
    const auto after = readFile(saveFile);
    ASSERT_TRUE(after.has_value());
    Buffer afterBuffer;
    afterBuffer.AssignBytes(after->data(), after->size());
    EXPECT_EQ(afterBuffer.GetText(), "level 9");
}

} // namespace
