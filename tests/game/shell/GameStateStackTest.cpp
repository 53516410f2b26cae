#include "game/shell/GameStateStack.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using Log = std::vector<std::string>;

// A state that writes what it is told into a shared log and may act on it.
class LoggingState : public GameStateInterface
{
public:
    LoggingState(std::string name, Log& log) : mName(std::move(name)), mLog(log) {}

    void OnEntered(GameStateStack* stack) override { Note("entered", stack); }
    void OnLeft(GameStateStack* stack) override { Note("left", stack); }
    void OnCovered(GameStateStack* stack) override { Note("covered", stack); }
    void OnUncovered(GameStateStack* stack) override { Note("uncovered", stack); }

    std::function<void(const std::string&, GameStateStack*)> mReaction;

private:
    void Note(const std::string& what, GameStateStack* stack)
    {
        mLog.push_back(mName + " " + what + " (" + std::to_string(stack->mStates.size()) + ")");
        if (mReaction)
            mReaction(what, stack);
    }

    std::string mName;
    Log& mLog;
};

TEST(GameStateStackTest, PushAndPopTellTheStatesInOrder)
{
    Log log;
    GameStateStack stack;
    LoggingState a("a", log), b("b", log);
    PushGameState(&a, &stack);
    PushGameState(&b, &stack);
    PopGameState(&stack);
    PopGameState(&stack);
    PopGameState(&stack);
    EXPECT_EQ(log, (Log{"a entered (1)", "a covered (1)", "b entered (2)", "b left (1)", "a uncovered (1)",
                        "a left (0)"}));
    EXPECT_TRUE(stack.Empty());
}

TEST(GameStateStackTest, NullEntriesAreCarriedButNeverTold)
{
    Log log;
    GameStateStack stack;
    LoggingState a("a", log);
    PushGameState(nullptr, &stack);
    PushGameState(&a, &stack);
    PopGameState(&stack);
    PushGameState(&a, &stack);
    PopGameState(&stack);
    PopGameState(&stack);
    EXPECT_EQ(log, (Log{"a entered (2)", "a left (1)", "a entered (2)", "a left (1)"}));
    EXPECT_TRUE(stack.Empty());
}

TEST(GameStateStackTest, StatesThatPushFromTheirNoticesSeeTheStackAsItIsThen)
{
    Log log;
    GameStateStack stack;
    LoggingState menu("menu", log), intro("intro", log), dialog("dialog", log);
    // The intro replaces itself: it is already off the stack when it pushes the
    // menu, and the menu, now the top, is told it is uncovered as well.
    intro.mReaction = [&](const std::string& what, GameStateStack* s)
    {
        if (what == "left")
            PushGameState(&menu, s);
    };
    PushGameState(&intro, &stack);
    PopGameState(&stack);
    ASSERT_EQ(stack.Top(), &menu);

    // A screen that is uncovered is on top again when it reacts.
    menu.mReaction = [&](const std::string& what, GameStateStack* s)
    {
        if (what == "uncovered")
        {
            EXPECT_EQ(s->Top(), &menu);
        }
    };
    PushGameState(&dialog, &stack);
    PopGameState(&stack);
    EXPECT_EQ(log, (Log{"intro entered (1)", "intro left (0)", "menu entered (1)", "menu uncovered (1)",
                        "menu covered (1)", "dialog entered (2)", "dialog left (1)", "menu uncovered (1)"}));
}

TEST(GameStateStackTest, ClearTellsEveryStateFromTheTopDownThenEmpties)
{
    Log log;
    GameStateStack stack;
    LoggingState a("a", log), b("b", log);
    PushGameState(&a, &stack);
    PushGameState(nullptr, &stack);
    PushGameState(&b, &stack);
    log.clear();
    ClearGameStates(&stack);
    EXPECT_EQ(log, (Log{"b left (3)", "a left (3)"}));
    EXPECT_TRUE(stack.Empty());
}

} // namespace
