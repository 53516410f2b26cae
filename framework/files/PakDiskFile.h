#pragma once

#include "platform/Files.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// A file on the disk read the way the C library's streams read it: buffered,
// with any number of pushed-back characters, an end-of-file mark set by a read
// that comes up short, and positions that account for what was pushed back.
class PakDiskFile
{
public:
    // mode as for fopen ("r", "rb", "w", "a+", ...).
    bool open(std::string_view name, std::string_view mode);
    void close();
    bool isOpen() const { return mFile.isOpen(); }

    size_t read(void* buffer, size_t size);
    int getChar();
    int ungetChar(int character);
    char* readLine(char* buffer, int size);
    int seek(long offset, int origin);
    long tell() const;
    bool atEnd() const { return mAtEnd; }

private:
    bool fill();
    void discardBuffer();

    platform::File mFile;
    std::vector<uint8_t> mBuffer;
    size_t mBufferPos = 0;
    std::vector<uint8_t> mPushedBack; // last pushed, first read
    bool mAtEnd = false;
};
