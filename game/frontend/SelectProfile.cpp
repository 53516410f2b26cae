#include "game/frontend/SelectProfile.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/DialogPanel.h"
#include "game/frontend/PlayerNameEntry.h"
#include "game/frontend/WoodenButton.h"
#include "game/records/ProfileList.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

namespace
{

constexpr int kListId = 1;
constexpr int kDeleteQuestion = -1;
constexpr int kScrollBarWidth = 15;

} // namespace

SelectProfile::SelectProfile(bool createFirst) : mCreateFirst(createFirst)
{
    StringTable& strings = StringTable::GetInstance();
    mTitle = strings.Lookup("LBL_PROFILE_MENULABEL");
    mTitleOffsetX = PanelTitleOffset(mTitle);

    mList = std::make_unique<Quib::ListWidget>(FONT_ITEM_LABELS, this);
    mList->mId = kListId;
    mList->mJustify = 1;
    mList->mDrawSelectWhenHilited = true;
    // The names are black: they stand on paper, not on dark brown.
    static constexpr int kColors[][3] = {{236, 222, 190}, {255, 155, 0}, {0, 0, 0},
                                         {255, 255, 255}, {60, 18, 0},   {255, 155, 0}};
    mList->SetColorsRGB(kColors, 6);
    mScrollBar = std::make_unique<Quib::ScrollbarWidget>(mList.get());
    mScrollBar->SetHideWhenUnneeded(false);
    mList->mScrollbar = mScrollBar.get();
    mList->Resize(800, 0, IMAGE_BUTTON_MAIN_MENU->GetWidth(), 140);
    mScrollBar->ResizeScrollbar(mList->mX + mList->mWidth, mList->mY, kScrollBarWidth, mList->mHeight);
    RefreshList();

    void (SelectProfile::*const actions[])() = {
        &SelectProfile::OnDoneClicked, &SelectProfile::OnCreateClicked, &SelectProfile::OnRenameClicked,
        &SelectProfile::OnDeleteClicked};
    const char* const labels[] = {"BTN_PROFILE_DONE", "BTN_PROFILE_CREATE", "BTN_PROFILE_RENAME",
                                  "BTN_PROFILE_DELETE"};
    for (int i = 0; i < 4; ++i)
    {
        mButtons.push_back(MakeWoodenButton(labels[i], 800, 0, 36));
        mButtons.back()->mOnClick = [this, action = actions[i]] { (this->*action)(); };
    }

    mSlideIn = SlidePanelIn(&mPanelX, &mPanelY);
    mSlideOut = SlidePanelOut(&mPanelX);
    mSlideIn->Start(this, 0);
}

SelectProfile::~SelectProfile() = default;

GameStateStack* SelectProfile::Stack() const
{
    return SharkInterface::GetInstance()->mGameStates.get();
}

bool SelectProfile::HasProfile() const
{
    const ProfileList* profiles = SharkInterface::GetInstance()->mProfiles.get();
    return profiles != nullptr && profiles->GetProfileCount() > 0;
}

bool SelectProfile::IsBusy() const
{
    return mSlideIn->IsRunning() || mSlideOut->IsRunning();
}

void SelectProfile::RefreshList()
{
    mList->RemoveAllLines();
    SharkInterface::GetInstance()->FillProfileList(mList.get());
    mList->SetSelection(0);
}

int SelectProfile::GetProfileLineCount() const
{
    return mList->GetLineCount();
}

int SelectProfile::GetSelectedLine() const
{
    return mList->mSelectIdx;
}

void SelectProfile::SelectLine(int line)
{
    mList->SetSelection(line);
    mScrollBar->SetValue(double(line));
}

void SelectProfile::LayoutAt(int x, int y)
{
    const int column = x + IMAGE_GUI_DIALOG->GetWidth() / 2 - IMAGE_BUTTON_MAIN_MENU->GetWidth() / 2;
    const int h = IMAGE_BUTTON_MAIN_MENU->GetHeight();
    mList->Move(column, y + 114);
    mButtons[BUTTON_CREATE]->Move(column, y + 257);
    mButtons[BUTTON_RENAME]->Move(column, y + h + 255);
    mButtons[BUTTON_DELETE]->Move(column, y + 2 * h + 253);
    mButtons[BUTTON_DONE]->Move(column, y + 3 * h + 251);
    mScrollBar->ResizeScrollbar(mList->mX + mList->mWidth, mList->mY, kScrollBarWidth, mList->mHeight);
}

void SelectProfile::UpdateFraction(float fraction)
{
    ScreenBase::UpdateFraction(fraction);
    for (ActionSequence* slide : {mSlideIn.get(), mSlideOut.get()})
    {
        if (!slide->IsRunning())
            continue;
        slide->Update();
        LayoutAt(mPanelX, mPanelY);
    }
}

void SelectProfile::Draw(Quib::Graphics* g)
{
    DrawPanelAndTitle(g, mPanelX, mPanelY, mTitleOffsetX, mTitle);
}

void SelectProfile::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    for (auto& button : mButtons)
        manager->AddChild(button.get());
    manager->AddChild(mList.get());
    manager->AddChild(mScrollBar.get());
}

void SelectProfile::OnDetached(Quib::WidgetManager* manager)
{
    ScreenBase::OnDetached(manager);
    for (auto& button : mButtons)
        manager->RemoveChild(button.get());
    manager->RemoveChild(mList.get());
    manager->RemoveChild(mScrollBar.get());
}

void SelectProfile::OnCovered(GameStateStack*) {}

void SelectProfile::OnUncovered(GameStateStack*)
{
    if (mCreateFirst)
        mSlideOut->Start(this, 1);
}

void SelectProfile::OnListClick(int listId, int line, int)
{
    if (listId == kListId)
        mList->SetSelection(line);
}

void SelectProfile::OnDoneClicked()
{
    if (IsBusy() || !HasProfile())
        return;
    SharkInterface* app = SharkInterface::GetInstance();
    app->mProfiles->SetCurrentProfileIndex(GetSelectedLine());
    app->SaveProfiles();
    mSlideOut->Start(this, 1);
}

void SelectProfile::OpenNameEntry(int mode)
{
    auto* entry = new PlayerNameEntry(mode, this);
    entry->Resize(0, 0, 800, 600);
    PushGameState(entry, Stack());
}

void SelectProfile::OnCreateClicked()
{
    if (!IsBusy())
        OpenNameEntry(PlayerNameEntry::MODE_CREATE);
}

void SelectProfile::OnRenameClicked()
{
    if (!IsBusy() && HasProfile())
        OpenNameEntry(PlayerNameEntry::MODE_RENAME);
}

void SelectProfile::OnDeleteClicked()
{
    if (IsBusy() || !HasProfile())
        return;
    auto* dialog = new CustomDialog(StringTable::GetInstance().Lookup("LBL_ARE_YOU_SURE"), kDeleteQuestion,
                                    CustomDialog::BUTTONS_YES_NO, false, false);
    dialog->Resize(0, 0, 800, 600);
    dialog->SetListener(this);
    PushGameState(dialog, Stack());
}

void SelectProfile::OnDialogClosed(int32_t, int32_t result)
{
    PopGameState(Stack());
    if (result != CustomDialog::RESULT_YES)
        return;
    SharkInterface* app = SharkInterface::GetInstance();
    const int line = GetSelectedLine();
    const PlayerProfile* profile = app->GetProfile(line);
    if (profile == nullptr)
        return;
    const std::string fileName = profile->mFileName;
    app->DeleteProfile(line);
    // The index is written over atomically before the profile's file goes, so
    // a crash at any point leaves an index that names only files on the disk
    // or the profile still whole.
    app->SaveProfiles();
    app->mProfiles->DeleteProfileFile(fileName);
    RefreshList();
    SelectLine(app->mProfiles->GetCurrentProfileIndex());
    if (!HasProfile())
        OpenNameEntry(PlayerNameEntry::MODE_CREATE);
}

void SelectProfile::OnActionFinished(int id)
{
    if (id == 0 && mCreateFirst)
        OpenNameEntry(PlayerNameEntry::MODE_CREATE);
    else if (id == 1)
        PopGameState(Stack());
}
