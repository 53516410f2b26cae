#pragma once

#include "framework/foundation/Matrix3.h"
#include "framework/foundation/Transform2D.h"
#include "framework/graphics/GraphicsState.h"

#include <string>
#include <vector>

namespace Quib
{

// A 0 x 0 image whose drawing operations do nothing: the destination of a context
// made without one, so that every call on it is harmless.
extern Image gNullImage;

// The drawing context: adds its translation to the caller's coordinates, clips,
// picks the colour to pass and hands one drawing operation to the destination image.
// Integer draws are clipped here so that the blitters' common paths need no clip.
class Graphics : public GraphicsState
{
public:
    explicit Graphics(Image* destination = nullptr);
    // Copies the current state only; the copy starts with an empty stack.
    Graphics(const Graphics& other);
    Graphics& operator=(const Graphics&) = delete;
    virtual ~Graphics();

    Graphics* CreateCopy() const;

    void PushState();
    // Ignored on an empty stack.
    void PopState();

    void SetFont(Font* font) { mFont = font; }
    Font* GetFont() const { return mFont; }
    void SetColor(const Color& color) { mColor = color; }
    const Color& GetColor() const { return mColor; }
    void SetDrawMode(int32_t drawMode) { mDrawMode = drawMode; }
    int32_t GetDrawMode() const { return mDrawMode; }
    void SetTintImages(bool tint) { mTintImages = tint; }
    bool GetTintImages() const { return mTintImages; }
    void SetUnfilteredStretch(bool unfiltered) { mUnfilteredStretch = unfiltered; }
    void SetLinearFiltering(bool linear) { mLinearFiltering = linear; }

    void Translate(int dx, int dy);
    void Translate(float dx, float dy);
    // Only ever narrows the clip rectangle.
    void ClipRect(int x, int y, int width, int height);

    void FillRect(int x, int y, int width, int height);
    void FillRect(const Rect& rect);
    void DrawRect(int x, int y, int width, int height);
    void DrawLine(int x1, int y1, int x2, int y2);
    void DrawAntialiasedLine(int x1, int y1, int x2, int y2);
    // y is the baseline.
    void DrawString(const std::string& text, int x, int y);

    // Text layout on the current font: one line with inline colour codes
    // ('^RRGGBB^', '^oldclr^', '^^') and justification, and word wrapping into the
    // width of a rectangle. Justification 0 centres, 1 aligns right, anything else
    // leaves the text at x. An old colour of -1 stands for the context's colour at
    // the call. Without a font nothing is drawn and every measure is 0.

    // Draws (or with draw false only measures) length characters from index
    // (length -1: to the end) with the baseline at y; returns the width.
    int DrawStringWithColorCodes(const std::string& text, int x, int y, int justifyWidth, int justification,
                                 bool draw = true, int index = 0, int length = -1, int32_t oldColor = -1);
    // One line of wrapped text; -1 when nothing of the text remains from startIndex.
    int DrawWrappedLine(int startIndex, int count, const std::string& text, int x, int y, int width,
                        int justification, int32_t oldColor);
    // Word-wraps into rect's width, rect.x and rect.y giving the left and top of the
    // first line; a line spacing of -1 takes the font's. Returns the height from
    // rect.y to the bottom of the last line.
    int DrawStringWrapped(const std::string& text, const Rect& rect, int lineSpacing = -1,
                          int justification = -1);
    // The same with the first baseline at y and the font's line spacing.
    int DrawStringWrapped(const std::string& text, int x, int y, int width, int justification = -1);
    // The height DrawStringWrapped would return for a rectangle of that width, drawing nothing.
    int MeasureWrappedHeight(int width, const std::string& text, int lineSpacing = -1) const;

    void DrawImage(Image* image, int x, int y);
    void DrawImage(Image* image, int x, int y, const Rect& srcRect);
    void DrawImageMirrored(Image* image, int x, int y, bool mirror);
    void DrawImageMirrored(Image* image, int x, int y, const Rect& srcRect, bool mirror);
    void DrawImageMirrored(Image* image, const Rect& destRect, const Rect& srcRect, bool mirror);
    void DrawImageStretched(Image* image, const Rect& destRect, const Rect& srcRect);
    void DrawImageSubpixel(Image* image, float x, float y);
    void DrawImageSubpixel(Image* image, float x, float y, const Rect& srcRect);
    // Angle in radians; the centre is relative to the source rectangle and is not translated.
    void DrawImageRotated(Image* image, float x, float y, double angle, float centerX, float centerY,
                          const Rect* srcRect = nullptr);
    void DrawImageRotated(Image* image, int x, int y, double angle, int centerX, int centerY,
                          const Rect* srcRect = nullptr);
    void DrawImageWithMatrix(Image* image, const Matrix3& matrix, float x, float y);
    void DrawImageWithMatrix(Image* image, const Matrix3& matrix, const Rect& srcRect, float x, float y);
    // Places the image so that its centre lands on the transformed position.
    void DrawImageWithTransform(Image* image, Transform2D& transform, float x, float y);
    void DrawImageWithTransformSubpixel(Image* image, Transform2D& transform, float x, float y);
    void DrawImageWithTransform(Image* image, Transform2D& transform, float x, float y, const Rect& srcRect,
                                bool subpixel);
    // Corners drawn once, edges and centre tiled.
    void DrawNinePatch(const Rect& destRect, Image* image);
    void DrawNinePatch(const Rect& destRect, const Rect& srcRect, Image* image);
    void DrawImageCell(Image* image, int x, int y, int cellIndex);
    void DrawImageCell(Image* image, int x, int y, int row, int column);

    // Clips a line in absolute coordinates against the clip rectangle; on success the
    // end points come back top end first.
    bool ClipLine(double& x1, double& y1, double& x2, double& y2) const;

private:
    const Color& ImageColor() const { return mTintImages ? mColor : Color::White; }
    int TranslatedX(int x) const { return int(double(mTransX) + x); }
    int TranslatedY(int y) const { return int(double(mTransY) + y); }
    bool IsScaled() const { return mScaleX != 1.0f || mScaleY != 1.0f; }
    void DrawImageScaled(Image* image, int x, int y, const Rect& srcRect);
    bool DestinationDrawsThrough3D() const;
    using LineDrawer = void (Image::*)(double, double, double, double, const Color&, int32_t);
    // Translates the line, clips it and hands what is left to the destination.
    void DrawClippedLine(int x1, int y1, int x2, int y2, LineDrawer draw);

    std::vector<GraphicsState> mStateStack;
};

} // namespace Quib
