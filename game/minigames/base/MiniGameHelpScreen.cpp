#include "game/minigames/base/MiniGameHelpScreen.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/Resources.h"
#include "game/shell/Setter.h"
#include "game/shell/StringTable.h"

namespace
{

std::unique_ptr<ActionSequence> Slide(int* target, int from, int delta)
{
    std::unique_ptr<Action> slide =
        Then(std::make_unique<Setter<int>>(target, from),
             std::make_unique<RelIncrementator<int>>(ActionTimer(200), target, delta));
    return std::unique_ptr<ActionSequence>(static_cast<ActionSequence*>(slide.release()));
}

} // namespace

MiniGameHelpScreen::MiniGameHelpScreen(MiniGameWidget* game) : mGame(game)
{
    const int number = game->mHelpNumber == -1 ? 1 : game->mHelpNumber;
    mHelpText = StringTable::GetInstance().Lookup("MiniGameHelp" + std::to_string(number));
    mHintText = StringTable::GetInstance().Lookup("ClickAnywhere_text");
    if (FONT_ITEM_LABELS != nullptr)
        mHintHalfWidth = FONT_ITEM_LABELS->GetStringWidth(mHintText) / 2;
    if (IMAGE_MINIGAMEHELP_FRAME != nullptr)
        mPanelX = (800 - IMAGE_MINIGAMEHELP_FRAME->GetWidth()) / 2;
    mSlideIn = Slide(&mPanelY, 600, -280);
    mSlideOut = Slide(&mPanelY, 320, 280);
}

MiniGameHelpScreen::~MiniGameHelpScreen() = default;

void MiniGameHelpScreen::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    ScreenBase::OnEntered(stack);
    mSlideIn->Start(this, 0);
}

void MiniGameHelpScreen::UpdateFraction(float)
{
    if (mSlideIn->IsRunning())
        mSlideIn->Update();
    if (mSlideOut->IsRunning())
        mSlideOut->Update();
    MarkDirty();
}

void MiniGameHelpScreen::Draw(Quib::Graphics*)
{
    RequestOverlayDraw(120);
}

void MiniGameHelpScreen::DrawOverlay(Quib::Graphics* g)
{
    if (IMAGE_MINIGAMEHELP_FRAME == nullptr)
        return;
    g->DrawImage(IMAGE_MINIGAMEHELP_FRAME, mPanelX, mPanelY);
    const int width = IMAGE_MINIGAMEHELP_FRAME->GetWidth() - 30;
    g->SetFont(FONT_BUTTON_LABELS);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    DrawWrappedText(g, mHelpText, Quib::Rect(mPanelX + 16, mPanelY + 35, width, 120), -1, 0);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    DrawWrappedText(g, mHelpText, Quib::Rect(mPanelX + 15, mPanelY + 34, width, 120), -1, 0);
    g->SetFont(FONT_ITEM_LABELS);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(mHintText, 401 - mHintHalfWidth, mPanelY + 151);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawString(mHintText, 400 - mHintHalfWidth, mPanelY + 150);
}

void MiniGameHelpScreen::OnMouseButtonDown(int, int, int button, int)
{
    if (button != 0 || mSlideIn->IsRunning() || mSlideOut->IsRunning())
        return;
    mSlideOut->Start(this, 1);
}

void MiniGameHelpScreen::OnActionFinished(int id)
{
    if (id == 1 && mStack != nullptr && mStack->Top() == this)
        PopGameState(mStack);
}
