#include "framework/foundation/Buffer.h"
#include "framework/services/DemoRecorder.h"
#include "platform/FileWriteErrors.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "tests/framework/services/DemoTestSupport.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>

using namespace Quib;
using namespace platform;

namespace
{

// A recorder and a player over the same stream, without a file between them.
struct Pair
{
    int update = 0;
    DemoRecorder recorder{[this] { return update; }};
    int playUpdate = 0;
    DemoRecorder player{[this] { return playUpdate; }};
    DemoTest::CallLog log{playUpdate};

    Pair() { recorder.StartRecording(3); }

    void Message(uint32_t id, uintptr_t wParam, int x, int y)
    {
        recorder.RecordMessage({1, id, wParam, makeLParam(x, y)}, 1, 2, nullptr);
    }

    // Plays everything recorded so far, up to `lastUpdate`.
    void Play(int lastUpdate, const std::string& productVersion = "v")
    {
        DemoTest::ScratchFolder folder("demo-stream");
        ASSERT_TRUE(recorder.WriteDemoFile(folder.File("s.dmo"), productVersion));
        std::string error;
        ASSERT_TRUE(player.ReadDemoFile(folder.File("s.dmo"), productVersion, error)) << error;
        for (playUpdate = 0; playUpdate <= lastUpdate; ++playUpdate)
            player.ReplayDemoEvents(log);
    }
};

TEST(DemoStreamTest, MouseMovesAreRelativeOnlyWithinThirtyOnePixels)
{
    struct Case
    {
        int x, y;
        int64_t bits; // the size of the recorded move
    };
    const Case cases[] = {
        {31, -31, 18}, // relative: header 6 bits, 2 x 6 bits
        {32, 0, 34},   // absolute: header 10 bits, 2 x 12 bits
        {0, -32, 34},
        {0, 0, 0}, // no move at all
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        Pair pair;
        pair.Message(WM_MOUSEMOVE, 0, 100, 100);
        const int64_t before = pair.recorder.Stream().Data().BitSize();
        pair.Message(WM_MOUSEMOVE, 0, 100 + c.x, 100 + c.y);
        EXPECT_EQ(pair.recorder.Stream().Data().BitSize() - before, c.bits);
        pair.Play(0);
        EXPECT_EQ(pair.log.mEntries.back(),
                  "0 move " + std::to_string(100 + c.x) + "," + std::to_string(100 + c.y));
    }
}

TEST(DemoStreamTest, ButtonsWheelAndCoordinatesReplayAsRecorded)
{
    Pair pair;
    pair.Message(WM_LBUTTONDBLCLK, 0, 10, 10);
    pair.update = 1;
    pair.Message(WM_RBUTTONUP, 0, 10, 10);
    pair.Message(WM_MOUSEWHEEL, uintptr_t(uint32_t(-120) << 16), 10, 10);
    pair.update = 2;
    // Beyond 4095 a coordinate wraps; later relative moves start from the
    // wrapped position on both sides.
    pair.Message(WM_MOUSEMOVE, 0, 4100, 5);
    pair.Message(WM_MOUSEMOVE, 0, 4110, 5);
    pair.Play(2);
    EXPECT_EQ(pair.log.mEntries, (std::vector<std::string>{"0 move 10,10", "0 down 10,10 2", "1 up 10,10 -1",
                                                           "1 wheel -1", "2 move 4,5", "2 move 14,5"}));
}

TEST(DemoStreamTest, PaddingAtTheEndNeverReplaysAsAMove)
{
    // A close is 10 bits; the 6 zero bits after it would read as the start
    // of "move to (0, 0)".
    Pair pair;
    pair.Message(WM_CLOSE, 0, 0, 0);
    EXPECT_EQ(pair.recorder.Stream().Data().ByteCount(), 2u);
    pair.Play(3);
    EXPECT_EQ(pair.log.mEntries, (std::vector<std::string>{"0 close"}));
    EXPECT_TRUE(pair.player.AllowsUpdate(3, false));
}

TEST(DemoStreamTest, UpdatesWaitForDueEventsAndTheRecordedLoadingState)
{
    Pair pair;
    pair.update = 20;
    pair.recorder.RecordLoadingDone();
    DemoTest::ScratchFolder folder("demo-wait");
    ASSERT_TRUE(pair.recorder.WriteDemoFile(folder.File("w.dmo"), "v"));
    std::string error;
    ASSERT_TRUE(pair.player.ReadDemoFile(folder.File("w.dmo"), "v", error));

    EXPECT_TRUE(pair.player.AllowsUpdate(0, false));
    EXPECT_FALSE(pair.player.AllowsUpdate(0, true)); // loading handled before the recording had it
    pair.playUpdate = 15;
    pair.player.ReplayDemoEvents(pair.log); // the filler at 15
    EXPECT_TRUE(pair.player.AllowsUpdate(15, false));
    pair.playUpdate = 20;
    EXPECT_FALSE(pair.player.AllowsUpdate(20, false)); // the loading event is due
    pair.player.ReplayDemoEvents(pair.log);
    EXPECT_TRUE(pair.player.LoadingFinishedInDemo());
    EXPECT_FALSE(pair.player.AllowsUpdate(20, false));
    EXPECT_TRUE(pair.player.AllowsUpdate(20, true));
}

// A file too large to be a save file is not read whole into memory: it counts
// as unreadable, and the recording says so. A failed write tells why.
TEST(DemoStreamTest, OversizedReadsFailAndFailedWritesKeepTheirReason)
{
    DemoTest::ScratchFolder folder("demo-limits");
    const std::string huge = folder.File("huge.dat");
    ASSERT_TRUE(writeFile(huge, "x", 1));
    std::filesystem::resize_file(huge, (uint64_t(1) << 28) + 1);

    Pair pair;
    Buffer buffer;
    EXPECT_FALSE(pair.recorder.ReadBufferFromFile(huge, buffer));
    {
        ScopedWriteFault full([](std::string_view) { return ENOSPC; });
        EXPECT_FALSE(pair.recorder.WriteBytesToFile(folder.File("save.dat"), "xy", 2));
        EXPECT_EQ(pair.recorder.LastWriteError(), ENOSPC);
    }
    EXPECT_TRUE(pair.recorder.WriteBytesToFile(folder.File("save.dat"), "xy", 2));
    EXPECT_EQ(pair.recorder.LastWriteError(), 0);
    pair.Play(-1);
    EXPECT_FALSE(pair.player.ReadBufferFromFile(huge, buffer));
    EXPECT_FALSE(pair.player.WriteBytesToFile(folder.File("save.dat"), "zz", 2));
    EXPECT_TRUE(pair.player.WriteBytesToFile(folder.File("save.dat"), "zz", 2));
}

TEST(DemoStreamTest, OutsideResultsDuringPlaybackAndAfterARealClose)
{
    DemoTest::ScratchFolder folder("demo-outside");
    const std::string real = folder.File("real.dat");
    const std::string target = folder.File("sub/target.dat");
    ASSERT_TRUE(writeFile(real, "abc", 3));

    Pair pair;
    Buffer buffer;
    EXPECT_TRUE(pair.recorder.WriteBytesToFile(target, "xy", 2));
    EXPECT_FALSE(pair.recorder.FileExists(folder.File("none")));
    EXPECT_FALSE(pair.recorder.ReadBufferFromFile(folder.File("none"), buffer));
    EXPECT_TRUE(pair.recorder.ReadBufferFromFile(real, buffer, true)); // not recorded
    bool flag = true;
    pair.recorder.RecordOrReplayBool(flag);
    ASSERT_TRUE(removeFile(target));
    pair.Play(-1);

    // Playback returns what was recorded and touches nothing.
    EXPECT_TRUE(pair.player.WriteBytesToFile(target, "zz", 2));
    EXPECT_FALSE(fileExists(target));
    ASSERT_TRUE(writeFile(folder.File("none"), "now here", 8));
    EXPECT_FALSE(pair.player.FileExists(folder.File("none")));
    EXPECT_FALSE(pair.player.ReadBufferFromFile(folder.File("none"), buffer));
    // The do-not-record flag reads the real file even during playback.
    ASSERT_TRUE(pair.player.ReadBufferFromFile(real, buffer, true));
    EXPECT_EQ(buffer.ByteCount(), 3u);
    bool live = false;
    pair.player.RecordOrReplayBool(live);
    EXPECT_TRUE(live);

    // After a real close the fixed answers stand in and nothing is read.
    pair.player.SetWindowClosed();
    EXPECT_FALSE(pair.player.ReadBufferFromFile(real, buffer));
    EXPECT_TRUE(pair.player.FileExists(folder.File("nothing")));
    EXPECT_TRUE(pair.player.WriteBytesToFile(target, "zz", 2));
    EXPECT_FALSE(fileExists(target));
    EXPECT_TRUE(pair.player.ReplayRegistryWrite());
    EXPECT_FALSE(pair.player.ReplayRegistryRead().has_value());
    std::string text = "live";
    pair.player.RecordOrReplayString(text);
    EXPECT_EQ(text, "live");
}

TEST(DemoStreamTest, HttpResultsGoOnlyToTheirOwnTransfer)
{
    Pair pair;
    pair.update = 4;
    pair.recorder.RecordHttpResult(7, 0, "<scores/>");
    pair.recorder.RecordHttpResult(8, 2, "ignored on failure");
    pair.recorder.RecordMessage({1, WM_KEYDOWN, 'Q', 0}, 1, 2, nullptr);
    pair.Play(-1);

    uint8_t code = 99;
    std::string text;
    pair.playUpdate = 3;
    EXPECT_FALSE(pair.player.ReplayHttpResult(7, code, text)); // not due yet
    pair.playUpdate = 4;
    EXPECT_FALSE(pair.player.ReplayHttpResult(8, code, text)); // the due one is transfer 7's
    EXPECT_EQ(code, 99);
    ASSERT_TRUE(pair.player.ReplayHttpResult(7, code, text));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(text, "<scores/>");
    ASSERT_TRUE(pair.player.ReplayHttpResult(8, code, text));
    EXPECT_EQ(code, 2);
    EXPECT_EQ(text, "");
    // The key event is still there for the input replay.
    EXPECT_FALSE(pair.player.ReplayHttpResult(8, code, text));
    pair.player.ReplayDemoEvents(pair.log);
    EXPECT_EQ(pair.log.mEntries, (std::vector<std::string>{"4 keydown 81"}));
}

TEST(DemoStreamTest, RecordedPayloadSizesAreBoundedByTheStream)
{
    // A registry read that claims more bytes than the stream holds gives no
    // value instead of reading zeros into a giant buffer.
    int update = 0;
    DemoRecorder player([&] { return update; });
    DemoTest::ScratchFolder folder("demo-bounds");
    std::vector<uint8_t> bytes = {0x78, 0xEF, 0xBE, 0x42, 2, 0, 0, 0, 0, 0, 0, 0, 0,
                                  0,    4,    0,    0,    0, 0, 0, 0, 0, 1, 0, 0, 0};
    // Event 11, found, type 4, size 0xFFFFFFFF, no bytes: the walk refuses it.
    Buffer stream;
    stream.PutBits(0, 4);
    stream.PutBits(0, 1);
    stream.PutBits(11, 5);
    stream.PutBits(1, 1);
    stream.PutU32(4);
    stream.PutU32(0xFFFFFFFF);
    bytes.insert(bytes.end(), stream.Bytes(), stream.Bytes() + stream.ByteCount());
    ASSERT_TRUE(writeFile(folder.File("b.dmo"), bytes.data(), bytes.size()));
    std::string error;
    EXPECT_FALSE(player.ReadDemoFile(folder.File("b.dmo"), "", error));
    EXPECT_EQ(error.rfind("Invalid demo file.", 0), 0u);
}

} // namespace
