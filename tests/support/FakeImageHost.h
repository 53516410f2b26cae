#pragma once

#include "framework/graphics/ImageHost.h"
#include "framework/graphics/NativeDisplay.h"

#include <atomic>
#include <set>

namespace testsupport
{

// Stands in for the application object: records registrations and purge requests, and
// answers the display questions from its public fields.
class FakeImageHost : public Quib::ImageHost
{
public:
    FakeImageHost();

    void RegisterImage(Quib::MemoryImage* image) override { mRegistered.insert(image); }
    void UnregisterImage(Quib::MemoryImage* image) override;
    void DropImageTextures(Quib::MemoryImage* image) override;
    bool Is3DEnabled() override { return m3D; }
    Quib::NativeDisplay* GetNativeDisplay() override { return &mDisplay; }
    bool CopyTexturesToImage(Quib::MemoryImage* image) override;
    void RequestSharedImagePurge() override { ++mPurgeRequests; }

    static Quib::NativeDisplay Format32();
    static Quib::NativeDisplay Format565();

    std::set<Quib::MemoryImage*> mRegistered;
    int mTexturesDropped = 0;
    bool m3D = false;
    Quib::NativeDisplay mDisplay;
    // Pixel value CopyTexturesToImage writes; false when it should fail.
    bool mTextureReadBackWorks = false;
    uint32_t mTexturePixel = 0;
    std::atomic<int> mPurgeRequests{0};
};

// Installs a host as the process's application for the life of a test.
class ScopedImageHost
{
public:
    explicit ScopedImageHost(Quib::ImageHost* host);
    ~ScopedImageHost();
    ScopedImageHost(const ScopedImageHost&) = delete;
    ScopedImageHost& operator=(const ScopedImageHost&) = delete;

private:
    Quib::ImageHost* mPrevious;
};

} // namespace testsupport
