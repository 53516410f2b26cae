// Loads a picture through the image loader's dispatch, with an alpha picture
// beside it. The first byte picks the two formats and whether the name carries
// its extension; the second splits the rest between the two files.
#include "framework/resources/ImageLib.h"
#include "fuzz/resources/FuzzScratchFolder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{

const char* const kExtensions[] = {".tga", ".jpg", ".png", ".gif"};

void Write(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    static const FuzzScratchFolder folder("imageloader");
    const std::filesystem::path inner(folder.File(""));
    for (const auto& entry : std::filesystem::directory_iterator(inner))
        std::filesystem::remove(entry.path());

    const uint8_t choice = data[0];
    const size_t split = std::min<size_t>(size - 2, size_t(data[1]) * 64);
    const std::string picture = kExtensions[choice & 3];
    const std::string alpha = kExtensions[(choice >> 2) & 3];
    const bool named = (choice & 0x10) != 0;
    Write((inner / ("pic" + picture)).string(), data + 2, split);
    Write((inner / ("_pic" + alpha)).string(), data + 2 + split, size - 2 - split);

    ImageLib::gAlphaComposeColor = uint32_t(choice) * 0x010203;
    const std::string name = (inner / "pic").string() + (named ? picture : "");
    auto image = ImageLib::LoadImageFile(name);
    if (image && image->mBits.size() != size_t(image->mWidth) * size_t(image->mHeight))
        std::abort();
    return 0;
}
