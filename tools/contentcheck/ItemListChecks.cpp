#include "framework/graphics/Font.h"
#include "game/play/SceneFile.h"
#include "game/play/screen/GameFrame.h"
#include "tools/contentcheck/PackChecks.h"
#include "tools/contentcheck/PackFonts.h"

#include <map>

namespace contentcheck
{

namespace
{

constexpr int kScenes = 31;

} // namespace

// The item list is a narrow strip: a name wider than it runs off the strip,
// and the ten-items title, centred, starts left of it.
void checkItemListTexts(Problems& problems)
{
    std::map<std::string, std::string> strings = readStringTable(problems);
    PackFonts fonts({"Init"});
    Quib::Font* font = fonts.Get("FONT_ITEM_LABELS");
    if (!font)
    {
        problems.push_back("the item list's font does not load: " + fonts.GetErrorMessage());
        return;
    }

    const int width = GameFrame::kListWidth;
    for (int n = 1; n <= kScenes; ++n)
    {
        const std::string scene = "Scene" + std::to_string(n);
        const std::string key = "10_ITEMS_NAME_" + scene;
        const std::string& title = strings[key];
        const int titleWidth = font->GetStringWidth(title);
        const int x = width / 2 - titleWidth / 2 - 5;
        if (title.empty() || x < 0 || x + titleWidth > width)
            problems.push_back(key + " \"" + title + "\" is " + std::to_string(titleWidth) +
                               " pixels wide, more than the item list's " + std::to_string(width - 10));

        const std::string path = "content/scenes/" + scene + "/" + SceneFileName(kFullListMode);
        std::vector<SceneItemRecord> items;
        if (!ReadSceneFile(path, items))
            continue;
        for (const SceneItemRecord& item : items)
            if (SceneItemKindOf(item, kFullListMode) == SceneItemKind::Plain && item.mType != 0 &&
                2 + font->GetStringWidth(item.mName) > width)
                problems.push_back(path + ": \"" + item.mName + "\" is wider than the item list");
    }
}

} // namespace contentcheck
