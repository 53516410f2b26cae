#include "game/play/screen/GameFrame.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/Paths.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "game/play/SceneList.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/SoundEffectHost.h"
#include "game/shell/StringTable.h"
#include "platform/Random.h"

#include <algorithm>

namespace
{

const Quib::Color kNameColor(255, 255, 255);
const Quib::Color kFoundColor(150, 150, 150);
const Quib::Color kShadowColor(0, 0, 0);
constexpr int32_t kStrikeOffset = 4;

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

GameFrame::GameFrame(const std::string& sceneName, int32_t listMode, std::vector<SceneListEntry> list)
    : mSceneName(sceneName), mListMode(listMode)
{
    Resize(0, 0, 800, 600);
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
    for (const SceneListEntry& entry : list)
        if (mListEntries.size() < kItemListLength)
            mListEntries.push_back({entry.mName, entry.mTaken});
}

GameFrame::~GameFrame() = default;

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
        else
            g->DrawImage(picture, item.mX, item.mY);
    }
    RequestOverlayDraw(3);
}

void GameFrame::DrawOverlay(Quib::Graphics* g)
{
    g->DrawImage(IMAGE_GUI_NORMAL, 0, 0);
    g->Translate(kListX, kListY);
    DrawItemList(g);
    g->Translate(-kListX, -kListY);
}

void GameFrame::DrawItemList(Quib::Graphics* g)
{
    g->SetFont(FONT_ITEM_LABELS);
    const int lineHeight = FONT_ITEM_LABELS->GetHeight();
    for (size_t n = 0; n < mListEntries.size(); ++n)
    {
        const ListEntry& entry = mListEntries[n];
        int x = 2, y = int(n) * (lineHeight + 2) + 14;
        if (mListMode == kTenItemsListMode)
        {
            x = kListWidth / 2 - FONT_ITEM_LABELS->GetStringWidth(entry.mName) / 2 - 5;
            y = kListHeight / 3 + int(n) * (lineHeight + 1) + 14;
        }
        g->SetColor(kShadowColor);
        g->DrawString(entry.mName, x + 1, y + 1);
        g->SetColor(entry.mFound ? kFoundColor : kNameColor);
        g->DrawString(entry.mName, x, y);
        if (entry.mFound)
        {
            const int width = FONT_ITEM_LABELS->GetStringWidth(entry.mName);
            g->SetColor(kShadowColor);
            g->DrawLine(x + 1, y - kStrikeOffset + 1, x + width + 1, y - kStrikeOffset + 1);
            g->SetColor(kFoundColor);
            g->DrawLine(x, y - kStrikeOffset, x + width, y - kStrikeOffset);
        }
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
        for (ListEntry& entry : mListEntries)
            if (!entry.mFound && entry.mName == name)
            {
                entry.mFound = true;
                break;
            }
        CheckItemsDone();
        break;
    }
    case ClickOutcome::Misclick:
        OnMisclick();
        break;
    default:
        break;
    }
}

void GameFrame::OnMisclick()
{
    if (mModel.IsHeldSelected())
    {
        PlaySound(SFX_ACTION_ITEM_MISSED);
        return;
    }
    Quib::gApp->SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER_RED);
    PlaySound(platform::rand() % 2 == 0 ? SFX_ITEM_MISSED_1 : SFX_ITEM_MISSED_2);
}

void GameFrame::OnMouseButtonUp(int, int, int, int)
{
    Quib::gApp->SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER);
}

void GameFrame::CheckItemsDone()
{
    if (!mItemsDoneShown && mModel.ItemsLeft() == 0 && mStack != nullptr && mStack->Top() == this)
        OnSceneItemsDone();
}

void GameFrame::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    ScreenBase::OnEntered(stack);
    CheckItemsDone();
}

void GameFrame::OnLeft(GameStateStack* stack)
{
    ScreenBase::OnLeft(stack);
    mStack = nullptr;
}

void GameFrame::OnUncovered(GameStateStack* stack)
{
    ScreenBase::OnUncovered(stack);
    CheckItemsDone();
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
    if (dialogId == DIALOG_ID_TEN_ITEMS_FOUND)
        PopGameState(stack);
}
