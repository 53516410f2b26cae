#pragma once

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayServices.h"
#include "framework/graphics/ImageHost.h"
#include "platform/Surface.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace surfacetest
{

// Records which hardware operations the surface image handed over.
class FakeD3D : public Quib::D3DServices
{
public:
    bool HasPushedTransform() const override { return mPushedTransform; }
    void FinishScene() override { mCalls.push_back("FinishScene"); }
    void FillRect(const Quib::Rect&, const Quib::Color&, int32_t) override { mCalls.push_back("FillRect"); }
    void FillPolygon(const int32_t*, int32_t, const Quib::Rect&, const Quib::Color&, int32_t, int32_t,
                     int32_t) override
    {
        mCalls.push_back("FillPolygon");
    }
    void DrawLine(double, double, double, double, const Quib::Color&, int32_t) override
    {
        mCalls.push_back("DrawLine");
    }
    bool Blit(Quib::Image*, float, float, const Quib::Rect&, const Quib::Color&, int32_t,
              bool linear) override
    {
        mCalls.push_back(linear ? "BlitLinear" : "Blit");
        return true;
    }
    void BlitMirrored(const Quib::Rect&, Quib::Image*, float, float, const Quib::Color&, int32_t) override
    {
        mCalls.push_back("BlitMirrored");
    }
    void BlitSubpixel(Quib::Image*, float, float, const Quib::Rect&, const Quib::Rect&, const Quib::Color&,
                      int32_t) override
    {
        mCalls.push_back("BlitSubpixel");
    }
    void BlitStretched(const Quib::Rect&, const Quib::Rect&, Quib::Image*, const Quib::Rect&,
                       const Quib::Color&, int32_t, bool, bool mirrored) override
    {
        mCalls.push_back(mirrored ? "BlitStretchedMirrored" : "BlitStretched");
    }
    void BlitRotated(Quib::Image*, float, float, const Quib::Rect&, const Quib::Color&, int32_t, float, float,
                     const Quib::Rect&, double) override
    {
        mCalls.push_back("BlitRotated");
    }
    bool BlitTransformed(Quib::Image*, const Quib::Rect&, const Quib::Color&, int32_t, const Quib::Rect&,
                         const Quib::Matrix3&, bool, float, float, bool) override
    {
        mCalls.push_back("BlitTransformed");
        return true;
    }
    void BlitTexturedTriangles(Quib::Image*, const Quib::TriVertex*, int32_t, const Quib::Rect&,
                               const Quib::Color&, int32_t, float, float, bool) override
    {
        mCalls.push_back("BlitTexturedTriangles");
    }

    bool mPushedTransform = false;
    std::vector<std::string> mCalls;
};

// A display of plain memory surfaces in one pixel format, and the application the
// images belong to.
class FakeDisplay : public Quib::DisplayServices, public Quib::ImageHost
{
public:
    explicit FakeDisplay(const platform::PixelFormat& format) { SetFormat(format); }

    // What a display set-up does: the format, the clamp tables, the channel order and
    // a fresh primary surface.
    void SetFormat(const platform::PixelFormat& format)
    {
        mFormat = format;
        mBitDepth = format.bitCount;
        mRedMask = int32_t(format.redMask);
        mGreenMask = int32_t(format.greenMask);
        mBlueMask = int32_t(format.blueMask);
        mRedShift = platform::MaskShift(format.redMask);
        mGreenShift = platform::MaskShift(format.greenMask);
        mBlueShift = platform::MaskShift(format.blueMask);
        mRedBits = platform::MaskBits(format.redMask);
        mGreenBits = platform::MaskBits(format.greenMask);
        mBlueBits = platform::MaskBits(format.blueMask);
        BuildAddTables();
        Quib::gDisplayRGBOrder = format.blueMask < format.greenMask && format.greenMask < format.redMask;
        mPrimary = platform::Surface::Create({8, 8, format, platform::SurfaceMemory::Video});
    }

    // ImageHost
    void RegisterImage(Quib::MemoryImage* image) override { mAppImages.insert(image); }
    void UnregisterImage(Quib::MemoryImage* image) override { mAppImages.erase(image); }
    void DropImageTextures(Quib::MemoryImage*) override {}
    bool Is3DEnabled() override { return m3D; }
    Quib::NativeDisplay* GetNativeDisplay() override { return this; }
    bool CopyTexturesToImage(Quib::MemoryImage*) override { return false; }
    void RequestSharedImagePurge() override {}

    // DisplayServices
    Quib::ImageHost* GetApp() override { return this; }
    void RegisterImage(Quib::DDImage* image) override { mImages.insert(image); }
    void UnregisterImage(Quib::DDImage* image) override { mImages.erase(image); }
    platform::SurfaceResult CreateSurface(int32_t width, int32_t height, platform::SurfaceMemory memory,
                                          std::shared_ptr<platform::Surface>& out) override
    {
        ++mSurfacesCreated;
        out.reset();
        if (mFailCreate)
            return platform::SurfaceResult::OutOfMemory;
        out = platform::Surface::Create({width, height, mFormat, memory});
        return out ? platform::SurfaceResult::Ok : platform::SurfaceResult::InvalidRect;
    }
    bool Is3DOn() const override { return m3D; }
    platform::Surface* GetPrimarySurface() override { return mPrimary.get(); }
    platform::Surface* GetDrawSurface() override { return mDrawSurface; }
    bool IsCursorAreaImage(const Quib::DDImage* image) const override { return image == mCursorArea; }
    Quib::D3DServices* Get3D() override { return &mD3D; }

    platform::PixelFormat mFormat;
    std::shared_ptr<platform::Surface> mPrimary;
    platform::Surface* mDrawSurface = nullptr;
    const Quib::DDImage* mCursorArea = nullptr;
    bool m3D = false;
    bool mFailCreate = false;
    int mSurfacesCreated = 0;
    std::set<Quib::MemoryImage*> mAppImages;
    std::set<Quib::DDImage*> mImages;
    FakeD3D mD3D;
};

// The formats every surface routine is run over: the two 16-bit layouts with fast
// paths, a 16-bit layout only the per-mask arithmetic handles, and both 32-bit orders.
struct NamedFormat
{
    const char* name;
    platform::PixelFormat format;
};

inline std::vector<NamedFormat> AllFormats()
{
    return {{"Rgb32", platform::PixelFormat::Rgb32()},
            {"Bgr32", {32, 0x000000FF, 0x0000FF00, 0x00FF0000}},
            {"Rgb565", platform::PixelFormat::Rgb565()},
            {"Rgb555", platform::PixelFormat::Rgb555()},
            {"Rgb444", {16, 0x0F00, 0x00F0, 0x000F}}};
}

// Straight-alpha pixel cut to the format's precision, as a surface holds it and reads
// it back: each channel's top bits kept, the rest zero, alpha 255.
inline uint32_t Quantize(uint32_t p, const platform::PixelFormat& f)
{
    const auto cut = [](uint32_t channel, uint32_t mask)
    {
        const int32_t bits = platform::MaskBits(mask);
        return channel & (0xFFu << (8 - bits)) & 0xFF;
    };
    return 0xFF000000 | cut((p >> 16) & 0xFF, f.redMask) << 16 | cut((p >> 8) & 0xFF, f.greenMask) << 8 |
           cut(p & 0xFF, f.blueMask);
}

} // namespace surfacetest
