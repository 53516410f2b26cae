#include "game/frontend/CreditsScreen.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

#include <string>

namespace
{

// How many name lines follow each heading; the names themselves are texts of
// the string table, "LBL_CREDITS_NAME_1" onwards, in page order.
struct CreditBlock
{
    const char* headings[2];
    int names;
};

constexpr CreditBlock kBlocks[] = {
    {{"LBL_SCORES_SCREEN_STR1", nullptr}, 1},
    {{"LBL_SCORES_SCREEN_STR2", nullptr}, 2},
    {{"LBL_SCORES_SCREEN_STR3", nullptr}, 2},
    {{"LBL_SCORES_SCREEN_STR8", nullptr}, 2},
    {{"LBL_SCORES_SCREEN_STR4", "LBL_SCORES_SCREEN_STR5"}, 1},
    {{"LBL_SCORES_SCREEN_STR6", nullptr}, 1},
    {{"LBL_SCORES_SCREEN_STR7", nullptr}, 5},
    {{"LBL_SCORES_SCREEN_STR8", nullptr}, 4},
    {{"LBL_SCORES_SCREEN_STR9", nullptr}, 1},
};

// Every line has left the top before the column starts again from the bottom.
constexpr float kLinePitch = 46.25f;
constexpr int kScrollMilliseconds = 30000;

} // namespace

CreditsScreen::CreditsScreen(bool endOfGame) : mEndOfGame(endOfGame)
{
    using namespace steps;
    mLoaded = MiniGameWidget::LoadGroup("Credits", &FetchGroupCredits);
    if (!mLoaded)
        return;
    const int h = IMAGE_BUTTON_OPTIONS_NORMAL1->GetHeight();
    MenuItemLook layout;
    layout.x = 20;
    layout.y = 600;
    layout.label = StringTable::GetInstance().Lookup("LBL_CLOSE");
    layout.labelY = 23;
    layout.hoverPicture = IMAGE_BUTTON_OPTIONS_OVER1;
    layout.pressedPicture = IMAGE_BUTTON_OPTIONS_OVER1;
    mCloseButton = CreateMenuItem(layout, IMAGE_BUTTON_OPTIONS_NORMAL1);
    mCloseButton->mOnClick = [this] { OnCloseClicked(); };
    BuildLines();

    mScrollLoop = std::make_unique<LoopAction>(InOrder(
        Set(&mScrollY, 610.0f), Tween(&mScrollY, -float(mLines.size()) * kLinePitch, kScrollMilliseconds)));
    mButtonIn = InOrder(Set(&mCloseButton->mY, 600), Tween(&mCloseButton->mY, -(h + 10), 200));
    mButtonOut = InOrder(Set(&mCloseButton->mY, 590 - h), Tween(&mCloseButton->mY, h + 10, 200));
}

CreditsScreen::~CreditsScreen()
{
    mCloseButton.reset();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("Credits");
}

void CreditsScreen::BuildLines()
{
    const StringTable& strings = StringTable::GetInstance();
    int name = 0;
    for (const CreditBlock& block : kBlocks)
    {
        for (const char* heading : block.headings)
            if (heading != nullptr)
                mLines.emplace_back(strings.Lookup(heading), 255, 255, 255, 255, true);
        for (int i = 0; i < block.names; ++i)
            mLines.emplace_back(strings.Lookup("LBL_CREDITS_NAME_" + std::to_string(++name)), 0, 150, 255,
                                255, true);
        if (&block != &kBlocks[std::size(kBlocks) - 1])
            mLines.emplace_back("", 255, 255, 255, 255, false);
    }
}

void CreditsScreen::OnAttached(Quib::WidgetManager* manager)
{
    ScreenBase::OnAttached(manager);
    if (!mLoaded)
        return;
    manager->AddChild(mCloseButton.get());
    mScrollLoop->Start(this, 1);
    mButtonIn->Start(this, 2);
}

void CreditsScreen::OnDetached(Quib::WidgetManager* manager)
{
    if (mCloseButton)
        manager->RemoveChild(mCloseButton.get());
    ScreenBase::OnDetached(manager);
}

void CreditsScreen::OnEntered(GameStateStack* stack)
{
    mStack = stack;
    ScreenBase::OnEntered(stack);
}

void CreditsScreen::OnCloseClicked()
{
    if (mButtonIn->IsRunning() || mButtonOut->IsRunning())
        return;
    mButtonOut->Start(this, 5);
}

void CreditsScreen::OnActionFinished(int id)
{
    if (id == 5)
        PopGameState(mStack);
}

void CreditsScreen::UpdateFraction(float fraction)
{
    ScreenBase::UpdateFraction(fraction);
    if (!mLoaded)
        return;
    if (mScrollLoop->IsRunning())
        mScrollLoop->Update();
    mButtonIn->Update();
    mButtonOut->Update();
}

void CreditsScreen::Draw(Quib::Graphics* g)
{
    if (!mLoaded)
        return;
    if (mEndOfGame)
    {
        g->SetColor(Quib::Color(255, 255, 255, 255));
        g->DrawImage(IMAGE_MAIN_MENU_BACK_BASE, 0, 0);
    }
    g->SetFont(FONT_CREDITS);
    for (size_t i = 0; i < mLines.size(); ++i)
    {
        const CreditLine& line = mLines[i];
        const int y = int(mScrollY) + 24 * int(i);
        if (line.mShadow)
        {
            g->SetColor(Quib::Color(0, 0, 0, 255));
            g->DrawStringWithColorCodes(line.mText, 0, y - 1, 798, 0);
        }
        g->SetColor(line.mColor);
        g->DrawStringWithColorCodes(line.mText, 0, y, 800, 0);
    }
}
