#pragma once

#include "framework/foundation/Strings.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/ImageAnimation.h"
#include "framework/graphics/SharedImage.h"
#include "framework/resources/ResourceManagerException.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace ImageLib
{
class DecodeAhead;
}

namespace Quib
{

class MemoryImage;
class ResourceManagerHost;
class SoundManager;
class XMLParser;
struct XMLItem;

constexpr int32_t RESOURCE_KIND_IMAGE = 0;
constexpr int32_t RESOURCE_KIND_SOUND = 1;
constexpr int32_t RESOURCE_KIND_FONT = 2;

// Images, sounds and fonts declared by the resource manifest, each with a string id
// and a group; groups are loaded whole or one resource per call, and unloaded again.
// The manager takes no lock: one thread loads a group while others leave it alone.
class ResourceManager
{
public:
    struct BaseRes
    {
        virtual ~BaseRes() = default;
        virtual void FreeLoaded() {}
        virtual bool IsLoaded() const = 0;

        int32_t mType = RESOURCE_KIND_IMAGE;
        std::string mId;
        std::string mResGroup;
        std::string mPath;
        std::map<std::string, std::string> mXMLAttributes;
        bool mFromProgram = false;
    };

    struct ImageRes : BaseRes
    {
        ImageRes() { mType = RESOURCE_KIND_IMAGE; }
        void FreeLoaded() override { mImage.Release(); }
        bool IsLoaded() const override { return mImage.GetImage() != nullptr; }

        SharedImageHandle mImage;
        std::string mAlphaImage;
        std::string mAlphaGridImage;
        std::string mVariant;
        bool mAutoFindAlpha = true;
        bool mPalletize = true;
        bool mA4R4G4B4 = false;
        bool mA8R8G8B8 = false;
        bool mDDSurface = false;
        bool mPurgeBits = false;
        bool mMinSubdivide = false;
        int32_t mRows = 1;
        int32_t mCols = 1;
        uint32_t mAlphaColor = 0xFFFFFF;
        ImageAnimation mAnim;
    };

    struct SoundRes : BaseRes
    {
        SoundRes() { mType = RESOURCE_KIND_SOUND; }
        void FreeLoaded() override;
        bool IsLoaded() const override { return mSoundId != -1; }

        int32_t mSoundId = -1;
        double mVolume = -1.0;
        int32_t mPanning = 0;
        SoundManager* mSoundManager = nullptr; // the manager that holds mSoundId
    };

    struct FontRes : BaseRes
    {
        FontRes();
        ~FontRes() override;
        void FreeLoaded() override;
        bool IsLoaded() const override { return mFont != nullptr; }

        std::unique_ptr<Font> mFont;
        std::unique_ptr<MemoryImage> mImage;
        std::string mImagePath;
        std::string mTags;
        bool mSysFont = false;
        bool mBold = false;
        bool mItalic = false;
        bool mUnderline = false;
        bool mShadow = false;
        int32_t mSize = 0;
    };

    using ResMap = std::map<std::string, std::unique_ptr<BaseRes>>;
    using ResList = std::vector<BaseRes*>;

    explicit ResourceManager(ResourceManagerHost* app);
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;
    virtual ~ResourceManager();

    bool ReadManifest(const std::string& fileName);

    virtual bool ReadCommonAttributes(XMLItem* item, BaseRes* res, ResMap& map);
    virtual bool ReadSoundElement(XMLItem* item);
    virtual bool ReadImageElement(XMLItem* item);
    virtual bool ReadFontElement(XMLItem* item);
    virtual bool ReadSetDefaultsElement(XMLItem* item);
    virtual bool ReadGroupBody();
    virtual void UnloadGroup(const std::string& name);
    virtual void UnloadGroupInMap(ResMap& map, const std::string& name);
    virtual bool LoadImageResource(ImageRes* res);
    virtual bool LoadFontResource(FontRes* res);
    virtual bool LoadSoundResource(SoundRes* res);
    virtual bool LoadNextInGroup();
    virtual void OnResourceLoaded(BaseRes* res);
    virtual void BeginGroupLoad(const std::string& name);
    virtual bool LoadGroup(const std::string& name);
    virtual SharedImageHandle GetImageOrThrow(const std::string& id);
    virtual int32_t GetSoundOrThrow(const std::string& id);
    virtual Font* GetFontOrThrow(const std::string& id);

    Font* FindFont(const std::string& id) const;
    bool ErrorOccurred() const { return mHasFailed; }
    std::string GetErrorMessage() const { return mError; }
    bool IsGroupLoaded(const std::string& name) const { return mLoadedGroups.count(name) != 0; }

    int32_t CountGroupResources(const std::string& group) const;
    int32_t CountGroupImages(const std::string& group) const;
    int32_t CountGroupSounds(const std::string& group) const;
    int32_t CountGroupFonts(const std::string& group) const;
    int32_t CountGroupEntries(const std::string& group, const ResMap& map) const;

    bool RecordError(const std::string& text);

    // "1,2,3" gives 1, 2, 3; an empty text gives one 0.
    static std::vector<int32_t> ParseIntList(const std::string& text);

protected:
    bool ReadManifestSections();
    bool MergeAlphaImage(ImageRes* res, MemoryImage* image);
    bool MergeAlphaGridImage(ImageRes* res, MemoryImage* image);

    std::set<std::string, LessNoCase> mLoadedGroups;
    ResMap mImageMap;
    ResMap mSoundMap;
    ResMap mFontMap;
    std::unique_ptr<XMLParser> mXMLParser;
    std::string mError;
    bool mHasFailed = false;
    ResourceManagerHost* mApp;
    std::string mCurResGroup;
    std::string mDefaultPath;
    std::string mDefaultIdPrefix;
    bool mHadAlreadyDefinedError = false;
    std::map<std::string, ResList, LessNoCase> mResGroupMap;
    ResList* mReadGroupList = nullptr;   // the group the manifest reader adds to
    ResList* mCurResGroupList = nullptr; // the group being loaded
    size_t mCurResGroupListIndex = 0;
    // The pictures of the group being loaded, decoded a few ahead of the loader.
    std::unique_ptr<ImageLib::DecodeAhead> mDecodeAhead;
};

} // namespace Quib
