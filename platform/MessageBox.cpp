#include "platform/MessageBox.h"

#include "platform/Environment.h"
#include "platform/TextEncoding.h"
#include "platform/Window.h"

#include <SDL.h>
#include <cstdio>
#include <mutex>
#include <vector>

namespace platform
{

namespace
{

std::mutex gHookLock;
MessageBoxHook gHook;

struct ButtonSet
{
    std::vector<std::pair<int, const char*>> buttons; // in reading order
    int escapeAnswer;
};

ButtonSet buttonsFor(uint32_t flags)
{
    switch (flags & MB_TYPEMASK)
    {
    case MB_OKCANCEL:
        return {{{IDOK, "OK"}, {IDCANCEL, "Cancel"}}, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {{{IDABORT, "Abort"}, {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}}, IDABORT};
    case MB_YESNOCANCEL:
        return {{{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}}, IDCANCEL};
    case MB_YESNO:
        return {{{IDYES, "Yes"}, {IDNO, "No"}}, IDYES};
    case MB_RETRYCANCEL:
        return {{{IDRETRY, "Retry"}, {IDCANCEL, "Cancel"}}, IDCANCEL};
    default:
        return {{{IDOK, "OK"}}, IDOK};
    }
}

bool canShowBoxes()
{
    if (getEnv("ORVELLAN_TEST"))
        return false;
    const char* driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
    if (driver)
        return SDL_strcmp(driver, "dummy") != 0 && SDL_strcmp(driver, "offscreen") != 0;
    const auto env = getEnv("SDL_VIDEODRIVER");
    if (env && (*env == "dummy" || *env == "offscreen"))
        return false;
    return getEnv("DISPLAY").has_value() || getEnv("WAYLAND_DISPLAY").has_value();
}

} // namespace

int defaultMessageBoxAnswer(uint32_t flags)
{
    return buttonsFor(flags).buttons.front().first;
}

void setMessageBoxHook(MessageBoxHook hook)
{
    std::lock_guard lock(gHookLock);
    gHook = std::move(hook);
}

int showMessageBox(const Window* owner, std::string_view text, std::string_view caption, uint32_t flags)
{
    MessageBoxHook hook;
    {
        std::lock_guard lock(gHookLock);
        hook = gHook;
    }
    if (hook)
        return hook({std::string(text), std::string(caption), flags, owner != nullptr && owner->isOpen()});

    const ButtonSet set = buttonsFor(flags);
    const std::string utf8Text = windows1252ToUtf8(text);
    const std::string utf8Caption = windows1252ToUtf8(caption);
    if (!canShowBoxes())
    {
        std::fprintf(stderr, "[%s] %s\n", utf8Caption.c_str(), utf8Text.c_str());
        return set.buttons.front().first;
    }

    std::vector<SDL_MessageBoxButtonData> buttons;
    for (size_t i = 0; i < set.buttons.size(); ++i)
    {
        uint32_t buttonFlags = 0;
        if (i == 0)
            buttonFlags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (set.buttons[i].first == set.escapeAnswer)
            buttonFlags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        buttons.push_back({buttonFlags, set.buttons[i].first, set.buttons[i].second});
    }
    uint32_t boxFlags = SDL_MESSAGEBOX_INFORMATION;
    const uint32_t icon = flags & MB_ICONMASK;
    if (icon == MB_ICONERROR)
        boxFlags = SDL_MESSAGEBOX_ERROR;
    else if (icon == MB_ICONWARNING)
        boxFlags = SDL_MESSAGEBOX_WARNING;
    const SDL_MessageBoxData data{boxFlags,         owner ? owner->sdlWindow() : nullptr, utf8Caption.c_str(),
                                  utf8Text.c_str(), static_cast<int>(buttons.size()),     buttons.data(),
                                  nullptr};
    int answer = -1;
    if (SDL_ShowMessageBox(&data, &answer) != 0)
    {
        std::fprintf(stderr, "[%s] %s\n", utf8Caption.c_str(), utf8Text.c_str());
        return set.buttons.front().first;
    }
    return answer < 0 ? set.escapeAnswer : answer;
}

} // namespace platform
