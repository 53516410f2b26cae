#include "framework/graphics/Graphics.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/HardwareDrawTarget.h"

#include <cmath>
#include <utility>

namespace Quib
{

Image gNullImage;

Graphics::Graphics(Image* destination)
{
    mDestImage = destination != nullptr ? destination : &gNullImage;
    mClipRect = Rect(0, 0, mDestImage->GetWidth(), mDestImage->GetHeight());
}

Graphics::Graphics(const Graphics& other) : GraphicsState(other) {}

Graphics::~Graphics() = default;

Graphics* Graphics::CreateCopy() const
{
    return new Graphics(*this);
}

void Graphics::PushState()
{
    mStateStack.push_back(*this);
}

void Graphics::PopState()
{
    if (mStateStack.empty())
        return;
    static_cast<GraphicsState&>(*this) = mStateStack.back();
    mStateStack.pop_back();
}

void Graphics::Translate(int dx, int dy)
{
    Translate(float(dx), float(dy));
}

void Graphics::Translate(float dx, float dy)
{
    mTransX += dx;
    mTransY += dy;
}

void Graphics::ClipRect(int x, int y, int width, int height)
{
    mClipRect = mClipRect.Intersection(Rect(TranslatedX(x), TranslatedY(y), width, height));
}

void Graphics::FillRect(int x, int y, int width, int height)
{
    if (mColor.mAlpha == 0)
        return;
    const Rect clipped = Rect(TranslatedX(x), TranslatedY(y), width, height).Intersection(mClipRect);
    mDestImage->FillRect(clipped, mColor, mDrawMode);
}

void Graphics::FillRect(const Rect& rect)
{
    FillRect(rect.mX, rect.mY, rect.mWidth, rect.mHeight);
}

void Graphics::DrawRect(int x, int y, int width, int height)
{
    if (mColor.mAlpha == 0)
        return;
    const Rect outline(TranslatedX(x), TranslatedY(y), width + 1, height + 1);
    if (outline.Intersection(mClipRect) == outline)
    {
        mDestImage->DrawRect(Rect(outline.mX, outline.mY, width, height), mColor, mDrawMode);
        return;
    }
    FillRect(x, y, width + 1, 1);
    FillRect(x, y + height, width + 1, 1);
    FillRect(x, y + 1, 1, height - 1);
    FillRect(x + width, y + 1, 1, height - 1);
}

namespace
{

// Clips a segment to [low, low + size) along one axis (a), moving the other
// coordinate (b) with it; false when the segment lies wholly outside. The
// endpoints may come back swapped.
bool ClipLineAxis(double& a1, double& b1, double& a2, double& b2, double low, double size)
{
    if (a1 > a2)
    {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    if (a1 < low)
    {
        if (a2 < low)
            return false;
        b1 += (low - a1) * (b2 - b1) / (a2 - a1);
        a1 = low;
    }
    if (a2 >= low + size)
    {
        if (a1 >= low + size)
            return false;
        const double last = low + size - 1;
        b2 += (last - a2) * (b2 - b1) / (a2 - a1);
        a2 = last;
    }
    return true;
}

} // namespace

bool Graphics::ClipLine(double& x1, double& y1, double& x2, double& y2) const
{
    return ClipLineAxis(x1, y1, x2, y2, mClipRect.mX, mClipRect.mWidth) &&
           ClipLineAxis(y1, x1, y2, x2, mClipRect.mY, mClipRect.mHeight);
}

void Graphics::DrawClippedLine(int x1, int y1, int x2, int y2, LineDrawer draw)
{
    double ax = double(mTransX) + x1;
    double ay = double(mTransY) + y1;
    double bx = double(mTransX) + x2;
    double by = double(mTransY) + y2;
    if (ClipLine(ax, ay, bx, by))
        (mDestImage->*draw)(ax, ay, bx, by, mColor, mDrawMode);
}

void Graphics::DrawLine(int x1, int y1, int x2, int y2)
{
    DrawClippedLine(x1, y1, x2, y2, &Image::DrawLine);
}

void Graphics::DrawAntialiasedLine(int x1, int y1, int x2, int y2)
{
    DrawClippedLine(x1, y1, x2, y2, &Image::DrawAntialiasedLine);
}

void Graphics::DrawString(const std::string& text, int x, int y)
{
    // Untranslated: the font draws through this context and gets the translation here.
    if (mFont != nullptr)
        mFont->DrawString(this, x, y, text, mColor, mClipRect);
}

void Graphics::DrawImage(Image* image, int x, int y)
{
    DrawImage(image, x, y, Rect(0, 0, image->GetWidth(), image->GetHeight()));
}

void Graphics::DrawImage(Image* image, int x, int y, const Rect& srcRect)
{
    if (srcRect.Right() > image->GetWidth() || srcRect.Bottom() > image->GetHeight())
        return;
    if (IsScaled())
    {
        DrawImageScaled(image, x, y, srcRect);
        return;
    }
    const int dx = TranslatedX(x);
    const int dy = TranslatedY(y);
    const Rect visible = Rect(dx, dy, srcRect.mWidth, srcRect.mHeight).Intersection(mClipRect);
    if (visible.mWidth < 1 || visible.mHeight < 1)
        return;
    const Rect source(srcRect.mX + visible.mX - dx, srcRect.mY + visible.mY - dy, visible.mWidth,
                      visible.mHeight);
    mDestImage->Blit(image, visible.mX, visible.mY, source, ImageColor(), mDrawMode);
}

void Graphics::DrawImageScaled(Image* image, int x, int y, const Rect& srcRect)
{
    const int dx = TranslatedX(x);
    const int dy = TranslatedY(y);
    const float productX = float((dx - mScaleOrigX) * mScaleX);
    const float productY = float((dy - mScaleOrigY) * mScaleY);
    const Rect dest(int(std::floor(productX) + mScaleOrigX), int(std::floor(productY) + mScaleOrigY),
                    int(std::ceil(float(srcRect.mWidth * mScaleX))),
                    int(std::ceil(float(srcRect.mHeight * mScaleY))));
    mDestImage->BlitStretched(image, dest, srcRect, mClipRect, ImageColor(), mDrawMode, mUnfilteredStretch);
}

void Graphics::DrawImageMirrored(Image* image, int x, int y, bool mirror)
{
    DrawImageMirrored(image, x, y, Rect(0, 0, image->GetWidth(), image->GetHeight()), mirror);
}

void Graphics::DrawImageMirrored(Image* image, int x, int y, const Rect& srcRect, bool mirror)
{
    if (!mirror)
    {
        DrawImage(image, x, y, srcRect);
        return;
    }
    if (srcRect.Right() > image->GetWidth() || srcRect.Bottom() > image->GetHeight())
        return;
    const int dx = TranslatedX(x);
    const int dy = TranslatedY(y);
    const Rect visible = Rect(dx, dy, srcRect.mWidth, srcRect.mHeight).Intersection(mClipRect);
    if (visible.mWidth < 1 || visible.mHeight < 1)
        return;
    // Columns cut at the left of the screen come off the right of the source.
    const Rect source(srcRect.mX + srcRect.mWidth - (visible.mX - dx) - visible.mWidth,
                      srcRect.mY + visible.mY - dy, visible.mWidth, visible.mHeight);
    mDestImage->BlitMirrored(image, visible.mX, visible.mY, source, ImageColor(), mDrawMode);
}

void Graphics::DrawImageMirrored(Image* image, const Rect& destRect, const Rect& srcRect, bool mirror)
{
    if (!mirror)
    {
        DrawImageStretched(image, destRect, srcRect);
        return;
    }
    const Rect dest(TranslatedX(destRect.mX), TranslatedY(destRect.mY), destRect.mWidth, destRect.mHeight);
    mDestImage->BlitStretchedMirrored(image, dest, srcRect, mClipRect, ImageColor(), mDrawMode,
                                      mUnfilteredStretch);
}

void Graphics::DrawImageStretched(Image* image, const Rect& destRect, const Rect& srcRect)
{
    const Rect dest(TranslatedX(destRect.mX), TranslatedY(destRect.mY), destRect.mWidth, destRect.mHeight);
    mDestImage->BlitStretched(image, dest, srcRect, mClipRect, ImageColor(), mDrawMode, mUnfilteredStretch);
}

void Graphics::DrawImageSubpixel(Image* image, float x, float y)
{
    DrawImageSubpixel(image, x, y, Rect(0, 0, image->GetWidth(), image->GetHeight()));
}

void Graphics::DrawImageSubpixel(Image* image, float x, float y, const Rect& srcRect)
{
    mDestImage->BlitSubpixel(image, x + mTransX, y + mTransY, srcRect, mClipRect, ImageColor(), mDrawMode);
}

void Graphics::DrawImageRotated(Image* image, float x, float y, double angle, float centerX, float centerY,
                                const Rect* srcRect)
{
    const Rect source = srcRect != nullptr ? *srcRect : Rect(0, 0, image->GetWidth(), image->GetHeight());
    mDestImage->BlitRotated(image, x + mTransX, y + mTransY, source, mClipRect, ImageColor(), mDrawMode,
                            angle, centerX, centerY);
}

void Graphics::DrawImageRotated(Image* image, int x, int y, double angle, int centerX, int centerY,
                                const Rect* srcRect)
{
    DrawImageRotated(image, float(x), float(y), angle, float(centerX), float(centerY), srcRect);
}

void Graphics::DrawImageWithMatrix(Image* image, const Matrix3& matrix, float x, float y)
{
    DrawImageWithMatrix(image, matrix, Rect(0, 0, image->GetWidth(), image->GetHeight()), x, y);
}

void Graphics::DrawImageWithMatrix(Image* image, const Matrix3& matrix, const Rect& srcRect, float x, float y)
{
    mDestImage->BlitTransformed(image, x + mTransX, y + mTransY, matrix, mClipRect, ImageColor(), mDrawMode,
                                srcRect, mLinearFiltering);
}

void Graphics::DrawImageWithTransform(Image* image, Transform2D& transform, float x, float y)
{
    DrawImageWithTransform(image, transform, x, y, Rect(0, 0, image->GetWidth(), image->GetHeight()), false);
}

void Graphics::DrawImageWithTransformSubpixel(Image* image, Transform2D& transform, float x, float y)
{
    DrawImageWithTransform(image, transform, x, y, Rect(0, 0, image->GetWidth(), image->GetHeight()), true);
}

bool Graphics::DestinationDrawsThrough3D() const
{
    const auto* target = dynamic_cast<const HardwareDrawTarget*>(mDestImage);
    return target != nullptr && target->IsDrawnThrough3D();
}

void Graphics::DrawImageWithTransform(Image* image, Transform2D& transform, float x, float y,
                                      const Rect& srcRect, bool subpixel)
{
    const float halfW = float(srcRect.mWidth * 0.5);
    const float halfH = float(srcRect.mHeight * 0.5);
    const Transform2D& t = transform;

    if (t.mComposite || (subpixel && DestinationDrawsThrough3D()))
    {
        DrawImageWithMatrix(image, transform.GetMatrix(), srcRect, x, y);
        return;
    }
    if (t.mRotationPending)
    {
        const float cx = halfW - t.mTranslateX1;
        const float cy = halfH - t.mTranslateY1;
        const float px = x + t.mTranslateX2 - cx + 0.5f;
        const float py = y + t.mTranslateY2 - cy + 0.5f;
        if (subpixel)
            DrawImageRotated(image, px, py, double(t.mAngle), cx, cy, &srcRect);
        else
            DrawImageRotated(image, int(px), int(py), double(t.mAngle), int(cx), int(cy), &srcRect);
        return;
    }
    if (t.mScalePending)
    {
        if (t.mScaleX == -1.0f && t.mScaleY == 1.0f)
        {
            DrawImageMirrored(image, int(t.mTranslateX1 + x + t.mTranslateX2 - halfW + 0.5f),
                              int(t.mTranslateY1 + y + t.mTranslateY2 - halfH + 0.5f), srcRect, true);
            return;
        }
        const float sw = float(t.mScaleX * halfW);
        const float sh = float(t.mScaleY * halfH);
        const Rect dest(int(float(x + t.mTranslateX2 - sw)), int(float(y + t.mTranslateY2 - sh)), int(2 * sw),
                        int(2 * sh));
        DrawImageMirrored(image, dest, srcRect, t.mScaleX == -1.0f);
        return;
    }
    const float px = t.mTranslateX1 + x + t.mTranslateX2 - halfW + 0.5f;
    const float py = t.mTranslateY1 + y + t.mTranslateY2 - halfH + 0.5f;
    if (subpixel)
        DrawImageSubpixel(image, px, py, srcRect);
    else
        DrawImage(image, int(px), int(py), srcRect);
}

void Graphics::DrawNinePatch(const Rect& destRect, Image* image)
{
    DrawNinePatch(destRect, Rect(0, 0, image->GetWidth(), image->GetHeight()), image);
}

void Graphics::DrawNinePatch(const Rect& destRect, const Rect& srcRect, Image* image)
{
    const Rect& d = destRect;
    const Rect& s = srcRect;
    if (s.mWidth <= 0 || s.mHeight <= 0)
        return;
    const int cw = s.mWidth / 3;
    const int ch = s.mHeight / 3;
    const int mw = s.mWidth - 2 * cw;
    const int mh = s.mHeight - 2 * ch;
    const int columns = (d.mWidth - 2 * cw + mw - 1) / mw;
    const int rows = (d.mHeight - 2 * ch + mh - 1) / mh;
    const int right = d.mX + d.mWidth - cw;
    const int bottom = d.mY + d.mHeight - ch;

    DrawImage(image, d.mX, d.mY, Rect(s.mX, s.mY, cw, ch));
    DrawImage(image, right, d.mY, Rect(s.mX + cw + mw, s.mY, cw, ch));
    DrawImage(image, d.mX, bottom, Rect(s.mX, s.mY + ch + mh, cw, ch));
    DrawImage(image, right, bottom, Rect(s.mX + cw + mw, s.mY + ch + mh, cw, ch));

    Graphics horizontal(*this);
    horizontal.ClipRect(d.mX + cw, d.mY, d.mWidth - 2 * cw, d.mHeight);
    for (int i = 0; i < columns; ++i)
    {
        horizontal.DrawImage(image, d.mX + cw + i * mw, d.mY, Rect(s.mX + cw, s.mY, mw, ch));
        horizontal.DrawImage(image, d.mX + cw + i * mw, bottom, Rect(s.mX + cw, s.mY + ch + mh, mw, ch));
    }

    Graphics vertical(*this);
    vertical.ClipRect(d.mX, d.mY + ch, d.mWidth, d.mHeight - 2 * ch);
    for (int j = 0; j < rows; ++j)
    {
        vertical.DrawImage(image, d.mX, d.mY + ch + j * mh, Rect(s.mX, s.mY + ch, cw, mh));
        vertical.DrawImage(image, right, d.mY + ch + j * mh, Rect(s.mX + cw + mw, s.mY + ch, cw, mh));
    }

    Graphics centre(*this);
    centre.ClipRect(d.mX + cw, d.mY + ch, d.mWidth - 2 * cw, d.mHeight - 2 * ch);
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < rows; ++j)
            centre.DrawImage(image, d.mX + cw + i * mw, d.mY + ch + j * mh,
                             Rect(s.mX + cw, s.mY + ch, mw, mh));
}

void Graphics::DrawImageCell(Image* image, int x, int y, int cellIndex)
{
    const int columns = image->mColumns;
    if (columns <= 0)
        return;
    DrawImageCell(image, x, y, cellIndex / columns, cellIndex % columns);
}

void Graphics::DrawImageCell(Image* image, int x, int y, int row, int column)
{
    if (row < 0 || column < 0 || row >= image->mRows || column >= image->mColumns)
        return;
    const int cw = image->GetWidth() / image->mColumns;
    const int ch = image->GetHeight() / image->mRows;
    DrawImage(image, x, y, Rect(column * cw, row * ch, cw, ch));
}

} // namespace Quib
