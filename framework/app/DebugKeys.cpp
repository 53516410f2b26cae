#include "framework/app/DebugKeys.h"

#include "framework/app/MainLoop.h"
#include "platform/VirtualKeys.h"

namespace Quib
{

using namespace platform;

bool HandleDebugKey(uint32_t key, MainLoop& loop, DebugKeysHost& host)
{
    const bool shift = host.IsShiftDown();
    switch (key)
    {
    case 'R':
        if (host.IsAltDown())
        {
            if (host.ReloadLiveValues())
                host.PlayDebugToggleSound();
            else
                host.ClearKeyFlags();
        }
        return false;
    case VK_F2:
        if (host.IsProfiling())
        {
            host.ShowMessageBox(host.StopProfiling(), "Perf Results");
        }
        else
        {
            loop.ResetUpdateTimer();
            host.StartProfiling();
        }
        return false;
    case VK_F3:
        host.ToggleFpsOverlay(shift);
        return false;
    case VK_F8:
        if (shift)
            host.ShowMessageBox(std::string("3D-Mode: ") + (host.ToggleDirect3D() ? "ON" : "OFF"),
                                "Mode Switch");
        else
            host.ShowVideoStatistics();
        return true;
    case VK_F10:
        if (host.IsCtrlDown())
        {
            loop.mSpeedMultiplier = loop.mSpeedMultiplier == 0.25 ? 1.0 : 0.25;
        }
        else if (shift)
        {
            loop.mSingleStepState = 0;
            loop.ResetUpdateTimer();
        }
        else
        {
            loop.mSingleStepState = 1;
        }
        return true;
    case VK_F11:
        if (shift)
            host.WriteImageReport();
        else
            host.TakeScreenshot();
        return true;
    default:
        return false;
    }
}

} // namespace Quib
