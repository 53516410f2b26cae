#pragma once

#include "game/shell/SoundEffectHost.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/PackVariant.h"

#include <memory>
#include <string>
#include <vector>

class StoryDialog;
class StoryEnvelope;

namespace storytest
{

// The game started on a copy of the pack that holds the fixture scripts
// (content/stories/NAME.xml), with its resources loaded and the intro showing.
class StoryGame
{
public:
    explicit StoryGame(const std::vector<std::pair<std::string, std::string>>& scripts = {});

    gameharness::GameHarness& Game() { return *mGame; }
    gameharness::PackVariant& Pack() { return mPack; }
    // Pushes a story or a letter sized to the screen and runs one update.
    StoryDialog* OpenStory(const std::string& name, bool withEnvelope = false);
    StoryEnvelope* OpenLetter(const std::string& textKey);
    // Clicks in the middle of a widget's rectangle.
    void ClickMiddle(int x, int y, int width, int height);

private:
    gameharness::PackVariant mPack;
    std::unique_ptr<gameharness::GameHarness> mGame;
};

// Waits for the exit question the failed load leads to, says yes, and
// expects the program to end.
void AnswerExitQuestionYes(StoryGame& story);

// Blocks of a fixture script wrapped in its document.
std::string Script(const std::string& blocks);

// Records the one-shot sounds while it lives.
class RecordedSounds : public SoundEffectHost
{
public:
    RecordedSounds();
    ~RecordedSounds() override;
    void PlaySoundEffect(int32_t soundId) override { mPlayed.push_back(soundId); }

    std::vector<int32_t> mPlayed;

private:
    SoundEffectHost* mPrevious;
};

} // namespace storytest
