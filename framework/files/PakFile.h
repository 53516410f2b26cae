#pragma once

// The file functions through which every data file is read: from a mounted
// archive when it holds the file, from the disk otherwise. They forward to the
// process's published archive layer and fall back to plain disk access when
// none is published.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct PakFile;

// Modes as for fopen: "r", "rb" and "rt" may be served from an archive; any
// other mode always goes to the disk. Returns null when the file cannot be opened.
PakFile* PakFileOpen(std::string_view name, std::string_view mode);
// Closes and frees the handle; null is ignored. Returns 0.
int PakFileClose(PakFile* file);
// origin: 0 start, 1 current position, 2 end (SEEK_SET, SEEK_CUR, SEEK_END).
int PakFileSeek(PakFile* file, long offset, int origin);
long PakFileTell(PakFile* file);
// Returns the number of whole elements read.
size_t PakFileRead(void* buffer, size_t elementSize, size_t count, PakFile* file);
// The next byte (0..255), or -1 at the end.
int PakFileGetChar(PakFile* file);
int PakFileUngetChar(int character, PakFile* file);
// Non-zero once a read has reached the end.
int PakFileAtEnd(PakFile* file);

// Reads a whole file through the functions above. Nothing when it cannot be
// opened or is larger than maxBytes, so a damaged or hostile file never makes
// the caller allocate what it claims.
std::optional<std::vector<uint8_t>> PakReadWholeFile(std::string_view name, size_t maxBytes);
