#pragma once

#include "platform/Files.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace platform
{

// Bytes a decoder reads from, wherever they lie: a disk file, an archive
// entry, or memory.
class AudioByteSource
{
public:
    virtual ~AudioByteSource() = default;
    // Returns the number of bytes read; 0 at the end or on error.
    virtual size_t read(void* out, size_t bytes) = 0;
    virtual bool seek(int64_t offset, int whence) = 0; // SEEK_SET, SEEK_CUR, SEEK_END
    virtual int64_t tell() = 0;
};

class FileAudioSource : public AudioByteSource
{
public:
    bool open(std::string_view path) { return mFile.open(path, File::Mode::Read); }
    size_t read(void* out, size_t bytes) override { return mFile.read(out, bytes); }
    bool seek(int64_t offset, int whence) override { return mFile.seek(offset, whence); }
    int64_t tell() override { return mFile.tell(); }

private:
    File mFile;
};

class MemoryAudioSource : public AudioByteSource
{
public:
    explicit MemoryAudioSource(std::vector<uint8_t> bytes) : mBytes(std::move(bytes)) {}
    size_t read(void* out, size_t bytes) override;
    bool seek(int64_t offset, int whence) override;
    int64_t tell() override { return int64_t(mPosition); }

private:
    std::vector<uint8_t> mBytes;
    size_t mPosition = 0;
};

} // namespace platform
