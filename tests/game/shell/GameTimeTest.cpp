#include "framework/foundation/Buffer.h"
#include "game/shell/GameClock.h"
#include "game/shell/Stopwatch.h"
#include "game/records/TimeValue.h"
#include "tests/game/shell/FakeGameTime.h"

#include <gtest/gtest.h>
#include <vector>

using shelltest::FakeGameTime;

namespace
{

TEST(GameClock, CountsOnlyWhileRunning)
{
    FakeGameTime time;
    GameClock& clock = time.Clock();
    EXPECT_EQ(gGameClock, &clock);
    EXPECT_TRUE(clock.IsRunning());
    time.AdvanceMicroseconds(1500);
    EXPECT_EQ(clock.GetTime(), 1);

    clock.Pause();
    EXPECT_FALSE(clock.IsRunning());
    clock.Pause();
    time.Advance(5000);
    EXPECT_EQ(clock.GetTime(), 1);

    clock.Resume();
    time.Advance(20);
    clock.Resume();
    time.Advance(20);
    EXPECT_EQ(clock.GetTime(), 41);

    clock.Reset();
    EXPECT_TRUE(clock.IsRunning());
    EXPECT_EQ(clock.GetTime(), 0);
    time.Advance(3);
    EXPECT_EQ(clock.GetTime(), 3);
}

TEST(GameClock, IsMadeAgainAfterItsDeletion)
{
    FakeGameTime time;
    time.Advance(100);
    GameClock::DeleteInstance();
    EXPECT_EQ(gGameClock, nullptr);
    EXPECT_EQ(GameClock::GetInstance().GetTime(), 0);
}

TEST(Stopwatch, SumsItsRunningPeriodsOnTheRealClockWhileTheGameClockIsPaused)
{
    FakeGameTime time;
    time.Clock().Pause();
    Stopwatch watch;
    time.Advance(100);
    EXPECT_EQ(watch.GetElapsedMs(), 0);

    const struct
    {
        bool running;
        uint32_t ms;
    } periods[] = {{true, 1500}, {false, 700}, {true, 250}, {false, 10}, {true, 60'000}};
    for (const auto& period : periods)
    {
        if (period.running)
        {
            watch.Start();
            watch.Start();
        }
        else
        {
            watch.Stop();
            watch.Stop();
        }
        time.Advance(period.ms);
    }
    EXPECT_TRUE(watch.IsRunning());
    EXPECT_EQ(watch.GetElapsedMs(), 61'750);
    EXPECT_EQ(watch.GetElapsed(), TimeValue(0, 1, 1, 750));
    watch.Stop();
    time.Advance(1000);
    EXPECT_EQ(watch.GetElapsedMs(), 61'750);
}

TEST(Stopwatch, RestartClearsOnlyARunningStopwatch)
{
    FakeGameTime time;
    Stopwatch watch;
    watch.Start();
    time.Advance(300);
    watch.Stop();
    watch.Restart();
    EXPECT_EQ(watch.GetElapsedMs(), 300);
    watch.Start();
    time.Advance(50);
    watch.Restart();
    time.Advance(20);
    EXPECT_EQ(watch.GetElapsedMs(), 20);
}

TEST(Stopwatch, CountdownReportsTheSameRemainderAndExpiryWhilePaused)
{
    FakeGameTime time;
    Stopwatch watch;
    watch.SetLimit(0, 2, 0, 0);
    EXPECT_EQ(watch.GetRemaining(), TimeValue(0, 2, 0, 0));
    watch.Start();
    time.Advance(119'999);
    watch.Stop();
    EXPECT_EQ(watch.GetRemaining(), TimeValue(0, 0, 0, 1));
    EXPECT_FALSE(watch.IsExpired());
    time.Advance(10'000);
    EXPECT_EQ(watch.GetRemaining(), TimeValue(0, 0, 0, 1));
    EXPECT_FALSE(watch.IsExpired());

    watch.Start();
    time.Advance(1);
    EXPECT_TRUE(watch.IsExpired());
    EXPECT_EQ(watch.GetRemaining(), TimeValue());
    time.Advance(61'001);
    EXPECT_EQ(watch.GetRemaining(), TimeValue(0, -1, -1, -1));
}

TEST(Stopwatch, AFreedTimerReadsZeroAndIgnoresItsControls)
{
    FakeGameTime time;
    Stopwatch watch;
    watch.SetLimit(0, 0, 5, 0);
    watch.Start();
    time.Advance(2000);
    watch.FreeTimer();
    watch.Start();
    watch.Restart();
    watch.Stop();
    EXPECT_FALSE(watch.IsRunning());
    EXPECT_EQ(watch.GetElapsedMs(), 0);
    EXPECT_EQ(watch.GetElapsed(), TimeValue());
    EXPECT_EQ(watch.GetRemaining(), TimeValue());
}

TEST(Stopwatch, ElapsedTimeBeyondThe32BitRangeSaturates)
{
    FakeGameTime time;
    Stopwatch watch;
    watch.Start();
    time.AdvanceMicroseconds(uint64_t(3'000'000'000) * 1000);
    EXPECT_EQ(watch.GetElapsedMs(), 2'147'483'647);
}

TEST(TimeValue, SplitsMillisecondsTruncatingTowardZero)
{
    const struct
    {
        int32_t ms;
        TimeValue value;
    } cases[] = {
        {0, {0, 0, 0, 0}},
        {999, {0, 0, 0, 999}},
        {61'001, {0, 1, 1, 1}},
        {3'600'000, {1, 0, 0, 0}},
        {3'599'999, {0, 59, 59, 999}},
        {-1, {0, 0, 0, -1}},
        {-3'661'001, {-1, -1, -1, -1}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.ms);
        EXPECT_EQ(TimeValue::FromMilliseconds(c.ms), c.value);
        EXPECT_EQ(c.value.ToMilliseconds(), double(c.ms));
    }
}

TEST(TimeValue, AddCarriesIntoMinutesAndHours)
{
    const struct
    {
        TimeValue start;
        TimeValue added;
        TimeValue sum;
    } cases[] = {
        {{}, {0, 59, 59, 999}, {0, 59, 59, 999}},
        {{0, 59, 59, 999}, {0, 0, 0, 1}, {1, 0, 0, 0}},
        {{}, {0, 0, 0, 3'725'001}, {1, 2, 5, 1}},
        {{5, 30, 30, 500}, {1, 30, 30, 500}, {7, 1, 1, 0}},
        {{40'000, 0, 0, 0}, {0, 125, 0, 0}, {40'002, 5, 0, 0}},
        {{0, 0, 0, 0}, {0, 0, 0, -1500}, {0, 0, -1, -500}},
    };
    for (const auto& c : cases)
    {
        TimeValue value = c.start;
        value.Add(c.added.mHours, c.added.mMinutes, c.added.mSeconds, c.added.mMilliseconds);
        EXPECT_EQ(value, c.sum) << c.start.Format() << " + " << c.added.Format();
    }
    TimeValue value(3, 4, 5, 6);
    value.Clear();
    EXPECT_EQ(value, TimeValue());
}

TEST(TimeValue, FormatShowsHoursMinutesAndSeconds)
{
    const struct
    {
        TimeValue value;
        const char* text;
    } cases[] = {
        {{0, 5, 7, 999}, "00:05:07"},
        {{12, 0, 59, 0}, "12:00:59"},
        {{123, 4, 5, 0}, "123:04:05"},
        {{0, 0, -3, 0}, "00:00:-3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value.Format(), c.text);
}

TEST(TimeValue, SaveFormIsFourLittleEndian16BitValuesReadBackSigned)
{
    const struct
    {
        TimeValue written;
        std::vector<uint8_t> bytes;
        TimeValue read;
    } cases[] = {
        {{1, 2, 3, 4}, {1, 0, 2, 0, 3, 0, 4, 0}, {1, 2, 3, 4}},
        {{32767, 59, 59, 999}, {0xFF, 0x7F, 59, 0, 59, 0, 0xE7, 0x03}, {32767, 59, 59, 999}},
        {{32768, 0, 0, 0}, {0x00, 0x80, 0, 0, 0, 0, 0, 0}, {-32768, 0, 0, 0}},
        {{65537, -1, 0, 0}, {0x01, 0x00, 0xFF, 0xFF, 0, 0, 0, 0}, {1, -1, 0, 0}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.written.Format());
        Quib::Buffer buffer;
        c.written.Write(buffer);
        ASSERT_EQ(buffer.ByteCount(), 8u);
        EXPECT_EQ(std::vector<uint8_t>(buffer.Bytes(), buffer.Bytes() + 8), c.bytes);
        TimeValue read(9, 9, 9, 9);
        read.Read(buffer);
        EXPECT_EQ(read, c.read);
    }
    Quib::Buffer shortBuffer;
    shortBuffer.PutU16(7);
    TimeValue read(9, 9, 9, 9);
    read.Read(shortBuffer);
    EXPECT_EQ(read, TimeValue(7, 0, 0, 0));
}

} // namespace
