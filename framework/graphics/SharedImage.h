#pragma once

#include <atomic>
#include <cstdint>

namespace Quib
{

class Image;

// One element of the application's map of images shared by file name and variant. The
// map owns the image and deletes it when a purge finds the count at 0.
struct SharedImageEntry
{
    Image* mImage = nullptr;
    // Handles are released on the main and the loading thread without a lock.
    std::atomic<int32_t> mRefCount{0};
};

// A value that counts one reference on a shared entry, or holds a plain image that is
// not shared (deleted on release only when mOwned is set), or nothing.
class SharedImageHandle
{
public:
    SharedImageHandle() = default;
    SharedImageHandle(const SharedImageHandle& other);
    ~SharedImageHandle();

    SharedImageHandle& operator=(const SharedImageHandle& other);
    SharedImageHandle& operator=(SharedImageEntry* entry);
    SharedImageHandle& operator=(Image* image);

    // Lets go of what the handle holds; when the last handle of an entry lets go, the
    // application is asked to purge unreferenced shared images.
    void Release();

    // The plain image when there is one, else the entry's image, else null.
    Image* GetImage() const;
    Image* AsImage() const { return GetImage(); }
    // The entry's image only.
    Image* GetSharedImage() const;

    SharedImageEntry* mEntry = nullptr;
    Image* mPlainImage = nullptr;
    bool mOwned = false;
};

} // namespace Quib
