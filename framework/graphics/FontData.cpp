#include "framework/graphics/FontData.h"

#include "framework/foundation/FormatString.h"
#include "framework/foundation/NumberText.h"
#include "framework/foundation/Paths.h"
#include "framework/foundation/Strings.h"
#include "framework/graphics/FontHost.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/files/PakFile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Quib
{
namespace
{

const char* const kInvalidType = "Invalid Paramater Type";

bool IsSingle(DataElement* element)
{
    return !element->mIsList;
}

const std::string& TextOf(DataElement* element)
{
    return static_cast<SingleDataElement*>(element)->mString;
}

bool ToInt(DataElement* element, int32_t& value)
{
    int parsed = 0;
    if (!IsSingle(element) || !ParseInt(TextOf(element), parsed))
        return false;
    value = parsed;
    return true;
}

// Reads a whitespace-separated decimal number as the C library's "%d" does;
// values beyond the int range saturate instead of overflowing.
class WidthsScanner
{
public:
    explicit WidthsScanner(const std::vector<uint8_t>& bytes) : mBytes(bytes) {}

    bool ReadInt(int32_t& value)
    {
        SkipBlanks();
        size_t pos = mPos;
        bool negative = false;
        if (pos < mBytes.size() && (mBytes[pos] == '-' || mBytes[pos] == '+'))
            negative = mBytes[pos++] == '-';
        if (pos >= mBytes.size() || !IsDigit(mBytes[pos]))
            return false;
        int64_t magnitude = 0;
        while (pos < mBytes.size() && IsDigit(mBytes[pos]))
        {
            magnitude = std::min<int64_t>(magnitude * 10 + (mBytes[pos++] - '0'), int64_t(1) << 32);
        }
        mPos = pos;
        int64_t signedValue = negative ? -magnitude : magnitude;
        value = int32_t(std::clamp<int64_t>(signedValue, std::numeric_limits<int32_t>::min(),
                                            std::numeric_limits<int32_t>::max()));
        return true;
    }

    bool ReadChar(uint8_t& c)
    {
        SkipBlanks();
        if (mPos >= mBytes.size())
            return false;
        c = mBytes[mPos++];
        return true;
    }

private:
    static bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
    static bool IsBlank(uint8_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
    void SkipBlanks()
    {
        while (mPos < mBytes.size() && IsBlank(mBytes[mPos]))
            ++mPos;
    }

    const std::vector<uint8_t>& mBytes;
    size_t mPos = 0;
};

} // namespace

FontData::FontData()
{
    for (int i = 0; i < 256; ++i)
        mCharMap[i] = uint8_t(i);
}

FontData::~FontData() = default;

void FontData::AddReference()
{
    ++mRefCount;
}

void FontData::Release()
{
    if (--mRefCount == 0)
        delete this;
}

bool FontData::Load(FontHost* app, const std::string& fontDescFileName)
{
    if (mInitialized)
        return false;
    mApp = app;
    mCurrentLine.clear();
    mFontErrorHeader = "Font Descriptor Error in " + fontDescFileName + "\r\n";
    mSourceFile = fontDescFileName;
    mInitialized = ParseFile(fontDescFileName);
    return true;
}

bool FontData::LoadFromWidthsFile(Image* image, const std::string& widthsFileName)
{
    if (mInitialized)
        return false;

    mFontLayerList.emplace_back(this);
    FontLayer* layer = &mFontLayerList.back();
    mFontLayerMap.emplace("", layer);
    layer->mImage = image;
    const int32_t imageWidth = image ? image->GetWidth() : 0;
    const int32_t imageHeight = image ? image->GetHeight() : 0;
    layer->mDefaultHeight = imageHeight;
    layer->mAscent = imageHeight;

    auto bytes = PakReadWholeFile(widthsFileName, MAX_WIDTHS_FILE_BYTES);
    if (!bytes)
        return false;
    mFontErrorHeader = "Font Descriptor Error in " + widthsFileName + "\r\n";

    WidthsScanner scanner(*bytes);
    int32_t spaceWidth = 0;
    int32_t ascent = layer->mAscent;
    if (scanner.ReadInt(spaceWidth))
        scanner.ReadInt(ascent);
    layer->mCharData[' '].mWidth = spaceWidth;
    layer->mAscent = ascent;

    int64_t x = 0;
    uint8_t c = 0;
    int32_t width = 0;
    while (scanner.ReadChar(c) && scanner.ReadInt(width))
    {
        // The glyphs stand side by side from the left edge; one that runs past
        // the image would make every draw read outside it.
        if (width < 0 || x + width > imageWidth)
            return ReportError("Image rectangle out of bounds");
        FontGlyph& glyph = layer->mCharData[c];
        glyph.mImageRect = Rect(int(x), 0, width, imageHeight);
        glyph.mWidth = width;
        x += width;
    }

    for (int upper = 'A'; upper <= 'Z'; ++upper)
    {
        const int lower = upper - 'A' + 'a';
        if (layer->mCharData[upper].mWidth == 0 && layer->mCharData[lower].mWidth != 0)
            mCharMap[upper] = uint8_t(lower);
    }
    for (int lower = 'a'; lower <= 'z'; ++lower)
    {
        const int upper = lower - 'a' + 'A';
        if (layer->mCharData[lower].mWidth == 0 && layer->mCharData[upper].mWidth != 0)
            mCharMap[lower] = uint8_t(upper);
    }

    mSourceFile = widthsFileName;
    mInitialized = true;
    return true;
}

FontLayer* FontData::FindLayer(DataElement* element)
{
    if (!IsSingle(element))
        return nullptr;
    auto it = mFontLayerMap.find(ToUpperCopy(TextOf(element)));
    if (it == mFontLayerMap.end())
    {
        ReportError("Undefined Layer");
        return nullptr;
    }
    return it->second;
}

bool FontData::ElementToColor(DataElement* element, Color& color)
{
    if (element->mIsList)
    {
        std::vector<double> values;
        if (!ElementToDoubles(element, values) || values.size() != 4)
            return false;
        int components[4];
        for (int i = 0; i < 4; ++i)
        {
            const double scaled = values[i] * 255.0;
            if (!(scaled > -2147483648.0 && scaled < 2147483648.0))
                return false;
            components[i] = int(scaled);
        }
        color = Color(components[0], components[1], components[2], components[3]);
        return true;
    }
    int32_t packed = 0;
    if (!ToInt(element, packed))
        return false;
    color = Color(uint32_t(packed));
    return true;
}

bool FontData::ReportError(const std::string& text)
{
    if (!mApp)
        return false;
    std::string message = mFontErrorHeader + text;
    if (!mCurrentLine.empty())
        message += " on Line " + FormatString("%d:\r\n\r\n", mCurrentLineNum) + mCurrentLine;
    mApp->ShowError(message);
    return false;
}

FontLayer* FontData::CreateNamedLayer(const std::string& name, const FontLayer* source)
{
    if (source)
        mFontLayerList.push_back(*source);
    else
        mFontLayerList.emplace_back(this);
    FontLayer* layer = &mFontLayerList.back();
    if (!mFontLayerMap.emplace(name, layer).second)
        ReportError("Layer Already Exists");
    return layer;
}

bool FontData::LoadLayerImage(FontLayer* layer, const std::string& fileName)
{
    const std::string path = ResolveRelativePath(fileName, DirectoryOfPath(mSourceFile));
    bool isNew = false;
    SharedImageHandle image;
    if (mApp)
        image = mApp->GetSharedImage(path, "", &isNew);
    if (!image.GetImage())
        return ReportError("Failed to Load Image");
    if (isNew)
    {
        if (auto* memoryImage = dynamic_cast<MemoryImage*>(image.GetImage()))
            memoryImage->ConvertToPalette();
    }
    layer->mImage = image;
    return true;
}

bool FontData::HandleCommand(ListDataElement* params)
{
    std::vector<DataElement*>& p = params->mElementVector;
    const std::string command = ToUpperCopy(TextOf(p[0]));
    const size_t count = p.size();
    bool bad = false;

    auto expect = [&](size_t wanted) { return count == wanted; };
    auto wrongCount = [&]() { return ReportError("Invalid Number of Parameters"); };
    auto finish = [&]() { return bad ? ReportError(kInvalidType) : true; };
    auto layerAt = [&](size_t i) { return FindLayer(p[i]); };
    auto intAt = [&](size_t i, int32_t& value)
    {
        if (!ToInt(p[i], value))
            bad = true;
        return !bad;
    };
    auto stringsAt = [&](size_t i, std::vector<std::string>& out)
    {
        if (!ElementToStringList(p[i], out))
            bad = true;
        return !bad;
    };
    auto intsAt = [&](size_t i, std::vector<int32_t>& out)
    {
        if (!ElementToInts(p[i], out))
            bad = true;
        return !bad;
    };
    // A layer command with one int parameter.
    auto layerInt = [&](int32_t FontLayer::*field) -> bool
    {
        if (!expect(3))
            return wrongCount();
        FontLayer* layer = layerAt(1);
        int32_t value = 0;
        if (!layer || !intAt(2, value))
            return ReportError(kInvalidType);
        layer->*field = value;
        return true;
    };
    // A layer command applying one int per character: characters and values paired.
    auto perChar = [&](auto apply) -> bool
    {
        if (!expect(4))
            return wrongCount();
        FontLayer* layer = layerAt(1);
        std::vector<std::string> chars;
        std::vector<int32_t> values;
        if (!layer || !stringsAt(2, chars) || !intsAt(3, values))
            return ReportError(kInvalidType);
        if (chars.size() != values.size())
            return ReportError("List Size Mismatch");
        for (size_t i = 0; i < chars.size(); ++i)
        {
            if (chars[i].size() != 1)
                bad = true;
            else
                apply(layer->mCharData[uint8_t(chars[i][0])], values[i]);
        }
        return finish();
    };
    // A layer command applying a list of ints per character.
    auto perCharList = [&](auto apply) -> bool
    {
        if (!expect(4))
            return wrongCount();
        FontLayer* layer = layerAt(1);
        std::vector<std::string> chars;
        ListDataElement entries;
        if (!layer || !stringsAt(2, chars))
            return ReportError(kInvalidType);
        if (!ElementToList(p[3], &entries))
            return ReportError(kInvalidType);
        if (chars.size() != entries.mElementVector.size())
            return ReportError("List Size Mismatch");
        return apply(layer, chars, entries);
    };
    auto tagsCommand = [&](std::vector<std::string> FontLayer::*field) -> bool
    {
        if (!expect(3))
            return wrongCount();
        FontLayer* layer = layerAt(1);
        std::vector<std::string> tags;
        if (!layer || !stringsAt(2, tags))
            return ReportError(kInvalidType);
        for (const std::string& tag : tags)
            (layer->*field).push_back(ToUpperCopy(tag));
        return true;
    };
    auto colorCommand = [&](Color FontLayer::*field) -> bool
    {
        if (!expect(3))
            return wrongCount();
        FontLayer* layer = layerAt(1);
        Color color;
        if (!layer || !ElementToColor(p[2], color))
            return ReportError(kInvalidType);
        layer->*field = color;
        return true;
    };

    if (command == "DEFINE")
    {
        if (!expect(3))
            return wrongCount();
        if (!IsSingle(p[1]) || IsLiteral(TextOf(p[1])))
            return ReportError(kInvalidType);
        const std::string name = ToUpperCopy(TextOf(p[1]));
        auto old = mDefineMap.find(name);
        if (old != mDefineMap.end())
        {
            delete old->second;
            mDefineMap.erase(old);
        }
        DataElement* value = nullptr;
        if (p[2]->mIsList)
        {
            auto* resolved = new ListDataElement();
            if (!ResolveList(static_cast<ListDataElement*>(p[2]), resolved))
            {
                delete resolved;
                return false;
            }
            value = resolved;
        }
        else if (DataElement* defined = FindDefine(TextOf(p[2])))
            value = defined->Clone();
        else
            value = p[2]->Clone();
        SetDefine(name, value);
        return true;
    }
    if (command == "CREATEHORZSPANRECTLIST")
    {
        if (!expect(4))
            return wrongCount();
        std::vector<int32_t> base, widths;
        if (!IsSingle(p[1]) || !intsAt(2, base) || base.size() != 4 || !intsAt(3, widths))
            return ReportError(kInvalidType);
        auto* list = new ListDataElement();
        // Summed with wrap-around, so hostile widths cannot overflow.
        uint32_t x = uint32_t(base[0]);
        for (int32_t width : widths)
        {
            auto* rect = new ListDataElement();
            for (int32_t value : {int32_t(x), base[1], width, base[3]})
                rect->mElementVector.push_back(new SingleDataElement(std::to_string(value)));
            list->mElementVector.push_back(rect);
            x += uint32_t(width);
        }
        SetDefine(TextOf(p[1]), list);
        return true;
    }
    if (command == "SETDEFAULTPOINTSIZE")
    {
        if (!expect(2))
            return wrongCount();
        int32_t size = 0;
        if (!intAt(1, size))
            return ReportError(kInvalidType);
        mDefaultPointSize = size;
        return true;
    }
    if (command == "SETCHARMAP")
    {
        if (!expect(3))
            return wrongCount();
        std::vector<std::string> from, to;
        if (!stringsAt(1, from) || !stringsAt(2, to))
            return ReportError(kInvalidType);
        if (from.size() != to.size())
            return ReportError("List Size Mismatch");
        for (size_t i = 0; i < from.size(); ++i)
        {
            if (from[i].size() != 1 || to[i].size() != 1)
                bad = true;
            else
                mCharMap[uint8_t(from[i][0])] = uint8_t(to[i][0]);
        }
        return finish();
    }
    if (command == "CREATELAYER")
    {
        if (!expect(2))
            return wrongCount();
        if (!IsSingle(p[1]))
            return ReportError(kInvalidType);
        CreateNamedLayer(ToUpperCopy(TextOf(p[1])), nullptr);
        return true;
    }
    if (command == "CREATELAYERFROM")
    {
        if (!expect(3))
            return wrongCount();
        if (!IsSingle(p[1]))
            return ReportError(kInvalidType);
        FontLayer* source = layerAt(2);
        if (!source)
            return ReportError(kInvalidType);
        CreateNamedLayer(ToUpperCopy(TextOf(p[1])), source);
        return true;
    }
    if (command == "LAYERREQUIRETAGS")
        return tagsCommand(&FontLayer::mRequiredTags);
    if (command == "LAYEREXCLUDETAGS")
        return tagsCommand(&FontLayer::mExcludedTags);
    if (command == "LAYERPOINTRANGE")
    {
        if (!expect(4))
            return wrongCount();
        FontLayer* layer = layerAt(1);
        int32_t low = 0, high = 0;
        if (!layer || !intAt(2, low) || !intAt(3, high))
            return ReportError(kInvalidType);
        layer->mMinPointSize = low;
        layer->mMaxPointSize = high;
        return true;
    }
    if (command == "LAYERSETPOINTSIZE")
        return layerInt(&FontLayer::mPointSize);
    if (command == "LAYERSETHEIGHT")
        return layerInt(&FontLayer::mHeight);
    if (command == "LAYERSETIMAGE")
    {
        if (!expect(3))
            return wrongCount();
        FontLayer* layer = layerAt(1);
        std::string fileName;
        if (!layer || !ElementToString(p[2], fileName))
            return ReportError(kInvalidType);
        return LoadLayerImage(layer, fileName);
    }
    if (command == "LAYERSETDRAWMODE")
    {
        if (!expect(3))
            return wrongCount();
        FontLayer* layer = layerAt(1);
        int32_t mode = 0;
        if (!layer || !intAt(2, mode) || (mode != 0 && mode != 1))
            return ReportError(kInvalidType);
        layer->mDrawMode = mode;
        return true;
    }
    if (command == "LAYERSETCOLORMULT")
        return colorCommand(&FontLayer::mColorMult);
    if (command == "LAYERSETCOLORADD")
        return colorCommand(&FontLayer::mColorAdd);
    if (command == "LAYERSETASCENT")
        return layerInt(&FontLayer::mAscent);
    if (command == "LAYERSETASCENTPADDING")
        return layerInt(&FontLayer::mAscentPadding);
    if (command == "LAYERSETLINESPACINGOFFSET")
        return layerInt(&FontLayer::mLineSpacingOffset);
    if (command == "LAYERSETOFFSET")
    {
        if (!expect(3))
            return wrongCount();
        FontLayer* layer = layerAt(1);
        std::vector<int32_t> offset;
        if (!layer || !intsAt(2, offset) || offset.size() != 2)
            return ReportError(kInvalidType);
        layer->mOffsetX = offset[0];
        layer->mOffsetY = offset[1];
        return true;
    }
    if (command == "LAYERSETCHARWIDTHS")
        return perChar([](FontGlyph& glyph, int32_t value) { glyph.mWidth = value; });
    if (command == "LAYERSETSPACING")
        return layerInt(&FontLayer::mSpacing);
    if (command == "LAYERSETIMAGEMAP")
    {
        return perCharList(
            [&](FontLayer* layer, const std::vector<std::string>& chars, ListDataElement& entries) -> bool
            {
                Image* image = layer->mImage.GetImage();
                if (!image)
                    return ReportError("Layer image not set");
                for (size_t i = 0; i < chars.size(); ++i)
                {
                    std::vector<int32_t> rect;
                    if (chars[i].size() != 1 || !ElementToInts(entries.mElementVector[i], rect) ||
                        rect.size() != 4)
                    {
                        bad = true;
                        continue;
                    }
                    const int64_t x = rect[0], y = rect[1], w = rect[2], h = rect[3];
                    if (x < 0 || y < 0 || w < 0 || h < 0 || x + w > image->GetWidth() ||
                        y + h > image->GetHeight())
                        return ReportError("Image rectangle out of bounds");
                    layer->mCharData[uint8_t(chars[i][0])].mImageRect =
                        Rect(rect[0], rect[1], rect[2], rect[3]);
                }
                int64_t defaultHeight = 0;
                for (const FontGlyph& glyph : layer->mCharData)
                    defaultHeight =
                        std::max(defaultHeight, int64_t(glyph.mImageRect.mHeight) + glyph.mOffsetY);
                layer->mDefaultHeight =
                    int32_t(std::min<int64_t>(defaultHeight, std::numeric_limits<int32_t>::max()));
                return finish();
            });
    }
    if (command == "LAYERSETCHAROFFSETS")
    {
        return perCharList(
            [&](FontLayer* layer, const std::vector<std::string>& chars, ListDataElement& entries) -> bool
            {
                for (size_t i = 0; i < chars.size(); ++i)
                {
                    std::vector<int32_t> offset;
                    if (chars[i].size() != 1 || !ElementToInts(entries.mElementVector[i], offset) ||
                        offset.size() != 2)
                    {
                        bad = true;
                        continue;
                    }
                    FontGlyph& glyph = layer->mCharData[uint8_t(chars[i][0])];
                    glyph.mOffsetX = offset[0];
                    glyph.mOffsetY = offset[1];
                }
                return finish();
            });
    }
    if (command == "LAYERSETKERNINGPAIRS")
    {
        if (!expect(4))
            return wrongCount();
        FontLayer* layer = layerAt(1);
        std::vector<std::string> pairs;
        std::vector<int32_t> offsets;
        if (!layer || !stringsAt(2, pairs) || !intsAt(3, offsets))
            return ReportError(kInvalidType);
        if (pairs.size() != offsets.size())
            return ReportError("List Size Mismatch");
        for (size_t i = 0; i < pairs.size(); ++i)
        {
            if (pairs[i].size() != 2)
                bad = true;
            else
                layer->mCharData[uint8_t(pairs[i][0])].mKerningOffsets[uint8_t(pairs[i][1])] =
                    int8_t(uint8_t(offsets[i]));
        }
        return finish();
    }
    if (command == "LAYERSETBASEORDER")
        return layerInt(&FontLayer::mBaseOrder);
    if (command == "LAYERSETCHARORDERS")
        return perChar([](FontGlyph& glyph, int32_t value) { glyph.mOrder = value; });

    return ReportError("Unknown Command");
}

} // namespace Quib
