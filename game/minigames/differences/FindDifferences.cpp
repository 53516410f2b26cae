#include "game/minigames/differences/FindDifferences.h"

#include "framework/app/QuibAppBase.h"
#include "framework/foundation/DebugPrintf.h"
#include "framework/foundation/Paths.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/resources/ResourceManager.h"
#include "game/minigames/common/PictureMask.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"

#include <cstdio>

FindDifferences::FindDifferences(const std::string& mode)
{
    mLoaded = LoadGroup("MG_FindDifferences", &FetchGroupMgFindDifferences);
    if (!mLoaded)
        return;
    mCounterLabel = StringTable::GetInstance().Lookup("LBL_defferences_found");
    const int boardWidth = IMAGE_MG_MATCH_BACKGROUND->GetWidth();
    const int left = (800 - boardWidth) / 2;
    PlaceSkipAndReset(left, left + boardWidth, mSkipButton->mY);
    mHelpButton->Move(mHelpButton->mX + 7, mHelpButton->mY);
    mCloseButton->Move(mCloseButton->mX + 1, mCloseButton->mY);
    BindReset([this] { OnResetClicked(); });
    mMode = mode == "Mode2" || mode == "Mode3" ? mode : "Mode1";
    const std::string folder = Quib::GetCurrentFolder() + "\\" + DifferenceSceneFolder(mMode);
    DifferenceScene scene = ReadDifferenceScene(folder + "Scene.xml");
    std::vector<std::unique_ptr<Quib::Image>> pictures;
    std::vector<AlphaMask> masks;
    for (const DifferencePiece& piece : scene.mPieces)
    {
        std::unique_ptr<Quib::Image> picture(Quib::gApp->LoadImage(folder + piece.mImage, 1));
        masks.push_back(MaskOfPicture(picture.get()));
        pictures.push_back(std::move(picture));
    }
    mBoard = std::make_unique<DifferencesBoard>(std::move(scene), std::move(masks));
    for (const std::string& problem : mBoard->GetProblems())
        Quib::DebugPrintf("find the differences: %s\n", problem.c_str());
    // The board sorts and drops pieces; the pictures follow it.
    for (int i = 0; i < mBoard->GetPieceCount(); ++i)
        mPictures.push_back(std::move(pictures[size_t(mBoard->GetFileIndex(i))]));
    mHelpNumber = 3;
}

FindDifferences::~FindDifferences()
{
    mPictures.clear();
    if (mLoaded)
        Quib::gApp->mResourceManager->UnloadGroup("MG_FindDifferences");
}

void FindDifferences::OnMouseButtonDown(int x, int y, int button, int)
{
    if (!mBoard || button != 0 || !AcceptsInput())
        return;
    const DifferencesBoard::ClickResult result = mBoard->Click(x, y);
    if (result == DifferencesBoard::ClickResult::Miss)
        PlayMiniGameSound(SFX_MG_DIFFERENCES_MISSED);
    else if (result == DifferencesBoard::ClickResult::Found)
        PlayMiniGameSound(SFX_MG_DIFFERENCES_FOUND);
    mSolved = mBoard->IsSolved();
}

void FindDifferences::OnResetClicked()
{
    if (IsDimming() || mSolved || !mBoard)
        return;
    mBoard->Reset();
}

void FindDifferences::UpdateFraction(float fraction)
{
    MiniGameWidget::UpdateFraction(fraction);
    CountTowardEndDialog();
}

void FindDifferences::Draw(Quib::Graphics* g)
{
    MiniGameWidget::Draw(g);
    RequestOverlayDraw(10);
}

void FindDifferences::DrawOverlay(Quib::Graphics* g)
{
    if (!mBoard)
        return;
    g->DrawImage(IMAGE_MG_MATCH_BACKGROUND, 0, 0);
    g->Translate(DifferencesBoard::kPictureOffsetX, DifferencesBoard::kPictureOffsetY);
    for (int i = 0; i < mBoard->GetPieceCount(); ++i)
    {
        Quib::Image* picture = mPictures[size_t(i)].get();
        if (picture == nullptr)
            continue;
        const DifferencePiece& piece = mBoard->GetPiece(i);
        g->DrawImage(picture, piece.mX, piece.mY);
        if (mBoard->IsFound(i) && IMAGE_MG_DIFFERENCE_PIN != nullptr)
            g->DrawImage(IMAGE_MG_DIFFERENCE_PIN,
                         piece.mX + picture->GetWidth() / 2 - IMAGE_MG_DIFFERENCE_PIN->GetWidth() / 2,
                         piece.mY + picture->GetHeight() / 2 - IMAGE_MG_DIFFERENCE_PIN->GetHeight() / 2);
    }
    char count[16];
    std::snprintf(count, sizeof(count), ": %2d", mBoard->GetFoundCount());
    g->SetFont(FONT_ITEM_LABELS);
    g->SetColor(Quib::Color(0, 0, 0, 255));
    g->DrawString(mCounterLabel + count, 11, 11);
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawString(mCounterLabel + count, 10, 10);
    g->Translate(-DifferencesBoard::kPictureOffsetX, -DifferencesBoard::kPictureOffsetY);
}
