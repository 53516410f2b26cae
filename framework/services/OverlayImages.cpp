#include "framework/services/OverlayImages.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"

#include <algorithm>

namespace Quib
{
namespace
{

constexpr int kImageWidth = 50;
constexpr int kMargin = 10;
constexpr int kClockGap = 15;

} // namespace

OverlayImages::OverlayImages() = default;
OverlayImages::~OverlayImages() = default;

void OverlayImages::Redraw(std::unique_ptr<MemoryImage>& image, std::unique_ptr<Font>& font,
                           const std::string& text)
{
    if (!font)
        font = std::make_unique<SysFont>(8, "Tahoma");
    // 50 pixels hold the texts in the face they were made for; a wider
    // stand-in face widens the image rather than cutting the text.
    const int width = std::max(kImageWidth, font->GetStringWidth(text) + 4);
    if (!image || image->GetWidth() < width)
    {
        image = std::make_unique<MemoryImage>();
        image->Create(width, font->GetHeight() + 4);
    }
    Graphics g(image.get());
    g.SetColor(Color(0, 0, 0));
    g.FillRect(0, 0, image->GetWidth(), image->GetHeight());
    g.SetColor(Color(255, 255, 255));
    g.SetFont(font.get());
    g.DrawString(text, 2, font->GetAscent());
}

void OverlayImages::UpdateFps()
{
    if (!mFpsTimer.IsRunning())
        mFpsTimer.Start();
    if (!mFps.CountFrame(mFpsTimer.GetElapsedMs()))
        return;
    mFpsTimer.Start();
    Redraw(mFpsImage, mFpsFont, mFps.Text());
}

void OverlayImages::UpdateMousePosition(int x, int y)
{
    Redraw(mMouseImage, mMouseFont, MousePositionText(x, y));
}

void OverlayImages::UpdateDemoClock(uint32_t now, double speedMultiplier, int demoLength, int updateCount,
                                    int frameTimeMs)
{
    const double interval = speedMultiplier > 0 ? 1000 / speedMultiplier : 1000;
    if (mClockDrawn && now - mLastClock < interval)
        return;
    mClockDrawn = true;
    mLastClock = now;
    Redraw(mClockImage, mClockFont, DemoClockText(demoLength, updateCount, frameTimeMs));
}

void OverlayImages::Draw(Image* screen, int width, int height, int kind, bool demoClock)
{
    MemoryImage* main = kind == 0 ? mFpsImage.get() : mMouseImage.get();
    if (!screen || !main)
        return;
    Graphics g(screen);
    g.DrawImage(main, width - main->GetWidth() - kMargin, height - main->GetHeight() - kMargin);
    if (demoClock && mClockImage)
        g.DrawImage(mClockImage.get(), width - mClockImage->GetWidth() - kMargin,
                    height - main->GetHeight() - mClockImage->GetHeight() - kClockGap);
}

} // namespace Quib
