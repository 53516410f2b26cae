#pragma once

#include "tools/musicgen/IntroTiming.h"
#include "tools/musicgen/Synth.h"

#include <string>
#include <vector>

namespace musicgen
{

constexpr int kSampleRate = 22050;

struct Track
{
    std::string file; // in the pack's Music folder
    StereoBuffer samples;
};

// The main theme: about three minutes, looping.
StereoBuffer MainTheme();
// The background loop of scene music n (1 to 6).
StereoBuffer SceneLoop(int n);
// The intro's music, shaped by its timing; it plays once.
StereoBuffer IntroMusic(const IntroTiming& timing);

} // namespace musicgen
