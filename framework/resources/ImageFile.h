#pragma once

#include "platform/Files.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace ImageLib
{

// A data file opened for reading by the image readers; closed when it goes out of scope.
class ImageFile
{
public:
    bool Open(const std::string& name);
    bool IsOpen() const { return mFile.isOpen(); }

    // Returns the number of bytes read; fewer than asked for at the end of the file.
    size_t Read(void* buffer, size_t size);
    // Reads one byte; -1 at the end of the file.
    int ReadByte();
    // The bytes left after the read position.
    int64_t Remaining() const;

private:
    platform::File mFile;
};

} // namespace ImageLib
