#include "game/records/StoryFlags.h"

#include "game/records/FindByName.h"
#include "game/records/SaveEncoding.h"

namespace
{

template <typename Entry>
Entry* EntryNamedAt(std::vector<Entry>& entries, size_t index, const std::string& name)
{
    return index < entries.size() && entries[index].mName == name ? &entries[index] : nullptr;
}

} // namespace

StoryFlags::StoryFlags()
{
    for (int scene = 1; scene <= kSceneCount; ++scene)
        mSceneStories.push_back({"Scene" + std::to_string(scene), false, false});
    // The last scene has no story of its own.
    mSceneStories.back().mShownFirstVisit = true;
    mSceneStories.back().mShownSecondVisit = true;

    for (const char* name : {"Cutscene0_1", "Cutscene0_2", "Cutscene0_3"})
        mCutscenes.push_back({name, false});
    for (int number = 1; number <= 10; ++number)
        mCutscenes.push_back({"Cutscene" + std::to_string(number), false});
    for (const char* name : {"Cutscene19_1", "Cutscene19_2"})
        mCutscenes.push_back({name, false});
}

bool StoryFlags::IsSceneStoryShown(const std::string& name, bool secondVisit) const
{
    const SceneStory* story = FindByName(mSceneStories, name, &SceneStory::mName);
    if (story == nullptr)
        return false;
    return secondVisit ? story->mShownSecondVisit : story->mShownFirstVisit;
}

void StoryFlags::MarkSceneStoryShown(const std::string& name, bool secondVisit)
{
    if (SceneStory* story = FindByName(mSceneStories, name, &SceneStory::mName))
        (secondVisit ? story->mShownSecondVisit : story->mShownFirstVisit) = true;
}

bool StoryFlags::IsCutsceneShown(const std::string& name) const
{
    const Cutscene* cutscene = FindByName(mCutscenes, name, &Cutscene::mName);
    return cutscene != nullptr && cutscene->mShown;
}

void StoryFlags::MarkCutsceneShown(const std::string& name)
{
    if (Cutscene* cutscene = FindByName(mCutscenes, name, &Cutscene::mName))
        cutscene->mShown = true;
}

void StoryFlags::Read(Quib::Buffer& buffer)
{
    const size_t sceneCount = save::ReadCount(buffer);
    for (size_t i = 0; i < sceneCount && (i < mSceneStories.size() || !buffer.ReadExhausted()); ++i)
    {
        const std::string name = save::ReadText(buffer);
        const bool first = save::ReadFlag(buffer);
        const bool second = save::ReadFlag(buffer);
        if (SceneStory* story = EntryNamedAt(mSceneStories, i, name))
        {
            story->mShownFirstVisit = first;
            story->mShownSecondVisit = second;
        }
    }
    const size_t cutsceneCount = save::ReadCount(buffer);
    for (size_t i = 0; i < cutsceneCount && (i < mCutscenes.size() || !buffer.ReadExhausted()); ++i)
    {
        const std::string name = save::ReadText(buffer);
        const bool shown = save::ReadFlag(buffer);
        if (Cutscene* cutscene = EntryNamedAt(mCutscenes, i, name))
            cutscene->mShown = shown;
    }
}

void StoryFlags::Write(Quib::Buffer& buffer) const
{
    const size_t sceneCount = save::WriteCount(buffer, mSceneStories.size());
    for (size_t i = 0; i < sceneCount; ++i)
    {
        save::WriteText(buffer, mSceneStories[i].mName);
        save::WriteFlag(buffer, mSceneStories[i].mShownFirstVisit);
        save::WriteFlag(buffer, mSceneStories[i].mShownSecondVisit);
    }
    const size_t cutsceneCount = save::WriteCount(buffer, mCutscenes.size());
    for (size_t i = 0; i < cutsceneCount; ++i)
    {
        save::WriteText(buffer, mCutscenes[i].mName);
        save::WriteFlag(buffer, mCutscenes[i].mShown);
    }
}
