#include "tools/contentgen/Painters.h"

#include <algorithm>
#include <cmath>

namespace contentgen
{

namespace
{

constexpr float kPi = 3.14159265f;

// Where the bomb screen puts the wires (each 340 x 60) and the screw, in its
// 800 x 600 coordinates, so the sketch shows the same layout as the game.
struct WirePlace
{
    float x, y;
    uint32_t colour;
};
constexpr WirePlace kWires[] = {
    {50, 326, 0xd02020}, {182, 202, 0x2050d0}, {161, 24, 0xe0c020}, {396, 170, 0x20a040}};

} // namespace

// The wiring scheme on a sheet: the bomb's case, its four wires in their
// colours, each marked to be cut, the screw marked to be undone and the timer.
void paintWiringScheme(Canvas& canvas, float w, float h)
{
    const bool large = h > 300;
    const float margin = large ? 40 : 10;
    const float bottom = large ? 130 : 10;
    const float scale = std::min((w - 2 * margin) / 800, (h - margin - bottom) / 600);
    const float ox = (w - 800 * scale) / 2, oy = margin;
    auto X = [&](float x) { return ox + x * scale; };
    auto Y = [&](float y) { return oy + y * scale; };
    const Rgba pencil = rgb(0x3a3440, 0.85f);
    const float line = std::max(1.0f, 2.2f * scale);
    canvas.strokeShape(roundRect(X(160), Y(90), 480 * scale, 420 * scale, 14 * scale), line, pencil);
    // The timer window.
    canvas.strokeShape(roundRect(X(510), Y(288), 122 * scale, 50 * scale, 4 * scale), line, pencil);
    if (large)
        canvas.text("2:00", "DejaVuSansMono-Bold.ttf", int(34 * scale), X(571), Y(292), pencil, true);
    for (int i = 0; i < 4; ++i)
    {
        const WirePlace& wire = kWires[i];
        auto wireY = [&](float x) { return wire.y + 30 + std::sin(x / 340 * 2 * kPi + float(i)) * 13.2f; };
        for (float x = 10; x < 330; x += 6)
            canvas.fillShape(
                capsule(X(wire.x + x), Y(wireY(x)), X(wire.x + x + 6), Y(wireY(x + 6)), 2.4f * scale),
                rgb(wire.colour, 0.9f));
        // The cut: a red cross in the middle of the wire.
        const float cx = X(wire.x + 170), cy = Y(wireY(170));
        const float r = 14 * scale;
        for (float s : {1.0f, -1.0f})
            canvas.fillShape(capsule(cx - r, cy - r * s, cx + r, cy + r * s, std::max(1.0f, 2.6f * scale)),
                             rgb(0xb01010));
        if (large)
            canvas.shadowedText(std::to_string(i + 1), "DejaVuSerif-Bold.ttf", int(26 * scale), cx,
                                cy - 52 * scale, rgb(0xb01010), true);
    }
    // The screw with the turn that undoes it.
    const float sx = X(505), sy = Y(100), sr = 20 * scale;
    canvas.strokeShape(ellipse(sx, sy, sr, sr), line, pencil);
    canvas.fillShape(capsule(sx - sr * 0.7f, sy, sx + sr * 0.7f, sy, line * 0.8f), pencil);
    for (float a = 0.2f; a < 1.6f * kPi; a += 0.12f)
        canvas.fillShape(
            ellipse(sx + std::cos(a) * sr * 1.6f, sy - std::sin(a) * sr * 1.6f, line * 0.7f, line * 0.7f),
            rgb(0xb01010));
    if (!large)
        return;
    canvas.text("WIRING", "DejaVuSerif-Bold.ttf", 30, w / 2, 14, pencil, true);
    canvas.text("Cut all four wires with the scissors. Undo the screw with the screwdriver.", "DejaVuSans.ttf",
                20, w / 2, h - bottom + 12, pencil, true);
}

} // namespace contentgen
