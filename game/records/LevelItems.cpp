#include "game/records/LevelItems.h"

#include "game/records/FindByName.h"
#include "game/records/LevelMapTable.h"
#include "game/records/SaveEncoding.h"

LevelItems::LevelItems(int32_t index) : mName(LevelMapTable::LevelName(index + 1)), mIndex(index)
{
    BuildScenes();
}

void LevelItems::BuildScenes()
{
    for (const std::string& name : LevelMapTable::GetInstance()->SceneNames(mIndex))
        mScenes.emplace_back(name);
}

SceneItems* LevelItems::FindScene(const std::string& sceneName)
{
    return FindByName(mScenes, sceneName, &SceneItems::mSceneName);
}

const SceneItems* LevelItems::FindScene(const std::string& sceneName) const
{
    return FindByName(mScenes, sceneName, &SceneItems::mSceneName);
}

void LevelItems::ReplaceScene(SceneItems scene)
{
    if (SceneItems* existing = FindScene(scene.mSceneName))
        *existing = std::move(scene);
}

bool LevelItems::MatchesLevelMap() const
{
    const std::vector<std::string> names = LevelMapTable::GetInstance()->SceneNames(mIndex);
    if (names.empty() || mName != LevelMapTable::LevelName(mIndex + 1) || mScenes.size() != names.size())
        return false;
    for (size_t i = 0; i < mScenes.size(); ++i)
    {
        if (mScenes[i].mSceneName != names[i])
            return false;
    }
    return true;
}

void LevelItems::Read(Quib::Buffer& buffer)
{
    mName = save::ReadText(buffer);
    const size_t count = save::ReadCount(buffer);
    for (size_t i = 0; i < count && (i < mScenes.size() || !buffer.ReadExhausted()); ++i)
    {
        SceneItems scene;
        scene.Read(buffer);
        if (i < mScenes.size())
            mScenes[i] = std::move(scene);
    }
}

void LevelItems::Write(Quib::Buffer& buffer) const
{
    save::WriteText(buffer, mName);
    const size_t count = save::WriteCount(buffer, mScenes.size());
    for (size_t i = 0; i < count; ++i)
        mScenes[i].Write(buffer);
}
