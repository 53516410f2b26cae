#include "tests/framework/display/DisplayHostSupport.h"

#include "framework/display/DDInterface.h"

namespace testsupport
{

void FakeDisplayHost::UnregisterImage(Quib::MemoryImage* image)
{
    mImages.erase(image);
    DropImageTextures(image);
}

void FakeDisplayHost::DropImageTextures(Quib::MemoryImage* image)
{
    if (mTextureDisplay != nullptr)
        mTextureDisplay->DropImageTextures(image);
}

bool FakeDisplayHost::Is3DEnabled()
{
    return mTextureDisplay != nullptr && mTextureDisplay->mIs3D;
}

bool FakeDisplayHost::CopyTexturesToImage(Quib::MemoryImage* image)
{
    return mTextureDisplay != nullptr && mTextureDisplay->mD3DInterface->CopyTexturesToImage(image);
}

} // namespace testsupport
