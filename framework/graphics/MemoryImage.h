#pragma once

#include "framework/graphics/Image.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Quib
{

class ImageHost;
class ImageTextures;
class NativeDisplay;
struct DoubleRect;

constexpr uint32_t IMAGE_BITS_GUARD = 0x4BEEFADE;

constexpr uint32_t TEXTURE_FLAG_MIN_SUBDIVIDE = 1;
constexpr uint32_t TEXTURE_FLAG_A4R4G4B4 = 4;
constexpr uint32_t TEXTURE_FLAG_A8R8G8B8 = 8;

// Classes of the run-length alpha cache.
constexpr uint8_t ALPHA_CLASS_TRANSPARENT = 0;
constexpr uint8_t ALPHA_CLASS_OPAQUE = 1;
constexpr uint8_t ALPHA_CLASS_PARTIAL = 2;

// An image whose 32-bit straight-alpha 0xAARRGGBB pixels live in memory, or in one of
// the other forms GetBits rebuilds them from (palette, screen format, textures).
// Every drawing operation fetches the pixels first and marks them changed last,
// which drops the derived caches.
class MemoryImage : public Image
{
public:
    MemoryImage();
    explicit MemoryImage(ImageHost* app);
    MemoryImage(const MemoryImage& other);
    MemoryImage& operator=(const MemoryImage&) = delete;
    ~MemoryImage() override;

    void FillRect(const Rect& rect, const Color& color, int32_t drawMode) override;
    void ClearRect(const Rect& rect) override;
    void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode) override;
    void DrawAntialiasedLine(double x1, double y1, double x2, double y2, const Color& color,
                             int32_t drawMode) override;
    void FillSpansWithCoverage(const Span* spans, int32_t count, const Color& color, int32_t drawMode,
                               const uint8_t* coverage, int32_t coverageX, int32_t coverageY,
                               int32_t coveragePitch) override;
    void Blit(Image* source, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
              int32_t drawMode) override;
    void BlitSubpixel(Image* source, float x, float y, const Rect& srcRect, const Rect& clip,
                      const Color& color, int32_t drawMode) override;
    void BlitRotated(Image* source, float x, float y, const Rect& srcRect, const Rect& clip,
                     const Color& color, int32_t drawMode, double angle, float centerX,
                     float centerY) override;
    void BlitStretched(Image* source, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                       const Color& color, int32_t drawMode, bool unfiltered) override;
    void BlitTransformed(Image* source, float x, float y, const Matrix3& matrix, const Rect& clip,
                         const Color& color, int32_t drawMode, const Rect& srcRect,
                         bool linearFilter) override;
    void BlitTexturedTriangles(Image* source, const TriVertex* vertices, int32_t triangleCount,
                               const Rect& clip, const Color& color, int32_t drawMode, float offsetX,
                               float offsetY, bool linearFilter) override;

    virtual uint32_t* GetNativeAlphaData(NativeDisplay* display);
    virtual uint8_t* GetRLAlphaData();
    virtual uint8_t* GetRLAdditiveData(NativeDisplay* display);
    virtual void DiscardBits();
    virtual void DeleteSoftwareCaches();
    virtual void ReleaseTextures();
    virtual void DeleteAllCaches();
    virtual void RebuildStorage();
    virtual void MarkBitsChanged();
    virtual void UpdateTransparencyFlags();
    virtual void DeleteDisplayFormatCaches();
    virtual void Clear();
    virtual void SetBits(const uint32_t* bits, int32_t width, int32_t height, bool updateFlags);
    // SetBits without the copy: the image keeps bits, an array of width x height pixels
    // and one spare word for the guard.
    void TakeBits(std::unique_ptr<uint32_t[]> bits, int32_t width, int32_t height, bool updateFlags);
    virtual void Create(int32_t width, int32_t height);
    virtual uint32_t* GetBits();
    virtual void ForceTransparencyFlags(bool hasTrans, bool hasAlpha);
    virtual void SetVolatile(bool isVolatile);
    virtual bool ConvertToPalette();

    // Fills palette (256 entries) and one index per pixel with the exact colours in order
    // of first appearance; false at the 257th distinct colour.
    static bool BuildPalette(const uint32_t* bits, uint8_t* indices, int32_t width, int32_t height,
                             uint32_t* palette);

    void BlitNormal(MemoryImage* source, int32_t x, int32_t y, const Rect& srcRect, const Color& color);
    void BlitAdditive(MemoryImage* source, int32_t x, int32_t y, const Rect& srcRect, const Color& color);

    void DrawLineNormal(double x1, double y1, double x2, double y2, const Color& color);
    void DrawLineAdditive(double x1, double y1, double x2, double y2, const Color& color);
    void DrawAntialiasedLineNormal(double x1, double y1, double x2, double y2, const Color& color);

    // Rotated blit geometry: the clipped bounding box of the turned source rectangle.
    static bool GetRotatedBounds(float x, float y, const Rect& srcRect, const Rect& clip, DoubleRect& bounds,
                                 float centerX, float centerY, double angle);

    // Stretched blits: maps the clipped destination back to a fractional source rectangle.
    static bool MapStretchRect(const Rect& destRect, Rect& clipped, const Rect& srcRect, const Rect& clip,
                               DoubleRect& mapped);
    static bool MapStretchRectMirrored(const Rect& destRect, Rect& clipped, const Rect& srcRect,
                                       const Rect& clip, DoubleRect& mapped);
    void StretchUnfiltered(Image* source, const Rect& clipped, const DoubleRect& mapped, const Color& color);
    void StretchFiltered(Image* source, const Rect& clipped, const DoubleRect& mapped);
    // The filtered stretch of a tinted or additive draw: resampled into a picture of the
    // clipped size, which is blitted with the colour and mode.
    void StretchFilteredBlit(Image* source, const Rect& clipped, const DoubleRect& mapped, const Color& color,
                             int32_t drawMode);

    // Transformed blits and textured triangles through the software triangle rasteriser.
    void TransformToTriangles(Image* source, float x, float y, const Matrix3& matrix, const Rect& clip,
                              const Color& color, const Rect& srcRect, bool linearFilter);
    void DrawTriangleList(Image* source, const TriVertex* vertices, int32_t triangleCount, const Rect& clip,
                          const Color& color, float offsetX, float offsetY, bool linearFilter);

    // Number of pixels, 0 for a negative size.
    size_t PixelCount() const;

    std::unique_ptr<uint32_t[]> mBits; // PixelCount() words and the guard word
    int32_t mBitsChangedCount = 0;
    ImageTextures* mTextures = nullptr; // owned by the display
    uint32_t mTextureFlags = 0;
    std::unique_ptr<uint32_t[]> mPalette; // 256 colours
    std::unique_ptr<uint8_t[]> mIndices;  // one per pixel
    bool mForced = false;
    bool mHasTrans = false;
    bool mHasAlpha = false;
    bool mVolatile = false;
    bool mPurgeBits = false;
    bool mPalettize = false;
    std::unique_ptr<uint32_t[]> mNativeAlphaData; // per pixel, or per palette colour in palette form
    std::unique_ptr<uint8_t[]> mRLAlphaData;
    std::unique_ptr<uint8_t[]> mRLAdditiveData;
    bool mFlagsStale = false;
    ImageHost* mApp = nullptr;

protected:
    // Other threads walk the application's image set and call into every image
    // in it, so an image may only be in the set while it is whole. An image type
    // deriving from this one builds its base with RegisterLater, calls
    // RegisterWithApp last in its constructor and UnregisterFromApp first in
    // its destructor.
    struct RegisterLater
    {
    };
    MemoryImage(ImageHost* app, RegisterLater);
    void RegisterWithApp();
    void UnregisterFromApp();

private:
    void AllocateBits();

    bool mRegistered = false;
};

} // namespace Quib
