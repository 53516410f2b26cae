#include "tools/contentgen/Painters.h"

#include "platform/ColorGlyphs.h"
#include "tools/contentgen/Materials.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

namespace contentgen
{

struct PaintContext::Cache
{
    std::map<char32_t, Canvas> emoji;
    Canvas jigsaw;
};

PaintContext::PaintContext(std::unique_ptr<platform::ColorGlyphFace> emoji)
    : mEmoji(std::move(emoji)), mCache(std::make_unique<Cache>())
{
}

PaintContext::~PaintContext() = default;

const Canvas& PaintContext::emoji(char32_t codePoint)
{
    auto it = mCache->emoji.find(codePoint);
    if (it != mCache->emoji.end())
        return it->second;
    Canvas canvas;
    if (mEmoji)
    {
        platform::ColorGlyph glyph = mEmoji->render(codePoint);
        if (glyph.width > 0)
        {
            canvas = Canvas(glyph.width, glyph.height);
            std::copy(glyph.pixels.begin(), glyph.pixels.end(), canvas.pixels());
        }
    }
    return mCache->emoji.emplace(codePoint, std::move(canvas)).first->second;
}

void PaintContext::drawEmoji(Canvas& canvas, char32_t codePoint, float x, float y, float w, float h,
                             float opacity)
{
    const Canvas& picture = emoji(codePoint);
    if (picture.width() == 0)
        return;
    float scale = std::min(w / float(picture.width()), h / float(picture.height()));
    int dw = std::max(1, int(std::lround(picture.width() * scale)));
    int dh = std::max(1, int(std::lround(picture.height() * scale)));
    canvas.draw(picture, int(std::lround(x + (w - float(dw)) / 2)), int(std::lround(y + (h - float(dh)) / 2)),
                dw, dh, opacity);
}

void PaintContext::drawEmojiWithShadow(Canvas& canvas, char32_t codePoint, float x, float y, float w, float h)
{
    canvas.fillShape(ellipse(x + w / 2, y + h * 0.95f, w * 0.38f, h * 0.07f), Rgba{0, 0, 0, 0.35f},
                     h * 0.08f);
    drawEmoji(canvas, codePoint, x, y, w, h);
}

const Canvas& PaintContext::jigsawPicture()
{
    if (mCache->jigsaw.width() == 0)
    {
        Canvas picture(6 * kJigsawPlaceWidth, 4 * kJigsawPlaceHeight);
        paintRoom(picture, "library", seedOf("jigsaw"));
        // Every place shows something of its own, so that no two pieces look
        // alike: a picture and a mirror on the bare wall, the objects on the
        // panelling, and one thing on the floor under each column.
        drawEmoji(picture, 0x1F5BC, 22, 30, 150, 150);
        drawEmoji(picture, 0x1FA9E, 485, 64, 96, 96);
        const char32_t objects[] = {0x1F570, 0x1F4DA, 0x1F56F, 0x1F3FA, 0x1F5DD};
        for (int i = 0; i < 5; ++i)
            drawEmojiWithShadow(picture, objects[i], 30.0f + float(i) * 108.0f, 260.0f - float(i % 2) * 44.0f,
                                104, 104);
        const char32_t floor[] = {0x1F408, 0x1F9F6, 0x1F9FA, 0x1F45E, 0x1F9F3, 0x1F302};
        for (int column = 0; column < 6; ++column)
            drawEmojiWithShadow(picture, floor[column], 12.0f + float(column * kJigsawPlaceWidth), 364, 72,
                                72);
        mCache->jigsaw = std::move(picture);
    }
    return mCache->jigsaw;
}

std::vector<char32_t> codePoints(const std::string& text)
{
    std::vector<char32_t> points;
    std::istringstream list(text);
    for (std::string item; std::getline(list, item, ',');)
        if (!item.empty())
            points.push_back(char32_t(std::stoul(item, nullptr, 16)));
    return points;
}

std::string words(const std::string& text)
{
    std::string out = text;
    std::replace(out.begin(), out.end(), '_', ' ');
    return out;
}

bool paint(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    return paintInterface(entry, context, canvas) || paintScene(entry, context, canvas) ||
           paintEffect(entry, context, canvas) || paintShape(entry, context, canvas) ||
           paintTilePicture(entry, context, canvas);
}

} // namespace contentgen
