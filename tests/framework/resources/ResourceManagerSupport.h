#pragma once

#include "framework/graphics/Font.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ResourceFontFactory.h"
#include "framework/resources/ResourceManager.h"
#include "framework/resources/ResourceManagerHost.h"
#include "framework/resources/SoundManager.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace resourcetest
{

class FakeSoundManager : public Quib::SoundManager
{
public:
    bool IsReady() override { return true; }
    int LoadSoundByName(const std::string&) override { return -1; }
    bool LoadSoundFile(int id, const std::string& name) override;
    void UnloadSound(int id) override { mLoaded.erase(id); }
    void SetEffectsVolume(double) override {}
    bool SetSoundBaseVolume(int id, double factor) override;
    bool SetSoundBasePan(int id, int pan) override;
    Quib::SoundInstance* CreateInstance(int) override { return nullptr; }
    void UnloadAllSounds() override { mLoaded.clear(); }
    void ReleaseAllInstances() override {}
    double GetMixerVolume() override { return 1.0; }
    void SetMixerVolume(double) override {}
    void NoOperation() override {}
    void AttachToWindow(void*, bool) override {}
    void StopAllInstances() override {}
    int FindFreeSoundId() override;
    int CountLoadedSounds() override { return static_cast<int>(mLoaded.size()); }

    int mIdCount = 256;
    std::map<int, std::string> mLoaded; // id -> file name
    std::map<int, double> mVolumes;
    std::map<int, int> mPans;
    std::set<std::string> mMissing; // names that fail to load
};

class FakeFont : public Quib::Font
{
public:
    explicit FakeFont(std::string source) : mSource(std::move(source)) {}
    Quib::Font* Clone() override { return new FakeFont(*this); }

    std::string mSource;
    Quib::SysFontStyle mStyle;
    Quib::Image* mImage = nullptr;
    std::vector<std::string> mTags;
    bool mCloned = false;
};

class FakeFontFactory : public Quib::ResourceFontFactory
{
public:
    std::unique_ptr<Quib::Font> CreateSysFont(const Quib::SysFontStyle& style) override;
    std::unique_ptr<Quib::Font> CreateImageFont(const std::string& descriptorPath) override;
    std::unique_ptr<Quib::Font> CreateImageFont(Quib::Image* image, const std::string& widthsPath) override;
    void ApplyTags(Quib::Font& font, const std::vector<std::string>& tags) override;

    std::set<std::string> mBroken; // descriptor paths whose font data does not load
};

// The application as the resource manager sees it: shared images by name and variant
// decoded from disk, a fake display, a fake sound manager and fake fonts.
class FakeResourceHost : public Quib::ResourceManagerHost
{
public:
    ~FakeResourceHost() override;

    Quib::SharedImageHandle GetSharedImage(const std::string& fileName, const std::string& variant,
                                           bool* isNew) override;
    std::unique_ptr<Quib::MemoryImage> LoadImage(const std::string& fileName) override;
    bool Is3DEnabled() override { return m3D; }
    bool HasSurface(Quib::MemoryImage* image) override { return mSurfaces.count(image) != 0; }
    void SetWantsSurface(Quib::MemoryImage* image) override { mWantsSurface.insert(image); }
    Quib::SoundManager* GetSoundManager() override { return &mSounds; }
    Quib::ResourceFontFactory* GetFontFactory() override { return &mFonts; }

    bool m3D = false;
    std::map<std::string, Quib::SharedImageEntry*> mShared;
    std::vector<std::string> mImageLoads; // every file the host decoded
    std::set<Quib::MemoryImage*> mSurfaces;
    std::set<Quib::MemoryImage*> mWantsSurface;
    FakeSoundManager mSounds;
    FakeFontFactory mFonts;
};

// Exposes the manager's entries to the tests.
class TestResourceManager : public Quib::ResourceManager
{
public:
    using ResourceManager::mDefaultIdPrefix;
    using ResourceManager::mDefaultPath;
    using ResourceManager::mFontMap;
    using ResourceManager::mImageMap;
    using ResourceManager::mResGroupMap;
    using ResourceManager::mSoundMap;
    using ResourceManager::ResourceManager;

    ImageRes* Image(const std::string& id) const;
    SoundRes* Sound(const std::string& id) const;
    FontRes* FontEntry(const std::string& id) const;

    void OnResourceLoaded(BaseRes* res) override { mLoadedOrder.push_back(res->mId); }
    std::vector<std::string> mLoadedOrder;
};

// Wraps the body in a manifest document: <ResourceManifest>body</ResourceManifest>.
std::string Manifest(const std::string& body);

} // namespace resourcetest
