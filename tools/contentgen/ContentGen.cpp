// Makes the content pack: every picture, sound and font of the resource table,
// the manifest and the property files, deterministically.
//
//   contentgen --content DIR --out DIR --fontgen PROGRAM --musicgen PROGRAM
//              [--pak FILE] [--sums FILE] [--sheet FILE]
//   contentgen --author-scenes DIR   (writes DIR/scenes/SceneN/*.xml from the room table)

#include "framework/resources/ImageLib.h"
#include "platform/ColorGlyphs.h"
#include "platform/Files.h"
#include "tools/contentgen/ContactSheet.h"
#include "tools/contentgen/EstatePlan.h"
#include "tools/contentgen/Manifest.h"
#include "tools/contentgen/Materials.h"
#include "tools/contentgen/MiniGameData.h"
#include "tools/contentgen/PackFiles.h"
#include "tools/contentgen/Painters.h"
#include "tools/contentgen/SceneAuthor.h"
#include "tools/contentgen/ScenePictures.h"
#include "tools/contentgen/SoundSynth.h"
#include "tools/contentgen/Wallpapers.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

const char* const kEmojiFont = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";
const char* const kDejaVuFolder = "/usr/share/fonts/truetype/dejavu/";
// The authored property files, copied as they are.
const char* const kPropertyFiles[] = {"Strings.xml", "SFX.xml", "Tutorial.xml", "Diary.xml"};
const char* const kMusicFiles[] = {"MainTheme.ogg",       "Gameplay_Scene1.ogg", "Gameplay_Scene2.ogg",
                                   "Gameplay_Scene3.ogg", "Gameplay_Scene4.ogg", "Gameplay_Scene5.ogg",
                                   "Gameplay_Scene6.ogg", "Intro_voiceover.ogg"};

struct Options
{
    std::string content, out, fontgen, musicgen, pak, sums, sheet;
};

bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2)
    {
        std::string arg = argv[i], value = argv[i + 1];
        if (arg == "--content")
            options.content = value;
        else if (arg == "--out")
            options.out = value;
        else if (arg == "--fontgen")
            options.fontgen = value;
        else if (arg == "--musicgen")
            options.musicgen = value;
        else if (arg == "--pak")
            options.pak = value;
        else if (arg == "--sums")
            options.sums = value;
        else if (arg == "--sheet")
            options.sheet = value;
        else
            return false;
    }
    return argc % 2 == 1 && !options.content.empty() && !options.out.empty() && !options.fontgen.empty() &&
           !options.musicgen.empty();
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "contentgen: %s\n", message.c_str());
    return 1;
}

std::vector<uint8_t> bytesOf(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string absolute(const std::string& path)
{
    return !path.empty() && path[0] == '/' ? path : platform::currentDirectory() + "/" + path;
}

// Paths come from our own table and build, but quoting keeps blanks in folder names working.
std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

bool makePicture(const contentgen::ResourceEntry& entry, contentgen::PaintContext& context,
                 contentgen::PackFiles& pack)
{
    contentgen::Canvas canvas(entry.width, entry.height);
    if (!contentgen::paint(entry, context, canvas))
        return false;
    ImageLib::Image image(entry.width, entry.height);
    std::copy(canvas.pixels(), canvas.pixels() + image.mBits.size(), image.mBits.begin());
    std::string full = pack.fullPath(entry.path);
    size_t slash = full.rfind('/');
    return platform::createDirectories(full.substr(0, slash)) && ImageLib::SavePngFile(full, image) &&
           pack.adopt(entry.path);
}

bool makeFont(const contentgen::ResourceEntry& entry, const Options& options, contentgen::PackFiles& pack)
{
    std::string out = pack.fullPath(entry.path);
    platform::createDirectories(out.substr(0, out.rfind('/')));
    std::string command = quoted(options.fontgen) + " --font " +
                          quoted(std::string(kDejaVuFolder) + entry.face) + " --pixels " +
                          std::to_string(entry.pixels) + " --out " + quoted(out) + " >/dev/null";
    return std::system(command.c_str()) == 0 && pack.adopt(entry.path + ".txt") &&
           pack.adopt(entry.path + ".png");
}

// The music tracks the game registers, composed from the intro's texts' timing.
bool makeMusic(const Options& options, contentgen::PackFiles& pack)
{
    const std::string folder = pack.fullPath("Music");
    if (!platform::createDirectories(folder))
        return false;
    const std::string command = quoted(options.musicgen) + " --strings " +
                                quoted(options.content + "/properties/Strings.xml") + " --out " +
                                quoted(folder);
    if (std::system(command.c_str()) != 0)
        return false;
    for (const char* file : kMusicFiles)
        if (!pack.adopt(std::string("Music/") + file))
            return false;
    return true;
}

int authorScenes(const std::string& contentFolder)
{
    std::unique_ptr<platform::ColorGlyphFace> emoji = platform::ColorGlyphFace::open(kEmojiFont);
    if (!emoji)
        return fail(std::string("cannot open the emoji face ") + kEmojiFont);
    contentgen::PaintContext context(std::move(emoji));
    for (const contentgen::SceneRoom& room : contentgen::sceneRooms())
    {
        std::string folder = contentFolder + "/scenes/Scene" + std::to_string(room.number);
        if (!platform::createDirectories(folder))
            return fail("cannot make " + folder);
        contentgen::SceneFiles files;
        std::string error;
        if (!contentgen::authorScene(room, context, files, error))
            return fail(error);
        for (const auto& [name, xml] :
             {std::pair{"/Scene.xml", &files.full}, {"/Scene10Items.xml", &files.tenItems}})
            if (!platform::writeFileAtomic(folder + name, xml->data(), xml->size()))
                return fail("cannot write " + folder + name);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--author-scenes")
        return authorScenes(argv[2]);
    Options options;
    if (!parseOptions(argc, argv, options))
    {
        std::fprintf(stderr,
                     "usage: contentgen --content DIR --out DIR --fontgen PROGRAM --musicgen PROGRAM\n"
                     "                  [--pak FILE] [--sums FILE] [--sheet FILE]\n");
        return 2;
    }
    options.out = absolute(options.out);
    options.content = absolute(options.content);

    std::string tablePath = options.content + "/resources.txt";
    std::optional<std::vector<uint8_t>> tableBytes = platform::readFile(tablePath, 1 << 22);
    if (!tableBytes)
        return fail("cannot read " + tablePath);
    std::string error;
    std::optional<contentgen::ResourceTable> table =
        contentgen::readResourceTable(std::string(tableBytes->begin(), tableBytes->end()), error);
    if (!table)
        return fail(error);

    std::unique_ptr<platform::ColorGlyphFace> emoji = platform::ColorGlyphFace::open(kEmojiFont);
    if (!emoji)
        return fail(std::string("cannot open the emoji face ") + kEmojiFont);
    contentgen::PaintContext context(std::move(emoji));
    contentgen::PackFiles pack(options.out);

    for (const contentgen::ResourceEntry& entry : table->entries)
    {
        bool made = false;
        switch (entry.kind)
        {
        case contentgen::ResourceKind::Image:
            made = makePicture(entry, context, pack);
            break;
        case contentgen::ResourceKind::Sound:
            made = contentgen::knownSoundStyle(entry.painter) &&
                   pack.write(entry.path,
                              contentgen::synthesiseWav(entry.painter, contentgen::seedOf(entry.id)));
            break;
        case contentgen::ResourceKind::Font:
            made = makeFont(entry, options, pack);
            break;
        }
        if (!made)
            return fail("cannot make " + entry.id + " (" + entry.path + ")");
    }

    // The window's icon is no resource of the manifest: the program reads it by its name.
    contentgen::ResourceEntry icon;
    icon.id = "WINDOW_ICON";
    icon.path = "images/icon.png";
    icon.width = icon.height = 64;
    icon.painter = "emoji";
    icon.settings = {{"cp", "1F50D"}, {"back", "portrait"}};
    if (!makePicture(icon, context, pack))
        return fail("cannot make the window icon");
    // The map's area pictures are no resources of the manifest either: the map
    // loads "level" and the area's number from its folder.
    for (int area = 1; area <= contentgen::kAreaCount; ++area)
    {
        contentgen::ResourceEntry picture;
        picture.id = "MAP_AREA_" + std::to_string(area);
        picture.path = "content/images/map/level" + std::to_string(area) + ".png";
        picture.width = 800;
        picture.height = 600;
        picture.painter = "scene";
        picture.settings = {{"theme", "area"}, {"area", std::to_string(area)}};
        if (!makePicture(picture, context, pack))
            return fail("cannot make the map's area picture " + picture.path);
    }
    // The main menu's two badges are loaded by their names too, and slide in
    // beside each other at the bottom left: each at most 104 wide.
    const struct
    {
        const char* path;
        const char* emblem;
        const char* name;
    } logos[] = {{"content/images/menu/MainMenuTrelvansLogo.png", "1F5DD", "Trelvans"},
                 {"content/images/menu/MainMenuSecondLogo.png", "1F989", "Quennivar"}};
    for (const auto& logo : logos)
    {
        contentgen::ResourceEntry picture;
        picture.id = logo.path;
        picture.path = logo.path;
        picture.width = 96;
        picture.height = 80;
        picture.painter = "logo";
        picture.settings = {{"cp", logo.emblem}, {"text", logo.name}};
        if (!makePicture(picture, context, pack))
            return fail(std::string("cannot make the menu's badge ") + logo.path);
    }
    if (!makeMusic(options, pack))
        return fail("cannot make the music");
    std::string sceneError;
    std::vector<contentgen::Canvas> sceneComposites;
    std::vector<std::vector<contentgen::NamedPicture>> findables;
    if (!contentgen::makeScenes(options.content, context, pack, sceneComposites, findables, sceneError) ||
        !contentgen::makeWallpapers(*table, context, pack, sceneComposites, sceneError))
        return fail(sceneError);

    if (!pack.write("properties/resources.xml", bytesOf(contentgen::manifestXml(*table))))
        return fail("cannot write the manifest");
    for (const char* name : kPropertyFiles)
    {
        std::optional<std::vector<uint8_t>> bytes =
            platform::readFile(options.content + "/properties/" + name, 1 << 22);
        if (!bytes || !pack.write(std::string("properties/") + name, *bytes))
            return fail(std::string("cannot copy properties/") + name);
    }

    if (!contentgen::makeMiniGameData(options.content, context, pack, error))
        return fail(error);
    if (!pack.copyFolder(options.content + "/stories", "content/stories", error))
        return fail(error);

    if (!options.sums.empty())
    {
        std::string list = pack.digestList();
        if (!platform::writeFileAtomic(absolute(options.sums), list.data(), list.size()))
            return fail("cannot write " + options.sums);
    }
    if (!options.pak.empty() && !pack.writeArchive(absolute(options.pak)))
        return fail("cannot write " + options.pak);
    if (!options.sheet.empty())
    {
        std::string sheetPath = absolute(options.sheet);
        if (!platform::changeDirectory(options.out))
            return fail("cannot enter " + options.out);
        // The objects to find beside it, as findables-sheet.png.
        const std::string findablesPath =
            sheetPath.substr(0, sheetPath.rfind('/') + 1) + "findables-sheet.png";
        for (const auto& [path, sheet] : {std::pair{sheetPath, contentgen::contactSheet(*table)},
                                          {findablesPath, contentgen::findablesSheet(findables)}})
        {
            ImageLib::Image image(sheet.width(), sheet.height());
            std::copy(sheet.pixels(), sheet.pixels() + image.mBits.size(), image.mBits.begin());
            if (!ImageLib::SavePngFile(path, image))
                return fail("cannot write " + path);
        }
    }
    return 0;
}
