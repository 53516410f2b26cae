#include "game/play/screen/InventoryWidget.h"

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "game/play/screen/InventoryOwner.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/LoopAction.h"
#include "game/shell/Resources.h"

namespace
{

constexpr int32_t kInventoryPriority = 8;
constexpr int32_t kSilhouetteAlpha = 70;

} // namespace

InventoryWidget::InventoryWidget(InventoryOwner* owner) : mOwner(owner)
{
    Resize(0, 0, 0, 0);
    SetVisible(false);
    // The strip's cells are stacked: their count is its row count.
    const int32_t cells = PARTICLE_LOCATION_ITEM != nullptr ? PARTICLE_LOCATION_ITEM->mRows : 0;
    mGlowLoop = std::make_unique<LoopAction>(
        steps::InOrder(steps::Set(&mGlowCell, 0), steps::Tween(&mGlowCell, cells, kGlowMs)));
    mGlowLoop->Start(nullptr, 0);
}

InventoryWidget::~InventoryWidget() = default;

void InventoryWidget::UpdateFraction(float)
{
    if (mGlowLoop->IsRunning())
        mGlowLoop->Update();
}

void InventoryWidget::Draw(Quib::Graphics*)
{
    if (mVisible)
        RequestOverlayDraw(kInventoryPriority);
}

void InventoryWidget::DrawOverlay(Quib::Graphics* g)
{
    if (!mVisible)
        return;
    const std::vector<PlayfieldItem>& items = mOwner->PlayfieldItems();
    for (size_t c = 0; c < items.size(); ++c)
    {
        const PlayfieldItem& combined = items[c];
        Quib::DDImage* picture = mOwner->PictureOf(c);
        if (combined.mKind != SceneItemKind::Combined || picture == nullptr || combined.mRecord.mType == 0)
            continue;
        // Complete: its usable object has taken its place.
        bool arriving = false;
        for (size_t p = 0; p < items.size(); ++p)
            arriving |= items[p].mCombined == int32_t(c) && mOwner->AnimationOf(p).IsCollecting();
        if (combined.mMissing == 0 && !arriving)
            continue;
        g->SetTintImages(true);
        g->SetColor(Quib::Color(255, 255, 255, kSilhouetteAlpha));
        g->DrawImage(picture, combined.mX, combined.mY);
        g->SetTintImages(false);
        for (size_t p = 0; p < items.size(); ++p)
        {
            const PlayfieldItem& piece = items[p];
            Quib::DDImage* part = mOwner->PictureOf(p);
            if (piece.mCombined == int32_t(c) && piece.mRemoved && !mOwner->AnimationOf(p).IsCollecting() &&
                part != nullptr)
                g->DrawImage(part, combined.mX, combined.mY);
        }
        if (Quib::Image* glow = PARTICLE_LOCATION_ITEM;
            glow != nullptr && glow->mRows > 0 && glow->mColumns > 0)
        {
            const int32_t cellWidth = glow->GetWidth() / glow->mColumns;
            const int32_t cellHeight = glow->GetHeight() / glow->mRows;
            g->SetColor(Quib::Color(255, 255, 255, 255));
            g->DrawImageCell(glow, combined.mX + int32_t(combined.mWidth * 0.5) - int32_t(cellWidth * 0.5),
                             combined.mY + int32_t(combined.mHeight * 0.5) - int32_t(cellHeight * 0.5),
                             mGlowCell);
        }
    }
}
