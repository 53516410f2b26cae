#include "tests/game/shell/ShellTestSupport.h"

#include "framework/widgets/Widget.h"

#include <algorithm>

namespace shelltest
{

std::unique_ptr<Quib::MemoryImage> RowPicture(int width, int rowHeight,
                                              const std::vector<uint32_t>& rowColors)
{
    const int rows = int(rowColors.size());
    std::vector<uint32_t> pixels(size_t(width) * size_t(rowHeight) * size_t(rows));
    for (int row = 0; row < rows; ++row)
        std::fill_n(pixels.begin() + ptrdiff_t(row) * width * rowHeight, width * rowHeight,
                    rowColors[size_t(row)]);
    auto picture = std::make_unique<Quib::MemoryImage>();
    picture->SetBits(pixels.data(), width, rowHeight * rows, true);
    picture->mRows = rows;
    return picture;
}

std::string TakeLog(std::vector<std::string>& log)
{
    std::string out;
    for (const auto& entry : log)
        out += (out.empty() ? "" : " | ") + entry;
    log.clear();
    return out;
}

::testing::AssertionResult ColorNear(const char* actualText, const char* expectedText, uint32_t actual,
                                     uint32_t expected)
{
    for (int shift = 0; shift < 32; shift += 8)
    {
        const int a = int(actual >> shift & 0xFF);
        const int b = int(expected >> shift & 0xFF);
        if (a - b > 1 || b - a > 1)
            return ::testing::AssertionFailure() << actualText << " is " << std::hex << actual << ", "
                                                 << expectedText << " is " << expected;
    }
    return ::testing::AssertionSuccess();
}

std::unique_ptr<Quib::MemoryImage> PlainPicture(int width, int height, uint32_t color)
{
    return RowPicture(width, height, {color});
}

ShellApp::ShellApp()
{
    mWidth = 800;
    mHeight = 600;
    mScreen.Create(800, 600);
    mWidgetManager->mDrawImage = &mScreen;
    mWidgetManager->SetMouseMapping(Quib::Rect(0, 0, 800, 600), Quib::Rect(0, 0, 800, 600));
    // As the game runs its tree: every widget updated and redrawn, none clipped.
    mWidgetManager->mWidgetFlags =
        (mWidgetManager->mWidgetFlags | Quib::TREE_UPDATE | Quib::TREE_REDRAW) & ~Quib::TREE_CLIP;
    gSoundEffectHost = this;
}

ShellApp::~ShellApp()
{
    gSoundEffectHost = nullptr;
    mWidgetManager->RemoveAllChildren(false, false);
    FlushDeletes();
}

void ShellApp::DrawFrame(uint32_t background)
{
    std::fill_n(mScreen.GetBits(), 800 * 600, background);
    mScreen.MarkBitsChanged();
    for (Quib::Widget* widget : mWidgetManager->mChildren)
        widget->MarkDirty();
    mWidgetManager->DrawDirtyWidgets();
}

uint32_t ShellApp::Pixel(int x, int y)
{
    return mScreen.GetBits()[y * 800 + x];
}

} // namespace shelltest
