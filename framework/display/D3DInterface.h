#pragma once

#include "framework/display/ClipVertexList.h"
#include "framework/display/ImageTextures.h"
#include "framework/display/TextureLimits.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/DisplayServices.h"
#include "platform/RenderDevice.h"

#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace Quib
{

class DDInterface;
class Image;
class MemoryImage;

// The last hardware step that failed, with the renderer's reason; a frame that
// leaves one is not shown, and the display goes back to software.
extern std::string gLast3DError;
// Making the frame the render target failed in the last set-up of a draw.
extern bool g3DBeginFailed;

// The hardware drawing path: every image drawn into the screen image becomes
// textured triangles on the window's render device, drawn into a frame texture
// that stands for the draw surface, so that both paths give the same pictures.
// The draw surface is brought up to date only when the CPU needs it. Drawing,
// textures and read-back run on the main thread.
class D3DInterface : public D3DServices
{
public:
    D3DInterface();
    ~D3DInterface() override;
    D3DInterface(const D3DInterface&) = delete;
    D3DInterface& operator=(const D3DInterface&) = delete;

    // Starts on the display's device at the draw-buffer size; false with
    // gLast3DError set when it cannot.
    bool InitFromDisplay(DDInterface* display);
    void Shutdown();
    // Ends the scene and brings the draw surface up to date, for code that reads
    // or writes it with the CPU or presents it in software; the renderer draws
    // into the window again. The next draw takes the surface's pixels back.
    void FinishScene() override;
    // Ends the frame and shows it in the window, with the pointer image (if
    // any) over it at (x, y) of the frame, which stays without it.
    bool PresentFrame(Image* pointer = nullptr, int32_t x = 0, int32_t y = 0);
    // Frees the image's textures; from another thread they are freed at the next draw.
    void DropImageTextures(MemoryImage* image);
    bool CopyTexturesToImage(MemoryImage* image);

    // No caller of this program pushes a transform.
    bool HasPushedTransform() const override { return false; }
    void FillRect(const Rect& rect, const Color& color, int32_t drawMode) override;
    void FillPolygon(const int32_t* points, int32_t count, const Rect& clip, const Color& color,
                     int32_t drawMode, int32_t offsetX, int32_t offsetY) override;
    void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode) override;
    bool Blit(Image* source, float x, float y, const Rect& srcRect, const Color& color, int32_t drawMode,
              bool linearFilter) override;
    void BlitMirrored(const Rect& srcRect, Image* source, float x, float y, const Color& color,
                      int32_t drawMode) override;
    void BlitSubpixel(Image* source, float x, float y, const Rect& srcRect, const Rect& clip,
                      const Color& color, int32_t drawMode) override;
    void BlitStretched(const Rect& destRect, const Rect& srcRect, Image* source, const Rect& clip,
                       const Color& color, int32_t drawMode, bool unfiltered, bool mirrored) override;
    void BlitRotated(Image* source, float x, float y, const Rect& clip, const Color& color, int32_t drawMode,
                     float centerX, float centerY, const Rect& srcRect, double angle) override;
    bool BlitTransformed(Image* source, const Rect& clip, const Color& color, int32_t drawMode,
                         const Rect& srcRect, const Matrix3& matrix, bool linearFilter, float x, float y,
                         bool centered) override;
    void BlitTexturedTriangles(Image* source, const TriVertex* vertices, int32_t triangleCount,
                               const Rect& clip, const Color& color, int32_t drawMode, float offsetX,
                               float offsetY, bool linearFilter) override;

    bool BeginDrawing();
    // Makes or refreshes the image's textures; true when it has some.
    bool PrepareImageTextures(MemoryImage* image);
    void SetBlendMode(int32_t drawMode);
    void SetTextureFiltering(bool linear);
    // On failure gLast3DError becomes the step and the device's reason; true then.
    bool ReportDXFailure(const std::string& step, bool succeeded);

    DDInterface* mDisplay = nullptr;
    platform::RenderDevice* mDevice = nullptr;
    int32_t mWidth = 640;
    int32_t mHeight = 480;
    // The frame texture frames are drawn into.
    platform::TextureId mFrame = 0;
    bool mSceneOpen = false;
    bool mWindowed = true;
    TextureLimits mLimits;
    bool mLinearFilter = false;
    platform::BlendFactors mBlend;

private:
    struct PiecePart
    {
        platform::TextureId mTexture = 0;
        float mX = 0.0f; // from the source rectangle's corner
        float mY = 0.0f;
        float mWidth = 0.0f;
        float mHeight = 0.0f;
        float mU0 = 0.0f, mV0 = 0.0f, mU1 = 0.0f, mV1 = 0.0f;
    };

    ImageTextures* Textures(MemoryImage* image);
    bool CreateOrRefreshTextures(MemoryImage& image, ImageTextures& textures);
    void ReleasePieces(ImageTextures& textures);
    void ReleasePending();
    std::vector<PiecePart> PieceParts(const ImageTextures& textures, const Rect& srcRect) const;
    // Clips the convex polygon to the clip rectangle (or only the frame) and
    // draws it; corners that are not numbers draw nothing.
    void DrawPolygon(platform::TextureId texture, ClipVertexList& polygon, const Rect* clip,
                     const char* step);
    bool Prepare(Image* source, MemoryImage*& image, ImageTextures*& textures, int32_t drawMode);
    void ReadFrameToSurface();
    void UploadSurfaceToFrame();

    std::map<MemoryImage*, std::unique_ptr<ImageTextures>> mImages;
    std::vector<platform::TextureId> mPendingReleases;
    std::thread::id mMainThread;
    // The frame texture holds draws the draw surface lacks, or the other way round.
    bool mFrameNewer = false;
    bool mSurfaceNewer = false;
};

} // namespace Quib
