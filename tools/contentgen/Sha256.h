#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace contentgen
{

// The SHA-256 digest of the bytes as 64 lower-case hexadecimal digits.
std::string sha256Hex(const uint8_t* data, size_t size);
inline std::string sha256Hex(const std::vector<uint8_t>& data)
{
    return sha256Hex(data.data(), data.size());
}

} // namespace contentgen
