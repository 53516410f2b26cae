#include "framework/graphics/SharedImage.h"

#include "framework/graphics/Image.h"
#include "framework/graphics/ImageHost.h"

namespace Quib
{

namespace
{

void CountUp(SharedImageEntry* entry)
{
    if (entry != nullptr)
        entry->mRefCount.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

SharedImageHandle::SharedImageHandle(const SharedImageHandle& other)
    : mEntry(other.mEntry), mPlainImage(other.mPlainImage)
{
    CountUp(mEntry);
}

SharedImageHandle::~SharedImageHandle()
{
    Release();
}

// Each assignment counts the new entry before releasing the old one, so assigning a
// handle its own entry never lets the count touch 0 on the way.
SharedImageHandle& SharedImageHandle::operator=(const SharedImageHandle& other)
{
    SharedImageEntry* entry = other.mEntry;
    Image* plain = other.mPlainImage;
    CountUp(entry);
    if (plain == mPlainImage)
        mPlainImage = nullptr; // the same image stays held, so releasing must not delete it
    Release();
    mEntry = entry;
    mPlainImage = plain;
    return *this;
}

SharedImageHandle& SharedImageHandle::operator=(SharedImageEntry* entry)
{
    CountUp(entry);
    Release();
    mEntry = entry;
    return *this;
}

SharedImageHandle& SharedImageHandle::operator=(Image* image)
{
    if (image == mPlainImage)
        mPlainImage = nullptr;
    Release();
    mPlainImage = image;
    return *this;
}

void SharedImageHandle::Release()
{
    if (mOwned && mPlainImage != nullptr)
        delete mPlainImage;
    mPlainImage = nullptr;
    if (mEntry != nullptr)
    {
        if (mEntry->mRefCount.fetch_sub(1, std::memory_order_acq_rel) == 1 && gImageHost != nullptr)
            gImageHost->RequestSharedImagePurge();
        mEntry = nullptr;
    }
}

Image* SharedImageHandle::GetImage() const
{
    if (mPlainImage != nullptr)
        return mPlainImage;
    return mEntry != nullptr ? mEntry->mImage : nullptr;
}

Image* SharedImageHandle::GetSharedImage() const
{
    return mEntry != nullptr ? mEntry->mImage : nullptr;
}

} // namespace Quib
