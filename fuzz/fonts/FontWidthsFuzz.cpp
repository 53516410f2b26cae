// Reads the input as the widths file of a one-layer bitmap font over a fixed
// glyph picture, then measures and draws with the font.
#include "framework/graphics/FontData.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"
#include "fuzz/FuzzScratchFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFile file("orvellan-fuzz-widths", ".txt");
    static Quib::MemoryImage* glyphs = []
    {
        std::vector<uint32_t> pixels(96 * 12, 0x80FFFFFF);
        auto* image = new Quib::MemoryImage();
        image->SetBits(pixels.data(), 96, 12, true);
        return image;
    }();
    static Quib::MemoryImage* canvas = []
    {
        auto* image = new Quib::MemoryImage();
        image->Create(64, 16);
        return image;
    }();

    Quib::ImageFont font(glyphs, file.Write(data, size));
    Quib::Graphics g(canvas);
    g.SetFont(&font);
    const std::string text = "Ab^ 0\x80\xFF~";
    font.GetStringWidth(text);
    int width = 0;
    font.DrawStringWithRects(&g, 1, 12, text, Quib::Color::White, Quib::Rect(), nullptr, &width);
    return 0;
}
