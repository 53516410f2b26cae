#include "game/minigames/sokoban/MiniGameSokoban.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/DebugPrintf.h"
#include "framework/foundation/Paths.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/shell/Resources.h"

MiniGameSokoban::MiniGameSokoban(const std::string& mode)
{
    mLoaded = LoadGroup("MG_Sokoban", &FetchGroupMgSokoban);
    if (!mLoaded)
        return;
    PlaceParticlesAroundBoard(IMAGE_MG_CARGO_FRAME, mParticles.get(), -11, -14);
    BindReset([this] { OnResetClicked(); });
    mMode = mode == "Mode2" || mode == "Mode3" ? mode : "Mode1";
    SokobanLevel level =
        ReadSokobanLevel(Quib::GetCurrentFolder() + "\\xml\\" + SokobanLevelName(mMode) + ".xml");
    for (const std::string& problem : level.mProblems)
        Quib::DebugPrintf("box pushing: %s\n", problem.c_str());
    mBoard = std::make_unique<SokobanBoard>(std::move(level));
    for (int index = 0; index < SokobanLevel::kCells; ++index)
    {
        auto block = std::make_unique<SokobanBlock>(index, this);
        const SokobanPoint at = SokobanBoard::CellOrigin(index);
        block->Move(at.x, at.y);
        mBlocks.push_back(std::move(block));
    }
    BuildBoxes();
    Quib::Widget::Resize(150, 30, 800, 600);
    const int closeWidth = IMAGE_GUI_MINIGAME_CLOSE_NORMAL->GetWidth();
    mCloseButton->Move(8 * 60 + 159, mHelpButton->mY);
    mHelpButton->Move(141 - closeWidth, mCloseButton->mY);
    PlaceSkipAndReset(144, 8 * 60 + 156, mSkipButton->mY);
    mHelpNumber = 6;
}

MiniGameSokoban::~MiniGameSokoban()
{
    mBoxes.clear();
    mBlocks.clear();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_Sokoban");
}

void MiniGameSokoban::BuildBoxes()
{
    mBoxes.clear();
    for (size_t i = 0; i < mBoard->GetBoxes().size(); ++i)
    {
        auto box = std::make_unique<SokobanBox>(int(i), this);
        box->Move(mBoard->GetBoxes()[i].x, mBoard->GetBoxes()[i].y);
        mBoxes.push_back(std::move(box));
    }
    UpdateAllArrows();
}

void MiniGameSokoban::OnAttached(Quib::WidgetManager* manager)
{
    mManager = manager;
    for (auto& block : mBlocks)
        manager->AddChild(block.get());
    for (auto& box : mBoxes)
        manager->AddChild(box.get());
    MiniGameWidget::OnAttached(manager);
}

void MiniGameSokoban::OnDetached(Quib::WidgetManager* manager)
{
    for (auto& block : mBlocks)
        manager->RemoveChild(block.get());
    for (auto& box : mBoxes)
        manager->RemoveChild(box.get());
    MiniGameWidget::OnDetached(manager);
    mManager = nullptr;
}

void MiniGameSokoban::Move(int x, int y)
{
    Quib::Widget::Resize(x, y, mWidth, mHeight);
}

void MiniGameSokoban::Push(int box, int arrow)
{
    if (!AcceptsInput() || !mBoard)
        return;
    if (mBoard->Push(box, arrow) == SokobanBoard::PushResult::Moved)
    {
        PlayMiniGameSound(SFX_MG_SOKOBAN_MOVE_BOX);
        const SokobanPoint at = mBoard->GetBoxes()[size_t(box)];
        mBoxes[size_t(box)]->Move(at.x, at.y);
        UpdateAllArrows();
    }
    mSolved = mBoard->IsSolved();
}

void MiniGameSokoban::UpdateAllArrows()
{
    for (auto& box : mBoxes)
        box->UpdateArrows();
}

void MiniGameSokoban::OnResetClicked()
{
    if (IsDimming() || mSolved || !mBoard)
        return;
    if (mManager != nullptr)
        for (auto& box : mBoxes)
            mManager->RemoveChild(box.get());
    mBoard->Reset();
    BuildBoxes();
    if (mManager != nullptr)
        for (auto& box : mBoxes)
            mManager->AddChild(box.get());
}

void MiniGameSokoban::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    CountTowardEndDialog();
}

void MiniGameSokoban::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    RequestOverlayDraw(1);
}

void MiniGameSokoban::DrawOverlay(Quib::Graphics* g)
{
    if (IMAGE_MG_CARGO_FRAME != nullptr)
        g->DrawImage(IMAGE_MG_CARGO_FRAME, -10, -9);
}
