#include "game/frontend/ParticleField.h"

#include "tests/game/shell/FakeGameTime.h"

#include <gtest/gtest.h>

namespace
{

std::unique_ptr<Particle> ParticleAt(float x, float y, int size)
{
    auto particle = std::make_unique<Particle>(14000, x, y, -0.05f);
    particle->mImageWidth = size;
    particle->mImageHeight = size;
    return particle;
}

TEST(ParticleFieldTest, AParticleLivesWhileItsPictureOverlapsTheBoundsByAPixel)
{
    shelltest::FakeGameTime time;
    struct Case
    {
        float x, y;
        bool alive;
    };
    // Bounds x -200..400, y 0..600; a 16-pixel picture.
    for (const Case& c :
         {Case{-215.0f, 300.0f, true}, Case{-216.0f, 300.0f, false}, Case{399.0f, 300.0f, true},
          Case{400.0f, 300.0f, false}, Case{100.0f, -15.0f, true}, Case{100.0f, -16.0f, false},
          Case{100.0f, 599.0f, true}, Case{100.0f, 600.0f, false}})
    {
        ParticleField field;
        field.mBounds = Quib::Rect(-200, 0, 600, 600);
        field.AddParticle(ParticleAt(c.x, c.y, 16));
        field.Update();
        EXPECT_EQ(field.mParticles.size(), c.alive ? 1u : 0u) << c.x << ", " << c.y;
    }
}

TEST(ParticleFieldTest, ARemovedParticleIsReplacedByTheLastWhichMovesOnlyAtTheNextUpdate)
{
    shelltest::FakeGameTime time;
    ParticleField field;
    field.mBounds = Quib::Rect(-200, 0, 600, 600);
    field.AddParticle(ParticleAt(-500.0f, 300.0f, 16));
    field.AddParticle(ParticleAt(100.0f, 300.0f, 16));
    Particle* survivor = field.mParticles[1].get();
    survivor->mJitter = 0.0f;
    field.Update();
    ASSERT_EQ(field.mParticles.size(), 1u);
    EXPECT_EQ(field.mParticles[0].get(), survivor);
    EXPECT_EQ(survivor->mY, 300.0f);
    EXPECT_EQ(survivor->mField, &field);
    field.Update();
    EXPECT_FLOAT_EQ(survivor->mY, 299.95f);
    // The parabola bends to the left as the particle rises.
    EXPECT_LT(survivor->mX, 100.0f);
}

TEST(ParticleFieldTest, EmittersSpawnOnceAnIntervalInTheirRectangleAndAPausedClockFreezesEverything)
{
    shelltest::FakeGameTime time;
    ParticleField field;
    field.mBounds = Quib::Rect(-200, 0, 600, 600);
    auto emitter = std::make_unique<ParticleEmitter>(&field, 236, 254, 10, 10);
    emitter->mGrowth = 2.0f;
    field.AddEmitter(std::move(emitter));
    field.AddEmitter(nullptr);
    ASSERT_EQ(field.mEmitters.size(), 1u);

    time.Advance(949);
    field.Update();
    EXPECT_TRUE(field.mParticles.empty());
    time.Advance(1);
    field.Update();
    ASSERT_EQ(field.mParticles.size(), 1u);
    const Particle& first = *field.mParticles[0];
    EXPECT_GE(first.mStartX, 236.0f);
    EXPECT_LT(first.mStartX, 246.0f);
    EXPECT_GE(first.mStartY, 254.0f);
    EXPECT_LT(first.mStartY, 264.0f);
    EXPECT_EQ(first.mGrowth, 2.0f);
    // At most one particle per emitter and update, however long the gap.
    time.Advance(5000);
    field.Update();
    EXPECT_EQ(field.mParticles.size(), 2u);

    const float y = first.mY;
    time.Clock().Pause();
    time.Advance(5000);
    field.Update();
    EXPECT_EQ(field.mParticles.size(), 2u);
    EXPECT_EQ(first.mY, y);
    time.Clock().Resume();
    time.Advance(950);
    field.Update();
    EXPECT_EQ(field.mParticles.size(), 3u);
    EXPECT_LT(first.mY, y);
}

TEST(ParticleFieldTest, AlphaFallsFrom160OverTheLifeTimeAndStopsAtZero)
{
    shelltest::FakeGameTime time;
    struct Case
    {
        uint32_t age;
        int alpha;
    };
    for (const Case& c : {Case{0, 160}, Case{7000, 120}, Case{14000, 80}, Case{28000, 0}, Case{40000, 0}})
    {
        Particle particle(14000, 100.0f, 300.0f, -0.05f);
        time.Advance(c.age);
        particle.Update();
        EXPECT_EQ(particle.mColor.mAlpha, c.alpha) << c.age;
    }
}

} // namespace
