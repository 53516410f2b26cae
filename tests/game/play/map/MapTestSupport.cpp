#include "tests/game/play/map/MapTestSupport.h"

#include "game/play/map/ScenePreviewButton.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/tutorial/Tutorial.h"
#include "game/records/LevelMapTable.h"
#include "tests/game/support/PlayStart.h"

namespace maptest
{

RecordingMakers::RecordingMakers() : mSaved(GetMapScreenMakers())
{
    MapScreenMakers& makers = GetMapScreenMakers();
    makers.mMakeScene = [this](SceneMapLink&, SandboxWidget& playfield) -> ScreenBase*
    {
        mOpened.push_back("scene " + playfield.GetSceneName() + " " + std::to_string(playfield.mListMode));
        return new StandInScreen(mOpened.back());
    };
    makers.mMakeStory = [this](const std::string& name, bool envelope) -> ScreenBase*
    {
        mOpened.push_back("story " + name + " " + (envelope ? "1" : "0"));
        return new StandInScreen(mOpened.back());
    };
    makers.mMakeLetter = [this](const std::string& key) -> ScreenBase*
    {
        mOpened.push_back("letter " + key);
        return new StandInScreen(mOpened.back());
    };
}

RecordingMakers::~RecordingMakers()
{
    GetMapScreenMakers() = mSaved;
}

bool StartWithProfile(gameharness::GameHarness& game, int32_t level)
{
    return gameharness::StartOverPlainScreen(game) && gameharness::AddFreshProfile(game, level) != nullptr;
}

bool RunUntilAtRest(gameharness::GameHarness& game, MapScreen& map)
{
    return game.RunUntil(
        [&]
        {
            if (map.IsAnimating() || map.mDimIn->IsRunning() || map.mDimOut->IsRunning())
                return false;
            for (const auto& button : map.mSceneButtons)
                if (button->IsSliding())
                    return false;
            return true;
        },
        1000);
}

MapScreen* OpenMap(gameharness::GameHarness& game)
{
    auto* map = new MapScreen();
    map->Resize(0, 0, 800, 600);
    PushGameState(map, game.App().mGameStates.get());
    game.Update();
    return RunUntilAtRest(game, *map) ? map : nullptr;
}

void CloseTop(gameharness::GameHarness& game)
{
    PopGameState(game.App().mGameStates.get());
    game.Update();
}

void ClickOn(gameharness::GameHarness& game, const Quib::Widget& widget, bool right)
{
    game.Click(widget.mX + widget.mWidth / 2, widget.mY + widget.mHeight / 2, right);
    game.Update(2);
}

bool OpenSceneByButton(gameharness::GameHarness& game, MapScreen& map, RecordingMakers& makers, size_t index)
{
    const size_t before = makers.mOpened.size();
    ClickOn(game, *map.mSceneButtons[index]);
    return game.RunUntil([&] { return makers.mOpened.size() > before; }, 100);
}

void MarkLevelDone(PlayerProfile& profile)
{
    const LevelMapEntry* entry = LevelMapTable::GetInstance()->GetLevel(profile.mLevel - 1);
    for (const SceneMarker& marker : entry->mMarkers)
    {
        SceneProgress* record = profile.mLevelProgress.FindScene(marker.SceneName());
        (marker.mRevisit ? record->mDoneSecondVisit : record->mDoneFirstVisit) = true;
        record->mMiniGameDone = true;
        for (SceneProgress::ItemEntry& item : record->mItems)
            item.mTaken = true;
    }
}

} // namespace maptest
