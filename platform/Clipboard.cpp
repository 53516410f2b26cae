#include "platform/Clipboard.h"

#include "platform/TextEncoding.h"

#include <SDL.h>

namespace platform
{

std::string clipboardText()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return {};
    char* utf8 = SDL_GetClipboardText();
    if (!utf8)
        return {};
    std::string text = utf8ToWindows1252(utf8);
    SDL_free(utf8);
    return text;
}

bool setClipboardText(std::string_view text)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return false;
    return SDL_SetClipboardText(windows1252ToUtf8(text).c_str()) == 0;
}

} // namespace platform
