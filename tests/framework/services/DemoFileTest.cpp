#include "framework/services/DemoFile.h"

#include "framework/foundation/Buffer.h"
#include "framework/services/DemoEvents.h"
#include "framework/services/DemoRecorder.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "tests/framework/services/DemoTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;
using namespace platform;

namespace
{

std::vector<uint8_t> header(uint32_t version, const std::string& product)
{
    std::vector<uint8_t> bytes = {0x78, 0xEF, 0xBE, 0x42, uint8_t(version),        0, 0, 0,
                                  4,    3,    2,    1,    uint8_t(product.size()), 0};
    for (char c : product)
        bytes.push_back(uint8_t(c));
    return bytes;
}

void append(std::vector<uint8_t>& bytes, std::initializer_list<uint8_t> more)
{
    bytes.insert(bytes.end(), more);
}

TEST(DemoFileTest, SmallRecordingHasTheGoldenBytes)
{
    DemoTest::ScratchFolder folder("demo-golden");
    int update = 0;
    DemoRecorder demo([&] { return update; });
    demo.StartRecording(0x01020304);
    demo.RecordDisplayMode(true, 60);
    update = 20;
    demo.RecordMessage({1, WM_KEYDOWN, 0x41, 0}, 1, 0, nullptr);
    update = 22;
    ASSERT_TRUE(demo.WriteDemoFile(folder.File("golden.dmo"), "1.0"));

    // Display mode at 0 (windowed, 60 Hz); then 20 updates as delta 15, a
    // filler and delta 5 before key down 0x41.
    std::vector<uint8_t> expected = header(2, "1.0");
    append(expected, {4, 0, 0, 0, 0, 0, 0, 0});                   // marker block: no markers
    append(expected, {22, 0, 0, 0});                              // demo length
    append(expected, {0xE0, 0x06, 0xF0, 0xBC, 0x5F, 0x46, 0x10}); // event stream
    EXPECT_EQ(readFile(folder.File("golden.dmo")), expected);
}

TEST(DemoFileTest, ReadsMarkersSeedAndLengthAndReplaysTheStream)
{
    DemoTest::ScratchFolder folder("demo-markers");
    std::vector<uint8_t> bytes = header(2, "1.0");
    // Two markers: "a" at 7 and "boss" at 300.
    append(bytes, {21, 0, 0, 0, 2, 0, 0, 0, 1, 0, 'a', 7, 0, 0, 0, 4, 0, 'b', 'o', 's', 's', 0x2C, 1, 0, 0});
    append(bytes, {22, 0, 0, 0});
    append(bytes, {0xE0, 0x06, 0xF0, 0xBC, 0x5F, 0x46, 0x10});
    ASSERT_TRUE(writeFile(folder.File("m.dmo"), bytes.data(), bytes.size()));

    int update = 0;
    DemoRecorder demo([&] { return update; });
    std::string error;
    ASSERT_TRUE(demo.ReadDemoFile(folder.File("m.dmo"), "1.0", error)) << error;
    EXPECT_EQ(demo.RandomSeed(), 0x01020304u);
    EXPECT_EQ(demo.DemoLength(), 22);
    EXPECT_EQ(demo.Markers(), (std::vector<DemoMarker>{{"a", 7}, {"boss", 300}}));

    DemoTest::CallLog log(update);
    for (; update <= 22; ++update)
        demo.ReplayDemoEvents(log);
    EXPECT_EQ(log.mEntries, (std::vector<std::string>{"0 display 1 60", "20 keydown 65"}));
}

TEST(DemoFileTest, VersionOneHasNoMarkerBlock)
{
    DemoTest::ScratchFolder folder("demo-v1");
    std::vector<uint8_t> bytes = header(1, "1.0");
    append(bytes, {5, 0, 0, 0, 0x80, 0x01}); // length 5, then a close at update 0
    ASSERT_TRUE(writeFile(folder.File("v1.dmo"), bytes.data(), bytes.size()));

    int update = 0;
    DemoRecorder demo([&] { return update; });
    std::string error;
    ASSERT_TRUE(demo.ReadDemoFile(folder.File("v1.dmo"), "1.0", error)) << error;
    EXPECT_EQ(demo.DemoLength(), 5);
    EXPECT_TRUE(demo.Markers().empty());
}

TEST(DemoFileTest, RefusesBadFilesWithAClearMessage)
{
    DemoTest::ScratchFolder folder("demo-bad");
    const std::vector<uint8_t> emptyMarkers = {4, 0, 0, 0, 0, 0, 0, 0};
    auto file = [&](std::vector<uint8_t> tail, uint32_t version = 2, const std::string& product = "1.0")
    {
        std::vector<uint8_t> bytes = header(version, product);
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        return bytes;
    };
    auto withMarkers = [&](std::vector<uint8_t> tail)
    {
        std::vector<uint8_t> bytes = emptyMarkers;
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        return file(bytes);
    };
    struct Case
    {
        const char* what;
        std::vector<uint8_t> bytes;
        std::string error;
    };
    const std::string invalid = "Invalid demo file.";
    const std::vector<Case> cases = {
        {"wrong magic", {0x77, 0xEF, 0xBE, 0x42, 2, 0, 0, 0}, invalid},
        {"cut in the header", {0x78, 0xEF, 0xBE, 0x42, 2, 0}, invalid},
        {"other product", file({4, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0x80}, 2, "0.9"),
         "This demo file appears to be for '0.9'"},
        {"version text past the end",
         {0x78, 0xEF, 0xBE, 0x42, 2, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, '1'},
         invalid},
        {"marker block as long as the rest", file({9, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0x80}), invalid},
        {"marker block larger than the file", file({0xFF, 0xFF, 0xFF, 0xFF, 0}), invalid},
        {"fewer markers than counted", file({10, 0, 0, 0, 2, 0, 0, 0, 0, 0, 1, 0, 0, 0, 9, 0, 0, 0, 0x80}),
         invalid},
        {"a giant marker count", file({8, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0, 9, 0, 0, 0, 0x80}),
         invalid},
        {"no event byte", withMarkers({9, 0, 0, 0}), invalid},
        {"an unused event code", withMarkers({9, 0, 0, 0, 0x40, 0x01}), invalid},
        // A file read (code 15) that claims 4 GB of bytes.
        {"a payload past the end", withMarkers({9, 0, 0, 0, 0xE0, 0xFD, 0xFF, 0xFF, 0xFF, 0x07}), invalid},
        {"an event cut off", withMarkers({9, 0, 0, 0, 0x00, 0x00, 0x10}), invalid},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        const std::string name = folder.File("bad.dmo");
        ASSERT_TRUE(writeFile(name, c.bytes.data(), c.bytes.size()));
        int update = 0;
        DemoRecorder demo([&] { return update; });
        std::string error;
        EXPECT_FALSE(demo.ReadDemoFile(name, "1.0", error));
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
        EXPECT_FALSE(demo.IsPlaying());
        if (c.error == invalid)
        {
            EXPECT_NE(error.find("bad.dmo"), std::string::npos) << error;
        }
    }

    int update = 0;
    DemoRecorder demo([&] { return update; });
    std::string error;
    EXPECT_FALSE(demo.ReadDemoFile(folder.File("missing.dmo"), "1.0", error));
    EXPECT_EQ(error, "Demo file not found: " + folder.File("missing.dmo"));
}

TEST(DemoFileTest, WellFormedStreamsPassTheWalk)
{
    Buffer events;
    int update = 0;
    DemoRecorder demo([&] { return update; });
    demo.StartRecording(1);
    demo.RecordDisplayMode(false, 75);
    Buffer opaque;
    opaque.PutText("payload");
    demo.RecordOrReplayBuffer(opaque);
    demo.RecordRegistryRead(DemoRecorder::RegistryValue{4, {1, 2, 3, 4}});
    demo.RecordRegistryRead(std::nullopt);
    demo.RecordRegistryWrite(true);
    update = 100;
    demo.RecordMessage({1, WM_CHAR, 'x', 0}, 1, 0, nullptr);
    demo.WriteFiller();
    EXPECT_TRUE(IsDemoStreamWellFormed(demo.Stream().Data()));
}

} // namespace
