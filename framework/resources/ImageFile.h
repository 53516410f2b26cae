#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct PakFile;

namespace ImageLib
{

// A data file opened for reading by the image readers, from the archive when it holds
// the file and from the disk otherwise; closed when it goes out of scope.
class ImageFile
{
public:
    ImageFile() = default;
    ~ImageFile();
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    bool Open(const std::string& name);
    bool IsOpen() const { return mFile != nullptr; }

    // Returns the number of bytes read; fewer than asked for at the end of the file.
    size_t Read(void* buffer, size_t size);
    // Reads one byte; -1 at the end of the file.
    int ReadByte();
    // The bytes left after the read position.
    int64_t Remaining();

private:
    PakFile* mFile = nullptr;
};

} // namespace ImageLib
