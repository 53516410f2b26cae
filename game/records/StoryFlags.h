#pragma once

#include "framework/foundation/Buffer.h"

#include <string>
#include <vector>

// Which scene stories and cutscenes this profile has seen.
struct StoryFlags
{
    struct SceneStory
    {
        std::string mName;
        bool mShownFirstVisit = false;
        bool mShownSecondVisit = false;
        bool operator==(const SceneStory&) const = default;
    };

    struct Cutscene
    {
        std::string mName;
        bool mShown = false;
        bool operator==(const Cutscene&) const = default;
    };

    static constexpr int kSceneCount = 31;
    static constexpr int kCutsceneCount = 15;

    std::vector<SceneStory> mSceneStories;
    std::vector<Cutscene> mCutscenes;

    StoryFlags();

    // Names compare exactly; an unknown name reads false and marks nothing.
    bool IsSceneStoryShown(const std::string& name, bool secondVisit) const;
    void MarkSceneStoryShown(const std::string& name, bool secondVisit);
    bool IsCutsceneShown(const std::string& name) const;
    void MarkCutsceneShown(const std::string& name);

    // Every entry of the file is read whole; its flags are stored into the
    // entry at its position only when the names match.
    void Read(Quib::Buffer& buffer);
    void Write(Quib::Buffer& buffer) const;

    bool operator==(const StoryFlags&) const = default;
};
