#pragma once

#include <cstdint>

// The vector forms of the surface rows, one namespace per instruction set; the rows of
// SurfaceBlitRows.h pick among them. Each takes any count and finishes the pixels its
// width leaves with the next narrower form.
#if defined(__x86_64__) || defined(__i386__)
namespace Quib::SurfaceBlitRows::Sse2
{

void OverWhite32(uint8_t* dest, const uint32_t* native, int32_t count);
void AddWhite32(uint8_t* dest, const uint32_t* native, int32_t count);
void OverColor32(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                 uint32_t colorAlpha);
void OverColor565(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                  uint32_t colorAlpha);
void AddWhite565(uint8_t* dest, const uint32_t* native, int32_t count);
void Narrow16(uint8_t* dest, const uint32_t* native, int32_t count);

} // namespace Quib::SurfaceBlitRows::Sse2

namespace Quib::SurfaceBlitRows::Avx2
{

void OverWhite32(uint8_t* dest, const uint32_t* native, int32_t count);
void AddWhite32(uint8_t* dest, const uint32_t* native, int32_t count);
void OverColor32(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                 uint32_t colorAlpha);

} // namespace Quib::SurfaceBlitRows::Avx2
#endif
