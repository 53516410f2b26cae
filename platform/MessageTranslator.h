#pragma once

#include "platform/Messages.h"

#include <cstdint>
#include <vector>

union SDL_Event;

namespace platform
{

// Turns desktop events into the framework's window messages. It adds what the
// desktop does not deliver as such: the character messages of control keys,
// double clicks, system keys held with Alt, and wheel steps scaled to 120.
class MessageTranslator
{
public:
    // Close requests that name no window (a session ending) and display
    // changes go to this window.
    void setMainWindow(uint32_t windowId) { mMainWindow = windowId; }

    // Appends the messages for one event, in the order they would arrive.
    void translate(const SDL_Event& event, std::vector<Message>& out);

    // A second press of the same button within this time and distance (from
    // the first press) is a double click.
    static constexpr uint32_t kDoubleClickMilliseconds = 500;
    static constexpr int kDoubleClickDistance = 2;

private:
    void translateKey(const SDL_Event& event, std::vector<Message>& out);
    void translateText(const SDL_Event& event, std::vector<Message>& out);
    void translateButton(const SDL_Event& event, std::vector<Message>& out);
    void translateWindowEvent(const SDL_Event& event, std::vector<Message>& out);
    uintptr_t mouseKeyState() const;

    uint32_t mMainWindow = 0;
    uint16_t mModifiers = 0; // SDL modifier bits as of the last key event
    uint32_t mButtons = 0;   // MK_* bits of the buttons held
    bool mMinimised = false; // the main window, as its last size event left it
    int mMouseX = 0;
    int mMouseY = 0;

    struct Click
    {
        uint32_t window = 0;
        uint8_t button = 0;
        uint32_t time = 0;
        int x = 0;
        int y = 0;
        bool wasDouble = false;
        bool valid = false;
    };
    Click mLastClick;
};

} // namespace platform
