#pragma once

#include "tools/musicgen/Synth.h"

#include <cstdint>
#include <vector>

namespace musicgen
{

// The key, tempo and instruments of one piece.
struct Style
{
    int root = 62; // MIDI note of the key's tonic (in the chords' octave)
    bool minor = true;
    double bpm = 84;
    Instrument lead = Instrument::Flute;
    Instrument arpeggio = Instrument::Piano;
    bool bass = true;
    int leadLow = 67, leadHigh = 86;
    double leadVelocity = 0.55;
};

// A run of bars over a chord progression (scale degrees, 0 = tonic, one per
// bar). A melody seed of 0 leaves the bars to the accompaniment; the same seed
// gives the same tune, so sections come back recognisably.
struct Section
{
    std::vector<int> degrees;
    uint32_t melodySeed = 0;
    int octaveShift = 0; // of the melody, in octaves
    bool sparse = false; // long notes only: an opening or a close
};

class Composer
{
public:
    explicit Composer(Style style) : mStyle(style) {}

    double BarSeconds() const { return 4 * 60.0 / mStyle.bpm; }
    // Appends the section's notes from `startBar` on and returns the bar after it.
    int AddSection(const Section& section, int startBar);
    // A chord of the progression held from `start` for `seconds`, for pieces timed in seconds.
    void AddHeldChord(int degree, double start, double seconds, double velocity);
    // A phrase of `count` lead notes over the degree's chord, spread over `seconds`.
    void AddPhrase(int degree, double start, double seconds, int count, uint32_t seed);

    const std::vector<Note>& Notes() const { return mNotes; }
    const Style& GetStyle() const { return mStyle; }

    // Semitones above the root of the chord's three tones (the minor key's
    // dominant takes the raised leading note).
    std::vector<int> ChordTones(int degree) const;

private:
    void AddMelodyBar(int degree, double barStart, uint32_t& random, int octaveShift);
    int ScaleStep(int index) const;
    int NearestChordTone(int pitch, int degree) const;

    Style mStyle;
    std::vector<Note> mNotes;
    int mLeadPitch = -1;
};

} // namespace musicgen
