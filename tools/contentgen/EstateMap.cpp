#include "tools/contentgen/EstateMap.h"

#include "tools/contentgen/EstatePlan.h"
#include "tools/contentgen/Materials.h"
#include "tools/contentgen/Painters.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace contentgen
{

namespace
{

const char* const kLabelFace = "DejaVuSerifCondensed-Bold.ttf";
const char* const kTitleFace = "DejaVuSerif-Bold.ttf";
const char* const kItalicFace = "DejaVuSerif-Italic.ttf";
const Rgba kInk = rgb(0x3a2410);
const Rgba kPaper = rgb(0xf4e8c8);

// The marker pin stands this tall above the spot it points at.
constexpr float kPinHeight = 56;

uint32_t hashOf(uint32_t n)
{
    n = (n ^ 61u) ^ (n >> 16);
    n *= 9u;
    n ^= n >> 4;
    n *= 0x27d4eb2du;
    return n ^ (n >> 15);
}

float unit(uint32_t n)
{
    return float(hashOf(n) % 10000) / 10000.0f;
}

Distance boxShape(const PlanBox& box, float inset = 0, float radius = 0)
{
    return roundRect(box.left + inset, box.top + inset, box.right - box.left - 2 * inset,
                     box.bottom - box.top - 2 * inset, radius);
}

// Text with a paper halo, so that it reads over any floor.
void haloText(Canvas& canvas, const std::string& text, const char* face, int pixels, float x, float y,
              const Rgba& colour)
{
    for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, 1}, {1, -1}, {-1, 1}})
        canvas.text(text, face, pixels, x + float(dx), y + float(dy), rgb(0xf7edd2, 0.85f), true);
    canvas.text(text, face, pixels, x, y, colour, true);
}

void paintTree(Canvas& canvas, float x, float y, float r, uint32_t seed)
{
    canvas.fillShape(ellipse(x + r * 0.35f, y + r * 0.4f, r, r * 0.8f), Rgba{0.1f, 0.08f, 0.02f, 0.25f}, 4);
    canvas.fillShape(ellipse(x, y, r, r),
                     [=](float px, float py)
                     {
                         float n = fractalNoise(px / 6, py / 6, seed, 3);
                         float light = 1.15f - 0.5f * ((px - x) + (py - y)) / (2 * r) * 0.8f;
                         return shade(mix(rgb(0x4f6b2e), rgb(0x2f4a22), n), light);
                     });
    canvas.strokeShape(ellipse(x, y, r, r), 1.2f, rgb(0x23361a, 0.8f));
}

// Trees scattered over a box, kept off the house and the drive.
void paintWood(Canvas& canvas, const PlanBox& area, int count, uint32_t seed, float size)
{
    const PlanBox house = houseBox();
    for (int i = 0; i < count; ++i)
    {
        float x = area.left + unit(seed + uint32_t(i) * 3) * (area.right - area.left);
        float y = area.top + unit(seed + uint32_t(i) * 3 + 1) * (area.bottom - area.top);
        float r = size * (0.7f + 0.6f * unit(seed + uint32_t(i) * 3 + 2));
        if (x > house.left - r - 12 && x < house.right + r + 12 && y > house.top - r - 12 &&
            y < house.bottom + r + 12)
            continue;
        paintTree(canvas, x, y, r, seed + uint32_t(i));
    }
}

Shader floorShader(const EstatePlace& place, const PlanBox& box)
{
    const uint32_t seed = uint32_t(place.scene) * 7919u;
    switch (place.kind)
    {
    case PlaceKind::Service:
        return [=](float x, float y)
        {
            bool odd = (int(std::floor((x - box.left) / 14)) + int(std::floor((y - box.top) / 14))) % 2 != 0;
            float n = fractalNoise(x / 20, y / 20, seed, 2);
            return shade(odd ? rgb(0xc9bfa8) : rgb(0xa89d86), 0.92f + 0.15f * n);
        };
    case PlaceKind::Outdoors:
        return [=](float x, float y)
        {
            float n = fractalNoise(x / 9, y / 9, seed, 3);
            return mix(rgb(0x8fa25a), rgb(0x6c8440), n);
        };
    case PlaceKind::Stone:
        return [=](float x, float y)
        {
            float row = std::floor((y - box.top) / 18);
            float col = std::floor((x - box.left + row * 11) / 26);
            float n = fractalNoise(x / 16, y / 16, seed, 2);
            float tone = 0.85f + 0.2f * unit(uint32_t(row * 131 + col) + seed);
            bool joint =
                std::fmod(y - box.top, 18.0f) < 1.2f || std::fmod(x - box.left + row * 11, 26.0f) < 1.2f;
            return shade(rgb(0xb3aa9a), joint ? 0.7f : tone + 0.08f * n);
        };
    case PlaceKind::Room:
        break;
    }
    static const uint32_t kBoards[] = {0xc8955a, 0xb98450, 0xd2a36a, 0xbf8a5c, 0xcf9b62};
    const Rgba board = rgb(kBoards[uint32_t(place.scene) % 5]);
    return [=](float x, float y)
    {
        float plank = std::floor((y - box.top) / 9);
        float n = fractalNoise(x / 40, (y - box.top) / 3, seed + uint32_t(plank), 3);
        bool seam = std::fmod(y - box.top, 9.0f) < 1.0f || std::fmod(x - box.left + plank * 37, 90.0f) < 1.0f;
        return shade(board, seam ? 0.72f : 0.88f + 0.22f * n);
    };
}

struct LabelFit
{
    std::vector<std::string> lines;
    int pixels = 0;
    float height = 0;
};

// The largest size at which the name fits the box, on one line or split at
// its first blank onto two; none below the smallest readable size.
std::optional<LabelFit> fitLabel(const std::string& name, float width, float height)
{
    std::vector<std::vector<std::string>> layouts = {{name}};
    if (size_t blank = name.find(' '); blank != std::string::npos)
        layouts.push_back({name.substr(0, blank), name.substr(blank + 1)});
    for (int pixels = 15; pixels >= 8; --pixels)
        for (const auto& lines : layouts)
        {
            bool fits = float(lines.size()) * float(pixels) * 1.2f <= height;
            for (const std::string& line : lines)
                fits = fits && float(Canvas::textWidth(line, kLabelFace, pixels)) <= width;
            if (fits)
                return LabelFit{lines, pixels, float(lines.size()) * float(pixels) * 1.2f};
        }
    return std::nullopt;
}

void drawLabel(Canvas& canvas, const LabelFit& label, float centreX, float top)
{
    for (size_t i = 0; i < label.lines.size(); ++i)
        haloText(canvas, label.lines[i], kLabelFace, label.pixels, centreX,
                 top + float(i) * float(label.pixels) * 1.2f, kInk);
}

// The name goes below the spot the pin points at or above the pin, where the
// pin leaves it readable, else in the middle of the room; the emoji sits on
// the spot itself. The name keeps to the part of the room that its level's
// view of the map shows, so that no screen edge cuts it.
void paintRoomContents(Canvas& canvas, PaintContext& context, const EstatePlace& place, const PlanBox& box,
                       const PlanBox* hatch)
{
    const PlanBox view = levelView(place.scene);
    const float shownLeft = std::max(box.left, view.left), shownRight = std::min(box.right, view.right);
    const float w = shownRight - shownLeft;
    const float spotX = float(place.pinX), spotY = float(place.pinY);
    struct Slot
    {
        float top, bottom;
        bool fromBottom;
    };
    std::vector<Slot> slots;
    if (hatch != nullptr)
        slots.push_back({box.top + 2, hatch->top - 2, true});
    else
        slots = {{spotY + 3, box.bottom - 2, false}, {box.top + 2, spotY - kPinHeight - 2, true}};
    std::optional<LabelFit> label;
    float top = 0;
    for (const Slot& slot : slots)
    {
        std::optional<LabelFit> fit = fitLabel(place.name, w - 5, slot.bottom - slot.top);
        if (fit && (!label || fit->pixels > label->pixels))
        {
            label = fit;
            top = slot.fromBottom ? slot.bottom - fit->height : slot.top;
        }
    }
    if (!label || label->pixels < 11)
        if (std::optional<LabelFit> middle = fitLabel(place.name, w - 5, box.bottom - box.top - 4);
            middle && (!label || middle->pixels > label->pixels + 2))
        {
            label = middle;
            top = box.top + (box.bottom - box.top - middle->height) / 2;
        }
    if (!label)
        return;
    drawLabel(canvas, *label, (shownLeft + shownRight) / 2, top);
    if (hatch != nullptr)
        return;
    float size = std::min({30.0f, w - 10, box.bottom - box.top - label->height - 12});
    if (size < 14)
        return;
    float iconX = std::clamp(spotX - size / 2, box.left + 4, box.right - 4 - size);
    float iconY = std::clamp(spotY - size - 1, box.top + 4, box.bottom - 4 - size);
    if (iconY < top + label->height && iconY + size > top)
        return;
    context.drawEmoji(canvas, place.emoji, iconX, iconY, size, size, 0.9f);
}

// A stair going down through a hatch in the floor.
void paintHatch(Canvas& canvas, const EstatePlace& place, const PlanBox& box, const PlanBox& host)
{
    canvas.fillShape(boxShape(box), rgb(0x4a3420));
    for (int step = 0; step < 5; ++step)
    {
        float y = box.top + 3 + float(step) * (box.bottom - box.top - 6) / 5;
        canvas.fillShape(roundRect(box.left + 3, y, box.right - box.left - 6, 2.5f, 0),
                         rgb(0xc8a878, 1.0f - 0.15f * float(step)));
    }
    canvas.strokeShape(boxShape(box), 2, kInk);
    if (std::optional<LabelFit> label =
            fitLabel(place.name, host.right - host.left - 6, host.bottom - box.bottom - 4))
        drawLabel(canvas, *label, (host.left + host.right) / 2, box.bottom + 3);
}

// Doorways where two rooms share a long enough stretch of wall.
void paintDoors(Canvas& canvas, const std::vector<PlanRoom>& rooms)
{
    constexpr float kDoor = 14, kLongEnough = 34;
    for (size_t i = 0; i < rooms.size(); ++i)
        for (size_t j = i + 1; j < rooms.size(); ++j)
        {
            if (rooms[i].hatch || rooms[j].hatch)
                continue;
            const PlanBox& a = rooms[i].box;
            const PlanBox& b = rooms[j].box;
            if (a.right == b.left || b.right == a.left)
            {
                float x = a.right == b.left ? a.right : a.left;
                float from = std::max(a.top, b.top), to = std::min(a.bottom, b.bottom);
                if (to - from >= kLongEnough)
                    canvas.fillShape(roundRect(x - 4, (from + to) / 2 - kDoor / 2, 8, kDoor, 0), kPaper);
            }
            if (a.bottom == b.top || b.bottom == a.top)
            {
                float y = a.bottom == b.top ? a.bottom : a.top;
                float from = std::max(a.left, b.left), to = std::min(a.right, b.right);
                if (to - from >= kLongEnough)
                    canvas.fillShape(roundRect((from + to) / 2 - kDoor / 2, y - 4, kDoor, 8, 0), kPaper);
            }
        }
}

void paintHouse(Canvas& canvas, PaintContext& context)
{
    const PlanBox house = houseBox();
    canvas.shadow(boxShape(house), 8, 10, 14, 0.45f);
    const std::vector<PlanRoom> rooms = estateRooms();
    for (const PlanRoom& room : rooms)
        if (const EstatePlace* place = findPlace(room.scene); place != nullptr && !room.hatch)
            canvas.fillShape(boxShape(room.box), floorShader(*place, room.box));
    for (const PlanRoom& room : rooms)
        if (!room.hatch)
            canvas.strokeShape(boxShape(room.box, -1.5f), 3, kInk);
    paintDoors(canvas, rooms);
    canvas.strokeShape(boxShape(house, -4), 8, rgb(0x2e1c0c));
    for (const PlanRoom& room : rooms)
    {
        const EstatePlace* place = findPlace(room.scene);
        if (place == nullptr || room.hatch)
            continue;
        const PlanRoom* hatch = nullptr;
        for (const PlanRoom& other : rooms)
            if (other.hatch && room.box.contains(other.box.left, other.box.top, 0))
                hatch = &other;
        paintRoomContents(canvas, context, *place, room.box, hatch != nullptr ? &hatch->box : nullptr);
        if (hatch != nullptr)
            if (const EstatePlace* below = findPlace(hatch->scene))
                paintHatch(canvas, *below, hatch->box, room.box);
    }
}

void paintGrounds(Canvas& canvas)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    canvas.fillShape(
        roundRect(36, 36, w - 72, h - 72, 40),
        [](float x, float y)
        {
            float n = fractalNoise(x / 70, y / 70, 11, 4);
            return rgb(0x7d9a4e, 0.30f + 0.25f * n);
        },
        20);
    // The lake, with its reeds.
    canvas.fillShape(ellipse(300, 250, 200, 110), rgb(0x5f7f6a, 0.6f), 6);
    canvas.fillShape(ellipse(300, 250, 186, 98),
                     [](float x, float y)
                     {
                         float n = fractalNoise(x / 30, y / 12, 5, 3);
                         return mix(rgb(0x6f9bb0), rgb(0x3f6a86), n);
                     });
    for (int i = 0; i < 6; ++i)
        canvas.strokeShape(ellipse(300 + float(i % 3 - 1) * 60, 226 + float(i) * 10, 40, 4), 1,
                           rgb(0xdcecf2, 0.6f));
    haloText(canvas, "The Lake", kItalicFace, 20, 300, 238, rgb(0x1f3a4e));
    // The drive from the lodge gates to the courtyard, round the carriage ring.
    const Rgba gravel = rgb(0xd9c39a);
    canvas.fillShape(capsule(820, 36, 860, 250, 14), gravel);
    canvas.fillShape(capsule(860, 250, 917, 440, 14), gravel);
    canvas.strokeShape(ellipse(880, 300, 78, 52), 22, gravel);
    canvas.fillShape(ellipse(880, 300, 40, 24), rgb(0x7d9a4e));
    canvas.fillShape(ellipse(880, 300, 14, 14), rgb(0x6f9bb0));
    canvas.strokeShape(ellipse(880, 300, 14, 14), 2, rgb(0x8a8272));
    haloText(canvas, "The Drive", kItalicFace, 16, 760, 150, kInk);
    // The orchard in rows, the woods round the edges.
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 7; ++col)
            paintTree(canvas, 1140 + float(col) * 50 + float(row % 2) * 25, 140 + float(row) * 58, 15,
                      uint32_t(row * 7 + col));
    haloText(canvas, "The Orchard", kItalicFace, 18, 1300, 380, kInk);
    paintWood(canvas, PlanBox{40, 380, 110, 1150}, 24, 101, 18);
    paintWood(canvas, PlanBox{560, 60, 760, 420}, 26, 202, 20);
    paintWood(canvas, PlanBox{40, 860, 300, 1160}, 40, 303, 22);
    paintWood(canvas, PlanBox{1000, 60, 1100, 420}, 14, 404, 18);
    paintWood(canvas, PlanBox{1500, 60, 1560, 1150}, 22, 505, 16);
    haloText(canvas, "Home Wood", kItalicFace, 18, 170, 1010, kInk);
    // The parterre below the house: hedged beds round a fountain.
    const PlanBox parterre{380, 860, 1180, 1120};
    canvas.fillShape(boxShape(parterre, 0, 10), rgb(0xd9c39a, 0.8f));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 6; ++col)
        {
            if (row == 0 && (col == 2 || col == 3))
                continue;
            PlanBox bed{parterre.left + 20 + float(col) * 130, parterre.top + 20 + float(row) * 120,
                        parterre.left + 130 + float(col) * 130, parterre.top + 120 + float(row) * 120};
            canvas.fillShape(boxShape(bed, 0, 6), rgb(0x5d7a38));
            canvas.fillShape(boxShape(bed, 10, 4), rgb(0xa0b86a));
            canvas.fillShape(ellipse((bed.left + bed.right) / 2, (bed.top + bed.bottom) / 2, 14, 14),
                             rgb(0xc0607a, 0.9f));
        }
    canvas.fillShape(ellipse(780, 930, 52, 52), rgb(0x8a8272));
    canvas.fillShape(ellipse(780, 930, 44, 44), rgb(0x6f9bb0));
    haloText(canvas, "The Parterre", kItalicFace, 18, 780, 1090, kInk);
    // The kitchen garden's beds.
    for (int bed = 0; bed < 5; ++bed)
        canvas.fillShape(roundRect(1250, 870 + float(bed) * 40, 220, 26, 4),
                         [bed](float x, float y)
                         {
                             bool sprout = std::fmod(x, 14.0f) < 6 && std::fmod(y, 13.0f) < 6;
                             return sprout ? rgb(bed % 2 ? 0x6c8a3a : 0x8aa04a) : rgb(0x7a5a3a);
                         });
    haloText(canvas, "Kitchen Garden", kItalicFace, 18, 1360, 1080, kInk);
}

void paintCompassAndTitle(Canvas& canvas)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    float cx = w - 110, cy = h - 110, r = 60;
    canvas.fillShape(ellipse(cx, cy, r * 0.75f, r * 0.75f), rgb(0xf4e8c8, 0.8f));
    canvas.strokeShape(ellipse(cx, cy, r * 0.75f, r * 0.75f), 2, kInk);
    canvas.fillShape(polygon({{cx, cy - r}, {cx + r * 0.18f, cy}, {cx, cy + r}, {cx - r * 0.18f, cy}}), kInk);
    canvas.fillShape(polygon({{cx - r, cy}, {cx, cy - r * 0.18f}, {cx + r, cy}, {cx, cy + r * 0.18f}}), kInk);
    canvas.fillShape(polygon({{cx, cy - r}, {cx + r * 0.18f, cy}, {cx, cy}}), rgb(0xb03020));
    canvas.text("N", kTitleFace, 22, cx, cy - r - 30, kInk, true);
    // The sheet's title in a scroll at the top.
    const PlanBox scroll{70, 48, 530, 118};
    canvas.shadow(boxShape(scroll, 0, 8), 3, 4, 8, 0.4f);
    canvas.fillShape(boxShape(scroll, 0, 8), paperShader(seedOf("map-title"), 1.05f));
    canvas.strokeShape(boxShape(scroll, 0, 8), 3, rgb(0x6b4a1a));
    canvas.strokeShape(boxShape(scroll, 7, 4), 1, rgb(0x6b4a1a));
    canvas.text("Halvora Manor", kTitleFace, 30, 300, 56, kInk, true);
    canvas.text("house and grounds", kItalicFace, 15, 300, 92, rgb(0x5a3a1a), true);
    canvas.strokeShape(roundRect(10, 10, w - 20, h - 20, 10), 7, rgb(0x6b4a1a));
    canvas.strokeShape(roundRect(22, 22, w - 44, h - 44, 6), 2, rgb(0x6b4a1a));
}

} // namespace

void paintEstateMap(Canvas& canvas, PaintContext& context)
{
    canvas.fill(paperShader(seedOf("map"), 1.0f));
    paintGrounds(canvas);
    paintHouse(canvas, context);
    paintCompassAndTitle(canvas);
}

void paintAreaPicture(Canvas& canvas, int area)
{
    const float w = float(canvas.width()), h = float(canvas.height());
    canvas.fill(
        [&](float x, float y)
        {
            float dx = (x - w / 2) / (w / 2), dy = (y - h / 2) / (h / 2);
            float d = std::sqrt(dx * dx * 0.8f + dy * dy * 0.9f);
            float a = std::clamp((d - 0.8f) / 0.5f, 0.0f, 1.0f);
            return Rgba{0.08f, 0.05f, 0.02f, std::pow(a, 1.4f) * 0.8f};
        });
    canvas.strokeShape(roundRect(6, 6, w - 12, h - 12, 8), 3, rgb(0xc9a24a, 0.9f));
    canvas.strokeShape(roundRect(13, 13, w - 26, h - 26, 5), 1, rgb(0xc9a24a, 0.7f));
    // The cartouche stands in the bottom right corner, where no pin of any
    // level lands and clear of the exit button in the middle.
    const PlanBox cartouche{546, 528, 784, 586};
    canvas.shadow(boxShape(cartouche, 0, 6), 3, 4, 8, 0.6f);
    for (float x : {cartouche.left + 4, cartouche.right - 4})
        canvas.fillShape(ellipse(x, (cartouche.top + cartouche.bottom) / 2, 9, 31), rgb(0xb99a62));
    canvas.fillShape(boxShape(cartouche, 0, 6), paperShader(seedOf("cartouche"), 1.05f));
    canvas.strokeShape(boxShape(cartouche, 0, 6), 2.5f, rgb(0x6b4a1a));
    canvas.strokeShape(boxShape(cartouche, 5, 3), 1, rgb(0x6b4a1a, 0.8f));
    const float centre = (cartouche.left + cartouche.right) / 2;
    canvas.text("Halvora Manor", kItalicFace, 12, centre, cartouche.top + 7, rgb(0x6b4a1a), true);
    const std::string name = areaName(area);
    int pixels = 20;
    while (pixels > 12 &&
           float(Canvas::textWidth(name, kTitleFace, pixels)) > cartouche.right - cartouche.left - 28)
        --pixels;
    canvas.text(name, kTitleFace, pixels, centre, cartouche.top + 24, kInk, true);
}

} // namespace contentgen
