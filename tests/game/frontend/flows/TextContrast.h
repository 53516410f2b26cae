#pragma once

// Measures how well every text on the game's screen reads against what lies
// under it. The game's fonts are wrapped by recording fonts: each frame is
// drawn twice without an update between, once with every text left out (the
// backdrop) and once whole (the draws of the texts, where they went and in
// which colour). A text's contrast is the WCAG ratio of its fill colour to the
// mean colour of the backdrop under its box. A black copy drawn a pixel beside
// the same text just before it is its shadow, not a text of its own.

#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"

#include <memory>
#include <string>
#include <vector>

namespace Quib
{
class Font;
}

namespace gameharness
{

class GameHarness;
class RecordingFont;

struct TextDraw
{
    std::string text;
    // The box the text covers on the screen, cut to the clip it was drawn in.
    Quib::Rect box;
    int baselineX = 0;
    int baselineY = 0;
    Quib::Color color;
    // The draw's place among the frame's text draws.
    int order = 0;
};

struct TextContrast
{
    TextDraw draw;
    double ratio = 0;
};

// WCAG relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(double red, double green, double blue);
// WCAG contrast ratio of two luminances, 1 to 21.
double ContrastRatio(double luminanceA, double luminanceB);

class TextContrastProbe
{
public:
    explicit TextContrastProbe(GameHarness& game);
    ~TextContrastProbe();
    TextContrastProbe(const TextContrastProbe&) = delete;
    TextContrastProbe& operator=(const TextContrastProbe&) = delete;

    // Draws the present screen twice and measures every visible text on it,
    // lowest ratio first. Fonts fetched since the last call are wrapped first;
    // widgets that copied a font before the probe existed are not seen.
    std::vector<TextContrast> Measure();
    // With a folder set, Measure also writes NAME.png of the whole frame there.
    void SaveFramesTo(const std::string& folder) { mFrameFolder = folder; }
    void SetFrameName(const std::string& name) { mFrameName = name; }

    struct Recorder;

private:
    void WrapFonts();
    // The probe's own font behind that pointer, or null.
    RecordingFont* Wrapper(Quib::Font* font) const;
    void DrawFrame();

    GameHarness& mGame;
    std::shared_ptr<Recorder> mRecorder;
    std::vector<std::unique_ptr<RecordingFont>> mWrappers;
    std::string mFrameFolder;
    std::string mFrameName;
};

// "text" at (x, y) 3.21:1 for a report line.
std::string Describe(const TextContrast& contrast);

} // namespace gameharness
