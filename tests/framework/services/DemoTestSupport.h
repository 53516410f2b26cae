#pragma once

#include "framework/services/DemoReplayTarget.h"

#include <filesystem>
#include <string>
#include <vector>

namespace DemoTest
{

// Writes down every call the recorded input makes, stamped with the update
// count, the way the widget manager would receive it. A move to where the
// mouse already is reaches no widget and is not logged.
class CallLog : public Quib::DemoReplayTarget
{
public:
    explicit CallLog(const int& updateCount) : mUpdateCount(updateCount) {}

    bool IsShuttingDown() override { return mShuttingDown; }
    void MouseMove(int x, int y) override;
    void MouseDown(int x, int y, int clickCode) override;
    void MouseUp(int x, int y, int clickCode) override;
    void MouseWheel(int steps) override;
    void KeyDown(uint32_t key) override;
    void KeyUp(uint32_t key) override;
    void KeyChar(uint8_t character) override;
    void ReplayActivation(bool active) override;
    void ReplayMinimised(bool minimised) override;
    void ReplayClose() override;
    void ReplayMouseInside(bool inside) override;
    void ReplayDisplayMode(bool windowed, int refreshRate) override;

    void Add(const std::string& entry);

    std::vector<std::string> mEntries;
    bool mShuttingDown = false;

private:
    const int& mUpdateCount;
    int mMouseX = -1;
    int mMouseY = -1;
};

// A folder of its own for each test process, removed at the end.
class ScratchFolder
{
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    std::string File(const std::string& name) const { return (mPath / name).string(); }

private:
    std::filesystem::path mPath;
};

} // namespace DemoTest
