// The three difference scenes: two copies of a furnished room side by side,
// and twelve pairs of pieces that differ between them (one missing, another
// object, another colour, mirrored, smaller). Every piece is a picture of its
// own with its place in the scene file; a missing object's partner is the
// room itself cut out where the object would stand, so both halves take the click.
#include "framework/resources/ImageLib.h"
#include "platform/Files.h"
#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/Materials.h"
#include "tools/contentgen/MiniGameData.h"
#include "tools/contentgen/PackFiles.h"
#include "tools/contentgen/Painters.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace contentgen
{

namespace
{

// Each half of the board: the room picture's size, where it starts in the
// board and how far the right half lies from the left one.
constexpr int kHalfWidth = 228;
constexpr int kHalfHeight = 448;
constexpr int kHalfTop = 36;
constexpr int kScreenWidth = 244;

enum class Change
{
    MissingRight,
    MissingLeft,
    Other,
    Colour,
    Mirror,
    Smaller
};

struct Decoration
{
    char32_t emoji;
    int x, y, size;
};

struct Pair
{
    const char* name;
    char32_t emoji;
    int x, y, size;
    Change change;
    char32_t other = 0;
};

struct Design
{
    const char* mode;
    const char* theme;
    std::vector<Decoration> decorations;
    std::vector<Pair> pairs;
};

const std::vector<Design>& designs()
{
    using C = Change;
    static const std::vector<Design> kDesigns = {
        {"Mode1",
         "study",
         {{0x1F5BC, 120, 24, 84}, {0x1FA91, 16, 330, 92}, {0x1F4DA, 136, 356, 76}},
         {{"clock", 0x1F570, 20, 40, 60, C::MissingRight},
          {"candle", 0x1F56F, 90, 120, 44, C::Colour},
          {"vase", 0x1F3FA, 160, 140, 50, C::Other, 0x1FAB4},
          {"scroll", 0x1F4DC, 20, 200, 48, C::MissingLeft},
          {"key", 0x1F511, 80, 190, 36, C::Other, 0x1F5DD},
          {"hat", 0x1F3A9, 150, 220, 54, C::Colour},
          {"rose", 0x1F339, 30, 270, 40, C::Other, 0x1F337},
          {"cup", 0x2615, 100, 280, 40, C::MissingRight},
          {"telescope", 0x1F52D, 160, 290, 50, C::Mirror},
          {"book", 0x1F4D6, 110, 380, 40, C::Other, 0x1F4D5},
          {"feather", 0x1FAB6, 185, 96, 36, C::Smaller},
          {"glasses", 0x1F453, 60, 408, 36, C::Other, 0x1F576}}},
        {"Mode2",
         "pantry",
         {{0x1F9FA, 130, 350, 84}, {0x1FAB4, 8, 340, 76}},
         {{"apple", 0x1F34E, 20, 40, 44, C::Other, 0x1F350},
          {"cheese", 0x1F9C0, 80, 50, 50, C::MissingRight},
          {"teapot", 0x1FAD6, 150, 40, 56, C::Colour},
          {"honey", 0x1F36F, 20, 130, 46, C::MissingLeft},
          {"bread", 0x1F956, 80, 130, 60, C::Mirror},
          {"milk", 0x1F95B, 160, 130, 40, C::Other, 0x1F377},
          {"lemon", 0x1F34B, 20, 210, 40, C::Colour},
          {"carrot", 0x1F955, 80, 220, 44, C::MissingRight},
          {"salt", 0x1F9C2, 150, 210, 36, C::Other, 0x1F95A},
          {"grapes", 0x1F347, 190, 260, 34, C::Colour},
          {"loaf", 0x1F35E, 90, 300, 50, C::Smaller},
          {"knife", 0x1F52A, 30, 290, 40, C::Other, 0x1F944}}},
        {"Mode3",
         "conservatory",
         {{0x1FAB4, 8, 330, 84}, {0x1F33F, 136, 340, 84}},
         {{"butterfly", 0x1F98B, 30, 40, 40, C::Colour},
          {"bird", 0x1F426, 100, 30, 50, C::MissingRight},
          {"sunflower", 0x1F33B, 170, 50, 50, C::Other, 0x1F33C},
          {"bee", 0x1F41D, 20, 120, 34, C::MissingLeft},
          {"mushroom", 0x1F344, 80, 120, 44, C::Colour},
          {"cactus", 0x1F335, 150, 130, 56, C::Mirror},
          {"ladybird", 0x1F41E, 30, 200, 34, C::MissingRight},
          {"bucket", 0x1FAA3, 90, 200, 50, C::Colour},
          {"snail", 0x1F40C, 160, 220, 44, C::Mirror},
          {"clover", 0x1F340, 20, 270, 40, C::Other, 0x2618},
          {"frog", 0x1F438, 90, 280, 50, C::Smaller},
          {"gloves", 0x1F9E4, 170, 290, 44, C::Other, 0x2702}}},
    };
    return kDesigns;
}

// Turns the hue of every pixel by the angle, keeping alpha, so a coloured
// object reads as the same thing in another colour.
void turnHue(Canvas& canvas, float degrees)
{
    const float a = degrees * float(M_PI) / 180.0f, c = std::cos(a), s = std::sin(a);
    const float k = 1.0f / 3.0f, q = std::sqrt(k);
    const float m[3][3] = {{c + (1 - c) * k, k * (1 - c) - q * s, k * (1 - c) + q * s},
                           {k * (1 - c) + q * s, c + k * (1 - c), k * (1 - c) - q * s},
                           {k * (1 - c) - q * s, k * (1 - c) + q * s, c + k * (1 - c)}};
    uint32_t* p = canvas.pixels();
    for (size_t i = 0; i < size_t(canvas.width()) * size_t(canvas.height()); ++i)
    {
        float rgb[3] = {float((p[i] >> 16) & 0xFF), float((p[i] >> 8) & 0xFF), float(p[i] & 0xFF)};
        uint32_t out = p[i] & 0xFF000000u;
        for (int ch = 0; ch < 3; ++ch)
        {
            float v = m[ch][0] * rgb[0] + m[ch][1] * rgb[1] + m[ch][2] * rgb[2];
            out |= uint32_t(std::clamp(std::lround(v), 0l, 255l)) << (16 - 8 * ch);
        }
        p[i] = out;
    }
}

Canvas mirrored(const Canvas& source)
{
    Canvas out(source.width(), source.height());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            out.pixels()[size_t(y) * size_t(out.width()) + size_t(x)] = source.at(source.width() - 1 - x, y);
    return out;
}

Canvas object(PaintContext& context, char32_t emoji, int size, float scale = 1.0f)
{
    Canvas canvas(size, size);
    const float inner = float(size) * scale;
    const float at = (float(size) - inner) / 2;
    context.drawEmoji(canvas, emoji, at, at, inner, inner);
    return canvas;
}

bool savePicture(PackFiles& pack, const std::string& path, const Canvas& canvas)
{
    ImageLib::Image image(canvas.width(), canvas.height());
    std::copy(canvas.pixels(), canvas.pixels() + image.mBits.size(), image.mBits.begin());
    return ImageLib::SavePngFile(pack.fullPath(path), image) && pack.adopt(path);
}

bool hasPixels(const Canvas& canvas)
{
    for (size_t i = 0; i < size_t(canvas.width()) * size_t(canvas.height()); ++i)
        if (canvas.pixels()[i] >> 24)
            return true;
    return false;
}

std::string itemLine(const std::string& name, const std::string& image, int layer, int major, int minor,
                     int x, int y, int type)
{
    return "  <Item name=\"" + name + "\" image=\"" + image + "\" layer=\"" + std::to_string(layer) +
           "\" majorGroupID=\"" + std::to_string(major) + "\" minorGroupID=\"" + std::to_string(minor) +
           "\" x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" type=\"" +
           std::to_string(type) + "\"/>\n";
}

bool makeScene(const Design& design, PaintContext& context, PackFiles& pack, std::string& error)
{
    const std::string folder = std::string("content/scenes/Differences") + design.mode + "/";
    if (!platform::createDirectories(pack.fullPath(folder)))
    {
        error = "cannot make " + folder;
        return false;
    }
    Canvas room(kHalfWidth, kHalfHeight);
    paintRoom(room, design.theme, seedOf(design.mode));
    for (const Decoration& d : design.decorations)
        context.drawEmojiWithShadow(room, d.emoji, float(d.x), float(d.y), float(d.size), float(d.size));
    if (!savePicture(pack, folder + "room.png", room))
    {
        error = "cannot write " + folder + "room.png";
        return false;
    }
    std::string xml = "<?xml version=\"1.0\"?>\n<Scene>\n  <Screen Width=\"" + std::to_string(kScreenWidth) +
                      "\" Height=\"" + std::to_string(kHalfHeight) + "\"/>\n";
    xml += itemLine("room", "room.png", 0, -2, -2, 0, kHalfTop, 0);
    xml += itemLine("room_copy", "room.png", 0, -2, -2, kScreenWidth, kHalfTop, 0);

    int group = 1;
    for (const Pair& pair : design.pairs)
    {
        Canvas left = object(context, pair.emoji, pair.size);
        Canvas right;
        switch (pair.change)
        {
        case Change::MissingRight:
            right = room.crop(pair.x, pair.y, pair.size, pair.size);
            break;
        case Change::MissingLeft:
            right = left;
            left = room.crop(pair.x, pair.y, pair.size, pair.size);
            break;
        case Change::Other:
            right = object(context, pair.other, pair.size);
            break;
        case Change::Colour:
            right = left;
            turnHue(right, 150);
            break;
        case Change::Mirror:
            right = mirrored(left);
            break;
        case Change::Smaller:
            right = object(context, pair.emoji, pair.size, 0.7f);
            break;
        }
        if (!hasPixels(left) || !hasPixels(right))
        {
            error = std::string("difference \"") + pair.name + "\" in " + design.mode + " draws nothing";
            return false;
        }
        const std::string a = std::string(pair.name) + "_a.png", b = std::string(pair.name) + "_b.png";
        if (!savePicture(pack, folder + a, left) || !savePicture(pack, folder + b, right))
        {
            error = "cannot write the pieces of " + folder + pair.name;
            return false;
        }
        const int y = kHalfTop + pair.y;
        xml += itemLine(std::string(pair.name) + "_a", a, 10, group, -1, pair.x, y, 1);
        xml += itemLine(std::string(pair.name) + "_b", b, 10, -1, group, pair.x, y, 1);
        ++group;
    }
    xml += "</Scene>\n";
    return pack.write(folder + "Scene.xml", std::vector<uint8_t>(xml.begin(), xml.end()));
}

} // namespace

bool makeDifferenceScenes(PaintContext& context, PackFiles& pack, std::string& error)
{
    for (const Design& design : designs())
        if (!makeScene(design, context, pack, error))
            return false;
    return true;
}

} // namespace contentgen
