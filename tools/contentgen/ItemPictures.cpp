#include "tools/contentgen/ItemPictures.h"

#include "tools/contentgen/Materials.h"
#include "tools/contentgen/Painters.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace contentgen
{

namespace
{

constexpr int kHintFrames = 24;

} // namespace

Canvas emojiPicture(PaintContext& context, char32_t codePoint, int size, float turn)
{
    Canvas out(size, size);
    if (turn == 0)
    {
        context.drawEmoji(out, codePoint, 0, 0, float(size), float(size));
        return out;
    }
    const float a = std::fabs(turn) * 3.14159265f / 180.0f;
    const float inner = float(size) / (std::cos(a) + std::sin(a));
    const float margin = (float(size) - inner) / 2;
    context.drawEmoji(out, codePoint, margin, margin, inner, inner);
    return out.turned(turn);
}

Canvas cutPiece(const Canvas& whole, int k, int n, uint32_t seed)
{
    Canvas piece = whole;
    const float cx = float(whole.width()) / 2, cy = float(whole.height()) / 2;
    const float turn = 6.2831853f, start = 0.4f + float(seed % 100) / 100.0f;
    uint32_t* p = piece.pixels();
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
        {
            float a = std::atan2(float(y) + 0.5f - cy, float(x) + 0.5f - cx) - start;
            a += 0.25f * (valueNoise(float(x) / 5, float(y) / 5, seed) - 0.5f);
            a = std::fmod(std::fmod(a, turn) + turn, turn);
            if (int(a / turn * float(n)) != k - 1)
                p[y * whole.width() + x] = 0;
        }
    return piece;
}

Canvas hintStrip(int size)
{
    Canvas strip(size * kHintFrames, size);
    for (int frame = 0; frame < kHintFrames; ++frame)
    {
        Canvas cell(size, size);
        float t = float(frame) / float(kHintFrames - 1);
        float s = float(size);
        float r = s * 0.34f * (1.0f + 0.35f * t);
        float fade = frame == 0 ? 1.0f : std::max(0.0f, 1.0f - t * 1.1f);
        cell.fillShape(ellipse(s / 2, s / 2, s * 0.48f, s * 0.48f),
                       rgb(0xffe9a0, 0.35f * fade + 0.4f * t * fade), s * 0.2f);
        Distance coin = ellipse(s / 2, s / 2, r, r);
        cell.fillShape(coin,
                       [&](float x, float y)
                       {
                           Rgba c = brassShader(s / 2 - r, 2 * r, 1.05f)(x, y);
                           c.a = fade;
                           return c;
                       });
        cell.strokeShape(coin, 1.5f, rgb(0x6a4a10, fade));
        int px = int(r * 1.3f);
        cell.text("?", "DejaVuSerif-Bold.ttf", std::max(8, px), s / 2, s / 2 - float(px) * 0.62f,
                  rgb(0x5a3a08, fade), true);
        strip.paste(cell, frame * size, 0);
    }
    return strip;
}

Canvas artPicture(PaintContext& context, const std::string& art, uint32_t pieceSeed, std::string& error)
{
    std::istringstream words(art);
    std::string kind;
    words >> kind;
    if (kind == "hint")
    {
        int size = 0;
        words >> size;
        if (size > 0 && size <= 256)
            return hintStrip(size);
        error = "bad hint art \"" + art + "\"";
        return Canvas();
    }
    if (kind != "emoji" && kind != "piece")
    {
        error = "unknown art \"" + art + "\"";
        return Canvas();
    }
    std::string code;
    int size = 0;
    words >> code >> size;
    char32_t cp = char32_t(std::strtoul(code.c_str(), nullptr, 16));
    if (context.emoji(cp).width() == 0 || size <= 0 || size > 256)
    {
        error = "no picture for \"" + art + "\"";
        return Canvas();
    }
    if (kind == "piece")
    {
        int k = 0, n = 0;
        words >> k >> n;
        return cutPiece(emojiPicture(context, cp, size), k, std::max(1, n), pieceSeed);
    }
    float turn = 0;
    words >> turn;
    return emojiPicture(context, cp, size, turn);
}

char32_t artCodePoint(const std::string& art)
{
    std::istringstream words(art);
    std::string kind, code;
    words >> kind >> code;
    if (kind != "emoji" && kind != "piece")
        return 0;
    return char32_t(std::strtoul(code.c_str(), nullptr, 16));
}

} // namespace contentgen
