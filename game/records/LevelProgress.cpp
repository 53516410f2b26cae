#include "game/records/LevelProgress.h"

#include "game/records/FindByName.h"
#include "game/records/LevelMapTable.h"
#include "game/records/SaveEncoding.h"

void LevelProgress::BuildScenes()
{
    for (const std::string& name : LevelMapTable::GetInstance()->SceneNames(mLevelIndex))
        mScenes.emplace_back(name);
}

SceneProgress* LevelProgress::FindScene(const std::string& sceneName)
{
    return FindByName(mScenes, sceneName, &SceneProgress::mSceneName);
}

void LevelProgress::ReplaceScene(SceneProgress scene)
{
    if (SceneProgress* existing = FindScene(scene.mSceneName))
        *existing = std::move(scene);
}

SceneProgress* LevelProgress::GetScene(int index)
{
    if (index < 0 || index >= GetSceneCount())
        return nullptr;
    return &mScenes[size_t(index)];
}

void LevelProgress::Read(Quib::Buffer& buffer)
{
    const size_t count = save::ReadCount(buffer);
    for (size_t i = 0; i < count && (i < mScenes.size() || !buffer.ReadExhausted()); ++i)
    {
        SceneProgress scene;
        scene.Load(buffer);
        if (i < mScenes.size())
            mScenes[i] = std::move(scene);
    }
}

void LevelProgress::Write(Quib::Buffer& buffer) const
{
    const size_t count = save::WriteCount(buffer, mScenes.size());
    for (size_t i = 0; i < count; ++i)
        mScenes[i].Write(buffer);
}
