#pragma once

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"

#include <SDL.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace applife
{

// A full-screen widget that paints one colour and records the input it gets.
class RecordingWidget : public Quib::Widget
{
public:
    void Draw(Quib::Graphics* g) override;
    void OnMouseDown(int x, int y, int clickCode) override;
    void OnMouseUp(int x, int y, int clickCode) override;
    void OnKeyDown(int key) override;
    void OnChar(char character) override;

    Quib::Color mFill{0x20, 0x80, 0xE0};
    std::vector<std::string> mEvents;
};

// A small application derived from the framework's: 800 x 600 in a window, no
// single-instance lock (test processes run side by side), a scripted action at
// chosen updates, and every hook recorded in calling order.
class LifeApp : public Quib::QuibAppBase
{
public:
    LifeApp();
    ~LifeApp() override;

    void BeforeInit() override { mCalls.push_back("BeforeInit"); }
    void LoadSettings() override { mCalls.push_back("LoadSettings"); }
    void BeforeDisplayInit() override { mCalls.push_back("BeforeDisplayInit"); }
    void OnDisplayModeChange() override { mCalls.push_back("OnDisplayModeChange"); }
    void AfterDisplayModeChange() override { mCalls.push_back("AfterDisplayModeChange"); }
    void OnInitFinished() override;
    void RunLoadingThread() override;
    void OnLoadingFinished() override { mCalls.push_back("OnLoadingFinished"); }
    void OnActivated() override { mCalls.push_back("OnActivated"); }
    void OnDeactivated() override { mCalls.push_back("OnDeactivated"); }
    void OnShutdown() override { mCalls.push_back("OnShutdown"); }
    void BeforeTerminate() override { mCalls.push_back("BeforeTerminate"); }
    void UpdateStep() override;

    // Runs the action at the given update (counted by this application).
    void At(int update, std::function<void()> action) { mScript[update] = std::move(action); }

    std::vector<std::string> mCalls;
    RecordingWidget mWidget;
    int mUpdates = 0;
    std::map<int, std::function<void()>> mScript;
};

// Pushes desktop events for the application's main window.
void PushWindowEvent(LifeApp& app, SDL_WindowEventID event);
void PushKey(LifeApp& app, SDL_Keycode sym, SDL_Scancode scan, bool down, uint16_t modifiers = 0);
// Alt+Enter, the switch between window and full screen.
void PushAltEnter(LifeApp& app);
void PushText(LifeApp& app, const char* text);
void PushClick(LifeApp& app, int clientX, int clientY);

} // namespace applife
