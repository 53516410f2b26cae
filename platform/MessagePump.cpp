#include "platform/MessagePump.h"

#include "platform/Clock.h"
#include "platform/MessageTranslator.h"
#include "platform/SessionEnd.h"

#include <SDL.h>
#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <vector>

namespace platform
{

namespace
{

struct Timer
{
    uint32_t window;
    uint32_t id;
    uint32_t period;
    uint32_t last;
};

struct Pump
{
    std::mutex postedLock;
    std::deque<Message> posted;
    std::deque<Message> translated;
    std::vector<Timer> timers;
    MessageTranslator translator;
    std::atomic<uint64_t> mouse{0};
    uint32_t mainWindow = 0;
};

Pump& pump()
{
    static Pump instance = []
    {
        // A stop request becomes a message instead of ending the process unsaved.
        watchSessionEnd();
        return Pump();
    }();
    return instance;
}

void drainEvents(Pump& p)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return;
    SDL_Event event;
    std::vector<Message> out;
    while (SDL_PollEvent(&event))
    {
        out.clear();
        p.translator.translate(event, out);
        if (event.type == SDL_MOUSEMOTION)
            p.mouse.store((uint64_t(uint32_t(event.motion.x)) << 32) | uint32_t(event.motion.y));
        p.translated.insert(p.translated.end(), out.begin(), out.end());
    }
}

bool takePosted(Pump& p, Message& out)
{
    std::lock_guard lock(p.postedLock);
    if (p.posted.empty())
        return false;
    out = p.posted.front();
    p.posted.pop_front();
    return true;
}

// Timers come last, as the desktop delivers them only when nothing else waits.
bool takeTimer(Pump& p, Message& out)
{
    const uint32_t now = tickCount();
    for (Timer& t : p.timers)
    {
        if (now - t.last >= t.period)
        {
            t.last = now;
            out = {t.window, WM_TIMER, t.id, 0};
            return true;
        }
    }
    return false;
}

bool anythingWaiting(Pump& p)
{
    {
        std::lock_guard lock(p.postedLock);
        if (!p.posted.empty())
            return true;
    }
    if (!p.translated.empty())
        return true;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
    {
        SDL_PumpEvents();
        if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT))
            return true;
    }
    const uint32_t now = tickCount();
    return std::any_of(p.timers.begin(), p.timers.end(),
                       [&](const Timer& t) { return now - t.last >= t.period; });
}

} // namespace

bool peekMessage(Message& out)
{
    Pump& p = pump();
    if (takeSessionEnd())
    {
        out = {p.mainWindow, WM_ENDSESSION, 1, 0};
        return true;
    }
    if (takePosted(p, out))
        return true;
    drainEvents(p);
    if (!p.translated.empty())
    {
        out = p.translated.front();
        p.translated.pop_front();
        return true;
    }
    return takeTimer(p, out);
}

void postMessage(const Message& message)
{
    Pump& p = pump();
    std::lock_guard lock(p.postedLock);
    p.posted.push_back(message);
}

bool waitMessage(uint32_t timeoutMilliseconds)
{
    Pump& p = pump();
    if (anythingWaiting(p))
        return true;
    uint32_t wait = timeoutMilliseconds;
    const uint32_t now = tickCount();
    for (const Timer& t : p.timers)
        wait = std::min(wait, t.period - std::min(t.period, now - t.last));
    if (wait > 0)
    {
        if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
            SDL_WaitEventTimeout(nullptr, static_cast<int>(wait));
        else
            sleep(wait);
    }
    return anythingWaiting(p);
}

void setTimer(uint32_t window, uint32_t id, uint32_t periodMilliseconds)
{
    killTimer(window, id);
    pump().timers.push_back({window, id, std::max<uint32_t>(periodMilliseconds, 1), tickCount()});
}

void killTimer(uint32_t window, uint32_t id)
{
    auto& timers = pump().timers;
    std::erase_if(timers, [&](const Timer& t) { return t.window == window && t.id == id; });
}

void resetMessagePump()
{
    Pump& p = pump();
    {
        std::lock_guard lock(p.postedLock);
        p.posted.clear();
    }
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    p.translated.clear();
    p.timers.clear();
    p.translator = MessageTranslator();
    p.translator.setMainWindow(p.mainWindow);
}

void lastMousePosition(int& x, int& y)
{
    const uint64_t packed = pump().mouse.load();
    x = static_cast<int32_t>(packed >> 32);
    y = static_cast<int32_t>(packed & 0xFFFFFFFF);
}

void setMainMessageWindow(uint32_t window)
{
    pump().mainWindow = window;
    pump().translator.setMainWindow(window);
}

} // namespace platform
