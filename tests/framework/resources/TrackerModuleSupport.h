#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace soundtest
{

// The Amiga period of each order's note; every order plays one looping sine
// sample on the first two channels (one left, one right) for two rows.
struct TrackerSong
{
    std::vector<int> periods;
};

// Frequency heard from a note of `period`: the Amiga clock over twice the
// period gives the sample rate, and the sine's cycle is kSineCycle samples.
constexpr int kSineCycle = 32;
double TrackerNoteHertz(int period);

// A four-channel tracker module ("M.K.") built byte by byte.
std::vector<uint8_t> BuildTrackerModule(const TrackerSong& song);

// The frequency of a tone by its rising zero crossings, over `frames` frames
// of one channel of interleaved stereo.
double MeasureHertz(const int16_t* stereo, size_t frames, int channel, double samplesPerSecond);

} // namespace soundtest
