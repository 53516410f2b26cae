#include "ImageLibSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace imagetest
{

std::string FixturePath(const std::string& name)
{
    return std::string(ORVELLAN_FIXTURES_DIR) + "/resources/images/" + name;
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("missing file " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint32_t> ExpectedPixels(const std::string& fixture)
{
    std::vector<uint8_t> rgba = ReadBytes(FixturePath(fixture + ".rgba"));
    std::vector<uint32_t> pixels(rgba.size() / 4);
    for (size_t i = 0; i < pixels.size(); ++i)
    {
        const uint8_t* p = &rgba[i * 4];
        pixels[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
    return pixels;
}

ScratchFolder::ScratchFolder()
{
    std::random_device seed;
    mRoot = std::filesystem::temp_directory_path() / ("orvellan-images-" + std::to_string(seed()));
    std::filesystem::create_directories(mRoot);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(mRoot, ignored);
}

void ScratchFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    std::filesystem::create_directories((mRoot / name).parent_path());
    std::ofstream out(mRoot / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void ScratchFolder::CopyFixture(const std::string& fixture, const std::string& name) const
{
    Write(name, ReadBytes(FixturePath(fixture)));
}

namespace
{

void PutWord(std::vector<uint8_t>& out, int value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

int TableBits(size_t entries)
{
    int bits = 0;
    while ((size_t(2) << bits) < entries)
        ++bits;
    return bits;
}

} // namespace

std::vector<uint8_t> MakeGif(const GifPicture& picture)
{
    std::vector<uint8_t> out(picture.signature.begin(), picture.signature.end());
    PutWord(out, picture.width);
    PutWord(out, picture.height);
    int tableBits = TableBits(picture.palette.size());
    out.push_back(static_cast<uint8_t>(0x80 | tableBits));
    out.push_back(0);
    out.push_back(0);
    for (uint32_t colour : picture.palette)
    {
        out.push_back(static_cast<uint8_t>(colour >> 16));
        out.push_back(static_cast<uint8_t>(colour >> 8));
        out.push_back(static_cast<uint8_t>(colour));
    }
    if (picture.transparent >= 0)
    {
        const uint8_t extension[] = {'!', 0xF9, 4, 1, 0, 0, static_cast<uint8_t>(picture.transparent), 0};
        out.insert(out.end(), std::begin(extension), std::end(extension));
    }
    out.push_back(',');
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, picture.width);
    PutWord(out, picture.height);
    out.push_back(picture.interlaced ? 0x40 : 0);

    int minimumCodeSize = std::max(2, tableBits + 1);
    int width = minimumCodeSize + 1;
    int clear = 1 << minimumCodeSize;
    // A clear code before the literal whose table entry would widen the codes.
    int perRun = (1 << width) - clear - 2;
    std::vector<int> codes;
    for (size_t i = 0; i < picture.indices.size(); ++i)
    {
        if (i % perRun == 0)
            codes.push_back(clear);
        codes.push_back(picture.indices[i]);
    }
    codes.push_back(clear + 1);

    std::vector<uint8_t> data;
    uint32_t bits = 0;
    int count = 0;
    for (int code : codes)
    {
        bits |= uint32_t(code) << count;
        count += width;
        while (count >= 8)
        {
            data.push_back(static_cast<uint8_t>(bits));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        data.push_back(static_cast<uint8_t>(bits));

    out.push_back(static_cast<uint8_t>(minimumCodeSize));
    for (size_t pos = 0; pos < data.size(); pos += 255)
    {
        size_t length = std::min<size_t>(255, data.size() - pos);
        out.push_back(static_cast<uint8_t>(length));
        out.insert(out.end(), data.begin() + static_cast<long>(pos),
                   data.begin() + static_cast<long>(pos + length));
    }
    out.push_back(0);
    out.push_back(';');
    return out;
}

} // namespace imagetest
