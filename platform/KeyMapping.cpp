#include "platform/KeyMapping.h"

#include "platform/VirtualKeys.h"

#include <SDL.h>

namespace platform
{

namespace
{

uint32_t keypadKey(int32_t scancode)
{
    switch (scancode)
    {
    case SDL_SCANCODE_KP_0:
        return VK_NUMPAD0;
    case SDL_SCANCODE_KP_1:
        return VK_NUMPAD0 + 1;
    case SDL_SCANCODE_KP_2:
        return VK_NUMPAD0 + 2;
    case SDL_SCANCODE_KP_3:
        return VK_NUMPAD0 + 3;
    case SDL_SCANCODE_KP_4:
        return VK_NUMPAD0 + 4;
    case SDL_SCANCODE_KP_5:
        return VK_NUMPAD0 + 5;
    case SDL_SCANCODE_KP_6:
        return VK_NUMPAD0 + 6;
    case SDL_SCANCODE_KP_7:
        return VK_NUMPAD0 + 7;
    case SDL_SCANCODE_KP_8:
        return VK_NUMPAD0 + 8;
    case SDL_SCANCODE_KP_9:
        return VK_NUMPAD0 + 9;
    case SDL_SCANCODE_KP_MULTIPLY:
        return VK_MULTIPLY;
    case SDL_SCANCODE_KP_PLUS:
        return VK_ADD;
    case SDL_SCANCODE_KP_MINUS:
        return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PERIOD:
        return VK_DECIMAL;
    case SDL_SCANCODE_KP_DIVIDE:
        return VK_DIVIDE;
    case SDL_SCANCODE_KP_ENTER:
        return VK_RETURN;
    default:
        return 0;
    }
}

} // namespace

uint32_t virtualKeyFor(int32_t keycode, int32_t scancode)
{
    if (const uint32_t keypad = keypadKey(scancode))
        return keypad;
    if (keycode >= SDLK_a && keycode <= SDLK_z)
        return 'A' + static_cast<uint32_t>(keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9)
        return '0' + static_cast<uint32_t>(keycode - SDLK_0);
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12)
        return VK_F1 + static_cast<uint32_t>(keycode - SDLK_F1);
    if (keycode >= SDLK_F13 && keycode <= SDLK_F24)
        return VK_F1 + 12 + static_cast<uint32_t>(keycode - SDLK_F13);
    switch (keycode)
    {
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_CLEAR:
        return VK_CLEAR;
    case SDLK_RETURN:
        return VK_RETURN;
    case SDLK_RETURN2:
        return VK_RETURN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
        return VK_MENU;
    case SDLK_PAUSE:
        return VK_PAUSE;
    case SDLK_CAPSLOCK:
        return VK_CAPITAL;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_END:
        return VK_END;
    case SDLK_HOME:
        return VK_HOME;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_SELECT:
        return VK_SELECT;
    case SDLK_PRINTSCREEN:
        return VK_SNAPSHOT;
    case SDLK_INSERT:
        return VK_INSERT;
    case SDLK_DELETE:
        return VK_DELETE;
    case SDLK_HELP:
        return VK_HELP;
    case SDLK_LGUI:
        return VK_LWIN;
    case SDLK_RGUI:
        return VK_RWIN;
    case SDLK_APPLICATION:
        return VK_APPS;
    case SDLK_NUMLOCKCLEAR:
        return VK_NUMLOCK;
    case SDLK_SCROLLLOCK:
        return VK_SCROLL;
    case SDLK_SEMICOLON:
    case SDLK_COLON:
        return VK_OEM_1;
    case SDLK_EQUALS:
    case SDLK_PLUS:
        return VK_OEM_PLUS;
    case SDLK_COMMA:
    case SDLK_LESS:
        return VK_OEM_COMMA;
    case SDLK_MINUS:
    case SDLK_UNDERSCORE:
        return VK_OEM_MINUS;
    case SDLK_PERIOD:
    case SDLK_GREATER:
        return VK_OEM_PERIOD;
    case SDLK_SLASH:
    case SDLK_QUESTION:
        return VK_OEM_2;
    case SDLK_BACKQUOTE:
        return VK_OEM_3;
    case SDLK_LEFTBRACKET:
        return VK_OEM_4;
    case SDLK_BACKSLASH:
        return VK_OEM_5;
    case SDLK_RIGHTBRACKET:
        return VK_OEM_6;
    case SDLK_QUOTE:
    case SDLK_QUOTEDBL:
        return VK_OEM_7;
    default:
        break;
    }
    if (scancode == SDL_SCANCODE_NONUSBACKSLASH)
        return VK_OEM_102;
    return 0;
}

bool isExtendedKey(int32_t scancode)
{
    switch (scancode)
    {
    case SDL_SCANCODE_RCTRL:
    case SDL_SCANCODE_RALT:
    case SDL_SCANCODE_INSERT:
    case SDL_SCANCODE_DELETE:
    case SDL_SCANCODE_HOME:
    case SDL_SCANCODE_END:
    case SDL_SCANCODE_PAGEUP:
    case SDL_SCANCODE_PAGEDOWN:
    case SDL_SCANCODE_LEFT:
    case SDL_SCANCODE_RIGHT:
    case SDL_SCANCODE_UP:
    case SDL_SCANCODE_DOWN:
    case SDL_SCANCODE_KP_ENTER:
    case SDL_SCANCODE_KP_DIVIDE:
    case SDL_SCANCODE_NUMLOCKCLEAR:
    case SDL_SCANCODE_PRINTSCREEN:
    case SDL_SCANCODE_LGUI:
    case SDL_SCANCODE_RGUI:
    case SDL_SCANCODE_APPLICATION:
        return true;
    default:
        return false;
    }
}

} // namespace platform
