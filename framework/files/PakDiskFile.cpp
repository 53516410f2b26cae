#include "framework/files/PakDiskFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
constexpr size_t kBufferSize = 4096;
}

bool PakDiskFile::open(std::string_view name, std::string_view mode)
{
    close();
    if (mode.empty())
        return false;
    bool update = mode.find('+') != std::string_view::npos;
    platform::File::Mode fileMode;
    switch (mode[0])
    {
    case 'r':
        fileMode = update ? platform::File::Mode::ReadWrite : platform::File::Mode::Read;
        break;
    case 'w':
        fileMode = platform::File::Mode::Write;
        break;
    case 'a':
        fileMode = platform::File::Mode::Append;
        break;
    default:
        return false;
    }
    return mFile.open(name, fileMode);
}

void PakDiskFile::close()
{
    mFile.close();
    discardBuffer();
    mAtEnd = false;
}

void PakDiskFile::discardBuffer()
{
    mBuffer.clear();
    mBufferPos = 0;
    mPushedBack.clear();
}

bool PakDiskFile::fill()
{
    if (mBufferPos < mBuffer.size())
        return true;
    mBuffer.resize(kBufferSize);
    size_t got = mFile.isOpen() ? mFile.read(mBuffer.data(), mBuffer.size()) : 0;
    mBuffer.resize(got);
    mBufferPos = 0;
    if (got == 0)
        mAtEnd = true;
    return got > 0;
}

size_t PakDiskFile::read(void* buffer, size_t size)
{
    auto* out = static_cast<uint8_t*>(buffer);
    size_t done = 0;
    while (done < size && !mPushedBack.empty())
    {
        out[done++] = mPushedBack.back();
        mPushedBack.pop_back();
    }
    while (done < size && fill())
    {
        size_t chunk = std::min(size - done, mBuffer.size() - mBufferPos);
        std::memcpy(out + done, mBuffer.data() + mBufferPos, chunk);
        mBufferPos += chunk;
        done += chunk;
    }
    return done;
}

int PakDiskFile::getChar()
{
    uint8_t byte = 0;
    return read(&byte, 1) == 1 ? byte : -1;
}

int PakDiskFile::ungetChar(int character)
{
    if (character < 0)
        return -1;
    mPushedBack.push_back(static_cast<uint8_t>(character));
    mAtEnd = false;
    return static_cast<uint8_t>(character);
}

char* PakDiskFile::readLine(char* buffer, int size)
{
    if (size <= 0)
        return nullptr;
    int stored = 0;
    bool ended = false;
    while (stored < size - 1)
    {
        int c = getChar();
        if (c < 0)
        {
            ended = true;
            break;
        }
        buffer[stored++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    if (stored == 0 && ended)
        return nullptr;
    buffer[stored] = '\0';
    return buffer;
}

int PakDiskFile::seek(long offset, int origin)
{
    if (!mFile.isOpen())
        return -1;
    int64_t target = offset;
    switch (origin)
    {
    case 0:
        break;
    case 1:
        target += tell();
        break;
    case 2:
        target += mFile.size();
        break;
    default:
        return -1;
    }
    if (target < 0 || !mFile.seek(target, SEEK_SET))
        return -1;
    discardBuffer();
    mAtEnd = false;
    return 0;
}

long PakDiskFile::tell() const
{
    if (!mFile.isOpen())
        return -1;
    int64_t position = mFile.tell() - static_cast<int64_t>(mBuffer.size() - mBufferPos) -
                       static_cast<int64_t>(mPushedBack.size());
    return static_cast<long>(std::max<int64_t>(position, 0));
}
