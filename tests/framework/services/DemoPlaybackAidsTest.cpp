#include "framework/services/PlaybackAids.h"
#include "platform/Environment.h"
#include "tests/framework/services/DemoTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;

namespace
{

TEST(DemoPlaybackAidsTest, MarkerListShowsTheMarkersAheadWithTheirTimeToTheEnd)
{
    const std::vector<DemoMarker> markers = {{"intro", 100}, {"boss", 4000}, {"end", 9000}};
    // At 10 ms a frame, "boss" lies 6000 updates (one minute) before the end.
    const auto entries = MarkerListEntries(markers, 500, 10000, 10);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].mText, "boss (00:01:00)");
    EXPECT_EQ(entries[0].mUpdate, 4000);
    EXPECT_EQ(entries[1].mText, "end (00:00:10)");
    EXPECT_TRUE(MarkerListEntries(markers, 9000, 10000, 10).empty());
    EXPECT_EQ(MarkerListEntries({{"long", 1}}, 0, 360001, 10)[0].mText, "long (01:00:00)");
}

TEST(DemoPlaybackAidsTest, TypedTimesCountBackFromTheEnd)
{
    struct Case
    {
        const char* text;
        int target;
    };
    // 100000 updates of 10 ms; the typed time plus one second, back from the end.
    const Case cases[] = {
        {"90", 100000 - 9100}, {"1:30", 100000 - 9100}, {"1:00:00", 100000 - 360100},
        {"0", 100000 - 100},   {"", 100000 - 100},      {"abc", 100000 - 100},
        {" 5x", 100000 - 600}, {"-5", 100000 + 400},    {"99999999999:99", INT32_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JumpTargetFromText(c.text, 100000, 10), c.target) << c.text;
    EXPECT_EQ(JumpTargetFromText("1", 1000, 0), 1000 - 2000); // no division by a zero frame time
}

TEST(DemoPlaybackAidsTest, JumpTimeIsKeptEvenWithTheEmptyKey)
{
    DemoTest::ScratchFolder folder("jumptime");
    platform::setEnv("XDG_CONFIG_HOME", folder.File("config"));
    EXPECT_EQ(LoadDemoJumpTime(""), "");
    SaveDemoJumpTime("", "1:30");
    EXPECT_EQ(LoadDemoJumpTime(""), "1:30");
    SaveDemoJumpTime("MyProduct\\", "2:00");
    EXPECT_EQ(LoadDemoJumpTime("MyProduct"), "2:00");
    EXPECT_EQ(LoadDemoJumpTime(""), "1:30");
    platform::setEnv("XDG_CONFIG_HOME", "");
}

} // namespace
