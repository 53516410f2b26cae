#include "framework/foundation/Paths.h"
#include "framework/resources/ResourceManager.h"
#include "framework/resources/ResourceManagerHost.h"
#include "framework/resources/XMLParser.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace Quib
{

namespace
{

// Cells are measured by dividing the image by the row and column counts, and an
// animation gets up to twice as many frames as the larger count.
constexpr int32_t kMaxGridCells = 4096;

bool Has(const XMLItem& item, const char* name)
{
    return item.mAttributes.count(name) != 0;
}

const std::string* Find(const XMLItem& item, const char* name)
{
    auto it = item.mAttributes.find(name);
    return it == item.mAttributes.end() ? nullptr : &it->second;
}

// Decimal text as the C library reads it: leading digits, 0 when there are none;
// out-of-range values stop at the ends of the 32-bit range.
int32_t ToInt(const char* text)
{
    long value = std::strtol(text, nullptr, 10);
    return static_cast<int32_t>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

int32_t ToInt(const std::string& text)
{
    return ToInt(text.c_str());
}

bool ParseAnimationType(const std::string& text, int32_t& type)
{
    static const char* const kNames[] = {"none", "once", "pingpong", "loop"};
    for (int32_t i = 0; i < 4; ++i)
        if (CompareNoCase(text, kNames[i]) == 0)
        {
            type = i;
            return true;
        }
    return false;
}

} // namespace

std::vector<int32_t> ResourceManager::ParseIntList(const std::string& text)
{
    std::vector<int32_t> values;
    size_t start = 0;
    for (;;)
    {
        values.push_back(ToInt(text.c_str() + start));
        size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            return values;
        start = comma + 1;
    }
}

bool ResourceManager::RecordError(const std::string& text)
{
    if (mHasFailed)
        return false;
    mHasFailed = true;
    mError = text;
    if (mXMLParser)
    {
        if (mXMLParser->GetLineNumber() > 0)
            mError += " on Line " + std::to_string(mXMLParser->GetLineNumber());
        if (!mXMLParser->GetDocumentName().empty())
            mError += " in File '" + mXMLParser->GetDocumentName() + "'";
    }
    return false;
}

bool ResourceManager::ReadManifest(const std::string& fileName)
{
    mXMLParser = std::make_unique<XMLParser>();
    if (!mXMLParser->OpenDocument(fileName))
        RecordError("Resource file not found: " + fileName);

    if (!mXMLParser->HasFailed())
    {
        XMLItem item;
        bool found = false;
        while (mXMLParser->ReadItem(&item))
            if (item.mKind == XML_ITEM_START)
            {
                found = true;
                break;
            }
        if (mXMLParser->HasFailed())
            RecordError(mXMLParser->GetErrorMessage());
        else if (!found || item.mValue != "ResourceManifest")
            RecordError("Expecting ResourceManifest tag");
        ReadManifestSections();
    }

    if (mXMLParser->HasFailed())
        RecordError(mXMLParser->GetErrorMessage());
    mXMLParser.reset();
    mReadGroupList = nullptr;
    return !mHasFailed;
}

bool ResourceManager::ReadManifestSections()
{
    if (mXMLParser->HasFailed())
        return false;
    XMLItem item;
    while (mXMLParser->ReadItem(&item))
    {
        if (item.mKind == XML_ITEM_START)
        {
            if (item.mValue != "Resources")
                return RecordError("Invalid Section '" + item.mValue + "'");
            const std::string* id = Find(item, "id");
            mCurResGroup = id ? *id : std::string();
            mReadGroupList = &mResGroupMap[mCurResGroup];
            if (mCurResGroup.empty())
                return RecordError("No id specified.");
            if (!ReadGroupBody())
                return false;
        }
        else if (item.mKind == XML_ITEM_TEXT)
        {
            return RecordError("Element Not Expected '" + item.mValue + "'");
        }
    }
    return !mXMLParser->HasFailed();
}

bool ResourceManager::ReadGroupBody()
{
    XMLItem item;
    while (mXMLParser->ReadItem(&item))
    {
        if (item.mKind == XML_ITEM_START)
        {
            bool read;
            if (item.mValue == "Image")
                read = ReadImageElement(&item);
            else if (item.mValue == "Sound")
                read = ReadSoundElement(&item);
            else if (item.mValue == "Font")
                read = ReadFontElement(&item);
            else if (item.mValue == "SetDefaults")
                read = ReadSetDefaultsElement(&item);
            else
                return RecordError("Invalid Section '" + item.mValue + "'");
            if (!read)
                return false;
            if (!mXMLParser->ReadItem(&item))
                return false;
            if (item.mKind != XML_ITEM_END)
                return RecordError("Unexpected element found.");
        }
        else if (item.mKind == XML_ITEM_TEXT)
        {
            return RecordError("Element Not Expected '" + item.mValue + "'");
        }
        else if (item.mKind == XML_ITEM_END)
        {
            return true;
        }
    }
    return false;
}

bool ResourceManager::ReadCommonAttributes(XMLItem* item, BaseRes* res, ResMap& map)
{
    mHadAlreadyDefinedError = false;
    const std::string* path = Find(*item, "path");
    if (!path)
        return RecordError("No path specified.");

    res->mXMLAttributes = item->mAttributes;
    res->mFromProgram = false;
    if (!path->empty() && (*path)[0] == '!')
    {
        res->mPath = *path;
        res->mFromProgram = *path == "!program";
    }
    else
    {
        res->mPath = mDefaultPath + *path;
    }

    const std::string* id = Find(*item, "id");
    res->mId = mDefaultIdPrefix + (id ? *id : FileNameNoExtension(res->mPath));
    res->mResGroup = mCurResGroup;
    if (map.count(res->mId) != 0)
    {
        mHadAlreadyDefinedError = true;
        return RecordError("Resource already defined.");
    }
    mReadGroupList->push_back(res);
    return true;
}

bool ResourceManager::ReadSoundElement(XMLItem* item)
{
    auto owned = std::make_unique<SoundRes>();
    SoundRes* res = owned.get();
    if (!ReadCommonAttributes(item, res, mSoundMap))
        return false;
    mSoundMap[res->mId] = std::move(owned);

    if (const std::string* volume = Find(*item, "volume"))
        std::sscanf(volume->c_str(), "%lf", &res->mVolume);
    if (const std::string* pan = Find(*item, "pan"))
        std::sscanf(pan->c_str(), "%d", &res->mPanning);
    return true;
}

bool ResourceManager::ReadImageElement(XMLItem* item)
{
    auto owned = std::make_unique<ImageRes>();
    ImageRes* res = owned.get();
    if (!ReadCommonAttributes(item, res, mImageMap))
        return false;
    mImageMap[res->mId] = std::move(owned);

    res->mPalletize = !Has(*item, "nopal");
    res->mA4R4G4B4 = Has(*item, "a4r4g4b4");
    res->mDDSurface = Has(*item, "ddsurface");
    if (Has(*item, "nobits"))
        res->mPurgeBits = true;
    else
        res->mPurgeBits = Has(*item, mApp->Is3DEnabled() ? "nobits3d" : "nobits2d");
    res->mA8R8G8B8 = Has(*item, "a8r8g8b8");
    res->mMinSubdivide = Has(*item, "minsubdivide");
    res->mAutoFindAlpha = !Has(*item, "noalpha");
    if (const std::string* alpha = Find(*item, "alphaimage"))
        res->mAlphaImage = mDefaultPath + *alpha;
    if (const std::string* colour = Find(*item, "alphacolor"))
        std::sscanf(colour->c_str(), "%x", &res->mAlphaColor);
    if (const std::string* variant = Find(*item, "variant"))
        res->mVariant = *variant;
    if (const std::string* grid = Find(*item, "alphagrid"))
        res->mAlphaGridImage = mDefaultPath + *grid;
    if (const std::string* rows = Find(*item, "rows"))
        res->mRows = ToInt(*rows);
    if (const std::string* cols = Find(*item, "cols"))
        res->mCols = ToInt(*cols);
    if (res->mRows < 1 || res->mCols < 1 || res->mRows > kMaxGridCells || res->mCols > kMaxGridCells)
        return RecordError("Invalid rows or cols.");

    int32_t type = 0;
    if (const std::string* anim = Find(*item, "anim"))
        if (!ParseAnimationType(*anim, type))
            return RecordError("Invalid animation type.");
    res->mAnim.mType = type;
    if (type != ANIMATION_NONE)
    {
        if (const std::string* delay = Find(*item, "framedelay"))
            res->mAnim.mFrameDelay = ToInt(*delay);
        const std::string* begin = Find(*item, "begindelay");
        const std::string* end = Find(*item, "enddelay");
        if (const std::string* delays = Find(*item, "perframedelay"))
            res->mAnim.mFrameDelays = ParseIntList(*delays);
        if (const std::string* frames = Find(*item, "framemap"))
            res->mAnim.mFrameMap = ParseIntList(*frames);
        res->mAnim.BuildTiming(std::max(res->mRows, res->mCols), begin ? ToInt(*begin) : 0,
                               end ? ToInt(*end) : 0);
    }
    return true;
}

bool ResourceManager::ReadFontElement(XMLItem* item)
{
    auto owned = std::make_unique<FontRes>();
    FontRes* res = owned.get();
    if (!ReadCommonAttributes(item, res, mFontMap))
        return false;
    mFontMap[res->mId] = std::move(owned);

    if (const std::string* image = Find(*item, "image"))
        res->mImagePath = *image;
    if (const std::string* tags = Find(*item, "tags"))
        res->mTags = *tags;

    static const std::string kSysPrefix = "!sys:";
    if (res->mPath.compare(0, kSysPrefix.size(), kSysPrefix) == 0)
    {
        res->mSysFont = true;
        res->mPath = res->mPath.substr(kSysPrefix.size());
        const std::string* size = Find(*item, "size");
        res->mSize = size ? ToInt(*size) : 0;
        if (res->mSize < 1)
            return RecordError("SysFont needs point size");
        res->mBold = Has(*item, "bold");
        res->mItalic = Has(*item, "italic");
        res->mShadow = Has(*item, "shadow");
        res->mUnderline = Has(*item, "underline");
    }
    return true;
}

bool ResourceManager::ReadSetDefaultsElement(XMLItem* item)
{
    // An empty path means the working folder, never the root of the file system.
    if (const std::string* path = Find(*item, "path"))
        mDefaultPath = path->empty() ? std::string() : StripPathSeparator(*path) + "/";
    if (const std::string* prefix = Find(*item, "idprefix"))
        mDefaultIdPrefix = StripPathSeparator(*prefix);
    return true;
}

} // namespace Quib
