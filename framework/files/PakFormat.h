#pragma once

#include <cstdint>

// Every byte of an archive, header, directory and data alike, is stored XORed
// with this key.
inline constexpr uint8_t PAK_SCRAMBLE_KEY = 0x5D;
inline constexpr uint32_t PAK_MAGIC = 0xBAC04AC0;
inline constexpr uint32_t PAK_VERSION = 0;
// A flags byte with this bit set ends the directory.
inline constexpr uint8_t PAK_END_OF_DIRECTORY = 0x80;
inline constexpr uint32_t PAK_MAX_NAME_LENGTH = 255;
