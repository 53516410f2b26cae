#include "game/play/tutorial/TutorialRequest.h"

#include "game/play/tutorial/Tutorial.h"
#include "game/records/PlayerProfile.h"
#include "game/shell/GameStateStack.h"

#include <array>

namespace
{

constexpr std::array<const char*, TutorialFlags::kCount> kKeys = {
    "TUT_MAP_MESSAGE",           "TUT_SCENE_FIRST10",  "TUT_HINTS_1",
    "TUT_SCENE_NORMAL_1",        "TUT_HINTS_2",        "TUT_SCENE_ITEMS_FINISHED1",
    "TUT_SCENE_ITEMS_FINISHED2", "TUT_SCENE_NORMAL_2", "TUT_SCENE_ACTION_ITEM_1",
    "TUT_SCENE_ACTION_ITEM_2",   "TUT_HINTS_3",        "TUT_DIARY_FOUND",
};

} // namespace

std::string TutorialKey(int n)
{
    return n >= 0 && n < int(kKeys.size()) ? kKeys[size_t(n)] : std::string();
}

bool ShowTutorialOnce(PlayerProfile* profile, int n, int32_t xOffset, GameStateStack* stack)
{
    if (profile == nullptr || profile->mLevel != 1 || profile->mTutorialFlags.IsSet(n))
        return false;
    profile->mTutorialFlags.Set(n);
    const std::string key = TutorialKey(n);
    if (!key.empty())
        PushGameState(new Tutorial(xOffset, key), stack);
    return true;
}
