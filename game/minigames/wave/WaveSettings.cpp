#include "game/minigames/wave/WaveSettings.h"

#include <cmath>
#include <cstdlib>

void WaveSettings::SetSliderValue(int slider, double value)
{
    if (mSolved || slider < 0 || slider > 2)
        return;
    const int set = int(value * kRanges[std::size_t(slider)]);
    if (slider == Frequency)
        mFrequency = set;
    else if (slider == Amplitude)
        mAmplitude = set;
    else
        mPhase = set;
    if (mFrequency == kTargetFrequency && std::abs(mPhase - kTargetPhase) <= kTolerance &&
        std::abs(mAmplitude - kTargetAmplitude) <= kTolerance)
    {
        mSolved = true;
        mAmplitude = kTargetAmplitude;
        mPhase = kTargetPhase;
    }
}

bool WaveSettings::Reset()
{
    if (mSolved)
        return false;
    mFrequency = kStartFrequency;
    mAmplitude = kStartAmplitude;
    mPhase = kStartPhase;
    return true;
}

double WaveSettings::GetSliderValue(int slider) const
{
    const int value = slider == Frequency ? mFrequency : slider == Amplitude ? mAmplitude : mPhase;
    return double(value) / kRanges[std::size_t(slider)];
}

WavePoint WavePointAt(int a, int amplitude, int frequency, int phase)
{
    const double s = 2.0 * phase * 565.2;
    const double y = amplitude * std::sin(s + double(a) * frequency / kWaveSegments * 6.28);
    return {a * kWaveWidth / kWaveSegments, int(y)};
}
