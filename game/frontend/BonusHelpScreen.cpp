#include "game/frontend/BonusHelpScreen.h"

#include "framework/foundation/Rect.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

#include <algorithm>

namespace
{

constexpr int kSlideMilliseconds = 1200;

// Wrapped text in white over a black copy one pixel right and down.
void DrawShadowedWrapped(Quib::Graphics* g, const std::string& text, int x, int y, int width,
                         int justification)
{
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawStringWrapped(text, x + 1, y + 1, width, justification);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawStringWrapped(text, x, y, width, justification);
}

} // namespace

BonusHelpScreen::BonusHelpScreen()
{
    using namespace steps;
    const StringTable& strings = StringTable::GetInstance();
    mTopText = strings.Lookup("LBL_BONUS_HELP_TOP");
    mXpText = strings.Lookup("LBL_BONUS_HELP_XP");
    mVistaText = strings.Lookup("LBL_BONUS_HELP_VISTA");
    mSlideIn = InOrder(Set(&mPanelY, 600.0f), Tween(&mPanelY, -570.0f, kSlideMilliseconds));
    mSlideOut = InOrder(Set(&mPanelY, 30.0f), Tween(&mPanelY, 570.0f, kSlideMilliseconds));
    MenuItemLook layout;
    layout.x = 400 - IMAGE_BUTTON_MAIN_MENU->GetWidth() / 2;
    layout.y = 600;
    layout.label = strings.Lookup("BTN_BACK");
    layout.labelY = 36;
    layout.hoverPicture = IMAGE_BUTTON_MAIN_MENU_OVER;
    layout.pressedPicture = IMAGE_BUTTON_MAIN_MENU_DOWN;
    mBackButton = CreateMenuItem(layout, IMAGE_BUTTON_MAIN_MENU);
    mBackButton->mOnClick = [this] { OnBackClicked(); };
}

BonusHelpScreen::~BonusHelpScreen() = default;

void BonusHelpScreen::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    manager->AddChild(mBackButton.get());
    mSlideIn->Start(this, 0);
}

void BonusHelpScreen::OnDetached(Quib::WidgetManager* manager)
{
    manager->RemoveChild(mBackButton.get());
    ScreenBase::OnDetached(manager);
}

void BonusHelpScreen::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    ScreenBase::OnEntered(stack);
}

void BonusHelpScreen::OnBackClicked()
{
    if (mSlideIn->IsRunning() || mSlideOut->IsRunning())
        return;
    mSlideOut->Start(this, 1);
}

void BonusHelpScreen::OnActionFinished(int id)
{
    if (id == 1)
        PopGameState(mStack);
}

void BonusHelpScreen::FollowPanel()
{
    const int h = IMAGE_BUTTON_MAIN_MENU->GetHeight();
    mBackButton->Move(400 - IMAGE_BUTTON_MAIN_MENU->GetWidth() / 2, int(mPanelY) - h + 566);
}

void BonusHelpScreen::UpdateFraction(float fraction)
{
    ScreenBase::UpdateFraction(fraction);
    mSlideIn->Update();
    FollowPanel();
    mSlideOut->Update();
    FollowPanel();
    // 120 while the page rests at the top, 0 while it is down.
    mDimColor.mAlpha = std::clamp(int((570.0f - mPanelY) * 0.001754386f * 120.0f), 0, 255);
}

void BonusHelpScreen::Draw(Quib::Graphics* g)
{
    g->SetColor(mDimColor);
    g->FillRect(0, 0, 800, 600);
    if (FONT_BUTTON_LABELS == nullptr)
        return;
    g->SetFont(FONT_BUTTON_LABELS);
    const int y = int(mPanelY);
    DrawShadowedWrapped(g, mTopText, 0, y, 800, 0);
    DrawShadowedWrapped(g, mXpText, 40, y + 40, 320, -1);
    DrawShadowedWrapped(g, mVistaText, 440, y + 40, 320, -1);
}
