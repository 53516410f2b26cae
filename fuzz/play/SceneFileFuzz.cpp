// A scene file read and played as data: every item made, listed and clicked.
#include "fuzz/resources/FuzzScratchFolder.h"
#include "game/play/PlayfieldModel.h"
#include "game/play/SceneFile.h"
#include "platform/Files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFolder folder("scenefile");
    static const std::string document = folder.File("Scene.xml");
    if (!platform::writeFile(document, data, size))
        return 0;
    std::vector<SceneItemRecord> items;
    if (!ReadSceneFile(document, items))
        return 0;
    // Pictures sized from their names, so that hit tests meet odd sizes.
    auto masks = [](const std::string& file)
    {
        ItemMask mask;
        mask.mWidth = int32_t(file.size() % 50);
        mask.mHeight = int32_t(file.size() % 7);
        mask.mAlpha.assign(size_t(mask.mWidth * mask.mHeight), uint8_t(file.size() & 1));
        return mask;
    };
    for (int32_t listMode : {kTenItemsListMode, kFullListMode})
    {
        PlayfieldModel model;
        model.Load(items, listMode, listMode == kFullListMode && size % 2, masks);
        std::vector<SceneListEntry> list;
        for (const SceneItemRecord& item : items)
            list.push_back({item.mName, item.mMajorGroupId, false});
        listMode == kTenItemsListMode ? model.BuildTenItemsList(list) : model.BuildFullList(list);
        for (size_t i = 0; i < model.Items().size(); ++i)
        {
            const PlayfieldItem& item = model.Items()[i];
            model.Click(item.mX + 1, item.mY + 1);
            if (model.HasHeldItem() && !model.IsHeldSelected())
                model.ToggleHeldSelection();
            if (model.ItemsLeft() < 0 || model.PiecesLeft() < 0)
                __builtin_trap();
        }
    }
    return 0;
}
