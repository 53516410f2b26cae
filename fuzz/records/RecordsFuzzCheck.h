#pragma once

#include "framework/foundation/Buffer.h"

#include <cstdlib>
#include <vector>

// A failed property ends the run, so the fuzzer keeps the input.
inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

inline Quib::Buffer bufferOf(const uint8_t* data, size_t size)
{
    Quib::Buffer buffer;
    buffer.AssignBytes(data, size);
    return buffer;
}

inline std::vector<uint8_t> bytesOf(const Quib::Buffer& buffer)
{
    if (buffer.Bytes() == nullptr)
        return {};
    return {buffer.Bytes(), buffer.Bytes() + buffer.ByteCount()};
}
