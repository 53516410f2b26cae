#pragma once

#include "framework/app/RunLoopHost.h"
#include "platform/Clock.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace Quib
{

// A run-loop host that records what the loop asked of it: 'U' update,
// 'F' fraction, 'D' draw, 'P' present, 'M' message handled, 'W' wait.
struct FakeRunLoopHost : RunLoopHost
{
    explicit FakeRunLoopHost(platform::FakeClock& c) : clock(c) {}

    bool IsShuttingDown() override { return shuttingDown; }
    bool IsShutdownRequested() override { return false; }
    void Shutdown() override { shuttingDown = true; }
    bool IsMinimised() override { return minimised; }
    bool IsActive() override { return active; }
    bool IsWindowedNow() override { return windowed; }

    void PumpWindowMessages() override
    {
        while (!incoming.empty())
        {
            queue.push_back(incoming.front());
            incoming.pop_front();
        }
    }
    bool ProcessQueuedMessage() override
    {
        if (queue.empty())
            return false;
        handled.push_back(queue.front());
        queue.pop_front();
        log += 'M';
        if (onMessage)
            onMessage(handled.back());
        return !queue.empty();
    }
    void WaitForMessages(uint32_t milliseconds) override
    {
        log += 'W';
        ++waits;
        clock.sleep(milliseconds);
    }

    void UpdateStep() override
    {
        if (updateCount != nullptr)
            ++*updateCount;
        log += 'U';
        clock.advance(updateCost);
    }
    void UpdateWidgetsFraction(double fraction) override
    {
        log += 'F';
        fractions.push_back(fraction);
    }
    bool DrawScreen() override
    {
        log += 'D';
        return drawSomething;
    }
    bool PresentScreen() override
    {
        log += 'P';
        ++presents;
        return presentWorks;
    }
    void RecoverDisplay() override { ++recoveries; }
    int MillisecondsPerFrame() override { return 16; }
    void DeleteWidget(Widget* widget) override { deleted.push_back(widget); }
    void OnLoadingFinished() override { ++loadingFinishedCalls; }

    bool IsPlayingDemo() override { return playingDemo; }
    bool DemoAllowsUpdate(int, bool) override { return demoAllowsUpdate; }
    void Mute(bool) override { ++mutes; }
    void Unmute(bool) override { ++unmutes; }

    int count(char c) const { return static_cast<int>(std::count(log.begin(), log.end(), c)); }

    platform::FakeClock& clock;
    // The loop's count, which an update step raises.
    std::atomic<int>* updateCount = nullptr;
    bool shuttingDown = false;
    bool minimised = false;
    bool active = true;
    bool windowed = true;
    bool drawSomething = true;
    bool presentWorks = true;
    bool playingDemo = false;
    bool demoAllowsUpdate = true;
    uint32_t updateCost = 0; // milliseconds each update takes
    std::deque<int> incoming;
    std::deque<int> queue;
    std::vector<int> handled;
    std::function<void(int)> onMessage;
    std::string log;
    std::vector<double> fractions;
    std::vector<Widget*> deleted;
    int presents = 0;
    int recoveries = 0;
    int waits = 0;
    int loadingFinishedCalls = 0;
    int mutes = 0;
    int unmutes = 0;
};

} // namespace Quib
