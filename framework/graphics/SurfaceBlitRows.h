#pragma once

#include <cstdint>

// The hot rows of the surface blitters. Reference holds the plain formula one pixel
// at a time; the other routines are what the blitters run (vector code where the
// machine has it) and must give bit-identical results.
namespace Quib::SurfaceBlitRows
{

// White blend of premultiplied display-format values over a 32-bit surface row:
// d' = ((d & 0xFF00FF) x (256 - A) >> 8 & 0xFF00FF) + n + ((d & 0xFF00) x (256 - A) >> 8 & 0xFF00).
// Pixels of alpha 0 are left alone and pixels of alpha 255 replaced by n, as the
// run-length walk treats them.
void OverWhite32Reference(uint8_t* dest, const uint32_t* native, int32_t count);
void OverWhite32(uint8_t* dest, const uint32_t* native, int32_t count);

// Additive white on a 32-bit surface of 8-bit channels, where the clamp tables are a
// saturating add: pixels whose colour is 0 are left alone, the others become the
// channel sums cut at 255 with a top byte of 0.
void AddWhite32Reference(uint8_t* dest, const uint32_t* native, int32_t count);
void AddWhite32(uint8_t* dest, const uint32_t* native, int32_t count);

// A coloured (or grey) blend on a 32-bit surface of 8-bit channels: factor[i] is the
// colour factor of the channel in byte i, colorAlpha the colour's alpha. Per channel
// d' = (d x k + n x f) >> 8 with k = 256 - A x colorAlpha / 255, or k = 0 where both
// alphas are 255; pixels of alpha 0 are left alone and the top byte becomes 0.
void OverColor32Reference(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                          uint32_t colorAlpha);
void OverColor32(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                 uint32_t colorAlpha);

// A coloured blend on a 5-6-5 surface: factor[i] is the colour factor of the channel
// at 0, 5 and 11 bits up, colorAlpha the colour's alpha. Per channel mask m
// d' = ((d & m) x k + (n & m) x f) >> 8 & m with k = 256 - A x colorAlpha / 255, or
// k = 0 where both alphas are 255; pixels of alpha 0 are left alone.
void OverColor565Reference(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                           uint32_t colorAlpha);
void OverColor565(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                  uint32_t colorAlpha);

// Additive white on a 5-6-5 surface (red and blue in either end): per channel the sum
// of the destination's and the value's channel, cut at the channel's largest value.
void AddWhite565Reference(uint8_t* dest, const uint32_t* native, int32_t count);
void AddWhite565(uint8_t* dest, const uint32_t* native, int32_t count);

// Display-format values onto a 16-bit surface row, each cut to its low half: the copy
// of an opaque picture that has no surface of its own.
void Narrow16Reference(uint8_t* dest, const uint32_t* native, int32_t count);
void Narrow16(uint8_t* dest, const uint32_t* native, int32_t count);

} // namespace Quib::SurfaceBlitRows
