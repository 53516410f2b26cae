#include "game/frontend/BonusScreen.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/BonusHelpScreen.h"
#include "game/frontend/ShadowedText.h"
#include "game/frontend/WallpaperInstaller.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/records/PlayerProfile.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

namespace
{

constexpr int kButtonsStartY = 620;
constexpr int kButtonsSlide = 154;
constexpr int kPageSlide = 460;
constexpr int kSlideMilliseconds = 500;
// The frame the page is reduced into, and the point the picture is centred on.
constexpr int kFrameX = 111, kFrameWidth = 601, kFrameHeight = 451;
constexpr int kPictureCentreX = 412, kPictureCentreY = 225;

} // namespace

BonusScreen::BonusScreen(const PlayerProfile* profile, bool gameCompleted)
{
    mLoaded = MiniGameWidget::LoadGroup("PuzzleScreen", &FetchGroupPuzzleScreen);
    if (!mLoaded)
        return;
    mLockedText = StringTable::GetInstance().Lookup("LBL_LOCKED");
    BuildButtons();
    BuildSlides();
    mUnlocked.assign(kPageCount, false);
    if (profile != nullptr)
    {
        mUnlocked[0] = true;
        const auto& entries = profile->mWallpaperUnlocks.mEntries;
        for (int page = 1; page < kPageCount; ++page)
            mUnlocked[size_t(page)] =
                gameCompleted || (size_t(page - 1) < entries.size() && entries[size_t(page - 1)].mUnlocked);
    }
    ShowPage(0);
}

BonusScreen::~BonusScreen()
{
    mPagePicture.reset();
    mButtons.clear();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("PuzzleScreen");
}

void BonusScreen::BuildButtons()
{
    const int w = IMAGE_BUTTON_MAIN_MENU->GetWidth();
    const int h = IMAGE_BUTTON_MAIN_MENU->GetHeight();
    const int arrowWidth = IMAGE_GUI_ARROW_LEFT_NORMAL->GetWidth();
    const int arrowY = kButtonsStartY + (h - IMAGE_GUI_ARROW_LEFT_NORMAL->GetHeight()) / 2;
    const StringTable& strings = StringTable::GetInstance();

    auto arrow = [](int x, int y, Quib::Image* normal, Quib::Image* over, Quib::Image* pressed)
    {
        MenuItemLook layout;
        layout.x = x;
        layout.y = y;
        layout.labelY = 36;
        layout.hoverPicture = over;
        layout.pressedPicture = pressed;
        return CreateMenuItem(layout, normal);
    };
    auto labelled = [&](int x, int y, const char* labelKey)
    {
        std::unique_ptr<MenuItem> button =
            arrow(x, y, IMAGE_BUTTON_MAIN_MENU, IMAGE_BUTTON_MAIN_MENU_OVER, IMAGE_BUTTON_MAIN_MENU_DOWN);
        button->mLabel = strings.Lookup(labelKey);
        return button;
    };
    mButtons.push_back(arrow(392 - w / 2 - arrowWidth, arrowY, IMAGE_GUI_ARROW_LEFT_NORMAL,
                             IMAGE_GUI_ARROW_LEFT_OVER, IMAGE_GUI_ARROW_LEFT_PRESSED));
    mButtons.push_back(labelled(400 - w / 2, kButtonsStartY, "BTN_SET_WALLPAPER"));
    mButtons.push_back(labelled(390 - w, kButtonsStartY + h, "BTN_BACK"));
    mButtons.push_back(labelled(410, kButtonsStartY + h, "LBL_HELP"));
    mButtons.push_back(arrow(408 + w / 2, arrowY, IMAGE_GUI_ARROW_RIGHT_NORMAL, IMAGE_GUI_ARROW_RIGHT_OVER,
                             IMAGE_GUI_ARROW_RIGHT_PRESSED));
    mButtons[BUTTON_PREVIOUS]->mOnClick = [this] { ShowPreviousPage(); };
    mButtons[BUTTON_SET_WALLPAPER]->mOnClick = [this] { SetWallpaper(); };
    mButtons[BUTTON_BACK]->mOnClick = [this] { OnBackClicked(); };
    mButtons[BUTTON_HELP]->mOnClick = [this] { OnHelpClicked(); };
    mButtons[BUTTON_NEXT]->mOnClick = [this] { ShowNextPage(); };
}

void BonusScreen::BuildSlides()
{
    using namespace steps;
    auto placeIn = Together(Set(&mDimColor.mAlpha, 0), Set(&mPageY, -451));
    auto moveIn = Together(Tween(&mDimColor.mAlpha, 100, kSlideMilliseconds),
                           Tween(&mPageY, kPageSlide, kSlideMilliseconds));
    auto placeOut = Together(Set(&mDimColor.mAlpha, 100), Set(&mPageY, 9));
    auto moveOut = Together(Tween(&mDimColor.mAlpha, -100, kSlideMilliseconds),
                            Tween(&mPageY, -kPageSlide, kSlideMilliseconds));
    for (const auto& button : mButtons)
    {
        placeIn->Append(Set(&button->mY, button->mY));
        moveIn->Append(Tween(&button->mY, -kButtonsSlide, kSlideMilliseconds));
        placeOut->Append(Set(&button->mY, button->mY - kButtonsSlide));
        moveOut->Append(Tween(&button->mY, kButtonsSlide, kSlideMilliseconds));
    }
    mSlideIn = InOrder(std::move(placeIn), std::move(moveIn));
    mSlideOut = InOrder(std::move(placeOut), std::move(moveOut));
}

void BonusScreen::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    for (const auto& button : mButtons)
        manager->AddChild(button.get());
    if (mLoaded)
        mSlideIn->Start(this, 100);
}

void BonusScreen::OnDetached(Quib::WidgetManager* manager)
{
    for (const auto& button : mButtons)
        manager->RemoveChild(button.get());
    ScreenBase::OnDetached(manager);
}

void BonusScreen::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    ScreenBase::OnEntered(stack);
}

void BonusScreen::OnCovered(GameStateStack*)
{
    if (mLoaded)
        mSlideOut->Start(this, 0);
}

void BonusScreen::OnUncovered(GameStateStack*)
{
    if (mLoaded)
        mSlideIn->Start(this, 0);
}

bool BonusScreen::IsSliding() const
{
    return mSlideIn->IsRunning() || mSlideOut->IsRunning();
}

bool BonusScreen::IsUnlocked(int page) const
{
    return page >= 0 && size_t(page) < mUnlocked.size() && mUnlocked[size_t(page)];
}

void BonusScreen::ShowPage(int page)
{
    if (page < 0 || page >= kPageCount)
        return;
    mPage = page;
    mPagePicture.reset(Quib::gApp->LoadImage(WallpaperPicturePath(page), 1));
}

void BonusScreen::ShowPreviousPage()
{
    if (!IsSliding())
        ShowPage(mPage == 0 ? kPageCount - 1 : mPage - 1);
}

void BonusScreen::ShowNextPage()
{
    if (!IsSliding())
        ShowPage(mPage == kPageCount - 1 ? 0 : mPage + 1);
}

void BonusScreen::SetWallpaper()
{
    if (IsSliding() || !IsUnlocked(mPage))
        return;
    const WallpaperOutcome outcome = InstallWallpaper(mPage);
    if (outcome == WallpaperOutcome::NotCopied)
        ShowMessage("LBL_WALLPAPER_NOT_COPIED");
    else if (outcome == WallpaperOutcome::NotSet)
        ShowMessage("LBL_WALLPAPER_NOT_SET");
}

void BonusScreen::ShowMessage(const char* textKey)
{
    auto* dialog = new CustomDialog(StringTable::GetInstance().Lookup(textKey), 0, CustomDialog::BUTTONS_OK,
                                    true, false);
    dialog->Resize(0, 0, 800, 600);
    dialog->SetListener(this);
    PushGameState(dialog, mStack);
}

void BonusScreen::OnDialogClosed(int32_t, int32_t)
{
    PopGameState(mStack);
}

void BonusScreen::OnHelpClicked()
{
    if (IsSliding())
        return;
    auto* help = new BonusHelpScreen();
    help->Resize(0, 0, 800, 600);
    PushGameState(help, mStack);
}

void BonusScreen::OnBackClicked()
{
    if (IsSliding())
        return;
    mSlideOut->Start(this, 101);
}

void BonusScreen::OnActionFinished(int id)
{
    if (id == 101)
        PopGameState(mStack);
}

void BonusScreen::UpdateFraction(float fraction)
{
    ScreenBase::UpdateFraction(fraction);
    if (!mLoaded)
        return;
    mSlideIn->Update();
    mSlideOut->Update();
}

void BonusScreen::Draw(Quib::Graphics* g)
{
    g->SetColor(mDimColor);
    g->FillRect(0, 0, 800, 600);
    if (!mLoaded)
        return;
    const bool locked = !IsUnlocked(mPage);
    if (mPagePicture && mPagePicture->GetWidth() > 0 && mPagePicture->GetHeight() > 0)
    {
        g->SetColor(Quib::Color(0, 0, 0, 255));
        g->DrawRect(kFrameX, mPageY - 1, kFrameWidth, kFrameHeight);
        // Reduced to fill the frame's width, whatever size the wallpaper is.
        const int w = kFrameWidth - 1;
        const int h = mPagePicture->GetHeight() * w / mPagePicture->GetWidth();
        const Quib::Rect dest(kPictureCentreX - w / 2, mPageY + kPictureCentreY - h / 2, w, h);
        // A locked page is greyed and half transparent: it lies on black, not on the menu behind.
        if (locked)
            g->FillRect(dest.mX, dest.mY, dest.mWidth, dest.mHeight);
        g->SetLinearFiltering(true);
        g->SetTintImages(locked);
        g->SetColor(Quib::Color(120, 120, 120, 150));
        g->DrawImageStretched(mPagePicture.get(), dest,
                              Quib::Rect(0, 0, mPagePicture->GetWidth(), mPagePicture->GetHeight()));
        g->SetTintImages(false);
        g->SetLinearFiltering(false);
    }
    Quib::Font* font = FONT_BUTTON_LABELS;
    if (font == nullptr)
        return;
    const std::string number = std::to_string(mPage + 1) + "/" + std::to_string(kPageCount);
    DrawShadowedString(g, font, number, 400 - font->GetStringWidth(number) / 2, mPageY + 440);
    if (locked)
        DrawShadowedString(g, font, mLockedText, 400 - font->GetStringWidth(mLockedText) / 2, mPageY + 230);
}
