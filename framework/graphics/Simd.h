#pragma once

namespace Quib
{

// The vector instruction sets the pixel routines choose from at run time; the build
// never requires more than the baseline.
enum class SimdLevel
{
    Scalar,
    Sse2,
    Avx2,
};

SimdLevel DetectedSimdLevel();
SimdLevel ActiveSimdLevel();
// Lets tests and benchmarks compare the paths; a level above what the machine has is
// lowered to the detected one.
void SetSimdLevel(SimdLevel level);

} // namespace Quib
