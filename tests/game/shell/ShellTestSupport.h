#pragma once

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/SoundEffectHost.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace shelltest
{

// Plain opaque colours the shell's picture tests paint with.
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

// A picture of one column whose grid rows are filled with the given colours
// in turn, so that a drawn frame shows which row it came from.
std::unique_ptr<Quib::MemoryImage> RowPicture(int width, int rowHeight,
                                              const std::vector<uint32_t>& rowColors);

// The log's entries joined by " | "; the log is emptied.
std::string TakeLog(std::vector<std::string>& log);

// Each channel within one step: pictures drawn with a colour are scaled by
// the framework's blend, which may take a step off a full channel.
::testing::AssertionResult ColorNear(const char* actualText, const char* expectedText, uint32_t actual,
                                     uint32_t expected);

// A plain picture of one colour and one cell.
std::unique_ptr<Quib::MemoryImage> PlainPicture(int width, int height, uint32_t color);

// A framework application that is never started, standing in for the game's:
// its widget manager draws into an 800 x 600 memory image, the one-shot sounds
// it is asked to play are noted in a log, and deferred deletions happen when
// the test flushes them.
class ShellApp : public Quib::QuibAppBase, public SoundEffectHost
{
public:
    ShellApp();
    ~ShellApp() override;

    void PlaySoundEffect(int32_t soundId) override { mLog.push_back("sound " + std::to_string(soundId)); }

    Quib::WidgetManager& Manager() { return *mWidgetManager; }
    void FlushDeletes() { mMainLoop.FlushDeferredDeletes(); }
    // One frame: every widget redrawn over the background, then the overlays.
    void DrawFrame(uint32_t background = 0xFF000000);
    uint32_t Pixel(int x, int y);

    Quib::MemoryImage mScreen;
    std::vector<std::string> mLog;
};

} // namespace shelltest
