#include "framework/resources/ImageFile.h"
#include "framework/resources/ImageLib.h"

#include <array>
#include <cstring>

namespace ImageLib
{

// Reads one data sub-block (a length byte, then that many bytes) into buffer, which
// holds 256 bytes. Returns the bytes read: 0 for the terminating empty block or at
// the end of the file, fewer than the length byte claims when the file is cut short.
int ReadGifDataBlock(ImageFile& file, unsigned char* buffer)
{
    int length = file.ReadByte();
    if (length <= 0)
        return 0;
    return static_cast<int>(file.Read(buffer, static_cast<size_t>(length)));
}

namespace
{

constexpr int kMaxCodes = 4096;
constexpr uint32_t kMissingColour = 0xFF000000;

using Palette = std::array<uint32_t, 256>;

bool ReadColourTable(ImageFile& file, int flags, Palette& palette)
{
    int entries = 1 << ((flags & 7) + 1);
    unsigned char rgb[256 * 3];
    if (file.Read(rgb, static_cast<size_t>(entries) * 3) != static_cast<size_t>(entries) * 3)
        return false;
    palette.fill(kMissingColour);
    for (int i = 0; i < entries; ++i)
        palette[i] =
            0xFF000000u | uint32_t(rgb[i * 3]) << 16 | uint32_t(rgb[i * 3 + 1]) << 8 | rgb[i * 3 + 2];
    return true;
}

// Takes codes least significant bit first from the image's data sub-blocks.
class CodeReader
{
public:
    explicit CodeReader(ImageFile& file) : mFile(file) {}

    // -1 once the data runs out.
    int Next(int width)
    {
        while (mBitCount < width)
        {
            if (mPosition == mLength)
            {
                mLength = ReadGifDataBlock(mFile, mBlock);
                mPosition = 0;
                if (mLength == 0)
                    return -1;
            }
            mBits |= uint32_t(mBlock[mPosition++]) << mBitCount;
            mBitCount += 8;
        }
        int code = static_cast<int>(mBits & ((1u << width) - 1));
        mBits >>= width;
        mBitCount -= width;
        return code;
    }

private:
    ImageFile& mFile;
    unsigned char mBlock[256];
    int mLength = 0;
    int mPosition = 0;
    uint32_t mBits = 0;
    int mBitCount = 0;
};

// Hands out pixel positions in the row order of a plain or interlaced image.
class RowWriter
{
public:
    RowWriter(Image& image, bool interlaced) : mImage(image), mInterlaced(interlaced) {}

    // False once every row is full.
    bool Put(uint32_t colour)
    {
        if (mRow >= mImage.mHeight)
            return false;
        mImage.mBits[static_cast<size_t>(mRow) * mImage.mWidth + mColumn] = colour;
        if (++mColumn == mImage.mWidth)
        {
            mColumn = 0;
            NextRow();
        }
        return true;
    }

private:
    void NextRow()
    {
        if (!mInterlaced)
        {
            ++mRow;
            return;
        }
        static constexpr int kStart[4] = {0, 4, 2, 1};
        static constexpr int kStep[4] = {8, 8, 4, 2};
        mRow += kStep[mPass];
        while (mRow >= mImage.mHeight && ++mPass < 4)
            mRow = kStart[mPass];
    }

    Image& mImage;
    bool mInterlaced;
    int mRow = 0;
    int mColumn = 0;
    int mPass = 0;
};

void DecodeLzw(ImageFile& file, int minimumCodeSize, const Palette& palette, int transparent, RowWriter& rows)
{
    const int clearCode = 1 << minimumCodeSize;
    const int endCode = clearCode + 1;
    std::array<uint16_t, kMaxCodes> prefix{};
    std::array<unsigned char, kMaxCodes> suffix{};
    std::array<unsigned char, kMaxCodes + 1> stack{};
    for (int i = 0; i < clearCode; ++i)
        suffix[i] = static_cast<unsigned char>(i);

    CodeReader codes(file);
    int codeWidth = minimumCodeSize + 1;
    int nextFree = clearCode + 2;
    int previous = -1;
    int firstByte = 0;

    auto emit = [&](unsigned char index) { return rows.Put(index == transparent ? 0 : palette[index]); };

    for (;;)
    {
        int code = codes.Next(codeWidth);
        if (code < 0 || code > nextFree || code == endCode)
            return;
        if (code == clearCode)
        {
            codeWidth = minimumCodeSize + 1;
            nextFree = clearCode + 2;
            previous = -1;
            continue;
        }
        if (previous < 0)
        {
            // Only a single-byte code can start a string; anything else has no entry yet.
            if (code >= clearCode)
                return;
            firstByte = suffix[code];
            previous = code;
            if (!emit(suffix[code]))
                return;
            continue;
        }

        int depth = 0;
        int walk = code;
        if (code == nextFree)
        {
            stack[depth++] = static_cast<unsigned char>(firstByte);
            walk = previous;
        }
        while (walk >= clearCode)
        {
            stack[depth++] = suffix[walk];
            walk = prefix[walk];
        }
        firstByte = suffix[walk];
        stack[depth++] = static_cast<unsigned char>(firstByte);

        if (nextFree >= kMaxCodes)
            return;
        prefix[nextFree] = static_cast<uint16_t>(previous);
        suffix[nextFree] = static_cast<unsigned char>(firstByte);
        ++nextFree;
        if (nextFree == (1 << codeWidth) && nextFree < kMaxCodes)
            ++codeWidth;
        previous = code;

        while (depth > 0)
            if (!emit(stack[--depth]))
                return;
    }
}

int ReadWord(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

} // namespace

std::unique_ptr<Image> ReadGifImage(const std::string& fileName)
{
    ImageFile file;
    if (!file.Open(fileName))
        return nullptr;

    unsigned char header[13];
    if (file.Read(header, sizeof(header)) != sizeof(header))
        return nullptr;
    if (std::memcmp(header, "GIF87", 5) != 0 && std::memcmp(header, "GIF89", 5) != 0)
        return nullptr;

    Palette globalPalette;
    globalPalette.fill(kMissingColour);
    if ((header[10] & 0x80) && !ReadColourTable(file, header[10], globalPalette))
        return nullptr;

    int transparent = -1;
    unsigned char block[256];
    for (;;)
    {
        int tag = file.ReadByte();
        if (tag < 0 || tag == ';')
            return nullptr;
        if (tag == ',')
            break;
        if (tag != '!')
            continue;
        int label = file.ReadByte();
        if (label < 0)
            return nullptr;
        int length;
        while ((length = ReadGifDataBlock(file, block)) > 0)
            if (label == 0xF9 && length >= 4 && (block[0] & 1))
                transparent = block[3];
    }

    unsigned char descriptor[9];
    if (file.Read(descriptor, sizeof(descriptor)) != sizeof(descriptor))
        return nullptr;
    int width = static_cast<int16_t>(ReadWord(descriptor + 4));
    int height = static_cast<int16_t>(ReadWord(descriptor + 6));
    int flags = descriptor[8];
    if (!SizeAllowed(width, height))
        return nullptr;

    Palette localPalette;
    const Palette* palette = &globalPalette;
    if (flags & 0x80)
    {
        if (!ReadColourTable(file, flags, localPalette))
            return nullptr;
        palette = &localPalette;
    }

    int minimumCodeSize = file.ReadByte();
    if (minimumCodeSize < 1 || minimumCodeSize > 8)
        return nullptr;

    auto image = std::make_unique<Image>(width, height);
    RowWriter rows(*image, (flags & 0x40) != 0);
    DecodeLzw(file, minimumCodeSize, *palette, transparent, rows);
    return image;
}

} // namespace ImageLib
