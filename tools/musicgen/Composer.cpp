#include "tools/musicgen/Composer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace musicgen
{

namespace
{

constexpr std::array<int, 7> kMinor = {0, 2, 3, 5, 7, 8, 10};
constexpr std::array<int, 7> kMajor = {0, 2, 4, 5, 7, 9, 11};

// Bar rhythms in beats; each sums to four.
const std::vector<std::vector<double>> kRhythms = {
    {1, 1, 1, 1},     {1.5, 0.5, 1, 1}, {0.5, 0.5, 1, 2},        {2, 1, 1},
    {1, 0.5, 0.5, 2}, {3, 1},           {0.5, 0.5, 0.5, 0.5, 2},
};

uint32_t Next(uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

} // namespace

int Composer::ScaleStep(int index) const
{
    const auto& scale = mStyle.minor ? kMinor : kMajor;
    const int octave = index >= 0 ? index / 7 : -((-index + 6) / 7);
    return octave * 12 + scale[size_t(index - octave * 7)];
}

std::vector<int> Composer::ChordTones(int degree) const
{
    std::vector<int> tones = {ScaleStep(degree), ScaleStep(degree + 2), ScaleStep(degree + 4)};
    if (mStyle.minor && degree % 7 == 4)
        tones[1] += 1;
    return tones;
}

int Composer::NearestChordTone(int pitch, int degree) const
{
    int best = pitch;
    int bestDistance = 1000;
    for (int tone : ChordTones(degree))
    {
        for (int octave = -3; octave <= 4; ++octave)
        {
            const int candidate = mStyle.root + tone + 12 * octave;
            const int distance = std::abs(candidate - pitch);
            if (distance < bestDistance)
            {
                best = candidate;
                bestDistance = distance;
            }
        }
    }
    return best;
}

void Composer::AddHeldChord(int degree, double start, double seconds, double velocity)
{
    const auto tones = ChordTones(degree);
    double pan = -0.4;
    for (int tone : tones)
    {
        mNotes.push_back({start, seconds, mStyle.root + tone - 12, velocity, pan, Instrument::Pad});
        pan += 0.4;
    }
    if (mStyle.bass)
        mNotes.push_back(
            {start, seconds, mStyle.root + tones[0] - 24, velocity * 1.2, 0.0, Instrument::Bass});
}

void Composer::AddPhrase(int degree, double start, double seconds, int count, uint32_t seed)
{
    uint32_t random = seed;
    if (mLeadPitch < 0)
        mLeadPitch = NearestChordTone((mStyle.leadLow + mStyle.leadHigh) / 2, degree);
    const double step = seconds / std::max(count, 1);
    for (int i = 0; i < count; ++i)
    {
        const int move = int(Next(random) % 5) - 2;
        int pitch = i % 2 == 0 ? NearestChordTone(mLeadPitch + move * 2, degree) : mLeadPitch + move;
        pitch = std::clamp(pitch, mStyle.leadLow, mStyle.leadHigh);
        mLeadPitch = pitch;
        const double held = i + 1 == count ? step * 2.5 : step * 0.9;
        mNotes.push_back({start + i * step, held, pitch, mStyle.leadVelocity, 0.25, mStyle.lead});
    }
}

void Composer::AddMelodyBar(int degree, double barStart, uint32_t& random, int octaveShift)
{
    const double beat = 60.0 / mStyle.bpm;
    const auto& rhythm = kRhythms[Next(random) % kRhythms.size()];
    const int low = mStyle.leadLow + 12 * octaveShift;
    const int high = mStyle.leadHigh + 12 * octaveShift;
    if (mLeadPitch < low || mLeadPitch > high)
        mLeadPitch = NearestChordTone((low + high) / 2, degree);
    double at = 0;
    for (double length : rhythm)
    {
        int pitch = mLeadPitch;
        const bool strong = std::fmod(at, 2.0) == 0.0;
        if (strong)
        {
            pitch = NearestChordTone(mLeadPitch + int(Next(random) % 7) - 3, degree);
        }
        else
        {
            // A step along the scale, up or down.
            const int direction = Next(random) % 2 == 0 ? 1 : -1;
            int candidate = pitch + direction;
            const auto& scale = mStyle.minor ? kMinor : kMajor;
            while (std::find(scale.begin(), scale.end(), ((candidate - mStyle.root) % 12 + 12) % 12) ==
                   scale.end())
                candidate += direction;
            pitch = candidate;
        }
        if (pitch > high)
            pitch -= 12;
        if (pitch < low)
            pitch += 12;
        mLeadPitch = pitch;
        mNotes.push_back(
            {barStart + at * beat, length * beat * 0.92, pitch, mStyle.leadVelocity, 0.2, mStyle.lead});
        at += length;
    }
}

int Composer::AddSection(const Section& section, int startBar)
{
    const double bar = BarSeconds();
    const double beat = bar / 4;
    uint32_t random = section.melodySeed;
    int barIndex = startBar;
    for (size_t i = 0; i < section.degrees.size(); ++i, ++barIndex)
    {
        const int degree = section.degrees[i];
        const double start = barIndex * bar;
        const auto tones = ChordTones(degree);
        // Chords: a pad under the whole bar.
        double pan = -0.5;
        for (int tone : tones)
        {
            mNotes.push_back({start, bar * 0.98, mStyle.root + tone, 0.32, pan, Instrument::Pad});
            pan += 0.5;
        }
        if (mStyle.bass)
        {
            mNotes.push_back({start, beat * 1.8, mStyle.root + tones[0] - 24, 0.7, 0.0, Instrument::Bass});
            if (!section.sparse)
                mNotes.push_back(
                    {start + 2 * beat, beat * 1.8, mStyle.root + tones[2] - 24, 0.55, 0.0, Instrument::Bass});
        }
        if (section.sparse)
        {
            mNotes.push_back({start, bar, mStyle.root + tones[0] + 12, 0.3, 0.3, mStyle.arpeggio});
            continue;
        }
        // Broken chords in eighths: up through the chord and back.
        const int pattern[] = {0, 1, 2, 3, 2, 1, 2, 3};
        for (int e = 0; e < 8; ++e)
        {
            const int k = pattern[e];
            const int pitch = mStyle.root + 12 + (k == 3 ? tones[0] + 12 : tones[size_t(k)]);
            mNotes.push_back(
                {start + e * beat / 2, beat * 0.6, pitch, 0.24, e % 2 == 0 ? -0.3 : 0.3, mStyle.arpeggio});
        }
        if (section.melodySeed != 0)
        {
            // The fourth bar of every phrase rests on one long chord tone.
            if (i % 4 == 3)
            {
                const int middle = (mStyle.leadLow + mStyle.leadHigh) / 2 + 12 * section.octaveShift;
                const int pitch = NearestChordTone(mLeadPitch < 0 ? middle : mLeadPitch, degree);
                mLeadPitch = pitch;
                mNotes.push_back({start, bar * 0.9, pitch, mStyle.leadVelocity, 0.2, mStyle.lead});
            }
            else
            {
                AddMelodyBar(degree, start, random, section.octaveShift);
            }
        }
    }
    return barIndex;
}

} // namespace musicgen
