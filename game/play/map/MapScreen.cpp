#include "game/play/map/MapScreen.h"

#include "framework/foundation/Paths.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/play/SceneFile.h"
#include "game/play/map/MapScreenMakers.h"
#include "game/play/map/ScenePreviewButton.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/screen/ScenePlayfield.h"
#include "game/play/tutorial/TutorialRequest.h"
#include "game/records/LevelMapTable.h"
#include "game/shell/ActionFunctor.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/ResourceGroupLoad.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/SoundEffectHost.h"
#include "game/shell/StringTable.h"
#include "game/shell/TriggerAction.h"

#include <algorithm>

namespace
{

constexpr int kFadeMs = 250;
constexpr int kZoomMs = 600;
constexpr int kButtonDelayMs = 80;
constexpr int kExitButtonSlideMs = 200;
constexpr int32_t kExitButtonRise = 58;
constexpr int32_t kDimAlpha = 100;

PlayerProfile* CurrentProfile()
{
    return gSharkInterface != nullptr ? gSharkInterface->GetCurrentProfile() : nullptr;
}

std::string MapPictureFolder()
{
    return Quib::GetCurrentFolder() + "\\content\\images\\map\\";
}

std::unique_ptr<ActionSequence> Fade(int32_t* alpha, int32_t from, int32_t delta)
{
    using namespace steps;
    return InOrder(Set(alpha, from), Tween(alpha, delta, kFadeMs));
}

} // namespace

MapScreen::MapScreen()
{
    if (!LoadResourceGroup("Map", &FetchGroupMap))
        return;
    mLoadingText = StringTable::GetInstance().Lookup("LBL_LOADING");
    PlayerProfile* profile = CurrentProfile();
    mLevel = profile != nullptr ? profile->mLevel : 1;
    BuildScenePlayfields();
    BuildSceneButtons();
    BuildZoomSequences();
    LoadLevelPicture();

    MenuItemLook layout;
    layout.x = 400 - IMAGE_BUTTON_MAIN_MENU_SMALL->GetWidth() / 2;
    layout.y = mExitButtonY;
    layout.label = StringTable::GetInstance().Lookup("BTN_MAIN_EXIT");
    layout.labelY = 38;
    layout.hoverPicture = IMAGE_BUTTON_MAIN_MENU_OVER_SMALL;
    layout.pressedPicture = IMAGE_BUTTON_MAIN_MENU_DOWN_SMALL;
    mExitButton = CreateMenuItem(layout, IMAGE_BUTTON_MAIN_MENU_SMALL);
    mExitButton->mOnClick = [this] { OnExitButton(); };

    mFadeColor = Quib::Color(0, 0, 0, 255);
    mFadeToBlack = Fade(&mFadeColor.mAlpha, 0, 255);
    mFadeFromBlack = Fade(&mFadeColor.mAlpha, 255, -255);
    mDimIn = Fade(&mFadeColor.mAlpha, 0, kDimAlpha);
    mDimOut = Fade(&mFadeColor.mAlpha, kDimAlpha, -kDimAlpha);
    BuildButtonSequences();
    mBuilt = true;
    if (gSharkInterface != nullptr)
        gSharkInterface->SaveProfiles();
}

MapScreen::~MapScreen()
{
    if (mBuilt)
        Quib::gApp->mResourceManager->UnloadGroup("Map");
}

const LevelMapEntry* MapScreen::CurrentEntry() const
{
    return LevelMapTable::GetInstance()->GetLevel(mLevel - 1);
}

void MapScreen::BuildScenePlayfields()
{
    mPlayfields.clear();
    const LevelMapEntry* entry = CurrentEntry();
    if (entry == nullptr)
        return;
    for (int32_t i = 0; i < entry->GetMarkerCount(); ++i)
        mPlayfields.push_back(BuildScenePlayfield(i));
}

std::unique_ptr<SandboxWidget> MapScreen::BuildScenePlayfield(int32_t index)
{
    const LevelMapEntry* entry = CurrentEntry();
    const SceneMarker& marker = *entry->GetMarker(index);
    PlayerProfile* profile = CurrentProfile();
    const SceneProgress* byPosition = profile != nullptr ? profile->mLevelProgress.GetScene(index) : nullptr;
    int32_t listMode = byPosition != nullptr ? byPosition->mListMode : kTenItemsListMode;
    if (marker.mRevisit)
        listMode = kFullListMode;
    auto playfield = MakeScenePlayfield(marker.SceneName(), LevelMapTable::LevelName(entry->mArea), listMode,
                                        marker.mRevisit);
    playfield->Resize(0, 0, 800, 600);
    return playfield;
}

void MapScreen::BuildSceneButtons()
{
    if (mManager != nullptr)
        RemoveButtonsFrom(mManager);
    mSceneButtons.clear();
    const LevelMapEntry* entry = CurrentEntry();
    const std::string folder = MapPictureFolder();
    for (size_t i = 0; i < mPlayfields.size() && i < kMaxSceneButtons; ++i)
    {
        SandboxWidget& playfield = *mPlayfields[i];
        const std::string sceneName = playfield.GetSceneName();
        std::unique_ptr<Quib::Image> picture(Quib::gApp->LoadImage(folder + sceneName, 1));
        std::unique_ptr<Quib::Image> hover(Quib::gApp->LoadImage(folder + sceneName + "o", 1));
        auto button = std::make_unique<ScenePreviewButton>(int32_t(i), sceneName, playfield.GetDisplayName(),
                                                           this, this, std::move(hover));
        // A missing picture leaves the button the size of the pictures the pack draws for every scene.
        const int32_t width = picture ? picture->GetWidth() : IMAGE_MAP_SCENE_COMPLETED->GetWidth();
        const int32_t height = picture ? picture->GetHeight() : IMAGE_MAP_SCENE_COMPLETED->GetHeight();
        button->mPicture = std::move(picture);
        button->Resize(0, ScenePreviewButton::kHiddenY, width, height);
        button->UpdateFromPlayfield(playfield, CurrentProfile(), mLevel != kFinalLevel || IsFinalePlayed());
        button->mMarkerX = entry->GetMarker(int32_t(i))->mX;
        button->mMarkerY = entry->GetMarker(int32_t(i))->mY;
        mSceneButtons.push_back(std::move(button));
    }
    if (mLevel == 1)
        LockSceneButtons();
    PlaceSceneButtons();
}

void MapScreen::LockSceneButtons()
{
    if (mSceneButtons.size() < 2)
        return;
    const ScenePreviewButton& first = *mSceneButtons[1];
    if (first.mItemsLeft == 0 && first.mMiniGameDone)
        return;
    for (auto& button : mSceneButtons)
        if (button->mIndex != 1)
            button->mLocked = true;
}

void MapScreen::UnlockSceneButtons()
{
    for (auto& button : mSceneButtons)
        if (button->mIndex != 1)
            button->mLocked = false;
}

int32_t MapScreen::SceneButtonX(int32_t index, int32_t count, int32_t firstWidth)
{
    const int32_t step = 800 / (count + 1);
    return (index + 1) * step - int32_t(float(firstWidth) * 0.5f);
}

void MapScreen::PlaceSceneButtons()
{
    if (mSceneButtons.empty())
        return;
    const int32_t count = int32_t(mSceneButtons.size());
    for (size_t i = 0; i < mSceneButtons.size(); ++i)
    {
        ScenePreviewButton& button = *mSceneButtons[i];
        button.Move(SceneButtonX(int32_t(i), count, mSceneButtons.front()->mWidth), button.mY);
        button.BuildSlideSequences();
    }
}

void MapScreen::BuildZoomSequences()
{
    using namespace steps;
    const LevelMapEntry* entry = CurrentEntry();
    const int32_t sx = entry != nullptr ? entry->mScrollX : 0;
    const int32_t sy = entry != nullptr ? entry->mScrollY : 0;
    mZoomIn = InOrder(
        Together(Set(&mPanX, 0), Set(&mPanY, 0), Set(&mScale, 0.5f)),
        Together(Tween(&mPanX, sx, kZoomMs), Tween(&mPanY, sy, kZoomMs), Tween(&mScale, 0.5f, kZoomMs)));
    mZoomOut =
        Together(Tween(&mPanX, -sx, kZoomMs), Tween(&mPanY, -sy, kZoomMs), Tween(&mScale, -0.5f, kZoomMs));
}

void MapScreen::BuildButtonSequences()
{
    using namespace steps;
    mEntrySeq = InOrder(Together(Set(&mLevelAlpha, 0), Set(&mExitButtonY, 600)));
    for (size_t i = 0; i < mSceneButtons.size(); ++i)
    {
        mEntrySeq->Append(Set(&mTriggerIndex, int32_t(i)));
        mEntrySeq->Append(std::make_unique<TriggerAction>(
            std::make_unique<ActionFunctor<MapScreen>>(this, &MapScreen::SlideTriggeredButtonIn)));
        if (i + 1 < kMaxSceneButtons)
            mEntrySeq->Append(Wait(kButtonDelayMs));
    }
    mEntrySeq->Append(Together(Tween(&mExitButtonY, -kExitButtonRise, kExitButtonSlideMs),
                               Tween(&mLevelAlpha, 255, kExitButtonSlideMs)));

    mExitSeq = InOrder(Together(Set(&mLevelAlpha, 255), Set(&mExitButtonY, 600 - kExitButtonRise)),
                       Together(Tween(&mExitButtonY, kExitButtonRise, kExitButtonSlideMs),
                                Tween(&mLevelAlpha, -255, kExitButtonSlideMs)));
    for (size_t i = mSceneButtons.size(); i-- > 0;)
    {
        mExitSeq->Append(Set(&mTriggerIndex, int32_t(i)));
        mExitSeq->Append(std::make_unique<TriggerAction>(
            std::make_unique<ActionFunctor<MapScreen>>(this, &MapScreen::SlideTriggeredButtonOut)));
        if (i > 0)
            mExitSeq->Append(Wait(kButtonDelayMs));
    }
}

void MapScreen::SlideTriggeredButtonIn()
{
    if (size_t(mTriggerIndex) < mSceneButtons.size())
        mSceneButtons[size_t(mTriggerIndex)]->mSlideIn->Start(nullptr, 0);
}

void MapScreen::SlideTriggeredButtonOut()
{
    if (size_t(mTriggerIndex) < mSceneButtons.size())
        mSceneButtons[size_t(mTriggerIndex)]->mSlideOut->Start(nullptr, 0);
}

void MapScreen::LoadLevelPicture()
{
    const LevelMapEntry* entry = CurrentEntry();
    mLevelPicture.reset();
    if (entry != nullptr)
        mLevelPicture.reset(
            Quib::gApp->LoadImage(MapPictureFolder() + "level" + std::to_string(entry->mArea), 1));
}

bool MapScreen::IsAnimating() const
{
    return mBuilt && (mFadeToBlack->IsRunning() || mFadeFromBlack->IsRunning() || mZoomIn->IsRunning() ||
                      mZoomOut->IsRunning() || mEntrySeq->IsRunning() || mExitSeq->IsRunning());
}

bool MapScreen::IsFinalePlayed() const
{
    PlayerProfile* profile = CurrentProfile();
    return profile != nullptr && profile->mStoryFlags.IsCutsceneShown(kFinaleEnd);
}

bool MapScreen::IsSceneDone(size_t index) const
{
    const SandboxWidget& playfield = *mPlayfields[index];
    PlayerProfile* profile = CurrentProfile();
    const SceneProgress* record =
        profile != nullptr ? profile->mLevelProgress.FindScene(playfield.GetSceneName()) : nullptr;
    if (record == nullptr)
        return false;
    if (mLevel == kFinalLevel && !IsFinalePlayed())
        return false;
    return playfield.mSecondVisit ? record->mDoneSecondVisit : record->mDoneFirstVisit;
}

bool MapScreen::IsLevelDone() const
{
    for (size_t i = 0; i < mPlayfields.size(); ++i)
        if (!IsSceneDone(i))
            return false;
    return !mPlayfields.empty();
}

bool MapScreen::CheckLevelEnd()
{
    // The level end slides the buttons out: it waits while they or the map move.
    if (mLevelComplete || mLevel == kFinalLevel || mZoomIn->IsRunning() || mZoomOut->IsRunning() ||
        mEntrySeq->IsRunning() || mExitSeq->IsRunning() || !IsLevelDone())
        return false;
    PlayGameSound(SFX_END_LEVEL);
    mLevelComplete = true;
    mExitSeq->Start(this, STEP_BUTTONS_OUT);
    return true;
}

void MapScreen::UpdateButtons()
{
    for (size_t i = 0; i < mSceneButtons.size(); ++i)
        mSceneButtons[i]->UpdateFromPlayfield(*mPlayfields[i], CurrentProfile(),
                                              mLevel != kFinalLevel || IsFinalePlayed());
}

void MapScreen::FadeOutToScene()
{
    mFadeToBlack->Start(this, STEP_TO_SCENE);
}

void MapScreen::OpenSceneAfterFade(int32_t index)
{
    mSelectedScene = index;
    FadeOutToScene();
}

void MapScreen::OnExitButton()
{
    if (IsAnimating())
        return;
    mExitSeq->Start(this, STEP_BUTTONS_OUT);
}

void MapScreen::OnButtonClicked(int32_t)
{
    if (IsAnimating())
        return;
    OpenScene(mSelectedScene);
}

void MapScreen::OpenScene(int32_t index)
{
    if (index < 0 || size_t(index) >= mPlayfields.size())
        return;
    const MapScreenMakers& makers = GetMapScreenMakers();
    ScreenBase* scene = makers.mMakeScene ? makers.mMakeScene(*this, *mPlayfields[size_t(index)]) : nullptr;
    if (scene != nullptr)
        PushGameState(scene, mStack);
}

void MapScreen::PushOwnScreen(ScreenBase* screen)
{
    if (screen != nullptr)
    {
        screen->Resize(0, 0, 800, 600);
        PushGameState(screen, mStack);
        return;
    }
    OnUncovered(mStack);
}

void MapScreen::ShowMapTutorial()
{
    // Raised before the push, so that the map stays in view under its tutorial.
    mTutorialUp = true;
    if (!ShowTutorialOnce(CurrentProfile(), 0, 0, mStack))
        mTutorialUp = false;
}

void MapScreen::OnActionFinished(int id)
{
    PlayerProfile* profile = CurrentProfile();
    const MapScreenMakers& makers = GetMapScreenMakers();
    switch (id)
    {
    case STEP_LEFT:
        if (profile != nullptr)
            profile->mGameInProgress = true;
        if (gSharkInterface != nullptr)
            gSharkInterface->SaveProfiles();
        PopGameState(mStack);
        break;
    case STEP_ARRIVED:
        mZoomIn->Start(this, STEP_ZOOMED_IN);
        break;
    case STEP_DIMMED:
        AdvanceLevel();
        mDimOut->Start(this, STEP_UNDIMMED);
        break;
    case STEP_UNDIMMED:
        mLoadingShown = false;
        mZoomIn->Start(this, STEP_ZOOMED_IN);
        break;
    case STEP_TO_SCENE:
        mSceneOpened = true;
        OnButtonClicked(mSelectedScene);
        break;
    case STEP_ZOOMED_IN:
        if (profile == nullptr || profile->mStoryFlags.IsCutsceneShown(kFirstStory))
        {
            mEntrySeq->Start(this, STEP_BUTTONS_IN);
            break;
        }
        profile->mStoryFlags.MarkCutsceneShown(kFirstStory);
        mFirstStoryShown = true;
        PushOwnScreen(makers.mMakeStory ? makers.mMakeStory(kFirstStory, false) : nullptr);
        break;
    case STEP_ZOOMED_OUT_TO_LEAVE:
        mFadeToBlack->Start(this, STEP_LEFT);
        break;
    case STEP_ZOOMED_OUT_TO_NEXT_LEVEL:
        mLoadingShown = true;
        mDimIn->Start(this, STEP_DIMMED);
        break;
    case STEP_BUTTONS_IN:
        // A level that was finished while the map was away ends now, before anything else is asked.
        if (!CheckLevelEnd())
            ShowMapTutorial();
        break;
    case STEP_BUTTONS_OUT:
        if (!mLevelComplete)
        {
            mZoomOut->Start(this, STEP_ZOOMED_OUT_TO_LEAVE);
            break;
        }
        mLevelStoryPending = true;
        PushOwnScreen(makers.mMakeStory ? makers.mMakeStory("cutscene" + std::to_string(mLevel), true)
                                        : nullptr);
        break;
    default:
        break;
    }
}

void MapScreen::AdvanceLevel()
{
    mLevel += 1;
    if (mLevel > LevelMapTable::GetInstance()->GetLevelCount())
        mLevel = 1;
    if (PlayerProfile* profile = CurrentProfile())
    {
        profile->mLevel = mLevel;
        profile->ResetLevelProgress();
        profile->PrepareCurrentLevel(gSharkInterface->GetLevelPreparationSource());
    }
    BuildScenePlayfields();
    BuildSceneButtons();
    mPanX = 0;
    mPanY = 0;
    BuildZoomSequences();
    if (mManager != nullptr)
        AddButtonsTo(mManager);
    BuildButtonSequences();
    LoadLevelPicture();
}

SceneProgress* MapScreen::RecordOf(size_t index) const
{
    PlayerProfile* profile = CurrentProfile();
    return profile != nullptr ? profile->mLevelProgress.FindScene(mPlayfields[index]->GetSceneName())
                              : nullptr;
}

void MapScreen::ReopenSceneFullList(int32_t index)
{
    if (index < 0 || size_t(index) >= mPlayfields.size())
        return;
    if (SceneProgress* record = RecordOf(size_t(index)))
        record->SetClock(0, SceneProgress::kDefaultClockMinutes, 0, 0);
    mPlayfields[size_t(index)] = BuildScenePlayfield(index);
    OpenScene(index);
}

void MapScreen::ResetSceneAfterTimeout()
{
    if (mSelectedScene < 0 || size_t(mSelectedScene) >= mPlayfields.size())
        return;
    if (SceneProgress* record = RecordOf(size_t(mSelectedScene)))
        record->Reset();
    mPlayfields[size_t(mSelectedScene)] = BuildScenePlayfield(mSelectedScene);
}

void MapScreen::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    if (!mBuilt)
        return;
    FadeOutMusic(0);
    mFadeFromBlack->Start(this, STEP_ARRIVED);
    ScreenBase::OnEntered(stack);
}

void MapScreen::OnLeft(GameStateStack* stack)
{
    FadeInMusic(0);
    ScreenBase::OnLeft(stack);
    mStack = nullptr;
}

void MapScreen::OnCovered(GameStateStack* stack)
{
    // A story, letter or tutorial of the map's own lies on top: the map stays visible under it.
    if (mTutorialUp || mFirstStoryShown || mLevelStoryPending || mEnvelopePending)
        return;
    if (gSharkInterface != nullptr)
        gSharkInterface->StopLoopSound(AMBIENT_SOUND_2);
    ScreenBase::OnCovered(stack);
}

void MapScreen::OnUncovered(GameStateStack* stack)
{
    mStack = stack;
    if (!mBuilt)
        return;
    if (gSharkInterface != nullptr)
    {
        gSharkInterface->SaveProfiles();
        gSharkInterface->PlayLoopSound(
            gSharkInterface->mOptions ? gSharkInterface->mOptions->GetAmbientVolume() : 0, AMBIENT_SOUND_2);
    }
    if (mLevelStoryPending)
    {
        mLevelStoryPending = false;
        mEnvelopePending = true;
        const MapScreenMakers& makers = GetMapScreenMakers();
        PushOwnScreen(makers.mMakeLetter ? makers.mMakeLetter("EnvelopeText" + std::to_string(mLevel))
                                         : nullptr);
        return;
    }
    if (mEnvelopePending)
    {
        mLevelComplete = false;
        mEnvelopePending = false;
        mZoomOut->Start(this, STEP_ZOOMED_OUT_TO_NEXT_LEVEL);
        return;
    }
    if (mFirstStoryShown)
    {
        mFirstStoryShown = false;
        mEntrySeq->Start(this, STEP_BUTTONS_IN);
    }
    if (mSceneOpened)
    {
        mSceneOpened = false;
        mFadeFromBlack->Start(this, STEP_BACK_FROM_SCENE);
    }
    if (mReopenFullList)
    {
        mReopenFullList = false;
        ReopenSceneFullList(mSelectedScene);
        return;
    }
    if (mResetAfterTimeout)
    {
        mResetAfterTimeout = false;
        ResetSceneAfterTimeout();
    }
    if (!mTutorialUp && Quib::gApp->mWidgetManager != nullptr)
        Quib::gApp->mWidgetManager->AddChild(this);
    UpdateButtons();
    CheckLevelEnd();
    mTutorialUp = false;
}

void MapScreen::AddButtonsTo(Quib::WidgetManager* manager)
{
    for (auto& button : mSceneButtons)
        manager->AddChild(button.get());
}

void MapScreen::RemoveButtonsFrom(Quib::WidgetManager* manager)
{
    for (auto& button : mSceneButtons)
        manager->RemoveChild(button.get());
}

void MapScreen::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    mManager = manager;
    AddButtonsTo(manager);
    if (mExitButton)
        manager->AddChild(mExitButton.get());
}

void MapScreen::OnDetached(Quib::WidgetManager* manager)
{
    RemoveButtonsFrom(manager);
    if (mExitButton)
        manager->RemoveChild(mExitButton.get());
    mManager = nullptr;
    ScreenBase::OnDetached(manager);
}

void MapScreen::UpdateFraction(float)
{
    if (!mBuilt)
        return;
    mFadeToBlack->Update();
    mFadeFromBlack->Update();
    mDimIn->Update();
    mDimOut->Update();
    mZoomIn->Update();
    if (mZoomOut->IsRunning())
        mZoomOut->Update();
    mEntrySeq->Update();
    mExitSeq->Update();
    mFadeColor.mAlpha = std::clamp(mFadeColor.mAlpha, 0, 255);
    mLevelAlpha = std::clamp(mLevelAlpha, 0, 255);
    if (mExitButton->mY != mExitButtonY)
        mExitButton->Move(mExitButton->mX, mExitButtonY);
    MarkDirty();
}

void MapScreen::Draw(Quib::Graphics* g)
{
    if (!mBuilt)
        return;
    g->SetFont(FONT_ITEM_LABELS);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    Quib::Image* map = IMAGE_HALVORA_MAP;
    Quib::Transform2D transform;
    transform.Scale(mScale, mScale);
    g->DrawImageWithTransform(map, transform, float(mPanX) + float(map->GetWidth()) * mScale * 0.5f,
                              float(mPanY) + float(map->GetHeight()) * mScale * 0.5f);
    if (mLevelPicture)
    {
        g->SetColor(Quib::Color(255, 255, 255, mLevelAlpha));
        g->SetTintImages(true);
        g->DrawImage(mLevelPicture.get(), 0, 0);
        g->SetTintImages(false);
    }
    RequestOverlayDraw(1);
}

void MapScreen::DrawOverlay(Quib::Graphics* g)
{
    g->SetColor(mFadeColor);
    g->FillRect(0, 0, 800, 600);
    if (!mLoadingShown)
        return;
    g->SetFont(FONT_BUTTON_LABELS);
    const int32_t half = int32_t(float(FONT_BUTTON_LABELS->GetStringWidth(mLoadingText)) * 0.5f);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(mLoadingText, 401 - half, 551);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawString(mLoadingText, 400 - half, 550);
}
