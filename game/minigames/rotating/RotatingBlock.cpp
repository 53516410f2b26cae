#include "game/minigames/rotating/RotatingBlock.h"

#include "framework/foundation/Matrix3.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/rotating/RotatingBlockOwner.h"
#include "game/shell/Resources.h"

namespace
{

constexpr int kTurnSteps = 22;

std::unique_ptr<MenuItem> Arrow(Quib::Image* normal, Quib::Image* over, std::function<void()> onClick)
{
    MenuItemLook layout;
    layout.hoverPicture = over;
    std::unique_ptr<MenuItem> arrow = CreateMenuItem(layout, normal);
    arrow->mOverlayPriority = 11;
    arrow->mPressSound = SFX_MG_ROTSWAP_ROTATE;
    arrow->mHoverSound = -1;
    arrow->mOnClick = std::move(onClick);
    return arrow;
}

} // namespace

RotatingBlock::RotatingBlock(int originalIndex, const Quib::Rect& source, RotatingBlockOwner* owner)
    : mSource(source), mOwner(owner), mOriginalIndex(originalIndex)
{
    mArrowCW =
        Arrow(IMAGE_MG_ROTATING_ARROW_CW, IMAGE_MG_ROTATING_ARROW_CW_OVER, [this] { RotateMinus90(); });
    mArrowCCW =
        Arrow(IMAGE_MG_ROTATING_ARROW_CCW, IMAGE_MG_ROTATING_ARROW_CCW_OVER, [this] { RotatePlus90(); });
    Resize(0, 0, source.mWidth, source.mHeight);
}

RotatingBlock::~RotatingBlock() = default;

void RotatingBlock::OnAttached(Quib::WidgetManager* manager)
{
    Quib::Widget::OnAttached(manager);
    mManager = manager;
    manager->AddChild(mArrowCW.get());
    manager->AddChild(mArrowCCW.get());
}

void RotatingBlock::OnDetached(Quib::WidgetManager* manager)
{
    manager->RemoveChild(mArrowCW.get());
    manager->RemoveChild(mArrowCCW.get());
    mManager = nullptr;
    Quib::Widget::OnDetached(manager);
}

void RotatingBlock::Move(int x, int y)
{
    Quib::Widget::Move(x, y);
    const int arrowWidth = IMAGE_MG_ROTATING_ARROW_CW->GetWidth();
    const int arrowY = y + mHeight / 2 - IMAGE_MG_ROTATING_ARROW_CW->GetHeight() / 2;
    mArrowCW->Move(x + 2, arrowY);
    mArrowCCW->Move(x + mWidth - arrowWidth - 2, arrowY);
}

bool RotatingBlock::IsLocked() const
{
    return mOwner->IsTileLocked(*this);
}

void RotatingBlock::RefreshLock()
{
    const bool locked = IsLocked();
    if (locked)
    {
        mSelected = false;
        mOwner->OnTileLocked(*this);
    }
    mArrowCW->SetVisible(!locked);
    mArrowCCW->SetVisible(!locked);
}

void RotatingBlock::Settle()
{
    mTileState = kIdle;
    mTurnAmount = 0;
    mTurnOffset = 0;
    mSelected = false;
}

void RotatingBlock::StartExchange()
{
    // A turn in progress is dropped: the tile moves upright as the model has it.
    mSelected = false;
    mTurnAmount = 0;
    mTurnOffset = 0;
    mTileState = kTurnRequested;
}

void RotatingBlock::StartTurn(float amount)
{
    if (IsLocked() || (mTileState != kIdle && mTileState != kSelected) || !mOwner->TakesTileInput())
        return;
    mStateBeforeTurn = mTileState;
    mTurnAmount = amount;
    mTileState = kTurnRequested;
}

void RotatingBlock::RotatePlus90()
{
    StartTurn(90);
}

void RotatingBlock::RotateMinus90()
{
    StartTurn(-90);
}

void RotatingBlock::OnMouseButtonDown(int, int, int button, int)
{
    if (button != 0 || IsLocked() || IsTurning() || mOwner->IsExchanging() || !mOwner->TakesTileInput())
        return;
    mOwner->OnTileClicked(*this);
}

void RotatingBlock::UpdateFraction(float)
{
    switch (mTileState)
    {
    case kTurnRequested:
        mTurnCounter = 0;
        mTurnOffset = 0;
        mTileState = kTurning;
        break;
    case kTurning:
        if (++mTurnCounter >= kTurnSteps)
        {
            const float amount = mTurnAmount;
            mTurnOffset = 0;
            mTurnAmount = 0;
            mTileState = mStateBeforeTurn;
            if (amount != 0)
            {
                mOwner->OnTileTurned(*this, amount > 0 ? 1 : -1);
                RefreshLock();
            }
        }
        else
            mTurnOffset = float(mTurnCounter) * mTurnAmount / float(kTurnSteps);
        break;
    case kSelectRequested:
        mPulseAlpha = 255;
        mPulseStep = -1;
        mTileState = kSelected;
        break;
    case kSelected:
        mPulseAlpha += mPulseStep;
        if (mPulseAlpha > 255)
            mPulseAlpha = 255, mPulseStep = -1;
        else if (mPulseAlpha < 185)
            mPulseAlpha = 185, mPulseStep = 1;
        break;
    default:
        break;
    }
    MarkDirty();
}

void RotatingBlock::Draw(Quib::Graphics*)
{
    const bool moving = mTileState == kTurning || mOwner->IsTileExchanging(*this);
    RequestOverlayDraw(moving ? 80 : 10);
}

void RotatingBlock::DrawOverlay(Quib::Graphics* g)
{
    Quib::Image* picture = mOwner->TilePicture();
    if (picture == nullptr)
        return;
    const float angle = float(mOwner->TileAngle(*this)) + mTurnOffset;
    const float cx = float(mWidth) / 2, cy = float(mHeight) / 2;
    if (mTileState == kTurning)
    {
        Quib::Matrix3 shadow;
        shadow.Scale(1.015f, 1.015f);
        shadow.RotateDeg(angle);
        g->SetTintImages(true);
        g->SetColor(Quib::Color(0, 0, 0, 90));
        g->DrawImageWithMatrix(picture, shadow, mSource, cx + 3, cy + 3);
        g->SetTintImages(false);
    }
    Quib::Matrix3 matrix;
    matrix.RotateDeg(angle);
    if (mSelected)
    {
        g->SetTintImages(true);
        g->SetColor(Quib::Color(255, 255, 0, mPulseAlpha));
    }
    g->DrawImageWithMatrix(picture, matrix, mSource, cx, cy);
    g->SetTintImages(false);
    if (IsLocked())
    {
        g->SetColor(Quib::Color(0, 0, 0, 140));
        g->FillRect(0, 0, mWidth, mHeight);
    }
}
