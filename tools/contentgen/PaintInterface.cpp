// Cursors, buttons, panels and the hint counter.

#include "tools/contentgen/Materials.h"
#include "tools/contentgen/Painters.h"

#include <algorithm>
#include <cmath>

namespace contentgen
{

namespace
{

constexpr float kPi = 3.14159265f;
const char* const kLabelFace = "DejaVuSans-Bold.ttf";

// The arrow's tip lies on the picture's centre, which is where the pointer is.
void paintCursor(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    std::string shape = entry.setting("shape");
    const float cx = float(entry.width) / 2, cy = float(entry.height) / 2;
    if (shape == "arrow" || shape == "arrow-red")
    {
        Distance arrow = polygon({{cx, cy},
                                  {cx, cy + 22},
                                  {cx + 5.5f, cy + 17},
                                  {cx + 10, cy + 26},
                                  {cx + 13.5f, cy + 24.5f},
                                  {cx + 9.5f, cy + 15.5f},
                                  {cx + 16, cy + 15.5f}});
        canvas.shadow(arrow, 1.5f, 2, 3, 0.45f);
        bool red = shape == "arrow-red";
        canvas.fillShape(arrow, red ? rgb(0x2a0505) : rgb(0x1c140c));
        Distance inner = polygon({{cx + 1.6f, cy + 3.8f},
                                  {cx + 1.6f, cy + 18},
                                  {cx + 5.8f, cy + 14.3f},
                                  {cx + 10.6f, cy + 23.8f},
                                  {cx + 11.6f, cy + 23.3f},
                                  {cx + 7.2f, cy + 14},
                                  {cx + 12.2f, cy + 14}});
        canvas.fillShape(inner, red ? Shader([&](float, float y)
                                             { return mix(rgb(0xff7a6a), rgb(0xb01010), (y - cy) / 24); })
                                    : brassShader(cy, 24));
    }
    else if (shape == "hand")
    {
        // The fingertip of the pointing hand sits on the centre.
        context.drawEmoji(canvas, 0x1F446, cx - 14, cy - 2, 30, 30);
    }
    else if (shape == "grab")
    {
        context.drawEmoji(canvas, 0x270A, cx - 14, cy - 14, 28, 28);
    }
    else if (shape == "beam")
    {
        for (float dy : {-11.0f, 11.0f})
            canvas.fillShape(capsule(cx - 5, cy + dy, cx + 5, cy + dy, 1.6f), rgb(0x1c140c));
        canvas.fillShape(capsule(cx, cy - 11, cx, cy + 11, 1.6f), rgb(0x1c140c));
        canvas.fillShape(capsule(cx, cy - 10, cx, cy + 10, 0.6f), rgb(0xf3d27a));
    }
    // "empty" stays transparent: no pointer is shown.
}

// The symbol on a round button: an arrow, a turn arrow, a cross, a question mark or a tick.
void paintSymbol(Canvas& canvas, const std::string& shape, float cx, float cy, float r, const Rgba& ink)
{
    auto arrow = [&](float angle)
    {
        float c = std::cos(angle), s = std::sin(angle);
        auto at = [&](float u, float v) {
            return std::pair<float, float>{cx + u * c - v * s, cy + u * s + v * c};
        };
        canvas.fillShape(polygon({at(r * 0.55f, 0), at(-r * 0.1f, -r * 0.5f), at(-r * 0.1f, -r * 0.2f),
                                  at(-r * 0.55f, -r * 0.2f), at(-r * 0.55f, r * 0.2f),
                                  at(-r * 0.1f, r * 0.2f), at(-r * 0.1f, r * 0.5f)}),
                         ink);
    };
    if (shape == "right")
        arrow(0);
    else if (shape == "down")
        arrow(kPi / 2);
    else if (shape == "left")
        arrow(kPi);
    else if (shape == "up")
        arrow(-kPi / 2);
    else if (shape == "close" || shape == "x")
    {
        canvas.fillShape(capsule(cx - r * 0.38f, cy - r * 0.38f, cx + r * 0.38f, cy + r * 0.38f, r * 0.11f),
                         ink);
        canvas.fillShape(capsule(cx - r * 0.38f, cy + r * 0.38f, cx + r * 0.38f, cy - r * 0.38f, r * 0.11f),
                         ink);
    }
    else if (shape == "cw" || shape == "ccw")
    {
        Distance ring = ellipse(cx, cy, r * 0.45f, r * 0.45f);
        Distance gap = ring;
        bool cw = shape == "cw";
        gap.distance = [=](float x, float y)
        {
            float d = std::fabs(ring(x, y) + r * 0.08f) - r * 0.09f;
            bool cut = (cw ? x < cx : x > cx) && y < cy;
            return cut ? std::max(d, 1.0f) : d;
        };
        canvas.fillShape(gap, ink);
        float tipX = cw ? cx - r * 0.45f : cx + r * 0.45f;
        canvas.fillShape(polygon({{tipX - r * 0.25f, cy - r * 0.05f},
                                  {tipX + r * 0.25f, cy - r * 0.05f},
                                  {tipX, cy - r * 0.38f}}),
                         ink);
    }
    else if (shape == "check")
    {
        canvas.fillShape(capsule(cx - r * 0.45f, cy, cx - r * 0.1f, cy + r * 0.38f, r * 0.13f), ink);
        canvas.fillShape(capsule(cx - r * 0.1f, cy + r * 0.38f, cx + r * 0.5f, cy - r * 0.45f, r * 0.13f),
                         ink);
    }
    else if (shape == "help")
    {
        canvas.text("?", kLabelFace, int(r * 1.2f), cx, cy - r * 0.7f, ink, true);
    }
}

void paintButton(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    const std::string look = entry.setting("look", "wood");
    const std::string state = entry.setting("state", "normal");
    const std::string shape = entry.setting("shape", "rect");
    const float brightness = stateBrightness(state);
    const float sink = state == "down" ? 1.0f : 0.0f;
    const float w = float(entry.width), h = float(entry.height);
    const uint32_t seed = seedOf(entry.group + entry.setting("text") + shape);

    if (shape == "check")
    {
        Distance box = roundRect(3, 3 + sink, w - 7, h - 7, 5);
        canvas.shadow(box, 1, 2, 3, 0.4f);
        canvas.fillShape(box, paperShader(seed, 1.0f));
        canvas.strokeShape(box, 2.5f, rgb(0x6b4a16));
        if (state == "down")
            paintSymbol(canvas, "check", w / 2, h / 2 + sink, w * 0.42f, rgb(0x1d6b22));
        return;
    }
    if (shape != "rect")
    {
        float r = std::min(w, h) / 2 - 3;
        Distance disc = ellipse(w / 2, h / 2 + sink, r, r);
        canvas.shadow(disc, 1, 2 - sink, 3, 0.45f);
        if (state == "over")
            canvas.fillShape(ellipse(w / 2, h / 2, r + 2.5f, r + 2.5f), rgb(0xffe69a, 0.6f), 4);
        canvas.fillShape(disc, materialShader(look, h / 2 - r, 2 * r, seed, brightness));
        canvas.strokeShape(disc, 1.5f, rgb(0x3b2608, 0.8f));
        canvas.strokeShape(ellipse(w / 2, h / 2 + sink, r - 2, r - 2), 1.0f, rgb(0xffffff, 0.35f));
        Rgba ink = look == "brass" ? rgb(0x3b2608) : rgb(0xfff1c9);
        paintSymbol(canvas, shape, w / 2, h / 2 + sink, r, ink);
        return;
    }

    const float radius = std::min(h / 3.0f, 12.0f);
    Distance body = roundRect(3, 2 + sink, w - 6, h - 6, radius);
    canvas.shadow(body, 1, 2.5f - sink, 4, 0.5f);
    if (state == "over")
        canvas.fillShape(roundRect(1, 0, w - 2, h - 2, radius + 2), rgb(0xffd777, 0.55f), 4);
    canvas.fillShape(body, materialShader(look, 2 + sink, h - 6, seed, brightness));
    // Bevel: a light rim above, a dark rim below, a brass edge around.
    canvas.strokeShape(roundRect(5, 4 + sink, w - 10, h - 10, radius - 2), 1.2f,
                       state == "down" ? Rgba{0, 0, 0, 0.3f} : Rgba{1, 1, 1, 0.28f});
    canvas.strokeShape(body, 2.0f, look == "brass" ? rgb(0x5a3a0c) : rgb(0xc9973f));

    float textX = w / 2;
    if (std::string icon = entry.setting("icon"); !icon.empty())
    {
        float size = std::min(h - 16, w * 0.4f);
        bool withText = !entry.setting("text").empty();
        float ix = withText ? 10 : (w - size) / 2;
        context.drawEmoji(canvas, codePoints(icon)[0], ix, (h - size) / 2 - 1 + sink, size, size);
        if (withText)
            textX = (ix + size + w - 6) / 2;
    }
    if (std::string label = words(entry.setting("text")); !label.empty())
    {
        int px = std::max(10, std::min(int(h * 0.34f), 18));
        float room = w - (textX - w / 2) * 2 - 16;
        while (px > 9 && float(Canvas::textWidth(label, kLabelFace, px)) > room)
            --px;
        canvas.shadowedText(label, kLabelFace, px, textX, (h - 6) / 2 - float(px) * 0.62f + sink,
                            inkFor(look), true);
    }
}

void paintPanel(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    const std::string look = entry.setting("look", "paper");
    const float w = float(entry.width), h = float(entry.height);
    const uint32_t seed = seedOf(entry.id);
    if (look == "glow")
    {
        for (int i = 0; i < 6; ++i)
            canvas.strokeShape(roundRect(float(i), float(i), w - 2 * float(i), h - 2 * float(i), 10), 1.0f,
                               rgb(0xffd46a, 0.85f - 0.13f * float(i)));
        return;
    }
    if (look == "frame")
    {
        // A frame drawn over a board sets its border so the hole leaves the board's cells clear.
        const float border = entry.setting("border").empty() ? std::max(14.0f, std::min(w, h) * 0.06f)
                                                             : std::stof(entry.setting("border"));
        Distance outer = roundRect(2, 2, w - 4, h - 4, 10);
        Distance hole = roundRect(border, border, w - 2 * border, h - 2 * border, 4);
        // A frame that is the board's whole picture shows a room through its
        // hole; a bare wall has no window or picture to show through glass.
        if (entry.setting("inside") == "room" || entry.setting("inside") == "wall")
        {
            Canvas room{int(w), int(h)};
            paintRoom(room, "cellar", seed, entry.setting("inside") == "room");
            canvas.fillShape(roundRect(border - 4, border - 4, w - 2 * border + 8, h - 2 * border + 8, 4),
                             [&](float x, float y)
                             {
                                 uint32_t p = room.at(std::clamp(int(x), 0, int(w) - 1),
                                                      std::clamp(int(y), 0, int(h) - 1));
                                 return Rgba{float((p >> 16) & 255) / 255, float((p >> 8) & 255) / 255,
                                             float(p & 255) / 255, 1};
                             });
        }
        Distance ring = outer;
        ring.distance = [=](float x, float y) { return std::max(outer(x, y), -hole(x, y)); };
        canvas.fillShape(ring, woodShader(0, h, seed, 1.0f));
        canvas.strokeShape(outer, 2, rgb(0xd9ad52));
        Distance lip = hole;
        lip.distance = [=](float x, float y) { return std::fabs(hole(x, y) - 2.5f) - 2.5f; };
        canvas.fillShape(lip, brassShader(border, h - 2 * border, 0.95f));
        for (float cx : {border / 2 + 2, w - border / 2 - 2})
            for (float cy : {border / 2 + 2, h - border / 2 - 2})
                canvas.fillShape(ellipse(cx, cy, 4, 4), brassShader(cy - 4, 8, 1.1f));
        return;
    }
    if (look == "locked" || look == "done")
    {
        bool done = look == "done";
        canvas.fillShape(roundRect(0, 0, w, h, 6), done ? rgb(0x1f5a26, 0.35f) : rgb(0x0b0810, 0.62f));
        canvas.strokeShape(roundRect(1, 1, w - 2, h - 2, 6), 3, done ? rgb(0x9be38f) : rgb(0x6b5a40));
        context.drawEmoji(canvas, done ? 0x2705 : 0x1F512, w / 2 - h * 0.22f, h * 0.28f, h * 0.44f,
                          h * 0.44f);
        return;
    }
    if (look == "hud")
    {
        canvas.fill(
            [&](float x, float y)
            {
                Rgba c = woodShader(0, h, seed, 0.9f)(x, y);
                c.a = x > w - 6 ? std::max(0.0f, (w - x) / 6) : 1.0f;
                return c;
            });
        Distance edge = roundRect(w - 9, -4, 6, h + 8, 3);
        canvas.fillShape(edge, brassShader(0, h, 1.0f));
        // The item list's paper, where the names to find are written: the
        // game sets a name every list step from the first baseline on, and
        // the paper reaches past the descent of the last of its lines.
        const float firstBaseline = std::stof(entry.setting("baseline", "318"));
        const float step = std::stof(entry.setting("step", "19"));
        const int lines = std::stoi(entry.setting("lines", "12"));
        const float bottom = firstBaseline + step * float(lines - 1) + 12;
        // A dark card tucked under the screen's left edge: the names, white and
        // the found ones grey, start two pixels from that edge and read on it.
        Distance note = roundRect(-10, 300, 122, bottom - 300, 6);
        canvas.shadow(note, 2, 2, 4, 0.5f);
        canvas.fillShape(note, leatherShader(seed));
        canvas.strokeShape(note, 1.5f, rgb(0xc9973f));
        for (int line = 0; line < lines; ++line)
            canvas.fillShape(roundRect(2, firstBaseline + 3 + step * float(line), 104, 1, 0.5f),
                             rgb(0xd9c08a, 0.18f));
        return;
    }

    if (look == "bubble")
    {
        // Dark, so that the story's white text reads well on it, in a thin gilt
        // frame close to its edge: the text starts five pixels inside.
        Distance bubble = roundRect(0.5f, 0.5f, w - 1, h - 1, 12);
        canvas.fillShape(bubble, rgb(0x221c2c, 0.92f));
        canvas.strokeShape(bubble, 1.5f, rgb(0xd9ad52));
        canvas.strokeShape(roundRect(3.5f, 3.5f, w - 7, h - 7, 9), 1, rgb(0xd9ad52, 0.45f));
        return;
    }

    if (look == "leather")
    {
        // The player screens' and dialogs' panel: dark, so that their white
        // titles, labels and messages read on it, in a gilt frame.
        Distance sheet = roundRect(4, 3, w - 10, h - 10, 12);
        canvas.shadow(sheet, 2, 3, 6, 0.5f);
        canvas.fillShape(sheet, leatherShader(seed));
        canvas.strokeShape(sheet, 2.5f, rgb(0x8a5a22));
        canvas.strokeShape(roundRect(14, 13, w - 30, h - 30, 8), 1.5f, rgb(0xd9ad52, 0.85f));
        canvas.strokeShape(roundRect(18, 17, w - 38, h - 38, 6), 0.8f, rgb(0xd9ad52, 0.5f));
        for (float cx : {20.0f, w - 26})
            for (float cy : {19.0f, h - 27})
                canvas.fillShape(ellipse(cx, cy, 3, 3), brassShader(cy - 3, 6, 1.1f));
        return;
    }

    // Paper, wood, dark: a sheet with a soft shadow and an edge.
    Distance sheet = roundRect(4, 3, w - 10, h - 10, 12);
    canvas.shadow(sheet, 2, 3, 6, 0.5f);
    canvas.fillShape(sheet, materialShader(look, 3, h - 10, seed, 1.0f));
    if (look == "paper")
    {
        // Edges browned with age.
        canvas.fillShape(sheet,
                         [&](float x, float y)
                         {
                             float d = -sheet(x, y);
                             return Rgba{0.45f, 0.28f, 0.1f, std::max(0.0f, 0.35f - d / 40.0f)};
                         });
    }
    canvas.strokeShape(sheet, 2.0f, look == "dark" ? rgb(0x8a7a5a) : rgb(0x3b2410));
    if (entry.setting("scheme") == "wiring")
        paintWiringScheme(canvas, w, h);
    if (entry.setting("state") == "over")
        canvas.strokeShape(sheet, 3.0f, rgb(0xffd46a));
}

// A full-screen picture with a paper ribbon along its bottom, where the title
// screen writes its black loading line.
void paintTitleCard(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    ResourceEntry picture = entry;
    picture.painter = "scene";
    paintScene(picture, context, canvas);
    const float w = float(entry.width), h = float(entry.height);
    Distance ribbon = roundRect(w / 2 - 120, h - 54, 240, 36, 6);
    canvas.shadow(ribbon, 2, 2, 4, 0.5f);
    canvas.fillShape(ribbon, paperShader(seedOf(entry.id)));
    canvas.strokeShape(ribbon, 1.5f, rgb(0x8a5a22));
}

// A maker's badge for the main menu's bottom left: a dark plaque in a brass
// rim with the maker's emblem over its name.
void paintLogo(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    const float w = float(entry.width), h = float(entry.height);
    Distance plaque = roundRect(3, 3, w - 8, h - 8, 10);
    canvas.shadow(plaque, 2, 2, 4, 0.5f);
    canvas.fillShape(plaque, leatherShader(seedOf(entry.id)));
    canvas.strokeShape(plaque, 2.5f, rgb(0xc9973f));
    const float emblem = h * 0.5f;
    context.drawEmoji(canvas, codePoints(entry.setting("cp"))[0], (w - emblem) / 2 - 2, 8, emblem, emblem);
    const std::string name = words(entry.setting("text"));
    int px = 13;
    while (px > 8 && float(Canvas::textWidth(name, kLabelFace, px)) > w - 18)
        --px;
    canvas.shadowedText(name, kLabelFace, px, w / 2 - 2, h - 12 - float(px) * 1.1f, rgb(0xfff1c9), true);
}

// The hint counter: a brass plaque with a magnifying glass; the number comes from its own strip.
void paintHint(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    const float w = float(entry.width), h = float(entry.height);
    const int count = std::stoi(entry.setting("count", "0"));
    const bool over = entry.setting("state") == "over";
    Distance plaque = roundRect(4, 4, w - 10, h - 10, 14);
    if (over)
    {
        // Drawn under the counter, so only a halo around the plaque shows.
        for (int i = 0; i < 8; ++i)
            canvas.strokeShape(roundRect(float(i), float(i), w - 2 * float(i), h - 2 * float(i), 18), 1.0f,
                               rgb(0xffe08a, 0.15f + 0.1f * float(i)));
        return;
    }
    canvas.shadow(plaque, 2, 3, 5, 0.5f);
    canvas.fillShape(plaque, woodShader(4, h - 10, seedOf("hint"), 1.0f));
    canvas.strokeShape(plaque, 3, rgb(0xc9973f));
    context.drawEmoji(canvas, 0x1F50D, 10, 10, 40, 40, count == 0 ? 0.35f : 1.0f);
    canvas.shadowedText("Hints", kLabelFace, 12, w / 2 + 14, 14, rgb(0xfff1c9), true);
    // One lamp per hint kept, lit up to the count.
    for (int i = 0; i < 6; ++i)
    {
        float cx = 16 + float(i) * 15.5f, cy = h - 20;
        bool lit = i < count;
        if (lit)
            canvas.fillShape(ellipse(cx, cy, 8, 8), rgb(0xffe27a, 0.5f), 5);
        canvas.fillShape(ellipse(cx, cy, 5, 5),
                         lit ? brassShader(cy - 5, 10, 1.3f) : darkShader(cy - 5, 10, 1.3f));
    }
    // The number's place at (46, 42).
    canvas.fillShape(roundRect(44, 40, 24, 28, 5), rgb(0x1c140c, 0.7f));
}

} // namespace

bool paintInterface(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    if (entry.painter == "cursor")
        paintCursor(entry, context, canvas);
    else if (entry.painter == "button")
        paintButton(entry, context, canvas);
    else if (entry.painter == "panel")
        paintPanel(entry, context, canvas);
    else if (entry.painter == "hint")
        paintHint(entry, context, canvas);
    else if (entry.painter == "logo")
        paintLogo(entry, context, canvas);
    else if (entry.painter == "titlecard")
        paintTitleCard(entry, context, canvas);
    else
        return false;
    return true;
}

} // namespace contentgen
