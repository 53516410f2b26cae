#include "game/minigames/vessels/WinePitchers.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"

WinePitchers::WinePitchers(const std::string& mode) : mMode(WinePitchersMode::ByName(mode))
{
    mLoaded = LoadGroup("MG_WinePitchers", &FetchGroupMgWinePitchers);
    if (!mLoaded)
        return;
    mBoard = std::make_unique<WinePitchersBoard>(mMode, IMAGE_MG_WINE_BOTTLE->GetHeight(),
                                                 IMAGE_MG_WINE_GLASS->GetHeight());
    mFillGlassButton = MakeArrow(340, 142, IMAGE_MG_EMPTY_FILL_ARROW, IMAGE_MG_EMPTY_FILL_ARROW_OVER,
                                 &WinePitchers::FillGlass);
    mFillBottleButton = MakeArrow(154, 19, IMAGE_MG_EMPTY_FILL_ARROW, IMAGE_MG_EMPTY_FILL_ARROW_OVER,
                                  &WinePitchers::FillBottle);
    mEmptyGlassButton = MakeArrow(340, 452, IMAGE_MG_EMPTY_FILL_ARROW, IMAGE_MG_EMPTY_FILL_ARROW_OVER,
                                  &WinePitchers::EmptyGlass);
    mEmptyBottleButton = MakeArrow(154, 452, IMAGE_MG_EMPTY_FILL_ARROW, IMAGE_MG_EMPTY_FILL_ARROW_OVER,
                                   &WinePitchers::EmptyBottle);
    mPourGlassButton = MakeArrow(241, 297, IMAGE_MG_RIGHT_ARROW, IMAGE_MG_RIGHT_ARROW_OVER,
                                 &WinePitchers::PourGlassIntoBottle);
    mPourBottleButton = MakeArrow(243, 258, IMAGE_MG_LEFT_ARROW, IMAGE_MG_LEFT_ARROW_OVER,
                                  &WinePitchers::PourBottleIntoGlass);
    mHelpButton->Move(mHelpButton->mX + 8, mHelpButton->mY);
    BindReset([this] { OnResetClicked(); });
    mHelpNumber = mMode.mHelpNumber;
}

WinePitchers::~WinePitchers()
{
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_WinePitchers");
}

std::unique_ptr<MenuItem> WinePitchers::MakeArrow(int dx, int dy, Quib::Image* normal, Quib::Image* over,
                                                  void (WinePitchers::*onClick)())
{
    MenuItemLook layout;
    layout.x = int(mOriginX) + dx;
    layout.y = int(mOriginY) + dy;
    layout.hoverPicture = over;
    std::unique_ptr<MenuItem> button = CreateMenuItem(layout, normal);
    button->mOnClick = [this, onClick] { (this->*onClick)(); };
    return button;
}

std::array<MenuItem*, 6> WinePitchers::Arrows() const
{
    return {mFillBottleButton.get(),  mFillGlassButton.get(), mEmptyGlassButton.get(),
            mEmptyBottleButton.get(), mPourGlassButton.get(), mPourBottleButton.get()};
}

void WinePitchers::OnAttached(Quib::WidgetManager* manager)
{
    if (mBoard)
        for (MenuItem* button : Arrows())
            manager->AddChild(button);
    MiniGameWidget::OnAttached(manager);
}

void WinePitchers::OnDetached(Quib::WidgetManager* manager)
{
    if (mBoard)
        for (MenuItem* button : Arrows())
            manager->RemoveChild(button);
    MiniGameWidget::OnDetached(manager);
}

void WinePitchers::Apply(VesselPair::Operation operation)
{
    if (mBoard && AcceptsInput() && mBoard->Apply(operation))
        PlayMiniGameSound(SFX_MG_LIQUID_POUR_WINE);
}

void WinePitchers::OnResetClicked()
{
    if (!mBoard || IsDimming() || !AcceptsInput())
        return;
    mBoard->Reset();
}

void WinePitchers::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    if (!mBoard)
        return;
    // The end dialog waits until both levels have settled.
    if (mSolved && !mEndDialogShown && !mBoard->IsMoving())
    {
        CountTowardEndDialog();
        return;
    }
    mBoard->Update();
    mSolved = mBoard->IsSolved();
}

void WinePitchers::DrawLiquid(Quib::Graphics* g, Quib::Image* liquid, Quib::Image* top, Quib::Image* bottom,
                              int x, int liquidBaseY, int bottomBaseY, int level)
{
    const int height = liquid->GetHeight();
    g->DrawImage(top, x, liquidBaseY + height - level - top->GetHeight());
    if (level > 0)
        g->DrawImage(liquid, x, liquidBaseY + height - level,
                     Quib::Rect(0, height - level, liquid->GetWidth(), level));
    g->DrawImage(bottom, x, bottomBaseY + height - bottom->GetHeight());
}

void WinePitchers::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    if (!mBoard)
        return;
    const int ox = int(mOriginX) - mX, oy = int(mOriginY) - mY;
    const bool second = mMode.mName == "Mode2";
    g->DrawImage(IMAGE_MG_WINE_PITCHERS_FRAME, ox, oy);
    g->DrawImage(IMAGE_MG_BOTTLE, ox + 110, oy + 62);
    g->DrawImage(second ? IMAGE_MG_SCALE_BOTTLE2 : IMAGE_MG_SCALE_BOTTLE, ox + 38, oy + 200);
    DrawLiquid(g, IMAGE_MG_WINE_BOTTLE, IMAGE_MG_WINE_BOTTLE_TOP, IMAGE_MG_WINE_BOTTLE_DOWN, ox + 119,
               oy + 234, oy + 250, mBoard->GetBottleLevel());
    DrawLiquid(g, IMAGE_MG_WINE_GLASS, IMAGE_MG_WINE_GLASS_TOP, IMAGE_MG_WINE_GLASS_DOWN, ox + 322, oy + 224,
               oy + 239, mBoard->GetGlassLevel());
    g->DrawImage(IMAGE_MG_GLASS, ox + 310, oy + 184);
    g->DrawImage(second ? IMAGE_MG_SCALE_GLASS2 : IMAGE_MG_SCALE_GLASS, ox + 398, oy + 190);
}
