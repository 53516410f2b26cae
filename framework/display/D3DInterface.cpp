#include "framework/display/D3DInterface.h"

#include "framework/display/DDInterface.h"
#include "framework/display/DisplayHost.h"
#include "framework/display/TexelConversion.h"
#include "framework/display/TextureFormat.h"
#include "framework/foundation/Color.h"
#include "framework/foundation/CriticalSection.h"
#include "framework/foundation/FloatPoint.h"
#include "framework/foundation/Matrix3.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/MemoryImage.h"
#include "platform/Presenter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Quib
{

std::string gLast3DError;
bool g3DBeginFailed = false;

namespace
{

// Triangles and polygons come in the software rasteriser's coordinates, where a
// pixel's centre lies on the whole number; the device puts it half a pixel on.
// Blits already carry the software path's half-pixel move, so they go out as they are.
constexpr float kPixelCentre = 0.5f;

uint32_t VertexColor(const Color& color)
{
    const auto channel = [](int value) { return uint32_t(std::clamp(value, 0, 255)); };
    return channel(color.mAlpha) << 24 | channel(color.mRed) << 16 | channel(color.mGreen) << 8 |
           channel(color.mBlue);
}

uint32_t NarrowChannel(uint32_t value, uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int32_t bits = platform::MaskBits(mask);
    const uint32_t narrowed = bits >= 8 ? value << (bits - 8) : value >> (8 - bits);
    return (narrowed << platform::MaskShift(mask)) & mask;
}

uint32_t ToSurfacePixel(uint32_t argb, const platform::PixelFormat& format)
{
    return NarrowChannel((argb >> 16) & 0xFF, format.redMask) |
           NarrowChannel((argb >> 8) & 0xFF, format.greenMask) | NarrowChannel(argb & 0xFF, format.blueMask);
}

bool Finite(const platform::RenderVertex& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.u) && std::isfinite(v.v);
}

// The image's pixels as 0xAARRGGBB, without turning a palette image back into
// plain pixels for good.
const uint32_t* SourcePixels(MemoryImage& image, std::vector<uint32_t>& expanded)
{
    if (image.mBits)
        return image.mBits.get();
    if (image.mPalette && image.mIndices)
    {
        expanded.resize(image.PixelCount());
        for (size_t i = 0; i < expanded.size(); ++i)
            expanded[i] = image.mPalette[image.mIndices[i]];
        return expanded.data();
    }
    return image.GetBits();
}

} // namespace

D3DInterface::D3DInterface() = default;

D3DInterface::~D3DInterface()
{
    Shutdown();
}

bool D3DInterface::ReportDXFailure(const std::string& step, bool succeeded)
{
    if (succeeded)
        return false;
    gLast3DError = step + ": " + (mDevice != nullptr ? mDevice->lastError() : std::string("no device"));
    return true;
}

bool D3DInterface::InitFromDisplay(DDInterface* display)
{
    gLast3DError.clear();
    mDisplay = display;
    mDevice = display != nullptr ? display->RenderDeviceFor3D() : nullptr;
    if (mDevice == nullptr)
    {
        gLast3DError = "Query DrawSurface: no render device";
        return false;
    }
    mMainThread = std::this_thread::get_id();
    mWidth = display->mWidth;
    mHeight = display->mHeight;
    mWindowed = display->mWindowed;
    const platform::RendererInfo info = mDevice->info();
    if (info.name.empty())
    {
        gLast3DError = "CreateDevice IID_IDirect3DHALDevice: the renderer does not answer";
        return false;
    }
    mLimits = TextureLimits::FromRenderer(info);
    mFrame = mDevice->createTexture(mWidth, mHeight, platform::TexelFormat::Argb8888, true);
    if (ReportDXFailure("Query DrawSurface", mFrame != 0))
        return false;
    mLinearFilter = false;
    mSceneOpen = false;
    mFrameNewer = false;
    mSurfaceNewer = false;
    if (ReportDXFailure("Clear", mDevice->setTarget(mFrame) && mDevice->clear(0xFF000000)))
        return false;
    return true;
}

void D3DInterface::Shutdown()
{
    mSceneOpen = false;
    if (mDevice != nullptr)
    {
        for (auto& [image, textures] : mImages)
        {
            ReleasePieces(*textures);
            image->mTextures = nullptr;
        }
        ReleasePending();
        mDevice->destroyTexture(mFrame);
    }
    mImages.clear();
    mPendingReleases.clear();
    mFrame = 0;
    mDevice = nullptr;
    mDisplay = nullptr;
}

void D3DInterface::ReleasePieces(ImageTextures& textures)
{
    for (TexturePiece& piece : textures.mPieces)
        if (mDevice != nullptr)
            mDevice->destroyTexture(piece.mTexture);
    textures.mPieces.clear();
    textures.mTexMemSize = 0;
}

void D3DInterface::ReleasePending()
{
    std::vector<platform::TextureId> pending;
    {
        CriticalSectionGuard guard(mDisplay->mCritSect);
        pending.swap(mPendingReleases);
    }
    for (platform::TextureId texture : pending)
        mDevice->destroyTexture(texture);
}

void D3DInterface::DropImageTextures(MemoryImage* image)
{
    if (mDisplay == nullptr)
        return;
    std::unique_ptr<ImageTextures> textures;
    {
        CriticalSectionGuard guard(mDisplay->mCritSect);
        const auto found = mImages.find(image);
        if (found == mImages.end())
            return;
        textures = std::move(found->second);
        mImages.erase(found);
        image->mTextures = nullptr;
        // The device belongs to the main thread; another thread leaves the textures to it.
        if (std::this_thread::get_id() != mMainThread)
        {
            for (const TexturePiece& piece : textures->mPieces)
                mPendingReleases.push_back(piece.mTexture);
            return;
        }
    }
    ReleasePieces(*textures);
}

void D3DInterface::ReadFrameToSurface()
{
    platform::Surface* surface = mDisplay->mDrawSurface;
    if (surface == nullptr || !mDevice->setTarget(mFrame))
        return;
    std::vector<uint32_t> pixels(size_t(mWidth) * size_t(mHeight));
    if (ReportDXFailure("CopyPrimary Lock",
                        mDevice->readPixels({0, 0, mWidth, mHeight}, pixels.data(), mWidth * 4)))
        return;
    platform::LockedSurface locked;
    if (surface->Lock(locked) != platform::SurfaceResult::Ok)
        return;
    const platform::PixelFormat& format = surface->Format();
    const int32_t width = std::min(mWidth, surface->Width()), height = std::min(mHeight, surface->Height());
    for (int32_t y = 0; y < height; ++y)
    {
        uint8_t* row = locked.bits + ptrdiff_t(y) * locked.pitch;
        const uint32_t* argb = pixels.data() + size_t(y) * size_t(mWidth);
        for (int32_t x = 0; x < width; ++x)
        {
            const uint32_t pixel = ToSurfacePixel(argb[x], format);
            std::memcpy(row + ptrdiff_t(x) * format.BytesPerPixel(), &pixel, size_t(format.BytesPerPixel()));
        }
    }
    surface->Unlock();
}

void D3DInterface::UploadSurfaceToFrame()
{
    platform::Surface* surface = mDisplay->mDrawSurface;
    if (surface == nullptr || surface->Width() != mWidth || surface->Height() != mHeight)
        return;
    const std::vector<uint32_t> pixels = platform::readArgb(*surface);
    if (!pixels.empty())
        ReportDXFailure("Texture Unlock", mDevice->updateTexture(mFrame, pixels.data(), mWidth * 4));
}

void D3DInterface::FinishScene()
{
    if (mDevice == nullptr)
        return;
    // The frame's draws are over; what failed among them spoils no later frame.
    if (mSceneOpen)
        gLast3DError.clear();
    mSceneOpen = false;
    if (mFrameNewer)
        ReadFrameToSurface();
    mFrameNewer = false;
    mSurfaceNewer = true;
    // The window and the frame share one renderer: left on the frame, a software
    // present that follows would draw into the frame texture and never be seen.
    ReportDXFailure("SetRenderTarget", mDevice->setTarget(0));
}

bool D3DInterface::PresentFrame(Image* pointer, int32_t x, int32_t y)
{
    if (mDevice == nullptr)
        return false;
    mSceneOpen = false;
    ReleasePending();
    if (mSurfaceNewer)
        UploadSurfaceToFrame();
    mSurfaceNewer = false;
    std::vector<platform::PresentOverlay> overlays;
    auto* image = dynamic_cast<MemoryImage*>(pointer);
    if (image != nullptr && PrepareImageTextures(image))
        if (const ImageTextures* textures = Textures(image))
            for (const PiecePart& part :
                 PieceParts(*textures, Rect(0, 0, image->GetWidth(), image->GetHeight())))
                overlays.push_back({part.mTexture, float(x) + part.mX, float(y) + part.mY, part.mWidth,
                                    part.mHeight, part.mU0, part.mV0, part.mU1, part.mV1});
    return !ReportDXFailure("Present", mDevice->present(mFrame, overlays));
}

bool D3DInterface::BeginDrawing()
{
    if (mDevice == nullptr || mDisplay == nullptr)
        return false;
    if (mDisplay->mApp != nullptr && mDisplay->mApp->IsMinimised())
        return false;
    if (mSceneOpen)
        return true;
    ReleasePending();
    if (!mDevice->setTarget(mFrame))
    {
        g3DBeginFailed = true;
        ReportDXFailure("SetRenderTarget", false);
        return false;
    }
    g3DBeginFailed = false;
    if (mSurfaceNewer)
        UploadSurfaceToFrame();
    mSurfaceNewer = false;
    mDevice->setClip(nullptr);
    mSceneOpen = true;
    mLinearFilter = false;
    return true;
}

void D3DInterface::SetBlendMode(int32_t drawMode)
{
    mBlend = {platform::BlendFactor::SourceAlpha, drawMode == DRAW_MODE_ADDITIVE
                                                      ? platform::BlendFactor::One
                                                      : platform::BlendFactor::InverseSourceAlpha};
}

void D3DInterface::SetTextureFiltering(bool linear)
{
    mLinearFilter = linear;
}

ImageTextures* D3DInterface::Textures(MemoryImage* image)
{
    const auto found = mImages.find(image);
    return found == mImages.end() ? nullptr : found->second.get();
}

bool D3DInterface::PrepareImageTextures(MemoryImage* image)
{
    if (image == nullptr || image->mWidth <= 0 || image->mHeight <= 0)
        return false;
    ImageTextures* textures = Textures(image);
    const bool fresh = textures == nullptr;
    if (fresh)
    {
        auto made = std::make_unique<ImageTextures>();
        textures = made.get();
        CriticalSectionGuard guard(mDisplay->mCritSect);
        mImages[image] = std::move(made);
        image->mTextures = textures;
    }
    if (!CreateOrRefreshTextures(*image, *textures))
        return false;
    if (fresh && image->mPurgeBits)
        image->DiscardBits();
    return textures->mFormat != 0;
}

bool D3DInterface::CreateOrRefreshTextures(MemoryImage& image, ImageTextures& textures)
{
    const uint32_t flags = image.mTextureFlags;
    if (textures.mFormat != 0 && textures.mWidth == image.mWidth && textures.mHeight == image.mHeight &&
        textures.mImageFlags == flags && textures.mBitsChangedCount == image.mBitsChangedCount)
        return true;
    image.UpdateTransparencyFlags();
    const uint32_t mask = mLimits.mFormatMask;
    uint32_t format = TEXTURE_A8R8G8B8;
    if (!image.mHasAlpha && !image.mHasTrans && (mask & TEXTURE_R5G6B5) && !(flags & TEXTURE_FLAG_A8R8G8B8))
        format = TEXTURE_R5G6B5;
    if (format == TEXTURE_A8R8G8B8 &&
        (((flags & TEXTURE_FLAG_A4R4G4B4) && (mask & TEXTURE_A4R4G4B4)) || !(mask & TEXTURE_A8R8G8B8)))
        format = TEXTURE_A4R4G4B4;

    const bool create = textures.mPieces.empty() || textures.mFormat != format ||
                        textures.mImageFlags != flags || textures.mWidth != image.mWidth ||
                        textures.mHeight != image.mHeight;
    TexturePieceLayout layout;
    if (create)
    {
        ReleasePieces(textures);
        textures.mFormat = format;
        textures.mImageFlags = flags;
        layout = LayoutTexturePieces(image.mWidth, image.mHeight, flags, mLimits);
        textures.mColumns = layout.mColumns;
        textures.mRows = layout.mRows;
        textures.mPieceWidth = layout.mPieceWidth;
        textures.mPieceHeight = layout.mPieceHeight;
        textures.mMaxTotalU = layout.mUExtent;
        textures.mMaxTotalV = layout.mVExtent;
        textures.mPieces.resize(size_t(layout.mColumns) * size_t(layout.mRows));
    }
    std::vector<uint32_t> expanded;
    const uint32_t* pixels = SourcePixels(image, expanded);
    if (pixels == nullptr)
        return false;
    for (int32_t row = 0; row < textures.mRows; ++row)
        for (int32_t column = 0; column < textures.mColumns; ++column)
        {
            TexturePiece& piece = textures.mPieces[size_t(row) * size_t(textures.mColumns) + size_t(column)];
            if (create)
            {
                piece.mWidth = layout.PieceWidth(column, row);
                piece.mHeight = layout.PieceHeight(column, row);
                piece.mTexture =
                    mDevice->createTexture(piece.mWidth, piece.mHeight, MakePixelFormat(format), false);
                // Only this picture goes without: it is left out of the frame and
                // made again when it is next drawn; the rest stays on the card.
                if (piece.mTexture == 0)
                {
                    ReleasePieces(textures);
                    textures.mFormat = 0;
                    return false;
                }
                textures.mTexMemSize += piece.mWidth * piece.mHeight * TextureBytesPerTexel(format);
            }
            const std::vector<uint8_t> texels =
                PieceTexels(pixels, image.mWidth, image.mHeight, column * textures.mPieceWidth,
                            row * textures.mPieceHeight, piece.mWidth, piece.mHeight, format);
            ReportDXFailure("Lock Texture",
                            mDevice->updateTexture(piece.mTexture, texels.data(),
                                                   piece.mWidth * TextureBytesPerTexel(format)));
        }
    textures.mWidth = image.mWidth;
    textures.mHeight = image.mHeight;
    textures.mBitsChangedCount = image.mBitsChangedCount;
    return true;
}

bool D3DInterface::CopyTexturesToImage(MemoryImage* image)
{
    ImageTextures* textures = Textures(image);
    if (textures == nullptr || mDevice == nullptr || textures->mFormat == 0 || !image->mBits ||
        textures->mBitsChangedCount != image->mBitsChangedCount || textures->mWidth != image->mWidth ||
        textures->mHeight != image->mHeight)
        return false;
    bool copied = true;
    for (int32_t row = 0; row < textures->mRows && copied; ++row)
        for (int32_t column = 0; column < textures->mColumns && copied; ++column)
        {
            const TexturePiece& piece = textures->Piece(column, row);
            const platform::TextureId target =
                mDevice->createTexture(piece.mWidth, piece.mHeight, platform::TexelFormat::Argb8888, true);
            const float w = float(piece.mWidth), h = float(piece.mHeight);
            const platform::RenderVertex quad[6] = {{0, 0, 0xFFFFFFFF, 0, 0}, {0, h, 0xFFFFFFFF, 0, 1},
                                                    {w, 0, 0xFFFFFFFF, 1, 0}, {w, 0, 0xFFFFFFFF, 1, 0},
                                                    {0, h, 0xFFFFFFFF, 0, 1}, {w, h, 0xFFFFFFFF, 1, 1}};
            std::vector<uint32_t> texels(size_t(piece.mWidth) * size_t(piece.mHeight));
            copied =
                target != 0 && mDevice->setTarget(target) && mDevice->setClip(nullptr) &&
                mDevice->drawTriangles(piece.mTexture, false,
                                       {platform::BlendFactor::One, platform::BlendFactor::Zero}, quad, 6) &&
                mDevice->readPixels({0, 0, piece.mWidth, piece.mHeight}, texels.data(), piece.mWidth * 4);
            mDevice->destroyTexture(target);
            if (ReportDXFailure("Lock Texture", copied))
                break;
            const int32_t x0 = column * textures->mPieceWidth, y0 = row * textures->mPieceHeight;
            const int32_t columns = std::min(piece.mWidth, image->mWidth - x0);
            const int32_t rows = std::min(piece.mHeight, image->mHeight - y0);
            for (int32_t y = 0; y < rows; ++y)
                for (int32_t x = 0; x < columns; ++x)
                {
                    const uint32_t texel =
                        ArgbToTexel(texels[size_t(y) * size_t(piece.mWidth) + size_t(x)], textures->mFormat);
                    image->mBits[size_t(y0 + y) * size_t(image->mWidth) + size_t(x0 + x)] =
                        TexelToArgb(texel, textures->mFormat);
                }
        }
    if (mSceneOpen)
        mDevice->setTarget(mFrame);
    return copied;
}

std::vector<D3DInterface::PiecePart> D3DInterface::PieceParts(const ImageTextures& textures,
                                                              const Rect& srcRect) const
{
    std::vector<PiecePart> parts;
    const Rect source = srcRect.Intersection(Rect(0, 0, textures.mWidth, textures.mHeight));
    if (source.mWidth <= 0 || source.mHeight <= 0)
        return parts;
    for (int64_t y = source.mY; y < source.Bottom();)
    {
        const int32_t row = int32_t(y / textures.mPieceHeight);
        const int32_t localY = int32_t(y) - row * textures.mPieceHeight;
        const int32_t partHeight =
            int32_t(std::min<int64_t>(source.Bottom() - y, textures.mPieceHeight - localY));
        for (int64_t x = source.mX; x < source.Right();)
        {
            const int32_t column = int32_t(x / textures.mPieceWidth);
            const int32_t localX = int32_t(x) - column * textures.mPieceWidth;
            const int32_t partWidth =
                int32_t(std::min<int64_t>(source.Right() - x, textures.mPieceWidth - localX));
            const TexturePiece& piece = textures.Piece(column, row);
            parts.push_back({piece.mTexture, float(x - srcRect.mX), float(y - srcRect.mY), float(partWidth),
                             float(partHeight), float(localX) / float(piece.mWidth),
                             float(localY) / float(piece.mHeight),
                             float(localX + partWidth) / float(piece.mWidth),
                             float(localY + partHeight) / float(piece.mHeight)});
            x += partWidth;
        }
        y += partHeight;
    }
    return parts;
}

void D3DInterface::DrawPolygon(platform::TextureId texture, ClipVertexList& polygon, const Rect* clip,
                               const char* step)
{
    for (int32_t i = 0; i < polygon.Count(); ++i)
        if (!Finite(polygon[i]))
            return;
    Rect bounds(0, 0, mWidth, mHeight);
    if (clip != nullptr)
        bounds = bounds.Intersection(*clip);
    if (bounds.mWidth <= 0 || bounds.mHeight <= 0)
        return;
    polygon.ClipToRect(float(bounds.mX), float(bounds.mY), float(bounds.Right()), float(bounds.Bottom()));
    const std::vector<platform::RenderVertex> triangles = polygon.Fan();
    if (!triangles.empty())
    {
        mFrameNewer = true;
        ReportDXFailure(step, mDevice->drawTriangles(texture, mLinearFilter, mBlend, triangles.data(),
                                                     int32_t(triangles.size())));
    }
}

bool D3DInterface::Prepare(Image* source, MemoryImage*& image, ImageTextures*& textures, int32_t drawMode)
{
    image = dynamic_cast<MemoryImage*>(source);
    if (image == nullptr || !BeginDrawing() || !PrepareImageTextures(image))
        return false;
    textures = Textures(image);
    SetBlendMode(drawMode);
    return textures != nullptr;
}

bool D3DInterface::Blit(Image* source, float x, float y, const Rect& srcRect, const Color& color,
                        int32_t drawMode, bool linearFilter)
{
    Matrix3 identity;
    return BlitTransformed(source, Rect(0, 0, mWidth, mHeight), color, drawMode, srcRect, identity,
                           linearFilter, x, y, false);
}

void D3DInterface::BlitMirrored(const Rect& srcRect, Image* source, float x, float y, const Color& color,
                                int32_t drawMode)
{
    Matrix3 matrix;
    matrix.Translate(-float(srcRect.mWidth), 0.0f);
    matrix.Scale(-1.0f, 1.0f);
    matrix.Translate(x, y);
    BlitTransformed(source, Rect(0, 0, mWidth, mHeight), color, drawMode, srcRect, matrix, false, 0.0f, 0.0f,
                    false);
}

void D3DInterface::BlitSubpixel(Image* source, float x, float y, const Rect& srcRect, const Rect& clip,
                                const Color& color, int32_t drawMode)
{
    Matrix3 matrix;
    matrix.Translate(x, y);
    BlitTransformed(source, clip, color, drawMode, srcRect, matrix, true, 0.0f, 0.0f, false);
}

void D3DInterface::BlitStretched(const Rect& destRect, const Rect& srcRect, Image* source, const Rect& clip,
                                 const Color& color, int32_t drawMode, bool unfiltered, bool mirrored)
{
    if (srcRect.mWidth <= 0 || srcRect.mHeight <= 0)
        return;
    const float sx = float(destRect.mWidth) / float(srcRect.mWidth);
    const float sy = float(destRect.mHeight) / float(srcRect.mHeight);
    Matrix3 matrix;
    if (mirrored)
    {
        matrix.Translate(-float(srcRect.mWidth), 0.0f);
        matrix.Scale(-sx, sy);
    }
    else
        matrix.Scale(sx, sy);
    matrix.Translate(float(destRect.mX), float(destRect.mY));
    BlitTransformed(source, clip, color, drawMode, srcRect, matrix, !unfiltered, 0.0f, 0.0f, false);
}

void D3DInterface::BlitRotated(Image* source, float x, float y, const Rect& clip, const Color& color,
                               int32_t drawMode, float centerX, float centerY, const Rect& srcRect,
                               double angle)
{
    Matrix3 matrix;
    matrix.Translate(-centerX, -centerY);
    matrix.RotateRad(float(angle));
    matrix.Translate(centerX + x, centerY + y);
    BlitTransformed(source, clip, color, drawMode, srcRect, matrix, true, 0.0f, 0.0f, false);
}

bool D3DInterface::BlitTransformed(Image* source, const Rect& clip, const Color& color, int32_t drawMode,
                                   const Rect& srcRect, const Matrix3& matrix, bool linearFilter, float x,
                                   float y, bool centered)
{
    MemoryImage* image = nullptr;
    ImageTextures* textures = nullptr;
    if (!Prepare(source, image, textures, drawMode))
        return false;
    SetTextureFiltering(linearFilter);
    const uint32_t vertexColor = VertexColor(color);
    const float originX = centered ? float(srcRect.mWidth) / 2.0f : 0.0f;
    const float originY = centered ? float(srcRect.mHeight) / 2.0f : 0.0f;
    for (const PiecePart& part : PieceParts(*textures, srcRect))
    {
        const auto corner = [&](float dx, float dy, float u, float v)
        {
            const FloatPoint p =
                matrix.TransformPoint(FloatPoint(part.mX + dx - originX, part.mY + dy - originY));
            return platform::RenderVertex{p.mX + x, p.mY + y, vertexColor, u, v};
        };
        ClipVertexList polygon;
        polygon.Add(corner(0, 0, part.mU0, part.mV0));
        polygon.Add(corner(0, part.mHeight, part.mU0, part.mV1));
        polygon.Add(corner(part.mWidth, part.mHeight, part.mU1, part.mV1));
        polygon.Add(corner(part.mWidth, 0, part.mU1, part.mV0));
        DrawPolygon(part.mTexture, polygon, &clip, "DrawPrimitive (Tri) 2");
    }
    return true;
}

void D3DInterface::BlitTexturedTriangles(Image* source, const TriVertex* vertices, int32_t triangleCount,
                                         const Rect& clip, const Color& color, int32_t drawMode,
                                         float offsetX, float offsetY, bool linearFilter)
{
    MemoryImage* image = nullptr;
    ImageTextures* textures = nullptr;
    if (vertices == nullptr || triangleCount <= 0 || !Prepare(source, image, textures, drawMode))
        return;
    SetTextureFiltering(linearFilter);
    const uint32_t drawColor = VertexColor(color);
    for (int32_t t = 0; t < triangleCount; ++t)
    {
        const TriVertex* triangle = vertices + size_t(t) * 3;
        float minU = triangle[0].u * textures->mMaxTotalU, maxU = minU;
        float minV = triangle[0].v * textures->mMaxTotalV, maxV = minV;
        for (int k = 1; k < 3; ++k)
        {
            minU = std::min(minU, triangle[k].u * textures->mMaxTotalU);
            maxU = std::max(maxU, triangle[k].u * textures->mMaxTotalU);
            minV = std::min(minV, triangle[k].v * textures->mMaxTotalV);
            maxV = std::max(maxV, triangle[k].v * textures->mMaxTotalV);
        }
        if (!std::isfinite(minU) || !std::isfinite(maxU) || !std::isfinite(minV) || !std::isfinite(maxV))
            continue;
        const int32_t firstColumn = std::clamp(int32_t(std::floor(minU)), 0, textures->mColumns - 1);
        const int32_t lastColumn = std::clamp(int32_t(std::ceil(maxU)), 0, textures->mColumns);
        const int32_t firstRow = std::clamp(int32_t(std::floor(minV)), 0, textures->mRows - 1);
        const int32_t lastRow = std::clamp(int32_t(std::ceil(maxV)), 0, textures->mRows);
        for (int32_t row = firstRow; row < std::max(lastRow, firstRow + 1); ++row)
            for (int32_t column = firstColumn; column < std::max(lastColumn, firstColumn + 1); ++column)
            {
                const TexturePiece& piece = textures->Piece(column, row);
                // Coordinates relative to this piece, whose texture may be smaller than the grid step.
                const float uScale = float(textures->mPieceWidth) / float(piece.mWidth);
                const float vScale = float(textures->mPieceHeight) / float(piece.mHeight);
                ClipVertexList polygon;
                for (int k = 0; k < 3; ++k)
                    polygon.Add({triangle[k].x + offsetX + kPixelCentre,
                                 triangle[k].y + offsetY + kPixelCentre,
                                 triangle[k].color != 0 ? triangle[k].color : drawColor,
                                 (triangle[k].u * textures->mMaxTotalU - float(column)) * uScale,
                                 (triangle[k].v * textures->mMaxTotalV - float(row)) * vScale});
                if (textures->mColumns > 1 || textures->mRows > 1)
                    polygon.ClipToTextureSquare();
                DrawPolygon(piece.mTexture, polygon, &clip, "DrawPrimitive (Tri) 4");
            }
    }
}

void D3DInterface::DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t drawMode)
{
    if (!BeginDrawing() || !std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) ||
        !std::isfinite(y2))
        return;
    SetBlendMode(drawMode);
    const auto bound = [](double v) { return float(std::clamp(v, -65536.0, 65536.0)); };
    mFrameNewer = true;
    ReportDXFailure("DrawPrimitive (Line)",
                    mDevice->setClip(nullptr) && mDevice->drawLine(bound(x1), bound(y1), bound(x2), bound(y2),
                                                                   VertexColor(color), mBlend));
}

void D3DInterface::FillRect(const Rect& rect, const Color& color, int32_t drawMode)
{
    if (!BeginDrawing())
        return;
    SetBlendMode(drawMode);
    const uint32_t c = VertexColor(color);
    const float left = float(rect.mX), top = float(rect.mY);
    const float right = left + float(rect.mWidth), bottom = top + float(rect.mHeight);
    ClipVertexList polygon;
    polygon.Add({left, top, c, 0, 0});
    polygon.Add({left, bottom, c, 0, 0});
    polygon.Add({right, bottom, c, 0, 0});
    polygon.Add({right, top, c, 0, 0});
    DrawPolygon(0, polygon, nullptr, "DrawPrimitive (Rect)");
}

void D3DInterface::FillPolygon(const int32_t* points, int32_t count, const Rect& clip, const Color& color,
                               int32_t drawMode, int32_t offsetX, int32_t offsetY)
{
    if (points == nullptr || count < 3 || !BeginDrawing())
        return;
    SetBlendMode(drawMode);
    const uint32_t c = VertexColor(color);
    ClipVertexList polygon;
    for (int32_t i = 0; i < count; ++i)
        polygon.Add({float(int64_t(points[2 * i]) + offsetX) + kPixelCentre,
                     float(int64_t(points[2 * i + 1]) + offsetY) + kPixelCentre, c, 0, 0});
    DrawPolygon(0, polygon, &clip, "DrawPrimitive (FillPoly)");
}

} // namespace Quib
