#include "framework/foundation/Color.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayServices.h"
#include "framework/graphics/LineSteps.h"
#include "framework/graphics/SurfacePixels.h"

#include <algorithm>

namespace Quib
{

using namespace SurfacePixels;

namespace
{

// Runs draw(target) between the lock and the unlock of the image's surface.
template <typename Draw> void OnSurface(DDImage& image, Draw draw)
{
    if (image.mNoSoftwareDraw || image.GetSurface() == nullptr || !image.LockSurface())
        return;
    Target t;
    if (MakeTarget(image, t))
        draw(t);
    image.UnlockSurface();
}

// Writes shade(old pixel) at (x, y) when the pixel lies inside the image.
template <typename Shade> auto Plotter(const Target& t, int32_t width, int32_t height, Shade shade)
{
    return [&t, width, height, shade](int32_t x, int32_t y)
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        uint8_t* row = t.Row(y);
        Store(t, row, x, shade(Load(t, row, x)));
    };
}

} // namespace

void DDImage::DrawLineNormal(double x1, double y1, double x2, double y2, const Color& color)
{
    OnSurface(*this,
              [&](const Target& t)
              {
                  const Paint paint(color);
                  const uint32_t a = paint.a;
                  uint32_t value = 0;
                  for (int i = 0; i < 3; ++i)
                  {
                      const uint32_t m = t.channel[i].mask;
                      const uint32_t c = a == 255 ? paint.Channel(i) : (paint.Channel(i) * a + 128) >> 8;
                      value |= ((c * m + m / 2) >> 8) & m;
                  }
                  if (a == 255)
                  {
                      LineSteps::Plain(x1, y1, x2, y2, true,
                                       Plotter(t, mWidth, mHeight, [value](uint32_t) { return value; }));
                      return;
                  }
                  LineSteps::Plain(x1, y1, x2, y2, true,
                                   Plotter(t, mWidth, mHeight,
                                           [&t, a, value](uint32_t d)
                                           {
                                               uint32_t out = value;
                                               for (const Channel& c : t.channel)
                                                   out += (((d & c.mask) * (256 - a) + c.mask / 2) >> 8) &
                                                          c.mask;
                                               return out;
                                           }));
              });
}

void DDImage::DrawLineAdditive(double x1, double y1, double x2, double y2, const Color& color)
{
    OnSurface(*this,
              [&](const Target& t)
              {
                  if (!HasTables(t))
                      return;
                  const Paint paint(color);
                  uint32_t add[3];
                  for (int i = 0; i < 3; ++i)
                      add[i] = paint.f[i] >> std::clamp(8 - t.channel[i].bits, 0, 8);
                  // 16-bit surfaces step as the normal line does, 32-bit ones as the
                  // memory image's additive line.
                  LineSteps::Plain(
                      x1, y1, x2, y2, t.bitCount == 16,
                      Plotter(t, mWidth, mHeight, [&t, &add](uint32_t d) { return AddChannels(t, d, add); }));
              });
}

void DDImage::DrawAntialiasedLineNormal(double x1, double y1, double x2, double y2, const Color& color)
{
    OnSurface(
        *this,
        [&](const Target& t)
        {
            const Paint paint(color);
            uint32_t value = 0;
            for (int i = 0; i < 3; ++i)
                value |= (paint.Channel(i) * t.channel[i].mask >> 8) & t.channel[i].mask;
            const bool packed = t.packing == Packing::P565 || t.packing == Packing::P555;
            const uint32_t spreadMask = t.SpreadMask();
            const uint32_t spreadValue = Spread(value, spreadMask);
            const auto blend = [&](uint32_t d, uint32_t a)
            {
                if (packed)
                    return Fold((Spread(d, spreadMask) * ((256 - a) >> 3) + spreadValue * (a >> 3)) >> 5 &
                                spreadMask);
                uint32_t out = 0;
                for (const Channel& c : t.channel)
                    out |= (((d & c.mask) * (256 - a) + (value & c.mask) * a) >> 8) & c.mask;
                return out;
            };
            LineSteps::Antialiased(x1, y1, x2, y2, mWidth, mHeight,
                                   [&](int32_t x, int32_t y, int64_t coverage)
                                   {
                                       if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
                                           return;
                                       const uint32_t v = uint32_t(std::clamp<int64_t>(coverage, 0, 255));
                                       const uint32_t a = paint.a == 255 ? v : ((paint.a + 1) * v) >> 8;
                                       uint8_t* row = t.Row(y);
                                       Store(t, row, x, blend(Load(t, row, x), a));
                                   });
        });
}

void DDImage::DrawAntialiasedLineAdditive(double, double, double, double, const Color&) {}

} // namespace Quib
