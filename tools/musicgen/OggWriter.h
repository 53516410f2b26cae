#pragma once

#include "tools/musicgen/Synth.h"

#include <cstdint>
#include <vector>

namespace musicgen
{

// The buffer as an Ogg Vorbis file (variable bit rate of the given quality,
// -0.1 .. 1). The same samples and serial number give the same bytes.
std::vector<uint8_t> EncodeOggVorbis(const StereoBuffer& buffer, float quality, int serial);

} // namespace musicgen
