#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace contentgen
{

// A synthesised sound effect of a style ("click", "chime", "ambient", ...) as a
// 16-bit mono PCM WAV file at 22050 Hz; `seed` varies sounds of one style.
// Ambient loops end where they start, so that they loop without a click.
std::vector<uint8_t> synthesiseWav(const std::string& style, uint32_t seed);

// False when the style is unknown.
bool knownSoundStyle(const std::string& style);

} // namespace contentgen
