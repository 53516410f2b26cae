#include "framework/resources/ImageLib.h"
#include "game/play/PlayfieldModel.h"
#include "game/play/SceneFile.h"
#include "game/play/ShownPoint.h"
#include "platform/Files.h"
#include "tools/contentcheck/PackChecks.h"

#include <map>
#include <set>

namespace contentcheck
{

namespace
{

constexpr int kScenes = 31;
constexpr int kListLength = 12;

std::string sceneFolder(int n)
{
    return "content/scenes/Scene" + std::to_string(n) + "/";
}

// Exactly as named: the archive and other file systems are case-sensitive.
bool existsExactly(const std::string& folder, const std::string& name)
{
    for (const platform::DirectoryEntry& entry : platform::listDirectory(folder))
        if (entry.name == name && !entry.isDirectory)
            return true;
    return false;
}

} // namespace

ItemMask sceneItemMask(const std::string& path)
{
    ItemMask mask;
    std::unique_ptr<ImageLib::Image> image = ImageLib::LoadImageFile(path, true);
    if (!image)
        return mask;
    mask.mWidth = image->mWidth;
    mask.mHeight = image->mHeight;
    for (size_t i = 0; i < size_t(mask.mWidth) * size_t(mask.mHeight); ++i)
        mask.mAlpha.push_back(uint8_t(image->mBits[i] >> 24));
    return mask;
}

namespace
{

void checkText(const std::string& path, Problems& problems)
{
    std::optional<std::vector<uint8_t>> bytes = platform::readFile(path, 1 << 20);
    if (!bytes)
        return;
    std::string text(bytes->begin(), bytes->end());
    if (text.find("&#") != std::string::npos)
        problems.push_back(path + ": numeric entities, which the reader does not know");
    for (uint8_t c : *bytes)
        if (c >= 128)
        {
            problems.push_back(path + ": text outside ASCII");
            break;
        }
}

void checkFile(int n, int listMode, const std::vector<SceneItemRecord>& items, const std::string& diaryName,
               Problems& problems)
{
    const std::string where = sceneFolder(n) + SceneFileName(listMode) + ": ";
    std::set<std::string> names;
    std::set<std::pair<std::string, int>> groupMembers;
    std::map<int, int> combinedGroups;
    int findables = 0, members = 0, pieces = 0, locations = 0;
    for (const SceneItemRecord& item : items)
    {
        SceneItemKind kind = SceneItemKindOf(item, listMode);
        const std::string what = where + "\"" + item.mName + "\" ";
        if (kind == SceneItemKind::None)
            problems.push_back(what + "has group ids that name no kind");
        if (item.mAlpha <= 0)
            problems.push_back(what + "has no tint (A)");
        if (!existsExactly(sceneFolder(n), SceneImageFileName(item.mImage)))
            problems.push_back(what +
                               "names a picture that is not there: " + SceneImageFileName(item.mImage));
        bool bookkept = kind == SceneItemKind::Piece || kind == SceneItemKind::Combined ||
                        kind == SceneItemKind::Hint || item.mTypeId == kTenItemsTypeId ||
                        item.mTypeId == kDiaryPageTypeId;
        if (bookkept && item.mType == 0)
            bookkept = false, problems.push_back(what + "takes part in the bookkeeping but has type 0");
        if (item.mType != 0 && !names.insert(item.mName).second && item.mTypeId != kTenItemsTypeId)
            problems.push_back(what + "is named like another item");
        if (item.mTypeId == kDiaryPageTypeId && item.mName != diaryName)
            problems.push_back(what + "is the diary page but not named \"" + diaryName + "\"");
        if (item.mType != 0 && kind == SceneItemKind::Plain && item.mMajorGroupId == kPlainGroupId &&
            item.mTypeId != kDiaryPageTypeId)
            ++findables;
        if (item.mType != 0 && item.mTypeId == kTenItemsTypeId && item.mMajorGroupId != kPlainGroupId &&
            item.mMinorGroupId == kPlainGroupId)
        {
            ++members;
            if (!groupMembers.insert({item.mName, item.mMajorGroupId}).second)
                problems.push_back(what + "repeats a (name, group) pair of the ten-items list");
        }
        if (kind == SceneItemKind::Combined)
            combinedGroups[item.mMajorGroupId] += 1;
        pieces += kind == SceneItemKind::Piece;
        locations += kind == SceneItemKind::Location;
        if (kind == SceneItemKind::Hint)
        {
            ItemMask strip = sceneItemMask(sceneFolder(n) + SceneImageFileName(item.mImage));
            if (strip.mWidth < kHintStripFrames || strip.mWidth % kHintStripFrames != 0)
                problems.push_back(what + "is a hint whose picture is no strip of 24 frames");
        }
    }
    for (const SceneItemRecord& item : items)
        if (SceneItemKindOf(item, listMode) == SceneItemKind::Piece &&
            (item.mMinorGroupId <= 0 || !combinedGroups.count(item.mMinorGroupId)))
            problems.push_back(where + "\"" + item.mName +
                               "\" is a piece without a combined item of its group");
    if (listMode == kFullListMode)
    {
        if (findables < kListLength)
            problems.push_back(where + "holds " + std::to_string(findables) +
                               " findable items, fewer than a list");
        if (pieces < 2 || combinedGroups.size() != 1 || locations < 1)
            problems.push_back(where + "lacks a usable object with two pieces or more and its place");
    }
    else if (members < 1)
        problems.push_back(where + "has no member of a ten-items group");
}

// A scripted player: every listed item clicked where it shows, the pieces
// gathered, the usable object used on its place, to the scene's end.
void solve(int n, int listMode, bool secondVisit, const std::vector<SceneItemRecord>& items,
           Problems& problems)
{
    const std::string where =
        sceneFolder(n) + SceneFileName(listMode) + (secondVisit ? " (return)" : "") + ": ";
    PlayfieldModel model;
    model.Load(items, listMode, secondVisit,
               [&](const std::string& image) { return sceneItemMask(sceneFolder(n) + image); });
    std::vector<SceneListEntry> list;
    for (const SceneItemRecord& item : items)
        if (item.mType != 0 && SceneItemKindOf(item, listMode) == SceneItemKind::Plain &&
            (listMode == kFullListMode ? item.mMajorGroupId == kPlainGroupId
                                       : item.mTypeId == kTenItemsTypeId))
            list.push_back({item.mName, item.mMajorGroupId, false});
    if (listMode == kFullListMode)
        model.BuildFullList(list);
    else
        model.BuildTenItemsList(list);

    auto clickWhereShown = [&](size_t index, bool ignoreAlpha)
    {
        // A pointer scaled from a larger window may land a pixel off.
        if (std::optional<std::pair<int32_t, int32_t>> point = ShownPointOf(model, index, ignoreAlpha, 1))
            return model.Click(point->first, point->second);
        problems.push_back(where + "\"" + model.Items()[index].mRecord.mName +
                           "\" cannot be clicked anywhere");
        return ClickOutcome::Nothing;
    };
    for (size_t i = 0; i < model.Items().size(); ++i)
        if (model.Items()[i].mWanted && clickWhereShown(i, false) != ClickOutcome::Found)
            problems.push_back(where + "\"" + model.Items()[i].mRecord.mName +
                               "\" is not found by its click");
    for (size_t i = 0; i < model.Items().size(); ++i)
    {
        const PlayfieldItem& item = model.Items()[i];
        if (item.mKind == SceneItemKind::Hint && !item.mRemoved &&
            clickWhereShown(i, false) != ClickOutcome::HintTaken)
            problems.push_back(where + "\"" + item.mRecord.mName + "\" gives no hint");
        if (item.mKind == SceneItemKind::Piece && !item.mRemoved &&
            clickWhereShown(i, false) != ClickOutcome::PieceFound)
            problems.push_back(where + "\"" + item.mRecord.mName + "\" is not taken as a piece");
    }
    if (listMode == kFullListMode && !secondVisit)
    {
        if (!model.HasHeldItem())
            problems.push_back(where + "the pieces make no usable object");
        model.ToggleHeldSelection();
        bool used = false;
        for (size_t i = 0; i < model.Items().size() && !used; ++i)
            if (model.Items()[i].mKind == SceneItemKind::Location)
                used = clickWhereShown(i, true) == ClickOutcome::MiniGameOpened;
        if (!used)
            problems.push_back(where + "the usable object opens no mini-game");
        model.SetMiniGameDone();
    }
    if (!model.IsFinished())
        problems.push_back(where + "does not reach its end");
}

} // namespace

void checkScenes(const std::string& diaryName, Problems& problems)
{
    for (int n = 1; n <= kScenes; ++n)
    {
        const std::string map = "content/images/map/";
        for (const std::string& name :
             {"Scene" + std::to_string(n) + ".jpg", "Scene" + std::to_string(n) + "o.jpg"})
            if (!existsExactly(map, name))
                problems.push_back(map + name + " is missing");
        for (int listMode : {kTenItemsListMode, kFullListMode})
        {
            const std::string path = sceneFolder(n) + SceneFileName(listMode);
            std::vector<SceneItemRecord> items;
            if (!ReadSceneFile(path, items))
            {
                problems.push_back(path + " cannot be read");
                continue;
            }
            checkText(path, problems);
            checkFile(n, listMode, items, diaryName, problems);
            solve(n, listMode, false, items, problems);
            if (listMode == kFullListMode)
                solve(n, listMode, true, items, problems);
        }
    }
}

} // namespace contentcheck
