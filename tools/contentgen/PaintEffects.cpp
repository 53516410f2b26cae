// Frame strips: particles, glows, turning discs and cards, the envelope's flap, the diary book.

#include "tools/contentgen/Materials.h"
#include "tools/contentgen/Painters.h"

#include <algorithm>
#include <cmath>

namespace contentgen
{

namespace
{

constexpr float kPi = 3.14159265f;

void star(Canvas& cell, float cx, float cy, float r, float angle, const Rgba& colour)
{
    std::vector<std::pair<float, float>> points;
    for (int i = 0; i < 8; ++i)
    {
        float a = angle + float(i) * kPi / 4, rr = i % 2 == 0 ? r : r * 0.28f;
        points.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
    }
    cell.fillShape(ellipse(cx, cy, r * 0.6f, r * 0.6f), Rgba{colour.r, colour.g, colour.b, colour.a * 0.35f},
                   r * 0.5f);
    cell.fillShape(polygon(points), colour);
}

// One frame of an effect; t runs from 0 at the first frame to 1 at the last.
void paintFrame(Canvas& cell, const std::string& effect, int frame, int frames, const ResourceEntry& entry,
                PaintContext& context)
{
    const float w = float(cell.width()), h = float(cell.height());
    const float t = frames > 1 ? float(frame) / float(frames - 1) : 0.0f;
    const float cx = w / 2, cy = h / 2, r = std::min(w, h) / 2;
    if (effect == "sparkle")
    {
        float pulse = std::sin(t * kPi);
        for (int i = 0; i < 5; ++i)
        {
            float a = float(i) * 2 * kPi / 5 + t * kPi;
            float d = r * (0.25f + 0.45f * std::fmod(float(i) * 0.37f + t, 1.0f));
            star(cell, cx + std::cos(a) * d, cy + std::sin(a) * d, r * (0.12f + 0.12f * pulse), a,
                 rgb(0xfff2b0, 0.4f + 0.6f * pulse));
        }
        star(cell, cx, cy, r * (0.3f + 0.4f * pulse), t * kPi / 2, rgb(0xffffff, 0.3f + 0.7f * pulse));
    }
    else if (effect == "glow")
    {
        float pulse = 0.5f + 0.5f * std::sin(t * 2 * kPi);
        cell.fillShape(ellipse(cx, cy, r * (0.5f + 0.3f * pulse), r * (0.5f + 0.3f * pulse)),
                       rgb(0xffd870, 0.35f + 0.4f * pulse), r * 0.6f);
        star(cell, cx, cy, r * (0.3f + 0.2f * pulse), t * kPi, rgb(0xffffff, 0.8f));
    }
    else if (effect == "burst" || effect == "ring")
    {
        float fade = 1 - t;
        if (effect == "ring")
            cell.strokeShape(ellipse(cx, cy, r * (0.2f + 0.75f * t), r * (0.2f + 0.75f * t)), 3 + 6 * fade,
                             rgb(0x9fe0ff, fade));
        for (int i = 0; i < 12; ++i)
        {
            float a = float(i) * kPi / 6 + 0.2f;
            float d = r * (0.1f + 0.8f * std::sqrt(t));
            star(cell, cx + std::cos(a) * d, cy + std::sin(a) * d, r * 0.14f * (0.4f + fade), a,
                 effect == "ring" ? rgb(0xd8f4ff, fade) : rgb(0xffe080, fade));
        }
        if (t < 0.4f)
            cell.fillShape(ellipse(cx, cy, r * 0.5f, r * 0.5f), rgb(0xffffff, 0.8f * (1 - t / 0.4f)),
                           r * 0.5f);
    }
    else if (effect == "streak")
    {
        cell.fillShape(
            capsule(4, cy, w - 4, cy, h * 0.35f),
            [&](float x, float) { return rgb(0xfff0c0, std::pow(x / w, 1.5f)); }, h * 0.3f);
    }
    else if (effect == "cogs")
    {
        // Sixteen teeth: the cells turn the cog by one tooth in all, so the strip loops.
        float a = float(frame) / float(frames) * kPi / 8;
        std::vector<std::pair<float, float>> teeth;
        for (int i = 0; i < 32; ++i)
        {
            float ang = a + float(i) * kPi / 16, rr = (i / 2) % 2 == 0 ? r * 0.92f : r * 0.7f;
            teeth.push_back({cx + std::cos(ang) * rr, cy + std::sin(ang) * rr});
        }
        Distance cog = polygon(teeth);
        cell.shadow(cog, 1, 1, 2, 0.4f);
        cell.fillShape(cog, brassShader(cy - r, 2 * r, 1.0f));
        cell.fillShape(ellipse(cx, cy, r * 0.25f, r * 0.25f), rgb(0x3b2608));
    }
    else if (effect == "disc")
    {
        // Cell 0 shows the computer's colour, the last the player's; the middle turns edge-on.
        float squash = std::fabs(std::cos(t * kPi));
        bool player = t > 0.5f;
        // The colours the score line names: blue against red, gold against silver.
        const bool second = entry.setting("variant") == "2";
        const uint32_t light = second ? (player ? 0xffe27a : 0xf6f6fc) : (player ? 0x6a9aff : 0xff6a58);
        const uint32_t dark = second ? (player ? 0x9a7208 : 0x80808e) : (player ? 0x12307a : 0x7a1010);
        const float rx = r * 0.82f * std::max(0.08f, squash);
        Distance disc = ellipse(cx, cy, rx, r * 0.82f);
        cell.shadow(disc, 1, 2, 3, 0.45f);
        cell.fillShape(disc,
                       [&](float, float y) { return mix(rgb(light), rgb(dark), (y - cy + r) / (2 * r)); });
        cell.fillShape(ellipse(cx - rx * 0.25f, cy - r * 0.35f, rx * 0.45f, r * 0.22f), rgb(0xffffff, 0.35f),
                       3);
        cell.strokeShape(disc, 1.5f, Rgba{0, 0, 0, 0.5f});
    }
    else if (effect == "card")
    {
        // Cell 0 is the back, the last cell the face; between them the card turns.
        // The game draws the cell 14 pixels above and left of its card widget,
        // which is the cell less 30, so the card leaves 16 below and right for its shadow.
        const float inset = 14, cardW = w - 30, cardH = h - 30, cardX = inset + cardW / 2;
        float squash = std::fabs(std::cos(t * kPi));
        bool face = t > 0.5f;
        float cw = cardW * std::max(0.06f, squash);
        Distance card = roundRect(cardX - cw / 2, inset, cw, cardH, 8);
        cell.shadow(card, 2, 3, 4, 0.45f);
        if (face)
        {
            cell.fillShape(card, paperShader(seedOf(entry.id)));
            if (squash > 0.9f)
                context.drawEmoji(cell, codePoints(entry.setting("cp"))[0], inset + 12, inset + 12,
                                  cardW - 24, cardH - 24);
        }
        else
        {
            cell.fillShape(
                card,
                [&](float x, float y)
                {
                    bool check =
                        (int(std::floor((x + y) / 10)) + int(std::floor((x - y + 400) / 10))) % 2 == 0;
                    return check ? rgb(0x6a1a22) : rgb(0x8a2a30);
                });
            if (squash > 0.5f)
                cell.fillShape(ellipse(cardX, inset + cardH / 2, cw * 0.25f, cw * 0.25f),
                               brassShader(inset + cardH / 2 - cw * 0.25f, cw * 0.5f, 1.0f));
        }
        cell.strokeShape(card, 2, rgb(0xd9ad52));
    }
    else if (effect == "flap")
    {
        // The flap folds up from closed (cell 0) to open; its hinge is the strip's bottom edge.
        float open = t;
        float tip = h - (h - 6) * std::cos(open * kPi / 2);
        cell.fillShape(polygon({{4, h}, {w - 4, h}, {w / 2, std::max(6.0f, tip)}}), [&](float x, float y)
                       { return shade(paperShader(seedOf("envelope"))(x, y), 0.9f - 0.2f * open); });
        cell.strokeShape(polygon({{4, h}, {w - 4, h}, {w / 2, std::max(6.0f, tip)}}), 1.5f, rgb(0x8a6a3a));
        if (frame == 0)
            cell.fillShape(ellipse(w / 2, h - 40, 22, 22), [&](float, float y)
                           { return mix(rgb(0xc02020), rgb(0x6a0808), (y - h + 62) / 44); });
    }
    else if (effect == "book")
    {
        // The diary: closed on cell 0, lying open on the last. The diary writes
        // its two columns 238 wide from x 79 and 354, with baselines every 14
        // pixels from y 46, and sets its buttons on the pages' foot at y 336:
        // the spine stands in the gutter between the columns and the paper
        // leaves a margin round the text.
        float open = std::min(1.0f, t * 1.15f);
        float coverW = 280, pageH = 380, top = 10, spine = 335;
        cell.shadow(roundRect(spine - coverW * open, top, coverW * (1 + open), pageH, 12), 6, 8, 14, 0.45f);
        // Back cover and right page.
        Distance back = roundRect(spine, top, coverW, pageH, 10);
        cell.fillShape(back, [&](float x, float y)
                       { return shade(rgb(0x5a1e1e), 0.8f + 0.3f * fractalNoise(x / 30, y / 30, 4, 3)); });
        if (open > 0.05f)
            cell.fillShape(roundRect(spine, top + 8, coverW - 10, pageH - 16, 4), paperShader(31));
        // The turning front cover, foreshortened by the angle.
        float angle = open * kPi;
        float reach = coverW * std::cos(angle);
        float x0 = std::min(spine, spine + reach), x1 = std::max(spine, spine + reach);
        if (x1 - x0 > 1)
        {
            Distance cover = roundRect(x0, top, x1 - x0, pageH, 8);
            bool inside = angle > kPi / 2;
            cell.fillShape(cover,
                           inside ? paperShader(32, 0.95f)
                                  : Shader(
                                        [&](float x, float y) {
                                            return shade(rgb(0x6a2424),
                                                         0.8f + 0.35f * fractalNoise(x / 30, y / 30, 5, 3));
                                        }));
            if (!inside && x1 - x0 > coverW * 0.5f)
            {
                cell.strokeShape(roundRect(x0 + 12, top + 14, x1 - x0 - 24, pageH - 28, 6), 3, rgb(0xd9ad52));
                context.drawEmoji(cell, 0x1F50D, (x0 + x1) / 2 - 30, top + pageH / 2 - 30, 60, 60);
            }
        }
        // A ruled line just under each of the twenty baselines of a page.
        if (open >= 1)
            for (int line = 0; line < 20; ++line)
                for (float side : {75.0f, 350.0f})
                    cell.fillShape(roundRect(side, float(46 + 14 * line + 3), 246, 1, 0.5f),
                                   rgb(0x8aa2c8, 0.45f));
        cell.fillShape(roundRect(spine - 3, top - 2, 6, pageH + 4, 3), rgb(0x3a1010));
    }
    else if (effect == "digits")
    {
        std::string digit(1, char('0' + frame));
        cell.text(digit, "DejaVuSans-Bold.ttf", int(h * 0.85f), cx + 1, 1, Rgba{0, 0, 0, 0.7f}, true);
        cell.text(digit, "DejaVuSans-Bold.ttf", int(h * 0.85f), cx, 0, rgb(0xffe7a0), true);
    }
}

} // namespace

bool paintEffect(const ResourceEntry& entry, PaintContext& context, Canvas& canvas)
{
    if (entry.painter != "strip")
        return false;
    const std::string effect = entry.setting("effect");
    const int cellW = entry.width / entry.columns, cellH = entry.height / entry.rows;
    const int frames = entry.rows * entry.columns;
    for (int frame = 0; frame < frames; ++frame)
    {
        Canvas cell(cellW, cellH);
        paintFrame(cell, effect, frame, frames, entry, context);
        canvas.paste(cell, (frame % entry.columns) * cellW, (frame / entry.columns) * cellH);
    }
    return true;
}

} // namespace contentgen
