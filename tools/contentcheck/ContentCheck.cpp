// Checks a made content pack the way the game will read it.
//
//   contentcheck --pack DIR --content DIR

#include "platform/Files.h"
#include "tools/contentcheck/PackChecks.h"

#include <cstdio>
#include <string>

namespace
{

std::string readText(const std::string& path, contentcheck::Problems& problems)
{
    std::optional<std::vector<uint8_t>> bytes = platform::readFile(path, 1 << 22);
    if (!bytes)
    {
        problems.push_back("cannot read " + path);
        return std::string();
    }
    return std::string(bytes->begin(), bytes->end());
}

} // namespace

int main(int argc, char** argv)
{
    std::string pack, content;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        std::string arg = argv[i];
        if (arg == "--pack")
            pack = argv[i + 1];
        else if (arg == "--content")
            content = argv[i + 1];
    }
    if (pack.empty() || content.empty() || argc != 5)
    {
        std::fprintf(stderr, "usage: contentcheck --pack DIR --content DIR\n");
        return 2;
    }

    contentcheck::Problems problems;
    std::string error;
    std::optional<contentgen::ResourceTable> table =
        contentgen::readResourceTable(readText(content + "/resources.txt", problems), error);
    std::string keyList = readText(content + "/property-keys.txt", problems);
    if (!table)
        problems.push_back(error);
    else if (!platform::changeDirectory(pack))
        problems.push_back("cannot enter " + pack);
    else
    {
        contentcheck::checkNumbering(*table, problems);
        contentcheck::checkResources(*table, problems);
        contentcheck::checkProperties(keyList, problems);
        contentcheck::checkMiniGames(problems);
        contentcheck::checkWallpapers(problems);
        std::string diaryName;
        for (const auto& [key, text] :
             contentcheck::readPropertyFile("properties/Strings.xml", "value", problems))
            if (key == "ITEM_NAME_DIARY")
                diaryName = text;
        contentcheck::checkScenes(diaryName, problems);
        contentcheck::checkSceneFigures(problems);
        contentcheck::checkStories(*table, problems);
        contentcheck::checkTutorialTexts(*table, problems);
        contentcheck::checkItemListTexts(problems);
        contentcheck::checkMapCaptions(*table, problems);
        contentcheck::checkEstateMap(*table, problems);
    }

    for (const std::string& problem : problems)
        std::fprintf(stderr, "contentcheck: %s\n", problem.c_str());
    if (!problems.empty())
        return 1;
    std::printf("contentcheck: %zu resources in %zu groups, the property files, the scenes and the stories "
                "are as the "
                "game reads them\n",
                table->entries.size(), table->groups.size());
    return 0;
}
