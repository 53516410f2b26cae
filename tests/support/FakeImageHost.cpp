#include "tests/support/FakeImageHost.h"

#include "framework/graphics/MemoryImage.h"

#include <algorithm>

namespace testsupport
{

FakeImageHost::FakeImageHost() : mDisplay(Format32()) {}

void FakeImageHost::UnregisterImage(Quib::MemoryImage* image)
{
    mRegistered.erase(image);
    DropImageTextures(image);
}

void FakeImageHost::DropImageTextures(Quib::MemoryImage*)
{
    ++mTexturesDropped;
}

bool FakeImageHost::CopyTexturesToImage(Quib::MemoryImage* image)
{
    if (!mTextureReadBackWorks)
        return false;
    std::fill_n(image->mBits.get(), image->PixelCount(), mTexturePixel);
    return true;
}

Quib::NativeDisplay FakeImageHost::Format32()
{
    Quib::NativeDisplay format;
    format.mBitDepth = 32;
    format.mRedMask = 0xFF0000;
    format.mGreenMask = 0xFF00;
    format.mBlueMask = 0xFF;
    format.mRedBits = format.mGreenBits = format.mBlueBits = 8;
    format.mRedShift = 16;
    format.mGreenShift = 8;
    format.mBlueShift = 0;
    return format;
}

Quib::NativeDisplay FakeImageHost::Format565()
{
    Quib::NativeDisplay format;
    format.mBitDepth = 16;
    format.mRedMask = 0xF800;
    format.mGreenMask = 0x07E0;
    format.mBlueMask = 0x001F;
    format.mRedBits = 5;
    format.mGreenBits = 6;
    format.mBlueBits = 5;
    format.mRedShift = 11;
    format.mGreenShift = 5;
    format.mBlueShift = 0;
    return format;
}

ScopedImageHost::ScopedImageHost(Quib::ImageHost* host) : mPrevious(Quib::gImageHost)
{
    Quib::gImageHost = host;
}

ScopedImageHost::~ScopedImageHost()
{
    Quib::gImageHost = mPrevious;
}

} // namespace testsupport
