#pragma once

#include <cstdint>

class ParticleField;

// Releases one particle into its field every interval of game time, at a
// random point of its spawn rectangle.
struct ParticleEmitter
{
    ParticleEmitter(ParticleField* field, int x, int y, int width, int height);

    void Update();

    int mSpawnX, mSpawnY, mSpawnWidth, mSpawnHeight;
    float mRiseSpeed = -0.05f;
    double mInterval = 950.0;
    int mLifeTime = 14000;
    int64_t mLastSpawn;
    ParticleField* mField;
    float mGrowth = 0.0f;
};
