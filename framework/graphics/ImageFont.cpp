#include "framework/graphics/ImageFont.h"

#include "framework/foundation/Strings.h"
#include "framework/graphics/FontData.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Quib
{

CriticalSection gFontDrawLock;

namespace
{

// Layer values come from outside data and may be far out of range; a cast
// that saturates keeps every conversion defined.
int Trunc(double value)
{
    if (!(value == value))
        return 0;
    if (value >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(value);
}

int Saturate(int64_t value)
{
    return int(std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

struct FontDrawRecord
{
    Image* mImage = nullptr;
    int mX = 0;
    int mY = 0;
    Rect mSrcRect;
    int mDrawMode = -1;
    int mColor[4] = {};
    FontDrawRecord* mNext = nullptr;
};

// Only touched under gFontDrawLock: a string draw allocates nothing, and sorting
// by order is one pass over the buckets.
FontDrawRecord gFontDrawRecords[ImageFont::MAX_DRAW_RECORDS];
FontDrawRecord* gOrderBucketHeads[256];
FontDrawRecord* gOrderBucketTails[256];

uint8_t MapChar(const FontData* data, char c)
{
    return data->mCharMap[uint8_t(c)];
}

} // namespace

ActiveFontLayer::ActiveFontLayer(const ActiveFontLayer& other)
    : mBaseFontLayer(other.mBaseFontLayer), mScaledImage(other.mScaledImage), mOwnsImage(other.mOwnsImage)
{
    std::copy(std::begin(other.mScaledCharImageRects), std::end(other.mScaledCharImageRects),
              std::begin(mScaledCharImageRects));
    if (mOwnsImage && mScaledImage)
        mScaledImage = new MemoryImage(*static_cast<MemoryImage*>(other.mScaledImage));
}

ActiveFontLayer::~ActiveFontLayer()
{
    if (mOwnsImage)
        delete mScaledImage;
}

ImageFont::ImageFont(FontHost* app, const std::string& fontDescFileName) : mFontData(new FontData())
{
    mFontData->AddReference();
    mFontData->Load(app, fontDescFileName);
    mPointSize = mFontData->mDefaultPointSize;
    RebuildActiveLayers();
    mActiveListValid = true;
}

ImageFont::ImageFont(Image* fontImage, const std::string& widthsFileName) : mFontData(new FontData())
{
    mFontData->AddReference();
    mFontData->LoadFromWidthsFile(fontImage, widthsFileName);
    mPointSize = mFontData->mDefaultPointSize;
    RebuildActiveLayers();
    mActiveListValid = true;
}

ImageFont::ImageFont(const ImageFont& other)
    : Font(other), mFontData(other.mFontData), mPointSize(other.mPointSize), mTagVector(other.mTagVector),
      mActiveListValid(other.mActiveListValid), mScale(other.mScale)
{
    mFontData->AddReference();
    if (mActiveListValid)
        for (const ActiveFontLayer& active : other.mActiveLayerList)
            mActiveLayerList.push_back(active);
}

ImageFont::~ImageFont()
{
    mActiveLayerList.clear();
    mFontData->Release();
}

Font* ImageFont::Clone()
{
    return new ImageFont(*this);
}

void ImageFont::BuildScaledLayer(ActiveFontLayer& active, double scaledPointSize)
{
    const FontLayer* layer = active.mBaseFontLayer;
    auto scaled = [&](int value)
    {
        const int result = layer->mPointSize != 0 ? Trunc(scaledPointSize * value / layer->mPointSize)
                                                  : Trunc(mScale * value);
        return std::max(result, 0);
    };

    int64_t totalWidth = 0;
    int maxHeight = 0;
    for (int i = 0; i < 256; ++i)
    {
        const Rect& source = layer->mCharData[i].mImageRect;
        const int width = scaled(source.mWidth);
        const int height = scaled(source.mHeight);
        active.mScaledCharImageRects[i] = Rect(Saturate(totalWidth), 0, width, height);
        totalWidth += width;
        maxHeight = std::max(maxHeight, height);
    }

    auto* image = new MemoryImage();
    active.mScaledImage = image;
    active.mOwnsImage = true;
    if (totalWidth * maxHeight > MAX_SCALED_LAYER_PIXELS)
    {
        std::fill(std::begin(active.mScaledCharImageRects), std::end(active.mScaledCharImageRects), Rect());
        return;
    }
    image->Create(int(totalWidth), maxHeight);

    if (Image* source = layer->mImage.GetImage())
    {
        Graphics g(image);
        for (int i = 0; i < 256; ++i)
        {
            const Rect& dest = active.mScaledCharImageRects[i];
            if (dest.mWidth > 0 && dest.mHeight > 0)
                g.DrawImageStretched(source, dest, layer->mCharData[i].mImageRect);
        }
    }
    image->ConvertToPalette();
}

void ImageFont::RebuildActiveLayers()
{
    if (!mFontData->mInitialized)
        return;
    mActiveLayerList.clear();
    mAscent = 0;
    mAscentPadding = 0;
    mHeight = 0;
    mLineSpacingOffset = 0;

    bool first = true;
    for (FontLayer& layer : mFontData->mFontLayerList)
    {
        if (mPointSize < layer.mMinPointSize ||
            (mPointSize > layer.mMaxPointSize && layer.mMaxPointSize != -1))
            continue;
        const auto hasTag = [this](const std::string& tag)
        { return std::find(mTagVector.begin(), mTagVector.end(), tag) != mTagVector.end(); };
        if (!std::all_of(layer.mRequiredTags.begin(), layer.mRequiredTags.end(), hasTag))
            continue;
        if (std::any_of(layer.mExcludedTags.begin(), layer.mExcludedTags.end(), hasTag))
            continue;

        ActiveFontLayer& active = mActiveLayerList.emplace_back();
        active.mBaseFontLayer = &layer;
        double factor = 1.0;
        if (mScale == 1.0 && (layer.mPointSize == 0 || layer.mPointSize == mPointSize))
        {
            active.mScaledImage = layer.mImage.GetImage();
            for (int i = 0; i < 256; ++i)
                active.mScaledCharImageRects[i] = layer.mCharData[i].mImageRect;
        }
        else
        {
            const double scaledPointSize = mPointSize * mScale;
            factor = layer.mPointSize != 0 ? scaledPointSize / layer.mPointSize : mScale;
            BuildScaledLayer(active, scaledPointSize);
        }

        const int height = layer.mHeight != 0 ? layer.mHeight : layer.mDefaultHeight;
        const int ascent = Trunc(layer.mAscent * factor);
        const int layerHeight = Trunc(height * factor);
        const int padding = Trunc(layer.mAscentPadding * factor);
        const int spacingOffset = Trunc(layer.mLineSpacingOffset * factor);
        mAscent = std::max(mAscent, ascent);
        mHeight = std::max(mHeight, layerHeight);
        mAscentPadding = first ? padding : std::min(mAscentPadding, padding);
        mLineSpacingOffset = first ? spacingOffset : std::max(mLineSpacingOffset, spacingOffset);
        first = false;
    }
}

void ImageFont::EnsureActiveLayers()
{
    if (mActiveListValid)
        return;
    RebuildActiveLayers();
    mActiveListValid = true;
}

int ImageFont::GetKernedCharWidth(char c, char prev)
{
    EnsureActiveLayers();
    const uint8_t code = MapChar(mFontData, c);
    const bool hasPrev = prev != 0;
    const uint8_t prevCode = hasPrev ? MapChar(mFontData, prev) : 0;
    int widest = 0;
    bool any = false;
    for (const ActiveFontLayer& active : mActiveLayerList)
    {
        const FontLayer& layer = *active.mBaseFontLayer;
        const int64_t kern = int64_t(layer.mCharData[prevCode].mKerningOffsets[code]) + layer.mSpacing;
        const int width = layer.mCharData[code].mWidth;
        int64_t advance = 0;
        if (layer.mPointSize != 0)
        {
            const double h = mPointSize * mScale;
            advance = Trunc(width * h / layer.mPointSize);
            if (hasPrev)
                advance += Trunc(h * double(kern) / layer.mPointSize);
        }
        else
        {
            advance = Trunc(width * mScale);
            if (hasPrev)
                advance += Trunc(double(kern) * mScale);
        }
        widest = any ? std::max(widest, Saturate(advance)) : Saturate(advance);
        any = true;
    }
    return widest;
}

int ImageFont::GetCharWidth(char c)
{
    return GetKernedCharWidth(c, 0);
}

int ImageFont::GetStringWidth(const std::string& text)
{
    int64_t width = 0;
    char prev = 0;
    for (char c : text)
    {
        width += GetKernedCharWidth(c, prev);
        prev = c;
    }
    return Saturate(width);
}

void ImageFont::DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                           const Rect& clipRect)
{
    DrawStringWithRects(g, x, y, text, color, clipRect, nullptr, nullptr);
}

void ImageFont::DrawStringWithRects(Graphics* g, int x, int y, const std::string& text, const Color& color,
                                    const Rect&, std::vector<Rect>* rects, int* width)
{
    CriticalSectionGuard lock(gFontDrawLock);
    std::fill(std::begin(gOrderBucketHeads), std::end(gOrderBucketHeads), nullptr);
    std::fill(std::begin(gOrderBucketTails), std::end(gOrderBucketTails), nullptr);
    if (rects)
        rects->clear();

    if (!mFontData->mInitialized)
    {
        if (width)
            *width = 0;
        return;
    }

    EnsureActiveLayers();
    const bool oldTint = g->GetTintImages();
    g->SetTintImages(true);

    int used = 0;
    int64_t pen = x;
    bool cut = false;
    const int colorIn[4] = {color.mRed, color.mGreen, color.mBlue, color.mAlpha};
    for (size_t i = 0; i < text.size() && !cut; ++i)
    {
        const uint8_t code = MapChar(mFontData, text[i]);
        const bool hasNext = i + 1 < text.size() && text[i + 1] != 0;
        const uint8_t nextCode = hasNext ? MapChar(mFontData, text[i + 1]) : 0;
        int64_t advanceEnd = pen;
        for (ActiveFontLayer& active : mActiveLayerList)
        {
            if (used == MAX_DRAW_RECORDS)
            {
                cut = true;
                break;
            }
            const FontLayer& layer = *active.mBaseFontLayer;
            const FontGlyph& glyph = layer.mCharData[code];
            const int64_t kernSum = int64_t(glyph.mKerningOffsets[nextCode]) + layer.mSpacing;
            const double f = layer.mPointSize != 0 ? mScale * mPointSize / layer.mPointSize : mScale;
            int64_t glyphX, glyphY, advance, kern;
            if (f != 1.0)
            {
                glyphX = pen + Trunc(f * (double(glyph.mOffsetX) + layer.mOffsetX));
                glyphY = y - int64_t(Trunc(f * (double(layer.mAscent) - glyph.mOffsetY - layer.mOffsetY)));
                advance = Trunc(f * glyph.mWidth);
                kern = hasNext ? Trunc(f * double(kernSum)) : 0;
            }
            else
            {
                glyphX = pen + glyph.mOffsetX + layer.mOffsetX;
                glyphY = int64_t(y) - layer.mAscent + glyph.mOffsetY + layer.mOffsetY;
                advance = glyph.mWidth;
                kern = hasNext ? kernSum : 0;
            }

            FontDrawRecord& record = gFontDrawRecords[used++];
            record.mImage = active.mScaledImage;
            record.mX = Saturate(glyphX);
            record.mY = Saturate(glyphY);
            record.mSrcRect = active.mScaledCharImageRects[code];
            record.mDrawMode = layer.mDrawMode;
            const int mult[4] = {layer.mColorMult.mRed, layer.mColorMult.mGreen, layer.mColorMult.mBlue,
                                 layer.mColorMult.mAlpha};
            const int add[4] = {layer.mColorAdd.mRed, layer.mColorAdd.mGreen, layer.mColorAdd.mBlue,
                                layer.mColorAdd.mAlpha};
            for (int k = 0; k < 4; ++k)
                record.mColor[k] = std::min(255, mult[k] * colorIn[k] / 255 + add[k]);
            record.mNext = nullptr;

            const int bucket =
                int(std::clamp<int64_t>(int64_t(glyph.mOrder) + layer.mBaseOrder + 128, 0, 255));
            if (gOrderBucketTails[bucket])
                gOrderBucketTails[bucket]->mNext = &record;
            else
                gOrderBucketHeads[bucket] = &record;
            gOrderBucketTails[bucket] = &record;

            if (rects)
                rects->push_back(Rect(record.mX, record.mY, record.mSrcRect.mWidth, record.mSrcRect.mHeight));
            advanceEnd = std::max(advanceEnd, pen + advance + kern);
        }
        if (!cut)
            pen = advanceEnd;
    }

    if (width)
        *width = Saturate(pen - x);

    const Color oldColor = g->GetColor();
    for (FontDrawRecord* head : gOrderBucketHeads)
    {
        for (FontDrawRecord* record = head; record; record = record->mNext)
        {
            const int oldMode = g->GetDrawMode();
            if (record->mDrawMode != -1)
                g->SetDrawMode(record->mDrawMode);
            g->SetColor(Color(record->mColor[0], record->mColor[1], record->mColor[2], record->mColor[3]));
            if (record->mImage)
                g->DrawImage(record->mImage, record->mX, record->mY, record->mSrcRect);
            g->SetDrawMode(oldMode);
        }
    }
    g->SetColor(oldColor);
    g->SetTintImages(oldTint);
}

void ImageFont::SetPointSize(int pointSize)
{
    mPointSize = pointSize;
    mActiveListValid = false;
}

int ImageFont::GetPointSize()
{
    return mPointSize;
}

void ImageFont::SetScale(double scale)
{
    mScale = scale;
    mActiveListValid = false;
}

int ImageFont::GetDefaultPointSize()
{
    return mFontData->mDefaultPointSize;
}

bool ImageFont::AddTag(const std::string& tag)
{
    if (HasTag(tag))
        return false;
    mTagVector.push_back(ToUpperCopy(tag));
    mActiveListValid = false;
    return true;
}

bool ImageFont::RemoveTag(const std::string& tag)
{
    auto it = std::find(mTagVector.begin(), mTagVector.end(), ToUpperCopy(tag));
    if (it == mTagVector.end())
        return false;
    mTagVector.erase(it);
    mActiveListValid = false;
    return true;
}

bool ImageFont::HasTag(const std::string& tag)
{
    return std::find(mTagVector.begin(), mTagVector.end(), ToUpperCopy(tag)) != mTagVector.end();
}

std::string ImageFont::GetDefineValue(const std::string& name)
{
    DataElement* value = mFontData->FindDefine(name);
    return value ? DescParser::ElementToText(value) : std::string();
}

} // namespace Quib
