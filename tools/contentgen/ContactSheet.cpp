#include "tools/contentgen/ContactSheet.h"

#include "framework/foundation/Color.h"
#include "framework/graphics/FontData.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"
#include "framework/resources/ImageLib.h"
#include "tools/contentgen/Manifest.h"
#include "tools/contentgen/Materials.h"
#include "tools/contentgen/PackHost.h"

#include <algorithm>
#include <cmath>

namespace contentgen
{

namespace
{

constexpr int kColumns = 10;
constexpr int kTileW = 150, kTileH = 124, kMargin = 24, kFontLine = 44;

bool isInterfacePicture(const ResourceEntry& entry)
{
    return entry.kind == ResourceKind::Image && entry.group.rfind("MG_", 0) != 0;
}

Canvas load(const std::string& path)
{
    std::unique_ptr<ImageLib::Image> image = ImageLib::LoadImageFile(path);
    if (!image)
        return Canvas();
    Canvas canvas(image->mWidth, image->mHeight);
    std::copy(image->mBits.begin(), image->mBits.end(), canvas.pixels());
    return canvas;
}

void drawTile(Canvas& sheet, const ResourceEntry& entry, int x, int y)
{
    Canvas picture = load(entry.path);
    Distance tile = roundRect(float(x), float(y), kTileW - 8, kTileH - 8, 6);
    // A checker under the picture shows its transparency.
    sheet.fillShape(tile, [&](float px, float py)
                    { return ((int(px) / 8 + int(py) / 8) % 2) ? rgb(0x4a4450) : rgb(0x3a3440); });
    if (picture.width() > 0)
    {
        const int cellW = entry.width / entry.columns, cellH = entry.height / entry.rows;
        const int cells = entry.rows * entry.columns;
        std::vector<Canvas> shown = {picture.crop(0, 0, cellW, cellH)};
        if (cells > 1)
        {
            int last = cells - 1;
            shown.push_back(
                picture.crop((last % entry.columns) * cellW, (last / entry.columns) * cellH, cellW, cellH));
        }
        const float boxW = float(kTileW - 16) / float(shown.size()), boxH = kTileH - 34;
        for (size_t i = 0; i < shown.size(); ++i)
        {
            float scale = std::min({boxW / float(cellW), boxH / float(cellH), 1.0f});
            int w = std::max(1, int(float(cellW) * scale)), h = std::max(1, int(float(cellH) * scale));
            sheet.draw(shown[i], x + 4 + int(boxW * float(i) + (boxW - float(w)) / 2),
                       y + 4 + int((boxH - float(h)) / 2), w, h);
        }
    }
    std::string name = entry.id.substr(entry.id.find('_') + 1);
    if (name.size() > 24)
        name = name.substr(0, 23) + ".";
    sheet.text(name, "DejaVuSansCondensed.ttf", 9, float(x) + (kTileW - 8) / 2.0f, float(y + kTileH - 28),
               rgb(0xf0e0c0), true);
}

} // namespace

Canvas contactSheet(const ResourceTable& table)
{
    std::vector<const ResourceEntry*> pictures, fonts;
    for (const ResourceEntry& entry : table.entries)
    {
        if (isInterfacePicture(entry))
            pictures.push_back(&entry);
        else if (entry.kind == ResourceKind::Font)
            fonts.push_back(&entry);
    }
    const int rows = int((pictures.size() + kColumns - 1) / kColumns);
    const int width = kMargin * 2 + kColumns * kTileW;
    const int fontTop = kMargin + 60 + rows * kTileH + 20;
    Canvas sheet(width, fontTop + int(fonts.size()) * kFontLine + kMargin);
    sheet.fill(woodShader(0, float(sheet.height()), seedOf("sheet"), 0.45f));
    sheet.shadowedText("Orvellan: the content pack", "DejaVuSerif-Bold.ttf", 30, float(width) / 2,
                       float(kMargin), rgb(0xf0cf78), true);
    for (size_t i = 0; i < pictures.size(); ++i)
        drawTile(sheet, *pictures[i], kMargin + int(i % kColumns) * kTileW,
                 kMargin + 60 + int(i / kColumns) * kTileH);

    // The fonts through the framework's own bitmap font drawing.
    PackHost host;
    Quib::MemoryImage image;
    image.SetBits(sheet.pixels(), sheet.width(), sheet.height(), true);
    {
        Quib::Graphics g(&image);
        for (size_t i = 0; i < fonts.size(); ++i)
        {
            Quib::ImageFont font(&host, fontDescriptorPath(*fonts[i]));
            if (!font.mFontData || !font.mFontData->mInitialized)
                continue;
            int baseline = fontTop + int(i) * kFontLine + 32;
            g.SetFont(&font);
            g.SetColor(Quib::Color(0, 0, 0));
            g.DrawString(fonts[i]->id + ": The inspector found the brass key in the library.", kMargin + 1,
                         baseline + 1);
            g.SetColor(Quib::Color(255, 240, 200));
            g.DrawString(fonts[i]->id + ": The inspector found the brass key in the library.", kMargin,
                         baseline);
        }
    }
    std::copy(image.GetBits(), image.GetBits() + size_t(sheet.width()) * size_t(sheet.height()),
              sheet.pixels());
    return sheet;
}

Canvas findablesSheet(const std::vector<std::vector<NamedPicture>>& rooms)
{
    constexpr int kCellW = 76, kCellH = 86, kLabel = 80;
    size_t widest = 0;
    for (const std::vector<NamedPicture>& room : rooms)
        widest = std::max(widest, room.size());
    Canvas sheet(kMargin * 2 + kLabel + int(widest) * kCellW, kMargin * 2 + int(rooms.size()) * kCellH);
    sheet.fill(woodShader(0, float(sheet.height()), seedOf("findables"), 0.45f));
    for (size_t row = 0; row < rooms.size(); ++row)
    {
        const int top = kMargin + int(row) * kCellH;
        sheet.text("Scene" + std::to_string(row + 1), "DejaVuSans-Bold.ttf", 12, float(kMargin),
                   float(top + 28), rgb(0xf0cf78), false);
        for (size_t i = 0; i < rooms[row].size(); ++i)
        {
            const NamedPicture& item = rooms[row][i];
            const int left = kMargin + kLabel + int(i) * kCellW;
            sheet.fillShape(roundRect(float(left), float(top), kCellW - 4, kCellH - 6, 4),
                            [&](float px, float py)
                            { return ((int(px) / 6 + int(py) / 6) % 2) ? rgb(0x6a6470) : rgb(0x585260); });
            sheet.draw(item.picture, left + (kCellW - 4 - item.picture.width()) / 2,
                       top + 2 + (64 - item.picture.height()) / 2);
            std::string name = item.name.size() > 13 ? item.name.substr(0, 12) + "." : item.name;
            sheet.text(name, "DejaVuSansCondensed.ttf", 9, float(left) + (kCellW - 4) / 2.0f, float(top + 66),
                       rgb(0xf0e0c0), true);
        }
    }
    return sheet;
}

} // namespace contentgen
