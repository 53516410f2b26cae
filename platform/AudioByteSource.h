#pragma once

#include <cstddef>
#include <cstdint>
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
