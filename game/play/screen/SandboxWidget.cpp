#include "game/play/screen/SandboxWidget.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/Paths.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/WidgetManager.h"
#include "game/play/SceneList.h"
#include "game/play/hud/HintChoice.h"
#include "game/play/hud/HintWidget.h"
#include "game/play/hud/ItemTint.h"
#include "game/play/screen/ActionItem.h"
#include "game/play/screen/InventoryWidget.h"
#include "game/play/screen/ItemLabel.h"
#include "game/play/screen/PlayfieldOwner.h"
#include "game/play/screen/SceneSession.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/LoopAction.h"
#include "game/shell/MenuItem.h"
#include "game/shell/Resources.h"
#include "game/shell/SfxIndexTable.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"
#include "platform/Random.h"

#include <algorithm>

namespace
{

constexpr int32_t kPlayfieldPriority = 400;
constexpr int32_t kSkipPenaltyMinutes = 10;
constexpr int32_t kHintFlashFrameMs = 50;
constexpr int32_t kCentreX = 400, kCentreY = 300;
constexpr int32_t kPlaceSparkleMs = 2700;
// The cogs turn one cell every third drawing.
constexpr int32_t kCogsDrawsPerCell = 3;
const ItemLabel::Bounds kPlaceLabelBounds{720, 120, 540, 536, 40};

ItemMask MaskOf(Quib::DDImage* picture)
{
    ItemMask mask;
    if (picture == nullptr)
        return mask;
    mask.mWidth = picture->GetWidth();
    mask.mHeight = picture->GetHeight();
    const uint32_t* bits = picture->GetBits();
    mask.mAlpha.resize(size_t(mask.mWidth) * size_t(mask.mHeight));
    for (size_t i = 0; i < mask.mAlpha.size(); ++i)
        mask.mAlpha[i] = uint8_t(bits[i] >> 24);
    return mask;
}

bool IsPiece(const PlayfieldItem& item)
{
    return item.mRecord.mMajorGroupId == -1 && item.mRecord.mMinorGroupId > 0;
}

// The items that stand for the usable object's place in the first scene's
// picture until its pieces show.
bool IsSceneOneMarker(const PlayfieldItem& item)
{
    return item.mRecord.mMajorGroupId == 100 && item.mRecord.mMinorGroupId == 100;
}

} // namespace

SandboxWidget::SandboxWidget()
    : mInventory(std::make_unique<InventoryWidget>(this)), mMouse(std::make_unique<MouseObject>(this))
{
    mInventory->Move(0, 0);
    mMouse->Resize(0, 0, 0, 0);
    const int32_t cells = PARTICLE_LOCATION_ITEM != nullptr ? PARTICLE_LOCATION_ITEM->mRows : 0;
    mPlaceSparkle = std::make_unique<LoopAction>(steps::InOrder(
        steps::Set(&mPlaceSparkleCell, 0), steps::Tween(&mPlaceSparkleCell, cells, kPlaceSparkleMs)));
    mPlaceSparkle->Start(nullptr, 0);
    if (const PlayerProfile* profile = CurrentProfile(); profile != nullptr && profile->mLevel <= 1)
        mPlaceLabel = std::make_unique<ItemLabel>(SceneText("LBL_LOCATION_ITEM_ON_LEVEL1"));
}

SandboxWidget::~SandboxWidget()
{
    if (mContainer != nullptr)
        OnDetached(mContainer);
}

SceneProgress* SandboxWidget::SceneRecord() const
{
    PlayerProfile* profile = CurrentProfile();
    return profile != nullptr ? profile->mLevelProgress.FindScene(mSceneName) : nullptr;
}

void SandboxWidget::SetListMode(int32_t mode)
{
    if (mode != kTenItemsListMode && mode != kFullListMode)
        return;
    mListMode = mode;
    if (SceneProgress* record = SceneRecord())
        record->SetListMode(mode);
}

void SandboxWidget::LoadScene(const std::string& fileBase, const std::string& sceneFolder)
{
    mPictures.clear();
    mAnimations.clear();
    mModel = PlayfieldModel();
    if (mListMode != kTenItemsListMode && mListMode != kFullListMode)
        return;
    const std::string folder = Quib::GetCurrentFolder() + "\\content\\scenes\\" + sceneFolder;
    const std::string file = fileBase + (mListMode == kTenItemsListMode ? "10Items" : "") + ".xml";
    std::vector<SceneItemRecord> records;
    ReadSceneFile(folder + file, records);
    // The model keeps its items sorted by layer; each picture follows its item.
    std::vector<std::pair<std::string, std::unique_ptr<Quib::DDImage>>> loaded;
    mModel.Load(records, mListMode, mSecondVisit,
                [&](const std::string& image)
                {
                    loaded.emplace_back(image, Quib::gApp->LoadImage(folder + image, 1));
                    return MaskOf(loaded.back().second.get());
                });
    for (const PlayfieldItem& item : mModel.Items())
    {
        const std::string image = SceneImageFileName(item.mRecord.mImage);
        auto found = std::find_if(loaded.begin(), loaded.end(),
                                  [&](const auto& entry) { return entry.first == image && entry.second; });
        mPictures.push_back(found == loaded.end() ? nullptr : std::move(found->second));
        if (found != loaded.end())
            loaded.erase(found);
        if (item.mKind == SceneItemKind::Hint && mPictures.back())
            mPictures.back()->mColumns = kHintStripFrames;
        ItemAnimation animation;
        animation.Place(item.mX, item.mY, item.mWidth, item.mHeight, item.mKind == SceneItemKind::Piece);
        mAnimations.push_back(animation);
    }
    RemoveTakenItems();
}

void SandboxWidget::RemoveTakenItems()
{
    const SceneProgress* record = SceneRecord();
    if (record == nullptr)
        return;
    std::vector<std::string> taken;
    for (const SceneProgress::ItemEntry& entry : record->mItems)
        if (entry.mTaken)
            taken.push_back(entry.mName);
    for (const SceneProgress::NamedEntry& entry : record->mGroupItems)
        if (entry.mTaken && mListMode == kTenItemsListMode)
            taken.push_back(entry.mName);
    mModel.RemoveTakenItems(taken, record->mHintItems);
}

void SandboxWidget::BuildFullList()
{
    std::vector<SceneListEntry> list;
    if (const SceneProgress* record = SceneRecord())
        for (size_t i = 0; i < record->mItems.size() && i < kItemListLength; ++i)
            list.push_back({record->mItems[i].mName, -1, record->mItems[i].mTaken});
    else
    {
        std::vector<SceneItemRecord> records;
        for (const PlayfieldItem& item : mModel.Items())
            records.push_back(item.mRecord);
        list = DefaultSceneList(records, kFullListMode);
    }
    for (const SceneListEntry& entry : list)
    {
        mFrame->AddListNameLeft(entry.mName);
        if (entry.mTaken)
            mFrame->SetItemFoundQuiet(entry.mName);
    }
    mModel.BuildFullList(list);
    for (size_t i = 0; i < mModel.Items().size(); ++i)
        if (mModel.Items()[i].mWanted)
            mFrame->AddWantedItem(int32_t(i));
}

void SandboxWidget::BuildTenItemsList()
{
    std::vector<SceneListEntry> list;
    if (const SceneProgress* record = SceneRecord())
        for (const SceneProgress::NamedEntry& entry : record->mGroupItems)
            list.push_back({entry.mName, entry.mGroupId, entry.mTaken});
    else
    {
        std::vector<SceneItemRecord> records;
        for (const PlayfieldItem& item : mModel.Items())
            records.push_back(item.mRecord);
        list = DefaultSceneList(records, kTenItemsListMode);
    }
    mModel.BuildTenItemsList(list);
    for (size_t i = 0; i < mModel.Items().size(); ++i)
        if (mModel.Items()[i].mWanted)
            mFrame->AddWantedItem(int32_t(i));
    mFrame->AddListNameCentred(SceneText("10_ITEMS_NAME_" + mSceneName));
}

void SandboxWidget::LoadMiniGameDone()
{
    if (const SceneProgress* record = SceneRecord(); record != nullptr && record->mMiniGameDone)
        mModel.SetMiniGameDone();
}

void SandboxWidget::SaveMiniGameDone()
{
    if (SceneProgress* record = SceneRecord())
        record->mMiniGameDone = mModel.IsMiniGameDone();
}

bool SandboxWidget::IsSceneDone()
{
    const SceneProgress* record = SceneRecord();
    return record != nullptr && (mSecondVisit ? record->IsDoneSecondVisit() : record->IsDoneFirstVisit());
}

void SandboxWidget::HideSceneOnePieces()
{
    const PlayerProfile* profile = CurrentProfile();
    if (!IsSceneOne() || profile == nullptr || profile->mTutorialFlags.IsSet(6))
        return;
    for (size_t i = 0; i < mModel.Items().size(); ++i)
        if (IsPiece(mModel.Items()[i]) || IsSceneOneMarker(mModel.Items()[i]))
            mModel.SetItemVisible(i, false);
    mInventory->SetVisible(false);
}

void SandboxWidget::RevealHiddenPieces()
{
    const PlayerProfile* profile = CurrentProfile();
    if (profile == nullptr || !profile->mTutorialFlags.IsSet(6))
        return;
    for (size_t i = 0; i < mModel.Items().size(); ++i)
        if (IsPiece(mModel.Items()[i]) || IsSceneOneMarker(mModel.Items()[i]))
        {
            mModel.SetItemVisible(i, true);
            if (mModel.Items()[i].mKind == SceneItemKind::Piece && !mModel.Items()[i].mRemoved)
                mPieceLoops[i].Start();
        }
    mInventory->SetVisible(true);
}

int32_t SandboxWidget::GetCollectingCount() const
{
    return int32_t(std::count_if(mAnimations.begin(), mAnimations.end(),
                                 [](const ItemAnimation& animation) { return animation.IsCollecting(); }) +
                   mHintFlashes.size());
}

void SandboxWidget::FinishCollecting()
{
    for (size_t i = 0; i < mAnimations.size(); ++i)
        if (mAnimations[i].IsCollecting())
        {
            mAnimations[i].Finish();
            if (mModel.Items()[i].mKind == SceneItemKind::Piece)
                OnPieceCollected(false);
            else
                OnItemCollected(i, true);
        }
    mHintFlashes.clear();
}

bool SandboxWidget::IsIdle(size_t index) const
{
    const auto hint = mItemHints.find(index);
    return !mAnimations[index].IsCollecting() && (hint == mItemHints.end() || !hint->second.IsPulsing());
}

void SandboxWidget::UseHint()
{
    if (mFrame == nullptr)
        return;
    HintWidget& counter = mFrame->GetHintWidget();
    counter.mHintRequested = false;
    const std::vector<size_t> shown = ChooseHintTargets(
        mModel, IsSceneOne(), [this](size_t index) { return IsIdle(index); },
        [this](size_t index)
        { return mAnimations[index].IsCollecting() && mFrame->IsWantedItem(int32_t(index)); },
        [] { return platform::rand(); });
    if (shown.empty())
        return;
    for (size_t index : shown)
        mItemHints[index].Start(mModel.Items()[index].mKind == SceneItemKind::Piece
                                    ? ItemHint::kPiecePulseTicks
                                    : ItemHint::kPulseTicks);
    counter.UseHint();
    mModel.SetHints(counter.mCount);
    if (PlayerProfile* profile = CurrentProfile())
        profile->SetHints(counter.mCount);
}

void SandboxWidget::ShowProfileHints()
{
    if (const PlayerProfile* profile = CurrentProfile())
        mModel.SetHints(profile->GetHints());
}

void SandboxWidget::ReattachPieces()
{
    const SceneProgress* record = SceneRecord();
    if (record == nullptr)
        return;
    for (const std::string& name : record->mPieces)
        mModel.ReattachPiece(name);
    if (mModel.HasHeldItem() && !mHeldItem)
        OnPieceCollected(true);
}

void SandboxWidget::SuppressSceneOneTutorials()
{
    if (PlayerProfile* profile = CurrentProfile())
        for (int flag : {4, 7, 9})
            profile->mTutorialFlags.Set(flag);
}

void SandboxWidget::AddToContainer(Quib::Widget* widget)
{
    if (mContainer != nullptr && widget != nullptr)
        mContainer->AddChild(widget);
}

void SandboxWidget::RemoveFromContainer(Quib::Widget* widget)
{
    if (mContainer != nullptr && widget != nullptr)
        mContainer->RemoveChild(widget);
}

void SandboxWidget::OnAttached(Quib::WidgetManager* manager)
{
    mContainer = manager;
    AddToContainer(mInventory.get());
    AddToContainer(mHeldItem.get());
    ReattachPieces();
    mPlacesActive = true;
    if (gSharkInterface != nullptr && gSharkInterface->mSfxIndexTable && gSharkInterface->mOptions)
    {
        const int32_t offset = gSharkInterface->mSfxIndexTable->Lookup(mSceneName);
        // A scene the table does not know has no ambient loop.
        mAmbientSound = offset >= 0 ? AMBIENT_SOUND_1 + offset : -1;
        gSharkInterface->PlayLoopSound(gSharkInterface->mOptions->mAmbientVolume, mAmbientSound);
    }
}

void SandboxWidget::OnDetached(Quib::WidgetManager*)
{
    RemoveFromContainer(mInventory.get());
    RemoveFromContainer(mHeldItem.get());
    if (mMisclicks.IsMouseRunning())
        EndMouseRun();
    if (gSharkInterface != nullptr && mAmbientSound >= 0)
        gSharkInterface->StopLoopSound(mAmbientSound);
    mAmbientSound = -1;
    mContainer = nullptr;
}

void SandboxWidget::SetHeldItem(std::unique_ptr<ActionItem> item)
{
    RemoveFromContainer(mHeldItem.get());
    mHeldItem = std::move(item);
    AddToContainer(mHeldItem.get());
    if (mFrame != nullptr)
        mFrame->ShowTutorial(8);
}

bool SandboxWidget::IsScreenAnimating()
{
    return mFrame != nullptr && mFrame->IsAnimating();
}

void SandboxWidget::DeselectHeldItem()
{
    mModel.DeselectHeld();
}

void SandboxWidget::SetMiniGameDone(bool done)
{
    if (done)
        mModel.SetMiniGameDone();
    PlayerProfile* profile = CurrentProfile();
    if (profile == nullptr)
        return;
    if (SceneProgress* record = profile->mLevelProgress.FindScene(mSceneName))
        record->mMiniGameDone = done;
    profile->mWallpaperUnlocks.SetIfClear(mSceneName, done);
}

void SandboxWidget::DiscardHeldActionItem()
{
    RemoveFromContainer(mHeldItem.get());
    mHeldItem.reset();
}

int SandboxWidget::GetItemsLeft() const
{
    int left = mModel.ItemsLeft();
    for (size_t i = 0; i < mAnimations.size(); ++i)
        left += mAnimations[i].IsCollecting() && mFrame != nullptr && mFrame->IsWantedItem(int32_t(i));
    return left;
}

void SandboxWidget::StartSceneEndDelay()
{
    if (mFrame != nullptr)
        mFrame->StartSceneEndDelay();
}

void SandboxWidget::AddSkipPenalty()
{
    if (PlayerProfile* profile = CurrentProfile())
        profile->mPlayTime.Add(0, kSkipPenaltyMinutes, 0, 0);
}

void SandboxWidget::OnMouseButtonDown(int x, int y, int button, int)
{
    if (mFrame == nullptr || mFrame->IsAnimating())
        return;
    if (button == 1)
    {
        if (mHeldItem)
        {
            PlaySceneSound(SFX_ACTION_ITEM_SELECTED);
            DeselectHeldItem();
        }
        return;
    }
    if (button != 0)
        return;
    mLastClickX = x;
    mLastClickY = y;
    const bool selected = mModel.IsHeldSelected();
    const int32_t index = mModel.FindItemAt(x, y, selected);
    if (index < 0)
        return;
    const PlayfieldItem& item = mModel.Items()[size_t(index)];
    const bool sceneOneTutorial = IsSceneOne() && !mModel.IsMiniGameDone() && GetItemsLeft() > 1;
    if (item.mKind == SceneItemKind::Hint && sceneOneTutorial)
        mFrame->ShowTutorial(4);
    if (item.mKind == SceneItemKind::Hint && mModel.Hints() >= PlayfieldModel::kMaxHints)
    {
        if (sceneOneTutorial)
            mFrame->ShowTutorial(10);
        return;
    }
    const ClickOutcome outcome = mModel.Click(x, y);
    if (outcome == ClickOutcome::MiniGameOpened)
    {
        if (IsSceneOne())
            SuppressSceneOneTutorials();
        mFrame->OpenMiniGame();
        return;
    }
    OnItemClicked(size_t(index), outcome);
    if (mContainer != nullptr)
        mContainer->SetFocusWidget(this);
}

void SandboxWidget::OnItemClicked(size_t index, ClickOutcome outcome)
{
    const PlayfieldItem& item = mModel.Items()[index];
    PlayerProfile* profile = CurrentProfile();
    SceneProgress* record = SceneRecord();
    switch (outcome)
    {
    case ClickOutcome::Found:
    {
        if (mListMode == kFullListMode)
        {
            if (record != nullptr)
                record->MarkItemTaken(item.mRecord.mName);
            mFrame->MarkItemFound(item.mRecord.mName);
        }
        else
        {
            if (record != nullptr)
                record->MarkGroupItemTaken(item.mRecord.mName, item.mRecord.mMajorGroupId);
            mFrame->CountListItemFound();
        }
        if (profile != nullptr)
            profile->mGameInProgress = true;
        PlaySceneSound(SFX_ITEM_FOUND_1 + platform::rand() % 4);
        mTutorial2Watch.Restart();
        mTutorial4Watch.Restart();
        mFrame->PlayItemCollectedEffect(int32_t(index));
        const bool diaryPage = item.mRecord.mTypeId == kDiaryPageTypeId;
        const MenuItem* diary = mFrame->GetDiaryButton();
        mAnimations[index].StartCollect(diaryPage && diary != nullptr ? diary->mX : kCentreX,
                                        diaryPage && diary != nullptr ? diary->mY : kCentreY, diaryPage);
        break;
    }
    case ClickOutcome::PieceFound:
    {
        if (const auto loops = mPieceLoops.find(index); loops != mPieceLoops.end())
            loops->second.StopPulse();
        PlaySceneSound(SFX_PIECE_FOUND_1 + platform::rand() % 3);
        mTutorial7Watch.Restart();
        if (record != nullptr)
            record->AddPiece(item.mRecord.mName);
        mFrame->PlayItemCollectedEffect(int32_t(index));
        const PlayfieldItem& combined = mModel.Items()[size_t(item.mCombined)];
        mAnimations[index].StartPieceCollect(combined.mX, combined.mY);
        break;
    }
    case ClickOutcome::HintTaken:
    {
        PlaySceneSound(SFX_HINT_USED);
        HintWidget& counter = mFrame->GetHintWidget();
        counter.AddHint();
        mModel.SetHints(counter.mCount);
        if (profile != nullptr)
            profile->SetHints(counter.mCount);
        if (record != nullptr)
            record->AddHintItem(item.mRecord.mName);
        auto flash = std::make_unique<HintFlash>();
        flash->mIndex = index;
        flash->mFlash =
            steps::InOrder(steps::Set(&flash->mFrame, 0), steps::Tween(&flash->mFrame, kHintStripFrames,
                                                                       kHintStripFrames * kHintFlashFrameMs));
        flash->mFlash->Start(nullptr, 0);
        mHintFlashes.push_back(std::move(flash));
        mFrame->PlayHintCollectedEffect(int32_t(index));
        break;
    }
    case ClickOutcome::Misclick:
        OnMisclick(mLastClickX, mLastClickY);
        break;
    case ClickOutcome::HiddenPiece:
        mMisclicks.CountHiddenClick();
        break;
    default:
        break;
    }
}

void SandboxWidget::OnMisclick(int x, int y)
{
    if (mModel.IsHeldSelected())
    {
        PlaySceneSound(SFX_ACTION_ITEM_MISSED);
        return;
    }
    Quib::gApp->SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER_RED);
    PlaySceneSound(platform::rand() % 2 == 0 ? SFX_ITEM_MISSED_1 : SFX_ITEM_MISSED_2);
    if (mMisclicks.OnMisclick())
        StartMouseRun(x, y);
}

void SandboxWidget::OnMouseButtonUp(int, int, int, int)
{
    if (!mMisclicks.IsMouseRunning())
        Quib::gApp->SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER);
}

// The real pointer vanishes while its copy runs away; clicks go on reaching
// the picture through the running copy.
void SandboxWidget::StartMouseRun(int x, int y)
{
    Quib::gApp->SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER_EMPTY);
    mMouse->Resize(0, 0, 800, 600);
    mMouse->mMouseVisible = false;
    mMouse->Start(x, y);
    mPlacesActive = false;
    AddToContainer(mMouse.get());
}

void SandboxWidget::EndMouseRun()
{
    Quib::gApp->SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER);
    if (mContainer != nullptr)
    {
        mContainer->mLastMouseX = 200;
        mContainer->mLastMouseY = 200;
    }
    mMouse->Resize(0, 0, 0, 0);
    RemoveFromContainer(mMouse.get());
    mPlacesActive = true;
    mMisclicks.EndMouseRun();
    const int x = 120 + platform::rand() % 630;
    const int y = 20 + platform::rand() % 560;
    Quib::gApp->WarpPointer(x, y);
}

void SandboxWidget::OnItemCollected(size_t index, bool quiet)
{
    if (mFrame == nullptr)
        return;
    const bool wanted = mFrame->IsWantedItem(int32_t(index));
    mFrame->ClearWantedItem(int32_t(index));
    if (!wanted)
        return;
    const bool diaryPage = mModel.Items()[index].mRecord.mTypeId == kDiaryPageTypeId;
    const bool listDone = GetItemsLeft() == 0;
    if (diaryPage)
    {
        if (MenuItem* diary = mFrame->GetDiaryButton())
            diary->SetVisible(true);
        if (PlayerProfile* profile = CurrentProfile())
            profile->AddDiaryPage();
        if (!quiet)
        {
            mFrame->OpenDiaryForPage(listDone);
            return;
        }
    }
    // Leaving the scene ends its collections quietly: the next visit's screen
    // finds the list done and ends it then.
    if (listDone && !quiet)
        mFrame->OnListFinished();
}

void SandboxWidget::OnPieceCollected(bool quiet)
{
    bool piecesFlying = false;
    for (size_t i = 0; i < mAnimations.size(); ++i)
        piecesFlying |= mAnimations[i].IsCollecting() && mModel.Items()[i].mKind == SceneItemKind::Piece;
    if (!mModel.HasHeldItem() || mHeldItem || piecesFlying)
        return;
    for (size_t c = 0; c < mModel.Items().size(); ++c)
    {
        const PlayfieldItem& combined = mModel.Items()[c];
        if (combined.mKind != SceneItemKind::Combined || combined.mMissing != 0 || !mPictures[c])
            continue;
        auto item = std::make_unique<ActionItem>(this, mPictures[c].get(), quiet);
        item->Resize(0, 0, combined.mWidth, combined.mHeight);
        item->Move(combined.mX, combined.mY);
        item->BuildEdgeSparkle();
        SetHeldItem(std::move(item));
        return;
    }
}

void SandboxWidget::UpdateHintFlashes()
{
    for (auto& flash : mHintFlashes)
        flash->mFlash->Update();
    std::erase_if(mHintFlashes, [](const auto& flash) { return !flash->mFlash->IsRunning(); });
}

void SandboxWidget::CheckTutorialWatch(Stopwatch& watch, int32_t limitMs, bool applies, int32_t tutorial)
{
    if (!applies || watch.GetElapsedMs() < limitMs)
        return;
    // A tutorial that comes of idle time waits while the question whether to
    // quit stands, so that it never slides in over it and takes its answer.
    if (gSharkInterface != nullptr && gSharkInterface->mExitDialog != nullptr)
        return;
    if (mFrame != nullptr)
        mFrame->ShowTutorial(tutorial);
    if (watch.IsRunning())
    {
        watch.Restart();
        watch.Stop();
    }
}

void SandboxWidget::UpdateTutorialWatches()
{
    const bool fullList = mListMode == kFullListMode;
    CheckTutorialWatch(mTutorial2Watch, kTutorial2Ms, IsSceneOne(), 2);
    CheckTutorialWatch(mTutorial4Watch, kTutorial4Ms, IsSceneOne() && fullList, 4);
    CheckTutorialWatch(mTutorial7Watch, kTutorial7Ms, IsSceneOne() && fullList, 7);
    CheckTutorialWatch(mTutorial9Watch, kTutorial9Ms, IsSceneOne() && fullList, 9);
}

void SandboxWidget::UpdateFraction(float)
{
    if (mHeldItem && mModel.IsHeldSelected() && mContainer != nullptr && mHeldItem->mImage != nullptr)
    {
        mHeldX = int32_t(mContainer->mLastMouseX - mX - mHeldItem->mImage->GetWidth() / 2);
        mHeldY = int32_t(mContainer->mLastMouseY - mY - mHeldItem->mImage->GetHeight() / 2);
    }
    UpdateTutorialWatches();
    for (auto& [index, hint] : mItemHints)
        hint.Update();
    for (auto& [index, loops] : mPieceLoops)
        loops.Update();
    for (size_t i = 0; i < mAnimations.size(); ++i)
        if (mAnimations[i].Update())
        {
            if (mModel.Items()[i].mKind == SceneItemKind::Piece)
                OnPieceCollected(false);
            else
                OnItemCollected(i, false);
        }
    UpdateHintFlashes();
    if (mPlacesActive)
        mPlaceSparkle->Update();
    if (mFrame != nullptr && mFrame->GetHintWidget().mHintRequested)
        UseHint();
}

void SandboxWidget::DrawItem(Quib::Graphics* g, size_t index)
{
    const PlayfieldItem& item = mModel.Items()[index];
    Quib::DDImage* picture = mPictures[index].get();
    ItemAnimation& animation = mAnimations[index];
    // Combined items belong to the inventory, which draws them.
    if (picture == nullptr || !item.mVisible || item.mKind == SceneItemKind::Combined)
        return;
    if (item.mKind == SceneItemKind::Hint)
    {
        const auto flash = std::find_if(mHintFlashes.begin(), mHintFlashes.end(),
                                        [&](const auto& f) { return f->mIndex == index; });
        if (flash != mHintFlashes.end())
            g->DrawImageCell(picture, item.mX, item.mY, (*flash)->mFrame);
        else if (!item.mRemoved)
            g->DrawImageCell(picture, item.mX, item.mY, 0);
        return;
    }
    if (item.mRemoved && !animation.IsCollecting())
        return;
    if (animation.IsDrawnPlain())
    {
        const auto hint = mItemHints.find(index);
        const auto loops = mPieceLoops.find(index);
        const ItemTint tint = RestingItemTint(item, hint != mItemHints.end() ? &hint->second : nullptr,
                                              loops != mPieceLoops.end() ? &loops->second : nullptr);
        g->SetTintImages(tint.mTinted);
        g->SetColor(tint.mColor);
        g->DrawImageSubpixel(picture, float(item.mX), float(item.mY));
    }
    else
    {
        g->SetTintImages(true);
        g->SetColor(Quib::Color(255, 255, 255, std::clamp(animation.mAlpha, 0, 255)));
        g->DrawImageWithTransformSubpixel(picture, animation.mTransform,
                                          float(animation.mX + item.mWidth * 0.5),
                                          float(animation.mY + item.mHeight * 0.5));
    }
    g->SetTintImages(false);
}

void SandboxWidget::Draw(Quib::Graphics* g)
{
    // Items in flight are drawn over the picture: pieces, then found items, then hints.
    for (size_t i = 0; i < mModel.Items().size(); ++i)
        if (!mAnimations[i].IsCollecting() && mModel.Items()[i].mKind != SceneItemKind::Hint)
            DrawItem(g, i);
    for (SceneItemKind kind : {SceneItemKind::Piece, SceneItemKind::Plain, SceneItemKind::Hint})
        for (size_t i = 0; i < mModel.Items().size(); ++i)
            if (mModel.Items()[i].mKind == kind &&
                (mAnimations[i].IsCollecting() || kind == SceneItemKind::Hint))
                DrawItem(g, i);
    RequestOverlayDraw(kPlayfieldPriority);
}

void SandboxWidget::DrawPlace(Quib::Graphics* g, const PlayfieldItem& place)
{
    const bool over = mContainer != nullptr && mContainer->mLastMouseX >= place.mX &&
                      mContainer->mLastMouseX < place.mX + place.mWidth &&
                      mContainer->mLastMouseY >= place.mY &&
                      mContainer->mLastMouseY < place.mY + place.mHeight;
    g->Translate(place.mX, place.mY);
    if (!over && PARTICLE_LOCATION_ITEM != nullptr)
    {
        Quib::Image* strip = PARTICLE_LOCATION_ITEM;
        const int32_t cw = strip->GetWidth() / std::max(1, strip->mColumns);
        const int32_t ch = strip->GetHeight() / std::max(1, strip->mRows);
        g->DrawImageCell(strip, place.mWidth / 2 - cw / 2, place.mHeight / 2 - ch / 2, mPlaceSparkleCell);
    }
    else if (over && IMAGE_LOCATION_COGS != nullptr)
    {
        Quib::Image* cogs = IMAGE_LOCATION_COGS;
        const int32_t columns = std::max(1, cogs->mColumns);
        if (++mCogsStep >= kCogsDrawsPerCell)
        {
            mCogsStep = 0;
            mCogsCell = (mCogsCell + 1) % columns;
        }
        const int32_t cw = cogs->GetWidth() / columns, ch = cogs->GetHeight() / std::max(1, cogs->mRows);
        // This scene draws its cogs lower, inside the picture.
        const int32_t y = mSceneName == "Scene22" ? 130 - ch : -ch;
        g->DrawImageCell(cogs, place.mWidth / 2 - cw / 2, y, mCogsCell);
        if (mPlaceLabel && !mModel.IsHeldSelected())
        {
            const auto [dx, dy] =
                mPlaceLabel->OffsetOver(place.mX, place.mY, place.mWidth, kPlaceLabelBounds);
            g->Translate(dx, dy);
            mPlaceLabel->Draw(g);
            g->Translate(-dx, -dy);
        }
    }
    g->Translate(-place.mX, -place.mY);
}

void SandboxWidget::DrawOverlay(Quib::Graphics* g)
{
    g->SetColor(Quib::Color(255, 255, 255));
    if (mPlacesActive && !mModel.IsMiniGameDone())
        for (const PlayfieldItem& item : mModel.Items())
            if (item.mKind == SceneItemKind::Location && item.mVisible)
                DrawPlace(g, item);
    // A hinted piece only pulses: its sparkle is the idle one, while it rests.
    for (const auto& [index, hint] : mItemHints)
    {
        const PlayfieldItem& item = mModel.Items()[index];
        if (item.mRemoved || item.mKind == SceneItemKind::Piece || !hint.IsSparkling())
            continue;
        g->Translate(item.mX, item.mY);
        hint.DrawSparkle(g, item.mWidth, item.mHeight);
        g->Translate(-item.mX, -item.mY);
    }
    for (const auto& [index, loops] : mPieceLoops)
    {
        const PlayfieldItem& item = mModel.Items()[index];
        if (item.mRemoved || !item.mVisible || !IsIdle(index))
            continue;
        g->Translate(item.mX, item.mY);
        loops.DrawSparkle(g, item.mRecord.mName, item.mWidth, item.mHeight);
        g->Translate(-item.mX, -item.mY);
    }
    if (mHeldItem && mModel.IsHeldSelected() && mHeldItem->mImage != nullptr)
    {
        g->SetColor(Quib::Color(255, 255, 255));
        g->DrawImage(mHeldItem->mImage, mHeldX, mHeldY);
    }
}
