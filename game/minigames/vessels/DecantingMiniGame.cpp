#include "game/minigames/vessels/DecantingMiniGame.h"

#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/vessels/TanksPuzzle.h"
#include "game/shell/Resources.h"

namespace
{

struct ValvePlace
{
    int x;
    int y;
};

// By TanksBoard::Valve: fill left, fill right, empty left, empty right, right into left, left into right.
constexpr std::array<ValvePlace, TanksBoard::kValveCount> kValvePlaces = {
    {{228, 28}, {519, 131}, {298, 443}, {471, 444}, {401, 341}, {372, 375}}};

// The top `height` rows of a water picture, standing on the bottom of its glass.
void DrawColumn(Quib::Graphics* g, Quib::Image* water, int x, int y, int height)
{
    if (height > 0)
        g->DrawImage(water, x, y + water->GetHeight() - height, Quib::Rect(0, 0, water->GetWidth(), height));
}

} // namespace

DecantingMiniGame::DecantingMiniGame()
{
    mLoaded = LoadGroup("MG_Tanks", &FetchGroupMgTanks);
    if (!mLoaded)
        return;
    mBoard = std::make_unique<TanksBoard>(TanksPuzzle::LeftRange(IMAGE_MG_TANKS_WATER7->GetHeight()),
                                          TanksPuzzle::RightRange(IMAGE_MG_TANKS_WATER5->GetHeight()));
    for (int i = 0; i < TanksBoard::kValveCount; ++i)
    {
        auto valve = std::make_unique<TankValve>(this, TanksBoard::Valve(i));
        valve->Resize(kValvePlaces[size_t(i)].x, kValvePlaces[size_t(i)].y, IMAGE_MG_TANKS_VALVE->GetWidth(),
                      IMAGE_MG_TANKS_VALVE->GetHeight());
        mValves[size_t(i)] = std::move(valve);
    }
    mHelpButton->Move(mHelpButton->mX + 8, mHelpButton->mY);
    BindReset([this] { OnResetClicked(); });
    mHelpNumber = TanksPuzzle::kHelpNumber;
}

DecantingMiniGame::~DecantingMiniGame()
{
    for (auto& valve : mValves)
        valve.reset();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_Tanks");
}

void DecantingMiniGame::OnAttached(Quib::WidgetManager* manager)
{
    if (mBoard)
        for (auto& valve : mValves)
            manager->AddChild(valve.get());
    MiniGameWidget::OnAttached(manager);
}

void DecantingMiniGame::OnDetached(Quib::WidgetManager* manager)
{
    if (mBoard)
        for (auto& valve : mValves)
            manager->RemoveChild(valve.get());
    MiniGameWidget::OnDetached(manager);
}

void DecantingMiniGame::TurnValve(TanksBoard::Valve valve)
{
    // Valves take no notice of a solve: until the end dialog covers the game
    // a valve can take the measure away again, and the dialog then waits.
    if (mBoard && mBoard->ClickValve(valve))
        PlayMiniGameSound(SFX_MG_LIQUID_POUR_OIL);
}

void DecantingMiniGame::OnResetClicked()
{
    if (!mBoard || IsDimming() || !AcceptsInput())
        return;
    mBoard->Reset();
}

void DecantingMiniGame::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    if (!mBoard)
        return;
    // The end dialog waits until both levels have settled; the valves go on turning back meanwhile.
    if (mSolved && !mEndDialogShown && !mBoard->IsMoving())
        CountTowardEndDialog();
    mBoard->Update();
    mSolved = mBoard->IsSolved();
}

void DecantingMiniGame::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    if (!mBoard)
        return;
    const int ox = int(mOriginX) - mX, oy = int(mOriginY) - mY;
    g->DrawImage(IMAGE_MG_TANKS_BG, ox + 4, oy + 1);
    g->DrawImage(IMAGE_MG_TANKS_BACK, ox, oy + 14);
    DrawColumn(g, IMAGE_MG_TANKS_WATER7, 272 - mX, 151 - mY, mBoard->GetLeftHeight());
    g->DrawImage(IMAGE_MG_TANKS_GLASS7, 271 - mX, 151 - mY);
    DrawColumn(g, IMAGE_MG_TANKS_WATER5, 460 - mX, 256 - mY, mBoard->GetRightHeight());
    g->DrawImage(IMAGE_MG_TANKS_GLASS5, 461 - mX, 256 - mY);
    g->DrawImage(IMAGE_MG_TANKS_FRONT, ox + 8, oy + 25);
    g->DrawImage(IMAGE_MG_TANKS_FRAME, ox, oy - 2);
}
