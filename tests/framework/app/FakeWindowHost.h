#pragma once

#include "framework/app/WindowHost.h"
#include "platform/VirtualKeys.h"

#include <set>
#include <string>
#include <vector>

namespace Quib
{

inline uint32_t gFakeMainWindow = 7;

// Records every call as a short line, so tests compare what happened in order.
struct FakeWindowHost : WindowHost
{
    uint32_t MainWindowId() override { return gFakeMainWindow; }
    bool IsShuttingDown() override { return shuttingDown; }
    bool IsInitFinished() override { return true; }
    bool IsInRunLoop() override { return true; }
    bool IsWindowHidden() override { return false; }
    bool IsSystemDialogUp() override { return systemDialogUp; }
    bool IsWindowedWanted() override { return windowed; }
    bool IsWindowedNow() override { return windowed; }
    bool IsFullScreenForced() override { return forced; }
    bool IsFullScreenFailed() override { return false; }

    void Shutdown() override
    {
        calls.push_back("Shutdown");
        shuttingDown = true;
    }
    void SetWindowedMode(bool w) override
    {
        calls.push_back(w ? "Windowed" : "FullScreen");
        windowed = w;
    }
    void Redraw() override { calls.push_back("Redraw"); }
    void EndSession() override { calls.push_back("EndSession"); }
    void ResetUpdateTimer() override { calls.push_back("ResetUpdateTimer"); }
    void Mute(bool) override { calls.push_back("Mute"); }
    void Unmute(bool) override { calls.push_back("Unmute"); }
    void ApplyCursor() override { calls.push_back("ApplyCursor"); }
    void BringMainWindowToFront() override { calls.push_back("ToFront"); }
    bool MainWindowNormalPosition(int& x, int& y) override
    {
        x = 120;
        y = 80;
        return true;
    }
    bool IsMouseOverClient() override { return mouseOver; }
    void CaptureMouse(bool c) override { calls.push_back(c ? "Capture" : "Release"); }
    bool PreviewKeyDown(uint32_t key, bool ctrl, bool alt) override
    {
        previews.push_back({key, ctrl, alt});
        return key == swallowedKey;
    }
    bool IsSwallowedAltKey(uint8_t character) override
    {
        calls.push_back(std::string("SwallowedAltKey ") + char(character));
        return character == 'r';
    }
    bool AllowsRestore() override { return allowsRestore; }
    void MinimiseMainWindow() override { calls.push_back("Minimise"); }
    bool HandleDebugKey(uint32_t key) override
    {
        calls.push_back("DebugKey " + std::to_string(key));
        return key == platform::VK_F10;
    }
    void OnActivated() override { calls.push_back("OnActivated"); }
    void OnDeactivated() override { calls.push_back("OnDeactivated"); }
    void OnCloseMessage() override { calls.push_back("OnCloseMessage"); }
    bool IsPlayingDemo() override { return playing; }
    bool IsRecordingDemo() override { return recording; }
    void RecordMessage(const platform::Message& m) override { recorded.push_back(m); }
    void HandlePlaybackKey(uint8_t key) override { calls.push_back(std::string("Playback ") + char(key)); }

    void KeyDown(uint32_t key) override
    {
        calls.push_back("KeyDown " + std::to_string(key));
        held.insert(key);
    }
    void KeyUp(uint32_t key) override
    {
        calls.push_back("KeyUp " + std::to_string(key));
        held.erase(key);
    }
    void KeyChar(uint8_t c) override { calls.push_back("Char " + std::to_string(c)); }
    bool IsKeyDown(uint32_t key) override { return held.count(key) != 0; }
    void ClearKeyFlags() override
    {
        calls.push_back("ClearKeyFlags");
        held.clear();
    }
    void MapMouse(int& x, int& y) override
    {
        x /= 2;
        y /= 2;
    }
    void MouseMove(int x, int y) override
    {
        calls.push_back("Move " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseDown(int x, int y, int code) override
    {
        calls.push_back("Down " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(code));
    }
    void MouseUp(int, int, int code) override { calls.push_back("Up " + std::to_string(code)); }
    void MouseWheel(int delta) override { calls.push_back("Wheel " + std::to_string(delta)); }
    void MouseLeave() override { calls.push_back("Leave"); }
    void SystemColorsChanged() override { calls.push_back("SysColors"); }
    void MarkAllDirty() override { calls.push_back("Dirty"); }
    void GotFocus() override { calls.push_back("GotFocus"); }
    void LostFocus() override { calls.push_back("LostFocus"); }
    void ReleaseHeldMouseButtons() override { calls.push_back("ReleaseButtons"); }

    struct Preview
    {
        uint32_t key;
        bool ctrl, alt;
    };
    std::vector<std::string> calls;
    std::vector<Preview> previews;
    std::vector<platform::Message> recorded;
    std::set<uint32_t> held;
    bool shuttingDown = false;
    bool systemDialogUp = false;
    bool windowed = true;
    bool forced = false;
    bool playing = false;
    bool recording = false;
    bool mouseOver = true;
    uint32_t swallowedKey = 0;
    bool allowsRestore = true;
};

} // namespace Quib
