#include "tools/musicgen/Tracks.h"

#include "tools/musicgen/Composer.h"
#include "tools/musicgen/Reverb.h"

namespace musicgen
{

namespace
{

StereoBuffer Render(const Composer& composer, double seconds, bool looping, float wet)
{
    StereoBuffer buffer(kSampleRate, seconds, looping);
    for (const Note& note : composer.Notes())
        RenderNote(note, buffer);
    AddReverb(buffer, wet);
    Normalise(buffer, 0.8f);
    return buffer;
}

// Renders a piece made of sections; its length is a whole number of bars.
StereoBuffer RenderSections(const Style& style, const std::vector<Section>& sections, float wet)
{
    Composer composer(style);
    int bar = 0;
    for (const Section& section : sections)
        bar = composer.AddSection(section, bar);
    return Render(composer, bar * composer.BarSeconds(), true, wet);
}

} // namespace

StereoBuffer MainTheme()
{
    Style style;
    style.root = 62; // D minor
    style.bpm = 84;
    style.lead = Instrument::Flute;
    style.arpeggio = Instrument::Piano;
    const std::vector<int> a = {0, 5, 2, 6, 0, 5, 3, 4};
    const std::vector<int> b = {3, 0, 5, 2, 3, 0, 4, 4};
    const std::vector<int> c = {2, 6, 0, 5, 2, 6, 3, 4};
    const std::vector<Section> form = {
        {{0, 5, 3, 4}, 0, 0, true}, {a, 11, 0, false}, {a, 11, 1, false},
        {b, 23, 0, false},          {a, 11, 0, false}, {c, 37, 1, false},
        {b, 23, 0, false},          {a, 11, 0, false}, {{0, 5, 4, 0}, 0, 0, true},
    };
    return RenderSections(style, form, 0.3f);
}

StereoBuffer SceneLoop(int n)
{
    struct Mood
    {
        int root;
        double bpm;
        Instrument lead, arpeggio;
        uint32_t seed;
    };
    // Each scene has its own key, pace and colour.
    const Mood moods[] = {
        {57, 72, Instrument::Celesta, Instrument::Piano, 101},
        {64, 66, Instrument::Flute, Instrument::Celesta, 202},
        {55, 90, Instrument::Piano, Instrument::Piano, 303},
        {60, 60, Instrument::Flute, Instrument::Piano, 404},
        {66, 80, Instrument::Celesta, Instrument::Celesta, 505},
        {59, 76, Instrument::Piano, Instrument::Celesta, 606},
    };
    const Mood& mood = moods[(n - 1) % 6];
    Style style;
    style.root = mood.root;
    style.bpm = mood.bpm;
    style.lead = mood.lead;
    style.arpeggio = mood.arpeggio;
    style.leadVelocity = 0.4;
    const std::vector<int> a = {0, 3, 5, 4, 0, 3, 6, 4};
    const std::vector<int> b = {5, 2, 3, 0, 5, 2, 3, 4};
    const std::vector<Section> form = {
        {{0, 5}, 0, 0, true},     {a, mood.seed, 0, false}, {b, mood.seed + 1, 0, false},
        {a, mood.seed, 0, false}, {{0, 4}, 0, 0, true},
    };
    return RenderSections(style, form, 0.35f);
}

StereoBuffer IntroMusic(const IntroTiming& timing)
{
    Style style;
    style.root = 60; // C minor
    style.lead = Instrument::Celesta;
    style.leadVelocity = 0.45;
    style.leadLow = 72;
    style.leadHigh = 88;
    Composer composer(style);
    // The opening swells on the tonic; each text brings its own pair of chords
    // and a phrase that starts with it; the closing resolves.
    composer.AddHeldChord(0, 0.0, timing.textStarts.empty() ? timing.closingStart : timing.textStarts[0],
                          0.35);
    const int pairs[][2] = {{5, 3}, {3, 4}, {5, 4}};
    for (size_t i = 0; i < timing.textStarts.size(); ++i)
    {
        const double start = timing.textStarts[i];
        const double end = i + 1 < timing.textStarts.size() ? timing.textStarts[i + 1] : timing.closingStart;
        const double half = (end - start) / 2;
        composer.AddHeldChord(pairs[i % 3][0], start, half, 0.35);
        composer.AddHeldChord(pairs[i % 3][1], start + half, half, 0.35);
        composer.AddPhrase(pairs[i % 3][0], start, half * 1.5, 7, 900 + uint32_t(i));
    }
    composer.AddHeldChord(0, timing.closingStart, timing.end - timing.closingStart + 1.0, 0.4);
    composer.AddPhrase(0, timing.closingStart, 1.2, 3, 977);
    StereoBuffer buffer = Render(composer, timing.end + 2.0, false, 0.3f);
    FadeOutEnd(buffer, 2.5);
    return buffer;
}

} // namespace musicgen
