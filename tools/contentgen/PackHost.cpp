#include "tools/contentgen/PackHost.h"

#include "framework/graphics/FontData.h"
#include "framework/graphics/ImageFont.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/WavReader.h"
#include "platform/AudioByteSource.h"
#include "platform/Files.h"

namespace contentgen
{

bool DecodingSoundManager::LoadSoundFile(int id, const std::string& name)
{
    // The manifest names a sound without its extension, as the game's loader
    // takes it; the pack's sounds are WAV files. They are small: anything near
    // the limit is a broken file.
    const std::string file = name + ".wav";
    std::optional<std::vector<uint8_t>> bytes =
        platform::readFile(platform::nativePath(file), uint64_t(1) << 26);
    if (!bytes)
    {
        mErrors.push_back(file + ": cannot be read");
        return false;
    }
    platform::MemoryAudioSource source(std::move(*bytes));
    Quib::DecodedSound sound;
    std::string error;
    if (!Quib::ReadRiffWave(source, file, nullptr, sound, error))
    {
        mErrors.push_back(error);
        return false;
    }
    mSounds[id] = std::move(sound);
    mNames[id] = name;
    return true;
}

int DecodingSoundManager::FindFreeSoundId()
{
    for (int id = 0; id < 256; ++id)
        if (mSounds.count(id) == 0)
            return id;
    return -1;
}

std::unique_ptr<Quib::Font> PackFontFactory::CreateSysFont(const Quib::SysFontStyle&)
{
    // The pack has bitmap fonts only.
    return nullptr;
}

std::unique_ptr<Quib::Font> PackFontFactory::CreateImageFont(const std::string& descriptorPath)
{
    auto font = std::make_unique<Quib::ImageFont>(mHost, descriptorPath);
    if (!font->mFontData || !font->mFontData->mInitialized)
        return nullptr;
    return font;
}

std::unique_ptr<Quib::Font> PackFontFactory::CreateImageFont(Quib::Image* image,
                                                             const std::string& widthsPath)
{
    auto font = std::make_unique<Quib::ImageFont>(image, widthsPath);
    if (!font->mFontData || !font->mFontData->mInitialized)
        return nullptr;
    return font;
}

void PackFontFactory::ApplyTags(Quib::Font& font, const std::vector<std::string>& tags)
{
    if (auto* imageFont = dynamic_cast<Quib::ImageFont*>(&font))
    {
        for (const std::string& tag : tags)
            imageFont->AddTag(tag);
        imageFont->EnsureActiveLayers();
    }
}

PackHost::PackHost() : mFonts(this) {}

PackHost::~PackHost()
{
    for (auto& [name, entry] : mShared)
        delete entry->mImage;
}

namespace
{

std::unique_ptr<Quib::MemoryImage> decode(const std::string& fileName)
{
    std::unique_ptr<ImageLib::Image> pixels = ImageLib::LoadImageFile(fileName);
    if (!pixels)
        return nullptr;
    auto image = std::make_unique<Quib::MemoryImage>();
    image->SetBits(pixels->GetPixels(), pixels->mWidth, pixels->mHeight, true);
    image->mPath = fileName;
    return image;
}

} // namespace

Quib::SharedImageHandle PackHost::GetSharedImage(const std::string& fileName, const std::string& variant,
                                                 bool* isNew)
{
    Quib::SharedImageHandle handle;
    std::unique_ptr<Quib::SharedImageEntry>& entry = mShared[fileName + "|" + variant];
    *isNew = entry == nullptr;
    if (!entry)
    {
        entry = std::make_unique<Quib::SharedImageEntry>();
        entry->mImage = decode(fileName).release();
    }
    if (entry->mImage)
        handle = entry.get();
    return handle;
}

std::unique_ptr<Quib::MemoryImage> PackHost::LoadImage(const std::string& fileName)
{
    return decode(fileName);
}

} // namespace contentgen
