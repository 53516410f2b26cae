#include "game/records/LevelItemTable.h"

#include "game/records/FindByName.h"
#include "game/records/LevelMapTable.h"
#include "game/records/SaveEncoding.h"

LevelItemTable::LevelItemTable()
{
    const int count = LevelMapTable::GetInstance()->GetLevelCount();
    for (int index = 0; index < count; ++index)
        mLevels.emplace_back(index);
}

LevelItems* LevelItemTable::FindLevel(const std::string& levelName)
{
    return FindByName(mLevels, levelName, &LevelItems::mName);
}

const LevelItems* LevelItemTable::FindLevel(const std::string& levelName) const
{
    return FindByName(mLevels, levelName, &LevelItems::mName);
}

void LevelItemTable::Read(Quib::Buffer& buffer)
{
    const size_t count = save::ReadCount(buffer);
    for (size_t i = 0; i < count && (i < mLevels.size() || !buffer.ReadExhausted()); ++i)
    {
        LevelItems surplus;
        (i < mLevels.size() ? mLevels[i] : surplus).Read(buffer);
    }
}

void LevelItemTable::Write(Quib::Buffer& buffer) const
{
    const size_t count = save::WriteCount(buffer, mLevels.size());
    for (size_t i = 0; i < count; ++i)
        mLevels[i].Write(buffer);
}

void LevelItemTable::LoadSceneFiles(const std::string& contentRoot)
{
    for (LevelItems& level : mLevels)
    {
        for (SceneItems& scene : level.mScenes)
        {
            const std::string name = scene.mSceneName;
            scene.LoadFromXml(name, SceneItems::kPlainItems, contentRoot);
            scene.LoadFromXml(name, SceneItems::kTenItemsGroup, contentRoot);
        }
    }
}
