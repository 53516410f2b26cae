#include "game/play/screen/SceneSession.h"

#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

PlayerProfile* CurrentProfile()
{
    return gSharkInterface != nullptr ? gSharkInterface->GetCurrentProfile() : nullptr;
}

void PlaySceneSound(int32_t soundId)
{
    if (gSharkInterface != nullptr)
        gSharkInterface->PlaySoundEffect(soundId);
}

std::string SceneText(const std::string& key)
{
    return StringTable::GetInstance().Lookup(key);
}
