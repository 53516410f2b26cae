#pragma once

#include "framework/foundation/Rect.h"
#include "game/frontend/Particle.h"
#include "game/frontend/ParticleEmitter.h"

#include <memory>
#include <vector>

namespace Quib
{
class Graphics;
}

// The menu's smoke: emitters that spawn particles and the particles, which
// live until their picture leaves the bounds. Nothing moves or spawns while
// the game clock is paused.
class ParticleField
{
public:
    void Update();
    void Draw(Quib::Graphics* g) const;
    void AddEmitter(std::unique_ptr<ParticleEmitter> emitter);
    void AddParticle(std::unique_ptr<Particle> particle);

    std::vector<std::unique_ptr<Particle>> mParticles;
    std::vector<std::unique_ptr<ParticleEmitter>> mEmitters;
    Quib::Rect mBounds{0, 0, 0, 0};
    bool mExpireByAge = false;

private:
    bool IsInside(const Particle& particle) const;
};
