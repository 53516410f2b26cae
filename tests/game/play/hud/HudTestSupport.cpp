#include "tests/game/play/hud/HudTestSupport.h"

#include "game/shell/Resources.h"

#include <algorithm>

namespace hudtest
{

FakeListFonts::FakeListFonts()
{
    FONT_ITEM_LABELS = &labels;
    FONT_BUTTON_LABELS = &count;
}

FakeListFonts::~FakeListFonts()
{
    FONT_ITEM_LABELS = nullptr;
    FONT_BUTTON_LABELS = nullptr;
}

std::unique_ptr<Quib::MemoryImage> BlackScreen(int width, int height)
{
    auto screen = std::make_unique<Quib::MemoryImage>();
    screen->Create(width, height);
    std::fill_n(screen->GetBits(), width * height, 0xFF000000u);
    screen->MarkBitsChanged();
    return screen;
}

} // namespace hudtest
