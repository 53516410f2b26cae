#include "FuzzFile.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ResourceFontFactory.h"
#include "framework/resources/ResourceManager.h"
#include "framework/resources/ResourceManagerHost.h"

namespace
{

// Loads nothing: every load fails, so reading and the group walk are what get exercised.
class NullFonts : public Quib::ResourceFontFactory
{
public:
    std::unique_ptr<Quib::Font> CreateSysFont(const Quib::SysFontStyle&) override { return nullptr; }
    std::unique_ptr<Quib::Font> CreateImageFont(const std::string&) override { return nullptr; }
    std::unique_ptr<Quib::Font> CreateImageFont(Quib::Image*, const std::string&) override { return nullptr; }
    void ApplyTags(Quib::Font&, const std::vector<std::string>&) override {}
};

class NullHost : public Quib::ResourceManagerHost
{
public:
    Quib::SharedImageHandle GetSharedImage(const std::string&, const std::string&, bool* isNew) override
    {
        *isNew = true;
        return {};
    }
    std::unique_ptr<Quib::MemoryImage> LoadImage(const std::string&) override { return nullptr; }
    bool Is3DEnabled() override { return false; }
    bool HasSurface(Quib::MemoryImage*) override { return false; }
    void SetWantsSurface(Quib::MemoryImage*) override {}
    Quib::SoundManager* GetSoundManager() override { return nullptr; }
    Quib::ResourceFontFactory* GetFontFactory() override { return &mFonts; }

    NullFonts mFonts;
};

class WalkingManager : public Quib::ResourceManager
{
public:
    using ResourceManager::ResourceManager;

    void LoadEveryGroup()
    {
        std::vector<std::string> names;
        for (const auto& [name, list] : mResGroupMap)
            names.push_back(name);
        for (const std::string& name : names)
        {
            CountGroupResources(name);
            LoadGroup(name);
            UnloadGroup(name);
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NullHost host;
    WalkingManager manager(&host);
    manager.ReadManifest(WriteFuzzInput(data, size, ".xml"));
    manager.LoadEveryGroup();
    return 0;
}
