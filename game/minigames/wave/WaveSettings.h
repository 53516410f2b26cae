#pragma once

#include <array>
#include <cstddef>

// The wave-matching rules: the player's frequency, amplitude and phase, set
// from three sliders (0..1), against the target wave. Solved with the exact
// frequency and amplitude and phase within 2; the wave then snaps onto the target.
class WaveSettings
{
public:
    static constexpr int kTargetFrequency = 2;
    static constexpr int kTargetAmplitude = 40;
    static constexpr int kTargetPhase = 5;
    static constexpr int kTolerance = 2;
    static constexpr int kStartFrequency = 6;
    static constexpr int kStartAmplitude = 20;
    static constexpr int kStartPhase = 0;
    static constexpr int kHelpNumber = 16;

    enum Slider
    {
        Frequency = 0,
        Amplitude = 1,
        Phase = 2
    };
    static constexpr std::array<int, 3> kRanges{20, 96, 20};

    // Ignored once solved; the value times the slider's range, truncated.
    void SetSliderValue(int slider, double value);
    // The starting wave again, the amplitude included. Ignored once solved.
    bool Reset();
    // Where each slider's thumb sits for the current values.
    double GetSliderValue(int slider) const;

    bool IsSolved() const { return mSolved; }
    int GetFrequency() const { return mFrequency; }
    int GetAmplitude() const { return mAmplitude; }
    int GetPhase() const { return mPhase; }

private:
    int mFrequency = kStartFrequency;
    int mAmplitude = kStartAmplitude;
    int mPhase = kStartPhase;
    bool mSolved = false;
};

// One drawn wave: 200 segments over 344 px from its left end. The position
// along the wave, a x F / 200, is a fraction: read as integers it would stay
// 0 and the wave would be a flat line whatever its frequency.
struct WavePoint
{
    int mX = 0;
    int mY = 0;
};
constexpr int kWaveSegments = 200;
constexpr int kWaveWidth = 344;
WavePoint WavePointAt(int a, int amplitude, int frequency, int phase);
