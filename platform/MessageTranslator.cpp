#include "platform/MessageTranslator.h"

#include "platform/Clock.h"
#include "platform/KeyMapping.h"
#include "platform/TextEncoding.h"
#include "platform/VirtualKeys.h"

#include <SDL.h>
#include <cstdlib>

namespace platform
{

namespace
{

bool altOnly(uint16_t mods)
{
    return (mods & KMOD_ALT) && !(mods & KMOD_CTRL);
}
// Only the left Alt key makes system characters: on many layouts the right one
// is AltGr, whose characters arrive as text and must reach the program.
bool leftAltOnly(uint16_t mods)
{
    return (mods & KMOD_LALT) && !(mods & KMOD_CTRL);
}
bool ctrlOnly(uint16_t mods)
{
    return (mods & KMOD_CTRL) && !(mods & KMOD_ALT);
}

// The character a key produces while Alt is held, for the system character
// message; 0 when it produces none worth reporting.
uint32_t altCharacter(uint32_t vk, uint16_t mods)
{
    const bool shift = (mods & KMOD_SHIFT) != 0;
    if (vk >= 'A' && vk <= 'Z')
        return shift ? vk : vk - 'A' + 'a';
    if ((vk >= '0' && vk <= '9') || vk == VK_SPACE)
        return vk;
    if (vk == VK_RETURN)
        return '\r';
    return 0;
}

// The control character a key produces without Alt; 0 for none. These are the
// characters the desktop sends no text for.
uint32_t controlCharacter(uint32_t vk, uint16_t mods)
{
    if (ctrlOnly(mods))
    {
        if (vk >= 'A' && vk <= 'Z')
            return vk - 'A' + 1;
        if (vk == VK_BACK)
            return 0x7F;
        if (vk == VK_RETURN)
            return '\n';
        return 0;
    }
    if (mods & KMOD_ALT)
        return 0;
    switch (vk)
    {
    case VK_BACK:
        return 8;
    case VK_TAB:
        return 9;
    case VK_RETURN:
        return 13;
    case VK_ESCAPE:
        return 27;
    default:
        return 0;
    }
}

} // namespace

uintptr_t MessageTranslator::mouseKeyState() const
{
    uintptr_t state = mButtons;
    if (mModifiers & KMOD_SHIFT)
        state |= MK_SHIFT;
    if (mModifiers & KMOD_CTRL)
        state |= MK_CONTROL;
    return state;
}

void MessageTranslator::translate(const SDL_Event& event, std::vector<Message>& out)
{
    switch (event.type)
    {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        translateKey(event, out);
        break;
    case SDL_TEXTINPUT:
        translateText(event, out);
        break;
    case SDL_MOUSEMOTION:
        mMouseX = event.motion.x;
        mMouseY = event.motion.y;
        out.push_back({event.motion.windowID, WM_MOUSEMOVE, mouseKeyState(), makeLParam(mMouseX, mMouseY)});
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        translateButton(event, out);
        break;
    case SDL_MOUSEWHEEL:
    {
        int steps = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
            steps = -steps;
        if (steps == 0)
            break;
        const int delta = steps * WHEEL_DELTA;
        const uintptr_t wParam =
            (static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16) | mouseKeyState();
        out.push_back({event.wheel.windowID, WM_MOUSEWHEEL, wParam, makeLParam(mMouseX, mMouseY)});
        break;
    }
    case SDL_WINDOWEVENT:
        translateWindowEvent(event, out);
        break;
    case SDL_QUIT:
        out.push_back({mMainWindow, WM_CLOSE, 0, 0});
        break;
    case SDL_DISPLAYEVENT:
        out.push_back({mMainWindow, WM_DISPLAYCHANGE, 32, 0});
        break;
    default:
        break;
    }
}

void MessageTranslator::translateKey(const SDL_Event& event, std::vector<Message>& out)
{
    const SDL_KeyboardEvent& key = event.key;
    mModifiers = key.keysym.mod;
    const uint32_t vk = virtualKeyFor(key.keysym.sym, key.keysym.scancode);
    if (vk == 0)
        return;
    const bool down = event.type == SDL_KEYDOWN;
    // Alt held without Ctrl makes a system key; Ctrl+Alt is AltGr and stays an
    // ordinary key. F10 and the Alt key itself are system keys by themselves.
    const bool alt = (mModifiers & KMOD_ALT) != 0;
    const bool system = altOnly(mModifiers) || vk == VK_F10 || (vk == VK_MENU && !(mModifiers & KMOD_CTRL));

    intptr_t lParam = 1;
    if (isExtendedKey(key.keysym.scancode))
        lParam |= KF_EXTENDED;
    if (alt)
        lParam |= KF_ALTDOWN;
    if (!down)
        lParam |= KF_REPEAT | KF_UP;
    else if (key.repeat)
        lParam |= KF_REPEAT;

    uint32_t message = down ? WM_KEYDOWN : WM_KEYUP;
    if (system)
        message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    out.push_back({key.windowID, message, vk, lParam});
    if (!down)
        return;

    if (altOnly(mModifiers))
    {
        if (!leftAltOnly(mModifiers))
            return;
        if (const uint32_t c = altCharacter(vk, mModifiers))
            out.push_back({key.windowID, WM_SYSCHAR, c, lParam});
    }
    else if (const uint32_t c = controlCharacter(vk, mModifiers))
    {
        out.push_back({key.windowID, WM_CHAR, c, lParam});
    }
}

void MessageTranslator::translateText(const SDL_Event& event, std::vector<Message>& out)
{
    // Alt and Ctrl chords produce their characters from the key itself (system
    // and control characters); text the desktop sends for them is a duplicate.
    if (leftAltOnly(mModifiers) || ctrlOnly(mModifiers))
        return;
    const std::string bytes = utf8ToWindows1252(event.text.text, '\0');
    for (char c : bytes)
        out.push_back({event.text.windowID, WM_CHAR, static_cast<unsigned char>(c), 1});
}

void MessageTranslator::translateButton(const SDL_Event& event, std::vector<Message>& out)
{
    const SDL_MouseButtonEvent& b = event.button;
    uint32_t downMsg = 0, upMsg = 0, doubleMsg = 0;
    uintptr_t bit = 0;
    switch (b.button)
    {
    case SDL_BUTTON_LEFT:
        downMsg = WM_LBUTTONDOWN, upMsg = WM_LBUTTONUP, doubleMsg = WM_LBUTTONDBLCLK, bit = MK_LBUTTON;
        break;
    case SDL_BUTTON_RIGHT:
        downMsg = WM_RBUTTONDOWN, upMsg = WM_RBUTTONUP, doubleMsg = WM_RBUTTONDBLCLK, bit = MK_RBUTTON;
        break;
    case SDL_BUTTON_MIDDLE:
        downMsg = WM_MBUTTONDOWN, upMsg = WM_MBUTTONUP, doubleMsg = WM_MBUTTONDBLCLK, bit = MK_MBUTTON;
        break;
    default:
        return;
    }
    mMouseX = b.x;
    mMouseY = b.y;
    const intptr_t lParam = makeLParam(b.x, b.y);
    if (b.state != SDL_PRESSED)
    {
        mButtons &= ~bit;
        out.push_back({b.windowID, upMsg, mouseKeyState(), lParam});
        return;
    }

    const uint32_t now = tickCount();
    const Click& last = mLastClick;
    // The press after a double click starts a new pair, as three quick clicks
    // are a double click followed by a single one.
    const bool isDouble = last.valid && !last.wasDouble && last.window == b.windowID &&
                          last.button == b.button && now - last.time <= kDoubleClickMilliseconds &&
                          std::abs(b.x - last.x) <= kDoubleClickDistance &&
                          std::abs(b.y - last.y) <= kDoubleClickDistance;
    mLastClick = {b.windowID, b.button, now, b.x, b.y, isDouble, true};
    mButtons |= bit;
    out.push_back({b.windowID, isDouble ? doubleMsg : downMsg, mouseKeyState(), lParam});
}

void MessageTranslator::translateWindowEvent(const SDL_Event& event, std::vector<Message>& out)
{
    const SDL_WindowEvent& w = event.window;
    switch (w.event)
    {
    case SDL_WINDOWEVENT_EXPOSED:
        out.push_back({w.windowID, WM_PAINT, 0, 0});
        break;
    case SDL_WINDOWEVENT_MOVED:
        out.push_back({w.windowID, WM_MOVE, 0, makeLParam(w.data1, w.data2)});
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        out.push_back({w.windowID, WM_SIZE, SIZE_RESTORED, makeLParam(w.data1, w.data2)});
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        mMinimised = mMinimised || w.windowID == mMainWindow;
        out.push_back({w.windowID, WM_SIZE, SIZE_MINIMIZED, 0});
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        out.push_back({w.windowID, WM_SIZE, SIZE_MAXIMIZED, 0});
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (mMinimised && w.windowID == mMainWindow)
        {
            mMinimised = false;
            out.push_back({w.windowID, WM_QUERYOPEN, 0, 0});
        }
        out.push_back({w.windowID, WM_SIZE, SIZE_RESTORED, 0});
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        out.push_back({w.windowID, WM_ACTIVATEAPP, 1, 0});
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        // Keys and buttons released while another window has the focus never
        // reach us; forget them so no chord outlives the focus.
        mModifiers = 0;
        mButtons = 0;
        mLastClick.valid = false;
        out.push_back({w.windowID, WM_ACTIVATEAPP, 0, 0});
        break;
    case SDL_WINDOWEVENT_CLOSE:
        out.push_back({w.windowID, WM_CLOSE, 0, 0});
        break;
    default:
        break;
    }
}

} // namespace platform
