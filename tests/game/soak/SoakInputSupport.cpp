#include "tests/game/soak/SoakInput.h"
#include "tests/game/soak/SoakTargets.h"

#include <algorithm>
#include <iterator>

namespace soak
{

namespace
{

// Escape and Return lead somewhere on most screens, so they come up most.
constexpr SDL_Keycode kKeys[] = {SDLK_ESCAPE, SDLK_ESCAPE,    SDLK_ESCAPE, SDLK_RETURN, SDLK_RETURN,
                                 SDLK_SPACE,  SDLK_TAB,       SDLK_LEFT,   SDLK_RIGHT,  SDLK_UP,
                                 SDLK_DOWN,   SDLK_BACKSPACE, SDLK_DELETE, SDLK_HOME,   SDLK_END,
                                 SDLK_F1,     SDLK_F10};

// The weights of the kinds of input, out of 100.
enum Kind
{
    kUsefulClick = 45,
    kPlainClick = kUsefulClick + 12,
    kRightClick = kPlainClick + 3,
    kDrag = kRightClick + 8,
    kKey = kDrag + 14,
    kText = kKey + 3,
    kMove = kText + 6,
    kWait = kMove + 6,
    kFocus = kWait + 2,
    kAltEnter = kFocus + 1,
};
static_assert(kAltEnter == 100);

} // namespace

InputSent SoakInput::SendOne()
{
    const int kind = Below(100);
    InputSent sent;
    sent.counts = kind < kText;
    if (kind < kUsefulClick)
        ClickSomewhereUseful();
    else if (kind < kPlainClick)
        mGame.Click(Below(800), Below(600));
    else if (kind < kRightClick)
        mGame.Click(Below(800), Below(600), true);
    else if (kind < kDrag)
        Drag();
    else if (kind < kKey)
        PressRandomKey();
    else if (kind < kText)
        TypeLetters();
    else if (kind < kMove)
        mGame.MoveMouse(Below(800), Below(600));
    else if (kind < kWait)
        mGame.Update(20 + Below(300));
    else if (kind < kFocus)
    {
        mGame.LoseFocus();
        sent.unfocusedUpdates = 1 + Below(100);
        mGame.Update(sent.unfocusedUpdates);
        mGame.RegainFocus();
    }
    else
        mGame.PressAltEnter();
    return sent;
}

void SoakInput::ClickSomewhereUseful()
{
    if (Below(2) == 0)
        if (const std::optional<Point> item = FindScenePoint(mGame, mRandom))
        {
            mGame.Click(item->x, item->y);
            return;
        }
    const std::vector<Point> controls = FindControlPoints(mGame);
    if (controls.empty())
    {
        mGame.Click(Below(800), Below(600));
        return;
    }
    const Point point = controls[size_t(Below(int(controls.size())))];
    mGame.Click(point.x, point.y);
}

void SoakInput::Drag()
{
    int x = Below(800), y = Below(600);
    if (Below(2) == 0)
    {
        const std::vector<Point> controls = FindControlPoints(mGame);
        if (!controls.empty())
        {
            const Point from = controls[size_t(Below(int(controls.size())))];
            x = from.x;
            y = from.y;
        }
    }
    mGame.MoveMouse(x, y);
    mGame.PressMouse(x, y);
    for (int moves = 2 + Below(7); moves > 0; --moves)
    {
        mGame.Update(1 + Below(3));
        x = std::clamp(x + Below(201) - 100, 0, 799);
        y = std::clamp(y + Below(201) - 100, 0, 599);
        mGame.MoveMouse(x, y);
    }
    mGame.ReleaseMouse(x, y);
}

void SoakInput::PressRandomKey()
{
    const int pick = Below(int(std::size(kKeys)) + 36);
    if (pick < int(std::size(kKeys)))
        mGame.PressKey(kKeys[pick]);
    else if (pick < int(std::size(kKeys)) + 26)
        mGame.PressKey(SDL_Keycode(SDLK_a + pick - int(std::size(kKeys))));
    else
        mGame.PressKey(SDL_Keycode(SDLK_0 + pick - int(std::size(kKeys)) - 26));
}

void SoakInput::TypeLetters()
{
    std::string text;
    for (int length = 1 + Below(4); length > 0; --length)
        text += char('a' + Below(26));
    mGame.TypeText(text);
}

} // namespace soak
