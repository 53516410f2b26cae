#include "framework/resources/ResourceManager.h"

#include "framework/files/PakInterface.h"
#include "framework/foundation/FormatString.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/DecodeAhead.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/ResourceFontFactory.h"
#include "framework/resources/ResourceManagerHost.h"
#include "framework/resources/SoundManager.h"
#include "framework/resources/XMLParser.h"
#include "platform/HeapRelease.h"

#include <cstring>

namespace Quib
{

void ResourceManager::SoundRes::FreeLoaded()
{
    if (mSoundId >= 0 && mSoundManager)
        mSoundManager->UnloadSound(mSoundId);
    mSoundId = -1;
}

ResourceManager::FontRes::FontRes()
{
    mType = RESOURCE_KIND_FONT;
}

ResourceManager::FontRes::~FontRes() = default;

void ResourceManager::FontRes::FreeLoaded()
{
    mFont.reset();
    mImage.reset();
}

ResourceManager::ResourceManager(ResourceManagerHost* app)
    : mApp(app), mDecodeAhead(std::make_unique<ImageLib::DecodeAhead>(
                     ImageLib::DecodeAhead::DefaultWorkers(), ImageLib::DecodeAhead::DefaultWorkers() + 2))
{
}

ResourceManager::~ResourceManager()
{
    mDecodeAhead->End();
    for (ResMap* map : {&mImageMap, &mSoundMap, &mFontMap})
        for (auto& [id, res] : *map)
            res->FreeLoaded();
}

void ResourceManager::BeginGroupLoad(const std::string& name)
{
    mHasFailed = false;
    mError.clear();
    mCurResGroup = name;
    mCurResGroupList = &mResGroupMap[name];
    mCurResGroupListIndex = 0;
    std::vector<ImageLib::DecodeRequest> pictures;
    for (const BaseRes* res : *mCurResGroupList)
        if (res->mType == RESOURCE_KIND_IMAGE && !res->mFromProgram && !res->IsLoaded() &&
            !res->mPath.empty() && res->mPath[0] != '!')
            pictures.push_back({res->mPath, static_cast<const ImageRes*>(res)->mAlphaColor});
    // One picture alone is decoded no sooner by a worker than by the loader.
    if (pictures.size() > 1)
        mDecodeAhead->Begin(std::move(pictures));
    else
        mDecodeAhead->End();
}

bool ResourceManager::LoadNextInGroup()
{
    if (mHasFailed || !mCurResGroupList)
        return false;
    while (mCurResGroupListIndex < mCurResGroupList->size())
    {
        BaseRes* res = (*mCurResGroupList)[mCurResGroupListIndex++];
        if (res->mFromProgram || res->IsLoaded())
            continue;
        bool loaded;
        switch (res->mType)
        {
        case RESOURCE_KIND_IMAGE:
            loaded = LoadImageResource(static_cast<ImageRes*>(res));
            break;
        case RESOURCE_KIND_SOUND:
            loaded = LoadSoundResource(static_cast<SoundRes*>(res));
            break;
        default:
            loaded = LoadFontResource(static_cast<FontRes*>(res));
            break;
        }
        if (!loaded)
            mDecodeAhead->End();
        return loaded;
    }
    mDecodeAhead->End();
    // The group is decoded; what it read from the archive need not stay resident.
    if (gPakInterface != nullptr)
        gPakInterface->ReleaseResidentPages();
    return false;
}

bool ResourceManager::LoadGroup(const std::string& name)
{
    BeginGroupLoad(name);
    while (LoadNextInGroup())
    {
    }
    if (mHasFailed)
        return false;
    mLoadedGroups.insert(name);
    return true;
}

void ResourceManager::OnResourceLoaded(BaseRes*) {}

bool ResourceManager::LoadImageResource(ImageRes* res)
{
    ImageLib::gAlphaComposeColor = res->mAlphaColor;
    bool isNew = false;
    SharedImageHandle handle = mApp->GetSharedImage(res->mPath, res->mVariant, &isNew);
    ImageLib::gAlphaComposeColor = 0xFFFFFF;

    auto* image = dynamic_cast<MemoryImage*>(handle.GetImage());
    if (!image)
        return RecordError(FormatString("Failed to load image: %s", res->mPath.c_str()));

    if (isNew)
    {
        if (!res->mAlphaImage.empty() && !MergeAlphaImage(res, image))
            return false;
        if (!res->mAlphaGridImage.empty() && !MergeAlphaGridImage(res, image))
            return false;
    }

    image->UpdateTransparencyFlags();
    res->mImage = handle;
    image->mPurgeBits = res->mPurgeBits;

    if (res->mDDSurface)
    {
        image->UpdateTransparencyFlags();
        if (!image->mHasAlpha)
        {
            mApp->SetWantsSurface(image);
            image->mPurgeBits = true;
        }
    }

    if (res->mPalletize)
    {
        if (!mApp->HasSurface(image))
            image->ConvertToPalette();
        else
            image->mPalettize = true;
    }

    if (res->mA4R4G4B4)
        image->mTextureFlags |= TEXTURE_FLAG_A4R4G4B4;
    if (res->mA8R8G8B8)
        image->mTextureFlags |= TEXTURE_FLAG_A8R8G8B8;
    if (res->mMinSubdivide)
        image->mTextureFlags |= TEXTURE_FLAG_MIN_SUBDIVIDE;

    if (res->mAnim.mType != ANIMATION_NONE)
        image->mAnimation = std::make_unique<ImageAnimation>(res->mAnim);
    image->mRows = res->mRows;
    image->mColumns = res->mCols;

    if (image->mPurgeBits)
        image->DiscardBits();
    OnResourceLoaded(res);
    return true;
}

bool ResourceManager::MergeAlphaImage(ImageRes* res, MemoryImage* image)
{
    std::unique_ptr<ImageLib::Image> alpha = ImageLib::LoadImageFile(res->mAlphaImage);
    if (!alpha)
        return RecordError(FormatString("Failed to load image: %s", res->mAlphaImage.c_str()));
    if (alpha->mWidth != image->mWidth || alpha->mHeight != image->mHeight)
        return RecordError(FormatString("AlphaImage size mismatch between %s and %s", res->mPath.c_str(),
                                        res->mAlphaImage.c_str()));
    uint32_t* bits = image->GetBits();
    const uint32_t* mask = alpha->GetPixels();
    for (size_t i = 0; i < alpha->mBits.size(); ++i)
        bits[i] = (bits[i] & 0x00FFFFFF) | (mask[i] & 0xFF) << 24;
    image->MarkBitsChanged();
    return true;
}

bool ResourceManager::MergeAlphaGridImage(ImageRes* res, MemoryImage* image)
{
    std::unique_ptr<ImageLib::Image> alpha = ImageLib::LoadImageFile(res->mAlphaGridImage);
    if (!alpha)
        return RecordError(FormatString("Failed to load image: %s", res->mAlphaGridImage.c_str()));
    const int32_t cellWidth = image->mWidth / res->mCols;
    const int32_t cellHeight = image->mHeight / res->mRows;
    if (alpha->mWidth != cellWidth || alpha->mHeight != cellHeight)
        return RecordError(FormatString("GridAlphaImage size mismatch between %s and %s", res->mPath.c_str(),
                                        res->mAlphaGridImage.c_str()));
    uint32_t* bits = image->GetBits();
    const uint32_t* mask = alpha->GetPixels();
    for (int32_t row = 0; row < res->mRows; ++row)
        for (int32_t col = 0; col < res->mCols; ++col)
            for (int32_t y = 0; y < cellHeight; ++y)
            {
                uint32_t* out =
                    bits + static_cast<size_t>(row * cellHeight + y) * image->mWidth + col * cellWidth;
                const uint32_t* in = mask + static_cast<size_t>(y) * cellWidth;
                for (int32_t x = 0; x < cellWidth; ++x)
                    out[x] = (out[x] & 0x00FFFFFF) | (in[x] & 0xFF) << 24;
            }
    image->MarkBitsChanged();
    return true;
}

bool ResourceManager::LoadSoundResource(SoundRes* res)
{
    SoundManager* sounds = mApp->GetSoundManager();
    int id = sounds ? sounds->FindFreeSoundId() : -1;
    if (id < 0)
        return RecordError("Out of free sound ids");
    if (!sounds->LoadSoundFile(id, res->mPath))
        return RecordError(FormatString("Failed to load sound: %s", res->mPath.c_str()));
    if (res->mVolume >= 0.0)
        sounds->SetSoundBaseVolume(id, res->mVolume);
    if (res->mPanning != 0)
        sounds->SetSoundBasePan(id, res->mPanning);
    res->mSoundId = id;
    res->mSoundManager = sounds;
    OnResourceLoaded(res);
    return true;
}

namespace
{

// The tag list is cut at 1023 characters and split at commas and white space.
std::vector<std::string> SplitTags(const std::string& list)
{
    std::vector<std::string> tags;
    std::string text = list.substr(0, 1023);
    size_t pos = 0;
    while (pos < text.size())
    {
        size_t start = text.find_first_not_of(", \r\n\t", pos);
        if (start == std::string::npos)
            break;
        size_t end = text.find_first_of(", \r\n\t", start);
        if (end == std::string::npos)
            end = text.size();
        tags.push_back(text.substr(start, end - start));
        pos = end;
    }
    return tags;
}

} // namespace

bool ResourceManager::LoadFontResource(FontRes* res)
{
    ResourceFontFactory* fonts = mApp->GetFontFactory();
    std::unique_ptr<Font> font;
    bool bitmapFont = false;
    static const std::string kRefPrefix = "!ref:";

    if (res->mSysFont)
    {
        font = fonts->CreateSysFont(
            SysFontStyle{res->mPath, res->mSize, res->mBold, res->mItalic, res->mUnderline, res->mShadow});
        if (!font)
            return RecordError(FormatString("Failed to load font: %s", res->mPath.c_str()));
    }
    else if (res->mImagePath.empty() && res->mPath.compare(0, kRefPrefix.size(), kRefPrefix) == 0)
    {
        std::string refId = res->mPath.substr(kRefPrefix.size());
        Font* original = FindFont(refId);
        if (!original)
            return RecordError("Ref font not found: " + refId);
        font.reset(original->Clone());
        bitmapFont = true;
    }
    else if (res->mImagePath.empty())
    {
        font = fonts->CreateImageFont(res->mPath);
        bitmapFont = true;
    }
    else
    {
        std::unique_ptr<MemoryImage> image = mApp->LoadImage(res->mImagePath);
        if (!image)
            return RecordError(FormatString("Failed to load image: %s", res->mImagePath.c_str()));
        res->mImage = std::move(image);
        font = fonts->CreateImageFont(res->mImage.get(), res->mPath);
        bitmapFont = true;
    }

    if (bitmapFont)
    {
        if (!font)
            return RecordError(FormatString("Failed to load font: %s", res->mPath.c_str()));
        if (!res->mTags.empty())
            fonts->ApplyTags(*font, SplitTags(res->mTags));
    }
    res->mFont = std::move(font);
    OnResourceLoaded(res);
    return true;
}

Font* ResourceManager::FindFont(const std::string& id) const
{
    auto it = mFontMap.find(id);
    if (it == mFontMap.end())
        return nullptr;
    return static_cast<FontRes*>(it->second.get())->mFont.get();
}

SharedImageHandle ResourceManager::GetImageOrThrow(const std::string& id)
{
    auto it = mImageMap.find(id);
    if (it != mImageMap.end() && it->second->IsLoaded())
        return static_cast<ImageRes*>(it->second.get())->mImage;
    RecordError(FormatString("Image resource not found: %s", id.c_str()));
    throw ResourceManagerException(mError);
}

int32_t ResourceManager::GetSoundOrThrow(const std::string& id)
{
    auto it = mSoundMap.find(id);
    if (it != mSoundMap.end() && it->second->IsLoaded())
        return static_cast<SoundRes*>(it->second.get())->mSoundId;
    RecordError(FormatString("Sound resource not found: %s", id.c_str()));
    throw ResourceManagerException(mError);
}

Font* ResourceManager::GetFontOrThrow(const std::string& id)
{
    auto it = mFontMap.find(id);
    if (it != mFontMap.end() && it->second->IsLoaded())
        return static_cast<FontRes*>(it->second.get())->mFont.get();
    RecordError(FormatString("Font resource not found: %s", id.c_str()));
    throw ResourceManagerException(mError);
}

void ResourceManager::UnloadGroup(const std::string& name)
{
    UnloadGroupInMap(mImageMap, name);
    UnloadGroupInMap(mSoundMap, name);
    UnloadGroupInMap(mFontMap, name);
    mLoadedGroups.erase(name);
    // The group's smaller pieces leave holes in the heap; their pages go back now.
    platform::releaseFreeHeap();
}

void ResourceManager::UnloadGroupInMap(ResMap& map, const std::string& name)
{
    for (auto& [id, res] : map)
        if (name.empty() || res->mResGroup == name)
            res->FreeLoaded();
}

int32_t ResourceManager::CountGroupEntries(const std::string& group, const ResMap& map) const
{
    if (group.empty())
        return static_cast<int32_t>(map.size());
    int32_t count = 0;
    for (const auto& [id, res] : map)
        if (res->mResGroup == group && !res->mFromProgram)
            ++count;
    return count;
}

int32_t ResourceManager::CountGroupImages(const std::string& group) const
{
    return CountGroupEntries(group, mImageMap);
}

int32_t ResourceManager::CountGroupSounds(const std::string& group) const
{
    return CountGroupEntries(group, mSoundMap);
}

int32_t ResourceManager::CountGroupFonts(const std::string& group) const
{
    return CountGroupEntries(group, mFontMap);
}

int32_t ResourceManager::CountGroupResources(const std::string& group) const
{
    return CountGroupImages(group) + CountGroupSounds(group) + CountGroupFonts(group);
}

} // namespace Quib
