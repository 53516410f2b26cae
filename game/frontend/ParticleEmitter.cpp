#include "game/frontend/ParticleEmitter.h"

#include "game/frontend/Particle.h"
#include "game/frontend/ParticleField.h"
#include "game/shell/GameClock.h"
#include "platform/Random.h"

#include <memory>

ParticleEmitter::ParticleEmitter(ParticleField* field, int x, int y, int width, int height)
    : mSpawnX(x), mSpawnY(y), mSpawnWidth(width), mSpawnHeight(height),
      mLastSpawn(GameClock::GetInstance().GetTime()), mField(field)
{
}

void ParticleEmitter::Update()
{
    const int64_t now = GameClock::GetInstance().GetTime();
    if (double(now - mLastSpawn) < mInterval)
        return;
    const int y = mSpawnY + platform::rand() % mSpawnHeight;
    const int x = mSpawnX + platform::rand() % mSpawnWidth;
    auto particle = std::make_unique<Particle>(mLifeTime, float(x), float(y), mRiseSpeed);
    particle->mGrowth = mGrowth;
    mField->AddParticle(std::move(particle));
    mLastSpawn = now;
}
