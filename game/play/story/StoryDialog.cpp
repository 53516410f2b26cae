#include "game/play/story/StoryDialog.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/DebugPrintf.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/ActionDelay.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MenuItem.h"
#include "game/shell/ParalelAction.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/ResourceGroupLoad.h"
#include "game/shell/Resources.h"
#include "game/shell/Setter.h"
#include "game/shell/SoundEffectHost.h"
#include "game/shell/StringTable.h"

#include <algorithm>

namespace
{

constexpr int32_t kScreenHeight = 600;
constexpr int32_t kEnvelopeRiseMs = 400;
constexpr int32_t kEnvelopeClearance = 100;
constexpr int kFadeToBlackId = 0;
constexpr int kFadeFromBlackId = 1;
constexpr int kMoveId = 1;
constexpr int kTextInId = 2;

std::unique_ptr<Action> Tween(int32_t* target, int32_t delta, int32_t durationMs)
{
    return std::make_unique<RelIncrementator<int32_t>>(ActionTimer(durationMs), target, delta);
}

// Sets the value at once, then moves it by the delta over the duration.
std::unique_ptr<ActionSequence> SetThenTween(int32_t* target, int32_t start, int32_t delta,
                                             int32_t durationMs)
{
    auto sequence = std::make_unique<ActionSequence>();
    sequence->Append(std::make_unique<Setter<int32_t>>(target, start));
    sequence->Append(Tween(target, delta, durationMs));
    return sequence;
}

} // namespace

StoryDialog::StoryDialog(const std::string& scriptName, bool withEnvelope)
    : mWithEnvelope(withEnvelope), mScriptName(scriptName)
{
    if (!LoadResourceGroup("StoryDialog", &FetchGroupStoryDialog))
    {
        mLoadFailed = true;
        return;
    }
    mEnvelopeX = 400 - IMAGE_ENVELOPE_DOWN1->GetWidth() / 2;
    mEnvelopeY = kScreenHeight;
    mEnvelopeSlide = std::make_unique<ActionSequence>();
    mEnvelopeSlide->Append(
        Tween(&mEnvelopeY, -(IMAGE_ENVELOPE_DOWN1->GetHeight() + kEnvelopeClearance), kEnvelopeRiseMs));
    LoadScript(scriptName);

    MenuItemLook layout;
    layout.label = "OK";
    layout.labelX = 1;
    layout.labelY = 18;
    layout.hoverPicture = IMAGE_BUTTON_STORY_SMALL_OVER2;
    mOkButton = CreateMenuItem(layout, IMAGE_BUTTON_STORY_SMALL_NORMAL2);
    mOkButton->mFont = FONT_ITEM_LABELS;
    mOkButton->mId = kOkButtonId;
    // Over the bubble, which is itself drawn in the overlay pass.
    mOkButton->mOverlayPriority = kOverlayPriority + 1;
    mOkButton->mOnClick = [this] { OnOkClicked(); };
}

StoryDialog::~StoryDialog()
{
    if (!mLoadFailed)
        Quib::gApp->mResourceManager->UnloadGroup("StoryDialog");
}

void StoryDialog::LoadScript(const std::string& name)
{
    StoryScript script = ReadStoryScript(StoryScriptPath(name));
    mBlocks = std::move(script.mBlocks);
    for (const std::string& problem : script.mProblems)
        Report(problem);
}

void StoryDialog::Report(const std::string& problem)
{
    mProblems.push_back(problem);
    Quib::DebugPrintf("Story \"%s\": %s\n", mScriptName.c_str(), problem.c_str());
}

void StoryDialog::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    ScreenBase::OnEntered(stack);
}

void StoryDialog::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    mManager = manager;
    // Attached again after being covered, the envelope stays where it rose to.
    if (mWithEnvelope && mEnvelopeSlide && !mEnvelopeStarted)
    {
        mEnvelopeStarted = true;
        mEnvelopeSlide->Start(nullptr, 0);
    }
    // A script waiting for OK when something covered it still needs its button.
    if (mOkShown)
        manager->AddChild(mOkButton.get());
}

void StoryDialog::OnDetached(Quib::WidgetManager* manager)
{
    if (mOkButton)
        manager->RemoveChild(mOkButton.get());
    ScreenBase::OnDetached(manager);
}

void StoryDialog::OnMouseButtonDown(int, int, int, int) {}

void StoryDialog::OnOkClicked()
{
    if (mReady)
        return;
    mReady = true;
    HideOkButton();
}

void StoryDialog::ShowOkButton()
{
    mOkShown = true;
    if (mManager != nullptr)
        mManager->AddChild(mOkButton.get());
}

void StoryDialog::HideOkButton()
{
    mOkShown = false;
    if (mManager != nullptr)
        mManager->RemoveChild(mOkButton.get());
}

void StoryDialog::OnActionFinished(int id)
{
    if (id == kTextOutActionId)
        mShownText.reset();
}

void StoryDialog::Leave()
{
    mFinished = true;
    if (mStack != nullptr && mStack->Top() == this)
        PopGameState(mStack);
}

void StoryDialog::UpdateFraction(float)
{
    if (mFinished)
        return;
    if (mLoadFailed)
    {
        Leave();
        return;
    }
    if (mEnvelopeSlide->IsRunning())
        mEnvelopeSlide->Update();
    for (const std::unique_ptr<Action>& action : mRunning)
        if (action->IsRunning())
            action->Update();
    std::erase_if(mRunning, [](const std::unique_ptr<Action>& action) { return !action->IsRunning(); });
    const bool idle = mRunning.empty();
    if (mFade && mFade->IsRunning())
    {
        mFade->Update();
        return;
    }
    if (mNextBlock < mBlocks.size())
    {
        const StoryBlock& block = mBlocks[mNextBlock];
        if ((block.mNeedWait && !idle) || !mReady)
            return;
        if (mWaitDelay)
        {
            mWaitDelay->Update();
            if (mWaitDelay->IsRunning())
                return;
        }
        RunBlock(block);
        ++mNextBlock;
        return;
    }
    // A script that ends on a wait for OK keeps its button up until it is clicked.
    if (idle && mReady)
        Leave();
}

Quib::Image* StoryDialog::PictureNamed(const std::string& name)
{
    ResourceValue value = GetResourceById(GetResourceIdByName(name));
    Quib::Image** picture = std::get_if<Quib::Image*>(&value);
    return picture != nullptr ? *picture : nullptr;
}

void StoryDialog::RunBlock(const StoryBlock& block)
{
    const std::string where = "Block" + std::to_string(mNextBlock);
    const StringTable& strings = StringTable::GetInstance();
    switch (block.mType)
    {
    case STORY_BLOCK_SUMMON_CHARACTER:
        if (Quib::Image* picture = PictureNamed(block.mTextKey))
            SummonCharacter(block.mX, block.mY, picture, block.mMirrored);
        else
            Report(where + " summons the picture \"" + block.mTextKey +
                   "\", which the game does not have; skipped");
        break;
    case STORY_BLOCK_MOVE_CHARACTER:
        if (size_t(block.mCharacter) < mCharacters.size())
            MoveCharacter(block.mCharacter, block.mX, block.mY, block.mDuration);
        else
            Report(where + " moves character " + std::to_string(block.mCharacter) + " of " +
                   std::to_string(mCharacters.size()) + "; skipped");
        break;
    case STORY_BLOCK_SHOW_TEXT:
        if (!strings.Contains(block.mTextKey) ||
            (!block.mNameKey.empty() && !strings.Contains(block.mNameKey)))
            Report(where + " shows the text \"" + block.mTextKey + "\" by \"" + block.mNameKey +
                   "\", not both in the string table; skipped");
        else
            ShowText(block);
        break;
    case STORY_BLOCK_HIDE_TEXT:
        HideText(block.mDuration);
        break;
    case STORY_BLOCK_WAIT_USER:
        mReady = false;
        ShowOkButton();
        if (block.mX != 0)
            mOkButton->Move(block.mX, block.mY);
        break;
    case STORY_BLOCK_PLAY_SOUND:
    {
        ResourceValue sound = GetResourceById(GetResourceIdByName(block.mResource));
        if (const int32_t* soundId = std::get_if<int32_t>(&sound))
        {
            StartWait(block.mDuration);
            if (gSoundEffectHost != nullptr)
                gSoundEffectHost->PlaySoundEffect(*soundId);
        }
        else
            Report(where + " plays the sound \"" + block.mResource +
                   "\", which the game does not have; skipped");
        break;
    }
    case STORY_BLOCK_FADE_IN_SCREEN:
        MakeFade(false);
        break;
    case STORY_BLOCK_FADE_OUT_SCREEN:
        MakeFade(true);
        break;
    case STORY_BLOCK_SHOW_PICTURE:
    case STORY_BLOCK_SHOW_THE_END:
        if (Quib::Image* picture = PictureNamed(block.mTextKey))
        {
            mPicture = picture;
            mPictureX = block.mX;
            mPictureY = block.mY;
            mTheEnd = mTheEnd || block.mType == STORY_BLOCK_SHOW_THE_END;
        }
        else
            Report(where + " shows the picture \"" + block.mTextKey +
                   "\", which the game does not have; skipped");
        break;
    default:
        break;
    }
}

int32_t StoryDialog::SummonCharacter(int32_t x, int32_t y, Quib::Image* picture, bool mirrored)
{
    mCharacters.push_back({x, y, picture, mirrored});
    return int32_t(mCharacters.size()) - 1;
}

void StoryDialog::MoveCharacter(int32_t index, int32_t x, int32_t y, int32_t durationMs)
{
    StoryCharacter& character = mCharacters[size_t(index)];
    auto alongX = std::make_unique<ActionSequence>();
    alongX->Append(Tween(&character.mX, x - character.mX, durationMs));
    auto alongY = std::make_unique<ActionSequence>();
    alongY->Append(Tween(&character.mY, y - character.mY, durationMs));
    auto move = std::make_unique<ParalelAction>();
    move->Append(std::move(alongX));
    move->Append(std::move(alongY));
    move->Start(this, kMoveId);
    mRunning.push_back(std::move(move));
}

void StoryDialog::ShowText(const StoryBlock& block)
{
    const StringTable& strings = StringTable::GetInstance();
    mText = block.mNameKey.empty() ? std::string() : strings.Lookup(block.mNameKey) + ":\n\n";
    mText += strings.Lookup(block.mTextKey);
    std::unique_ptr<ActionSequence> fadeIn = SetThenTween(&mTextAlpha, 0, 255, block.mDuration);
    fadeIn->Start(this, kTextInId);
    mRunning.push_back(std::move(fadeIn));
    mTextX = block.mX;
    mTextY = block.mY;
    mTextWidth = block.mW;
    mTextHeight = block.mH;
    mTextArrow = block.mArrow;
    mShownText = mText;
    if (block.mNeedWait)
    {
        mOkX = block.mX + block.mW / 2 - IMAGE_BUTTON_STORY_SMALL_OVER2->GetWidth() / 2;
        mOkY = block.mY + block.mH - 45;
        mOkButton->Move(mOkX, mOkY);
    }
}

void StoryDialog::HideText(int32_t durationMs)
{
    if (mTextAlpha == 0)
        return;
    auto fadeOut = std::make_unique<ActionSequence>();
    fadeOut->Append(Tween(&mTextAlpha, -mTextAlpha, durationMs));
    fadeOut->Start(this, kTextOutActionId);
    mRunning.push_back(std::move(fadeOut));
}

void StoryDialog::StartWait(int32_t durationMs)
{
    mWaitDelay = std::make_unique<ActionDelay>(ActionTimer(durationMs));
    mWaitDelay->Start(nullptr, 0);
}

void StoryDialog::MakeFade(bool fromBlack)
{
    mFadeColor = Quib::Color(0, 0, 0, fromBlack ? 255 : 0);
    mFade = fromBlack ? SetThenTween(&mFadeColor.mAlpha, 255, -255, kFadeMs)
                      : SetThenTween(&mFadeColor.mAlpha, 0, 255, kFadeMs);
    mFade->Start(this, fromBlack ? kFadeFromBlackId : kFadeToBlackId);
}
