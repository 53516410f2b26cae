#include "ResourceManagerSupport.h"

#include "framework/foundation/Strings.h"
#include "framework/resources/ImageLib.h"

namespace resourcetest
{

bool FakeSoundManager::LoadSoundFile(int id, const std::string& name)
{
    if (mMissing.count(name) != 0)
        return false;
    mLoaded[id] = name;
    return true;
}

bool FakeSoundManager::SetSoundBaseVolume(int id, double factor)
{
    mVolumes[id] = factor;
    return true;
}

bool FakeSoundManager::SetSoundBasePan(int id, int pan)
{
    mPans[id] = pan;
    return true;
}

int FakeSoundManager::FindFreeSoundId()
{
    for (int id = 0; id < mIdCount; ++id)
        if (mLoaded.count(id) == 0)
            return id;
    return -1;
}

std::unique_ptr<Quib::Font> FakeFontFactory::CreateSysFont(const Quib::SysFontStyle& style)
{
    auto font = std::make_unique<FakeFont>("sys:" + style.mFace);
    font->mStyle = style;
    return font;
}

std::unique_ptr<Quib::Font> FakeFontFactory::CreateImageFont(const std::string& descriptorPath)
{
    if (mBroken.count(descriptorPath) != 0)
        return nullptr;
    return std::make_unique<FakeFont>("descriptor:" + descriptorPath);
}

std::unique_ptr<Quib::Font> FakeFontFactory::CreateImageFont(Quib::Image* image,
                                                             const std::string& widthsPath)
{
    if (mBroken.count(widthsPath) != 0)
        return nullptr;
    auto font = std::make_unique<FakeFont>("widths:" + widthsPath);
    font->mImage = image;
    return font;
}

void FakeFontFactory::ApplyTags(Quib::Font& font, const std::vector<std::string>& tags)
{
    static_cast<FakeFont&>(font).mTags = tags;
}

namespace
{

std::unique_ptr<Quib::MemoryImage> Decode(const std::string& fileName)
{
    std::unique_ptr<ImageLib::Image> pixels = ImageLib::LoadImageFile(fileName);
    if (!pixels)
        return nullptr;
    auto image = std::make_unique<Quib::MemoryImage>(nullptr);
    image->SetBits(pixels->GetPixels(), pixels->mWidth, pixels->mHeight, true);
    image->mPath = fileName;
    return image;
}

} // namespace

FakeResourceHost::~FakeResourceHost()
{
    for (auto& [key, entry] : mShared)
    {
        delete entry->mImage;
        delete entry;
    }
}

Quib::SharedImageHandle FakeResourceHost::GetSharedImage(const std::string& fileName,
                                                         const std::string& variant, bool* isNew)
{
    std::string key = Quib::ToUpperCopy(fileName) + "|" + variant;
    Quib::SharedImageEntry*& entry = mShared[key];
    *isNew = entry == nullptr;
    if (!entry)
    {
        entry = new Quib::SharedImageEntry;
        if (!fileName.empty() && fileName[0] == '!')
        {
            entry->mImage = new Quib::MemoryImage(nullptr);
        }
        else
        {
            mImageLoads.push_back(fileName);
            entry->mImage = Decode(fileName).release();
        }
    }
    Quib::SharedImageHandle handle;
    handle = entry;
    return handle;
}

std::unique_ptr<Quib::MemoryImage> FakeResourceHost::LoadImage(const std::string& fileName)
{
    mImageLoads.push_back(fileName);
    return Decode(fileName);
}

Quib::ResourceManager::ImageRes* TestResourceManager::Image(const std::string& id) const
{
    auto it = mImageMap.find(id);
    return it == mImageMap.end() ? nullptr : static_cast<ImageRes*>(it->second.get());
}

Quib::ResourceManager::SoundRes* TestResourceManager::Sound(const std::string& id) const
{
    auto it = mSoundMap.find(id);
    return it == mSoundMap.end() ? nullptr : static_cast<SoundRes*>(it->second.get());
}

Quib::ResourceManager::FontRes* TestResourceManager::FontEntry(const std::string& id) const
{
    auto it = mFontMap.find(id);
    return it == mFontMap.end() ? nullptr : static_cast<FontRes*>(it->second.get());
}

std::string Manifest(const std::string& body)
{
    return "<ResourceManifest>\n" + body + "\n</ResourceManifest>\n";
}

} // namespace resourcetest
