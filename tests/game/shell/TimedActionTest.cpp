#include "game/shell/ActionDelay.h"
#include "game/shell/ActionFunctor.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/LoopAction.h"
#include "game/shell/ParalelAction.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/Setter.h"
#include "game/shell/TriggerAction.h"
#include "tests/game/shell/FakeGameTime.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using shelltest::FakeGameTime;

namespace
{

// Counts the owner's calls of Update and notes in which call each id ended.
struct Owner : ActionListener
{
    void OnActionFinished(int id) override
    {
        ends.push_back(std::to_string(id) + "@" + std::to_string(call));
    }
    void Step(Action& action)
    {
        ++call;
        action.Update();
    }
    std::string Ends() const
    {
        std::string out;
        for (const auto& end : ends)
            out += (out.empty() ? "" : " ") + end;
        return out;
    }
    int call = 0;
    std::vector<std::string> ends;
};

template <class T> std::unique_ptr<Action> Set(T* target, T value)
{
    return std::make_unique<Setter<T>>(target, value);
}

template <class T> std::unique_ptr<Action> Tween(int ms, T* target, T delta)
{
    return std::make_unique<RelIncrementator<T>>(ActionTimer(ms), target, delta);
}

std::unique_ptr<Action> Delay(int ms)
{
    return std::make_unique<ActionDelay>(ActionTimer(ms));
}

// Ends inside its own Start, as an empty sequence does, and counts its starts.
struct InstantAction : Action
{
    explicit InstantAction(int* starts) : mStarts(starts) {}
    void Start(ActionListener* listener, int id) override
    {
        ++*mStarts;
        Action::Start(listener, id);
        Finish();
    }
    std::unique_ptr<Action> Clone() const override { return std::make_unique<InstantAction>(*this); }
    int* mStarts;
};

struct Counter
{
    void Bump() { ++count; }
    int count = 0;
};

TEST(TimedActions, SequenceOfTwoSettersWritesAtStartAndInCallTwoAndEndsInCallFour)
{
    FakeGameTime time;
    int value = 0;
    auto sequence = Then(Set(&value, 1), Set(&value, 2));
    Owner owner;
    std::vector<int> seen;
    sequence->Start(&owner, 7);
    seen.push_back(value);
    for (int i = 0; i < 5; ++i)
    {
        owner.Step(*sequence);
        seen.push_back(value);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 2, 2, 2, 2}));
    EXPECT_EQ(owner.Ends(), "7@4");
}

TEST(TimedActions, TweensStartFromTheTargetsValueAtStartAndEndExactlyOnStartPlusDelta)
{
    struct Case
    {
        const char* name;
        int startValue;
        int delta;
        int duration;
        std::vector<uint32_t> frames; // game milliseconds before each update
        std::vector<int> values;      // the target after each update
        int endCall;
    };
    const Case cases[] = {
        {"even frames", 0, 100, 200, {50, 50, 50, 50, 50}, {25, 50, 75, 100, 100}, 4},
        {"started off its construction value", 40, 100, 200, {100, 100}, {90, 140}, 2},
        {"one long frame", 0, 100, 200, {10, 5000}, {5, 100}, 2},
        {"negative delta truncates toward zero", 0, -10, 300, {100, 100, 100}, {-3, -6, -10}, 3},
        {"zero duration ends in the first update", 7, 3, 0, {0}, {10}, 1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        FakeGameTime time;
        int value = 12345;
        auto tween = Tween(c.duration, &value, c.delta);
        value = c.startValue;
        Owner owner;
        tween->Start(&owner, 3);
        std::vector<int> values;
        for (uint32_t ms : c.frames)
        {
            time.Advance(ms);
            owner.Step(*tween);
            values.push_back(value);
        }
        EXPECT_EQ(values, c.values);
        EXPECT_EQ(owner.Ends(), "3@" + std::to_string(c.endCall));
    }
}

TEST(TimedActions, FloatTweenLandsExactlyOnItsEnd)
{
    FakeGameTime time;
    float value = 0.25f;
    auto tween = Tween(300, &value, 0.1f);
    tween->Start(nullptr, 0);
    time.Advance(100);
    tween->Update();
    EXPECT_NEAR(value, 0.25f + 0.1f / 3, 1e-6);
    time.Advance(333);
    tween->Update();
    EXPECT_EQ(value, 0.25f + 0.1f);
    EXPECT_FALSE(tween->IsRunning());
}

TEST(TimedActions, DelaysEndInTheFirstUpdateAfterTheirTime)
{
    struct Case
    {
        int duration;
        std::vector<uint32_t> frames;
        int endCall;
    };
    const Case cases[] = {{0, {0}, 1}, {100, {99, 0, 1}, 3}, {100, {250}, 1}, {50, {20, 20, 20, 20}, 3}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.duration);
        FakeGameTime time;
        auto delay = Delay(c.duration);
        Owner owner;
        delay->Start(&owner, 1);
        for (uint32_t ms : c.frames)
        {
            time.Advance(ms);
            owner.Step(*delay);
        }
        EXPECT_EQ(owner.Ends(), "1@" + std::to_string(c.endCall));
    }
}

TEST(TimedActions, APausedGameClockHoldsDelaysAndTweensWhereTheyWere)
{
    FakeGameTime time;
    int value = 0;
    auto group = Parallel(Delay(100), Tween(100, &value, 100));
    Owner owner;
    group->Start(&owner, 9);
    time.Advance(60);
    owner.Step(*group);
    EXPECT_EQ(value, 60);

    time.Clock().Pause();
    time.Advance(10'000);
    owner.Step(*group);
    EXPECT_EQ(value, 60);
    EXPECT_TRUE(group->IsRunning());

    time.Clock().Resume();
    time.Advance(39);
    owner.Step(*group);
    EXPECT_EQ(value, 99);
    time.Advance(1);
    owner.Step(*group);
    owner.Step(*group);
    EXPECT_EQ(value, 100);
    EXPECT_EQ(owner.Ends(), "9@5");
}

TEST(TimedActions, EmptyGroupsEndInsideStart)
{
    for (auto* make : {+[]() -> std::unique_ptr<Action> { return std::make_unique<ActionSequence>(); },
                       +[]() -> std::unique_ptr<Action> { return std::make_unique<ParalelAction>(); }})
    {
        auto group = make();
        Owner owner;
        group->Start(&owner, 4);
        EXPECT_EQ(owner.Ends(), "4@0");
        EXPECT_FALSE(group->IsRunning());
    }
}

TEST(TimedActions, ParallelGroupStartsChildrenWithTheirIndexAndEndsAfterTheLastOne)
{
    FakeGameTime time;
    int a = 0;
    int b = 0;
    auto group = Parallel(Parallel(Set(&a, 1), Delay(30)), Set(&b, 2));
    auto& parallel = dynamic_cast<ParalelAction&>(*group);
    ASSERT_EQ(parallel.GetChildCount(), 3u);
    Owner owner;
    group->Start(&owner, 5);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(parallel.GetChild(i).GetId(), int(i));
        EXPECT_EQ(parallel.GetChild(i).GetListener(), &parallel);
    }
    owner.Step(*group);
    time.Advance(30);
    owner.Step(*group);
    EXPECT_EQ(owner.Ends(), "");
    owner.Step(*group);
    EXPECT_EQ(owner.Ends(), "5@3");
}

TEST(TimedActions, ChainingAppendsToTheSequenceItStartsFrom)
{
    int value = 0;
    auto chain = Then(Then(Set(&value, 1), Set(&value, 2)), Set(&value, 3));
    auto* sequence = dynamic_cast<ActionSequence*>(chain.get());
    ASSERT_NE(sequence, nullptr);
    EXPECT_EQ(sequence->GetChildCount(), 3u);
    EXPECT_NE(
        dynamic_cast<ActionSequence*>(Then(Parallel(Set(&value, 1), Set(&value, 2)), Set(&value, 3)).get()),
        nullptr);
}

TEST(TimedActions, SequenceHandsOverOneUpdateLateAndTellsEachChildItsIndex)
{
    FakeGameTime time;
    int value = 0;
    Counter counter;
    auto sequence =
        Then(Then(Delay(20), std::make_unique<TriggerAction>(
                                 std::make_unique<ActionFunctor<Counter>>(&counter, &Counter::Bump))),
             Tween(20, &value, 10));
    auto& children = dynamic_cast<ActionSequence&>(*sequence);
    Owner owner;
    sequence->Start(&owner, 2);
    std::vector<std::string> trace;
    for (int i = 0; i < 8; ++i)
    {
        time.Advance(10);
        owner.Step(*sequence);
        trace.push_back(std::to_string(counter.count) + "/" + std::to_string(value));
    }
    // Delay ends in call 2; trigger starts in 3, fires in 4; tween starts in 5 and
    // runs 10 ms per call from there; the sequence notices in the call after.
    EXPECT_EQ(trace, (std::vector<std::string>{"0/0", "0/0", "0/0", "1/0", "1/0", "1/5", "1/10", "1/10"}));
    EXPECT_EQ(owner.Ends(), "2@8");
    EXPECT_EQ(children.GetChild(2).GetId(), 2);
}

TEST(TimedActions, StoppingReportsNothingAndStopsEveryChild)
{
    FakeGameTime time;
    int value = 0;
    auto group = Parallel(Then(Delay(10), Set(&value, 5)), Delay(10));
    Owner owner;
    group->Start(&owner, 1);
    group->Stop();
    auto& parallel = dynamic_cast<ParalelAction&>(*group);
    EXPECT_FALSE(parallel.GetChild(0).IsRunning());
    EXPECT_FALSE(parallel.GetChild(1).IsRunning());
    time.Advance(100);
    for (int i = 0; i < 5; ++i)
        owner.Step(*group);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(owner.Ends(), "");

    group->Start(&owner, 1);
    for (int i = 0; i < 6; ++i)
    {
        time.Advance(10);
        owner.Step(*group);
    }
    EXPECT_EQ(value, 5);
    EXPECT_EQ(owner.Ends(), "1@10");
}

TEST(TimedActions, ForeverLoopNeverReportsAndRestartsItsBodyInTheUpdateItEnded)
{
    FakeGameTime time;
    int value = 0;
    LoopAction loop(Then(Set(&value, 0), Tween(100, &value, 10)));
    Owner owner;
    loop.Start(&owner, 6);
    std::vector<int> values;
    for (int i = 0; i < 8; ++i)
    {
        time.Advance(50);
        owner.Step(loop);
        values.push_back(value);
    }
    // The body's sequence ends one call after its tween; the loop starts it
    // again in that same call, so the setter writes at once.
    EXPECT_EQ(values, (std::vector<int>{0, 0, 5, 10, 0, 0, 0, 5}));
    EXPECT_EQ(owner.Ends(), "");
    loop.Stop();
    EXPECT_FALSE(loop.IsRunning());
    time.Advance(50);
    owner.Step(loop);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(owner.Ends(), "");
}

TEST(TimedActions, LoopWhoseBodyEndsInsideStartRestartsOncePerUpdate)
{
    int starts = 0;
    LoopAction loop(std::make_unique<InstantAction>(&starts));
    Owner owner;
    loop.Start(&owner, 1);
    EXPECT_EQ(starts, 1);
    for (int i = 0; i < 3; ++i)
        owner.Step(loop);
    EXPECT_EQ(starts, 4);
    EXPECT_TRUE(loop.IsRunning());
    loop.Stop();
    owner.Step(loop);
    EXPECT_EQ(starts, 4);

    LoopAction counted(std::make_unique<InstantAction>(&starts), 3);
    starts = 0;
    counted.Start(&owner, 2);
    owner.Step(counted);
    owner.Step(counted);
    EXPECT_EQ(starts, 3);
    EXPECT_EQ(owner.Ends(), "2@6");
}

TEST(TimedActions, ElapsedTimeSurvivesTheWrapOfTheClocksLow32Bits)
{
    FakeGameTime time;
    time.AdvanceMicroseconds((uint64_t(0xFFFFFFFFu) - 30) * 1000);
    int value = 0;
    auto tween = Tween(100, &value, 100);
    tween->Start(nullptr, 0);
    time.Advance(50);
    tween->Update();
    EXPECT_EQ(value, 50);
    time.Advance(50);
    tween->Update();
    EXPECT_EQ(value, 100);
    EXPECT_FALSE(tween->IsRunning());
}

TEST(TimedActions, ClonesCarryTheirStateAndRunOnTheirOwn)
{
    FakeGameTime time;
    int value = 0;
    int starts = 0;
    auto original =
        std::make_unique<LoopAction>(Then(Tween(100, &value, 10), std::make_unique<InstantAction>(&starts)));
    Owner owner;
    original->Start(&owner, 3);
    time.Advance(40);
    original->Update();
    EXPECT_EQ(value, 4);

    auto copy = original->Clone();
    original.reset();
    EXPECT_TRUE(copy->IsRunning());
    EXPECT_EQ(copy->GetId(), 3);
    EXPECT_EQ(copy->GetListener(), &owner);
    for (int i = 0; i < 6; ++i)
    {
        time.Advance(30);
        copy->Update();
    }
    // The copied tween kept its start time; its loop went round again after it.
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(value, 10 + 6);

    bool flag = false;
    auto setter = Set(&flag, true)->Clone();
    setter->Start(nullptr, 0);
    EXPECT_TRUE(flag);
}

} // namespace
