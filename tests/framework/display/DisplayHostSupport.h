#pragma once

#include "framework/display/DisplayHost.h"

#include <set>
#include <string>

namespace Quib
{
class DDInterface;
}

namespace testsupport
{

// Stands in for the application behind a display: records registrations and
// hands texture questions to the display it is told about.
class FakeDisplayHost : public Quib::DisplayHost
{
public:
    void RegisterImage(Quib::MemoryImage* image) override { mImages.insert(image); }
    void UnregisterImage(Quib::MemoryImage* image) override;
    void DropImageTextures(Quib::MemoryImage* image) override;
    bool Is3DEnabled() override;
    Quib::NativeDisplay* GetNativeDisplay() override { return mDisplay; }
    bool CopyTexturesToImage(Quib::MemoryImage* image) override;
    void RequestSharedImagePurge() override {}
    int32_t GetScreenWidth() override { return mWidth; }
    int32_t GetScreenHeight() override { return mHeight; }
    int32_t GetFullScreenBitDepth() override { return mFullScreenDepth; }
    void SetVSyncBroken() override { mVSyncBroken = true; }
    bool IsMinimised() override { return false; }
    bool IsAutoEnable3D() override { return mAutoEnable3D; }
    bool IsTest3DRequested() override { return false; }
    uint32_t GetMinVideoMemory() override { return 6; }
    uint32_t GetRecommendedVideoMemory() override { return 14; }
    std::string GetRegistryKey() override { return ""; }
    bool IsPlayingDemo() override { return false; }
    void RecordOrReplayString(std::string&) override {}
    void RecordOrReplayBool(bool&) override {}
    void OnHardwareTestCompleted() override { ++mHardwareTests; }

    std::set<Quib::MemoryImage*> mImages;
    Quib::NativeDisplay* mDisplay = nullptr;
    // The display whose hardware path owns the images' textures.
    Quib::DDInterface* mTextureDisplay = nullptr;
    int32_t mWidth = 800;
    int32_t mHeight = 600;
    int32_t mFullScreenDepth = 32;
    bool mVSyncBroken = false;
    bool mAutoEnable3D = false;
    int mHardwareTests = 0;
};

} // namespace testsupport
