#pragma once

#include "framework/foundation/Color.h"
#include "game/play/StoryScript.h"
#include "game/shell/ActionListener.h"
#include "game/shell/ScreenBase.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Quib
{
class Graphics;
class Image;
class WidgetManager;
} // namespace Quib

class Action;
class ActionDelay;
class ActionSequence;
class GameStateStack;
class MenuItem;

// A portrait on the story screen, in summon order.
struct StoryCharacter
{
    int32_t mX = 0;
    int32_t mY = 0;
    // Not owned; a character without one shows as a green square.
    Quib::Image* mPicture = nullptr;
    bool mMirrored = false;
};

// Plays one story script: portraits appear and move, speech bubbles fade in
// and out, pictures show, sounds play, the screen fades to and from black, and
// the player clicks OK where the script waits. Blocks run one per update as
// their conditions allow; the screen pops itself once the last has run and
// nothing moves any more. A block that names a picture, sound or text the
// game does not have is reported and skipped.
//
//   auto* story = new StoryDialog("Scene4", false);
//   story->Resize(0, 0, 800, 600);
//   PushGameState(story, stack);
class StoryDialog : public ScreenBase, public ActionListener
{
public:
    static constexpr int32_t kOkButtonId = 500;
    static constexpr int32_t kOverlayPriority = 6;
    static constexpr int32_t kFadeMs = 2000;

    // The id of a bubble's fade-out, whose end takes the bubble away.
    static constexpr int kTextOutActionId = 3;

    // Loads the group "StoryDialog" and reads the script of that name; an
    // envelope rises from the bottom as decoration when asked for.
    StoryDialog(const std::string& scriptName, bool withEnvelope);
    ~StoryDialog() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    // The screen itself takes no clicks; only its OK button does.
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnEntered(GameStateStack* stack) override;
    void OnActionFinished(int id) override;

    void LoadScript(const std::string& name);
    void OnOkClicked();
    // True while the script waits for OK (the button is up).
    bool IsWaitingForOk() const { return !mReady; }

    int32_t SummonCharacter(int32_t x, int32_t y, Quib::Image* picture, bool mirrored);
    void MoveCharacter(int32_t index, int32_t x, int32_t y, int32_t durationMs);
    void ShowText(const StoryBlock& block);
    void HideText(int32_t durationMs);
    void StartWait(int32_t durationMs);
    void MakeFade(bool fromBlack);
    void DrawBubble(Quib::Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t alpha);

    // Moves point into their characters while more are summoned: a deque
    // keeps every character where it is when it grows.
    std::deque<StoryCharacter> mCharacters;
    std::vector<std::unique_ptr<Action>> mRunning;
    std::unique_ptr<ActionDelay> mWaitDelay;
    std::unique_ptr<ActionSequence> mFade;
    std::unique_ptr<ActionSequence> mEnvelopeSlide;
    std::vector<StoryBlock> mBlocks;
    uint32_t mNextBlock = 0;
    bool mFinished = false;
    Quib::Color mFadeColor{0, 0, 0, 0};
    int32_t mTextX = 0;
    int32_t mTextY = 0;
    int32_t mTextWidth = 0;
    int32_t mTextHeight = 0;
    // The bubble's own copy of its text; none while no bubble shows.
    std::optional<std::string> mShownText;
    int32_t mTextAlpha = 255;
    int32_t mTextArrow = STORY_ARROW_NONE;
    std::string mText = "text placeholder";
    bool mReady = true;
    int32_t mOkX = 0;
    int32_t mOkY = 0;
    bool mWithEnvelope;
    int32_t mEnvelopeX = 0;
    int32_t mEnvelopeY = 600;
    std::unique_ptr<MenuItem> mOkButton;
    Quib::Image* mPicture = nullptr;
    int32_t mPictureX = 0;
    int32_t mPictureY = 0;
    bool mTheEnd = false;

    // Why blocks were skipped, one line each, as they were reported.
    std::vector<std::string> mProblems;
    // The group failed to load: the screen has nothing to show and leaves.
    bool mLoadFailed = false;
    std::string mScriptName;

private:
    void RunBlock(const StoryBlock& block);
    void ShowOkButton();
    void HideOkButton();
    void Report(const std::string& problem);
    void Leave();
    Quib::Image* PictureNamed(const std::string& name);

    Quib::WidgetManager* mManager = nullptr;
    GameStateStack* mStack = nullptr;
    bool mOkShown = false;
    bool mEnvelopeStarted = false;
};
