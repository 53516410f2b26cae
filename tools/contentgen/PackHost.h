#pragma once

#include "framework/graphics/FontHost.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ResourceFontFactory.h"
#include "framework/resources/ResourceManagerHost.h"
#include "framework/resources/SoundDecoding.h"
#include "framework/resources/SoundManager.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace contentgen
{

// Decodes every sound the resource manager loads with the framework's WAV reader
// and keeps it, without an audio device.
class DecodingSoundManager : public Quib::SoundManager
{
public:
    bool IsReady() override { return true; }
    int LoadSoundByName(const std::string&) override { return -1; }
    bool LoadSoundFile(int id, const std::string& name) override;
    void UnloadSound(int id) override { mSounds.erase(id); }
    void SetEffectsVolume(double) override {}
    bool SetSoundBaseVolume(int, double) override { return true; }
    bool SetSoundBasePan(int, int) override { return true; }
    Quib::SoundInstance* CreateInstance(int) override { return nullptr; }
    void UnloadAllSounds() override { mSounds.clear(); }
    void ReleaseAllInstances() override {}
    double GetMixerVolume() override { return 1.0; }
    void SetMixerVolume(double) override {}
    void NoOperation() override {}
    void AttachToWindow(void*, bool) override {}
    void StopAllInstances() override {}
    int FindFreeSoundId() override;
    int CountLoadedSounds() override { return int(mSounds.size()); }

    std::map<int, Quib::DecodedSound> mSounds;
    std::map<int, std::string> mNames;
    std::vector<std::string> mErrors;
};

// Bitmap fonts of the pack through the framework's own font classes.
class PackFontFactory : public Quib::ResourceFontFactory
{
public:
    explicit PackFontFactory(Quib::FontHost* host) : mHost(host) {}
    std::unique_ptr<Quib::Font> CreateSysFont(const Quib::SysFontStyle& style) override;
    std::unique_ptr<Quib::Font> CreateImageFont(const std::string& descriptorPath) override;
    std::unique_ptr<Quib::Font> CreateImageFont(Quib::Image* image, const std::string& widthsPath) override;
    void ApplyTags(Quib::Font& font, const std::vector<std::string>& tags) override;

private:
    Quib::FontHost* mHost;
};

// The application as the resource manager and the fonts see it, reading the
// pack from the working folder: shared images decoded by the image library, a
// decoding sound manager and bitmap fonts.
class PackHost : public Quib::ResourceManagerHost, public Quib::FontHost
{
public:
    PackHost();
    ~PackHost() override;

    Quib::SharedImageHandle GetSharedImage(const std::string& fileName, const std::string& variant,
                                           bool* isNew) override;
    std::unique_ptr<Quib::MemoryImage> LoadImage(const std::string& fileName) override;
    bool Is3DEnabled() override { return false; }
    bool HasSurface(Quib::MemoryImage*) override { return false; }
    void SetWantsSurface(Quib::MemoryImage*) override {}
    Quib::SoundManager* GetSoundManager() override { return &mSounds; }
    Quib::ResourceFontFactory* GetFontFactory() override { return &mFonts; }
    void ShowError(const std::string& text) override { mErrors.push_back(text); }

    DecodingSoundManager mSounds;
    std::vector<std::string> mErrors;

private:
    PackFontFactory mFonts;
    std::map<std::string, std::unique_ptr<Quib::SharedImageEntry>> mShared;
};

} // namespace contentgen
