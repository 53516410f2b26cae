#include "game/play/map/MapScreenMakers.h"

#include "game/play/screen/GameFrame.h"
#include "game/play/story/StoryDialog.h"
#include "game/play/story/StoryEnvelope.h"
#include "game/shell/SharkInterface.h"

namespace
{

MapScreenMakers MakeDefaultMakers()
{
    MapScreenMakers makers;
    makers.mMakeScene = [](SceneMapLink& map, SandboxWidget& playfield) -> ScreenBase*
    {
        const PlayerProfile* profile =
            gSharkInterface != nullptr ? gSharkInterface->GetCurrentProfile() : nullptr;
        auto* frame = new GameFrame(profile != nullptr && profile->mTimedPlay);
        frame->LinkPlayfield(&playfield);
        frame->mMapScreen = &map;
        return frame;
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
    return makers;
}
