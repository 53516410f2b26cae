// Backdrops, photos, portraits, objects and jigsaw pieces.

#include "tools/contentgen/EstateMap.h"
#include "tools/contentgen/Materials.h"
#include "tools/contentgen/Painters.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace contentgen
{

namespace
{

const char* const kTitleFace = "DejaVuSerif-Bold.ttf";

struct RoomColours
{
    Rgba wall, stripe, floor;
};

RoomColours coloursFor(uint32_t seed)
{
    static const RoomColours kRooms[] = {
        {rgb(0x5b2a2a), rgb(0x6a3434), rgb(0x6a4326)}, // claret study
        {rgb(0x2f4a3c), rgb(0x38574a), rgb(0x5a3a22)}, // green library
        {rgb(0x3a3f5e), rgb(0x454b6e), rgb(0x4e3420)}, // blue drawing room
        {rgb(0x6b5a34), rgb(0x7a683e), rgb(0x5c3d20)}, // ochre hall
        {rgb(0x4a3550), rgb(0x56405e), rgb(0x4a2f1c)}, // plum parlour
    };
    return kRooms[seed % 5];
}

// A tall window with a moonlit sky, and a gilt frame on the wall beside it.
void paintWindowAndPicture(Canvas& canvas, uint32_t seed)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    float wx = w * (0.12f + float(seed % 3) * 0.25f), wy = h * 0.1f, ww = w * 0.16f, wh = h * 0.38f;
    Distance window = roundRect(wx, wy, ww, wh, ww * 0.5f);
    canvas.fillShape(window,
                     [&](float, float y) { return mix(rgb(0x26386a), rgb(0x6a7fb0), (y - wy) / wh); });
    canvas.fillShape(ellipse(wx + ww * 0.7f, wy + wh * 0.3f, ww * 0.1f, ww * 0.1f), rgb(0xf4f0d8));
    canvas.strokeShape(window, std::max(2.0f, w / 160), rgb(0xe8dcc0));
    canvas.fillShape(roundRect(wx + ww / 2 - 1.5f, wy, 3, wh, 1), rgb(0xe8dcc0));
    canvas.fillShape(roundRect(wx, wy + wh * 0.55f, ww, 3, 1), rgb(0xe8dcc0));
    float fx = wx + ww + w * 0.12f, fy = h * 0.16f, fw = w * 0.18f, fh = h * 0.22f;
    if (fx + fw < w)
    {
        Distance frame = roundRect(fx, fy, fw, fh, 2);
        canvas.shadow(frame, 3, 4, 6, 0.45f);
        canvas.fillShape(frame, brassShader(fy, fh, 1.0f));
        canvas.fillShape(roundRect(fx + 6, fy + 6, fw - 12, fh - 12, 1),
                         [&](float x, float y)
                         {
                             float n = fractalNoise(x / 30, y / 30, seed + 9, 3);
                             return mix(rgb(0x27402a), rgb(0x8a7a4a), y > fy + fh * 0.6f ? n : n * 0.4f);
                         });
    }
}

// A panelled room: striped wallpaper, wainscot, boards and, when furnished, a
// window and a framed picture.
void paintRoomInto(Canvas& canvas, uint32_t seed, bool furnished)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    const RoomColours colours = coloursFor(seed);
    const float wainscot = h * 0.58f, floor = h * 0.78f;
    canvas.fill(
        [&](float x, float y)
        {
            if (y >= floor)
            {
                float plank = std::floor((x + std::floor((y - floor) / 18) * 37) / (w / 7));
                float n = fractalNoise(x / 80, y / 6, seed + uint32_t(plank), 3);
                return shade(colours.floor, 0.75f + 0.4f * n + 0.3f * (y - floor) / (h - floor));
            }
            if (y >= wainscot)
                return woodShader(wainscot, floor - wainscot, seed, 0.85f)(x, y);
            float stripe = std::fmod(x, w / 16) < w / 32 ? 1.0f : 0.0f;
            Rgba c = mix(colours.wall, colours.stripe, stripe);
            float n = fractalNoise(x / 60, y / 60, seed, 3);
            return shade(c, 0.85f + 0.25f * n);
        });
    // Panel mouldings on the wainscot and a rail on top.
    for (int i = 0; i < 6; ++i)
    {
        float px = w * (0.02f + float(i) / 6), pw = w / 6 - w * 0.04f;
        canvas.strokeShape(roundRect(px, wainscot + h * 0.03f, pw, floor - wainscot - h * 0.06f, 3), 2,
                           Rgba{0, 0, 0, 0.3f});
    }
    canvas.fillShape(roundRect(0, wainscot - 4, w, 8, 2), brassShader(wainscot - 4, 8, 0.8f));
    if (furnished)
        paintWindowAndPicture(canvas, seed);
    // Vignette.
    canvas.fill(
        [&, copy = canvas](float x, float y)
        {
            uint32_t p = copy.at(int(x), int(y));
            float dx = (x - w / 2) / w, dy = (y - h / 2) / h;
            float v = 1.0f - 0.9f * (dx * dx + dy * dy);
            return Rgba{float((p >> 16) & 255) / 255 * v, float((p >> 8) & 255) / 255 * v,
                        float(p & 255) / 255 * v, float(p >> 24) / 255};
        });
}

void paintSky(Canvas& canvas, uint32_t top, uint32_t bottom, float horizon)
{
    canvas.fill([&](float, float y) { return mix(rgb(top), rgb(bottom), y / horizon); });
}

// The country house against the evening sky.
void paintHouse(Canvas& canvas, float baseY, float scale, float cx, bool lit)
{
    auto box = [&](float x, float y, float w, float h)
    { return roundRect(cx + x * scale, baseY - (y + h) * scale, w * scale, h * scale, 0); };
    Rgba stone = rgb(0x2c2432);
    canvas.fillShape(box(-180, 0, 360, 120), stone);
    canvas.fillShape(box(-60, 120, 120, 60), stone);
    canvas.fillShape(polygon({{cx - 200 * scale, baseY - 120 * scale},
                              {cx, baseY - 200 * scale},
                              {cx + 200 * scale, baseY - 120 * scale}}),
                     stone);
    canvas.fillShape(polygon({{cx - 70 * scale, baseY - 180 * scale},
                              {cx, baseY - 240 * scale},
                              {cx + 70 * scale, baseY - 180 * scale}}),
                     stone);
    for (float x : {-150.0f, 130.0f})
        canvas.fillShape(box(x, 160, 18, 60), stone);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 8; ++col)
        {
            float x = -160 + float(col) * 42, y = 20 + float(row) * 50;
            bool on = lit && ((col * 7 + row * 3) % 4 != 0);
            canvas.fillShape(box(x, y, 18, 30), on ? rgb(0xffd77a) : rgb(0x14101c));
            if (on)
                canvas.fillShape(box(x - 6, y - 6, 30, 42), rgb(0xffc860, 0.15f), 10 * scale);
        }
}

void paintEstate(Canvas& canvas, const std::string& theme)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    paintSky(canvas, 0x1b1836, 0xc7745a, h * 0.75f);
    canvas.fillShape(ellipse(w * 0.78f, h * 0.2f, 26, 26), rgb(0xfff4d6), 2);
    canvas.fillShape(ellipse(w * 0.78f, h * 0.2f, 60, 60), rgb(0xfff4d6, 0.15f), 40);
    for (int i = 0; i < 60; ++i)
    {
        float x = float((i * 7919) % 800) / 800 * w, y = float((i * 104729) % 300) / 300 * h * 0.45f;
        canvas.fillShape(ellipse(x, y, 1.1f, 1.1f), rgb(0xffffff, 0.5f + 0.5f * float(i % 3) / 2));
    }
    auto hill = [&](float base, float amplitude, uint32_t colour, uint32_t seed)
    {
        canvas.fill(
            [&, copy = canvas](float x, float y)
            {
                float top = base - amplitude * fractalNoise(x / 220, 0.5f, seed, 3);
                uint32_t p = copy.at(int(x), int(y));
                if (y < top)
                    return Rgba{float((p >> 16) & 255) / 255, float((p >> 8) & 255) / 255,
                                float(p & 255) / 255, float(p >> 24) / 255};
                return rgb(colour);
            });
    };
    hill(h * 0.72f, h * 0.12f, 0x2a2440, 3);
    if (theme != "estate")
        paintHouse(canvas, h * 0.8f, h / 600.0f, w * 0.5f, theme == "estate-full");
    hill(h * 0.9f, h * 0.1f, 0x17131f, 5);
}

void paintTitleCard(Canvas& canvas, const ResourceEntry& entry, PaintContext& context)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    canvas.fill(
        [&](float x, float y)
        {
            float dx = (x - w / 2) / w, dy = (y - h / 2) / h;
            return mix(rgb(0x2a1e30), rgb(0x07050a), std::sqrt(dx * dx + dy * dy) * 1.6f);
        });
    std::vector<char32_t> objects = codePoints(entry.setting("emoji"));
    for (size_t i = 0; i < objects.size(); ++i)
        context.drawEmoji(canvas, objects[i],
                          w / 2 - h * 0.16f + (float(i) - float(objects.size() - 1) / 2) * h * 0.34f,
                          h * 0.2f, h * 0.32f, h * 0.32f);
    std::string title = words(entry.setting("title"));
    int px = int(h / 9);
    canvas.text(title, kTitleFace, px, w / 2 + 2, h * 0.62f + 3, Rgba{0, 0, 0, 0.7f}, true);
    canvas.text(title, kTitleFace, px, w / 2, h * 0.62f, rgb(0xf0cf78), true);
}

void paintScenePicture(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    const std::string theme = entry.setting("theme");
    const float w = float(canvas.width()), h = float(canvas.height());
    const uint32_t seed = seedOf(theme + entry.id);
    if (theme == "title" || theme == "plain")
        paintTitleCard(canvas, entry, context);
    else if (theme.rfind("estate", 0) == 0)
        paintEstate(canvas, theme);
    else if (theme == "map")
        paintEstateMap(canvas, context);
    else if (theme == "area")
        paintAreaPicture(canvas, std::atoi(entry.setting("area").c_str()));
    else if (theme == "bomb")
    {
        canvas.fill(
            [&](float x, float y)
            {
                float n = fractalNoise(x / 6, y / 120, seed, 3);
                return mix(rgb(0x4a5058), rgb(0x2a2e34), n * 0.6f + y / h * 0.4f);
            });
        for (float x : {30.0f, w - 30})
            for (float y : {30.0f, h - 30})
                canvas.fillShape(ellipse(x, y, 9, 9), brassShader(y - 9, 18, 0.9f));
        Distance plate = roundRect(w * 0.2f, h * 0.15f, w * 0.6f, h * 0.7f, 16);
        canvas.shadow(plate, 3, 5, 10, 0.6f);
        canvas.fillShape(plate, darkShader(h * 0.15f, h * 0.7f, 1.1f));
        canvas.strokeShape(plate, 4, rgb(0x8a1a1a));
        // The window behind the timer digits the game draws from (519, 297), and
        // the tray at (460, 380, 300, 180) that takes the tools back.
        canvas.fillShape(roundRect(513, 291, 112, 46, 4), rgb(0x140606));
        canvas.strokeShape(roundRect(511, 289, 116, 50, 5), 2, rgb(0x8a8f96));
        Distance tray = roundRect(460, 380, 300, 180, 12);
        canvas.shadow(tray, 3, 5, 8, 0.6f);
        canvas.fillShape(tray, woodShader(380, 180, seed, 0.8f));
        canvas.fillShape(roundRect(472, 392, 276, 156, 8), rgb(0x2a1c12, 0.85f));
    }
    else if (theme == "news")
    {
        canvas.fill([&](float, float y) { return mix(rgb(0x1c3a7a), rgb(0x0a1430), y / h); });
        canvas.fillShape(roundRect(0, h * 0.78f, w, h * 0.12f, 0), rgb(0xb01818));
        canvas.text(words(entry.setting("title")), kTitleFace, int(h / 16), w * 0.05f, h * 0.79f,
                    rgb(0xffffff), false);
        canvas.fillShape(roundRect(w * 0.08f, h * 0.12f, w * 0.5f, h * 0.56f, 8), rgb(0x000000, 0.35f));
    }
    else if (theme == "preview" || theme == "table" || theme == "desk" || theme == "lab" || theme == "dining")
    {
        canvas.fill(woodShader(0, h, seed, theme == "preview" ? 0.75f : 0.9f));
        Distance cloth = roundRect(w * 0.06f, h * 0.08f, w * 0.88f, h * 0.84f, std::min(w, h) * 0.05f);
        canvas.shadow(cloth, 2, 3, std::max(3.0f, w / 100), 0.5f);
        Rgba felt = theme == "lab" ? rgb(0x1f3a36) : theme == "dining" ? rgb(0xe8e0cc) : rgb(0x2f5a3a);
        canvas.fillShape(cloth, [&](float x, float y)
                         { return shade(felt, 0.85f + 0.2f * fractalNoise(x / 20, y / 20, seed, 3)); });
    }
    else
    {
        // A picture that stands behind glass leaves the window out.
        paintRoomInto(canvas, seed, entry.setting("window") != "none");
    }

    // The objects of the picture, large and in front.
    std::vector<char32_t> objects = codePoints(entry.setting("emoji"));
    if (theme != "title" && theme != "plain" && !objects.empty())
    {
        float size = theme == "preview" ? h * 0.62f : h * 0.34f;
        float span = size * 1.15f * float(objects.size());
        for (size_t i = 0; i < objects.size(); ++i)
        {
            float x = w / 2 - span / 2 + float(i) * size * 1.15f;
            float y = theme == "preview" ? (h - size) / 2 : h * 0.62f - size / 2;
            context.drawEmojiWithShadow(canvas, objects[i], x, y, size, size);
        }
    }

    const std::string tone = entry.setting("tone", "color");
    if (tone == "gray")
        canvas.toGray();
    else if (tone == "sepia")
        canvas.toSepia();
    if (theme.rfind("photo", 0) == 0 || theme.rfind("old", 0) == 0)
    {
        // A photograph's white border.
        for (int b = 0; b < 8; ++b)
            canvas.strokeShape(roundRect(float(b), float(b), w - 2 * float(b), h - 2 * float(b), 1), 1.0f,
                               tone == "sepia" ? rgb(0xe8dcc0) : rgb(0xf4f2ee));
    }
    if (theme == "preview")
        canvas.strokeShape(roundRect(0, 0, w, h, 4), 3, rgb(0xc9973f));
}

// An object or a portrait from the emoji face on its backing.
void paintEmojiPicture(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    const std::string back = entry.setting("back", "none");
    const char32_t cp = codePoints(entry.setting("cp"))[0];
    const float brightness = stateBrightness(entry.setting("state", "normal"));
    if (back == "portrait")
    {
        Distance oval = ellipse(w / 2, h / 2, w / 2 - 4, h / 2 - 4);
        canvas.shadow(oval, 2, 3, 5, 0.5f);
        canvas.fillShape(oval, brassShader(0, h, 1.0f));
        Distance inner = ellipse(w / 2, h / 2, w / 2 - 4 - w * 0.06f, h / 2 - 4 - w * 0.06f);
        canvas.fillShape(inner, [&](float, float y) { return mix(rgb(0x5a4a6a), rgb(0x1e1828), y / h); });
        context.drawEmoji(canvas, cp, w * 0.14f, h * 0.2f, w * 0.72f, h * 0.66f);
        if (entry.setting("gun") == "yes")
            context.drawEmoji(canvas, 0x1F52B, w * 0.5f, h * 0.55f, w * 0.36f, w * 0.36f);
        if (const std::string number = entry.setting("number"); !number.empty())
        {
            // A numbered brass disc in the lower right, for guests the player tells apart by number.
            const float r = w * 0.19f, cx = w - r - 2, cy = h - r - 2;
            Distance disc = ellipse(cx, cy, r, r);
            canvas.shadow(disc, 1, 2, 3, 0.55f);
            canvas.fillShape(disc, brassShader(cy - r, 2 * r, 1.1f));
            canvas.strokeShape(disc, 1.2f, rgb(0x3b2608));
            canvas.text(number, "DejaVuSans-Bold.ttf", int(r * 1.35f), cx, cy - r * 0.78f, rgb(0x2a1808),
                        true);
        }
        return;
    }
    if (back == "coin" || back == "tool")
    {
        Distance plate =
            back == "coin" ? ellipse(w / 2, h / 2, w / 2 - 2, h / 2 - 2) : roundRect(3, 3, w - 6, h - 6, 10);
        if (brightness > 1)
            canvas.fillShape(roundRect(0, 0, w, h, 12), rgb(0xffe08a, 0.6f), 6);
        canvas.shadow(plate, 1, 2, 3, 0.45f);
        canvas.fillShape(plate,
                         back == "coin" ? brassShader(0, h, brightness) : darkShader(0, h, brightness));
        context.drawEmoji(canvas, cp, w * 0.15f, h * 0.12f, w * 0.7f, h * 0.76f,
                          brightness < 1 ? 0.7f : 1.0f);
        return;
    }
    // A loose object lights up under the pointer.
    if (brightness > 1)
        canvas.fillShape(ellipse(w / 2, h / 2, w / 2 - 6, h / 2 - 6), rgb(0xffe08a, 0.5f), 10);
    context.drawEmoji(canvas, cp, 0, 0, w, h);
}

// A jigsaw piece: its 97 x 112 place of the shared picture at (11, 26), with a
// round tab reaching into the margin on each inner side (above, left, right)
// that shows the picture beyond the place, so that a fixed piece overlaps its
// neighbours with the same pixels. Outside the piece stays transparent, since
// the game hit-tests loose pieces by alpha. The last set is edged in gold.
void paintPiece(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    constexpr float kPlaceW = kJigsawPlaceWidth, kPlaceH = kJigsawPlaceHeight, kLeft = 11, kTop = 26;
    const int index = std::stoi(entry.setting("index", "1")) - 1;
    const int col = index % 6, row = index / 6;
    const Canvas& picture = context.jigsawPicture();
    const int originX = col * kJigsawPlaceWidth - int(kLeft), originY = row * kJigsawPlaceHeight - int(kTop);

    std::vector<Distance> parts = {roundRect(kLeft, kTop, kPlaceW, kPlaceH, 2)};
    if (row > 0)
        parts.push_back(ellipse(kLeft + kPlaceW / 2, kTop - 10, 13, 14));
    if (col > 0)
        parts.push_back(ellipse(kLeft - 1, kTop + kPlaceH / 2, 10, 14));
    if (col < 5)
        parts.push_back(ellipse(kLeft + kPlaceW + 1, kTop + kPlaceH / 2, 10, 14));
    Distance piece = parts.front();
    piece.distance = [parts](float x, float y)
    {
        float d = parts.front()(x, y);
        for (const Distance& part : parts)
            d = std::min(d, part(x, y));
        return d;
    };
    piece.left = 0;
    piece.top = 0;
    piece.right = float(canvas.width());
    piece.bottom = float(canvas.height());

    canvas.fillShape(
        piece,
        [&](float x, float y)
        {
            int px = std::clamp(originX + int(x), 0, picture.width() - 1);
            int py = std::clamp(originY + int(y), 0, picture.height() - 1);
            uint32_t p = picture.at(px, py);
            return Rgba{float((p >> 16) & 255) / 255, float((p >> 8) & 255) / 255, float(p & 255) / 255, 1};
        });
    const bool last = entry.setting("look") == "last";
    canvas.strokeShape(piece, 2, last ? rgb(0xffd46a) : Rgba{1, 1, 1, 0.35f});
    canvas.strokeShape(piece, 1, Rgba{0, 0, 0, 0.45f});
}

} // namespace

void paintRoom(Canvas& canvas, const std::string& theme, uint32_t seed, bool furnished)
{
    paintRoomInto(canvas, seed ^ seedOf(theme), furnished);
}

bool paintScene(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    if (entry.painter == "scene")
        paintScenePicture(entry, context, canvas);
    else if (entry.painter == "emoji")
        paintEmojiPicture(entry, context, canvas);
    else if (entry.painter == "piece")
        paintPiece(entry, context, canvas);
    else
        return false;
    return true;
}

} // namespace contentgen
