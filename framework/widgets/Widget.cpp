#include "framework/widgets/Widget.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/VirtualKeys.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace Quib
{

Widget::~Widget()
{
    if (mParent != nullptr)
        mParent->RemoveChild(this);
}

void Widget::Update()
{
    ++mUpdateCount;
}

void Widget::OnZOrderChanged() {}

void Widget::SetVisible(bool visible)
{
    if (mVisible == visible)
        return;
    mVisible = visible;
    if (visible)
        MarkDirty();
    else
        MarkAreaDirty();
    if (mWidgetManager != nullptr)
        mWidgetManager->RecheckMouseOver();
}

void Widget::SetColorsRGBA(const int (*rows)[4], int count)
{
    mColors.clear();
    for (int i = 0; i < count; ++i)
        SetColor(i, Color(rows[i][0], rows[i][1], rows[i][2], rows[i][3]));
    MarkDirty();
}

void Widget::SetColorsRGB(const int (*rows)[3], int count)
{
    mColors.clear();
    for (int i = 0; i < count; ++i)
        SetColor(i, Color(rows[i][0], rows[i][1], rows[i][2], 255));
    MarkDirty();
}

void Widget::SetColor(int index, const Color& color)
{
    if (index < 0)
        return;
    if (size_t(index) >= mColors.size())
        mColors.resize(size_t(index) + 1, Color(0, 0, 0, 255));
    mColors[size_t(index)] = color;
    MarkDirty();
}

Color Widget::GetColorOr(int index, const Color& fallback) const
{
    if (index < 0 || size_t(index) >= mColors.size())
        return fallback;
    return mColors[size_t(index)];
}

Color Widget::GetColor(int index) const
{
    return GetColorOr(index, Color(0, 0, 0, 255));
}

void Widget::SetDisabled(bool disabled)
{
    if (mDisabled == disabled)
        return;
    mDisabled = disabled;
    if (disabled && mWidgetManager != nullptr)
        mWidgetManager->ForgetWidget(this);
    MarkDirty();
    if (!disabled && mWidgetManager != nullptr &&
        ContainsPoint(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY))
        mWidgetManager->TrackMousePosition(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY);
}

void Widget::ShowHandCursor(bool show)
{
    if (mWidgetManager != nullptr && mWidgetManager->mApp != nullptr)
        mWidgetManager->mApp->SelectCursor(show ? CURSOR_HAND : CURSOR_ARROW);
}

void Widget::ResizeToRect(const Rect& rect)
{
    Resize(rect.mX, rect.mY, rect.mWidth, rect.mHeight);
}

void Widget::Resize(int x, int y, int width, int height)
{
    if (x == mX && y == mY && width == mWidth && height == mHeight)
        return;
    MarkAreaDirty();
    mX = x;
    mY = y;
    mWidth = width;
    mHeight = height;
    MarkDirty();
    if (mWidgetManager != nullptr)
        mWidgetManager->RecheckMouseOver();
}

void Widget::Move(int x, int y)
{
    Resize(x, y, mWidth, mHeight);
}

bool Widget::AcceptsFocus()
{
    return mAcceptsFocus;
}

void Widget::DrawOverlayAtPriority(Graphics* g, int)
{
    DrawOverlay(g);
}

void Widget::DrawOverlay(Graphics*) {}

void Widget::OnFocusGained()
{
    mHasFocus = true;
}

void Widget::OnFocusLost()
{
    mHasFocus = false;
}

void Widget::OnChar(char) {}

void Widget::OnKeyDown(int key)
{
    if (key != int(platform::VK_TAB) || mWidgetManager == nullptr)
        return;
    Widget* target = mWidgetManager->IsKeyDown(int(platform::VK_SHIFT)) ? mTabPrev : mTabNext;
    if (target != nullptr)
        mWidgetManager->SetFocusWidget(target);
}

void Widget::OnKeyUp(int) {}
void Widget::OnMouseEnter() {}
void Widget::OnMouseLeave() {}
void Widget::OnMouseMove(int, int) {}
void Widget::OnMouseButtonDown(int, int, int, int) {}

namespace
{

// Button 0 left, 1 right, 2 middle, and the click count, from a click code.
void SplitClickCode(int clickCode, int& button, int& count)
{
    if (clickCode == CLICK_MIDDLE)
    {
        button = 2;
        count = 1;
    }
    else if (clickCode >= 0)
    {
        button = 0;
        count = clickCode;
    }
    else
    {
        button = 1;
        count = -clickCode;
    }
}

} // namespace

void Widget::OnMouseDown(int x, int y, int clickCode)
{
    int button = 0;
    int count = 0;
    SplitClickCode(clickCode, button, count);
    OnMouseButtonDown(x, y, button, count);
}

void Widget::OnMouseButtonUp(int, int, int, int) {}

void Widget::OnMouseUp(int x, int y, int clickCode)
{
    OnMouseReleased(x, y);
    int button = 0;
    int count = 0;
    SplitClickCode(clickCode, button, count);
    OnMouseButtonUp(x, y, button, count);
}

void Widget::OnMouseReleased(int, int) {}
void Widget::OnMouseDrag(int, int) {}
void Widget::OnMouseWheel(int) {}

bool Widget::IsOpaqueAt(int, int)
{
    return true;
}

Rect Widget::DrawCenteredTextShadowed(Graphics* g, int baselineY, const std::string& text, const Color& color,
                                      const Color& shadowColor, int shadowX, int shadowY)
{
    Font* font = g->GetFont();
    if (font == nullptr)
        return Rect();
    int textWidth = font->GetStringWidth(text);
    int x = (mWidth - textWidth) / 2;
    g->SetColor(shadowColor);
    g->DrawString(text, x + shadowX, baselineY + shadowY);
    g->SetColor(color);
    g->DrawString(text, x, baselineY);
    return Rect(x + std::min(shadowX, 0), baselineY + std::min(shadowY, 0) - font->GetAscent(),
                textWidth + std::abs(shadowX), font->GetHeight() + std::abs(shadowY));
}

Rect Widget::DrawCenteredText(Graphics* g, int baselineY, const std::string& text)
{
    Font* font = g->GetFont();
    if (font == nullptr)
        return Rect();
    int textWidth = font->GetStringWidth(text);
    int x = (mWidth - textWidth) / 2;
    g->DrawString(text, x, baselineY);
    return Rect(x, baselineY - font->GetAscent(), textWidth, font->GetHeight());
}

namespace
{

class ColorCodesOn
{
public:
    explicit ColorCodesOn(Graphics* g) : mGraphics(g), mWas(g->mColorCodesEnabled)
    {
        g->mColorCodesEnabled = true;
    }
    ~ColorCodesOn() { mGraphics->mColorCodesEnabled = mWas; }
    ColorCodesOn(const ColorCodesOn&) = delete;
    ColorCodesOn& operator=(const ColorCodesOn&) = delete;

private:
    Graphics* mGraphics;
    bool mWas;
};

} // namespace

int Widget::DrawColoredText(Graphics* g, const std::string& text, int x, int y, int justifyWidth,
                            int justification)
{
    ColorCodesOn on(g);
    return g->DrawStringWithColorCodes(text, x, y, justifyWidth, justification, true, 0, -1, -1);
}

int Widget::DrawWrappedText(Graphics* g, const std::string& text, const Rect& rect, int lineSpacing,
                            int justification)
{
    ColorCodesOn on(g);
    return g->DrawStringWrapped(text, rect, lineSpacing, justification);
}

int Widget::MeasureWrappedText(Graphics* g, int width, const std::string& text, int lineSpacing)
{
    return g->MeasureWrappedHeight(width, text, lineSpacing);
}

int Widget::CountDigits(int n)
{
    int count = 1;
    long long power = 10;
    while (power <= n)
    {
        ++count;
        power *= 10;
    }
    return count;
}

void Widget::DrawNumberFromDigitStrip(Graphics* g, int n, int x, int y, Image* strip, int spacing)
{
    if (strip == nullptr)
        return;
    int cellWidth = strip->GetWidth() / 10;
    for (char c : std::to_string(n))
    {
        if (c < '0' || c > '9')
            continue;
        int digit = c - '0';
        std::unique_ptr<Graphics> cell(g->CreateCopy());
        cell->ClipRect(x, y, cellWidth, strip->GetHeight());
        cell->DrawImage(strip, x - cellWidth * digit, y);
        x += cellWidth + spacing;
    }
}

bool Widget::ContainsPoint(int x, int y) const
{
    return GetBounds().Intersects(Rect(x, y, 1, 1));
}

Rect Widget::GetInnerRect() const
{
    return Rect(mX + mInsets.mLeft, mY + mInsets.mTop, mWidth - mInsets.mLeft - mInsets.mRight,
                mHeight - mInsets.mTop - mInsets.mBottom);
}

void Widget::DetachFromManager()
{
    WidgetManager* manager = mWidgetManager;
    if (manager == nullptr)
        return;
    for (auto it = mChildren.begin(); it != mChildren.end();)
        (*it++)->DetachFromManager();
    manager->ForgetWidget(this);
    for (SavedModalState& saved : manager->mModalStack)
    {
        if (saved.mPrevBaseModal == this)
            saved.mPrevBaseModal = nullptr;
        if (saved.mPrevFocus == this)
            saved.mPrevFocus = nullptr;
    }
    OnDetached(manager);
    MarkAreaDirty();
    mWidgetManager = nullptr;
}

void Widget::RequestOverlayDraw(int priority)
{
    if (mWidgetManager != nullptr)
        mWidgetManager->QueueOverlay(this, priority);
}

} // namespace Quib
