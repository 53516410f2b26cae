#pragma once

#include <cstdint>

namespace Quib
{

class NativeDisplay;

// The screen-format cache of a memory image: each channel premultiplied by
// (alpha + 1) / 256, cut to the screen's bits and moved to its place; the alpha stays
// in bits 24 to 31.
uint32_t ToNative(uint32_t pixel, const NativeDisplay& display);
// Back to straight ARGB: each channel the smallest value that converts forward to the
// same cached value, so an image read back any number of times keeps its pixels.
uint32_t FromNative(uint32_t native, const NativeDisplay& display);

} // namespace Quib
