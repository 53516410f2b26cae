#include "framework/resources/ImageFile.h"

namespace ImageLib
{

bool ImageFile::Open(const std::string& name)
{
    return mFile.open(platform::nativePath(name), platform::File::Mode::Read);
}

size_t ImageFile::Read(void* buffer, size_t size)
{
    auto* out = static_cast<unsigned char*>(buffer);
    size_t done = 0;
    while (done < size)
    {
        size_t got = mFile.read(out + done, size - done);
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

int ImageFile::ReadByte()
{
    unsigned char byte = 0;
    return Read(&byte, 1) == 1 ? byte : -1;
}

int64_t ImageFile::Remaining() const
{
    int64_t size = mFile.size();
    int64_t position = mFile.tell();
    return size > position ? size - position : 0;
}

} // namespace ImageLib
