#include "tools/contentgen/SceneAuthor.h"

#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/RoomPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace contentgen
{

namespace
{

// Where the usable object's silhouette sits on the screen: the bottom of the
// heads-up strip, below the twelfth line of the item list.
constexpr int kCombinedSize = 52;
constexpr int kCombinedX = 62 - kCombinedSize / 2;
constexpr int kCombinedY = 570 - kCombinedSize / 2;
constexpr int kHintSize = 40;
constexpr int kLeftEdge = 132; // the heads-up strip covers the picture left of this

struct Placed
{
    std::string name, image, art;
    int x = 0, y = 0, size = 0, layer = kObjectLayer;
    int major = -1, minor = -1, type = 1, typeId = 0;
    int r = 255, g = 255, b = 255;
};

class Random
{
public:
    explicit Random(uint32_t seed) : mState(seed) {}
    uint32_t next()
    {
        mState = mState * 1664525u + 1013904223u;
        return mState >> 8;
    }
    float unit() { return float(next() % 10000) / 10000.0f; }

private:
    uint32_t mState;
};

struct Box
{
    int x, y, w, h;
};

int overlap(const Box& a, const Box& b)
{
    int w = std::min(a.x + a.w, b.x + b.w) - std::max(a.x, b.x);
    int h = std::min(a.y + a.h, b.y + b.h) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

std::string slug(const std::string& name)
{
    std::string out;
    for (char c : name)
        out += c == ' ' ? '_' : char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string hex(char32_t cp)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", unsigned(cp));
    return text;
}

// The room's light where an object stands, as its tint.
void tint(Placed& p, uint32_t light)
{
    Rgba colour = rgb(light);
    float dx = (float(p.x) + float(p.size) / 2 - 400) / 800,
          dy = (float(p.y) + float(p.size) / 2 - 300) / 600;
    float level =
        std::clamp(1.02f - 0.6f * (dx * dx + dy * dy) - (p.layer == kBehindLayer ? 0.08f : 0.0f), 0.6f, 1.0f);
    auto channel = [&](float t) { return int(std::lround(255 * level * (0.6f + 0.4f * t))); };
    p.r = channel(colour.r);
    p.g = channel(colour.g);
    p.b = channel(colour.b);
}

class Placer
{
public:
    Placer(const SceneRoom& room, const RoomLayout& layout)
        : mRoom(room), mLayout(layout), mRandom(uint32_t(room.number) * 2654435761u)
    {
        // The clock of timed play covers the top right corner.
        mTaken.push_back({680, 0, 120, 110});
    }

    // Places an object of about `size` pixels; false when no place is left.
    // A large object stands on the floor; an exact one keeps its size.
    bool place(Placed& p, int size, bool large = false, bool exact = false)
    {
        for (int attempt = 0; attempt < 900; ++attempt)
        {
            const RoomSpot& spot = pick(large);
            int s = int(float(size) * (0.88f + 0.22f * mRandom.unit()));
            s = std::min(s, int(spot.maxHeight));
            if (large || exact)
                s = size;
            if (exact && spot.maxHeight < float(size) * 0.75f)
                continue;
            if (s < 22)
                continue;
            float cx = spot.x0 + (spot.x1 - spot.x0) * mRandom.unit();
            Box box{int(cx) - s / 2, int(spot.y + spot.sink * float(s)) - s, s, s};
            if (!fits(box, spot, large))
                continue;
            if (onFloor(spot) && !large)
            {
                if (mFloorUses >= mFloorCap && attempt < 300)
                    continue;
                ++mFloorUses;
            }
            mTaken.push_back(box);
            p.x = box.x;
            p.y = box.y;
            p.size = s;
            p.layer = spot.layer;
            tint(p, mRoom.light);
            return true;
        }
        return false;
    }

private:
    // Only a few things lie about on the open floor; the rest is on and behind the furniture.
    bool onFloor(const RoomSpot& spot) const
    {
        return spot.sink == 0 && spot.layer == kObjectLayer && spot.y > mRoom.floorLine && spot.x0 == 150;
    }

    const RoomSpot& pick(bool large)
    {
        const std::vector<RoomSpot>& spots = mLayout.spots;
        if (large)
        {
            // The place of the usable object stands on the floor.
            std::vector<const RoomSpot*> floor;
            for (const RoomSpot& s : spots)
                if (s.y > mRoom.floorLine + 30 && s.sink == 0 && s.layer == kObjectLayer)
                    floor.push_back(&s);
            return *floor[mRandom.next() % floor.size()];
        }
        return spots[mRandom.next() % spots.size()];
    }

    bool fits(const Box& box, const RoomSpot& spot, bool large) const
    {
        if (box.x < kLeftEdge || box.y < 4 || box.x + box.w > 796 || box.y + box.h > 596)
            return false;
        for (const Box& taken : mTaken)
            if (overlap(box, taken) * 100 > std::min(box.w * box.h, taken.w * taken.h) * (large ? 0 : 25))
                return false;
        // Objects behind a front piece show at least half of themselves; others
        // stay clear of the front layer unless they lie on it.
        int covered = 0;
        for (const FrontPiece& f : mLayout.fronts)
            covered += overlap(box, {f.x, f.y, f.w, f.h});
        int limit = spot.layer == kBehindLayer ? 55 : spot.layer == kOnFrontLayer ? 100 : (large ? 0 : 40);
        if (covered * 100 > box.w * box.h * limit)
            return false;
        if (spot.layer == kOnFrontLayer)
            return true;
        if (spot.sink == 0 && spot.y > mRoom.floorLine)
            for (const FrontPiece& s : mLayout.solids)
                if (overlap(box, {s.x, s.y, s.w, s.h}) > 0 && box.y + box.h < s.y + s.h)
                    return false;
        return true;
    }

    const SceneRoom& mRoom;
    const RoomLayout& mLayout;
    Random mRandom;
    std::vector<Box> mTaken;
    int mFloorUses = 0;
    int mFloorCap = 4;

public:
    // When the furniture is full, the floor takes the rest.
    void openFloor() { mFloorCap = 1000; }
};

std::string item(const Placed& p)
{
    char text[512];
    std::snprintf(
        text, sizeof text,
        "  <Item name=\"%s\" image=\"%s\" layer=\"%d\" majorGroupID=\"%d\" minorGroupID=\"%d\" x=\"%d\" "
        "y=\"%d\" angle=\"0\" R=\"%d\" G=\"%d\" B=\"%d\" A=\"255\" type=\"%d\" typeId=\"%d\" art=\"%s\" />\n",
        p.name.c_str(), p.image.c_str(), p.layer, p.major, p.minor, p.x, p.y, p.r, p.g, p.b, p.type, p.typeId,
        p.art.c_str());
    return text;
}

Placed object(const RoomObject& o, const std::string& name, const std::string& image)
{
    Placed p;
    p.name = name;
    p.image = image;
    p.art = "emoji " + hex(o.emoji);
    return p;
}

bool distinctPictures(const SceneRoom& room, std::string& error)
{
    std::set<char32_t> seen;
    std::set<std::string> names;
    for (const RoomObject& o : room.objects)
        if (!seen.insert(o.emoji).second || !names.insert(o.name).second)
        {
            error = "Scene" + std::to_string(room.number) + ": " + o.name +
                    " looks like or is named like another object";
            return false;
        }
    for (const RoomObject* o : {&room.group, &room.combined, &room.location})
        if (seen.count(o->emoji))
        {
            error = "Scene" + std::to_string(room.number) + ": " + o->name + " looks like one of the objects";
            return false;
        }
    return true;
}

} // namespace

std::string authorScene(const SceneRoom& room, bool tenItems, std::string& error)
{
    if (!distinctPictures(room, error))
        return std::string();
    const RoomLayout layout = layoutRoom(room);
    Placer placer(room, layout);
    std::vector<Placed> items;
    auto fail = [&](const std::string& what)
    {
        error = "Scene" + std::to_string(room.number) + ": no place for " + what;
        return std::string();
    };

    // The usable object's place first: it needs the most room.
    Placed location = object(room.location, room.location.name, slug(room.location.name) + ".png");
    location.major = location.minor = kLocationGroup;
    bool placed = false;
    for (int size = room.location.size; size >= 50 && !placed; size -= 6)
        placed = placer.place(location, size, true);
    if (!placed)
        return fail(room.location.name);
    location.art += " " + std::to_string(location.size);
    location.layer = kObjectLayer - 1;
    items.push_back(location);

    std::vector<Placed> extras;
    for (int k = 1; k <= room.pieces; ++k)
    {
        Placed p = object(room.combined, room.combined.name + " part " + std::to_string(k),
                          "piece" + std::to_string(k) + ".png");
        p.minor = kCombinedGroup;
        p.art = "piece " + hex(room.combined.emoji) + " " + std::to_string(kCombinedSize) + " " +
                std::to_string(k) + " " + std::to_string(room.pieces);
        // A piece is a part of the whole picture, so it is hidden at that size.
        if (!placer.place(p, kCombinedSize, false, true))
            return fail(p.name);
        extras.push_back(p);
    }
    for (int k = 1; k <= 2; ++k)
    {
        Placed p;
        p.name = "Hint " + std::to_string(k);
        p.image = "hint.png";
        p.art = "hint " + std::to_string(kHintSize);
        p.major = p.minor = kHintGroup;
        if (!placer.place(p, kHintSize, false, true))
            return fail(p.name);
        p.layer = kHintLayer;
        p.r = p.g = p.b = 255;
        extras.push_back(p);
    }
    if (room.number == 1)
    {
        Placed diary = object(RoomObject{kDiaryPageName, 0x1F4C3, 40}, kDiaryPageName, "diary_page.png");
        diary.typeId = 789;
        if (!placer.place(diary, 40))
            return fail(kDiaryPageName);
        diary.art += " " + std::to_string(diary.size);
        extras.push_back(diary);
    }
    std::vector<Placed> group;
    for (int k = 1; k <= 10; ++k)
    {
        Placed p = object(room.group, room.group.name + " " + std::to_string(k),
                          "group" + std::to_string(k) + ".png");
        p.major = kTenItemsGroup;
        p.typeId = 777;
        if (!placer.place(p, room.group.size))
            return fail(p.name);
        p.art += " " + std::to_string(p.size);
        group.push_back(p);
    }

    std::vector<Placed> objects;
    for (const RoomObject& o : room.objects)
    {
        Placed p = object(o, o.name, slug(o.name) + ".png");
        bool placed = false;
        for (int size = o.size; size >= 20 && !placed; size -= 5)
            placed = placer.place(p, size);
        if (!placed)
            placer.openFloor();
        for (int size = o.size; size >= 20 && !placed; size -= 5)
            placed = placer.place(p, size);
        if (!placed)
            return fail(o.name);
        p.art += " " + std::to_string(p.size);
        objects.push_back(p);
    }
    std::string xml = "<Scene>\n  <Screen Width=\"800\" Height=\"600\" />\n";
    Placed background;
    background.name = "Background";
    background.image = "background.png";
    background.art = "room";
    background.layer = kBackgroundLayer;
    background.type = 0;
    xml += item(background);
    int n = 0;
    for (const FrontPiece& f : layout.fronts)
    {
        Placed p;
        p.name = "Front " + std::to_string(++n);
        p.image = "front" + std::to_string(n) + ".png";
        p.art = "front " + std::to_string(f.x) + " " + std::to_string(f.y) + " " + std::to_string(f.w) + " " +
                std::to_string(f.h);
        p.x = f.x;
        p.y = f.y;
        p.layer = kFrontLayer;
        p.type = 0;
        xml += item(p);
    }
    // Nearer things come later, so that they are drawn over those behind them.
    std::vector<Placed> all = items;
    all.insert(all.end(), objects.begin(), objects.end());
    if (tenItems)
        all.insert(all.end(), group.begin(), group.end());
    else
        all.insert(all.end(), extras.begin(), extras.end());
    std::stable_sort(all.begin(), all.end(),
                     [](const Placed& a, const Placed& b) { return a.y + a.size < b.y + b.size; });
    for (const Placed& p : all)
        xml += item(p);
    if (!tenItems)
    {
        Placed combined = object(room.combined, room.combined.name, "combined.png");
        combined.major = kCombinedGroup;
        combined.x = kCombinedX;
        combined.y = kCombinedY;
        combined.art += " " + std::to_string(kCombinedSize);
        xml += item(combined);
    }
    return xml + "</Scene>\n";
}

} // namespace contentgen
