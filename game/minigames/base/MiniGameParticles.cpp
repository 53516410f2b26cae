#include "game/minigames/base/MiniGameParticles.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/shell/ActionDelay.h"
#include "game/shell/ActionFunctor.h"
#include "game/shell/Resources.h"
#include "game/shell/TriggerAction.h"

#include <algorithm>

MiniGameParticles::MiniGameParticles()
{
    for (auto& corner : mCorners)
    {
        corner = std::make_unique<AnimatedWidget>();
        corner->SetAnimation(PARTICLE_ANIM_001);
    }
    PlaceParticlesAroundBoard(IMAGE_MG_MATCH_BACKGROUND, this, -3, -16);
    std::unique_ptr<Action> burst;
    for (int i = 0; i < 4; ++i)
    {
        std::unique_ptr<Action> trigger = std::make_unique<TriggerAction>(
            std::make_unique<ActionFunctor<MiniGameParticles>>(this, &MiniGameParticles::StartNextCorner));
        if (i > 0)
            burst = Then(std::move(burst), std::make_unique<ActionDelay>(ActionTimer(150)));
        burst = burst ? Then(std::move(burst), std::move(trigger)) : std::move(trigger);
    }
    mBurst.reset(static_cast<ActionSequence*>(burst.release()));
}

MiniGameParticles::~MiniGameParticles() = default;

void PlaceParticlesAroundBoard(Quib::Image* board, MiniGameParticles* particles, int dx, int dy)
{
    particles->PlaceAround(board, dx, dy);
}

void MiniGameParticles::PlaceAround(Quib::Image* board, int dx, int dy)
{
    if (board == nullptr || PARTICLE_ANIM_001 == nullptr)
        return;
    const int w = PARTICLE_ANIM_001->GetCellWidth(),
              h = PARTICLE_ANIM_001->GetHeight() / std::max(1, int(PARTICLE_ANIM_001->mRows));
    const int left = 400 - board->GetWidth() / 2 - w / 2 + dx;
    const int top = 290 - board->GetHeight() / 2 - h / 2 + dy;
    const int right = left + board->GetWidth(), bottom = top + board->GetHeight();
    const int xs[4] = {left, right, right, left}, ys[4] = {top, top, bottom, bottom};
    for (int i = 0; i < 4; ++i)
        mCorners[size_t(i)]->Move(xs[i], ys[i]);
}

void MiniGameParticles::Start()
{
    mNextCorner = 0;
    mBurst->Start(nullptr, 0);
}

void MiniGameParticles::StartNextCorner()
{
    if (mNextCorner >= 4)
        return;
    AnimatedWidget& corner = *mCorners[size_t(mNextCorner++)];
    corner.Restart();
    corner.mState = AnimatedWidget::STATE_PLAYING;
}

void MiniGameParticles::UpdateFraction(float)
{
    if (mBurst->IsRunning())
        mBurst->Update();
    for (auto& corner : mCorners)
        if (corner->mState == AnimatedWidget::STATE_PLAYING)
            corner->Update();
    MarkDirty();
}

void MiniGameParticles::Draw(Quib::Graphics*)
{
    RequestOverlayDraw(300);
}

void MiniGameParticles::DrawOverlay(Quib::Graphics* g)
{
    for (auto& corner : mCorners)
    {
        if (corner->mState != AnimatedWidget::STATE_PLAYING)
            continue;
        g->PushState();
        g->Translate(corner->mX - mX, corner->mY - mY);
        corner->DrawOverlay(g);
        g->PopState();
    }
}
