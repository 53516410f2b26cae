#pragma once

#include <cstdint>

namespace platform
{

// The virtual-key code of an SDL key (SDL_Keycode) and scancode; 0 when the key
// has none. Keypad keys follow the scancode so that they keep their own codes
// whatever the layout says; everything else follows the layout's key.
uint32_t virtualKeyFor(int32_t keycode, int32_t scancode);

// True for keys that are reported as extended (right-hand modifiers, the
// navigation block, keypad Enter and Divide).
bool isExtendedKey(int32_t scancode);

} // namespace platform
