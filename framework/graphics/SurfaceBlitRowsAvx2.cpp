// Built with AVX2 enabled (see CMakeLists.txt); nothing here runs unless the machine
// has it, as the rows pick their form at run time.
#ifdef __AVX2__
#include "framework/graphics/SurfaceBlitRowsLevels.h"
#include "framework/graphics/SurfaceBlitRowsVector.h"

namespace Quib::SurfaceBlitRows::Avx2
{

using SurfaceRowLanes::Lanes256;

// Each row clears the upper halves before it hands its tail on: the compiler turns
// that call into a jump without doing so, and left dirty they slow every later SSE
// instruction in the process.
void OverWhite32(uint8_t* dest, const uint32_t* native, int32_t count)
{
    const int32_t done = OverWhite32Lanes<Lanes256>(dest, native, count);
    _mm256_zeroupper();
    Sse2::OverWhite32(dest + 4 * done, native + done, count - done);
}

void AddWhite32(uint8_t* dest, const uint32_t* native, int32_t count)
{
    const int32_t done = AddWhite32Lanes<Lanes256>(dest, native, count);
    _mm256_zeroupper();
    Sse2::AddWhite32(dest + 4 * done, native + done, count - done);
}

void OverColor32(uint8_t* dest, const uint32_t* native, int32_t count, const uint32_t factor[3],
                 uint32_t colorAlpha)
{
    const int32_t done = OverColor32Lanes<Lanes256>(dest, native, count, factor, colorAlpha);
    _mm256_zeroupper();
    Sse2::OverColor32(dest + 4 * done, native + done, count - done, factor, colorAlpha);
}

} // namespace Quib::SurfaceBlitRows::Avx2
#endif
