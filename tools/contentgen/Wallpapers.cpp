#include "tools/contentgen/Wallpapers.h"

#include "framework/resources/ImageLib.h"
#include "platform/Files.h"
#include "tools/contentgen/PackFiles.h"
#include "tools/contentgen/Painters.h"

#include <algorithm>

namespace contentgen
{

namespace
{

// The table's picture painted again at its own size; empty when the id is missing.
Canvas painted(const ResourceTable& table, PaintContext& context, const std::string& id)
{
    if (const ResourceEntry* entry = table.find(id))
    {
        Canvas canvas(entry->width, entry->height);
        if (paint(*entry, context, canvas))
            return canvas;
    }
    return {};
}

// The main menu at rest: sky, clouds, title and the house in front.
bool estate(const ResourceTable& table, PaintContext& context, Canvas& out, std::string& error)
{
    out = Canvas(800, 600);
    const struct Layer
    {
        const char* id;
        int x, y;
    } layers[] = {{"IMAGE_MAIN_MENU_BACK_BASE", 0, 0},
                  {"IMAGE_MAIN_MENU_CLOUDS_BACK", 0, 100},
                  {"IMAGE_MAIN_MENU_CLOUDS_FRONT", 0, 100},
                  {"IMAGE_MAIN_MENU_TITLE", 69, 18},
                  {"IMAGE_MAIN_MENU_HALVORA", 0, 0}};
    for (const Layer& layer : layers)
    {
        Canvas picture = painted(table, context, layer.id);
        if (picture.width() == 0)
        {
            error = std::string("no picture ") + layer.id + " for the first wallpaper";
            return false;
        }
        out.draw(picture, layer.x, layer.y);
    }
    return true;
}

// Enlarged to the wallpaper size, opaque, the corners gently darkened.
Canvas finished(const Canvas& picture)
{
    Canvas out(kWallpaperWidth, kWallpaperHeight);
    out.fill(rgb(0x000000));
    out.draw(picture, 0, 0, kWallpaperWidth, kWallpaperHeight);
    uint32_t* p = out.pixels();
    for (int y = 0; y < kWallpaperHeight; ++y)
        for (int x = 0; x < kWallpaperWidth; ++x)
        {
            const float dx = (float(x) + 0.5f) / kWallpaperWidth - 0.5f;
            const float dy = (float(y) + 0.5f) / kWallpaperHeight - 0.5f;
            const float keep = std::clamp(1.0f - 0.9f * (dx * dx + dy * dy), 0.0f, 1.0f);
            uint32_t& px = p[size_t(y) * kWallpaperWidth + size_t(x)];
            auto channel = [&](int shift) { return uint32_t(float((px >> shift) & 255) * keep + 0.5f); };
            px = 0xFF000000u | channel(16) << 16 | channel(8) << 8 | channel(0);
        }
    return out;
}

bool writeWallpaper(PackFiles& pack, int page, const Canvas& picture)
{
    const std::string path = "Bonus/Wallpaper" + std::to_string(page) + ".jpg";
    const std::string full = pack.fullPath(path);
    ImageLib::Image image(picture.width(), picture.height());
    std::copy(picture.pixels(), picture.pixels() + image.mBits.size(), image.mBits.begin());
    return platform::createDirectories(full.substr(0, full.rfind('/'))) &&
           ImageLib::SaveJpegFile(full, image) && pack.adopt(path);
}

} // namespace

bool makeWallpapers(const ResourceTable& table, PaintContext& context, PackFiles& pack,
                    const std::vector<Canvas>& sceneComposites, std::string& error)
{
    if (int(sceneComposites.size()) < kWallpaperCount - 1)
    {
        error = "the wallpapers need " + std::to_string(kWallpaperCount - 1) + " scene pictures, there are " +
                std::to_string(sceneComposites.size());
        return false;
    }
    Canvas first;
    if (!estate(table, context, first, error))
        return false;
    for (int page = 0; page < kWallpaperCount; ++page)
        if (!writeWallpaper(pack, page, finished(page == 0 ? first : sceneComposites[size_t(page - 1)])))
        {
            error = "cannot write wallpaper " + std::to_string(page);
            return false;
        }
    return true;
}

} // namespace contentgen
