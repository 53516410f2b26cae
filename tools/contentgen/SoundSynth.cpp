#include "tools/contentgen/SoundSynth.h"

#include <algorithm>
#include <cmath>

namespace contentgen
{

namespace
{

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979;

// A fixed generator, so that every run writes the same samples.
class Noise
{
public:
    explicit Noise(uint32_t seed) : mState(seed * 2654435761u + 1) {}
    double next()
    {
        mState = mState * 1664525u + 1013904223u;
        return double(mState >> 8) / double(1u << 24) * 2.0 - 1.0;
    }

private:
    uint32_t mState;
};

using Samples = std::vector<double>;

Samples silence(double seconds)
{
    return Samples(size_t(seconds * kRate), 0.0);
}

// A decaying partial: a tone that starts at once and fades exponentially.
void addTone(Samples& s, double start, double freq, double amp, double decay, double glide = 0.0)
{
    double phase = 0;
    for (size_t i = size_t(start * kRate); i < s.size(); ++i)
    {
        double t = double(i) / kRate - start;
        double f = freq * (1 + glide * t);
        phase += 2 * kPi * f / kRate;
        double attack = std::min(1.0, t * 400);
        s[i] += amp * attack * std::exp(-t * decay) * std::sin(phase);
    }
}

// Noise through a one-pole low-pass whose cut-off follows `cutoff` (0..1 over the sound).
void addNoise(Samples& s, double start, double length, double amp, double from, double to, Noise& noise,
              bool swell)
{
    double low = 0;
    size_t first = size_t(start * kRate), last = std::min(s.size(), size_t((start + length) * kRate));
    for (size_t i = first; i < last; ++i)
    {
        double u = double(i - first) / double(last - first);
        double k = from + (to - from) * u;
        low += k * (noise.next() - low);
        double envelope = swell ? std::sin(kPi * u) : std::exp(-u * 6);
        s[i] += amp * envelope * low;
    }
}

Samples make(const std::string& style, uint32_t seed)
{
    Noise noise(seed);
    const double vary = 1.0 + double(seed % 7) * 0.04;
    if (style == "click" || style == "tick")
    {
        bool tick = style == "tick";
        Samples s = silence(tick ? 0.06 : 0.12);
        addTone(s, 0, (tick ? 2400 : 1300) * vary, 0.5, tick ? 90 : 45);
        addNoise(s, 0, 0.02, 0.6, 0.9, 0.3, noise, false);
        return s;
    }
    if (style == "chime" || style == "pickup" || style == "fanfare")
    {
        static const double kNotes[] = {523.25, 659.25, 783.99, 1046.5};
        int notes = style == "chime" ? 2 : style == "pickup" ? 3 : 4;
        double step = style == "fanfare" ? 0.13 : 0.07;
        Samples s = silence(step * notes + (style == "fanfare" ? 1.0 : 0.5));
        for (int i = 0; i < notes; ++i)
        {
            double f = kNotes[(i + int(seed % 2)) % 4] * vary;
            addTone(s, step * i, f, 0.35, 5);
            addTone(s, step * i, f * 2.01, 0.12, 9);
        }
        return s;
    }
    if (style == "miss")
    {
        Samples s = silence(0.3);
        addTone(s, 0, 180 * vary, 0.6, 14, -1.5);
        addTone(s, 0, 130 * vary, 0.3, 10, -1.2);
        return s;
    }
    if (style == "thud")
    {
        Samples s = silence(0.25);
        addTone(s, 0, 90 * vary, 0.7, 22);
        addNoise(s, 0, 0.08, 0.5, 0.2, 0.05, noise, false);
        return s;
    }
    if (style == "whoosh")
    {
        Samples s = silence(0.5);
        addNoise(s, 0, 0.5, 1.4, 0.02, 0.35, noise, true);
        return s;
    }
    if (style == "bang")
    {
        Samples s = silence(0.9);
        addNoise(s, 0, 0.9, 1.6, 0.8, 0.02, noise, false);
        addTone(s, 0, 60, 0.8, 8);
        return s;
    }
    if (style == "pour")
    {
        Samples s = silence(1.2);
        for (int i = 0; i < 24; ++i)
            addTone(s, 0.04 * i, (500 + 300 * std::fabs(noise.next())) * vary, 0.12, 30, 2.0);
        addNoise(s, 0, 1.2, 0.4, 0.15, 0.15, noise, true);
        return s;
    }
    if (style == "typing")
    {
        Samples s = silence(0.5);
        for (int i = 0; i < 4; ++i)
        {
            addNoise(s, 0.11 * i, 0.03, 0.9, 0.9, 0.4, noise, false);
            addTone(s, 0.11 * i, 900, 0.2, 80);
        }
        return s;
    }
    if (style == "hum")
    {
        Samples s = silence(0.8);
        for (int h = 1; h <= 4; ++h)
            addTone(s, 0, 110.0 * h, 0.25 / h, 2);
        return s;
    }
    // Ambient loops: a bed of low wind and a room tone, with rain, a fire, a clock
    // or crickets over it. Every tone has a whole number of periods in the loop,
    // the bed is cross-faded into its own start, and every drop, crackle and tick
    // ends before the loop does, so the last sample runs into the first.
    const double seconds = 4.0;
    const size_t length = size_t(seconds * kRate), fade = kRate / 2;
    Samples bed = silence(seconds + 0.5);
    double low = 0, lower = 0, high = 0;
    const bool rain = style == "ambient-rain";
    for (double& v : bed)
    {
        double n = noise.next();
        low += 0.02 * (n - low);
        lower += 0.004 * (low - lower);
        high += 0.5 * (n - high);
        v = low * 2.5 + lower * 3 + (rain ? (n - high) * 0.25 : 0.0);
    }
    Samples s(length, 0.0);
    for (size_t i = 0; i < length; ++i)
    {
        double v = bed[i];
        if (i < fade)
        {
            double u = double(i) / double(fade);
            v = bed[i] * u + bed[length + i] * (1 - u);
        }
        double t = double(i) / kRate;
        for (int h = 1; h <= 3; ++h)
        {
            double cycles = std::round((55.0 + double(seed % 5) * 5) * h * seconds);
            v += 0.05 / h * std::sin(2 * kPi * cycles * t / seconds);
        }
        s[i] = v * (0.75 + 0.25 * std::sin(2 * kPi * t / seconds));
    }
    if (rain)
        for (int drop = 0; drop < 40; ++drop)
            addTone(s, 0.05 + 3.8 * (noise.next() * 0.5 + 0.5), 1800 + 900 * noise.next(), 0.05, 120);
    else if (style == "ambient-fire")
        for (int crackle = 0; crackle < 18; ++crackle)
            addNoise(s, 0.05 + 3.8 * (noise.next() * 0.5 + 0.5), 0.02, 0.5, 0.9, 0.5, noise, false);
    else if (style == "ambient-clock")
        for (int tick = 0; tick < 8; ++tick)
            addTone(s, 0.5 * tick + 0.01, tick % 2 == 0 ? 2100 : 1700, 0.12, 60);
    else if (style == "ambient-night")
        for (int chirp = 0; chirp < 6; ++chirp)
        {
            double start = 0.15 + chirp * 0.62;
            for (int pulse = 0; pulse < 3; ++pulse)
                addTone(s, start + pulse * 0.06, 4400, 0.04, 60);
        }
    return s;
}

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

bool knownSoundStyle(const std::string& style)
{
    static const char* const kStyles[] = {
        "click",   "tick",         "chime",        "pickup",        "fanfare",      "miss",
        "thud",    "whoosh",       "bang",         "pour",          "typing",       "hum",
        "ambient", "ambient-rain", "ambient-fire", "ambient-clock", "ambient-night"};
    return std::find_if(std::begin(kStyles), std::end(kStyles), [&](const char* s) { return style == s; }) !=
           std::end(kStyles);
}

std::vector<uint8_t> synthesiseWav(const std::string& style, uint32_t seed)
{
    Samples samples = make(style, seed);
    double peak = 1e-9;
    for (double v : samples)
        peak = std::max(peak, std::fabs(v));
    const double gain = 0.7 / peak;
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    for (char c : std::string("RIFF"))
        out.push_back(uint8_t(c));
    put32(out, 36 + dataBytes);
    for (char c : std::string("WAVEfmt "))
        out.push_back(uint8_t(c));
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    for (char c : std::string("data"))
        out.push_back(uint8_t(c));
    put32(out, dataBytes);
    const bool loop = style.rfind("ambient", 0) == 0;
    for (size_t i = 0; i < samples.size(); ++i)
    {
        // One-shots fade out over their last 5 ms so that they never end on a step.
        double tail = loop ? 1.0 : std::min(1.0, double(samples.size() - i) / (kRate * 0.005));
        long v = std::lround(std::clamp(samples[i] * gain * tail, -1.0, 1.0) * 32767.0);
        put16(out, uint32_t(uint16_t(int16_t(v))));
    }
    return out;
}

} // namespace contentgen
