#pragma once

#include "framework/graphics/HardwareDrawTarget.h"
#include "framework/graphics/MemoryImage.h"
#include "platform/Surface.h"

#include <cstdint>
#include <memory>

namespace Quib
{

class DisplayServices;

// What the first lock of a surface tells the software routines about it.
struct LockedSurfaceDesc
{
    int32_t pitch = 0;
    uint8_t* bits = nullptr;
    int32_t bitCount = 0;
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
};

// A memory image that can also hold its picture in a display surface in the screen's
// pixel format. Every drawing operation takes one of three paths: the display's 3D
// path, software on the locked surface (after which the surface holds the only
// current picture), or the inherited memory-image software.
class DDImage : public MemoryImage, public HardwareDrawTarget
{
public:
    explicit DDImage(DisplayServices* display);
    DDImage(const DDImage&) = delete;
    DDImage& operator=(const DDImage&) = delete;
    ~DDImage() override;

    bool FillPolygon(const int32_t* points, int32_t count, const Rect& clip, const Color& color,
                     int32_t drawMode, int32_t offsetX, int32_t offsetY) override;
    void FillRect(const Rect& rect, const Color& color, int32_t drawMode) override;
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
    void BlitMirrored(Image* source, int32_t x, int32_t y, const Rect& srcRect, const Color& color,
                      int32_t drawMode) override;
    void BlitStretchedMirrored(Image* source, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                               const Color& color, int32_t drawMode, bool unfiltered) override;

    void DiscardBits() override;
    void DeleteAllCaches() override;
    void RebuildStorage() override;
    void MarkBitsChanged() override;
    void UpdateTransparencyFlags() override;
    void DeleteDisplayFormatCaches() override;
    void Create(int32_t width, int32_t height) override;
    uint32_t* GetBits() override;
    bool ConvertToPalette() override;

    virtual void SetVideoMemory(bool videoMemory);
    virtual bool UseFirstPixelAsColorKey();
    virtual void FillRectNormal(const Rect& rect, const Color& color);
    virtual void FillRectAdditive(const Rect& rect, const Color& color);
    virtual void BlitNormal(Image* source, int32_t x, int32_t y, const Rect& srcRect, const Color& color);
    virtual void BlitAdditive(Image* source, int32_t x, int32_t y, const Rect& srcRect, const Color& color);
    virtual void DrawLineNormal(double x1, double y1, double x2, double y2, const Color& color);
    virtual void DrawLineAdditive(double x1, double y1, double x2, double y2, const Color& color);
    virtual void DrawAntialiasedLineNormal(double x1, double y1, double x2, double y2, const Color& color);
    virtual void DrawAntialiasedLineAdditive(double x1, double y1, double x2, double y2, const Color& color);
    virtual void BlitMirroredNormal(Image* source, int32_t x, int32_t y, const Rect& srcRect,
                                    const Color& color);
    virtual void BlitMirroredAdditive(Image* source, int32_t x, int32_t y, const Rect& srcRect,
                                      const Color& color);
    virtual bool LockSurface();
    virtual bool UnlockSurface();
    virtual void SetSurface(std::shared_ptr<platform::Surface> surface);

    bool IsDrawnThrough3D() const override { return DrawsThrough3D(); }
    // False unless the image is a surface image drawn through 3D.
    static bool IsDrawnThrough3D(Image* image);
    bool DrawsThrough3D() const;

    // The surface, made from the pixels when there is none yet; null when that fails.
    platform::Surface* GetSurface();
    bool CreateSurfaceFromBits();
    // Releases the surface, reading the picture back first when it is the only copy.
    void DeleteSurface();
    // Drops every form but the surface, after software drew into it.
    void DiscardMemoryCopies();

    DisplayServices* mDDInterface;
    std::shared_ptr<platform::Surface> mSurface;
    bool mExternalSurface = false;
    bool mNoSoftwareDraw = false;
    bool mVideoMemory = false;
    bool mFirstPixelColorKey = false;
    bool mWantsSurface = false;
    bool mForceMemoryDraw = false;
    int32_t mLockCount = 0;
    LockedSurfaceDesc mLockedDesc;

private:
    // Opaque in the sense of the path choice; keyed tolerates transparency when the
    // first pixel is the colour key.
    bool IsOpaque(bool keyed) const;
    bool In3DMode() const;
    // The memory path needs the pixels; a surface that may not or cannot be read
    // back has none to give.
    bool CanDrawInMemory();
    // Both line kinds draw through the hardware path or in memory alike when the
    // surface is not the place for them; true when the line was handled so.
    bool DrawLineOffSurface(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode);
    // A surface-to-surface copy (stretched when the sizes differ), keyed when the source
    // has transparency; this surface is unlocked around it and locked again after.
    // False when the copy or the relock failed.
    bool SurfaceCopy(DDImage& source, const Rect& srcRect, const Rect& destRect);
    void WriteBitsToSurface();
    void StretchOnSurface(Image* source, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                          const Color& color, int32_t drawMode, bool unfiltered, bool mirrored);
};

} // namespace Quib
