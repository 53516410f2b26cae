#pragma once

#include <cstdint>
#include <string>

namespace Quib
{

class MainLoop;

// What the developer keys reach: the live values, the profiler, the overlays,
// the display, the screenshots and the keyboard state.
class DebugKeysHost
{
public:
    virtual ~DebugKeysHost() = default;
    // The widget manager's key flags.
    virtual bool IsShiftDown() = 0;
    virtual bool IsCtrlDown() = 0;
    virtual bool IsAltDown() = 0;
    virtual void ClearKeyFlags() = 0;
    virtual void PlayDebugToggleSound() {}

    virtual bool ReloadLiveValues() = 0;
    virtual bool IsProfiling() = 0;
    virtual void StartProfiling() = 0;
    // Ends the run and returns its report.
    virtual std::string StopProfiling() = 0;
    // F3 (shift: switch on and step the kind), everything marked dirty.
    virtual void ToggleFpsOverlay(bool stepKind) = 0;
    virtual void ShowVideoStatistics() = 0;
    // Switches Direct3D with re-creation; true when it is on afterwards.
    virtual bool ToggleDirect3D() = 0;
    virtual void TakeScreenshot() = 0;
    virtual void WriteImageReport() = 0;
    virtual void ShowMessageBox(const std::string& text, const std::string& caption) = 0;
};

// The developer keys, seen while they are switched on (Ctrl+Alt+D). True when
// the key was consumed and goes no further.
bool HandleDebugKey(uint32_t key, MainLoop& loop, DebugKeysHost& host);

} // namespace Quib
