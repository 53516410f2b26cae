#pragma once

#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/ResourceTable.h"

#include <memory>
#include <string>

namespace platform
{
class ColorGlyphFace;
}

namespace contentgen
{

// What painters share: the emoji face and pictures drawn once for several entries.
class PaintContext
{
public:
    explicit PaintContext(std::unique_ptr<platform::ColorGlyphFace> emoji);
    ~PaintContext();

    // The emoji of a code point at the face's strike size; empty when the face has none.
    const Canvas& emoji(char32_t codePoint);
    // The emoji scaled into the box, centred, keeping its proportions.
    void drawEmoji(Canvas& canvas, char32_t codePoint, float x, float y, float w, float h,
                   float opacity = 1.0f);
    // The emoji with a soft shadow on the surface under it.
    void drawEmojiWithShadow(Canvas& canvas, char32_t codePoint, float x, float y, float w, float h);
    // The picture the jigsaw pieces are cut from: 6 x 4 places of
    // kJigsawPlaceWidth x kJigsawPlaceHeight.
    const Canvas& jigsawPicture();

private:
    struct Cache;
    std::unique_ptr<platform::ColorGlyphFace> mEmoji;
    std::unique_ptr<Cache> mCache;
};

// The jigsaw game's places, which its pieces fill edge to edge.
constexpr int kJigsawPlaceWidth = 97;
constexpr int kJigsawPlaceHeight = 112;

// Code points from a setting such as "1F50D" or "1F50D,1F3DA".
std::vector<char32_t> codePoints(const std::string& text);
// A setting's text with "_" standing for blanks.
std::string words(const std::string& text);

// Draws the entry's picture at its size; false when its painter is unknown.
bool paint(const ResourceEntry& entry, PaintContext& context, Canvas& canvas);

// Painters by family, each given the entry's settings.
bool paintInterface(const ResourceEntry& entry, PaintContext& context, Canvas& canvas);
bool paintScene(const ResourceEntry& entry, PaintContext& context, Canvas& canvas);
bool paintEffect(const ResourceEntry& entry, PaintContext& context, Canvas& canvas);
bool paintShape(const ResourceEntry& entry, PaintContext& context, Canvas& canvas);
bool paintTilePicture(const ResourceEntry& entry, PaintContext& context, Canvas& canvas);

// Room backdrops shared by scenes and jigsaw pictures.
// The bomb's wiring scheme drawn on a sheet of its size.
void paintWiringScheme(Canvas& canvas, float w, float h);
void paintRoom(Canvas& canvas, const std::string& theme, uint32_t seed, bool furnished = true);

} // namespace contentgen
