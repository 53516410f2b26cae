#include "tests/framework/widgets/WidgetTestSupport.h"

#include "framework/graphics/Graphics.h"

#include <algorithm>

namespace widgettest
{

using namespace Quib;

int FakeFont::GetCharWidth(char c)
{
    return mGlyphless.find(c) == std::string::npos ? 6 : 0;
}

int FakeFont::GetStringWidth(const std::string& text)
{
    int width = 0;
    for (char c : text)
        width += GetCharWidth(c);
    return width;
}

void FakeFont::DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                          const Rect& clipRect)
{
    for (char c : text)
    {
        Rect cell(int(g->mTransX) + x, int(g->mTransY) + y - mAscent, 5, mHeight);
        Rect clipped = cell.Intersection(clipRect);
        if (clipped.mWidth > 0 && clipped.mHeight > 0)
            g->mDestImage->FillRect(clipped, color, g->GetDrawMode());
        x += GetCharWidth(c);
    }
}

RecordingWidget::RecordingWidget(std::string name, std::vector<std::string>* log, Color color)
    : mName(std::move(name)), mLog(log), mFill(color)
{
}

void RecordingWidget::Log(const std::string& event)
{
    if (mLog != nullptr)
        mLog->push_back(mName + ":" + event);
}

void RecordingWidget::Update()
{
    Widget::Update();
    ++mUpdates;
    Log("update");
    if (mOnUpdate)
        mOnUpdate();
}

void RecordingWidget::Draw(Graphics* g)
{
    ++mDraws;
    g->SetColor(mFill);
    g->FillRect(0, 0, mWidth, mHeight);
}

void RecordingWidget::DrawOverlay(Graphics* g)
{
    Log("overlay");
    g->SetColor(mOverlayColor);
    g->FillRect(mOverlayRect);
}

void RecordingWidget::OnFocusGained()
{
    Widget::OnFocusGained();
    Log("focus");
}

void RecordingWidget::OnFocusLost()
{
    Widget::OnFocusLost();
    Log("blur");
}

void RecordingWidget::OnChar(char c)
{
    Log("char " + std::to_string(int(static_cast<unsigned char>(c))));
}

void RecordingWidget::OnKeyDown(int key)
{
    Log("keydown " + std::to_string(key));
    Widget::OnKeyDown(key);
}

void RecordingWidget::OnKeyUp(int key)
{
    Log("keyup " + std::to_string(key));
}

void RecordingWidget::OnMouseEnter()
{
    Log("enter");
}

void RecordingWidget::OnMouseLeave()
{
    Log("leave");
}

void RecordingWidget::OnMouseMove(int x, int y)
{
    Log("move " + std::to_string(x) + "," + std::to_string(y));
}

void RecordingWidget::OnMouseDown(int x, int y, int clickCode)
{
    Log("down " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(clickCode));
}

void RecordingWidget::OnMouseUp(int x, int y, int clickCode)
{
    Log("up " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(clickCode));
}

void RecordingWidget::OnMouseDrag(int x, int y)
{
    Log("drag " + std::to_string(x) + "," + std::to_string(y));
}

void RecordingWidget::OnMouseWheel(int steps)
{
    Log("wheel " + std::to_string(steps));
}

Screen::Screen()
{
    mImage.Create(100, 100);
    Clear();
    mManager.mDrawImage = &mImage;
    mManager.SetMouseMapping(Rect(0, 0, 100, 100), Rect(0, 0, 100, 100));
}

uint32_t Screen::Pixel(int x, int y)
{
    return mImage.GetBits()[y * mImage.GetWidth() + x];
}

void Screen::Clear(uint32_t argb)
{
    uint32_t* bits = mImage.GetBits();
    std::fill(bits, bits + mImage.GetWidth() * mImage.GetHeight(), argb);
    mImage.MarkBitsChanged();
}

std::string Join(const std::vector<std::string>& log)
{
    std::string out;
    for (const std::string& entry : log)
    {
        if (!out.empty())
            out += " | ";
        out += entry;
    }
    return out;
}

} // namespace widgettest
