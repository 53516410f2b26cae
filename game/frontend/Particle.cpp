#include "game/frontend/Particle.h"

#include "framework/foundation/Transform2D.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/shell/GameClock.h"
#include "game/shell/Resources.h"
#include "platform/Random.h"

Particle::Particle(int lifeTime, float x, float y, float riseSpeed)
    : mX(x), mY(y), mStartX(x), mStartY(y), mRiseSpeed(riseSpeed),
      mBirthTime(GameClock::GetInstance().GetTime()), mLifeTime(lifeTime), mImage(IMAGE_PARTICLE),
      mJitter(float(platform::rand() % 100) * 0.0001f)
{
    if (mImage != nullptr)
    {
        mImageWidth = mImage->GetWidth();
        mImageHeight = mImage->GetHeight();
    }
}

int Particle::GetAge() const
{
    return int(GameClock::GetInstance().GetTime() - mBirthTime);
}

void Particle::Update()
{
    const int alpha = 160 - int(float(GetAge()) / float(mLifeTime) * 80.0f);
    mColor.mAlpha = alpha < 0 ? 0 : alpha;
    mY = mY + mJitter + mRiseSpeed;
    const float rise = mY - mStartY;
    mX = mStartX + mCurve * rise * rise;
}

void Particle::Draw(Quib::Graphics* g) const
{
    if (mImage == nullptr)
        return;
    const float factor = float(GetAge()) / float(mLifeTime) * mGrowth + 0.25f;
    Quib::Transform2D scale;
    scale.Scale(factor, factor);
    g->SetTintImages(true);
    g->SetColor(mColor);
    g->DrawImageWithTransform(mImage, scale, mX + float(mImageWidth) / 2, mY + float(mImageHeight) / 2);
    g->SetTintImages(false);
}
