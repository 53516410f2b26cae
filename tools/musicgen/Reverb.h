#pragma once

#include "tools/musicgen/Synth.h"

namespace musicgen
{

// A small room: parallel feedback delays and two diffusers per channel, mixed
// in at `wet`. A looping buffer is run around twice so that its start carries
// the echoes of its end.
void AddReverb(StereoBuffer& buffer, float wet);

} // namespace musicgen
