#include "tools/contentgen/SceneAuthor.h"

#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/ItemPictures.h"
#include "tools/contentgen/Materials.h"
#include "tools/contentgen/Painters.h"
#include "tools/contentgen/RoomPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
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
constexpr int kSmallest = 30;  // an object's picture, so that what shows of it stays at least 20 pixels
constexpr int kLargest = 60;
constexpr int kShortestShown = 22; // what shows of an object, at its longer side
// How much of an object may be hidden: the front layer alone, and everything
// in front of it once the clutter stands there. A few in every room are
// hidden at least kLeastHidden, so that they must be looked for.
constexpr float kMostBehind = 0.42f;
constexpr float kLeastHidden = 0.2f, kMostHidden = 0.5f;

struct Placed
{
    std::string name, image, art;
    int x = 0, y = 0, size = 0, layer = kObjectLayer;
    int major = -1, minor = -1, type = 1, typeId = 0;
    int r = 255, g = 255, b = 255;
    bool findable = false; // something the player looks for
    Canvas picture;        // as it shows in the picture (a hint's first frame)
};

// How the player sees the picture: the front layer where its pieces stand,
// and the pictures drawn so far at each size.
struct Sight
{
    const SceneRoom& room;
    PaintContext& context;
    Canvas front;
    std::vector<FrontPiece> fronts;

    uint8_t frontAlpha(int x, int y) const
    {
        for (const FrontPiece& f : fronts)
            if (x >= f.x && y >= f.y && x < f.x + f.w && y < f.y + f.h && x < front.width() &&
                y < front.height() && x >= 0 && y >= 0)
                return uint8_t(front.at(x, y) >> 24);
        return 0;
    }
};

bool opaqueAt(const Canvas& picture, int x, int y)
{
    return x >= 0 && y >= 0 && x < picture.width() && y < picture.height() && (picture.at(x, y) >> 24) >= 128;
}

// The longer side of the box round the picture's opaque pixels.
int longestShownSide(const Canvas& picture)
{
    int left = picture.width(), top = picture.height(), right = -1, bottom = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (opaqueAt(picture, x, y))
            {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    return right < 0 ? 0 : std::max(right - left + 1, bottom - top + 1);
}

// The share of the picture's opaque pixels at (x, y) that the front layer hides.
float frontCover(const Sight& sight, const Canvas& picture, int x, int y)
{
    int opaque = 0, covered = 0;
    for (int py = 0; py < picture.height(); ++py)
        for (int px = 0; px < picture.width(); ++px)
            if (opaqueAt(picture, px, py))
            {
                ++opaque;
                covered += sight.frontAlpha(x + px, y + py) >= 128;
            }
    return opaque ? float(covered) / float(opaque) : 0.0f;
}

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

    using PictureMaker = std::function<Canvas(int size)>;

    // Places an object of about `size` pixels; false when no place is left.
    // A large object stands on the floor; an exact one keeps its size. With a
    // picture maker, the front layer hides at most kMostBehind of the picture.
    bool place(Placed& p, int size, bool large = false, bool exact = false, const PictureMaker& make = {},
               const Sight* sight = nullptr)
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
            if (s < (exact ? 22 : kSmallest))
                continue;
            float cx = spot.x0 + (spot.x1 - spot.x0) * mRandom.unit();
            Box box{int(cx) - s / 2, int(spot.y + spot.sink * float(s)) - s, s, s};
            if (!fits(box, spot, large))
                continue;
            Canvas picture;
            if (make && sight)
            {
                picture = make(s);
                if (longestShownSide(picture) < kShortestShown ||
                    (spot.layer < kFrontLayer && frontCover(*sight, picture, box.x, box.y) > kMostBehind))
                    continue;
            }
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
            p.picture = std::move(picture);
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

bool boxesMeet(const Placed& a, const Placed& b)
{
    return a.x < b.x + b.picture.width() && b.x < a.x + a.picture.width() && a.y < b.y + b.picture.height() &&
           b.y < a.y + a.picture.height();
}

// The items of one scene file in the order the playfield draws them: by
// layer, and in file order within a layer.
std::vector<const Placed*> drawingOrder(const std::vector<const Placed*>& file)
{
    std::vector<const Placed*> order = file;
    std::stable_sort(order.begin(), order.end(),
                     [](const Placed* a, const Placed* b) { return a->layer < b->layer; });
    return order;
}

// The share of the opaque pixels of order[index] that the items drawn after
// it hide.
float hidden(const std::vector<const Placed*>& order, size_t index)
{
    const Placed& f = *order[index];
    std::vector<const Placed*> above;
    for (size_t j = index + 1; j < order.size(); ++j)
    {
        const Placed& q = *order[j];
        if (q.x < f.x + f.picture.width() && f.x < q.x + q.picture.width() &&
            q.y < f.y + f.picture.height() && f.y < q.y + q.picture.height())
            above.push_back(&q);
    }
    int opaque = 0, covered = 0;
    for (int py = 0; py < f.picture.height(); ++py)
        for (int px = 0; px < f.picture.width(); ++px)
            if (opaqueAt(f.picture, px, py))
            {
                ++opaque;
                int x = f.x + px, y = f.y + py;
                covered +=
                    std::any_of(above.begin(), above.end(),
                                [&](const Placed* q) { return opaqueAt(q->picture, x - q->x, y - q->y); });
            }
    return opaque ? float(covered) / float(opaque) : 0.0f;
}

// Whether order[index] shows a spot where a click surely reaches it: a
// block of its opaque pixels a pixel around a centre, for a pointer a pixel
// off, where no item drawn after it has a pixel that is not fully
// transparent even a pixel further, for the lossy alpha pictures.
bool clickable(const std::vector<const Placed*>& order, size_t index)
{
    constexpr int kClickMargin = 1, kClearMargin = 2;
    constexpr uint32_t kSolid = 192; // opaque still after the alpha picture's loss
    const Placed& f = *order[index];
    const int w = f.picture.width(), h = f.picture.height();
    std::vector<const Placed*> above;
    for (size_t j = index + 1; j < order.size(); ++j)
        if (order[j]->x < f.x + w && f.x < order[j]->x + order[j]->picture.width() && order[j]->y < f.y + h &&
            f.y < order[j]->y + order[j]->picture.height())
            above.push_back(order[j]);
    // The lossy alpha picture may leave faint pixels anywhere in an 8 x 8
    // block that holds a visible one, and the playfield hits any pixel that
    // is not fully transparent: such a block counts as covered whole.
    auto blockShows = [](const Placed& q, int qx, int qy)
    {
        const int left = qx / 8 * 8, top = qy / 8 * 8;
        for (int y = top; y < std::min(top + 8, q.picture.height()); ++y)
            for (int x = left; x < std::min(left + 8, q.picture.width()); ++x)
                if ((q.picture.at(x, y) >> 24) != 0)
                    return true;
        return false;
    };
    auto covered = [&](int px, int py)
    {
        return std::any_of(above.begin(), above.end(),
                           [&](const Placed* q)
                           {
                               int qx = f.x + px - q->x, qy = f.y + py - q->y;
                               return qx >= 0 && qy >= 0 && qx < q->picture.width() &&
                                      qy < q->picture.height() && blockShows(*q, qx, qy);
                           });
    };
    for (int cy = kClickMargin; cy < h - kClickMargin; ++cy)
        for (int cx = kClickMargin; cx < w - kClickMargin; ++cx)
        {
            bool all = true;
            for (int dy = -kClickMargin; dy <= kClickMargin && all; ++dy)
                for (int dx = -kClickMargin; dx <= kClickMargin && all; ++dx)
                    all = (f.picture.at(cx + dx, cy + dy) >> 24) >= kSolid;
            for (int dy = -kClearMargin; dy <= kClearMargin && all; ++dy)
                for (int dx = -kClearMargin; dx <= kClearMargin && all; ++dx)
                    all = !covered(cx + dx, cy + dy);
            if (all)
                return true;
        }
    return false;
}

// Whether every findable of a file meeting the box of `near` (of all, when
// null) can be clicked.
bool allClickable(const std::vector<const Placed*>& file, const Placed* near)
{
    std::vector<const Placed*> order = drawingOrder(file);
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i]->findable && (near == nullptr || boxesMeet(*order[i], *near)) && !clickable(order, i))
            return false;
    return true;
}

// The findables of a file with the share of each that is hidden.
std::vector<std::pair<const Placed*, float>> hiddenShares(const std::vector<const Placed*>& file)
{
    std::vector<const Placed*> order = drawingOrder(file);
    std::vector<std::pair<const Placed*, float>> shares;
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i]->findable)
            shares.push_back({order[i], hidden(order, i)});
    return shares;
}

std::string turnText(float turn)
{
    return turn == 0 ? std::string() : " " + std::to_string(int(turn));
}

} // namespace

bool authorScene(const SceneRoom& room, PaintContext& context, SceneFiles& files, std::string& error)
{
    if (!distinctPictures(room, error))
        return false;
    const RoomLayout layout = layoutRoom(room);
    Sight sight{room, context, Canvas(800, 600), layout.fronts};
    {
        Canvas back(800, 600);
        paintRoomLayers(room, context, back, sight.front);
    }
    Placer placer(room, layout);
    Random random(uint32_t(room.number) * 40503u + 17u);
    auto fail = [&](const std::string& what)
    {
        error = "Scene" + std::to_string(room.number) + ": " + what;
        return false;
    };
    auto emojiMaker = [&](char32_t cp, float turn)
    { return [&context, cp, turn](int size) { return emojiPicture(context, cp, size, turn); }; };

    // The usable object's place first: it needs the most room.
    Placed location = object(room.location, room.location.name, slug(room.location.name) + ".png");
    location.major = location.minor = kLocationGroup;
    bool placed = false;
    for (int size = room.location.size; size >= 50 && !placed; size -= 6)
        placed = placer.place(location, size, true);
    if (!placed)
        return fail("no place for " + room.location.name);
    location.art += " " + std::to_string(location.size);
    location.layer = kObjectLayer - 1;
    location.picture = emojiPicture(context, room.location.emoji, location.size);

    std::vector<Placed> extras;
    const Canvas whole = emojiPicture(context, room.combined.emoji, kCombinedSize);
    for (int k = 1; k <= room.pieces; ++k)
    {
        Placed p = object(room.combined, room.combined.name + " part " + std::to_string(k),
                          "piece" + std::to_string(k) + ".png");
        p.minor = kCombinedGroup;
        p.findable = true;
        p.art = "piece " + hex(room.combined.emoji) + " " + std::to_string(kCombinedSize) + " " +
                std::to_string(k) + " " + std::to_string(room.pieces);
        const Canvas piece = cutPiece(whole, k, room.pieces, seedOf(p.image) + uint32_t(room.number));
        // A piece is a part of the whole picture, so it is hidden at that size.
        if (!placer.place(
                p, kCombinedSize, false, true, [&](int) { return piece; }, &sight))
            return fail("no place for " + p.name);
        extras.push_back(p);
    }
    const Canvas hintFrame = hintStrip(kHintSize).crop(0, 0, kHintSize, kHintSize);
    for (int k = 1; k <= 2; ++k)
    {
        Placed p;
        p.name = "Hint " + std::to_string(k);
        p.image = "hint.png";
        p.art = "hint " + std::to_string(kHintSize);
        p.major = p.minor = kHintGroup;
        if (!placer.place(p, kHintSize, false, true))
            return fail("no place for " + p.name);
        p.layer = kHintLayer;
        p.r = p.g = p.b = 255;
        p.picture = hintFrame;
        extras.push_back(p);
    }
    if (room.number == 1)
    {
        Placed diary = object(RoomObject{kDiaryPageName, 0x1F4C3, 40}, kDiaryPageName, "diary_page.png");
        diary.typeId = 789;
        diary.findable = true;
        if (!placer.place(diary, 40, false, false, emojiMaker(0x1F4C3, 0), &sight))
            return fail(std::string("no place for ") + kDiaryPageName);
        diary.art += " " + std::to_string(diary.size);
        extras.push_back(diary);
    }
    std::vector<Placed> group;
    const int groupSize = std::max(room.group.size, 34);
    for (int k = 1; k <= 10; ++k)
    {
        Placed p = object(room.group, room.group.name + " " + std::to_string(k),
                          "group" + std::to_string(k) + ".png");
        p.major = kTenItemsGroup;
        p.typeId = 777;
        p.findable = true;
        if (!placer.place(p, groupSize, false, false, emojiMaker(room.group.emoji, 0), &sight))
            return fail("no place for " + p.name);
        p.art += " " + std::to_string(p.size);
        group.push_back(p);
    }

    // The objects of the list at sizes of their own, one in three turned.
    std::vector<Placed> objects;
    for (const RoomObject& o : room.objects)
    {
        Placed p = object(o, o.name, slug(o.name) + ".png");
        p.findable = true;
        const float turn = random.next() % 3 == 0
                               ? (10.0f + 20.0f * random.unit()) * (random.next() % 2 ? 1.0f : -1.0f)
                               : 0.0f;
        const int size =
            std::clamp(int(float(o.size) * (0.75f + 0.7f * random.unit())), kSmallest + 4, kLargest);
        auto make = emojiMaker(o.emoji, int(turn));
        bool placed = false;
        for (int s = size; s >= kSmallest && !placed; s -= 5)
            placed = placer.place(p, s, false, false, make, &sight);
        if (!placed)
            placer.openFloor();
        for (int s = size; s >= kSmallest && !placed; s -= 5)
            placed = placer.place(p, s, false, false, make, &sight);
        if (!placed)
            return fail("no place for " + o.name);
        p.art += " " + std::to_string(p.size) + turnText(float(int(turn)));
        objects.push_back(p);
    }

    Placed background;
    background.name = "Background";
    background.image = "background.png";
    background.art = "room";
    background.layer = kBackgroundLayer;
    background.type = 0;
    std::vector<Placed> fronts;
    for (const FrontPiece& f : layout.fronts)
    {
        Placed p;
        p.name = "Front " + std::to_string(fronts.size() + 1);
        p.image = "front" + std::to_string(fronts.size() + 1) + ".png";
        p.art = "front " + std::to_string(f.x) + " " + std::to_string(f.y) + " " + std::to_string(f.w) + " " +
                std::to_string(f.h);
        p.x = f.x;
        p.y = f.y;
        p.layer = kFrontLayer;
        p.type = 0;
        p.picture = sight.front.crop(f.x, f.y, f.w, f.h);
        fronts.push_back(p);
    }
    // Nearer things come later, so that they are drawn over those behind them.
    auto byDepth = [](std::vector<const Placed*> list)
    {
        std::stable_sort(list.begin(), list.end(),
                         [](const Placed* a, const Placed* b) { return a->y + a->size < b->y + b->size; });
        return list;
    };
    std::vector<const Placed*> fullItems{&location}, tenItems{&location};
    for (const Placed& p : objects)
        fullItems.push_back(&p), tenItems.push_back(&p);
    for (const Placed& p : extras)
        fullItems.push_back(&p);
    for (const Placed& p : group)
        tenItems.push_back(&p);
    fullItems = byDepth(fullItems);
    tenItems = byDepth(tenItems);
    auto file = [&](const std::vector<const Placed*>& items, const std::vector<Placed>& covers)
    {
        std::vector<const Placed*> all;
        for (const Placed& f : fronts)
            all.push_back(&f);
        all.insert(all.end(), items.begin(), items.end());
        for (const Placed& c : covers)
            all.push_back(&c);
        return all;
    };

    // Clutter in front of some objects of the list, until a good share of
    // the full visit's objects shows only in part; no object, in either
    // visit, is hidden beyond kMostHidden.
    std::vector<Placed> covers;
    covers.reserve(room.objects.size() + 4);
    const std::vector<char32_t> clutter = clutterPictures(room);
    auto inBand = [](float share) { return share >= kLeastHidden && share <= kMostHidden; };
    auto countHidden = [&]
    {
        int n = 0;
        for (const auto& [p, share] : hiddenShares(file(fullItems, covers)))
            n += inBand(share);
        return n;
    };
    auto nothingTooHidden = [&]
    {
        for (const auto* items : {&fullItems, &tenItems})
            for (const auto& [p, share] : hiddenShares(file(*items, covers)))
                if (share > kMostHidden + 0.05f)
                    return false;
        return true;
    };
    // An object that shows no spot to click, thin as it is or hidden by its
    // neighbours, is placed again upright and a little larger.
    for (int round = 0; round < 6; ++round)
    {
        std::set<const Placed*> stuck;
        for (const auto* items : {&fullItems, &tenItems})
        {
            std::vector<const Placed*> order = drawingOrder(file(*items, covers));
            for (size_t i = 0; i < order.size(); ++i)
                if (order[i]->findable && !clickable(order, i))
                    stuck.insert(order[i]);
        }
        if (stuck.empty())
            break;
        for (Placed& p : objects)
            if (stuck.count(&p))
            {
                const RoomObject& o = room.objects[size_t(&p - objects.data())];
                const int size = std::clamp(int(float(o.size) * 1.2f) + round * 4, kSmallest + 6, kLargest);
                placer.openFloor();
                if (!placer.place(p, size, false, false, emojiMaker(o.emoji, 0), &sight))
                    return fail("no place for " + o.name);
                p.art = "emoji " + hex(o.emoji) + " " + std::to_string(p.size);
            }
        fullItems = byDepth(fullItems);
        tenItems = byDepth(tenItems);
    }
    if (!nothingTooHidden())
        return fail("an object is hidden too much before any clutter stands in front of it");
    for (const auto* items : {&fullItems, &tenItems})
    {
        std::vector<const Placed*> order = drawingOrder(file(*items, covers));
        for (size_t i = 0; i < order.size(); ++i)
            if (order[i]->findable && !clickable(order, i))
                return fail(order[i]->name + " shows no spot to click");
    }
    int findables = 0;
    for (const Placed* p : fullItems)
        findables += p->findable;
    const int wanted = (findables * 9 + 19) / 20;
    std::vector<size_t> order(objects.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    for (size_t i = order.size(); i > 1; --i)
        std::swap(order[i - 1], order[random.next() % i]);
    int hiddenNow = countHidden();
    for (size_t i : order)
    {
        if (hiddenNow >= wanted || clutter.empty())
            break;
        const Placed& target = objects[i];
        if (target.layer != kObjectLayer || frontCover(sight, target.picture, target.x, target.y) > 0.05f)
            continue;
        for (int attempt = 0; attempt < 40; ++attempt)
        {
            Placed c;
            c.name = "Clutter " + std::to_string(covers.size() + 1);
            c.image = "clutter" + std::to_string(covers.size() + 1) + ".png";
            c.type = 0;
            c.layer = kCoverLayer;
            const char32_t cp = clutter[random.next() % clutter.size()];
            const int size = std::clamp(int(float(target.size) * (0.55f + 0.35f * random.unit())), 22, 48);
            const float side = random.next() % 2 ? 1.0f : -1.0f;
            c.x = target.x + target.size / 2 +
                  int(side * float(target.size) * (0.1f + 0.5f * random.unit())) - size / 2;
            c.y = target.y + target.size + 2 + int(random.next() % 6) - size;
            c.size = size;
            if (c.x < kLeftEdge || c.x + size > 798 || c.y < 0 || c.y + size > 598)
                continue;
            c.picture = emojiPicture(context, cp, size);
            if (boxesMeet(c, location))
                continue;
            c.art = "emoji " + hex(cp) + " " + std::to_string(size);
            tint(c, room.light);
            covers.push_back(c);
            bool fits = true;
            for (const auto* items : {&fullItems, &tenItems})
                for (const auto& [p, share] : hiddenShares(file(*items, covers)))
                    if (boxesMeet(*p, c) && (share > kMostHidden || (p == &target && !inBand(share))))
                        fits = false;
            fits =
                fits && allClickable(file(fullItems, covers), &c) && allClickable(file(tenItems, covers), &c);
            if (fits)
            {
                hiddenNow = countHidden();
                break;
            }
            covers.pop_back();
        }
    }
    if (hiddenNow * 3 < findables)
        return fail("too few objects stand partly hidden");

    auto write = [&](const std::vector<const Placed*>& items, bool withCombined)
    {
        std::string xml = "<Scene>\n  <Screen Width=\"800\" Height=\"600\" />\n" + item(background);
        for (const Placed* p : file(items, covers))
            xml += item(*p);
        if (withCombined)
        {
            Placed combined = object(room.combined, room.combined.name, "combined.png");
            combined.major = kCombinedGroup;
            combined.x = kCombinedX;
            combined.y = kCombinedY;
            combined.art += " " + std::to_string(kCombinedSize);
            xml += item(combined);
        }
        return xml + "</Scene>\n";
    };
    files.full = write(fullItems, true);
    files.tenItems = write(tenItems, false);
    return true;
}

} // namespace contentgen
