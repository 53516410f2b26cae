#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace musicgen
{

enum class Instrument
{
    Piano,   // struck, decaying partials
    Pad,     // slow strings: two detuned voices, soft attack and release
    Bass,    // round low pluck
    Celesta, // bell-like inharmonic partials
    Flute,   // breathy lead with delayed vibrato
};

struct Note
{
    double start = 0;    // seconds
    double length = 0;   // seconds the key is held
    int pitch = 60;      // MIDI note number
    double velocity = 1; // 0..1
    double pan = 0;      // -1 left .. 1 right
    Instrument instrument = Instrument::Piano;
};

// Interleaved stereo samples. A looping buffer is circular: sound that rings
// past its end continues at its start, so the loop wraps without a click.
class StereoBuffer
{
public:
    StereoBuffer(int rate, double seconds, bool looping);

    int Rate() const { return mRate; }
    size_t Frames() const { return mSamples.size() / 2; }
    bool Looping() const { return mLooping; }
    void Add(size_t frame, float left, float right);
    std::vector<float>& Samples() { return mSamples; }
    const std::vector<float>& Samples() const { return mSamples; }

private:
    int mRate;
    bool mLooping;
    std::vector<float> mSamples;
};

void RenderNote(const Note& note, StereoBuffer& out);
// Scales the buffer so that its loudest sample is `peak`.
void Normalise(StereoBuffer& buffer, float peak);
// Fades the last `seconds` out (a piece that does not loop ends in silence).
void FadeOutEnd(StereoBuffer& buffer, double seconds);

} // namespace musicgen
