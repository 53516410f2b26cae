#pragma once

#include "framework/graphics/BlitKernels.h"

#include <cstdint>

// Vector versions of the row routines, x86 only. Each handles a multiple of its width
// and returns how many pixels it did; the caller finishes the rest with scalar code.
namespace Quib::BlitSimd
{

// Source pixels of alpha 1..254 over an opaque destination.
int32_t BlendPartialSse2(uint32_t* dst, const uint32_t* src, int32_t count);
int32_t BlendPartialAvx2(uint32_t* dst, const uint32_t* src, int32_t count);

// One of the four additive operations; m as for BlitRows::Blit.
int32_t AddSse2(BlitOp op, uint32_t* dst, const uint32_t* src, int32_t count, const BlitColor& m);
int32_t AddAvx2(BlitOp op, uint32_t* dst, const uint32_t* src, int32_t count, const BlitColor& m);

// A translucent colour over destination pixels, stopping before the first group that
// holds a pixel that is not opaque.
int32_t FillOpaqueDestSse2(uint32_t* dst, int32_t count, const BlitColor& color);
int32_t FillOpaqueDestAvx2(uint32_t* dst, int32_t count, const BlitColor& color);

} // namespace Quib::BlitSimd
