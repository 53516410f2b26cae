#include "game/minigames/wave/WaveSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace
{

using W = WaveSettings;

int ZeroCrossings(int amplitude, int frequency, int phase)
{
    int crossings = 0;
    for (int a = 0; a < kWaveSegments; ++a)
    {
        const int y0 = WavePointAt(a, amplitude, frequency, phase).mY;
        const int y1 = WavePointAt(a + 1, amplitude, frequency, phase).mY;
        crossings += (y0 < 0) != (y1 < 0);
    }
    return crossings;
}

} // namespace

TEST(WaveSettingsTest, SliderValuesMapToTruncatedSettings)
{
    struct Case
    {
        int mSlider;
        double mValue;
        int mFrequency, mAmplitude, mPhase;
    };
    const Case cases[] = {
        {W::Frequency, 0.10, 2, 20, 0},   {W::Frequency, 0.1499, 2, 20, 0}, {W::Frequency, 0.15, 3, 20, 0},
        {W::Frequency, 0.0999, 1, 20, 0}, {W::Amplitude, 0.5, 6, 48, 0},    {W::Amplitude, 1.0, 6, 96, 0},
        {W::Phase, 0.35, 6, 20, 7},       {W::Phase, 0.0, 6, 20, 0},        {7, 0.5, 6, 20, 0},
    };
    for (const Case& c : cases)
    {
        WaveSettings wave;
        wave.SetSliderValue(c.mSlider, c.mValue);
        EXPECT_EQ(wave.GetFrequency(), c.mFrequency) << c.mSlider << " " << c.mValue;
        EXPECT_EQ(wave.GetAmplitude(), c.mAmplitude) << c.mSlider << " " << c.mValue;
        EXPECT_EQ(wave.GetPhase(), c.mPhase) << c.mSlider << " " << c.mValue;
        EXPECT_FALSE(wave.IsSolved());
    }
    WaveSettings start;
    EXPECT_DOUBLE_EQ(start.GetSliderValue(W::Frequency), 6.0 / 20);
    EXPECT_DOUBLE_EQ(start.GetSliderValue(W::Amplitude), 20.0 / 96);
    EXPECT_DOUBLE_EQ(start.GetSliderValue(W::Phase), 0.0);
}

TEST(WaveSettingsTest, ExactFrequencyAndTheToleranceSolveAndSnap)
{
    struct Case
    {
        int mFrequency, mAmplitude, mPhase;
        bool mSolved;
    };
    const Case cases[] = {{2, 40, 5, true},  {2, 38, 3, true},  {2, 42, 7, true},
                          {2, 37, 5, false}, {2, 43, 5, false}, {2, 40, 2, false},
                          {2, 40, 8, false}, {3, 40, 5, false}, {1, 40, 5, false}};
    for (const Case& c : cases)
    {
        WaveSettings wave;
        // Amplitude and phase first, the frequency last, each from the value that gives it exactly.
        wave.SetSliderValue(W::Amplitude, (c.mAmplitude + 0.5) / 96);
        wave.SetSliderValue(W::Phase, (c.mPhase + 0.5) / 20);
        wave.SetSliderValue(W::Frequency, (c.mFrequency + 0.5) / 20);
        EXPECT_EQ(wave.IsSolved(), c.mSolved) << c.mFrequency << " " << c.mAmplitude << " " << c.mPhase;
        if (c.mSolved)
        {
            EXPECT_EQ(wave.GetAmplitude(), 40);
            EXPECT_EQ(wave.GetPhase(), 5);
            wave.SetSliderValue(W::Frequency, 0.9);
            EXPECT_EQ(wave.GetFrequency(), 2); // ignored after the solve
            EXPECT_FALSE(wave.Reset());
        }
    }
}

TEST(WaveSettingsTest, ResetRestoresTheStartingWave)
{
    WaveSettings wave;
    wave.SetSliderValue(W::Amplitude, 0.9);
    wave.SetSliderValue(W::Frequency, 0.9);
    wave.SetSliderValue(W::Phase, 0.9);
    EXPECT_TRUE(wave.Reset());
    EXPECT_EQ(wave.GetFrequency(), 6);
    EXPECT_EQ(wave.GetAmplitude(), 20);
    EXPECT_EQ(wave.GetPhase(), 0);
    EXPECT_DOUBLE_EQ(wave.GetSliderValue(W::Amplitude), 20.0 / 96);
}

TEST(WavePointTest, TheWaveRunsItsFrequencyInPeriodsAcrossTheScreen)
{
    // Two crossings per period: frequency F shows F periods over the 344 px.
    struct Case
    {
        int mFrequency, mCrossings;
    };
    for (const Case& c : {Case{1, 2}, Case{2, 4}, Case{6, 12}, Case{20, 40}})
        EXPECT_NEAR(ZeroCrossings(40, c.mFrequency, 5), c.mCrossings, 1) << c.mFrequency;
    EXPECT_EQ(WavePointAt(0, 40, 2, 5).mX, 0);
    EXPECT_EQ(WavePointAt(1, 40, 2, 5).mX, 1);
    EXPECT_EQ(WavePointAt(100, 40, 2, 5).mX, 172);
    EXPECT_EQ(WavePointAt(200, 40, 2, 5).mX, 344);
    EXPECT_EQ(WavePointAt(0, 40, 2, 5).mY, int(40 * std::sin(2.0 * 5 * 565.2)));
    // One phase step moves the wave by about a tenth of a period: less than its amplitude anywhere.
    int most = 0;
    for (int a = 0; a <= kWaveSegments; ++a)
        most = std::max(most, std::abs(WavePointAt(a, 40, 2, 6).mY - WavePointAt(a, 40, 2, 5).mY));
    EXPECT_GT(most, 10);
    EXPECT_LT(most, 40);
}
