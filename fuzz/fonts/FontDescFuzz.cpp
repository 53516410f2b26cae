// Runs arbitrary text as a font descriptor, then measures and draws with a
// bitmap font made from it, at its own point size and scaled. Every layer image
// is one fixed picture, so image maps and everything after them are reached.
#include "framework/graphics/FontData.h"
#include "framework/graphics/FontHost.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"
#include "fuzz/FuzzScratchFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace
{

class FuzzFontHost : public Quib::FontHost
{
public:
    FuzzFontHost()
    {
        std::vector<uint32_t> pixels(64 * 32, 0x80FFFFFF);
        auto* image = new Quib::MemoryImage();
        image->SetBits(pixels.data(), 64, 32, true);
        mEntry.mImage = image;
    }

    void ShowError(const std::string& text) override { mLastError = text; }

    Quib::SharedImageHandle GetSharedImage(const std::string&, const std::string&, bool* isNew) override
    {
        *isNew = false;
        Quib::SharedImageHandle handle;
        handle = &mEntry;
        return handle;
    }

private:
    Quib::SharedImageEntry mEntry;
    std::string mLastError;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzFontHost* host = new FuzzFontHost();
    static const FuzzScratchFile scratch("fontdesc-fuzz", ".txt");
    const std::string& path = scratch.Write(data, size);

    Quib::ImageFont font(host, path);
    for (auto& define : font.mFontData->mDefineMap)
        Quib::DescParser::ElementToText(define.second);

    static Quib::MemoryImage* canvas = []
    {
        auto* image = new Quib::MemoryImage();
        image->Create(64, 32);
        return image;
    }();
    Quib::Graphics g(canvas);
    g.SetFont(&font);
    const std::string text = "Ab^ \x80\xFF~";
    for (int step = 0; step < 2; ++step)
    {
        font.GetStringWidth(text);
        int width = 0;
        std::vector<Quib::Rect> rects;
        font.DrawStringWithRects(&g, 2, 20, text, Quib::Color::White, Quib::Rect(), &rects, &width);
        font.SetPointSize(font.GetPointSize() + 3);
    }
    return 0;
}
