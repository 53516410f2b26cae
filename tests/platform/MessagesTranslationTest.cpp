#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "platform/Messages.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;

namespace
{

using Seq = std::vector<std::pair<uint32_t, uintptr_t>>;

class MessagesTranslation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.create("Test", 800, 600, false)) << SDL_GetError();
        resetMessagePump();
        id = window.id();
    }

    void key(SDL_Keycode sym, SDL_Scancode scan, uint16_t mod, bool down, bool repeat = false)
    {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.windowID = id;
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.key.repeat = repeat ? 1 : 0;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = scan;
        e.key.keysym.mod = mod;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    void press(SDL_Keycode sym, SDL_Scancode scan, uint16_t mod = 0, const char* text = nullptr)
    {
        key(sym, scan, mod, true);
        if (text)
            this->text(text);
        key(sym, scan, mod, false);
    }
    void text(const char* utf8)
    {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = id;
        SDL_strlcpy(e.text.text, utf8, sizeof(e.text.text));
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    // Clicks are timed when they are translated, so a test that spaces them
    // out takes each one before moving the clock.
    void click(uint8_t which, int x, int y, Seq& seen)
    {
        button(which, true, x, y);
        button(which, false, x, y);
        for (const Message& m : drain())
            seen.emplace_back(m.message, m.wParam);
    }
    void button(uint8_t which, bool down, int x, int y)
    {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.windowID = id;
        e.button.button = which;
        e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.button.x = x;
        e.button.y = y;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    void windowEvent(uint8_t event, int data1 = 0, int data2 = 0)
    {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = id;
        e.window.event = event;
        e.window.data1 = data1;
        e.window.data2 = data2;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    std::vector<Message> drain()
    {
        std::vector<Message> out;
        Message m;
        while (peekMessage(m))
            out.push_back(m);
        return out;
    }
    // Only the message ids and wParams, for comparing sequences.
    std::vector<std::pair<uint32_t, uintptr_t>> idsAndKeys()
    {
        std::vector<std::pair<uint32_t, uintptr_t>> out;
        for (const Message& m : drain())
            out.emplace_back(m.message, m.wParam);
        return out;
    }

    FakeClock clock{1000000};
    ScopedClock scopedClock{clock};
    Window window;
    uint32_t id = 0;
};

TEST_F(MessagesTranslation, TypedLetterGivesKeyDownCharacterKeyUpWithKeyFlags)
{
    press(SDLK_a, SDL_SCANCODE_A, 0, "a");
    const auto messages = drain();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], (Message{id, WM_KEYDOWN, 'A', 1}));
    EXPECT_EQ(messages[1], (Message{id, WM_CHAR, 'a', 1}));
    EXPECT_EQ(messages[2], (Message{id, WM_KEYUP, 'A', 1 | KF_REPEAT | KF_UP}));
}

TEST_F(MessagesTranslation, KeysWithoutTextGetTheirControlCharacters)
{
    struct Case
    {
        SDL_Keycode sym;
        SDL_Scancode scan;
        uint16_t mod;
        uint32_t vk;
        uintptr_t character;
    };
    const Case cases[] = {
        {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0, VK_BACK, 8},
        {SDLK_TAB, SDL_SCANCODE_TAB, 0, VK_TAB, 9},
        {SDLK_RETURN, SDL_SCANCODE_RETURN, 0, VK_RETURN, 13},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 0, VK_RETURN, 13},
        {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 0, VK_ESCAPE, 27},
        {SDLK_a, SDL_SCANCODE_A, KMOD_LCTRL, 'A', 1},
        {SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL, 'C', 3},
        {SDLK_v, SDL_SCANCODE_V, KMOD_RCTRL | KMOD_LSHIFT, 'V', 22},
        {SDLK_z, SDL_SCANCODE_Z, KMOD_LCTRL, 'Z', 26},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.vk);
        // Text the desktop might still send for a Ctrl chord must not add a second character.
        press(c.sym, c.scan, c.mod, c.mod ? "x" : nullptr);
        EXPECT_EQ(idsAndKeys(), (Seq{{WM_KEYDOWN, c.vk}, {WM_CHAR, c.character}, {WM_KEYUP, c.vk}}));
    }
}

TEST_F(MessagesTranslation, AltMakesSystemKeysAndSystemCharacters)
{
    key(SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT, true);
    key(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT, true);
    key(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT, false);
    key(SDLK_r, SDL_SCANCODE_R, KMOD_LALT, true);
    text("r");
    key(SDLK_r, SDL_SCANCODE_R, KMOD_LALT, false);
    key(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT, true);
    key(SDLK_LALT, SDL_SCANCODE_LALT, 0, false);
    const auto messages = drain();
    const Seq expected{{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, VK_RETURN}, {WM_SYSCHAR, '\r'},
                       {WM_SYSKEYUP, VK_RETURN}, {WM_SYSKEYDOWN, 'R'},       {WM_SYSCHAR, 'r'},
                       {WM_SYSKEYUP, 'R'},       {WM_SYSKEYDOWN, VK_F4},     {WM_SYSKEYUP, VK_MENU}};
    Seq got;
    for (const Message& m : messages)
        got.emplace_back(m.message, m.wParam);
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(messages[1].lParam & KF_ALTDOWN);
    EXPECT_FALSE(messages.back().lParam & KF_ALTDOWN);
}

TEST_F(MessagesTranslation, CtrlAltIsAnOrdinaryKeyWhoseTextIsConverted)
{
    // Ctrl+Alt is how AltGr arrives: the key stays ordinary and its text counts.
    key(SDLK_e, SDL_SCANCODE_E, KMOD_LCTRL | KMOD_LALT, true);
    text("\xE2\x82\xAC");
    EXPECT_EQ(idsAndKeys(), (Seq{{WM_KEYDOWN, 'E'}, {WM_CHAR, 0x80}}));
}

TEST_F(MessagesTranslation, RightAltLetsAltGrCharactersThrough)
{
    key(SDLK_q, SDL_SCANCODE_Q, KMOD_RALT, true);
    text("@");
    key(SDLK_q, SDL_SCANCODE_Q, KMOD_RALT, false);
    EXPECT_EQ(idsAndKeys(), (Seq{{WM_SYSKEYDOWN, 'Q'}, {WM_CHAR, '@'}, {WM_SYSKEYUP, 'Q'}}));
}

TEST_F(MessagesTranslation, TextIsConvertedToWindows1252AndUnrepresentableCharactersDropped)
{
    text("\xC3\xA9\xE6\x97\xA5Z\xE2\x80\x9C");
    EXPECT_EQ(idsAndKeys(), (Seq{{WM_CHAR, 0xE9}, {WM_CHAR, 'Z'}, {WM_CHAR, 0x93}}));
}

TEST_F(MessagesTranslation, HeldKeysRepeatWithThePreviousStateBitAndTheirCharacters)
{
    key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0, true);
    key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0, true, true);
    key(SDLK_LEFT, SDL_SCANCODE_LEFT, 0, true, true);
    const auto messages = drain();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_FALSE(messages[0].lParam & KF_REPEAT);
    EXPECT_EQ(messages[2].message, WM_KEYDOWN);
    EXPECT_TRUE(messages[2].lParam & KF_REPEAT);
    EXPECT_EQ(messages[3].message, WM_CHAR);
    EXPECT_EQ(messages[4], (Message{id, WM_KEYDOWN, VK_LEFT, 1 | KF_EXTENDED | KF_REPEAT}));
}

TEST_F(MessagesTranslation, SecondQuickClickIsADoubleClickAndTheThirdASingleOne)
{
    std::vector<Message> messages;
    for (int i = 0; i < 3; ++i)
    {
        button(SDL_BUTTON_LEFT, true, 100 + i, 50);
        button(SDL_BUTTON_LEFT, false, 100 + i, 50);
        for (const Message& m : drain())
            messages.push_back(m);
        clock.advance(250);
    }
    const Seq expected{{WM_LBUTTONDOWN, MK_LBUTTON},   {WM_LBUTTONUP, 0},
                       {WM_LBUTTONDBLCLK, MK_LBUTTON}, {WM_LBUTTONUP, 0},
                       {WM_LBUTTONDOWN, MK_LBUTTON},   {WM_LBUTTONUP, 0}};
    Seq got;
    for (const Message& m : messages)
        got.emplace_back(m.message, m.wParam);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(messages[2].lParam, makeLParam(101, 50));
}

TEST_F(MessagesTranslation, ClicksTooSlowTooFarOrWithAnotherButtonStaySingle)
{
    Seq seen;
    click(SDL_BUTTON_LEFT, 10, 10, seen);
    clock.advance(501);
    click(SDL_BUTTON_LEFT, 10, 10, seen);  // too slow
    click(SDL_BUTTON_LEFT, 13, 10, seen);  // too far
    click(SDL_BUTTON_RIGHT, 13, 10, seen); // another button
    clock.advance(500);
    click(SDL_BUTTON_RIGHT, 13, 10, seen);
    EXPECT_EQ(seen, (Seq{{WM_LBUTTONDOWN, MK_LBUTTON},
                         {WM_LBUTTONUP, 0},
                         {WM_LBUTTONDOWN, MK_LBUTTON},
                         {WM_LBUTTONUP, 0},
                         {WM_LBUTTONDOWN, MK_LBUTTON},
                         {WM_LBUTTONUP, 0},
                         {WM_RBUTTONDOWN, MK_RBUTTON},
                         {WM_RBUTTONUP, 0},
                         {WM_RBUTTONDBLCLK, MK_RBUTTON},
                         {WM_RBUTTONUP, 0}}));
}

TEST_F(MessagesTranslation, WheelStepsAreScaledTo120InTheHighWord)
{
    const struct
    {
        int y;
        uint32_t direction;
        int16_t delta;
    } cases[] = {{1, SDL_MOUSEWHEEL_NORMAL, 120},
                 {-2, SDL_MOUSEWHEEL_NORMAL, -240},
                 {1, SDL_MOUSEWHEEL_FLIPPED, -120}};
    for (const auto& c : cases)
    {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.windowID = id;
        e.wheel.y = c.y;
        e.wheel.direction = c.direction;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
        const auto messages = drain();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].message, WM_MOUSEWHEEL);
        EXPECT_EQ(hiWordSigned(static_cast<intptr_t>(messages[0].wParam)), c.delta);
    }
}

TEST_F(MessagesTranslation, MouseMovesCarryPositionAndHeldButtons)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = id;
    e.motion.x = 640;
    e.motion.y = 479;
    button(SDL_BUTTON_RIGHT, true, 1, 1);
    ASSERT_EQ(SDL_PushEvent(&e), 1);
    const auto messages = drain();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], (Message{id, WM_MOUSEMOVE, MK_RBUTTON, makeLParam(640, 479)}));
    int x = 0, y = 0;
    lastMousePosition(x, y);
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, 479);
}

TEST_F(MessagesTranslation, WindowStateChangesAndClose)
{
    windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    windowEvent(SDL_WINDOWEVENT_MINIMIZED);
    windowEvent(SDL_WINDOWEVENT_RESTORED);
    windowEvent(SDL_WINDOWEVENT_MAXIMIZED);
    windowEvent(SDL_WINDOWEVENT_RESTORED);
    windowEvent(SDL_WINDOWEVENT_MOVED, 30, 40);
    windowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    const auto messages = drain();
    const std::vector<Message> expected{{id, WM_ACTIVATEAPP, 0, 0},
                                        {id, WM_ACTIVATEAPP, 1, 0},
                                        {id, WM_SIZE, SIZE_MINIMIZED, 0},
                                        // Only a minimised window asks before it is restored.
                                        {id, WM_QUERYOPEN, 0, 0},
                                        {id, WM_SIZE, SIZE_RESTORED, 0},
                                        {id, WM_SIZE, SIZE_MAXIMIZED, 0},
                                        {id, WM_SIZE, SIZE_RESTORED, 0},
                                        {id, WM_MOVE, 0, makeLParam(30, 40)},
                                        {id, WM_CLOSE, 0, 0},
                                        {id, WM_CLOSE, 0, 0}};
    EXPECT_EQ(messages, expected);
}

TEST_F(MessagesTranslation, FocusLossForgetsHeldModifiers)
{
    key(SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_LCTRL, true);
    windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    text("c");
    const auto got = idsAndKeys();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), (std::pair<uint32_t, uintptr_t>{WM_CHAR, 'c'}));
}

TEST_F(MessagesTranslation, TimersArriveWhenDueAndNeverPileUp)
{
    setTimer(id, 100, 10);
    Message m;
    EXPECT_FALSE(peekMessage(m));
    clock.advance(10);
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m, (Message{id, WM_TIMER, 100, 0}));
    EXPECT_FALSE(peekMessage(m));
    clock.advance(55);
    EXPECT_TRUE(peekMessage(m));
    EXPECT_FALSE(peekMessage(m));
    killTimer(id, 100);
    clock.advance(100);
    EXPECT_FALSE(peekMessage(m));
}

TEST_F(MessagesTranslation, PostedMessagesComeFirstAndWaitingReportsThem)
{
    key(SDLK_a, SDL_SCANCODE_A, 0, true);
    postMessage({id, WM_INSTANCE_NOTIFY, 0, 0});
    EXPECT_TRUE(waitMessage(0));
    EXPECT_EQ(idsAndKeys(), (Seq{{WM_INSTANCE_NOTIFY, 0}, {WM_KEYDOWN, 'A'}}));
    const uint64_t slept = clock.totalSlept();
    EXPECT_FALSE(waitMessage(5));
    EXPECT_EQ(clock.totalSlept(), slept); // SDL waits in real time; the fake clock is left alone
}

} // namespace
