#include "game/play/screen/GameFrame.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/Paths.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/WidgetManager.h"
#include "game/play/SceneList.h"
#include "game/play/hud/HintChoice.h"
#include "game/records/SceneProgress.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/SoundEffectHost.h"
#include "game/shell/StringTable.h"
#include "platform/Random.h"

#include <algorithm>

namespace
{

std::string SceneFolder(const std::string& sceneName)
{
    return Quib::GetCurrentFolder() + "\\content\\scenes\\" + sceneName + "\\";
}

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

void PlaySound(int32_t soundId)
{
    if (gSoundEffectHost != nullptr)
        gSoundEffectHost->PlaySoundEffect(soundId);
}

} // namespace

GameFrame::GameFrame(const std::string& sceneName, int32_t listMode, std::vector<SceneListEntry> list,
                     bool timed)
    : mSceneName(sceneName), mListMode(listMode), mItemList(std::make_unique<ItemNameList>()),
      mHintWidget(std::make_unique<HintWidget>()), mMouse(std::make_unique<MouseObject>(this)), mTimed(timed)
{
    Resize(0, 0, 800, 600);
    mItemList->Resize(kListX, kListY, kListWidth, kListHeight);
    mItemList->mOwner = this;
    mItemList->SetListMode(listMode);
    if (IMAGE_GUI_BUTTON_HINT_1 != nullptr)
        mHintWidget->Resize(12, 203, IMAGE_GUI_BUTTON_HINT_1->GetWidth(),
                            IMAGE_GUI_BUTTON_HINT_1->GetHeight());
    mHintWidget->mOwner = this;
    AddChild(mHintWidget.get());
    if (mTimed)
    {
        mClock = std::make_unique<SceneClock>(this);
        if (IMAGE_GUI_CLOCK != nullptr)
            mClock->Resize(800, 100, IMAGE_GUI_CLOCK->GetWidth(), IMAGE_GUI_CLOCK->GetHeight());
        AddChild(mClock.get());
    }
    const std::string folder = SceneFolder(sceneName);
    std::vector<SceneItemRecord> records;
    ReadSceneFile(folder + SceneFileName(listMode), records);
    // The model sorts its items by layer; the pictures are kept by file name
    // until it has, then follow its order.
    std::vector<std::pair<std::string, std::unique_ptr<Quib::DDImage>>> loaded;
    mModel.Load(records, listMode, false,
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
    }
    if (list.empty())
        list = DefaultSceneList(records, listMode);
    if (listMode == kFullListMode)
        mModel.BuildFullList(list);
    else
        mModel.BuildTenItemsList(list);
    BuildItemList(list);
}

GameFrame::~GameFrame()
{
    RemoveAllChildren(false, false);
}

void GameFrame::BuildItemList(const std::vector<SceneListEntry>& list)
{
    if (mListMode != kFullListMode)
    {
        mItemList->AddCentred(StringTable::GetInstance().Lookup("10_ITEMS_NAME_" + mSceneName));
        return;
    }
    for (size_t i = 0; i < list.size() && i < kItemListLength; ++i)
    {
        mItemList->AddLeft(list[i].mName);
        if (list[i].mTaken)
            mItemList->SetFoundQuiet(list[i].mName);
    }
}

SceneProgress* GameFrame::SceneRecord() const
{
    PlayerProfile* profile = gSharkInterface != nullptr ? gSharkInterface->GetCurrentProfile() : nullptr;
    return profile != nullptr ? profile->mLevelProgress.FindScene(mSceneName) : nullptr;
}

void GameFrame::UpdateFraction(float)
{
    mItemList->UpdateFraction(1.0f);
    for (auto& [index, hint] : mItemHints)
        hint.Update();
    if (mHintWidget->mHintRequested)
        UseHint();
}

void GameFrame::UseHint()
{
    mHintWidget->mHintRequested = false;
    const std::vector<size_t> shown = ChooseHintTargets(
        mModel, mSceneName == "Scene1",
        [&](size_t index)
        {
            const auto hint = mItemHints.find(index);
            return hint == mItemHints.end() || !hint->second.IsPulsing();
        },
        [] { return platform::rand(); });
    if (shown.empty())
        return;
    for (size_t index : shown)
        mItemHints[index].Start();
    mHintWidget->UseHint();
    mModel.SetHints(mHintWidget->mCount);
    if (PlayerProfile* profile = gSharkInterface != nullptr ? gSharkInterface->GetCurrentProfile() : nullptr)
        profile->SetHints(mHintWidget->mCount);
}

void GameFrame::Draw(Quib::Graphics* g)
{
    for (size_t i = 0; i < mModel.Items().size(); ++i)
    {
        const PlayfieldItem& item = mModel.Items()[i];
        Quib::DDImage* picture = mPictures[i].get();
        if (picture == nullptr || item.mRemoved || !item.mVisible)
            continue;
        if (item.mKind == SceneItemKind::Hint)
            g->DrawImage(picture, item.mX, item.mY, Quib::Rect(0, 0, item.mWidth, item.mHeight));
        else if (const auto hint = mItemHints.find(i); hint != mItemHints.end() && hint->second.IsPulsing())
        {
            g->SetTintImages(true);
            g->SetColor(Quib::Color(item.mRecord.mRed, item.mRecord.mGreen, item.mRecord.mBlue,
                                    hint->second.mPulseAlpha));
            g->DrawImage(picture, item.mX, item.mY);
            g->SetTintImages(false);
        }
        else
            g->DrawImage(picture, item.mX, item.mY);
    }
    RequestOverlayDraw(3);
}

void GameFrame::DrawOverlay(Quib::Graphics* g)
{
    g->DrawImage(IMAGE_GUI_NORMAL, 0, 0);
    g->Translate(kListX, kListY);
    mItemList->Draw(g);
    g->Translate(-kListX, -kListY);
    for (const auto& [index, hint] : mItemHints)
    {
        const PlayfieldItem& item = mModel.Items()[index];
        if (item.mRemoved)
            continue;
        g->Translate(item.mX, item.mY);
        hint.DrawSparkle(g, item.mWidth, item.mHeight);
        g->Translate(-item.mX, -item.mY);
    }
}

void GameFrame::OnMouseButtonDown(int x, int y, int button, int)
{
    if (button != 0 || mItemsDoneShown)
        return;
    const int32_t index = mModel.FindItemAt(x, y, mModel.IsHeldSelected());
    const std::string name = index >= 0 ? mModel.Items()[size_t(index)].mRecord.mName : std::string();
    switch (mModel.Click(x, y))
    {
    case ClickOutcome::Found:
    {
        const int32_t sounds[] = {SFX_ITEM_FOUND_1, SFX_ITEM_FOUND_2, SFX_ITEM_FOUND_3, SFX_ITEM_FOUND_4};
        PlaySound(sounds[platform::rand() % 4]);
        if (mListMode == kFullListMode)
            mItemList->MarkFound(name);
        else
            mItemList->mRemaining = mModel.ItemsLeft();
        CheckItemsDone();
        break;
    }
    case ClickOutcome::HintTaken:
        PlaySound(SFX_HINT_USED);
        mHintWidget->AddHint();
        break;
    case ClickOutcome::Misclick:
        OnMisclick(x, y);
        break;
    default:
        break;
    }
}

void GameFrame::OnMisclick(int x, int y)
{
    if (mModel.IsHeldSelected())
    {
        PlaySound(SFX_ACTION_ITEM_MISSED);
        return;
    }
    Quib::gApp->SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER_RED);
    PlaySound(platform::rand() % 2 == 0 ? SFX_ITEM_MISSED_1 : SFX_ITEM_MISSED_2);
    if (mMisclicks.OnMisclick())
        StartMouseRun(x, y);
}

void GameFrame::OnMouseButtonUp(int, int, int, int)
{
    if (!mMisclicks.IsMouseRunning())
        Quib::gApp->SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER);
}

// The real pointer vanishes while its copy runs away; clicks go on reaching
// the picture through the running copy.
void GameFrame::StartMouseRun(int x, int y)
{
    Quib::gApp->SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER_EMPTY);
    mMouse->Resize(0, 0, 800, 600);
    mMouse->mMouseVisible = false;
    mMouse->Start(x, y);
    AddChild(mMouse.get());
}

void GameFrame::EndMouseRun()
{
    Quib::gApp->SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER);
    if (mWidgetManager != nullptr)
    {
        mWidgetManager->mLastMouseX = 200;
        mWidgetManager->mLastMouseY = 200;
    }
    mMouse->Resize(0, 0, 0, 0);
    RemoveChild(mMouse.get());
    mMisclicks.EndMouseRun();
    const int x = 120 + platform::rand() % 630;
    const int y = 20 + platform::rand() % 560;
    Quib::gApp->WarpPointer(x, y);
}

void GameFrame::CheckItemsDone()
{
    if (!mItemsDoneShown && mModel.ItemsLeft() == 0 && mStack != nullptr && mStack->Top() == this)
        OnSceneItemsDone();
}

void GameFrame::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    if (PlayerProfile* profile = gSharkInterface != nullptr ? gSharkInterface->GetCurrentProfile() : nullptr)
        mHintWidget->SetCount(profile->GetHints());
    mModel.SetHints(mHintWidget->mCount);
    if (mClock)
    {
        if (const SceneProgress* record = SceneRecord())
            mClock->SetTime(record->mClock[0], record->mClock[1], record->mClock[2], record->mClock[3]);
        else
            mClock->SetTime(0, SceneProgress::kDefaultClockMinutes, 0, 0);
        mClock->mCountdown->Start();
        mClock->SlideIn();
    }
    ScreenBase::OnEntered(stack);
    mItemList->TypeIn();
    CheckItemsDone();
}

void GameFrame::OnLeft(GameStateStack* stack)
{
    if (SceneProgress* record = SceneRecord(); record != nullptr && mClock)
    {
        const TimeValue left = mClock->mCountdown->GetRemaining();
        record->SetClock(left.mHours, left.mMinutes, left.mSeconds, left.mMilliseconds);
    }
    if (PlayerProfile* profile = gSharkInterface != nullptr ? gSharkInterface->GetCurrentProfile() : nullptr)
        profile->SetHints(mHintWidget->mCount);
    ScreenBase::OnLeft(stack);
    mStack = nullptr;
}

// The countdown does not run while another screen covers the scene.
void GameFrame::OnCovered(GameStateStack* stack)
{
    ScreenBase::OnCovered(stack);
    if (mClock)
        mClock->mCountdown->Stop();
}

void GameFrame::OnUncovered(GameStateStack* stack)
{
    ScreenBase::OnUncovered(stack);
    if (mClock && mClock->mTimeUpArmed)
        mClock->mCountdown->Start();
    CheckItemsDone();
}

void GameFrame::OnTimeExceeded()
{
    ShowDialog(StringTable::GetInstance().Lookup("LBL_DIALOG_TIME_EXCEEDED"), DIALOG_ID_TIME_EXCEEDED, true);
}

void GameFrame::OnSceneItemsDone()
{
    mItemsDoneShown = true;
    const StringTable& strings = StringTable::GetInstance();
    if (mListMode == kTenItemsListMode)
        ShowDialog(strings.Lookup("LBL_DIALOG_10_ITEMS_FOUND"), DIALOG_ID_TEN_ITEMS_FOUND, false);
    else if (mListMode == kFullListMode)
    {
        const char* key = mModel.IsMiniGameDone() ? "LBL_DIALOG_ITEMS_FOUND_MINI_GAME_HAS_BEEN_SOLVED"
                          : mModel.HasHeldItem()  ? "LBL_DIALOG_ITEMS_FOUND_IF_PIECES_FOUND"
                                                  : "LBL_DIALOG_ITEMS_FOUND";
        ShowDialog(strings.Lookup(key), DIALOG_ID_ITEMS_FOUND, false);
    }
}

void GameFrame::ShowDialog(const std::string& text, int32_t id, bool dim)
{
    auto* dialog = new CustomDialog(text, id, CustomDialog::BUTTONS_OK, dim, false);
    dialog->Resize(0, 0, 800, 600);
    dialog->Move(0, 0);
    dialog->SetListener(this);
    PushGameState(dialog, mStack);
}

void GameFrame::OnDialogClosed(int32_t dialogId, int32_t)
{
    GameStateStack* stack = mStack;
    PopGameState(stack);
    if (dialogId == DIALOG_ID_TEN_ITEMS_FOUND || dialogId == DIALOG_ID_TIME_EXCEEDED)
        PopGameState(stack);
}
