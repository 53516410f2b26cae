#pragma once

#include "platform/Messages.h"

#include <cstdint>

namespace platform
{

// The process's one message queue, fed from the desktop's events, window
// timers and posted messages. Called on the main thread only, except
// postMessage, which any thread may call.

// Takes the oldest waiting message; false when none is waiting.
bool peekMessage(Message& out);

// Appends a message behind those already waiting.
void postMessage(const Message& message);

// Waits until a message is waiting or the time is up; true when one is.
bool waitMessage(uint32_t timeoutMilliseconds);

// A window timer: a WM_TIMER with the id in wParam is delivered when the
// period has passed since the last one; like the desktop's timers they never
// pile up, a late timer is delivered once. Setting an existing id restarts it.
void setTimer(uint32_t window, uint32_t id, uint32_t periodMilliseconds);
void killTimer(uint32_t window, uint32_t id);

// Drops every waiting message, timer and translation state (for tests and
// for a window that is destroyed).
void resetMessagePump();

// The mouse position in client coordinates as the pump last saw it. Any
// thread may read it (the cursor thread follows the mouse with it).
void lastMousePosition(int& x, int& y);

// The window that receives session-end closes and display changes.
void setMainMessageWindow(uint32_t window);

} // namespace platform
