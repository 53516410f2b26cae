#include "game/play/map/MapScreenMakers.h"

#include "game/play/map/MapScene.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/story/StoryDialog.h"
#include "game/play/story/StoryEnvelope.h"
#include "game/shell/SharkInterface.h"

namespace
{

// The visit's list as the profile's record holds it: the group's names on the
// ten-items visit, the drawn names otherwise.
std::vector<SceneListEntry> RecordedList(const MapScene& scene)
{
    std::vector<SceneListEntry> list;
    const SceneProgress* record =
        scene.FindRecord(gSharkInterface != nullptr ? gSharkInterface->GetCurrentProfile() : nullptr);
    if (record == nullptr)
        return list;
    if (scene.mListMode == kTenItemsListMode)
        for (const SceneProgress::NamedEntry& entry : record->mGroupItems)
            list.push_back({entry.mName, entry.mGroupId, entry.mTaken});
    else
        for (const SceneProgress::ItemEntry& entry : record->mItems)
            list.push_back({entry.mName, kPlainGroupId, entry.mTaken});
    return list;
}

MapScreenMakers MakeDefaultMakers()
{
    MapScreenMakers makers;
    makers.mMakeScene = [](MapScreen&, MapScene& scene) -> ScreenBase*
    {
        const PlayerProfile* profile =
            gSharkInterface != nullptr ? gSharkInterface->GetCurrentProfile() : nullptr;
        return new GameFrame(scene.mSceneName, scene.mListMode, RecordedList(scene),
                             profile != nullptr && profile->mTimedPlay);
    };
    makers.mMakeStory = [](const std::string& name, bool withEnvelope) -> ScreenBase*
    { return new StoryDialog(name, withEnvelope); };
    makers.mMakeLetter = [](const std::string& textKey) -> ScreenBase* { return new StoryEnvelope(textKey); };
    return makers;
}

} // namespace

MapScreenMakers& GetMapScreenMakers()
{
    static MapScreenMakers makers = MakeDefaultMakers();
    makers.mMakeStory = [](const std::string& name, bool withEnvelope) -> ScreenBase*
    { return new StoryDialog(name, withEnvelope); };
    makers.mMakeLetter = [](const std::string& textKey) -> ScreenBase* { return new StoryEnvelope(textKey); };
    return makers;
}
