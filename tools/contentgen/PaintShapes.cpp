// Clock parts, sliders, boards, walls, vessels, cogs, lettered tiles, matches and wires.

#include "tools/contentgen/Materials.h"
#include "tools/contentgen/Painters.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace contentgen
{

namespace
{

constexpr float kPi = 3.14159265f;

const char* morseOf(char letter)
{
    static const char* const kCodes[] = {".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",
                                         ".---", "-.-",  ".-..", "--",   "-.",  "---",  ".--.", "--.-", ".-.",
                                         "...",  "-",    "..-",  "...-", ".--", "-..-", "-.--", "--.."};
    return letter >= 'A' && letter <= 'Z' ? kCodes[letter - 'A'] : "";
}

void paintClockFace(Canvas& canvas, float w, float h, float margin = 0)
{
    float cx = w / 2, cy = h / 2, r = std::min(w, h) / 2 - 3 - margin;
    Distance rim = ellipse(cx, cy, r, r);
    canvas.shadow(rim, 2, 3, 5, 0.5f);
    canvas.fillShape(rim, brassShader(cy - r, 2 * r, 1.0f));
    canvas.fillShape(ellipse(cx, cy, r * 0.86f, r * 0.86f), paperShader(seedOf("clock"), 1.05f));
    for (int i = 0; i < 60; ++i)
    {
        float a = float(i) * kPi / 30;
        float r0 = i % 5 == 0 ? r * 0.7f : r * 0.78f;
        canvas.fillShape(capsule(cx + std::sin(a) * r0, cy - std::cos(a) * r0, cx + std::sin(a) * r * 0.82f,
                                 cy - std::cos(a) * r * 0.82f, i % 5 == 0 ? r * 0.02f + 0.6f : 0.5f),
                         rgb(0x2a1a0a));
    }
    canvas.fillShape(ellipse(cx, cy, r * 0.06f, r * 0.06f), brassShader(cy - 4, 8, 0.8f));
}

// A board whose squares lie exactly where the game puts its cell widgets: the
// first at (left, top), then one every cell + gap pixels.
// A hand the game turns about the picture's centre: it points up from the
// centre, with a short counterweight below.
void paintDialHand(Canvas& canvas, float w, float h, const Rgba& colour)
{
    float cx = w / 2, cy = h / 2;
    canvas.fillShape(polygon({{cx, 1},
                              {cx + w * 0.45f, cy - h * 0.12f},
                              {cx + w * 0.2f, cy},
                              {cx, h * 0.64f},
                              {cx - w * 0.2f, cy},
                              {cx - w * 0.45f, cy - h * 0.12f}}),
                     colour);
    canvas.fillShape(ellipse(cx, cy, w * 0.4f, w * 0.4f), colour);
    canvas.fillShape(ellipse(cx, cy, w * 0.15f, w * 0.15f), brassShader(cy - 3, 6, 0.9f));
}

// The clock game's board: its dial centred where the game turns the hands,
// (259, 245) of the picture, wide enough that the symbols the game stands
// 116 pixels from the centre sit on its rim.
void paintClockBoard(Canvas& canvas, float w, float h)
{
    canvas.fill(woodShader(0, h, seedOf("clock-board"), 0.85f));
    canvas.strokeShape(roundRect(0, 0, w, h, 8), 5, rgb(0x3a2412));
    Canvas dial(300, 300);
    paintClockFace(dial, 300, 300);
    canvas.draw(dial, 259 - 150, 245 - 150);
}

// One letter's code as small dots and dashes from (x, y), the code's left end
// and vertical middle.
void paintMorseCode(Canvas& canvas, const char* code, float x, float y)
{
    const float dot = 4, dash = 10, gap = 3;
    for (const char* c = code; *c != 0; ++c)
    {
        const float size = *c == '.' ? dot : dash;
        if (*c == '.')
            canvas.fillShape(ellipse(x + size / 2, y, size / 2, size / 2), rgb(0x1c140c));
        else
            canvas.fillShape(roundRect(x, y - dot / 2, size, dot, dot / 2), rgb(0x1c140c));
        x += size + gap;
    }
}

// The Morse alphabet on the typewriter's sheet, A to M on the left and N to Z
// on the right, each half in two columns, below the Morse row and beside the
// typed word, so that a player who does not know the code can read it.
void paintMorseChart(Canvas& canvas)
{
    constexpr float kTop = 98, kRow = 15.5f, kColumn = 76;
    const float cards[] = {38, 330};
    for (int half = 0; half < 2; ++half)
    {
        const float left = cards[half];
        canvas.strokeShape(roundRect(left - 4, kTop - 6, 2 * kColumn + 4, 7 * kRow + 6, 4), 1, rgb(0xb89a68));
        for (int i = 0; i < 13; ++i)
        {
            const char letter = char('A' + 13 * half + i);
            const float x = left + float(i / 7) * kColumn, y = kTop + float(i % 7) * kRow;
            canvas.text(std::string(1, letter), "DejaVuSans-Bold.ttf", 12, x, y - 1, rgb(0x3b2608), false);
            paintMorseCode(canvas, morseOf(letter), x + 16, y + 7);
        }
    }
}

// The typewriter in the game's coordinates (its picture at (150, 20)): a sheet
// under the Morse row (y 38, centred on x 260) and the typed word (y 160), with
// the Morse alphabet on either side of the word, and a body whose three key
// rows hold the keys the game places from (76, 299), (94, 332) and (126, 372).
void paintTypewriter(Canvas& canvas, float w, float h)
{
    canvas.fill(woodShader(0, h, seedOf("typewriter"), 0.85f));
    Distance sheet = roundRect(30, 6, 460, 220, 2);
    canvas.shadow(sheet, 2, 3, 5, 0.5f);
    canvas.fillShape(sheet, paperShader(seedOf("typewriter-sheet"), 1.05f));
    paintMorseChart(canvas);
    Distance body = roundRect(28, 214, 464, 260, 26);
    canvas.shadow(body, 3, 5, 8, 0.6f);
    canvas.fillShape(body, darkShader(214, 260, 1.1f));
    canvas.fillShape(capsule(18, 226, w - 18, 226, 13), darkShader(213, 26, 1.4f));
    canvas.fillShape(roundRect(60, 286, 384, 124, 14), rgb(0x141210));
    canvas.strokeShape(roundRect(60, 286, 384, 124, 14), 2, rgb(0xc9973f));
    canvas.fillShape(roundRect(150, 420, 200, 22, 11), brassShader(420, 22, 1.0f));
}

// The seating game's room in its picture's coordinates (drawn at (150, 20)):
// a shelf under the six guest cards from (110, 20), a chair at each of the six
// seats the game puts a guest on, and the round table between them.
void paintDiningTable(Canvas& canvas)
{
    constexpr float kGuestW = 60, kGuestH = 70;
    const std::pair<float, float> seats[] = {{232, 94},  {398, 132}, {427, 362},
                                             {224, 426}, {25, 356},  {62, 129}};
    canvas.fill([&](float x, float y)
                { return shade(rgb(0x6a4a34), 0.8f + 0.25f * fractalNoise(x / 40, y / 40, 21, 3)); });
    canvas.fillShape(roundRect(102, 12, 6 * (kGuestW + 2) + 14, kGuestH + 16, 6),
                     darkShader(12, kGuestH + 16, 1.2f));
    for (auto [x, y] : seats)
    {
        Distance chair = roundRect(x - 4, y - 4, kGuestW + 8, kGuestH + 8, 12);
        canvas.shadow(chair, 2, 3, 4, 0.5f);
        canvas.fillShape(chair, woodShader(y, kGuestH, seedOf("chair"), 0.7f));
        canvas.fillShape(roundRect(x + 4, y + 4, kGuestW - 8, kGuestH - 8, 8), rgb(0x7a1e26));
    }
    Distance table = ellipse(258, 292, 150, 118);
    canvas.shadow(table, 3, 5, 8, 0.55f);
    canvas.fillShape(table, woodShader(174, 236, seedOf("dining"), 1.0f));
    canvas.fillShape(ellipse(258, 292, 128, 98), rgb(0xf2ecdc));
    canvas.strokeShape(ellipse(258, 292, 128, 98), 3, rgb(0xd8c79a));
}

// A clear vessel drawn over its liquid: a tube, or a bottle whose body holds
// the liquid the game draws from row `body` down and whose neck rises above
// it. "clear" sets how much of the glass shows over the liquid. With "marks",
// one line per unit of the capacity at the height the game gives a column of
// that many units: base + (height - base) x units / marks from the bottom.
void paintGlassVessel(const ResourceEntry& entry, Canvas& canvas, bool bottle)
{
    const float w = float(entry.width), h = float(entry.height);
    Distance vessel = roundRect(2, 2, w - 4, h - 4, w / 3);
    if (bottle)
    {
        const float body = std::stof(entry.setting("body", "150")), neck = w * 0.26f;
        // Above the row `body` the shoulders, below it the belly, as wide as each other where they meet.
        Distance belly = roundRect(2, body - w / 5, w - 4, h - body + w / 5 - 2, w / 5);
        Distance shoulders = ellipse(w / 2, body, w / 2 - 2, w * 0.42f);
        Distance throat = roundRect(w / 2 - neck / 2, 10, neck, body, 6);
        Distance lip = roundRect(w / 2 - neck / 2 - 4, 2, neck + 8, 14, 4);
        vessel.distance = [=](float x, float y) {
            return std::min({y < body ? shoulders(x, y) : belly(x, y), throat(x, y), lip(x, y)});
        };
    }
    canvas.fillShape(vessel, glassShader(0, h, 1.0f));
    const float clear = std::stof(entry.setting("clear", "0.45"));
    canvas.fill(
        [&, copy = canvas](float x, float y)
        {
            uint32_t p = copy.at(int(x), int(y));
            return Rgba{float((p >> 16) & 255) / 255, float((p >> 8) & 255) / 255, float(p & 255) / 255,
                        float(p >> 24) / 255 * clear};
        });
    canvas.strokeShape(vessel, 2, rgb(0xe8f4ff, 0.9f));
    canvas.fillShape(roundRect(w * 0.2f, bottle ? std::stof(entry.setting("body", "150")) + 10 : 8, 4,
                               bottle ? h - std::stof(entry.setting("body", "150")) - 24 : h - 16, 2),
                     rgb(0xffffff, 0.5f));
    if (const std::string marks = entry.setting("marks"); !marks.empty())
    {
        const int units = std::stoi(marks), base = std::stoi(entry.setting("base", "0"));
        const int range = int(h) - base;
        for (int unit = 1; unit <= units; ++unit)
        {
            const float y = h - float(base + range * unit / units);
            canvas.fillShape(roundRect(w - 16, y - 1, 12, 2, 1), rgb(0xffffff, 0.85f));
            canvas.shadowedText(std::to_string(unit), "DejaVuSans-Bold.ttf", 10, w - 24, y - 6, rgb(0xffffff),
                                true);
        }
    }
}

// The letter game's desk in its picture's coordinates (drawn at (150, 20)): a
// card under the row of letter tiles, which the game centres on x 284 at y 230
// and whose black letters need a light ground; wide enough for seven letters.
void paintLetterDesk(PaintContext& context, Canvas& canvas, float h)
{
    canvas.fill(woodShader(0, h, seedOf("letter-desk"), 0.9f));
    // A detective's desk around the card: a candle, an old letter, a magnifier and a pen.
    const std::tuple<char32_t, float, float, float> objects[] = {
        {0x1F56F, 40, 40, 90}, {0x1F4DC, 350, 50, 110}, {0x1F50D, 60, 350, 100}, {0x1F58B, 360, 360, 90}};
    for (auto [cp, x, y, size] : objects)
        context.drawEmojiWithShadow(canvas, cp, x, y, size, size);
    Distance card = roundRect(154, 196, 260, 92, 4);
    canvas.shadow(card, 2, 4, 6, 0.55f);
    canvas.fillShape(card, paperShader(seedOf("letter-card"), 1.08f));
    canvas.strokeShape(roundRect(160, 202, 248, 80, 3), 1.5f, rgb(0x8a6a3a));
    canvas.fillShape(roundRect(170, 262, 228, 1.5f, 0), rgb(0x8a6a3a, 0.6f));
}

// The tanks game's layers, in screen coordinates less the layer's position.
// The left tank's glass stands at (271, 151) 62 x 280, the right one's at
// (461, 256) 62 x 175; the six valves (32 pixels) at (228, 28), (519, 131),
// (401, 341), (372, 375), (298, 443) and (471, 444).
constexpr float kPipesX = 150, kPipesY = 34, kClampsX = 158, kClampsY = 45;

void pipe(Canvas& canvas, std::vector<std::pair<float, float>> points, float ox, float oy)
{
    for (size_t i = 0; i + 1 < points.size(); ++i)
    {
        float x0 = points[i].first - ox, y0 = points[i].second - oy;
        float x1 = points[i + 1].first - ox, y1 = points[i + 1].second - oy;
        canvas.shadow(capsule(x0, y0, x1, y1, 7), 2, 3, 4, 0.45f);
        canvas.fillShape(capsule(x0, y0, x1, y1, 7),
                         brassShader(std::min(y0, y1) - 7, std::fabs(y1 - y0) + 14, 0.8f));
    }
}

// Behind the tanks: the pipes from each valve to the tanks it fills, empties or joins.
void paintTankPipes(Canvas& canvas)
{
    pipe(canvas, {{244, 60}, {244, 120}, {302, 120}, {302, 151}}, kPipesX, kPipesY);
    pipe(canvas, {{535, 163}, {535, 230}, {492, 230}, {492, 256}}, kPipesX, kPipesY);
    pipe(canvas, {{333, 357}, {461, 357}}, kPipesX, kPipesY);
    pipe(canvas, {{333, 391}, {461, 391}}, kPipesX, kPipesY);
    pipe(canvas, {{302, 431}, {302, 459}, {314, 459}}, kPipesX, kPipesY);
    pipe(canvas, {{492, 431}, {492, 460}, {487, 460}}, kPipesX, kPipesY);
}

// In front of the tanks: brass bands that hold each glass, and the stand under both.
void paintTankClamps(Canvas& canvas)
{
    for (auto [x, top, bottom] : {std::tuple{271.0f, 151.0f, 431.0f}, std::tuple{461.0f, 256.0f, 431.0f}})
        for (float y : {top + 2, bottom - 8})
        {
            Distance band = roundRect(x - 4 - kClampsX, y - kClampsY, 70, 8, 3);
            canvas.shadow(band, 1, 2, 3, 0.45f);
            canvas.fillShape(band, brassShader(y - kClampsY, 8, 1.0f));
        }
    Distance stand = roundRect(250 - kClampsX, 433 - kClampsY, 300, 12, 4);
    canvas.shadow(stand, 2, 3, 5, 0.5f);
    canvas.fillShape(stand, darkShader(433 - kClampsY, 12, 1.2f));
}

void paintBoard(Canvas& canvas, float h, int cells, float left, float top, float cell, float gap)
{
    canvas.fill(woodShader(0, h, seedOf("board"), 0.8f));
    const float span = float(cells) * cell + float(cells - 1) * gap;
    canvas.fillShape(roundRect(left - 3, top - 3, span + 6, span + 6, 2), rgb(0x2a1a0c));
    for (int row = 0; row < cells; ++row)
        for (int col = 0; col < cells; ++col)
        {
            bool dark = (row + col) % 2 == 1;
            canvas.fillShape(
                roundRect(left + float(col) * (cell + gap), top + float(row) * (cell + gap), cell, cell, 0),
                dark ? rgb(0x5a3a20) : rgb(0xe8d2a6));
        }
    canvas.strokeShape(roundRect(left - 6, top - 6, span + 12, span + 12, 3), 3, rgb(0xc9973f));
}

// The jigsaw's table: a tray whose 6 x 4 places (from (10, 24), where the game
// puts them relative to this picture) show a faint grey print of the picture
// to guide the player.
void paintJigsawBoard(PaintContext& context, Canvas& canvas, float h)
{
    constexpr float kLeft = 10, kTop = 24;
    const Canvas& picture = context.jigsawPicture();
    const float pw = float(picture.width()), ph = float(picture.height());
    canvas.fill(woodShader(0, h, seedOf("jigsaw-board"), 0.9f));
    canvas.shadow(roundRect(kLeft, kTop, pw, ph, 3), 0, 0, 6, 0.7f);
    canvas.fillShape(roundRect(kLeft, kTop, pw, ph, 0), rgb(0x2a2018));
    Canvas print = picture;
    print.toGray();
    canvas.draw(print, int(kLeft), int(kTop), 0.22f);
    for (int col = 1; col < 6; ++col)
        canvas.fillShape(roundRect(kLeft + float(col * kJigsawPlaceWidth) - 0.5f, kTop, 1, ph, 0),
                         rgb(0xe8d2a6, 0.25f));
    for (int row = 1; row < 4; ++row)
        canvas.fillShape(roundRect(kLeft, kTop + float(row * kJigsawPlaceHeight) - 0.5f, pw, 1, 0),
                         rgb(0xe8d2a6, 0.25f));
    canvas.strokeShape(roundRect(kLeft - 5, kTop - 5, pw + 10, ph + 10, 3), 4, rgb(0xc9973f));
}

// The oscilloscope's casing in the game's own coordinates: a screen around the
// waves (from x 75, 344 wide, about the line y 180, up to 96 high), three knob
// wells at (108, 338), (205, 338), (302, 338) and a plate behind the sliders
// (from (100, 440), one every 100) and their labels at y 470.
void paintOscilloscope(Canvas& canvas, float w, float h)
{
    canvas.fill(
        [&](float x, float y)
        { return shade(rgb(0x4a4f52), 0.85f + 0.2f * fractalNoise(x / 60, y / 3, 16, 3) - 0.15f * y / h); });
    canvas.strokeShape(roundRect(0, 0, w, h, 10), 6, rgb(0x2a2e30));
    const float sx = 47, sy = 64, sw = 400, sh = 232;
    canvas.fillShape(roundRect(sx - 10, sy - 10, sw + 20, sh + 20, 14), rgb(0x1a1c1d));
    canvas.fillShape(roundRect(sx, sy, sw, sh, 10),
                     [&](float x, float y)
                     {
                         float d = std::hypot((x - sx - sw / 2) / sw, (y - sy - sh / 2) / sh);
                         return shade(rgb(0x10321f), 1.25f - d);
                     });
    for (int i = 1; i < 10; ++i)
        canvas.fillShape(roundRect(sx + float(i) * sw / 10, sy + 4, 1, sh - 8, 0), rgb(0x4fe08a, 0.18f));
    for (int i = 1; i < 6; ++i)
        canvas.fillShape(roundRect(sx + 4, sy + float(i) * sh / 6, sw - 8, 1, 0), rgb(0x4fe08a, 0.18f));
    canvas.fillShape(roundRect(sx + 4, 180, sw - 8, 1, 0), rgb(0x4fe08a, 0.35f));
    for (float kx : {108.0f, 205.0f, 302.0f})
        canvas.fillShape(ellipse(kx + 37, 338 + 37, 42, 42), rgb(0x202324), 3);
    canvas.fillShape(roundRect(90, 432, 320, 60, 6), rgb(0x2c3032));
    // The rails' grooves end above the labels, whose letters rise to about y 460.
    for (float lx : {100.0f, 200.0f, 300.0f})
        canvas.fillShape(roundRect(lx - 2, 438, 94, 22, 3), rgb(0x16181a));
}

// A length of stone wall seen from above: bricks along it with mortar joints,
// the lit edge toward the top left, and its shadow on the floor along the
// bottom right, so that it stands up from the floor as a block, not a line.
void paintWallBlock(Canvas& canvas, float w, float h)
{
    const bool upright = h > w;
    const float stone = (upright ? w : h) - 4;
    const uint32_t seed = seedOf("cargo-wall");
    canvas.fill(
        [&](float x, float y)
        {
            const float along = upright ? y : x, across = upright ? x : y;
            if (across >= stone)
                return Rgba{0, 0, 0, 0.4f - 0.08f * (across - stone)};
            const float brick = 15;
            const int n = int(std::floor(along / brick));
            const float u = along - float(n) * brick;
            Rgba c = mix(rgb(0x9a9284), rgb(0x746c60), valueNoise(float(n) * 1.7f, 0.5f, seed));
            c = shade(c, 0.85f + 0.3f * fractalNoise(x / 3, y / 3, seed + 1, 3));
            if (u < 1.5f)
                c = rgb(0x3a342c);
            if (across < 2)
                c = shade(c, 1.3f);
            else if (across > stone - 3)
                c = shade(c, 0.55f);
            return c;
        });
    canvas.strokeShape(upright ? roundRect(0.5f, 0.5f, stone - 1, h - 1, 1)
                               : roundRect(0.5f, 0.5f, w - 1, stone - 1, 1),
                       1, rgb(0x2a241e));
}

void paintShapeKind(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    const std::string kind = entry.setting("kind");
    const float w = float(entry.width), h = float(entry.height);
    if (kind == "clockface")
        paintClockFace(canvas, w, h, std::stof(entry.setting("margin", "0")));
    else if (kind == "dial-hand")
        paintDialHand(canvas, w, h, rgb(0x1c140c));
    else if (kind == "clock-board")
        paintClockBoard(canvas, w, h);
    else if (kind == "typewriter")
        paintTypewriter(canvas, w, h);
    else if (kind == "dining-table")
        paintDiningTable(canvas);
    else if (kind == "letter-desk")
        paintLetterDesk(context, canvas, h);
    else if (kind == "tank-pipes")
        paintTankPipes(canvas);
    else if (kind == "tank-clamps")
        paintTankClamps(canvas);
    else if (kind == "hand-second")
    {
        // Thin and red, from the top to a short tail below the centre, the pivot.
        canvas.fillShape(capsule(w / 2, 1.5f, w / 2, h * 0.62f, 1.2f), rgb(0xa01818));
        canvas.fillShape(ellipse(w / 2, h / 2, w * 0.3f, w * 0.3f), rgb(0xa01818));
    }
    else if (kind == "track" || kind == "rail")
    {
        Distance groove = roundRect(2, h / 2 - 5, w - 4, 10, 5);
        canvas.shadow(groove, 0, 1, 2, 0.4f);
        canvas.fillShape(groove, darkShader(h / 2 - 5, 10, 1.0f));
        canvas.strokeShape(groove, 1.5f, rgb(0xc9973f));
    }
    else if (kind == "thumb")
    {
        Distance knob = roundRect(3, 2, w - 6, h - 5, 6);
        canvas.shadow(knob, 1, 2, 3, 0.5f);
        canvas.fillShape(knob, brassShader(2, h - 5, 1.05f));
        for (float y : {h * 0.38f, h * 0.5f, h * 0.62f})
            canvas.fillShape(roundRect(w * 0.3f, y, w * 0.4f, 1.2f, 0.5f), Rgba{0, 0, 0, 0.45f});
    }
    else if (kind == "radio")
    {
        canvas.fillShape(ellipse(w / 2, h / 2, w / 2 - 2, h / 2 - 2), brassShader(0, h, 1.0f));
        canvas.fillShape(ellipse(w / 2, h / 2, w * 0.25f, h * 0.25f), rgb(0x3ad06a), 2);
        // The game turns the knob with its slider, so it needs a mark to show the turn.
        canvas.fillShape(capsule(w / 2, h * 0.12f, w / 2, h * 0.3f, std::max(1.5f, w * 0.035f)),
                         rgb(0x1c140c));
    }
    else if (kind == "oscilloscope")
        paintOscilloscope(canvas, w, h);
    else if (kind == "wall")
        paintWallBlock(canvas, w, h);
    else if (kind == "scale")
    {
        // One mark per unit of the vessel's capacity, from the row where its
        // liquid is empty to the row where it is full, so the marks read the level.
        const float zero = std::stof(entry.setting("zero")), full = std::stof(entry.setting("full"));
        const int steps = std::stoi(entry.setting("steps"));
        canvas.fillShape(roundRect(0, 0, w, h, 3), rgb(0xf0e6cc, 0.9f));
        canvas.strokeShape(roundRect(0, 0, w, h, 3), 1, rgb(0x8a6a3a));
        for (int i = 0; i <= 2 * steps; ++i)
        {
            const float y = zero + (full - zero) * float(i) / float(2 * steps);
            const bool unit = i % 2 == 0;
            canvas.fillShape(roundRect(0, y - 0.75f, unit ? 10.0f : 5.0f, 1.5f, 0.5f), rgb(0x2a1a0a));
            // Each unit mark carries its number, so the level reads as an amount.
            if (unit && i > 0)
                canvas.text(std::to_string(i / 2), "DejaVuSans-Bold.ttf", 10, (10 + w) / 2, y - 6,
                            rgb(0x2a1a0a), true);
        }
    }
    else if (kind == "water")
        canvas.fill([&](float, float y) { return mix(rgb(0x6ac0f0, 0.8f), rgb(0x1a4a8a, 0.9f), y / h); });
    else if (kind == "wine")
        canvas.fill(
            [&](float x, float y)
            {
                return shade(mix(rgb(0x9a1030, 0.92f), rgb(0x4a0618, 0.95f), y / h),
                             0.9f + 0.2f * std::sin(x / w * kPi));
            });
    else if (kind == "wine-top")
        canvas.fillShape(ellipse(w / 2, h / 2, w / 2, h / 2), rgb(0xc8405a, 0.95f));
    else if (kind == "wine-bottom")
        canvas.fillShape(ellipse(w / 2, 0, w / 2, h), rgb(0x4a0618, 0.95f));
    else if (kind == "glass" || kind == "bottle")
        paintGlassVessel(entry, canvas, kind == "bottle");
    else if (kind == "solved-ring")
    {
        // Around a matched symbol, which stays readable inside it.
        Distance ring = ellipse(w / 2, h / 2, w / 2 - 2, h / 2 - 2);
        canvas.fillShape(ring, rgb(0x40d060, 0.2f));
        canvas.strokeShape(ring, 3.5f, rgb(0x30c050));
    }
    else if (kind == "tile-glow")
        canvas.fillShape(roundRect(2, 2, w - 4, h - 4, 6), rgb(0x7af09a, 0.45f), 6);
    else if (kind == "board")
        paintBoard(canvas, h, std::stoi(entry.setting("cells")), std::stof(entry.setting("left")),
                   std::stof(entry.setting("top")), std::stof(entry.setting("cell")),
                   std::stof(entry.setting("gap", "0")));
    else if (kind == "tray")
    {
        // A wooden tray with a hollow at each place the game sets a piece in.
        canvas.fillShape(roundRect(1, 1, w - 2, h - 2, 8), woodShader(0, h, seedOf(entry.id), 0.9f));
        canvas.strokeShape(roundRect(1, 1, w - 2, h - 2, 8), 2, rgb(0x3a2412));
        const float left = std::stof(entry.setting("left")), top = std::stof(entry.setting("top"));
        const float slot = std::stof(entry.setting("slot"));
        for (int i = 0; i < std::stoi(entry.setting("slots")); ++i)
        {
            Distance hollow = roundRect(left + float(i) * slot + 3, top + 3, slot - 6, slot - 6, 8);
            canvas.fillShape(hollow, rgb(0x2a1a0c, 0.85f));
            canvas.strokeShape(hollow, 2, rgb(0x1a0e06, 0.6f));
        }
    }
    else if (kind == "jigsaw-board")
        paintJigsawBoard(context, canvas, h);
    else if (kind == "square-dark" || kind == "square-light")
        canvas.fill(
            [&](float x, float y)
            {
                return shade(kind == "square-dark" ? rgb(0x5a3a20) : rgb(0xe8d2a6),
                             0.9f + 0.15f * fractalNoise(x / 20, y / 5, 7, 3));
            });
    else if (kind == "spark")
        canvas.fillShape(ellipse(w / 2, h / 2, w / 2 - 1, h / 2 - 1),
                         [&](float x, float y)
                         {
                             float d = std::hypot(x - w / 2, y - h / 2) / (w / 2);
                             return rgb(0xfff2c0, std::max(0.0f, 1 - d * d));
                         });
    else if (kind == "clouds-back" || kind == "clouds-front")
    {
        bool front = kind == "clouds-front";
        uint32_t seed = seedOf(kind);
        canvas.fill(
            [&](float x, float y)
            {
                // Tiles across the width so the scrolling layer wraps without a seam.
                float u = x / w * 8;
                float a = fractalNoise(u, y / 40, seed, 4), b = fractalNoise(u - 8, y / 40, seed, 4);
                float n = a * (1 - x / w) + b * (x / w);
                float band = 1 - std::fabs(y / h - 0.5f) * 2;
                float alpha = std::clamp((n - 0.45f) * 3.0f, 0.0f, 1.0f) * band;
                Rgba c = front ? mix(rgb(0xe8b0a0), rgb(0x5a4a6a), y / h)
                               : mix(rgb(0x9a7a9a), rgb(0x3a3050), y / h);
                c.a = alpha * (front ? 0.95f : 0.75f);
                return c;
            });
    }
    else if (kind == "house")
    {
        // The foreground of the main menu: the manor on its hill at the left, the
        // buttons' side left open; the sky above stays transparent.
        const float s = w / 1000.0f, cx = w * 0.32f, baseY = h - 70;
        Rgba stone = rgb(0x2c2432);
        auto box = [&](float x, float y, float bw, float bh)
        { return roundRect(cx + x * s, baseY - (y + bh) * s, bw * s, bh * s, 0); };
        canvas.fillShape(box(-300, 0, 600, 150), stone);
        canvas.fillShape(box(-90, 150, 180, 70), stone);
        canvas.fillShape(
            polygon(
                {{cx - 320 * s, baseY - 150 * s}, {cx, baseY - 260 * s}, {cx + 320 * s, baseY - 150 * s}}),
            stone);
        // Three chimneys, nearest the tallest, under the spots where the menu's smoke plumes start.
        for (auto [x, width, height] :
             {std::tuple{-23.75f, 30.0f, 178.75f}, std::tuple{-110.0f, 22.5f, 156.25f},
              std::tuple{-178.75f, 15.0f, 135.0f}})
            canvas.fillShape(box(x, 150, width, height), stone);
        for (int col = 0; col < 12; ++col)
            for (int row = 0; row < 2; ++row)
            {
                bool on = (col * 5 + row * 3) % 3 != 0;
                Distance window = box(-270 + float(col) * 46, 25 + float(row) * 60, 20, 36);
                if (on)
                    canvas.fillShape(box(-276 + float(col) * 46, 19 + float(row) * 60, 32, 48),
                                     rgb(0xffc860, 0.25f), 6);
                canvas.fillShape(window, on ? rgb(0xffd77a) : rgb(0x14101c));
            }
        Distance hill = ellipse(cx, h + 40, w * 0.55f, 120);
        canvas.fillShape(hill, [&](float x, float y)
                         { return shade(rgb(0x17131f), 0.9f + 0.2f * fractalNoise(x / 40, y / 40, 8, 3)); });
        context.drawEmoji(canvas, 0x1F332, cx - 300 * s - 110, h - 230, 150, 150);
        context.drawEmoji(canvas, 0x1F332, cx + 300 * s - 30, h - 210, 130, 130);
    }
    else if (kind == "marker")
    {
        Distance pin = polygon({{w / 2, h - 2}, {4, h * 0.4f}, {w / 2, 2}, {w - 4, h * 0.4f}});
        canvas.shadow(pin, 2, 2, 3, 0.5f);
        canvas.fillShape(ellipse(w / 2, h * 0.36f, w / 2 - 3, w / 2 - 3), rgb(0xc02020));
        canvas.fillShape(polygon({{w / 2, h - 2}, {w * 0.18f, h * 0.5f}, {w * 0.82f, h * 0.5f}}),
                         rgb(0xc02020));
        canvas.fillShape(ellipse(w / 2, h * 0.36f, w * 0.18f, w * 0.18f), rgb(0xfff0d0));
    }
    else if (kind == "bubble-clear")
    {
        // Tiles the story screen lays around its bubble in steps that overlap
        // each other and the fill; the fill picture carries the whole frame, so
        // these stay clear rather than darken where they overlap.
    }
    else if (kind == "envelope-back" || kind == "envelope-front")
    {
        bool front = kind == "envelope-front";
        Shader paper = [&](float x, float y)
        { return shade(paperShader(seedOf("envelope"))(x, y), front ? 1.0f : 0.85f); };
        if (front)
        {
            Distance pocket = polygon({{2, 2}, {w / 2, h * 0.55f}, {w - 2, 2}, {w - 2, h - 2}, {2, h - 2}});
            canvas.fillShape(pocket, paper);
            canvas.strokeShape(pocket, 1.5f, rgb(0x8a6a3a));
        }
        else
        {
            Distance body = roundRect(2, 2, w - 4, h - 4, 4);
            canvas.shadow(body, 3, 4, 6, 0.5f);
            canvas.fillShape(body, paper);
        }
    }
    else if (kind == "cog")
    {
        float cx = w / 2, cy = h / 2, r = std::min(w, h) / 2 - 2;
        std::vector<std::pair<float, float>> teeth;
        int count = int(r / 5) * 2;
        for (int i = 0; i < count * 2; ++i)
        {
            float a = float(i) * kPi / float(count), rr = (i / 2) % 2 == 0 ? r : r * 0.8f;
            teeth.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
        }
        Distance cog = polygon(teeth);
        canvas.shadow(cog, 2, 2, 3, 0.45f);
        canvas.fillShape(cog, brassShader(cy - r, 2 * r, 1.0f));
        for (int i = 0; i < 5; ++i)
        {
            float a = float(i) * 2 * kPi / 5;
            canvas.fillShape(
                ellipse(cx + std::cos(a) * r * 0.45f, cy + std::sin(a) * r * 0.45f, r * 0.13f, r * 0.13f),
                Rgba{0, 0, 0, 0.35f});
        }
        canvas.fillShape(ellipse(cx, cy, r * 0.15f, r * 0.15f), rgb(0x2a1a08));
    }
    else if (kind == "contact")
    {
        canvas.fillShape(ellipse(w / 2, h / 2, w / 2 - 3, h / 2 - 3),
                         [&](float, float y) { return mix(rgb(0xf0c0a0), rgb(0x8a4a2a), y / h); });
        canvas.strokeShape(ellipse(w / 2, h / 2, w / 2 - 3, h / 2 - 3), 2, rgb(0x3a2010));
    }
}

void paintGlyph(const ResourceEntry& entry, Canvas& canvas)
{
    const std::string look = entry.setting("look");
    const std::string text = words(entry.setting("text"));
    const float w = float(entry.width), h = float(entry.height);
    if (look == "key" || look == "keydown" || look == "keyover")
    {
        const float sink = look == "keydown" ? 2 : 0;
        Distance ring = ellipse(w / 2, h / 2 + sink, w / 2 - 3, h / 2 - 3 - sink / 2);
        if (look != "keydown")
            canvas.shadow(ring, 0, 2.5f, 3, 0.55f);
        canvas.fillShape(ring, look == "keyover" ? brassShader(0, h, 1.2f) : darkShader(0, h, 1.2f));
        canvas.fillShape(ellipse(w / 2, h / 2 + sink, w / 2 - 7, h / 2 - 7 - sink / 2), [&](float, float y)
                         { return mix(rgb(0xfffaf0), rgb(look == "keydown" ? 0xb0a890 : 0xd8d0b8), y / h); });
        canvas.text(text, "DejaVuSansMono-Bold.ttf", int(h * 0.42f), w / 2, h * 0.22f + sink, rgb(0x1c140c),
                    true);
        return;
    }
    if (look == "morse")
    {
        // Only the code: the player has to read the letter from it.
        canvas.fillShape(roundRect(1, 1, w - 2, h - 2, 4), paperShader(seedOf(text)));
        canvas.strokeShape(roundRect(1, 1, w - 2, h - 2, 4), 1.5f, rgb(0x8a6a3a));
        const std::string code = morseOf(text[0]);
        const float dot = 8, dash = 18, gap = 5;
        float length = 0;
        for (char c : code)
            length += (c == '.' ? dot : dash) + gap;
        length -= gap;
        const float scale = std::min(1.0f, (w - 12) / length);
        float x = (w - length * scale) / 2;
        for (char c : code)
        {
            const float size = (c == '.' ? dot : dash) * scale;
            if (c == '.')
                canvas.fillShape(ellipse(x + size / 2, h / 2, size / 2, size / 2), rgb(0x1c140c));
            else
                canvas.fillShape(roundRect(x, h / 2 - dot * scale / 2, size, dot * scale, dot * scale / 2),
                                 rgb(0x1c140c));
            x += size + gap * scale;
        }
        return;
    }
    if (look == "plate")
    {
        Distance plate = roundRect(2, 2, w - 4, h - 4, 6);
        canvas.shadow(plate, 1, 2, 3, 0.5f);
        canvas.fillShape(plate, brassShader(2, h - 4, 1.0f));
        canvas.text(text, "DejaVuSerif-Bold.ttf", int(h * 0.55f), w / 2, h * 0.14f, rgb(0x3b2608), true);
        return;
    }
    if (look == "lcd" || look == "lcdlit")
    {
        canvas.fill(rgb(0x140606));
        if (text == ":")
        {
            // The colon fills a narrow gap between the digits, too narrow for the glyph.
            const Rgba dot = look == "lcdlit" ? rgb(0xff3a2a) : rgb(0x5a1a14);
            const float r = std::min(w / 2 - 0.5f, h * 0.12f);
            canvas.fillShape(ellipse(w / 2, h * 0.28f, r, r), dot);
            canvas.fillShape(ellipse(w / 2, h * 0.72f, r, r), dot);
            return;
        }
        int px = int(h * 0.8f);
        canvas.text("8", "DejaVuSansMono-Bold.ttf", px, w / 2, h * 0.02f, rgb(0x3a0c0c), true);
        canvas.text(text, "DejaVuSansMono-Bold.ttf", px, w / 2, h * 0.02f, rgb(0xff3a2a), true);
        return;
    }
    if (look == "queen")
    {
        canvas.fillShape(ellipse(w / 2, h * 0.88f, w * 0.34f, h * 0.08f), Rgba{0, 0, 0, 0.35f}, 4);
        // An ivory rim around the red queen, so that she reads on the dark squares as well as the light.
        for (float dx : {-2.0f, 0.0f, 2.0f})
            for (float dy : {-2.0f, 0.0f, 2.0f})
                canvas.glyph(0x265B, "DejaVuSans.ttf", int(h * 0.8f), w * 0.12f + dx, -h * 0.02f + dy,
                             rgb(0xf4e8c8));
        canvas.glyph(0x265B, "DejaVuSans.ttf", int(h * 0.8f), w * 0.12f, -h * 0.02f, rgb(0x8a1a26));
        return;
    }
    if (look == "badge")
    {
        Distance badge = roundRect(3, 3, w - 6, h - 6, 8);
        canvas.shadow(badge, 2, 3, 4, 0.5f);
        canvas.fillShape(badge, [&](float, float y) { return mix(rgb(0xd02a2a), rgb(0x7a0c0c), y / h); });
        canvas.strokeShape(badge, 2, rgb(0xf4f0e0));
        canvas.fillShape(roundRect(10, h * 0.55f, w - 20, 2, 1), rgb(0xf4f0e0, 0.8f));
        size_t blank = text.find(' ');
        std::string first = text.substr(0, blank),
                    second = blank == std::string::npos ? "" : text.substr(blank + 1);
        canvas.shadowedText(first, "DejaVuSerif-Bold.ttf", int(h * 0.26f), w / 2, h * 0.16f, rgb(0xffffff),
                            true);
        canvas.shadowedText(second, "DejaVuSans-Bold.ttf", int(h * 0.2f), w / 2, h * 0.62f, rgb(0xffe8b0),
                            true);
        return;
    }
    // A title: gilt serif letters with a shadow.
    int px = int(h * 0.55f);
    while (px > 10 && float(Canvas::textWidth(text, "DejaVuSerif-Bold.ttf", px)) > w - 20)
        --px;
    float y = (h - float(px) * 1.2f) / 2;
    canvas.text(text, "DejaVuSerif-Bold.ttf", px, w / 2 + 3, y + 4, Rgba{0, 0, 0, 0.6f}, true);
    canvas.text(text, "DejaVuSerif-Bold.ttf", px, w / 2, y, rgb(0xf0cf78), true);
}

// A match lying along its slot of the cell; the picture covers the whole cell.
void paintMatch(const ResourceEntry& entry, Canvas& canvas)
{
    const std::string slot = entry.setting("slot");
    // Edge sticks lie along the cell's border, so a stick in either of two
    // neighbouring cells reads as the same line of the figure.
    const float w = float(entry.width), h = float(entry.height), m = 3;
    float x0 = m, y0 = m, x1 = w - m, y1 = m;
    if (slot == "down")
        y0 = y1 = h - m;
    else if (slot == "left")
        x1 = m, y1 = h - m;
    else if (slot == "right")
        x0 = x1 = w - m, y1 = h - m;
    else if (slot == "right_to_left")
        x0 = w - m, y0 = m, x1 = m, y1 = h - m;
    else if (slot == "left_to_right")
        x0 = m, y0 = m, x1 = w - m, y1 = h - m;
    canvas.fillShape(capsule(x0 + 1, y0 + 2, x1 + 1, y1 + 2, 3), Rgba{0, 0, 0, 0.35f}, 2);
    canvas.fillShape(capsule(x0, y0, x1, y1, 2.5f), rgb(0xe8c890));
    float dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
    float hx = x1 - dx / len * 5, hy = y1 - dy / len * 5;
    canvas.fillShape(ellipse(hx, hy, 4.5f, 4.5f), rgb(0xb01818));
}

// A wire across the bomb: whole, cut in two, or lit while the pliers are over it.
void paintWire(const ResourceEntry& entry, Canvas& canvas)
{
    static const uint32_t kColours[] = {0xd02020, 0x2050d0, 0xe0c020, 0x20a040};
    const int index = std::clamp(std::stoi(entry.setting("index", "1")), 1, 4) - 1;
    const std::string look = entry.setting("look");
    const float w = float(entry.width), h = float(entry.height);
    Rgba colour = rgb(kColours[index]);
    auto segment = [&](float from, float to)
    {
        for (float x = from; x < to; x += 2)
        {
            float y = h / 2 + std::sin(x / w * 2 * kPi + float(index)) * h * 0.22f;
            canvas.fillShape(ellipse(x, y, 5, 5), colour, 1.0f);
        }
    };
    if (look == "over")
        for (float x = 10; x < w - 10; x += 3)
            canvas.fillShape(ellipse(x, h / 2 + std::sin(x / w * 2 * kPi + float(index)) * h * 0.22f, 9, 9),
                             rgb(0xfff0a0, 0.25f), 6);
    if (look == "cut")
    {
        segment(10, w / 2 - 10);
        segment(w / 2 + 10, w - 10);
    }
    else
        segment(10, w - 10);
    for (float x : {8.0f, w - 8})
        canvas.fillShape(ellipse(x, h / 2 + std::sin(x / w * 2 * kPi + float(index)) * h * 0.22f, 7, 7),
                         brassShader(h / 2 - 7, 14, 1.0f));
}

} // namespace

bool paintShape(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    if (entry.painter == "shape")
        paintShapeKind(entry, context, canvas);
    else if (entry.painter == "glyph")
        paintGlyph(entry, canvas);
    else if (entry.painter == "match")
        paintMatch(entry, canvas);
    else if (entry.painter == "wire")
        paintWire(entry, canvas);
    else
        return false;
    return true;
}

} // namespace contentgen
