#pragma once

#include "framework/foundation/Color.h"
#include "framework/widgets/EdgeInsets.h"
#include "framework/widgets/WidgetContainer.h"

#include <string>
#include <vector>

namespace Quib
{

class Image;

// The base of every control and screen: visibility, enabled state, focus,
// press and hover flags, a colour table by role and hit-test insets, and one
// virtual operation per input event, all doing nothing by default.
class Widget : public WidgetContainer
{
public:
    Widget() = default;
    // A widget still in a tree takes itself out first, so the manager keeps no
    // reference to it.
    ~Widget() override;

    void Update() override;

    virtual void OnZOrderChanged();
    virtual void SetVisible(bool visible);
    virtual void SetColorsRGBA(const int (*rows)[4], int count);
    virtual void SetColorsRGB(const int (*rows)[3], int count);
    virtual void SetColor(int index, const Color& color);
    virtual Color GetColorOr(int index, const Color& fallback) const;
    virtual Color GetColor(int index) const;
    virtual void SetDisabled(bool disabled);
    virtual void ShowHandCursor(bool show);
    virtual void ResizeToRect(const Rect& rect);
    virtual void Resize(int x, int y, int width, int height);
    virtual void Move(int x, int y);
    virtual bool AcceptsFocus();
    virtual void DrawOverlayAtPriority(Graphics* g, int priority);
    virtual void DrawOverlay(Graphics* g);
    virtual void OnFocusGained();
    virtual void OnFocusLost();
    virtual void OnChar(char character);
    virtual void OnKeyDown(int key);
    virtual void OnKeyUp(int key);
    virtual void OnMouseEnter();
    virtual void OnMouseLeave();
    virtual void OnMouseMove(int x, int y);
    // Buttons: 0 left, 1 right, 2 middle.
    virtual void OnMouseButtonDown(int x, int y, int button, int clickCount);
    virtual void OnMouseDown(int x, int y, int clickCode);
    virtual void OnMouseButtonUp(int x, int y, int button, int clickCount);
    virtual void OnMouseUp(int x, int y, int clickCode);
    virtual void OnMouseReleased(int x, int y);
    virtual void OnMouseDrag(int x, int y);
    virtual void OnMouseWheel(int steps);
    virtual bool IsOpaqueAt(int x, int y);
    virtual Rect DrawCenteredTextShadowed(Graphics* g, int baselineY, const std::string& text,
                                          const Color& color, const Color& shadowColor, int shadowX,
                                          int shadowY);
    virtual Rect DrawCenteredText(Graphics* g, int baselineY, const std::string& text);
    virtual int DrawColoredText(Graphics* g, const std::string& text, int x, int y, int justifyWidth,
                                int justification);
    virtual int DrawWrappedText(Graphics* g, const std::string& text, const Rect& rect, int lineSpacing,
                                int justification);
    virtual int MeasureWrappedText(Graphics* g, int width, const std::string& text, int lineSpacing);
    virtual int CountDigits(int n);
    virtual void DrawNumberFromDigitStrip(Graphics* g, int n, int x, int y, Image* strip, int spacing);
    virtual bool ContainsPoint(int x, int y) const;
    virtual Rect GetInnerRect() const;

    void DetachFromManager();
    void RequestOverlayDraw(int priority);

    bool mVisible = true;
    bool mMouseVisible = true;
    bool mDisabled = false;
    bool mHasFocus = false;
    bool mIsDown = false;
    bool mIsOver = false;
    bool mHasTransparencies = false;
    std::vector<Color> mColors;
    EdgeInsets mInsets;
    bool mDoHandCursor = false;
    bool mAcceptsFocus = false;
    Widget* mTabPrev = nullptr;
    Widget* mTabNext = nullptr;
};

} // namespace Quib
