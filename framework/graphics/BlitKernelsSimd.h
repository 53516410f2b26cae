#pragma once

#include "framework/graphics/BlitKernels.h"

#include <cstdint>

// Vector versions of the row routines, x86 only.
namespace Quib::BlitSimd
{

// Whole-row routines; null for the operations that have no vector form at that level
// (the blends that divide have one for AVX2 only).
BlitRows::RowFunction Sse2Row(BlitOp op);
BlitRows::RowFunction Avx2Row(BlitOp op);

// A translucent colour over destination pixels, stopping before the first group that
// holds a pixel that is not opaque; returns how many pixels were drawn.
int32_t FillOpaqueDestSse2(uint32_t* dst, int32_t count, const BlitColor& color);
int32_t FillOpaqueDestAvx2(uint32_t* dst, int32_t count, const BlitColor& color);

} // namespace Quib::BlitSimd
