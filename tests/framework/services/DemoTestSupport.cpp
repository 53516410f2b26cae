#include "tests/framework/services/DemoTestSupport.h"

#include <unistd.h>

namespace DemoTest
{

void CallLog::Add(const std::string& entry)
{
    mEntries.push_back(std::to_string(mUpdateCount) + " " + entry);
}

void CallLog::MouseMove(int x, int y)
{
    if (x == mMouseX && y == mMouseY)
        return;
    mMouseX = x;
    mMouseY = y;
    Add("move " + std::to_string(x) + "," + std::to_string(y));
}

void CallLog::MouseDown(int x, int y, int clickCode)
{
    MouseMove(x, y);
    Add("down " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(clickCode));
}

void CallLog::MouseUp(int x, int y, int clickCode)
{
    MouseMove(x, y);
    Add("up " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(clickCode));
}

void CallLog::MouseWheel(int steps)
{
    Add("wheel " + std::to_string(steps));
}
void CallLog::KeyDown(uint32_t key)
{
    Add("keydown " + std::to_string(key));
}
void CallLog::KeyUp(uint32_t key)
{
    Add("keyup " + std::to_string(key));
}
void CallLog::KeyChar(uint8_t character)
{
    Add("char " + std::to_string(character));
}
void CallLog::ReplayActivation(bool active)
{
    Add(active ? "activate" : "deactivate");
}
void CallLog::ReplayMinimised(bool minimised)
{
    Add(minimised ? "minimise" : "restore");
}
void CallLog::ReplayClose()
{
    Add("close");
}
void CallLog::ReplayMouseInside(bool inside)
{
    Add(inside ? "enter" : "leave");
}

void CallLog::ReplayDisplayMode(bool windowed, int refreshRate)
{
    Add("display " + std::to_string(windowed) + " " + std::to_string(refreshRate));
}

ScratchFolder::ScratchFolder(const std::string& name)
    : mPath(std::filesystem::temp_directory_path() / ("orvellan-" + name + "-" + std::to_string(getpid())))
{
    std::filesystem::remove_all(mPath);
    std::filesystem::create_directories(mPath);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

} // namespace DemoTest
