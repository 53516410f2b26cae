#include "game/frontend/ParticleField.h"

#include "game/shell/GameClock.h"

void ParticleField::AddEmitter(std::unique_ptr<ParticleEmitter> emitter)
{
    if (emitter != nullptr)
        mEmitters.push_back(std::move(emitter));
}

void ParticleField::AddParticle(std::unique_ptr<Particle> particle)
{
    particle->mField = this;
    mParticles.push_back(std::move(particle));
}

bool ParticleField::IsInside(const Particle& particle) const
{
    const int x = int(particle.mX);
    const int y = int(particle.mY);
    return mBounds.mX < x + particle.mImageWidth && mBounds.mY < y + particle.mImageHeight &&
           x < mBounds.mX + mBounds.mWidth && y < mBounds.mY + mBounds.mHeight;
}

void ParticleField::Update()
{
    if (!GameClock::GetInstance().IsRunning())
        return;
    for (auto& emitter : mEmitters)
        emitter->Update();
    for (size_t i = 0; i < mParticles.size(); ++i)
    {
        Particle& particle = *mParticles[i];
        const bool expired = mExpireByAge && particle.GetAge() >= particle.mLifeTime;
        if (!IsInside(particle) || expired)
        {
            // The last particle fills the gap and waits for the next update to move.
            mParticles[i] = std::move(mParticles.back());
            mParticles.pop_back();
            continue;
        }
        particle.Update();
    }
}

void ParticleField::Draw(Quib::Graphics* g) const
{
    for (const auto& particle : mParticles)
        particle->Draw(g);
}
