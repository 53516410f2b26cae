#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"
#include "tests/game/frontend/flows/TextContrast.h"
#include "tests/game/support/GameHarness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace gameharness
{

struct TextContrastProbe::Recorder
{
    // Every text is left out, or only the one of that place in the frame's order.
    bool muted = false;
    int skipped = -1;
    int drawn = 0;
    bool recording = false;
    std::vector<TextDraw> draws;
};

// A font that draws through the game's own one and notes every text it draws.
class RecordingFont : public Quib::Font
{
public:
    RecordingFont(Quib::Font* inner, std::unique_ptr<Quib::Font> owned,
                  std::shared_ptr<TextContrastProbe::Recorder> recorder)
        : mInner(inner), mOwned(std::move(owned)), mRecorder(std::move(recorder))
    {
        mAscent = inner->mAscent;
        mAscentPadding = inner->mAscentPadding;
        mHeight = inner->mHeight;
        mLineSpacingOffset = inner->mLineSpacingOffset;
    }

    int GetAscent() override { return mInner->GetAscent(); }
    int GetAscentPadding() override { return mInner->GetAscentPadding(); }
    int GetDescent() override { return mInner->GetDescent(); }
    int GetHeight() override { return mInner->GetHeight(); }
    int GetLineSpacingOffset() override { return mInner->GetLineSpacingOffset(); }
    int GetLineSpacing() override { return mInner->GetLineSpacing(); }
    int GetStringWidth(const std::string& text) override { return mInner->GetStringWidth(text); }
    int GetCharWidth(char c) override { return mInner->GetCharWidth(c); }
    int GetKernedCharWidth(char c, char prev) override { return mInner->GetKernedCharWidth(c, prev); }

    void DrawString(Quib::Graphics* g, int x, int y, const std::string& text, const Quib::Color& color,
                    const Quib::Rect& clipRect) override
    {
        const int index = mRecorder->drawn++;
        if (!mRecorder->muted && index != mRecorder->skipped)
            mInner->DrawString(g, x, y, text, color, clipRect);
        if (!mRecorder->recording || text.find_first_not_of(' ') == std::string::npos)
            return;
        TextDraw draw;
        draw.text = text;
        draw.baselineX = int(std::floor(double(g->mTransX) + x));
        draw.baselineY = int(std::floor(double(g->mTransY) + y));
        const int ascent = GetAscent();
        draw.box =
            Quib::Rect(draw.baselineX, draw.baselineY - ascent, GetStringWidth(text), ascent + GetDescent())
                .Intersection(clipRect);
        draw.color = color;
        draw.order = index;
        mRecorder->draws.push_back(std::move(draw));
    }

    Quib::Font* Clone() override
    {
        std::unique_ptr<Quib::Font> copy(mInner->Clone());
        Quib::Font* inner = copy.get();
        return new RecordingFont(inner, std::move(copy), mRecorder);
    }

    Quib::Font* Inner() const { return mInner; }

private:
    Quib::Font* mInner;
    std::unique_ptr<Quib::Font> mOwned;
    std::shared_ptr<TextContrastProbe::Recorder> mRecorder;
};

namespace
{

struct FontGlobal
{
    const char* id;
    Quib::Font** global;
};

const FontGlobal kFontGlobals[] = {{"FONT_ITEM_LABELS", &FONT_ITEM_LABELS},
                                   {"FONT_SCENE_LABELS", &FONT_SCENE_LABELS},
                                   {"FONT_BUTTON_LABELS", &FONT_BUTTON_LABELS},
                                   {"FONT_INTRO_SEQUENCE", &FONT_INTRO_SEQUENCE},
                                   {"FONT_TYPEWRITER_KEY", &FONT_TYPEWRITER_KEY},
                                   {"FONT_STORY_ENVELOPE", &FONT_STORY_ENVELOPE},
                                   {"FONT_DIARY_1", &FONT_DIARY_1},
                                   {"FONT_DIARY_2", &FONT_DIARY_2},
                                   {"FONT_CREDITS", &FONT_CREDITS}};

double Linear(double channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The shadow of a text is a black copy a pixel beside it, drawn just before it.
bool IsShadow(const std::vector<TextDraw>& draws, size_t index)
{
    const TextDraw& draw = draws[index];
    if (draw.color.mRed != 0 || draw.color.mGreen != 0 || draw.color.mBlue != 0)
        return false;
    for (size_t later = index + 1; later < draws.size() && later <= index + 8; ++later)
    {
        const TextDraw& other = draws[later];
        if (other.text == draw.text && std::abs(other.baselineX - draw.baselineX) <= 1 &&
            std::abs(other.baselineY - draw.baselineY) <= 1)
            return true;
    }
    return false;
}

} // namespace

double RelativeLuminance(double red, double green, double blue)
{
    return 0.2126 * Linear(red) + 0.7152 * Linear(green) + 0.0722 * Linear(blue);
}

double ContrastRatio(double luminanceA, double luminanceB)
{
    const double light = std::max(luminanceA, luminanceB), dark = std::min(luminanceA, luminanceB);
    return (light + 0.05) / (dark + 0.05);
}

TextContrastProbe::TextContrastProbe(GameHarness& game) : mGame(game), mRecorder(std::make_shared<Recorder>())
{
    WrapFonts();
}

TextContrastProbe::~TextContrastProbe()
{
    // A group unloaded since leaves its font deleted: the global then holds
    // what the resource manager holds now, nothing for an unloaded group.
    Quib::ResourceManager* manager = mGame.App().mResourceManager.get();
    for (const FontGlobal& font : kFontGlobals)
        if (Wrapper(*font.global) != nullptr)
            *font.global = manager != nullptr ? manager->FindFont(font.id) : nullptr;
}

RecordingFont* TextContrastProbe::Wrapper(Quib::Font* font) const
{
    for (const auto& wrapper : mWrappers)
        if (wrapper.get() == font)
            return wrapper.get();
    return nullptr;
}

// Only the fonts of loaded groups: a global keeps its old value after its
// group was unloaded (and after an earlier game in the same process).
void TextContrastProbe::WrapFonts()
{
    Quib::ResourceManager* manager = mGame.App().mResourceManager.get();
    if (manager == nullptr)
        return;
    for (const FontGlobal& font : kFontGlobals)
    {
        Quib::Font* current = manager->FindFont(font.id);
        RecordingFont* wrapper = Wrapper(*font.global);
        if (current == nullptr || (wrapper != nullptr && wrapper->Inner() == current))
            continue;
        if (wrapper == nullptr && *font.global != current)
            continue;
        mWrappers.push_back(std::make_unique<RecordingFont>(current, nullptr, mRecorder));
        *font.global = mWrappers.back().get();
    }
}

void TextContrastProbe::DrawFrame()
{
    mRecorder->drawn = 0;
    Quib::WidgetManager* manager = mGame.App().mWidgetManager.get();
    for (Quib::Widget* widget : manager->GetChildren())
        widget->MarkDirty();
    manager->DrawDirtyWidgets();
}

std::vector<TextContrast> TextContrastProbe::Measure()
{
    WrapFonts();
    auto* screen = dynamic_cast<Quib::MemoryImage*>(mGame.App().mWidgetManager->mDrawImage);
    if (screen == nullptr || screen->GetBits() == nullptr)
        return {};
    const int width = screen->GetWidth(), height = screen->GetHeight();

    mRecorder->muted = true;
    mRecorder->recording = false;
    DrawFrame();
    const std::vector<uint32_t> backdrop(screen->GetBits(),
                                         screen->GetBits() + size_t(width) * size_t(height));
    mRecorder->muted = false;
    mRecorder->recording = true;
    mRecorder->draws.clear();
    DrawFrame();
    mRecorder->recording = false;
    if (!mFrameFolder.empty())
        mGame.SaveScreen(mFrameFolder + "/" + mFrameName + ".png");
    const std::vector<uint32_t> whole(screen->GetBits(), screen->GetBits() + size_t(width) * size_t(height));
    // A text that changes no pixel of the frame is hidden under what is drawn after it.
    auto isSeen = [&](int index, const Quib::Rect& box)
    {
        mRecorder->skipped = index;
        DrawFrame();
        mRecorder->skipped = -1;
        const uint32_t* without = screen->GetBits();
        for (int y = box.mY; y < box.mY + box.mHeight; ++y)
            for (int x = box.mX; x < box.mX + box.mWidth; ++x)
                if (without[size_t(y) * size_t(width) + size_t(x)] !=
                    whole[size_t(y) * size_t(width) + size_t(x)])
                    return true;
        return false;
    };

    std::vector<TextContrast> result;
    const Quib::Rect screenRect(0, 0, width, height);
    for (size_t i = 0; i < mRecorder->draws.size(); ++i)
    {
        const TextDraw& draw = mRecorder->draws[i];
        const Quib::Rect box = draw.box.Intersection(screenRect);
        if (box.mWidth <= 0 || box.mHeight <= 0 || draw.color.mAlpha == 0 || IsShadow(mRecorder->draws, i) ||
            !isSeen(draw.order, box))
            continue;
        double sum[3] = {0, 0, 0};
        for (int y = box.mY; y < box.mY + box.mHeight; ++y)
            for (int x = box.mX; x < box.mX + box.mWidth; ++x)
            {
                const uint32_t p = backdrop[size_t(y) * size_t(width) + size_t(x)];
                sum[0] += double((p >> 16) & 255);
                sum[1] += double((p >> 8) & 255);
                sum[2] += double(p & 255);
            }
        const double count = double(box.mWidth) * double(box.mHeight);
        const double back[3] = {sum[0] / count, sum[1] / count, sum[2] / count};
        // A translucent fill shows the backdrop through it.
        const double a = draw.color.mAlpha / 255.0;
        const double fill[3] = {a * draw.color.mRed + (1 - a) * back[0],
                                a * draw.color.mGreen + (1 - a) * back[1],
                                a * draw.color.mBlue + (1 - a) * back[2]};
        TextContrast contrast;
        contrast.draw = draw;
        contrast.draw.box = box;
        contrast.ratio = ContrastRatio(RelativeLuminance(fill[0], fill[1], fill[2]),
                                       RelativeLuminance(back[0], back[1], back[2]));
        result.push_back(std::move(contrast));
    }
    DrawFrame();
    std::sort(result.begin(), result.end(),
              [](const TextContrast& a, const TextContrast& b) { return a.ratio < b.ratio; });
    return result;
}

std::string Describe(const TextContrast& contrast)
{
    char line[256];
    std::snprintf(line, sizeof line, "\"%s\" at (%d, %d) colour (%d, %d, %d, %d): %.2f:1",
                  contrast.draw.text.substr(0, 60).c_str(), contrast.draw.baselineX, contrast.draw.baselineY,
                  contrast.draw.color.mRed, contrast.draw.color.mGreen, contrast.draw.color.mBlue,
                  contrast.draw.color.mAlpha, contrast.ratio);
    return line;
}

} // namespace gameharness
