#include "framework/widgets/ListWidget.h"

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ListListener.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace Quib
{

namespace
{

// Byte-wise like a zero-terminated comparison: a prefix sorts first.
int CompareBytes(const std::string& a, const std::string& b)
{
    size_t n = std::min(a.size(), b.size());
    int result = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
    if (result != 0)
        return result;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

} // namespace

ListWidget::ListWidget(Font* font, ListListener* listener) : mFont(font), mListener(listener)
{
    mItemHeight = font != nullptr ? font->GetHeight() : -1;
    static constexpr int kColors[][3] = {{255, 255, 255}, {255, 255, 255}, {0, 0, 0},
                                         {0, 192, 0},     {0, 0, 128},     {255, 255, 255}};
    SetColorsRGB(kColors, 6);
}

std::vector<ListWidget*> ListWidget::Chain()
{
    ListWidget* top = this;
    // A chain that loops back on itself is walked once.
    std::vector<ListWidget*> seen{top};
    while (top->mParentList != nullptr && std::find(seen.begin(), seen.end(), top->mParentList) == seen.end())
    {
        top = top->mParentList;
        seen.push_back(top);
    }
    std::vector<ListWidget*> chain;
    for (ListWidget* list = top;
         list != nullptr && std::find(chain.begin(), chain.end(), list) == chain.end();
         list = list->mChildList)
        chain.push_back(list);
    return chain;
}

int ListWidget::LineHeight() const
{
    if (mItemHeight != -1)
        return mItemHeight;
    return mFont != nullptr ? mFont->GetHeight() : 0;
}

void ListWidget::SelectCursor(int cursor)
{
    if (mWidgetManager != nullptr && mWidgetManager->mApp != nullptr)
        mWidgetManager->mApp->SelectCursor(cursor);
}

int ListWidget::AddLine(const std::string& text, bool sorted)
{
    int index = int(mLines.size());
    if (sorted)
    {
        for (size_t i = 0; i < mLines.size(); ++i)
        {
            if (CompareBytes(mLines[i], text) > 0)
            {
                index = int(i);
                break;
            }
        }
    }
    Color color = GetColor(COLOR_TEXT);
    for (ListWidget* list : Chain())
    {
        size_t at = std::min(size_t(index), list->mLines.size());
        list->mLines.insert(list->mLines.begin() + long(at), list == this ? text : std::string("-"));
        list->mLineColors.insert(list->mLineColors.begin() + long(std::min(at, list->mLineColors.size())),
                                 color);
        list->MarkDirty();
    }
    if (mScrollbar != nullptr)
        mScrollbar->SetMaximum(double(mLines.size()));
    return index;
}

void ListWidget::RemoveLine(int index)
{
    if (index == -1)
        return;
    for (ListWidget* list : Chain())
    {
        if (!list->IsValidIndex(index))
            continue;
        list->mLines.erase(list->mLines.begin() + index);
        if (size_t(index) < list->mLineColors.size())
            list->mLineColors.erase(list->mLineColors.begin() + index);
        list->MarkDirty();
    }
    if (mScrollbar != nullptr)
        mScrollbar->SetMaximum(double(mLines.size()));
}

void ListWidget::RemoveAllLines()
{
    for (ListWidget* list : Chain())
    {
        list->mLines.clear();
        list->mLineColors.clear();
        list->mHiliteIdx = -1;
        list->mSelectIdx = -1;
        list->MarkDirty();
    }
    if (mScrollbar != nullptr)
        mScrollbar->SetMaximum(0);
}

std::string ListWidget::GetLineText(int index) const
{
    return IsValidIndex(index) ? mLines[size_t(index)] : std::string();
}

void ListWidget::SetLineText(int index, const std::string& text)
{
    if (!IsValidIndex(index))
        return;
    mLines[size_t(index)] = text;
    MarkDirty();
}

int ListWidget::GetLineCount() const
{
    return int(mLines.size());
}

int ListWidget::FindLine(const std::string& text) const
{
    auto it = std::find(mLines.begin(), mLines.end(), text);
    return it == mLines.end() ? -1 : int(it - mLines.begin());
}

void ListWidget::SetLineColor(int index, const Color& color)
{
    if (!IsValidIndex(index))
        return;
    for (ListWidget* list : Chain())
    {
        if (size_t(index) < list->mLineColors.size())
            list->mLineColors[size_t(index)] = color;
        list->MarkDirty();
    }
}

void ListWidget::SetLineColorByText(const std::string& text, const Color& color)
{
    SetLineColor(FindLine(text), color);
}

int ListWidget::GetOptimalWidth() const
{
    int widest = 0;
    if (mFont != nullptr)
        for (const std::string& line : mLines)
            widest = std::max(widest, mFont->GetStringWidth(line));
    return widest + 16;
}

int ListWidget::GetOptimalHeight() const
{
    return LineHeight() * int(mLines.size()) + 8;
}

void ListWidget::SetSelection(int index)
{
    for (ListWidget* list : Chain())
    {
        list->mSelectIdx = index;
        list->MarkDirty();
    }
}

void ListWidget::Resize(int x, int y, int width, int height)
{
    Widget::Resize(x, y, width, height);
    int lineHeight = LineHeight();
    mPageSize = (lineHeight > 0 && lineHeight + 8 < height) ? double(height - 8) / lineHeight : 1.0;
    if (mScrollbar != nullptr)
        mScrollbar->SetPageSize(mPageSize);
}

void ListWidget::OnScroll(int id, double position)
{
    if (mChildList != nullptr)
        mChildList->OnScroll(id, position);
    mPosition = position;
    MarkDirty();
}

void ListWidget::OnZOrderChanged()
{
    if (mWidgetManager == nullptr)
        return;
    if (mChildList != nullptr)
        mWidgetManager->MoveInFront(mChildList, this);
    if (mScrollbar != nullptr)
        mWidgetManager->MoveInFront(mScrollbar, this);
}

void ListWidget::OnDetached(WidgetManager* manager)
{
    Widget::OnDetached(manager);
    if (mListener != nullptr)
        mListener->OnListClosed(mId);
}

std::string ListWidget::GetSortKey(int index) const
{
    std::string key = GetLineText(index);
    if (int(key.size()) < mMaxNumericPlaces)
        key.insert(0, size_t(mMaxNumericPlaces) - key.size(), '0');
    if (mChildList != nullptr)
    {
        std::string childKey = mChildList->GetSortKey(index);
        key = mSortFromChild ? childKey + key : key + childKey;
    }
    return key;
}

void ListWidget::SortLines(bool ascending)
{
    const int n = int(mLines.size());
    std::vector<std::string> keys;
    keys.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        keys.push_back(GetSortKey(i));
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    // A stable exchange sort, so that equal keys keep their order.
    for (int pass = n - 1; pass >= 1; --pass)
    {
        for (int i = 0; i < pass; ++i)
        {
            int cmp = CompareBytes(keys[size_t(i)], keys[size_t(i) + 1]);
            if (ascending ? cmp > 0 : cmp < 0)
            {
                std::swap(keys[size_t(i)], keys[size_t(i) + 1]);
                std::swap(order[size_t(i)], order[size_t(i) + 1]);
            }
        }
    }
    for (ListWidget* list : Chain())
    {
        if (list->mLines.size() != size_t(n) || list->mLineColors.size() != size_t(n))
            continue;
        std::vector<std::string> lines;
        std::vector<Color> colors;
        for (int from : order)
        {
            lines.push_back(list->mLines[size_t(from)]);
            colors.push_back(list->mLineColors[size_t(from)]);
        }
        list->mLines = std::move(lines);
        list->mLineColors = std::move(colors);
        list->MarkDirty();
    }
}

void ListWidget::SetHilite(int index)
{
    for (ListWidget* list : Chain())
    {
        int old = list->mHiliteIdx;
        list->mHiliteIdx = index;
        if (old != index && list->mListener != nullptr)
            list->mListener->OnListHighlightChanged(list->mId, old, index);
        list->MarkDirty();
    }
}

void ListWidget::OnMouseMove(int, int y)
{
    int lineHeight = LineHeight();
    int line = -1;
    if (lineHeight > 0)
    {
        // Truncated toward zero, so the margin above the first line still belongs to it.
        line = int(double(y - 4) / lineHeight + mPosition);
        if (line < 0 || line >= int(mLines.size()))
            line = -1;
    }
    if (line == mHiliteIdx)
        return;
    SetHilite(line);
    SelectCursor(mHiliteIdx != -1 && mDoFingerWhenHilited ? CURSOR_HAND : CURSOR_ARROW);
}

void ListWidget::OnMouseButtonDown(int, int, int, int clickCount)
{
    if (mHiliteIdx != -1 && mListener != nullptr)
        mListener->OnListClick(mId, mHiliteIdx, clickCount);
}

void ListWidget::OnMouseLeave()
{
    SetHilite(-1);
    SelectCursor(CURSOR_ARROW);
}

void ListWidget::OnMouseWheel(int steps)
{
    if (mScrollbar == nullptr || steps == 0)
        return;
    mScrollbar->SetValue(steps > 0 ? mScrollbar->mValue - 5 : mScrollbar->mValue + 5);
}

void ListWidget::Draw(Graphics* g)
{
    const int w = mWidth;
    const int h = mHeight;
    g->SetColor(GetColor(COLOR_BKG));
    g->FillRect(0, 0, w, h);

    int lineHeight = mItemHeight;
    int offset = 0;
    if (mFont != nullptr)
    {
        if (lineHeight == -1)
            lineHeight = mFont->GetHeight();
        else
            offset = (lineHeight - mFont->GetHeight()) / 2;
    }
    Graphics text(*g);
    text.ClipRect(4, 4, w - 8, h - 8);
    text.SetFont(mFont);
    Graphics bars(*g);
    bars.ClipRect(0, 4, w, h - 8);

    const int count = int(mLines.size());
    const int first = std::max(0, int(mPosition));
    const int last = std::min(first + int(mPageSize) + 1, count - 1);
    for (int i = first; i <= last && mFont != nullptr; ++i)
    {
        int top = int((i - mPosition) * lineHeight) + 4;
        if (i == mSelectIdx || (i == mHiliteIdx && mDrawSelectWhenHilited))
        {
            bars.SetColor(GetColor(COLOR_SELECT));
            bars.FillRect(0, top, w, lineHeight);
        }
        if (i == mHiliteIdx)
            text.SetColor(GetColor(COLOR_HILITE));
        else if (i == mSelectIdx && mColors.size() > COLOR_SELECT_TEXT)
            text.SetColor(GetColor(COLOR_SELECT_TEXT));
        else
            text.SetColor(size_t(i) < mLineColors.size() ? mLineColors[size_t(i)] : GetColor(COLOR_TEXT));
        const std::string& line = mLines[size_t(i)];
        int x = 4;
        if (mJustify == 1)
            x = (w - mFont->GetStringWidth(line)) / 2;
        else if (mJustify != 0)
            x = w - mFont->GetStringWidth(line) - 4;
        text.DrawString(line, x, top + offset + mFont->GetAscent());
    }
    if (mDrawOutline)
    {
        g->SetColor(GetColor(COLOR_OUTLINE));
        g->DrawRect(0, 0, w - 1, h - 1);
    }
}

} // namespace Quib
