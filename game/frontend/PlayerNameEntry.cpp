#include "game/frontend/PlayerNameEntry.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/CustomEditWidget.h"
#include "game/frontend/DialogPanel.h"
#include "game/frontend/ShadowedText.h"
#include "game/frontend/WoodenButton.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/records/ProfileList.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

#include <algorithm>

namespace
{

constexpr int kNameEditId = 0;
constexpr int kSameNameDialog = 0;
constexpr int kCheckboxY = 280;
constexpr int kCheckboxMargin = 75;

GameStateStack* Stack()
{
    return SharkInterface::GetInstance()->mGameStates.get();
}

} // namespace

bool IsPlayerNameCharacter(char character)
{
    const unsigned char c = static_cast<unsigned char>(character);
    return !((c >= 34 && c <= 47) || (c >= 58 && c <= 60) || (c >= 62 && c <= 64) || (c >= 91 && c <= 94));
}

PlayerNameEntry::PlayerNameEntry(int mode, NameEntryOwner* owner)
    : mOwner(owner), mMode(mode == MODE_RENAME ? MODE_RENAME : MODE_CREATE)
{
    mLoaded = MiniGameWidget::LoadGroup("PlayerNameEntry", &FetchGroupPlayerNameEntry);
    if (!mLoaded)
        return;
    StringTable& strings = StringTable::GetInstance();
    mTitle = strings.Lookup("LBL_PROFILE_ENTER_NAME");
    mTitleOffsetX = PanelTitleOffset(mTitle);
    mTimedLabel = strings.Lookup("LBL_PROFILE_TIMED_PLAY");
    mRelaxedLabel = strings.Lookup("LBL_PROFILE_RELAXED_PLAY");
    mMaxCharsLabel = strings.Lookup("LBL_PROFILE_MAX_NAME_CHARACTERS");

    if (mMode == MODE_CREATE)
    {
        const int boxY = kCheckboxY - IMAGE_CHECK_ON1->GetHeight() / 2;
        mTimedBox = std::make_unique<Quib::Checkbox>(IMAGE_CHECK_OFF1, IMAGE_CHECK_ON1, CHECKBOX_TIMED, this);
        mRelaxedBox =
            std::make_unique<Quib::Checkbox>(IMAGE_CHECK_OFF1, IMAGE_CHECK_ON1, CHECKBOX_RELAXED, this);
        for (Quib::Checkbox* box : {mTimedBox.get(), mRelaxedBox.get()})
            box->Resize(800, boxY, IMAGE_CHECK_ON1->GetWidth(), IMAGE_CHECK_ON1->GetHeight());
        mRelaxedBox->SetChecked(true, false);
    }

    mOkButton = MakeWoodenButton("BTN_PROFILE_DONE", 800, 477, 36);
    mOkButton->mOnClick = [this] { OnOk(); };

    mNameEdit = std::make_unique<CustomEditWidget>(kNameEditId, this);
    mNameEdit->SetFont(FONT_ITEM_LABELS);
    mNameEdit->Resize(800, 148, 280, 60);
    static constexpr int kColors[][4] = {
        {90, 56, 28, 150}, {255, 155, 0, 255}, {255, 255, 255, 255}, {255, 155, 0, 255}};
    // Colours 0 to 3 only: the selected text keeps the field's own colour 4, white.
    for (int i = 0; i < 4; ++i)
        mNameEdit->SetColor(i, Quib::Color(kColors[i][0], kColors[i][1], kColors[i][2], kColors[i][3]));
    mNameEdit->mMaxChars = kMaxNameLength;
    const PlayerProfile* renamed =
        mMode == MODE_RENAME ? SharkInterface::GetInstance()->GetProfile(mOwner->GetSelectedLine()) : nullptr;
    mNameEdit->SetText(renamed != nullptr ? renamed->mName : strings.Lookup("LBL_PROFILE_DEFAULT_NAME"));

    mSlideIn = SlidePanelIn(&mPanelX, &mPanelY);
    mSlideOut = SlidePanelOut(&mPanelX);
    mSlideIn->Start(this, 0);
}

PlayerNameEntry::~PlayerNameEntry()
{
    mTimedBox.reset();
    mRelaxedBox.reset();
    mNameEdit.reset();
    mOkButton.reset();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("PlayerNameEntry");
}

bool PlayerNameEntry::IsBusy() const
{
    return mSlideIn->IsRunning() || mSlideOut->IsRunning();
}

void PlayerNameEntry::Layout()
{
    if (mMode == MODE_CREATE)
    {
        mTimedBox->Move(mPanelX + kCheckboxMargin, mTimedBox->mY);
        mRelaxedBox->Move(mPanelX + IMAGE_GUI_DIALOG->GetWidth() - IMAGE_CHECK_ON1->GetWidth() -
                              kCheckboxMargin,
                          mRelaxedBox->mY);
    }
    mNameEdit->Move(mPanelX + 84, mNameEdit->mY);
    mOkButton->Move(mPanelX + 105, mOkButton->mY);
}

void PlayerNameEntry::UpdateFraction(float fraction)
{
    ScreenBase::UpdateFraction(fraction);
    if (!mLoaded)
        return;
    for (ActionSequence* slide : {mSlideIn.get(), mSlideOut.get()})
    {
        if (!slide->IsRunning())
            continue;
        slide->Update();
        Layout();
    }
}

void PlayerNameEntry::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    if (!mLoaded)
        return;
    manager->AddChild(mNameEdit.get());
    manager->SetFocusWidget(mNameEdit.get());
    manager->AddChild(mOkButton.get());
    if (mMode == MODE_CREATE)
    {
        manager->AddChild(mTimedBox.get());
        manager->AddChild(mRelaxedBox.get());
    }
}

void PlayerNameEntry::OnDetached(Quib::WidgetManager* manager)
{
    if (mLoaded)
    {
        manager->RemoveChild(mNameEdit.get());
        manager->RemoveChild(mOkButton.get());
        if (mMode == MODE_CREATE)
        {
            manager->RemoveChild(mTimedBox.get());
            manager->RemoveChild(mRelaxedBox.get());
        }
    }
    ScreenBase::OnDetached(manager);
}

void PlayerNameEntry::OnCovered(GameStateStack*) {}

void PlayerNameEntry::OnUncovered(GameStateStack*) {}

void PlayerNameEntry::Draw(Quib::Graphics* g)
{
    if (!mLoaded)
        return;
    DrawPanelAndTitle(g, mPanelX, mPanelY, mTitleOffsetX, mTitle);
    const std::string limit = mMaxCharsLabel + std::to_string(kMaxNameLength) + ".";
    const int width = FONT_ITEM_LABELS->GetStringWidth(limit);
    const Quib::Widget& field = *mNameEdit;
    DrawShadowedString(g, FONT_ITEM_LABELS, limit, field.mX + field.mWidth / 2 - width / 2, field.mY + 74);
    if (mMode == MODE_CREATE)
    {
        DrawCheckboxLabel(g, *mTimedBox, mTimedLabel);
        DrawCheckboxLabel(g, *mRelaxedBox, mRelaxedLabel);
    }
}

void PlayerNameEntry::DrawCheckboxLabel(Quib::Graphics* g, const Quib::Checkbox& box,
                                        const std::string& label)
{
    const int centre = box.mX + box.mWidth / 2;
    DrawShadowedString(g, FONT_ITEM_LABELS, label, centre - FONT_ITEM_LABELS->GetStringWidth(label) / 2,
                       box.mY - 6);
}

void PlayerNameEntry::OnEditReturn(int, const std::string& text)
{
    if (!text.empty())
        OnOk();
}

bool PlayerNameEntry::AcceptsKey(int, int)
{
    return true;
}

bool PlayerNameEntry::AcceptsChar(int, char character)
{
    return IsPlayerNameCharacter(character);
}

void PlayerNameEntry::OnCheckboxToggled(int id, bool checked)
{
    SharkInterface::GetInstance()->PlaySoundEffect(SFX_CHECKBOX1);
    Quib::Checkbox* other = id == CHECKBOX_TIMED ? mRelaxedBox.get() : mTimedBox.get();
    if (other != nullptr)
        other->SetChecked(!checked, false);
}

void PlayerNameEntry::OnOk()
{
    if (!mLoaded || IsBusy())
        return;
    const std::string name = mNameEdit->mString;
    if (name.empty())
        return;
    if (mMode == MODE_RENAME)
    {
        RenameProfile(name);
        return;
    }
    const ProfileList& profiles = *SharkInterface::GetInstance()->mProfiles;
    for (int i = 0; i < profiles.GetProfileCount(); ++i)
    {
        if (profiles.GetProfile(i)->GetName() != name)
            continue;
        auto* dialog = new CustomDialog(StringTable::GetInstance().Lookup("LBL_DIALOG_SAME_NAME_EXISTS"),
                                        kSameNameDialog, CustomDialog::BUTTONS_OK, true, false);
        dialog->Resize(0, 0, 800, 600);
        dialog->SetListener(this);
        PushGameState(dialog, Stack());
        Quib::gApp->mWidgetManager->SetFocusWidget(dialog);
        return;
    }
    CreateProfile(name);
}

void PlayerNameEntry::RenameProfile(const std::string& name)
{
    const int line = mOwner->GetSelectedLine();
    // The profile keeps its file: a new name never moves it onto another profile's file.
    if (PlayerProfile* profile = SharkInterface::GetInstance()->GetProfile(line))
        profile->SetName(name);
    mOwner->RefreshList();
    mOwner->SelectLine(line);
    StartClosing();
}

void PlayerNameEntry::CreateProfile(const std::string& name)
{
    SharkInterface* app = SharkInterface::GetInstance();
    auto profile = std::make_unique<PlayerProfile>();
    profile->mTimedPlay = mTimedBox->IsChecked();
    profile->mName = name;
    profile->mFileName = app->mProfiles->MakeNewFileName(name);
    profile->PrepareCurrentLevel(app->GetLevelPreparationSource());
    app->AddProfile(std::move(profile));
    mOwner->RefreshList();
    mOwner->SelectLine(mOwner->GetProfileLineCount() - 1);
    StartClosing();
}

void PlayerNameEntry::StartClosing()
{
    mSlideOut->Start(this, 1);
}

void PlayerNameEntry::OnDialogClosed(int32_t, int32_t)
{
    PopGameState(Stack());
    // The dialog took the keys; the player goes on typing the other name.
    Quib::gApp->mWidgetManager->SetFocusWidget(mNameEdit.get());
}

void PlayerNameEntry::OnActionFinished(int id)
{
    if (id != 1)
        return;
    SharkInterface::GetInstance()->SaveProfiles();
    PopGameState(Stack());
}
