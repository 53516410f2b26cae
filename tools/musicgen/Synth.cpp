#include "tools/musicgen/Synth.h"

#include <algorithm>
#include <cmath>

namespace musicgen
{

namespace
{

constexpr double kTau = 6.283185307179586;

double Frequency(int pitch)
{
    return 440.0 * std::pow(2.0, (pitch - 69) / 12.0);
}

struct Partial
{
    double ratio;     // of the fundamental
    double amplitude; // relative
    double decay;     // per second; 0 for sustained
};

// How long a note keeps sounding after its key is let go.
double ReleaseTime(Instrument instrument)
{
    switch (instrument)
    {
    case Instrument::Pad:
        return 1.2;
    case Instrument::Celesta:
        return 1.5;
    case Instrument::Piano:
        return 0.35;
    case Instrument::Bass:
        return 0.25;
    case Instrument::Flute:
        return 0.18;
    }
    return 0.2;
}

double AttackTime(Instrument instrument)
{
    switch (instrument)
    {
    case Instrument::Pad:
        return 0.45;
    case Instrument::Flute:
        return 0.07;
    default:
        return 0.004;
    }
}

std::vector<Partial> Partials(Instrument instrument, double frequency)
{
    switch (instrument)
    {
    case Instrument::Piano:
    {
        std::vector<Partial> partials;
        for (int k = 1; k <= 7; ++k)
        {
            // Strings are slightly stiff: upper partials sit a little sharp.
            const double ratio = k * std::sqrt(1.0 + 0.0004 * k * k);
            partials.push_back({ratio, 1.0 / std::pow(k, 1.6), 1.1 + 0.8 * k + frequency / 900.0});
        }
        return partials;
    }
    case Instrument::Pad:
        return {{1, 1.0, 0}, {2, 0.45, 0}, {3, 0.22, 0}, {4, 0.12, 0}, {5, 0.06, 0}};
    case Instrument::Bass:
        return {{1, 1.0, 1.6}, {2, 0.35, 3.0}, {3, 0.08, 5.0}};
    case Instrument::Celesta:
        return {{1, 1.0, 1.4}, {2.76, 0.35, 3.2}, {5.40, 0.12, 6.0}, {4.0, 0.08, 4.0}};
    case Instrument::Flute:
        return {{1, 1.0, 0}, {2, 0.18, 0}, {3, 0.07, 0}};
    }
    return {{1, 1.0, 0}};
}

} // namespace

StereoBuffer::StereoBuffer(int rate, double seconds, bool looping)
    : mRate(rate), mLooping(looping), mSamples(size_t(std::llround(seconds * rate)) * 2, 0.0f)
{
}

void StereoBuffer::Add(size_t frame, float left, float right)
{
    const size_t frames = Frames();
    if (frames == 0)
        return;
    if (frame >= frames)
    {
        if (!mLooping)
            return;
        frame %= frames;
    }
    mSamples[frame * 2] += left;
    mSamples[frame * 2 + 1] += right;
}

void RenderNote(const Note& note, StereoBuffer& out)
{
    const double rate = out.Rate();
    const double frequency = Frequency(note.pitch);
    const double attack = AttackTime(note.instrument);
    const double release = ReleaseTime(note.instrument);
    const double total = note.length + release;
    const auto partials = Partials(note.instrument, frequency);
    // Equal-power panning.
    const double angle = (std::clamp(note.pan, -1.0, 1.0) + 1.0) * kTau / 8.0;
    const double gainLeft = std::cos(angle) * note.velocity;
    const double gainRight = std::sin(angle) * note.velocity;
    const bool pad = note.instrument == Instrument::Pad;
    const bool flute = note.instrument == Instrument::Flute;
    const size_t first = size_t(std::llround(note.start * rate));
    const size_t count = size_t(total * rate);
    // A fixed phase per pitch keeps the rendering identical from run to run.
    const double phase0 = std::fmod(note.pitch * 0.618034, 1.0) * kTau;

    for (size_t i = 0; i < count; ++i)
    {
        const double t = double(i) / rate;
        double envelope = t < attack ? t / attack : 1.0;
        if (t > note.length)
            envelope *= std::max(0.0, 1.0 - (t - note.length) / release);
        if (envelope <= 0.0)
            continue;
        double vibrato = 0.0;
        if (flute && t > 0.25)
            vibrato = 0.004 * std::min(1.0, (t - 0.25) * 2.0) * std::sin(kTau * 5.2 * t);
        else if (pad)
            vibrato = 0.0015 * std::sin(kTau * 4.1 * t + phase0);
        double value = 0.0;
        for (const Partial& p : partials)
        {
            const double f = frequency * p.ratio * (1.0 + vibrato);
            if (f >= rate / 2.0)
                continue;
            double amplitude = p.amplitude;
            if (p.decay > 0)
                amplitude *= std::exp(-p.decay * t);
            value += amplitude * std::sin(kTau * f * t + phase0 * p.ratio);
            if (pad)
                value += amplitude * 0.8 * std::sin(kTau * f * 1.003 * t + phase0);
        }
        if (flute)
            value += 0.02 * std::sin(kTau * frequency * 7.3 * t) * std::sin(kTau * 13.0 * t);
        value *= envelope * 0.18;
        out.Add(first + i, float(value * gainLeft), float(value * gainRight));
    }
}

void Normalise(StereoBuffer& buffer, float peak)
{
    float loudest = 0.0f;
    for (float sample : buffer.Samples())
        loudest = std::max(loudest, std::fabs(sample));
    if (loudest <= 0.0f)
        return;
    const float gain = peak / loudest;
    for (float& sample : buffer.Samples())
        sample *= gain;
}

void FadeOutEnd(StereoBuffer& buffer, double seconds)
{
    const size_t frames = buffer.Frames();
    const size_t fade = std::min(frames, size_t(seconds * buffer.Rate()));
    for (size_t i = 0; i < fade; ++i)
    {
        const float gain = float(i) / float(fade);
        const size_t frame = frames - 1 - i;
        buffer.Samples()[frame * 2] *= gain;
        buffer.Samples()[frame * 2 + 1] *= gain;
    }
}

} // namespace musicgen
