// The rooms of the house: walls, floor, furniture and light, with the places
// where objects can lie. Each piece of furniture lays itself out and paints
// itself in one function, so that the places always match the picture.

#include "tools/contentgen/RoomPainter.h"

#include "tools/contentgen/ItemPictures.h"
#include "tools/contentgen/Materials.h"
#include "tools/contentgen/Painters.h"

#include <algorithm>
#include <cmath>

namespace contentgen
{

namespace
{

constexpr float kWidth = 800, kHeight = 600;

struct Light
{
    float x, y, radius, strength;
};

struct Build
{
    const SceneRoom& room;
    RoomLayout& layout;
    Canvas* back = nullptr;
    Canvas* front = nullptr;
    PaintContext* context = nullptr;
    std::vector<Light> lights;
    uint32_t seed = 0;

    bool painting() const { return back != nullptr; }
    void spot(float x0, float x1, float y, float maxHeight, float sink = 0, int layer = kObjectLayer)
    {
        layout.spots.push_back({x0, x1, y, maxHeight, sink, layer});
    }
    void frontPiece(float x, float y, float w, float h)
    {
        layout.fronts.push_back({int(x), int(y), int(std::ceil(w)), int(std::ceil(h))});
    }
    void solid(float x, float y, float w, float h)
    {
        layout.solids.push_back({int(x), int(y), int(w), int(h)});
    }
};

Rgba grain(const Rgba& base, float x, float y, uint32_t seed, float strength)
{
    float n = fractalNoise(x / 70.0f, y / 6.0f, seed, 3);
    float rings = 0.5f + 0.5f * std::sin(n * 16.0f + x / 35.0f);
    return shade(base, 1.0f - strength * 0.5f + strength * (0.6f * n + 0.4f * rings));
}

Shader woodOf(uint32_t colour, uint32_t seed, float top, float height)
{
    Rgba base = rgb(colour ? colour : 0x6a4020);
    return [=](float x, float y)
    {
        float t = (y - top) / std::max(1.0f, height);
        return shade(grain(base, x, y, seed, 0.5f), 1.1f - 0.2f * t);
    };
}

Shader fabricOf(uint32_t colour, uint32_t seed)
{
    Rgba base = rgb(colour);
    return [=](float x, float y)
    {
        float weave = 0.96f + 0.04f * std::sin(x * 1.7f) * std::sin(y * 1.7f);
        return shade(base, weave * (0.85f + 0.25f * fractalNoise(x / 25, y / 25, seed, 3)));
    };
}

Shader stoneOf(uint32_t colour, uint32_t seed)
{
    Rgba base = rgb(colour);
    return [=](float x, float y)
    { return shade(base, 0.75f + 0.45f * fractalNoise(x / 18, y / 18, seed, 4)); };
}

// --- walls and floors ----------------------------------------------------

// Stone blocks or bricks in courses, each block its own shade.
Rgba masonry(float x, float y, bool brick, const Rgba& wall, const Rgba& accent, uint32_t seed)
{
    float rowH = brick ? 22.0f : 46.0f, colW = brick ? 48.0f : 80.0f;
    int row = int(std::floor(y / rowH));
    float offset = float(row % 2) * colW * 0.5f + (brick ? 0 : float((row * 37) % 23));
    int col = int(std::floor((x + offset) / colW));
    float fx = std::fmod(x + offset, colW), fy = std::fmod(y, rowH);
    float mortar = brick ? 3 : 4;
    if (fx < mortar || fy < mortar)
        return shade(rgb(brick ? 0x8a7a6a : 0x3a3630), 0.8f + 0.3f * fractalNoise(x / 60, y / 60, seed, 3));
    float cell = float((uint32_t(row * 7919 + col * 104729) >> 3) % 100) / 100.0f;
    return shade(mix(wall, accent, cell),
                 0.75f + 0.4f * fractalNoise(x / 14, y / 14, seed + uint32_t(col), 3));
}

Rgba wallAt(const Build& b, float x, float y)
{
    const SceneRoom& r = b.room;
    Rgba wall = rgb(r.wallColour), accent = rgb(r.accentColour);
    float n = fractalNoise(x / 60, y / 60, b.seed, 3);
    if (r.wall == "paper")
    {
        float stripe = std::fmod(x, 50.0f) < 25 ? 1.0f : 0.0f;
        float motif = std::fabs(std::fmod(x + 12.5f, 25.0f) - 12.5f) + std::fabs(std::fmod(y, 36.0f) - 18.0f);
        Rgba c = mix(wall, accent, stripe * 0.7f);
        if (motif < 7)
            c = mix(c, shade(wall, 1.25f), 0.35f * (1 - motif / 7));
        if (y > r.floorLine - 150)
            return grain(rgb(0x5a3418), x, y, b.seed + 3, 0.5f); // wainscot
        return shade(c, 0.85f + 0.25f * n);
    }
    if (r.wall == "panel")
    {
        float px = std::fmod(x, 110.0f), py = std::fmod(y + 20, 150.0f);
        bool edge = px < 6 || px > 104 || py < 6 || py > 144;
        Rgba c = grain(wall, x, y, b.seed, 0.55f);
        return edge ? shade(c, px < 6 || py < 6 ? 1.25f : 0.7f) : c;
    }
    if (r.wall == "stone" || r.wall == "brick")
        return masonry(x, y, r.wall == "brick", wall, accent, b.seed);
    if (r.wall == "plank")
    {
        float fx = std::fmod(x, 38.0f);
        int board = int(x / 38);
        Rgba c = grain(mix(wall, accent, float(board % 3) * 0.3f), y * 0.3f, x * 3, b.seed + uint32_t(board),
                       0.6f);
        return fx < 2.5f ? shade(c, 0.45f) : c;
    }
    if (r.wall == "tile")
    {
        if (y < r.floorLine - 170)
            return shade(wall, 0.85f + 0.2f * n);
        float fx = std::fmod(x, 32.0f), fy = std::fmod(y, 32.0f);
        if (fx < 2 || fy < 2)
            return shade(rgb(0xe8e4dc), 0.9f);
        bool alternate = (int(x / 32) + int(y / 32)) % 2 == 0;
        return shade(alternate ? accent : shade(accent, 1.15f), 0.92f + 0.12f * n);
    }
    if (r.wall == "glass")
    {
        if (y > r.floorLine - 90)
            return masonry(x, y, true, rgb(0x7a4a3a), rgb(0x6a3a2a), b.seed);
        float fx = std::fmod(x, 90.0f), fy = std::fmod(y, 110.0f);
        if (fx < 5 || fy < 5)
            return shade(rgb(0xd8dcd0), 0.9f + 0.1f * n);
        float leaves = fractalNoise(x / 40, y / 40, b.seed + 5, 4);
        Rgba sky = mix(rgb(0xcfe8f4), rgb(0x8ab8d0), y / r.floorLine);
        return mix(sky, mix(wall, accent, leaves),
                   std::clamp((leaves - 0.35f) * 2.2f + y / 900, 0.0f, 0.85f));
    }
    // "night": an evening sky over a garden wall.
    if (y < r.floorLine - 130)
    {
        Rgba sky = mix(rgb(0x141a38), rgb(0x6a4a6a), y / (r.floorLine - 130));
        uint32_t h = uint32_t(int(x) * 7919 + int(y) * 104729);
        if ((h % 977) == 0)
            return mix(sky, rgb(0xffffff), 0.8f);
        return sky;
    }
    float top = r.floorLine - 130;
    float fy = std::fmod(y - top, 34.0f);
    int row = int((y - top) / 34);
    float fx = std::fmod(x + float(row % 2) * 30, 60.0f);
    if (fx < 3 || fy < 3)
        return rgb(0x2a2a30);
    return shade(wall, 0.7f + 0.4f * fractalNoise(x / 16, y / 16, b.seed, 3));
}

Rgba floorAt(const Build& b, float x, float y)
{
    const SceneRoom& r = b.room;
    const float vx = 400, vy = r.floorLine - 260;
    float depth = (y - r.floorLine) / (kHeight - r.floorLine); // 0 at the wall, 1 at the front
    float u = (x - vx) / (y - vy) * 200;                       // perspective across
    float v = 6000.0f / (y - vy);                              // perspective along
    Rgba base = rgb(r.floorColour);
    Rgba c;
    if (r.floor == "boards")
    {
        int plank = int(std::floor(u / 26));
        float seam = std::fabs(std::fmod(u, 26.0f));
        float offset = float((plank * 37) % 11) * 0.7f;
        float across = std::fmod(v * 3 + offset, 6.0f);
        c = grain(mix(base, shade(base, 0.8f), float(plank % 3) / 3), u * 4, v * 40, b.seed + uint32_t(plank),
                  0.5f);
        if (seam < 1.2f || seam > 24.8f || across < 0.05f)
            c = shade(c, 0.55f);
    }
    else if (r.floor == "tiles")
    {
        bool dark = (int(std::floor(u / 40)) + int(std::floor(v * 2.2f))) % 2 != 0;
        c = dark ? shade(base, 0.45f) : base;
        c = shade(c, 0.92f + 0.12f * fractalNoise(x / 30, y / 30, b.seed, 3));
    }
    else if (r.floor == "flags")
    {
        int row = int(std::floor(v * 1.6f));
        float fu = std::fmod(u + float(row % 2) * 30 + 1000, 60.0f), fv = std::fmod(v * 1.6f, 1.0f);
        uint32_t cell =
            uint32_t(row * 7919 + int(std::floor((u + float(row % 2) * 30 + 1000) / 60)) * 104729);
        c = shade(base, 0.8f + 0.3f * float((cell >> 4) % 100) / 100 +
                            0.2f * fractalNoise(x / 12, y / 12, b.seed, 3));
        if (fu < 1.6f || fv < 0.035f)
            c = shade(base, 0.45f);
    }
    else if (r.floor == "carpet")
    {
        float pattern = std::sin(u * 0.25f) * std::sin(v * 9.0f);
        c = shade(base, 0.9f + 0.08f * pattern + 0.15f * fractalNoise(x / 8, y / 8, b.seed, 2));
    }
    else if (r.floor == "straw")
    {
        float streak = fractalNoise(x / 3, y / 30, b.seed, 3);
        c = mix(shade(base, 0.7f), rgb(0xd8b868), streak * 0.8f);
    }
    else
    {
        float grass = fractalNoise(x / 10, y / 6, b.seed, 4);
        c = mix(base, rgb(0x3a5a2a), std::clamp(grass * 1.6f - 0.5f, 0.0f, 1.0f));
    }
    return shade(c, 0.75f + 0.35f * depth);
}

void paintShell(Build& b)
{
    const SceneRoom& r = b.room;
    b.back->fill([&](float x, float y) { return y < r.floorLine ? wallAt(b, x, y) : floorAt(b, x, y); });
    bool indoors = r.wall != "night" && r.wall != "glass";
    if (indoors)
    {
        // Skirting board and a cornice shadow.
        b.back->fillShape(roundRect(0, r.floorLine - 16, kWidth, 18, 0),
                          woodOf(0x3a2010, b.seed, r.floorLine - 16, 18));
        b.back->fillShape(roundRect(0, r.floorLine - 17, kWidth, 2, 0), Rgba{1, 1, 1, 0.15f});
        b.back->fillShape(roundRect(0, -40, kWidth, 70, 0), Rgba{0, 0, 0, 0.35f}, 40);
    }
    b.back->fillShape(roundRect(0, r.floorLine, kWidth, 14, 0), Rgba{0, 0, 0, 0.3f}, 12);
}

// --- furniture -----------------------------------------------------------

void window(Build& b, const Furniture& f)
{
    b.spot(f.x + 14, f.x + f.w - 14, f.y + f.h + 2, 46, 0.06f);
    b.lights.push_back({f.x + f.w / 2, f.y + f.h * 0.7f, f.w * 2.2f, 0.35f});
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    Rgba sky = rgb(f.colour);
    Distance pane = roundRect(f.x, f.y, f.w, f.h, std::min(f.w, f.h) * 0.08f);
    c.shadow(pane, 3, 4, 8, 0.5f);
    c.fillShape(pane,
                [&](float x, float y)
                {
                    float t = (y - f.y) / f.h;
                    Rgba s = mix(shade(sky, 0.8f), shade(sky, 1.5f), t);
                    float hills = f.y + f.h * (0.72f + 0.1f * fractalNoise(x / 30, 0.5f, b.seed + 11, 3));
                    return y > hills ? shade(rgb(0x2a3a2a), 0.6f + 0.6f * (sky.r + sky.g)) : s;
                });
    Rgba frame = rgb(0xe8dcc4);
    c.strokeShape(pane, 7, shade(frame, 0.9f));
    c.fillShape(roundRect(f.x + f.w / 2 - 3, f.y, 6, f.h, 1), frame);
    for (float t : {0.33f, 0.66f})
        c.fillShape(roundRect(f.x, f.y + f.h * t - 2, f.w, 4, 1), frame);
    // Sill and curtains.
    c.fillShape(roundRect(f.x - 14, f.y + f.h - 2, f.w + 28, 12, 2), woodOf(0xc8b8a0, b.seed, f.y + f.h, 12));
    c.shadow(roundRect(f.x - 14, f.y + f.h + 8, f.w + 28, 4, 2), 0, 3, 6, 0.4f);
    Rgba curtain = shade(rgb(b.room.accentColour), 1.15f);
    for (int side = 0; side < 2; ++side)
    {
        float cx = side == 0 ? f.x - 18 : f.x + f.w - 22;
        Distance drape = polygon({{cx, f.y - 18},
                                  {cx + 40, f.y - 18},
                                  {cx + 30 - float(side) * 20, f.y + f.h + 40},
                                  {cx + 10 - float(side) * 10, f.y + f.h + 40}});
        c.fillShape(drape,
                    [&](float x, float y) {
                        return shade(curtain, 0.75f + 0.35f * (0.5f + 0.5f * std::sin(x * 0.5f + y * 0.02f)));
                    });
    }
    c.fillShape(roundRect(f.x - 30, f.y - 24, f.w + 60, 9, 4), brassShader(f.y - 24, 9, 0.9f));
}

void door(Build& b, const Furniture& f)
{
    b.solid(f.x, f.y, f.w, f.h);
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    c.shadow(roundRect(f.x - 10, f.y - 10, f.w + 20, f.h + 10, 3), 2, 3, 8, 0.5f);
    c.fillShape(roundRect(f.x - 10, f.y - 10, f.w + 20, f.h + 10, 3), woodOf(0x3a2010, b.seed + 1, f.y, f.h));
    c.fillShape(roundRect(f.x, f.y, f.w, f.h, 2), woodOf(f.colour, b.seed + 2, f.y, f.h));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col)
        {
            Distance panel = roundRect(f.x + 14 + float(col) * (f.w / 2 - 7),
                                       f.y + 18 + float(row) * f.h * 0.45f, f.w / 2 - 28, f.h * 0.38f, 3);
            c.strokeShape(panel, 3, Rgba{0, 0, 0, 0.35f});
        }
    c.fillShape(ellipse(f.x + f.w - 20, f.y + f.h * 0.55f, 6, 6),
                brassShader(f.y + f.h * 0.55f - 6, 12, 1.1f));
}

void painting(Build& b, const Furniture& f)
{
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    Distance frame = roundRect(f.x, f.y, f.w, f.h, 2);
    c.shadow(frame, 4, 6, 8, 0.5f);
    c.fillShape(frame, brassShader(f.y, f.h, 0.85f));
    c.strokeShape(roundRect(f.x + 5, f.y + 5, f.w - 10, f.h - 10, 1), 2, Rgba{0, 0, 0, 0.4f});
    Rgba tone = rgb(f.colour);
    uint32_t s = b.seed + uint32_t(f.x);
    c.fillShape(roundRect(f.x + 10, f.y + 10, f.w - 20, f.h - 20, 1),
                [&](float x, float y)
                {
                    float t = (y - f.y) / f.h;
                    float n = fractalNoise(x / 20, y / 20, s, 4);
                    float horizon = 0.55f + 0.1f * fractalNoise(x / 40, 0.3f, s + 1, 2);
                    Rgba sky = mix(shade(tone, 1.5f), shade(tone, 1.1f), t);
                    Rgba land = mix(shade(tone, 0.6f), shade(rgb(0x3a4a2a), 0.9f), n);
                    return t < horizon ? mix(sky, rgb(0xf0e0c0), n * 0.3f) : land;
                });
}

void wallShelf(Build& b, const Furniture& f)
{
    b.spot(f.x + 18, f.x + f.w - 18, f.y + 1, 58, 0.04f);
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    c.shadow(roundRect(f.x, f.y, f.w, f.h, 2), 0, 5, 7, 0.5f);
    for (float bx : {f.x + 16, f.x + f.w - 26})
        c.fillShape(polygon({{bx, f.y + f.h}, {bx + 10, f.y + f.h}, {bx + 10, f.y + f.h + 26}}),
                    woodOf(0x3a2010, b.seed, f.y, 30));
    c.fillShape(roundRect(f.x, f.y, f.w, f.h, 2), woodOf(0x7a5030, b.seed + 4, f.y, f.h));
}

void lamp(Build& b, const Furniture& f)
{
    b.lights.push_back({f.x + f.w / 2, f.y + f.h / 3, 260, 0.55f});
    if (!b.painting())
        return;
    b.back->fillShape(ellipse(f.x + f.w / 2, f.y + f.h / 3, f.w * 1.3f, f.w * 1.3f), rgb(0xffd890, 0.25f),
                      f.w);
    b.context->drawEmojiWithShadow(*b.back, f.emoji, f.x, f.y, f.w, f.h);
}

void decor(Build& b, const Furniture& f, bool inFront)
{
    if (inFront)
    {
        b.frontPiece(f.x - 2, f.y - 2, f.w + 4, f.h + 4);
        b.spot(f.x + f.w * 0.3f, f.x + f.w * 0.7f, f.y + f.h * 0.38f, 54, 0.45f, kBehindLayer);
    }
    else
        b.solid(f.x, f.y, f.w, f.h);
    if (!b.painting())
        return;
    Canvas& c = inFront ? *b.front : *b.back;
    b.context->drawEmojiWithShadow(c, f.emoji, f.x, f.y, f.w, f.h);
}

void rug(Build& b, const Furniture& f)
{
    if (!b.painting())
        return;
    Rgba base = rgb(f.colour);
    Distance shape = polygon({{f.x - f.w * 0.42f, f.y - f.h / 2},
                              {f.x + f.w * 0.42f, f.y - f.h / 2},
                              {f.x + f.w / 2, f.y + f.h / 2},
                              {f.x - f.w / 2, f.y + f.h / 2}});
    b.back->shadow(shape, 0, 2, 4, 0.4f);
    b.back->fillShape(shape,
                      [&](float x, float y)
                      {
                          float d = -shape(x, y);
                          if (d < 6)
                              return shade(rgb(0xd8b060), 0.9f);
                          float motif = std::sin((x - f.x) * 0.12f) * std::sin((y - f.y) * 0.35f);
                          return shade(base,
                                       0.85f + 0.2f * motif + 0.1f * fractalNoise(x / 5, y / 5, b.seed, 2));
                      });
}

void bench(Build& b, const Furniture& f)
{
    // Pews and stall walls are solid boards; benches have a seat on legs.
    bool boards = f.kind != "bench";
    b.frontPiece(f.x, f.y, f.w, f.h);
    b.spot(f.x + 30, f.x + f.w - 30, f.y + 14, 50, 0.4f, kBehindLayer);
    if (!boards)
        b.spot(f.x + 24, f.x + f.w - 24, f.y + f.h * 0.42f, 44, 0, kOnFrontLayer);
    if (!b.painting())
        return;
    Canvas& c = *b.front;
    Shader wood = woodOf(f.colour, b.seed + 7, f.y, f.h);
    if (boards)
    {
        c.shadow(roundRect(f.x, f.y, f.w, f.h, 3), 3, 5, 8, 0.5f);
        c.fillShape(roundRect(f.x, f.y, f.w, f.h, 3), wood);
        for (float px = f.x + 20; px < f.x + f.w - 10; px += 46)
            c.fillShape(roundRect(px, f.y + 4, 2, f.h - 8, 1), Rgba{0, 0, 0, 0.35f});
        c.fillShape(roundRect(f.x - 4, f.y - 4, f.w + 8, 10, 3), woodOf(f.colour, b.seed + 8, f.y - 4, 10));
        return;
    }
    c.fillShape(roundRect(f.x, f.y, f.w, f.h * 0.25f, 3), wood); // back rest
    c.fillShape(roundRect(f.x, f.y + f.h * 0.42f, f.w, 10, 3), wood);
    for (float lx : {f.x + 10, f.x + f.w - 20})
        c.fillShape(roundRect(lx, f.y + f.h * 0.42f, 10, f.h * 0.58f, 2), wood);
    c.fillShape(roundRect(f.x + 10, f.y + f.h * 0.25f, 8, f.h * 0.2f, 1), wood);
    c.fillShape(roundRect(f.x + f.w - 18, f.y + f.h * 0.25f, 8, f.h * 0.2f, 1), wood);
}

void shelves(Build& b, const Furniture& f)
{
    b.solid(f.x, f.y, f.w, f.h);
    const int count = std::max(2, int(f.h / 88));
    const float step = (f.h - 30) / float(count);
    for (int i = 0; i < count; ++i)
    {
        float line = f.y + 24 + step * float(i + 1);
        b.spot(f.x + 30, f.x + f.w - 30, line - 2, std::min(step - 14, 64.0f), 0.05f);
    }
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    Shader wood = woodOf(f.colour, b.seed + 3, f.y, f.h);
    c.shadow(roundRect(f.x, f.y, f.w, f.h, 3), 5, 6, 10, 0.55f);
    c.fillShape(roundRect(f.x, f.y, f.w, f.h, 3), wood);
    c.fillShape(roundRect(f.x + 12, f.y + 24, f.w - 24, f.h - 36, 1),
                [&](float x, float y) { return shade(grain(rgb(f.colour), x, y, b.seed, 0.4f), 0.45f); });
    c.fillShape(roundRect(f.x - 6, f.y - 4, f.w + 12, 22, 3), woodOf(f.colour, b.seed + 5, f.y - 4, 22));
    uint32_t h = b.seed + uint32_t(f.x);
    for (int i = 0; i < count; ++i)
    {
        float line = f.y + 24 + step * float(i + 1);
        float top = line - step + 10;
        // What the shelf holds, leaving room for the objects in its middle.
        for (float x = f.x + 14; x < f.x + f.w - 16;)
        {
            h = h * 1103515245u + 12345u;
            float bw = 7 + float((h >> 8) % 9);
            float bh = (step - 16) * (0.55f + float((h >> 12) % 40) / 100.0f);
            bool gap =
                (h >> 20) % 5 == 0 || (x > f.x + f.w * 0.3f && x < f.x + f.w * 0.62f && (h >> 18) % 3 != 0);
            if (!gap)
            {
                if (f.kind == "winerack")
                {
                    float r = 9;
                    for (float y = line - r - 2; y > top + r; y -= 2 * r + 3)
                    {
                        c.fillShape(ellipse(x + r, y, r, r), rgb(0x1a0a08));
                        c.fillShape(ellipse(x + r, y, r * 0.55f, r * 0.55f),
                                    rgb((h >> 9) % 2 ? 0x3a5a2a : 0x5a1a2a));
                    }
                    bw = 2 * r + 1;
                }
                else if (f.kind == "vitrine")
                {
                    float r = std::min(bh * 0.4f, 16.0f);
                    c.fillShape(ellipse(x + r, line - r - 2, r, r), rgb(0xe8e4dc));
                    c.strokeShape(ellipse(x + r, line - r - 2, r, r), 2, rgb(0x3a5a8a));
                    bw = 2 * r + 4;
                }
                else
                {
                    static const uint32_t kSpines[] = {0x6a1a1a, 0x1a3a5a, 0x2a4a2a, 0x5a4a1a,
                                                       0x3a2a4a, 0x7a5a3a, 0x1a1a1a};
                    Rgba spine = rgb(kSpines[(h >> 4) % 7]);
                    c.fillShape(roundRect(x, line - bh, bw, bh, 1),
                                [&](float px, float py) {
                                    return shade(spine, 0.8f + 0.4f * (px - x) / bw *
                                                                   (1.0f - (py - line + bh) / bh * 0.2f));
                                });
                    c.fillShape(roundRect(x + 1, line - bh + bh * 0.15f, bw - 2, 2, 0), rgb(0xd8b060, 0.7f));
                }
            }
            x += bw + 1 + (gap ? 10 : 0);
        }
        c.fillShape(roundRect(f.x + 8, line, f.w - 16, 8, 1), wood);
        c.fillShape(roundRect(f.x + 8, line + 8, f.w - 16, 6, 0), Rgba{0, 0, 0, 0.35f}, 5);
    }
    if (f.kind == "vitrine")
        c.fillShape(polygon({{f.x + 20, f.y + 30}, {f.x + 60, f.y + 30}, {f.x + 20, f.y + 140}}),
                    Rgba{1, 1, 1, 0.08f});
}

void table(Build& b, const Furniture& f)
{
    const float top = f.y, thick = 14, depth = 30;
    const bool cloth = f.kind == "altar" || (rgb(f.colour).r + rgb(f.colour).g + rgb(f.colour).b) > 2.2f;
    b.solid(f.x, f.y - depth, f.w, f.h + depth);
    b.spot(f.x + 24, f.x + f.w - 24, top - 4, 60, 0, kObjectLayer);
    b.spot(f.x + 30, f.x + f.w - 30, top - depth * 0.6f, 56, 0, kObjectLayer);
    const float drape = cloth ? f.h * 0.7f : thick + 12;
    b.frontPiece(f.x - 6, top - 2, f.w + 12, cloth ? drape + 4 : f.h + 2);
    if (!cloth)
        b.spot(f.x + 40, f.x + f.w - 40, top + f.h, 40, 0.1f, kBehindLayer);
    if (!b.painting())
        return;
    Canvas& back = *b.back;
    Canvas& front = *b.front;
    Distance topShape =
        polygon({{f.x + 16, top - depth}, {f.x + f.w - 16, top - depth}, {f.x + f.w, top}, {f.x, top}});
    back.fillShape(ellipse(f.x + f.w / 2, top + f.h, f.w * 0.55f, 14), Rgba{0, 0, 0, 0.4f}, 14);
    if (f.kind == "billiard")
    {
        back.fillShape(topShape, woodOf(0x4a2a14, b.seed, top - depth, depth));
        Distance baize = polygon({{f.x + 26, top - depth + 6},
                                  {f.x + f.w - 26, top - depth + 6},
                                  {f.x + f.w - 10, top - 4},
                                  {f.x + 10, top - 4}});
        back.fillShape(baize, fabricOf(f.colour, b.seed));
    }
    else
        back.fillShape(topShape,
                       cloth ? fabricOf(f.colour, b.seed) : woodOf(f.colour, b.seed + 9, top - depth, depth));
    // Legs behind the front edge, then the edge or the hanging cloth in front.
    Shader wood =
        woodOf(f.kind == "billiard" ? 0x4a2a14 : (cloth ? 0x4a2a14 : f.colour), b.seed + 10, top, f.h);
    for (float lx : {f.x + 12, f.x + f.w - 26})
        front.fillShape(roundRect(lx, top, 14, f.h, 3), wood);
    if (cloth)
    {
        Distance hang = polygon({{f.x - 6, top - 2},
                                 {f.x + f.w + 6, top - 2},
                                 {f.x + f.w + 2, top + drape},
                                 {f.x - 2, top + drape}});
        front.fillShape(
            hang, [&](float x, float y)
            { return shade(rgb(f.colour), 0.8f + 0.15f * std::sin(x * 0.25f) - 0.15f * (y - top) / drape); });
        front.fillShape(roundRect(f.x - 4, top + drape - 6, f.w + 8, 5, 2), rgb(0xc8a050, 0.9f));
    }
    else
    {
        front.fillShape(roundRect(f.x, top - 2, f.w, thick, 2), wood);
        front.fillShape(roundRect(f.x + 10, top + thick - 2, f.w - 20, 12, 1),
                        woodOf(f.colour, b.seed + 11, top, 14));
        if (f.kind == "billiard")
            for (float px : {f.x + 4, f.x + f.w / 2 - 6, f.x + f.w - 16})
                front.fillShape(ellipse(px + 6, top + 3, 7, 5), rgb(0x0a0a0a));
    }
}

void cabinet(Build& b, const Furniture& f)
{
    const bool tall = f.kind == "dresser";
    b.solid(f.x, f.y, f.w, f.h);
    b.spot(f.x + 20, f.x + f.w - 20, f.y + 2, f.kind == "stove" ? 50 : 62, 0.04f);
    if (tall)
        b.spot(f.x + 24, f.x + f.w - 24, f.y + f.h * 0.42f, 54, 0.05f);
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    const bool iron = f.kind == "stove";
    const bool piano = f.kind == "piano";
    Shader body = iron ? darkShader(f.y, f.h, 0.9f) : woodOf(f.colour, b.seed + 12, f.y, f.h);
    c.shadow(roundRect(f.x, f.y, f.w, f.h, 3), 5, 6, 10, 0.55f);
    if (iron)
    {
        c.fillShape(polygon({{f.x + 10, f.y - 20},
                             {f.x + f.w - 10, f.y - 20},
                             {f.x + f.w * 0.62f, f.y - 110},
                             {f.x + f.w * 0.38f, f.y - 110}}),
                    darkShader(f.y - 110, 90, 1.2f)); // hood
        c.fillShape(roundRect(f.x + f.w * 0.42f, 0, f.w * 0.16f, f.y - 100, 2),
                    darkShader(0, f.y, 1.1f)); // flue
        c.fillShape(roundRect(f.x + 30, f.y + f.h * 0.35f, f.w * 0.38f, f.h * 0.5f, 6), rgb(0x2a1008));
        c.fillShape(ellipse(f.x + 30 + f.w * 0.19f, f.y + f.h * 0.6f, f.w * 0.12f, f.h * 0.12f),
                    rgb(0xff8a2a, 0.8f), 14);
        b.context->drawEmoji(c, 0x1F525, f.x + 36, f.y + f.h * 0.42f, f.w * 0.3f, f.h * 0.36f, 0.85f);
    }
    c.fillShape(roundRect(f.x, f.y, f.w, f.h, 3), body);
    if (iron)
    {
        c.fillShape(roundRect(f.x + 20, f.y + f.h * 0.3f, f.w * 0.4f, f.h * 0.55f, 5),
                    Rgba{1, 0.5f, 0.15f, 0.55f});
        c.fillShape(roundRect(f.x + f.w * 0.55f, f.y + f.h * 0.3f, f.w * 0.35f, f.h * 0.55f, 5),
                    Rgba{0, 0, 0, 0.4f});
        c.fillShape(roundRect(f.x - 6, f.y - 6, f.w + 12, 12, 3), brassShader(f.y - 6, 12, 0.8f));
        return;
    }
    c.fillShape(roundRect(f.x - 6, f.y - 6, f.w + 12, 14, 3), woodOf(f.colour, b.seed + 13, f.y - 6, 14));
    if (piano)
    {
        c.fillShape(roundRect(f.x + 10, f.y + f.h * 0.42f, f.w - 20, 18, 1), rgb(0xf4f0e6));
        for (float kx = f.x + 14; kx < f.x + f.w - 14; kx += 9)
            c.fillShape(roundRect(kx, f.y + f.h * 0.42f, 1, 18, 0), rgb(0x3a3a3a));
        for (float kx = f.x + 18; kx < f.x + f.w - 18; kx += 9)
            if (int((kx - f.x) / 9) % 7 != 2 && int((kx - f.x) / 9) % 7 != 6)
                c.fillShape(roundRect(kx, f.y + f.h * 0.42f, 5, 11, 1), rgb(0x0a0a0a));
        for (float sx : {f.x + f.w * 0.3f, f.x + f.w * 0.7f})
            c.fillShape(ellipse(sx, f.y + f.h * 0.25f, 9, 12), rgb(0xffd890, 0.3f), 8);
        return;
    }
    const int drawers = tall ? 3 : 2;
    const float start = tall ? f.h * 0.45f : 16;
    const float dh = (f.h - start - 12) / float(drawers);
    for (int i = 0; i < drawers; ++i)
    {
        float dy = f.y + start + float(i) * dh;
        c.strokeShape(roundRect(f.x + 10, dy, f.w - 20, dh - 6, 2), 2, Rgba{0, 0, 0, 0.4f});
        for (float kx : {f.x + f.w * 0.3f, f.x + f.w * 0.7f})
            c.fillShape(ellipse(kx, dy + dh / 2 - 3, 4, 4), brassShader(dy + dh / 2 - 7, 8, 1.1f));
    }
    if (tall)
    {
        // An open rack above the drawers.
        c.fillShape(roundRect(f.x + 10, f.y + 14, f.w - 20, f.h * 0.42f - 14, 1),
                    [&](float x, float y) { return shade(grain(rgb(f.colour), x, y, b.seed, 0.4f), 0.5f); });
        c.fillShape(roundRect(f.x + 8, f.y + f.h * 0.42f, f.w - 16, 8, 1), body);
        for (float px = f.x + 22; px < f.x + f.w - 30; px += 34)
        {
            c.fillShape(ellipse(px + 12, f.y + 40, 14, 14), rgb(0xeae6dc));
            c.strokeShape(ellipse(px + 12, f.y + 40, 14, 14), 2, rgb(0x3a5a9a));
        }
    }
}

void fireplace(Build& b, const Furniture& f)
{
    b.solid(f.x, f.y, f.w, f.h);
    b.spot(f.x + 10, f.x + f.w - 10, f.y + 16, 62, 0.04f);
    b.lights.push_back({f.x + f.w / 2, f.y + f.h * 0.7f, 300, 0.5f});
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    c.shadow(roundRect(f.x, f.y + 18, f.w, f.h - 18, 3), 5, 6, 10, 0.55f);
    c.fillShape(roundRect(f.x, f.y + 18, f.w, f.h - 18, 3), stoneOf(0xb8b0a0, b.seed + 14));
    Distance opening = roundRect(f.x + f.w * 0.2f, f.y + f.h * 0.38f, f.w * 0.6f, f.h * 0.62f, f.w * 0.12f);
    c.fillShape(opening, rgb(0x140a06));
    c.fillShape(ellipse(f.x + f.w / 2, f.y + f.h * 0.9f, f.w * 0.25f, f.h * 0.18f), rgb(0xff9a3a, 0.55f), 20);
    b.context->drawEmoji(c, 0x1F525, f.x + f.w * 0.33f, f.y + f.h * 0.55f, f.w * 0.34f, f.h * 0.4f);
    c.fillShape(roundRect(f.x - 14, f.y + 8, f.w + 28, 16, 3), woodOf(0x4a2a14, b.seed + 15, f.y + 8, 16));
    c.fillShape(roundRect(f.x - 14, f.y + 24, f.w + 28, 6, 0), Rgba{0, 0, 0, 0.35f}, 5);
}

void seat(Build& b, const Furniture& f)
{
    const bool sofa = f.kind == "sofa";
    b.frontPiece(f.x - 4, f.y - 4, f.w + 8, f.h + 8);
    b.spot(f.x + f.w * 0.2f, f.x + f.w * 0.8f, f.y + 16, 52, 0.45f, kBehindLayer);
    b.spot(f.x + f.w * 0.3f, f.x + f.w * 0.7f, f.y + f.h * 0.62f, 40, 0.05f, kOnFrontLayer);
    if (!b.painting())
        return;
    Canvas& c = *b.front;
    Shader cloth = fabricOf(f.colour, b.seed + uint32_t(f.x));
    Shader darker = [&](float x, float y) { return shade(cloth(x, y), 0.78f); };
    c.fillShape(ellipse(f.x + f.w / 2, f.y + f.h - 4, f.w * 0.52f, 10), Rgba{0, 0, 0, 0.45f}, 10);
    c.fillShape(roundRect(f.x + f.w * 0.08f, f.y, f.w * 0.84f, f.h * 0.62f, sofa ? 26 : 30), darker);
    c.fillShape(roundRect(f.x + f.w * 0.1f, f.y + f.h * 0.5f, f.w * 0.8f, f.h * 0.28f, 10), cloth);
    for (float ax : {f.x, f.x + f.w * 0.84f})
        c.fillShape(roundRect(ax, f.y + f.h * 0.32f, f.w * 0.16f, f.h * 0.5f, 14), cloth);
    c.fillShape(roundRect(f.x + f.w * 0.06f, f.y + f.h * 0.74f, f.w * 0.88f, f.h * 0.18f, 6), darker);
    for (float lx : {f.x + f.w * 0.1f, f.x + f.w * 0.85f})
        c.fillShape(roundRect(lx, f.y + f.h * 0.9f, 10, f.h * 0.1f, 2), woodOf(0x3a2010, b.seed, f.y, f.h));
    if (sofa)
        c.fillShape(roundRect(f.x + f.w / 2 - 1, f.y + f.h * 0.52f, 2, f.h * 0.24f, 1), Rgba{0, 0, 0, 0.3f});
}

void bed(Build& b, const Furniture& f)
{
    b.solid(f.x, f.y, f.w, f.h);
    b.spot(f.x + 40, f.x + f.w - 40, f.y + f.h * 0.6f, 52, 0, kObjectLayer);
    b.frontPiece(f.x - 8, f.y + f.h * 0.72f, f.w + 16, f.h * 0.28f + 2);
    b.spot(f.x + 30, f.x + f.w - 30, f.y + f.h * 0.78f, 46, 0.35f, kBehindLayer);
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    c.shadow(roundRect(f.x, f.y, f.w, f.h, 6), 4, 6, 10, 0.5f);
    c.fillShape(roundRect(f.x, f.y, f.w, f.h * 0.5f, 18), woodOf(0x4a2a18, b.seed + 16, f.y, f.h * 0.5f));
    c.fillShape(roundRect(f.x + 20, f.y + f.h * 0.18f, f.w * 0.35f, 40, 14), rgb(0xf0ece4));
    c.fillShape(roundRect(f.x + f.w * 0.55f, f.y + f.h * 0.18f, f.w * 0.35f, 40, 14), rgb(0xf0ece4));
    c.fillShape(roundRect(f.x - 4, f.y + f.h * 0.34f, f.w + 8, f.h * 0.5f, 10),
                fabricOf(f.colour, b.seed + 17));
    c.fillShape(roundRect(f.x - 4, f.y + f.h * 0.34f, f.w + 8, 18, 8), rgb(0xf0ece4));
    Canvas& front = *b.front;
    front.fillShape(roundRect(f.x - 8, f.y + f.h * 0.72f, f.w + 16, f.h * 0.28f, 8),
                    woodOf(0x4a2a18, b.seed + 18, f.y, f.h));
    for (float px : {f.x - 8, f.x + f.w - 8})
        front.fillShape(ellipse(px + 8, f.y + f.h * 0.72f, 10, 10), brassShader(f.y + f.h * 0.7f, 20, 1.0f));
}

void box(Build& b, const Furniture& f)
{
    const bool barrel = f.kind == "barrel";
    const bool hay = f.kind == "hay";
    b.frontPiece(f.x - 2, f.y - 2, f.w + 4, f.h + 4);
    b.spot(f.x + f.w * 0.25f, f.x + f.w * 0.75f, f.y + 12, 48, 0.4f, kBehindLayer);
    b.spot(f.x + f.w * 0.3f, f.x + f.w * 0.7f, f.y + (barrel ? 14 : 10), 44, 0, kOnFrontLayer);
    if (!b.painting())
        return;
    Canvas& c = *b.front;
    uint32_t s = b.seed + uint32_t(f.x * 3 + f.y);
    c.fillShape(ellipse(f.x + f.w / 2, f.y + f.h - 3, f.w * 0.55f, 9), Rgba{0, 0, 0, 0.45f}, 10);
    if (barrel)
    {
        Distance body = roundRect(f.x, f.y, f.w, f.h, f.w * 0.3f);
        c.fillShape(body,
                    [&](float x, float y)
                    {
                        float t = (x - f.x) / f.w;
                        Rgba wood = grain(rgb(0x6a4020), y * 0.5f, x * 4, s, 0.5f);
                        return shade(wood, 0.55f + 0.7f * std::sin(t * 3.14159f));
                    });
        for (float hy : {0.18f, 0.5f, 0.82f})
            c.fillShape(roundRect(f.x + 2, f.y + f.h * hy - 4, f.w - 4, 8, 3), darkShader(f.y, f.h, 1.3f));
        c.fillShape(ellipse(f.x + f.w / 2, f.y + 8, f.w * 0.42f, 8), woodOf(0x5a3418, s, f.y, 16));
        return;
    }
    Distance body = roundRect(f.x, f.y, f.w, f.h, 3);
    if (hay)
    {
        Rgba straw = f.colour ? rgb(f.colour) : rgb(0xc8a040);
        c.fillShape(
            body, [&](float x, float y)
            { return mix(shade(straw, 0.6f), shade(straw, 1.15f), fractalNoise(x / 2.5f, y / 14, s, 3)); });
        for (float by : {0.3f, 0.7f})
            c.fillShape(roundRect(f.x, f.y + f.h * by, f.w, 3, 1), rgb(0x5a3a1a, 0.8f));
        return;
    }
    c.fillShape(body, woodOf(0x8a6a3a, s, f.y, f.h));
    for (float py = f.y + 2; py < f.y + f.h - 4; py += f.h / 4)
        c.fillShape(roundRect(f.x + 2, py, f.w - 4, 2, 0), Rgba{0, 0, 0, 0.4f});
    c.strokeShape(body, 5, shade(rgb(0x5a3a1a), 0.9f));
    c.fillShape(capsule(f.x + 6, f.y + 6, f.x + f.w - 6, f.y + f.h - 6, 3), rgb(0x5a3a1a));
}

void clock(Build& b, const Furniture& f)
{
    b.solid(f.x, f.y, f.w, f.h);
    b.spot(f.x + f.w * 0.3f, f.x + f.w * 0.7f, f.y + 2, 40, 0.04f);
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    c.shadow(roundRect(f.x, f.y, f.w, f.h, 4), 4, 6, 10, 0.5f);
    c.fillShape(roundRect(f.x, f.y, f.w, f.h, 6), woodOf(0x4a2814, b.seed + 19, f.y, f.h));
    float r = f.w * 0.36f, cx = f.x + f.w / 2, cy = f.y + f.w * 0.55f;
    c.fillShape(ellipse(cx, cy, r + 4, r + 4), brassShader(cy - r, 2 * r, 1.0f));
    c.fillShape(ellipse(cx, cy, r, r), rgb(0xf4ecd8));
    for (int i = 0; i < 12; ++i)
    {
        float a = float(i) * 0.5236f;
        c.fillShape(ellipse(cx + std::sin(a) * r * 0.8f, cy - std::cos(a) * r * 0.8f, 1.6f, 1.6f),
                    rgb(0x1a1a1a));
    }
    c.fillShape(capsule(cx, cy, cx + r * 0.5f, cy - r * 0.3f, 1.5f), rgb(0x1a1a1a));
    c.fillShape(capsule(cx, cy, cx - r * 0.1f, cy - r * 0.7f, 1.2f), rgb(0x1a1a1a));
    c.fillShape(roundRect(f.x + f.w * 0.25f, f.y + f.w * 1.1f, f.w * 0.5f, f.h * 0.5f, 4),
                rgb(0x1a0e08, 0.8f));
    c.fillShape(capsule(cx, f.y + f.w * 1.15f, cx, f.y + f.w * 1.1f + f.h * 0.35f, 1.5f),
                brassShader(f.y, f.h, 0.9f));
    c.fillShape(ellipse(cx, f.y + f.w * 1.1f + f.h * 0.38f, 10, 10), brassShader(f.y + f.h * 0.6f, 20, 1.1f));
}

void stairs(Build& b, const Furniture& f)
{
    const int steps = 7;
    const float rise = f.h / float(steps), run = f.w / float(steps);
    b.solid(f.x, f.y, f.w, f.h);
    for (int i = 0; i < steps - 1; ++i)
    {
        float sx = f.x + f.w - run * float(i + 1), sy = f.y + f.h - rise * float(i);
        b.spot(sx + 22, sx + run - 10, sy - rise + 4, std::min(rise * 1.4f, 56.0f), 0.02f);
    }
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    c.fillShape(
        polygon(
            {{f.x, f.y}, {f.x + run, f.y}, {f.x + f.w, f.y + f.h}, {f.x + f.w, f.y + f.h}, {f.x, f.y + f.h}}),
        Rgba{0, 0, 0, 0.5f}, 6);
    for (int i = 0; i < steps; ++i)
    {
        float sx = f.x + f.w - run * float(i + 1), sy = f.y + f.h - rise * float(i + 1);
        c.fillShape(roundRect(sx, sy, f.x + f.w - sx, rise, 1),
                    woodOf(f.colour, b.seed + uint32_t(i), sy, rise));
        c.fillShape(roundRect(sx, sy, f.x + f.w - sx, 5, 1), woodOf(f.colour, b.seed + 40, sy, 5));
        c.fillShape(roundRect(sx, sy + 5, f.x + f.w - sx, 4, 0), Rgba{0, 0, 0, 0.3f}, 4);
    }
    // The banister.
    c.fillShape(capsule(f.x + f.w - 6, f.y + f.h - 90, f.x + run - 6, f.y - 60, 5),
                woodOf(0x3a2010, b.seed, f.y, f.h));
    for (int i = 0; i < steps; ++i)
    {
        float sx = f.x + f.w - run * float(i) - 12, sy = f.y + f.h - rise * float(i);
        float top = f.y + f.h - 90 - (f.h + 30) * float(i) / float(steps) + 4;
        c.fillShape(roundRect(sx, top, 5, sy - top, 2), woodOf(0x3a2010, b.seed + 50, top, sy - top));
    }
}

void beam(Build& b, const Furniture& f)
{
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    c.fillShape(roundRect(f.x, f.y, f.w, f.h, 0), woodOf(0x3a2414, b.seed + 20, f.y, f.h));
    for (float px = 60; px < kWidth; px += 180)
    {
        c.fillShape(polygon({{px, f.y + f.h},
                             {px + 26, f.y + f.h},
                             {px + 90, f.y + f.h + 110},
                             {px + 64, f.y + f.h + 110}}),
                    woodOf(0x3a2414, b.seed + 21, f.y, 120));
    }
    c.fillShape(roundRect(f.x, f.y + f.h, f.w, 10, 0), Rgba{0, 0, 0, 0.4f}, 8);
}

void gears(Build& b, const Furniture& f)
{
    b.lights.push_back({f.x + f.w / 2, f.y + f.h / 2, 240, 0.3f});
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    auto cog = [&](float cx, float cy, float r, int teeth)
    {
        Distance wheel{[=](float x, float y)
                       {
                           float dx = x - cx, dy = y - cy, a = std::atan2(dy, dx);
                           float edge = r + (std::sin(a * float(teeth)) > 0 ? r * 0.12f : 0);
                           float d = std::sqrt(dx * dx + dy * dy);
                           return std::max(d - edge, r * 0.35f - d);
                       },
                       cx - r * 1.2f, cy - r * 1.2f, cx + r * 1.2f, cy + r * 1.2f};
        c.shadow(wheel, 4, 5, 6, 0.5f);
        c.fillShape(wheel, brassShader(cy - r, 2 * r, 0.85f));
    };
    // The back of the great dial, and its works.
    c.fillShape(ellipse(f.x + f.w / 2, f.y + f.h / 2, f.w / 2, f.h / 2), rgb(0xf0e4c0, 0.85f));
    c.strokeShape(ellipse(f.x + f.w / 2, f.y + f.h / 2, f.w / 2, f.h / 2), 10, rgb(0x2a2a2a));
    for (int i = 0; i < 12; ++i)
    {
        float a = float(i) * 0.5236f, r = f.w / 2 - 22;
        c.fillShape(
            roundRect(f.x + f.w / 2 + std::sin(a) * r - 4, f.y + f.h / 2 - std::cos(a) * r - 8, 8, 16, 2),
            rgb(0x2a2a2a));
    }
    cog(f.x + f.w * 0.35f, f.y + f.h * 0.45f, f.w * 0.2f, 12);
    cog(f.x + f.w * 0.65f, f.y + f.h * 0.62f, f.w * 0.14f, 9);
    cog(f.x + f.w * 0.6f, f.y + f.h * 0.28f, f.w * 0.1f, 8);
}

void pipes(Build& b, const Furniture& f)
{
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    Shader copper = [&](float x, float)
    { return shade(rgb(0xb06a3a), 0.6f + 0.7f * std::sin((x - f.x) / f.w * 3.14159f)); };
    c.shadow(roundRect(f.x, f.y, f.w, f.h, f.w / 2), 5, 4, 8, 0.5f);
    c.fillShape(roundRect(f.x, f.y, f.w, f.h, f.w / 2), copper);
    for (float py = f.y + 40; py < f.y + f.h; py += 110)
        c.fillShape(roundRect(f.x - 5, py, f.w + 10, 14, 4), darkShader(py, 14, 1.4f));
    c.fillShape(ellipse(f.x + f.w / 2, f.y + f.h * 0.35f, f.w * 0.9f, f.w * 0.9f),
                brassShader(f.y + f.h * 0.35f - f.w, 2 * f.w, 1.0f));
    c.fillShape(ellipse(f.x + f.w / 2, f.y + f.h * 0.35f, f.w * 0.7f, f.w * 0.7f), rgb(0xf4ecd8));
    c.fillShape(
        capsule(f.x + f.w / 2, f.y + f.h * 0.35f, f.x + f.w * 0.8f, f.y + f.h * 0.35f - f.w * 0.4f, 1.5f),
        rgb(0xa01a1a));
}

void boiler(Build& b, const Furniture& f)
{
    b.solid(f.x, f.y, f.w, f.h);
    b.spot(f.x + f.w * 0.25f, f.x + f.w * 0.75f, f.y + 30, 50, 0.05f);
    b.lights.push_back({f.x + f.w / 2, f.y + f.h * 0.75f, 260, 0.6f});
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    Shader iron = [&](float x, float y)
    {
        float t = (x - f.x) / f.w;
        return shade(rgb(0x4a4448), (0.45f + 0.8f * std::sin(t * 3.14159f)) *
                                        (0.9f + 0.15f * fractalNoise(x / 20, y / 20, b.seed, 3)));
    };
    c.shadow(roundRect(f.x, f.y, f.w, f.h, f.w * 0.3f), 6, 6, 12, 0.6f);
    c.fillShape(roundRect(f.x, f.y, f.w, f.h, f.w * 0.3f), iron);
    for (float ry : {0.2f, 0.5f})
        for (float rx = f.x + 20; rx < f.x + f.w - 16; rx += 22)
            c.fillShape(ellipse(rx, f.y + f.h * ry, 3, 3), rgb(0x8a8488));
    Distance door = roundRect(f.x + f.w * 0.3f, f.y + f.h * 0.62f, f.w * 0.4f, f.h * 0.26f, 8);
    c.fillShape(door, rgb(0x1a0a06));
    c.fillShape(ellipse(f.x + f.w / 2, f.y + f.h * 0.78f, f.w * 0.16f, f.h * 0.08f), rgb(0xff7a1a, 0.9f), 16);
    b.context->drawEmoji(c, 0x1F525, f.x + f.w * 0.38f, f.y + f.h * 0.64f, f.w * 0.24f, f.h * 0.22f, 0.9f);
    c.fillShape(ellipse(f.x + f.w * 0.72f, f.y + f.h * 0.32f, 22, 22),
                brassShader(f.y + f.h * 0.32f - 22, 44, 1.0f));
    c.fillShape(ellipse(f.x + f.w * 0.72f, f.y + f.h * 0.32f, 17, 17), rgb(0xf4ecd8));
    c.fillShape(
        capsule(f.x + f.w * 0.72f, f.y + f.h * 0.32f, f.x + f.w * 0.72f + 10, f.y + f.h * 0.32f - 10, 1.5f),
        rgb(0xa01a1a));
    c.fillShape(roundRect(f.x + f.w / 2 - 18, f.y - 80, 36, 90, 6), iron);
}

void well(Build& b, const Furniture& f)
{
    b.frontPiece(f.x - 30, f.y - 10, f.w + 60, f.h + 14);
    b.spot(f.x + 30, f.x + f.w - 30, f.y + f.h * 0.48f, 50, 0.4f, kBehindLayer);
    b.spot(f.x + 20, f.x + f.w - 20, f.y + f.h * 0.5f, 44, 0, kOnFrontLayer);
    if (!b.painting())
        return;
    Canvas& c = *b.front;
    float wallTop = f.y + f.h * 0.5f;
    c.fillShape(ellipse(f.x + f.w / 2, f.y + f.h, f.w * 0.6f, 14), Rgba{0, 0, 0, 0.45f}, 12);
    for (float px : {f.x + 14, f.x + f.w - 28})
        c.fillShape(roundRect(px, f.y, 14, f.h * 0.55f, 3), woodOf(0x5a3a1a, b.seed + 22, f.y, f.h));
    c.fillShape(polygon({{f.x - 30, f.y + 10},
                         {f.x + f.w / 2, f.y - 10},
                         {f.x + f.w + 30, f.y + 10},
                         {f.x + f.w / 2, f.y + 26}}),
                woodOf(0x4a2a14, b.seed + 23, f.y - 10, 36));
    c.fillShape(capsule(f.x + f.w / 2, f.y + 20, f.x + f.w / 2, wallTop - 20, 1.5f), rgb(0xc8a870));
    c.fillShape(roundRect(f.x, wallTop, f.w, f.h * 0.5f, 10), stoneOf(0x8a8478, b.seed + 24));
    for (float py = wallTop + 10; py < f.y + f.h; py += 26)
        c.fillShape(roundRect(f.x + 4, py, f.w - 8, 2, 0), Rgba{0, 0, 0, 0.35f});
    c.fillShape(ellipse(f.x + f.w / 2, wallTop + 2, f.w * 0.5f, 12), stoneOf(0x9a9488, b.seed + 25));
    c.fillShape(ellipse(f.x + f.w / 2, wallTop + 2, f.w * 0.42f, 7), rgb(0x0a0a10));
}

void arch(Build& b, const Furniture& f)
{
    b.solid(f.x, f.y, f.w, f.h);
    b.spot(f.x + 30, f.x + f.w - 30, f.y + f.h - 4, 60, 0.04f);
    b.spot(f.x + 24, f.x + f.w - 24, f.y + f.h * 0.55f, std::min(56.0f, f.h * 0.4f), 0.04f);
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    Distance outer = roundRect(f.x - 14, f.y - 14, f.w + 28, f.h + 20, f.w * 0.5f + 14);
    c.fillShape(outer, stoneOf(0x9a948a, b.seed + 26));
    Distance inner = roundRect(f.x, f.y, f.w, f.h, f.w * 0.5f);
    c.fillShape(inner,
                [&](float x, float y)
                {
                    return shade(mix(rgb(0x1a1816), rgb(0x4a4238), (y - f.y) / f.h),
                                 0.8f + 0.3f * fractalNoise(x / 14, y / 14, b.seed, 3));
                });
    c.fillShape(roundRect(f.x + 6, f.y + f.h * 0.55f, f.w - 12, 8, 1), stoneOf(0x8a847a, b.seed + 29));
    c.fillShape(roundRect(f.x - 10, f.y + f.h - 4, f.w + 20, 12, 2), stoneOf(0xa8a296, b.seed + 27));
}

void stained(Build& b, const Furniture& f)
{
    b.lights.push_back({f.x + f.w / 2, f.y + f.h, f.w * 2, 0.3f});
    if (!b.painting())
        return;
    Canvas& c = *b.back;
    Distance outer = roundRect(f.x - 10, f.y - 10, f.w + 20, f.h + 20, f.w * 0.5f + 10);
    c.fillShape(outer, stoneOf(0xa8a094, b.seed + 28));
    Distance glass = roundRect(f.x, f.y, f.w, f.h, f.w * 0.5f);
    static const uint32_t kGlass[] = {0xc8283a, 0x2a5ac8, 0xe8c040, 0x3a9a4a, 0x8a3ac8, 0xe87a2a};
    c.fillShape(glass,
                [&](float x, float y)
                {
                    int cell = int((x - f.x) / (f.w / 4)) * 7 + int((y - f.y) / 34 + std::sin(x * 0.05f));
                    return shade(rgb(kGlass[uint32_t(cell * 2654435761u) % 6]),
                                 1.0f + 0.2f * fractalNoise(x / 10, y / 10, b.seed, 2));
                });
    for (float px = f.x + f.w / 4; px < f.x + f.w - 2; px += f.w / 4)
        c.fillShape(roundRect(px - 1.5f, f.y, 3, f.h, 1), rgb(0x1a1a1a));
    for (float py = f.y + 34; py < f.y + f.h; py += 34)
        c.fillShape(roundRect(f.x, py - 1.5f, f.w, 3, 1), rgb(0x1a1a1a));
    c.strokeShape(glass, 4, rgb(0x1a1a1a));
}

void furnish(Build& b, const Furniture& f)
{
    const std::string& k = f.kind;
    if (k == "window")
        window(b, f);
    else if (k == "door")
        door(b, f);
    else if (k == "painting")
        painting(b, f);
    else if (k == "wallshelf")
        wallShelf(b, f);
    else if (k == "lamp")
        lamp(b, f);
    else if (k == "decor" || k == "decorfront")
        decor(b, f, k == "decorfront");
    else if (k == "rug")
        rug(b, f);
    else if (k == "bench" || k == "pew" || k == "stall")
        bench(b, f);
    else if (k == "bookcase" || k == "vitrine" || k == "winerack")
        shelves(b, f);
    else if (k == "table" || k == "billiard" || k == "altar")
        table(b, f);
    else if (k == "sideboard" || k == "counter" || k == "dresser" || k == "piano" || k == "stove")
        cabinet(b, f);
    else if (k == "fireplace")
        fireplace(b, f);
    else if (k == "armchair" || k == "sofa")
        seat(b, f);
    else if (k == "bed")
        bed(b, f);
    else if (k == "barrel" || k == "crate" || k == "hay")
        box(b, f);
    else if (k == "clock")
        clock(b, f);
    else if (k == "stairs")
        stairs(b, f);
    else if (k == "beam")
        beam(b, f);
    else if (k == "gears")
        gears(b, f);
    else if (k == "pipes")
        pipes(b, f);
    else if (k == "boiler")
        boiler(b, f);
    else if (k == "well")
        well(b, f);
    else if (k == "arch")
        arch(b, f);
    else if (k == "stained")
        stained(b, f);
}

// Things on the floor stand between the wall and the front edge, a little
// smaller further back.
void floorSpots(Build& b)
{
    const float line = b.room.floorLine;
    for (float depth : {30.0f, 55.0f, 80.0f, 110.0f, 150.0f})
        b.spot(150, 770, line + depth, 40 + depth * 0.08f, 0);
    if (b.room.wall == "night")
        b.spot(150, 770, line - 128, 50, 0.05f); // along the top of the garden wall
    b.spot(150, 770, line + 8, 46, 0);           // against the wall
}

void clutter(Build& b)
{
    for (const ClutterThing& thing : roomClutter(b.room, b.layout))
    {
        float s = float(thing.size);
        b.back->fillShape(ellipse(float(thing.x) + s / 2, float(thing.y) + s * 0.94f, s * 0.4f, s * 0.07f),
                          Rgba{0, 0, 0, 0.3f}, s * 0.08f);
        b.back->draw(emojiPicture(*b.context, thing.codePoint, thing.size, thing.turn), thing.x, thing.y);
    }
}

void light(Canvas& canvas, const Build& b, bool front)
{
    const Rgba tint = rgb(b.room.light);
    uint32_t* pixels = canvas.pixels();
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
        {
            uint32_t& p = pixels[size_t(y) * size_t(canvas.width()) + size_t(x)];
            if (front && (p >> 24) == 0)
                continue;
            float fx = float(x), fy = float(y);
            float dx = (fx - 400) / 800, dy = (fy - 300) / 600;
            float level = 0.78f - 0.55f * (dx * dx + dy * dy);
            for (const Light& l : b.lights)
            {
                float ldx = fx - l.x, ldy = fy - l.y;
                float d2 = (ldx * ldx + ldy * ldy) / (l.radius * l.radius);
                level += l.strength / (1.0f + 4.0f * d2);
            }
            level = std::min(level, 1.25f);
            auto channel = [&](int shift, float t) {
                return uint32_t(
                    std::clamp(float((p >> shift) & 255) * level * (0.55f + 0.45f * t), 0.0f, 255.0f));
            };
            p = (p & 0xFF000000u) | channel(16, tint.r) << 16 | channel(8, tint.g) << 8 | channel(0, tint.b);
        }
}

// Shelves on bare stretches of wall, so that every room has enough places.
void extraShelves(Build& b)
{
    if (b.room.wall == "night")
        return;
    std::vector<FrontPiece> taken;
    for (const Furniture& f : b.room.furniture)
        if (f.kind != "rug" && f.kind != "beam")
            taken.push_back({int(f.x) - 30, int(f.y) - 30, int(f.w) + 60, int(f.h) + 60});
    int added = 0;
    for (float y : {150.0f, 240.0f})
        for (float x = 150; x + 150 < 780 && added < 3; x += 20)
        {
            FrontPiece shelf{int(x), int(y) - 75, 150, 100};
            bool free = std::none_of(taken.begin(), taken.end(),
                                     [&](const FrontPiece& t) {
                                         return shelf.x < t.x + t.w && t.x < shelf.x + shelf.w &&
                                                shelf.y < t.y + t.h && t.y < shelf.y + shelf.h;
                                     });
            if (!free || y + 20 > b.room.floorLine - 60)
                continue;
            wallShelf(b, Furniture{"wallshelf", x, y, 150, 12});
            taken.push_back({int(x) - 20, int(y) - 100, 190, 150});
            ++added;
        }
}

RoomLayout build(const SceneRoom& room, PaintContext* context, Canvas* back, Canvas* front)
{
    RoomLayout layout;
    Build b{room, layout, back, front, context, {}, seedOf("room") + uint32_t(room.number) * 7919u};
    if (b.painting())
        paintShell(b);
    // Rugs lie under everything; the rest in the room's order.
    for (const Furniture& f : room.furniture)
        if (f.kind == "rug")
            furnish(b, f);
    for (const Furniture& f : room.furniture)
        if (f.kind != "rug")
            furnish(b, f);
    extraShelves(b);
    floorSpots(b);
    if (b.painting())
    {
        clutter(b);
        light(*back, b, false);
        light(*front, b, true);
    }
    return layout;
}

} // namespace

std::vector<char32_t> clutterPictures(const SceneRoom& room)
{
    // Books, papers, bottles, boxes, ornaments, tools, plants and such.
    static const char32_t kOddsAndEnds[] = {
        0x1F4DA, 0x1F4D5, 0x1F4D7, 0x1F4D8, 0x1F4D9, 0x1F4D3, 0x1F4D2, 0x1F4C4, 0x1F4DC, 0x1F5DE,
        0x1F4F0, 0x1F4E6, 0x1F381, 0x1F5C3, 0x1F9F4, 0x1F37E, 0x1F376, 0x1F3FA, 0x1FAD9, 0x1FAD6,
        0x2615,  0x1F375, 0x1F9C2, 0x1F56F, 0x1FA94, 0x1F4A1, 0x1F9F6, 0x1F9F5, 0x1F9F7, 0x1F9FA,
        0x1FAA3, 0x1F9FB, 0x1F9FD, 0x1F9FC, 0x1F527, 0x1F528, 0x1FA9B, 0x1F529, 0x2702,  0x1F4CF,
        0x1F4D0, 0x1F58A, 0x270F,  0x1F58C, 0x1F4CE, 0x1FAB4, 0x1F33F, 0x1F331, 0x1F335, 0x1F490,
        0x1F342, 0x1F341, 0x1F33E, 0x1FAB5, 0x1FAA8, 0x1F5BC, 0x1F514, 0x1F570, 0x23F0,  0x231B,
        0x1F52E, 0x1F3C6, 0x1F9F8, 0x1FA86, 0x1F3B2, 0x1F3B4, 0x1F4FF, 0x1F48E, 0x1F380, 0x1F9E6,
        0x1F9E3, 0x1F9E4, 0x1F45E, 0x1F97F, 0x1F34E, 0x1F350, 0x1F34A, 0x1F95C, 0x1F330, 0x1F36A};
    std::vector<char32_t> pictures;
    for (char32_t cp : kOddsAndEnds)
    {
        bool taken = cp == room.group.emoji || cp == room.combined.emoji || cp == room.location.emoji;
        for (const RoomObject& o : room.objects)
            taken = taken || o.emoji == cp;
        if (!taken)
            pictures.push_back(cp);
    }
    return pictures;
}

std::vector<ClutterThing> roomClutter(const SceneRoom& room, const RoomLayout& layout)
{
    constexpr int kWanted = 72, kLeftEdge = 132;
    const std::vector<char32_t> pictures = clutterPictures(room);
    // Shelves, tables and the foot of the furniture take more than the open floor.
    std::vector<std::pair<const RoomSpot*, float>> spots;
    float total = 0;
    for (const RoomSpot& spot : layout.spots)
        if (spot.layer != kOnFrontLayer && spot.x1 > spot.x0)
        {
            const bool openFloor = spot.sink == 0 && spot.y > room.floorLine && spot.x0 == 150;
            spots.push_back({&spot, (spot.x1 - spot.x0) * (openFloor ? 0.35f : 1.0f)});
            total += spots.back().second;
        }
    std::vector<ClutterThing> things;
    uint32_t h = seedOf("clutter") + uint32_t(room.number) * 2654435761u;
    auto next = [&h]
    {
        h = h * 1664525u + 1013904223u;
        return h >> 8;
    };
    auto unit = [&] { return float(next() % 10000) / 10000.0f; };
    for (int attempt = 0; attempt < 4000 && int(things.size()) < kWanted && !pictures.empty() && total > 0;
         ++attempt)
    {
        float along = unit() * total;
        const RoomSpot* spot = spots.back().first;
        for (const auto& [s, weight] : spots)
        {
            if (along < weight)
            {
                spot = s;
                break;
            }
            along -= weight;
        }
        ClutterThing thing;
        thing.codePoint = pictures[next() % pictures.size()];
        thing.size = std::min(int(spot->maxHeight), 20 + int(next() % 27));
        if (thing.size < 20)
            continue;
        thing.turn = next() % 3 == 0 ? (8.0f + 22.0f * unit()) * (next() % 2 ? 1.0f : -1.0f) : 0.0f;
        thing.x = int(spot->x0 + (spot->x1 - spot->x0) * unit()) - thing.size / 2;
        thing.y = int(spot->y + spot->sink * float(thing.size)) - thing.size;
        if (thing.x < kLeftEdge || thing.x + thing.size > 798 || thing.y < 0 ||
            (thing.x + thing.size > 680 && thing.y < 110))
            continue;
        // Piled, but each thing shows most of itself.
        bool crowded = std::any_of(
            things.begin(), things.end(),
            [&](const ClutterThing& o)
            {
                int w = std::min(thing.x + thing.size, o.x + o.size) - std::max(thing.x, o.x);
                int hh = std::min(thing.y + thing.size, o.y + o.size) - std::max(thing.y, o.y);
                return w > 0 && hh > 0 &&
                       w * hh * 100 > 45 * std::min(thing.size, o.size) * std::min(thing.size, o.size);
            });
        if (!crowded)
            things.push_back(thing);
    }
    std::stable_sort(things.begin(), things.end(),
                     [](const ClutterThing& a, const ClutterThing& b)
                     { return a.y + a.size < b.y + b.size; });
    return things;
}

RoomLayout layoutRoom(const SceneRoom& room)
{
    return build(room, nullptr, nullptr, nullptr);
}

void paintRoomLayers(const SceneRoom& room, PaintContext& context, Canvas& back, Canvas& front)
{
    build(room, &context, &back, &front);
}

} // namespace contentgen
