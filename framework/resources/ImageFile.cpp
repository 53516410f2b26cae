#include "framework/resources/ImageFile.h"

#include "framework/files/PakFile.h"

namespace ImageLib
{

ImageFile::~ImageFile()
{
    PakFileClose(mFile);
}

bool ImageFile::Open(const std::string& name)
{
    PakFileClose(mFile);
    mFile = PakFileOpen(name, "rb");
    return mFile != nullptr;
}

size_t ImageFile::Read(void* buffer, size_t size)
{
    return mFile ? PakFileRead(buffer, 1, size, mFile) : 0;
}

int ImageFile::ReadByte()
{
    unsigned char byte = 0;
    return Read(&byte, 1) == 1 ? byte : -1;
}

int64_t ImageFile::Remaining()
{
    if (!mFile)
        return 0;
    long position = PakFileTell(mFile);
    if (position < 0 || PakFileSeek(mFile, 0, 2) != 0)
        return 0;
    long size = PakFileTell(mFile);
    PakFileSeek(mFile, position, 0);
    return size > position ? size - position : 0;
}

} // namespace ImageLib
