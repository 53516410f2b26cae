#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform
{

class Window;

// Message box styles and answers, with the values the framework passes around.
constexpr uint32_t MB_OK = 0x00;
constexpr uint32_t MB_OKCANCEL = 0x01;
constexpr uint32_t MB_ABORTRETRYIGNORE = 0x02;
constexpr uint32_t MB_YESNOCANCEL = 0x03;
constexpr uint32_t MB_YESNO = 0x04;
constexpr uint32_t MB_RETRYCANCEL = 0x05;
constexpr uint32_t MB_ICONERROR = 0x10;
constexpr uint32_t MB_ICONQUESTION = 0x20;
constexpr uint32_t MB_ICONWARNING = 0x30;
constexpr uint32_t MB_ICONINFORMATION = 0x40;
constexpr uint32_t MB_TYPEMASK = 0x0F;
constexpr uint32_t MB_ICONMASK = 0xF0;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct MessageBoxRequest
{
    std::string text;    // Windows-1252
    std::string caption; // Windows-1252
    uint32_t flags = 0;
    bool owned = false; // shown over a window of the program
};

// The answer of the first button of a box with these flags (the one Enter picks).
int defaultMessageBoxAnswer(uint32_t flags);

// Shows a modal message box and returns the button chosen. When a hook is
// installed it answers instead. Without a hook, a box that cannot be shown
// (no desktop, the dummy video driver, or a test run) is never waited for: its
// text goes to the error output and its default answer comes back. Closing a
// box without choosing gives IDCANCEL where it has a Cancel button, else the
// default answer.
int showMessageBox(const Window* owner, std::string_view text, std::string_view caption, uint32_t flags);

using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;
void setMessageBoxHook(MessageBoxHook hook); // an empty hook removes it

// Installs a hook for the lifetime of a scope.
class ScopedMessageBoxHook
{
public:
    explicit ScopedMessageBoxHook(MessageBoxHook hook) { setMessageBoxHook(std::move(hook)); }
    ~ScopedMessageBoxHook() { setMessageBoxHook({}); }
    ScopedMessageBoxHook(const ScopedMessageBoxHook&) = delete;
    ScopedMessageBoxHook& operator=(const ScopedMessageBoxHook&) = delete;
};

} // namespace platform
