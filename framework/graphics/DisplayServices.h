#pragma once

#include "framework/foundation/CriticalSection.h"
#include "framework/graphics/NativeDisplay.h"
#include "framework/graphics/TriVertex.h"
#include "platform/Surface.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace Quib
{

class Color;
class DDImage;
class Image;
class ImageHost;
class Matrix3;
class Rect;

// True when the screen's masks order blue below green below red. The display sets it
// whenever it creates a surface; the blitters' raw-pixel paths rely on that order.
extern std::atomic<bool> gDisplayRGBOrder;

// The hardware drawing path as the surface image uses it; the display owns it.
class D3DServices
{
public:
    virtual ~D3DServices() = default;

    // A transform pushed by a caller turns every draw into a matrix draw.
    virtual bool HasPushedTransform() const = 0;
    // Ends the open hardware scene, if any, so that the screen surface can be
    // drawn on directly.
    virtual void FinishScene() = 0;
    virtual void FillRect(const Rect& rect, const Color& color, int32_t drawMode) = 0;
    virtual void FillPolygon(const int32_t* points, int32_t count, const Rect& clip, const Color& color,
                             int32_t drawMode, int32_t offsetX, int32_t offsetY) = 0;
    virtual void DrawLine(double x1, double y1, double x2, double y2, const Color& color,
                          int32_t drawMode) = 0;
    virtual bool Blit(Image* source, float x, float y, const Rect& srcRect, const Color& color,
                      int32_t drawMode, bool linearFilter) = 0;
    virtual void BlitMirrored(const Rect& srcRect, Image* source, float x, float y, const Color& color,
                              int32_t drawMode) = 0;
    virtual void BlitSubpixel(Image* source, float x, float y, const Rect& srcRect, const Rect& clip,
                              const Color& color, int32_t drawMode) = 0;
    virtual void BlitStretched(const Rect& destRect, const Rect& srcRect, Image* source, const Rect& clip,
                               const Color& color, int32_t drawMode, bool unfiltered, bool mirrored) = 0;
    virtual void BlitRotated(Image* source, float x, float y, const Rect& clip, const Color& color,
                             int32_t drawMode, float centerX, float centerY, const Rect& srcRect,
                             double angle) = 0;
    virtual bool BlitTransformed(Image* source, const Rect& clip, const Color& color, int32_t drawMode,
                                 const Rect& srcRect, const Matrix3& matrix, bool linearFilter, float x,
                                 float y, bool centered) = 0;
    virtual void BlitTexturedTriangles(Image* source, const TriVertex* vertices, int32_t triangleCount,
                                       const Rect& clip, const Color& color, int32_t drawMode, float offsetX,
                                       float offsetY, bool linearFilter) = 0;
};

// What the surface image needs of the display: the screen's pixel format (the base
// record), the additive clamp tables, its lock, its surfaces and its 3D state. The
// display implements it; tests use a fake.
class DisplayServices : public NativeDisplay
{
public:
    ~DisplayServices() override = default;

    // The application the display belongs to; it becomes each image's application.
    virtual ImageHost* GetApp() = 0;
    virtual void RegisterImage(DDImage* image) = 0;
    virtual void UnregisterImage(DDImage* image) = 0;
    // A surface of the screen's pixel format; takes the display's lock. Refuses screens
    // other than 16 or 32 bits with InvalidPixelFormat and leaves out empty.
    virtual platform::SurfaceResult CreateSurface(int32_t width, int32_t height,
                                                  platform::SurfaceMemory memory,
                                                  std::shared_ptr<platform::Surface>& out) = 0;
    virtual bool Is3DOn() const = 0;
    virtual platform::Surface* GetPrimarySurface() = 0;
    // The surface each frame is drawn into (the screen image's).
    virtual platform::Surface* GetDrawSurface() = 0;
    // Software drawing into the cursor-area images stays allowed while 3D is on.
    virtual bool IsCursorAreaImage(const DDImage* image) const = 0;
    virtual D3DServices* Get3D() = 0;

    // Rebuilds the clamp tables from the channel bit counts: for b bits 2 x 2^b - 1
    // entries, entry i = min(i, 2^b - 1). The display calls it after each set-up.
    void BuildAddTables();

    CriticalSection mCritSect;
    std::vector<int32_t> mRedAddTable;
    std::vector<int32_t> mGreenAddTable;
    std::vector<int32_t> mBlueAddTable;
};

} // namespace Quib
