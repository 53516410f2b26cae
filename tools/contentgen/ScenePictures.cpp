#include "tools/contentgen/ScenePictures.h"

#include "framework/resources/ImageLib.h"
#include "framework/resources/XMLItem.h"
#include "framework/resources/XMLParser.h"
#include "framework/resources/XMLStartTags.h"
#include "platform/Files.h"
#include "tools/contentgen/ItemPictures.h"
#include "tools/contentgen/Materials.h"
#include "tools/contentgen/PackFiles.h"
#include "tools/contentgen/Painters.h"
#include "tools/contentgen/RoomPainter.h"
#include "tools/contentgen/SceneAuthor.h"
#include "tools/contentgen/SceneRooms.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

namespace contentgen
{

namespace
{

constexpr int kMapWidth = 150, kMapHeight = 112;
const char* const kSceneFiles[] = {"Scene.xml", "Scene10Items.xml"};

struct SceneItem
{
    std::string name, image, art;
    int x = 0, y = 0, layer = 0, type = 0, major = 0, typeId = 0;

    // What the player looks for: the list's objects, the pieces of the usable
    // object and the first of the ten-items group.
    bool findable() const { return type != 0 && (major == -1 || (typeId == 777 && image == "group1.png")); }
};

bool readItems(const std::string& path, std::vector<SceneItem>& items, std::string& error)
{
    Quib::XMLParser parser;
    if (!parser.OpenDocument(path))
    {
        error = "cannot open " + path;
        return false;
    }
    Quib::XMLItem entry;
    while (Quib::ReadStartTag(parser, entry))
    {
        if (entry.mValue != "Item")
            continue;
        SceneItem item;
        item.name = entry.mAttributes["name"];
        item.image = entry.mAttributes["image"];
        item.type = std::atoi(entry.mAttributes["type"].c_str());
        item.major = std::atoi(entry.mAttributes["majorGroupID"].c_str());
        item.typeId = std::atoi(entry.mAttributes["typeId"].c_str());
        item.art = entry.mAttributes["art"];
        item.x = std::atoi(entry.mAttributes["x"].c_str());
        item.y = std::atoi(entry.mAttributes["y"].c_str());
        item.layer = std::atoi(entry.mAttributes["layer"].c_str());
        items.push_back(item);
    }
    if (parser.HasFailed())
    {
        error = path + ": " + parser.GetErrorMessage();
        return false;
    }
    return true;
}

// Transparent pixels take the colour of their opaque neighbours, so that the
// lossy colour picture does not darken the edges the alpha picture keeps.
Canvas bled(const Canvas& picture)
{
    const int w = picture.width(), h = picture.height();
    Canvas out = picture;
    uint32_t* p = out.pixels();
    std::vector<bool> known(size_t(w) * size_t(h));
    for (size_t i = 0; i < known.size(); ++i)
        known[i] = (p[i] >> 24) >= 128;
    for (int pass = 0; pass < 6; ++pass)
    {
        std::vector<bool> next = known;
        std::vector<uint32_t> colours(p, p + known.size());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
            {
                if (known[size_t(y * w + x)])
                    continue;
                int r = 0, g = 0, b = 0, n = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                    {
                        int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h || !known[size_t(ny * w + nx)])
                            continue;
                        uint32_t q = p[ny * w + nx];
                        r += int((q >> 16) & 255);
                        g += int((q >> 8) & 255);
                        b += int(q & 255);
                        ++n;
                    }
                if (n == 0)
                    continue;
                colours[size_t(y * w + x)] =
                    0xFF000000u | uint32_t(r / n) << 16 | uint32_t(g / n) << 8 | uint32_t(b / n);
                next[size_t(y * w + x)] = true;
            }
        std::copy(colours.begin(), colours.end(), p);
        known = next;
    }
    return out;
}

bool saveJpeg(const Canvas& canvas, const std::string& path, bool alphaPicture)
{
    ImageLib::Image image(canvas.width(), canvas.height());
    for (size_t i = 0; i < size_t(canvas.width()) * size_t(canvas.height()); ++i)
    {
        uint32_t p = canvas.pixels()[i];
        uint32_t a = p >> 24;
        image.mBits[i] = alphaPicture ? 0xFF000000u | a << 16 | a << 8 | a : 0xFF000000u | (p & 0xFFFFFF);
    }
    return ImageLib::SaveJpegFile(path, image);
}

class SceneMaker
{
public:
    SceneMaker(const SceneRoom& room, PaintContext& context) : mRoom(room), mContext(context) {}

    bool picture(const SceneItem& item, Canvas& out, std::string& error)
    {
        std::istringstream words(item.art);
        std::string kind;
        words >> kind;
        if (kind == "room" || kind == "front")
        {
            paintRoom();
            if (kind == "room")
            {
                out = mBack;
                return true;
            }
            int x = 0, y = 0, w = 0, h = 0;
            words >> x >> y >> w >> h;
            out = mFront.crop(x, y, w, h);
            return w > 0 && h > 0;
        }
        out = artPicture(mContext, item.art, seedOf(item.image) + uint32_t(mRoom.number), error);
        return out.width() > 0;
    }

private:
    void paintRoom()
    {
        if (mBack.width() != 0)
            return;
        mBack = Canvas(800, 600);
        mFront = Canvas(800, 600);
        paintRoomLayers(mRoom, mContext, mBack, mFront);
    }

    const SceneRoom& mRoom;
    PaintContext& mContext;
    Canvas mBack, mFront;
};

bool writePicture(PackFiles& pack, const std::string& path, const Canvas& canvas, bool withAlpha)
{
    std::string full = pack.fullPath(path);
    if (!platform::createDirectories(full.substr(0, full.rfind('/'))) ||
        !saveJpeg(withAlpha ? bled(canvas) : canvas, full, false) || !pack.adopt(path))
        return false;
    if (!withAlpha)
        return true;
    size_t slash = path.rfind('/');
    std::string alphaPath = path.substr(0, slash + 1) + "_" + path.substr(slash + 1);
    return saveJpeg(canvas, pack.fullPath(alphaPath), true) && pack.adopt(alphaPath);
}

std::string jpegName(std::string image)
{
    size_t dot = image.find(".png");
    if (dot != std::string::npos)
        image.replace(dot, 4, ".jpg");
    return image;
}

// The map's preview of a scene: the full picture, small, in a gilt frame;
// the hover picture is lit up.
bool writeMapPictures(PackFiles& pack, int number, const Canvas& composite)
{
    for (int hover = 0; hover < 2; ++hover)
    {
        Canvas preview(kMapWidth, kMapHeight);
        preview.fill(rgb(0x000000));
        preview.draw(composite, 0, 0, kMapWidth, kMapHeight);
        if (hover)
            preview.fill(
                [&, copy = preview](float x, float y)
                {
                    uint32_t p = copy.at(int(x), int(y));
                    auto up = [&](int shift)
                    { return std::min(1.0f, float((p >> shift) & 255) / 255 * 1.25f + 0.04f); };
                    return Rgba{up(16), up(8), up(0), 1};
                });
        preview.strokeShape(roundRect(0, 0, kMapWidth, kMapHeight, 3), hover ? 5.0f : 4.0f,
                            hover ? rgb(0xffe08a) : rgb(0xb08838));
        std::string path = "content/images/map/Scene" + std::to_string(number) + (hover ? "o" : "") + ".jpg";
        if (!writePicture(pack, path, preview, false))
            return false;
    }
    return true;
}

} // namespace

bool makeScenes(const std::string& contentFolder, PaintContext& context, PackFiles& pack,
                std::vector<Canvas>& composites, std::vector<std::vector<NamedPicture>>& findables,
                std::string& error)
{
    for (const SceneRoom& room : sceneRooms())
    {
        const std::string folder = "scenes/Scene" + std::to_string(room.number) + "/";
        SceneMaker maker(room, context);
        std::map<std::string, Canvas> made;
        std::vector<SceneItem> fullVisit;
        std::vector<NamedPicture>& shown = findables.emplace_back();
        for (const char* file : kSceneFiles)
        {
            std::string source = contentFolder + "/" + folder + file;
            std::optional<std::vector<uint8_t>> bytes = platform::readFile(source, 1 << 20);
            std::vector<SceneItem> items;
            if (!bytes || !pack.write("content/" + folder + file, *bytes) || !readItems(source, items, error))
            {
                error = error.empty() ? "cannot copy " + source : error;
                return false;
            }
            for (const SceneItem& item : items)
            {
                if (made.count(item.image))
                    continue;
                Canvas canvas;
                if (!maker.picture(item, canvas, error))
                {
                    error = source + ": " + item.image + ": " + error;
                    return false;
                }
                if (!writePicture(pack, "content/" + folder + jpegName(item.image), canvas,
                                  item.art != "room"))
                {
                    error = "cannot write " + folder + item.image;
                    return false;
                }
                if (item.findable())
                    shown.push_back({item.name, canvas});
                made.emplace(item.image, std::move(canvas));
            }
            if (std::string(file) == "Scene.xml")
                fullVisit = items;
        }
        std::stable_sort(fullVisit.begin(), fullVisit.end(),
                         [](const SceneItem& a, const SceneItem& b) { return a.layer < b.layer; });
        Canvas composite(800, 600);
        for (const SceneItem& item : fullVisit)
            if (item.x >= 124 || item.art == "room")
                if (item.art.rfind("hint", 0) != 0)
                    composite.draw(made[item.image], item.x, item.y);
        if (!writeMapPictures(pack, room.number, composite))
        {
            error = "cannot write the map pictures of Scene" + std::to_string(room.number);
            return false;
        }
        composites.push_back(std::move(composite));
    }
    return true;
}

} // namespace contentgen
