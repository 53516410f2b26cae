#include "framework/widgets/EditWidget.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ControlFont.h"
#include "framework/widgets/EditListener.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/VirtualKeys.h"

#include <algorithm>
#include <utility>

namespace Quib
{

namespace
{

constexpr int kKeyShift = int(platform::VK_SHIFT);
constexpr int kKeyControl = int(platform::VK_CONTROL);

int ClampInt(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

} // namespace

EditWidget::EditWidget(int id, EditListener* listener) : mId(id), mEditListener(listener)
{
    static constexpr int kColors[][3] = {{255, 255, 255}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}};
    SetColorsRGB(kColors, 5);
}

Font* EditWidget::EnsureFont()
{
    if (mFont == nullptr)
        mFont = MakeControlFont(10, 0);
    return mFont.get();
}

bool EditWidget::IsKeyHeld(int key) const
{
    return mWidgetManager != nullptr && mWidgetManager->IsKeyDown(key);
}

void EditWidget::SelectCursor(int cursor)
{
    if (mWidgetManager != nullptr && mWidgetManager->mApp != nullptr)
        mWidgetManager->mApp->SelectCursor(cursor);
}

void EditWidget::MarkDirty()
{
    if (GetColor(COLOR_BKG).GetAlpha() == 255)
        Widget::MarkDirty();
    else
        MarkAreaDirty();
}

void EditWidget::SetText(const std::string& text, bool leftPosToZero)
{
    mString = text;
    mCursorPos = int(mString.size());
    mHilitePos = 0;
    if (leftPosToZero)
        mLeftPos = 0;
    else
        ScrollToCursor(true);
    MarkDirty();
}

void EditWidget::SetFont(Font* font, Font* widthFont)
{
    mFont.reset(font != nullptr ? font->Clone() : nullptr);
    ClearWidthFonts();
    if (widthFont != nullptr)
        AddWidthFont(widthFont, -1);
}

void EditWidget::ClearWidthFonts()
{
    mWidthCheckList.clear();
}

void EditWidget::AddWidthFont(Font* font, int width)
{
    if (font != nullptr)
        mWidthCheckList.push_back({std::unique_ptr<Font>(font->Clone()), width});
}

const std::string& EditWidget::GetDisplayText()
{
    if (mPasswordChar == 0)
        return mString;
    if (mPasswordDisplayString.size() != mString.size())
        mPasswordDisplayString.assign(mString.size(), mPasswordChar);
    return mPasswordDisplayString;
}

void EditWidget::Resize(int x, int y, int width, int height)
{
    Widget::Resize(x, y, width, height);
    ScrollToCursor(false);
}

bool EditWidget::AcceptsFocus()
{
    return true;
}

void EditWidget::PlaceSystemCaret()
{
    if (mWidgetManager == nullptr || mWidgetManager->mApp == nullptr)
        return;
    WidgetHost* app = mWidgetManager->mApp;
    WidgetPoint at = GetAbsolutePosition();
    app->SetSystemCaretPos(ClampInt(at.mX, 10, app->GetScreenWidth() - 10),
                           ClampInt(at.mY, 10, app->GetScreenHeight() - 10));
}

void EditWidget::OnFocusGained()
{
    Widget::OnFocusGained();
    if (mWidgetManager != nullptr && mWidgetManager->mApp != nullptr &&
        mWidgetManager->mApp->UsesSystemCaret())
    {
        PlaceSystemCaret();
        mWidgetManager->mApp->ShowSystemCaret();
    }
    mShowingCursor = true;
    mBlinkAcc = 0;
    MarkDirty();
}

void EditWidget::OnFocusLost()
{
    Widget::OnFocusLost();
    if (mWidgetManager != nullptr && mWidgetManager->mApp != nullptr &&
        mWidgetManager->mApp->UsesSystemCaret())
        mWidgetManager->mApp->HideSystemCaret();
    mShowingCursor = false;
    MarkDirty();
}

void EditWidget::Update()
{
    Widget::Update();
    if (!mHasFocus)
        return;
    if (mWidgetManager != nullptr && mWidgetManager->mApp != nullptr &&
        mWidgetManager->mApp->UsesSystemCaret())
        PlaceSystemCaret();
    if (++mBlinkAcc > mBlinkDelay)
    {
        MarkDirty();
        mBlinkAcc = 0;
        mShowingCursor = !mShowingCursor;
    }
}

void EditWidget::OnKeyDown(int key)
{
    // Letter keys arrive again as characters; Z stays so that a listener can
    // see the undo key.
    bool letter = key >= 'A' && key <= 'Y';
    if (!letter && (mEditListener == nullptr || mEditListener->AcceptsKey(mId, key)))
        ProcessInput(key, 0);
    Widget::OnKeyDown(key);
}

void EditWidget::OnChar(char character)
{
    ProcessInput(0, character);
}

void EditWidget::OnMouseEnter()
{
    SelectCursor(CURSOR_TEXT);
}

void EditWidget::OnMouseLeave()
{
    SelectCursor(CURSOR_ARROW);
}

void EditWidget::OnMouseButtonDown(int x, int y, int, int clickCount)
{
    mHilitePos = -1;
    mCursorPos = GetCharIndexAt(x, y);
    if (clickCount > 1)
    {
        mHadDoubleClick = true;
        SelectWordAtCursor();
    }
    MarkDirty();
    ScrollToCursor(false);
}

void EditWidget::OnMouseButtonUp(int x, int y, int, int)
{
    if (mHilitePos == mCursorPos)
        mHilitePos = -1;
    if (mHadDoubleClick)
    {
        mHilitePos = -1;
        mCursorPos = GetCharIndexAt(x, y);
        mHadDoubleClick = false;
        SelectWordAtCursor();
    }
    MarkDirty();
}

void EditWidget::OnMouseDrag(int x, int y)
{
    if (mHilitePos == -1)
        mHilitePos = mCursorPos;
    mCursorPos = GetCharIndexAt(x, y);
    MarkDirty();
    ScrollToCursor(false);
}

int EditWidget::VisibleWidth(int index)
{
    const std::string& display = GetDisplayText();
    int from = ClampInt(mLeftPos, 0, int(display.size()));
    int to = ClampInt(index, from, int(display.size()));
    return EnsureFont()->GetStringWidth(display.substr(size_t(from), size_t(to - from)));
}

int EditWidget::GetCharIndexAt(int x, int)
{
    const std::string& display = GetDisplayText();
    int result = 0;
    for (int i = std::max(mLeftPos, 0); i < int(display.size()); ++i)
    {
        int before = VisibleWidth(i);
        int through = VisibleWidth(i + 1);
        if (x >= (before + through) / 2 + 5)
            result = i + 1;
    }
    return result;
}

bool EditWidget::IsWordChar(char c) const
{
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_' || u >= 192;
}

void EditWidget::SelectWordAtCursor()
{
    const std::string& display = GetDisplayText();
    const int length = int(display.size());
    if (mCursorPos >= length)
        return;
    mCursorPos = std::max(mCursorPos, 0);
    mHilitePos = mCursorPos;
    while (mHilitePos > 0 && IsWordChar(display[size_t(mHilitePos) - 1]))
        --mHilitePos;
    while (mCursorPos < length - 1 && IsWordChar(display[size_t(mCursorPos) + 1]))
        ++mCursorPos;
    if (mCursorPos < length)
        ++mCursorPos;
}

void EditWidget::ScrollToCursor(bool big)
{
    const int step = big ? 10 : 1;
    while (mCursorPos < mLeftPos)
    {
        mLeftPos = std::max(mLeftPos - step, 0);
        MarkDirty();
    }
    if (mFont == nullptr || mWidth < 9)
        return;
    const int length = int(GetDisplayText().size());
    // Stops once the first visible character can go no further, so a text wider
    // than the field never loops.
    while (mLeftPos < mCursorPos && VisibleWidth(mCursorPos) >= mWidth - 8)
    {
        int next = std::min(mLeftPos + step, length - 1);
        if (next <= mLeftPos)
            break;
        mLeftPos = next;
        MarkDirty();
    }
}

void EditWidget::EnforceMaxPixels()
{
    if (mMaxPixels <= 0 && mWidthCheckList.empty())
        return;
    if (mWidthCheckList.empty())
    {
        Font* font = EnsureFont();
        while (!mString.empty() && font->GetStringWidth(mString) > mMaxPixels)
            mString.pop_back();
        return;
    }
    for (WidthFont& entry : mWidthCheckList)
    {
        int limit = entry.mWidth > 0 ? entry.mWidth : mMaxPixels;
        if (limit <= 0)
            continue;
        while (!mString.empty() && entry.mFont->GetStringWidth(mString) > limit)
            mString.pop_back();
    }
}

bool EditWidget::CharAllowed(char c)
{
    return EnsureFont()->GetCharWidth(c) > 0 &&
           (mEditListener == nullptr || mEditListener->AcceptsChar(mId, c));
}

void EditWidget::EraseSelection()
{
    int start = std::min(mHilitePos, mCursorPos);
    int end = std::max(mHilitePos, mCursorPos);
    start = ClampInt(start, 0, int(mString.size()));
    end = ClampInt(end, start, int(mString.size()));
    mString.erase(size_t(start), size_t(end - start));
    mCursorPos = start;
    mHilitePos = -1;
}

void EditWidget::ProcessInput(int key, char character)
{
    if (key == kKeyShift || key == kKeyControl)
        return;
    const bool shift = IsKeyHeld(kKeyShift);
    const bool ctrl = IsKeyHeld(kKeyControl);
    if (shift && mHilitePos == -1)
        mHilitePos = mCursorPos;

    const std::string oldString = mString;
    const int oldCursor = mCursorPos;
    const int oldHilite = mHilitePos;
    bool clearSelection = !shift;
    bool changed = false;
    WidgetHost* app = mWidgetManager != nullptr ? mWidgetManager->mApp : nullptr;

    switch (static_cast<unsigned char>(character))
    {
    case 3:
    case 24:
        if (HasSelection())
        {
            const std::string& display = GetDisplayText();
            int start = ClampInt(std::min(mHilitePos, mCursorPos), 0, int(display.size()));
            int end = ClampInt(std::max(mHilitePos, mCursorPos), start, int(display.size()));
            if (app != nullptr)
                app->CopyToClipboard(display.substr(size_t(start), size_t(end - start)));
            if (character == 24)
            {
                EraseSelection();
                changed = true;
            }
            else
            {
                clearSelection = false;
            }
        }
        break;
    case 22:
    {
        std::string clip = app != nullptr ? app->GetClipboardText() : std::string();
        if (clip.empty())
            break;
        std::string filtered;
        for (char c : clip)
        {
            if (c == '\r' || c == '\n')
                break;
            if (CharAllowed(c))
                filtered.push_back(c);
        }
        if (HasSelection())
            EraseSelection();
        mCursorPos = ClampInt(mCursorPos, 0, int(mString.size()));
        mString.insert(size_t(mCursorPos), filtered);
        mCursorPos += int(filtered.size());
        mHilitePos = -1;
        changed = true;
        break;
    }
    case 26:
        mLastModifyIdx = -1;
        std::swap(mString, mUndoString);
        std::swap(mCursorPos, mUndoCursor);
        std::swap(mHilitePos, mUndoHilitePos);
        clearSelection = false;
        break;
    default:
        switch (key)
        {
        case int(platform::VK_BACK):
            if (mString.empty())
                break;
            if (HasSelection())
            {
                EraseSelection();
                changed = true;
            }
            else
            {
                if (mCursorPos > 0 && mCursorPos <= int(mString.size()))
                {
                    mString.erase(size_t(mCursorPos) - 1, 1);
                    --mCursorPos;
                }
                mHilitePos = -1;
                changed = oldCursor != mLastModifyIdx + 1;
                mLastModifyIdx = oldCursor - 2;
            }
            break;
        case int(platform::VK_RETURN):
            if (mEditListener != nullptr)
                mEditListener->OnEditReturn(mId, mString);
            break;
        case int(platform::VK_END):
            mCursorPos = int(mString.size());
            break;
        case int(platform::VK_HOME):
            mCursorPos = 0;
            break;
        case int(platform::VK_LEFT):
        {
            const std::string& display = GetDisplayText();
            if (ctrl)
            {
                while (mCursorPos > 0 && !IsWordChar(display[size_t(mCursorPos) - 1]))
                    --mCursorPos;
                while (mCursorPos > 0 && IsWordChar(display[size_t(mCursorPos) - 1]))
                    --mCursorPos;
            }
            else if (shift || mHilitePos == -1)
            {
                --mCursorPos;
            }
            else
            {
                mCursorPos = std::min(mCursorPos, mHilitePos);
            }
            break;
        }
        case int(platform::VK_RIGHT):
        {
            const std::string& display = GetDisplayText();
            const int length = int(display.size());
            if (ctrl)
            {
                while (mCursorPos >= 0 && mCursorPos < length - 1 &&
                       IsWordChar(display[size_t(mCursorPos) + 1]))
                    ++mCursorPos;
                while (mCursorPos >= 0 && mCursorPos < length - 1 &&
                       !IsWordChar(display[size_t(mCursorPos) + 1]))
                    ++mCursorPos;
            }
            if (shift || mHilitePos == -1)
                ++mCursorPos;
            else
                mCursorPos = std::max(mCursorPos, mHilitePos);
            break;
        }
        case int(platform::VK_DELETE):
            if (mString.empty())
                break;
            if (HasSelection())
            {
                EraseSelection();
                changed = true;
            }
            else
            {
                if (mCursorPos >= 0 && mCursorPos < int(mString.size()))
                    mString.erase(size_t(mCursorPos), 1);
                changed = mCursorPos != mLastModifyIdx;
                mLastModifyIdx = mCursorPos;
            }
            break;
        default:
        {
            const unsigned value = static_cast<unsigned char>(character);
            const unsigned highest = app != nullptr && app->AcceptsHighCharacters() ? 255 : 127;
            if (value < 32 || value > highest || !CharAllowed(character))
            {
                clearSelection = false;
                break;
            }
            if (HasSelection())
            {
                EraseSelection();
                changed = true;
            }
            else
            {
                changed = mCursorPos != mLastModifyIdx + 1;
            }
            mCursorPos = ClampInt(mCursorPos, 0, int(mString.size()));
            mLastModifyIdx = mCursorPos;
            mString.insert(size_t(mCursorPos), 1, character);
            ++mCursorPos;
            mHilitePos = -1;
            ScrollToCursor(false);
            break;
        }
        }
        break;
    }

    if (mMaxChars >= 0 && int(mString.size()) > mMaxChars)
        mString.resize(size_t(mMaxChars));
    EnforceMaxPixels();

    const int length = int(mString.size());
    mCursorPos = ClampInt(mCursorPos, 0, length);
    if (mHilitePos != -1)
        mHilitePos = ClampInt(mHilitePos, 0, length);
    if (mCursorPos != oldCursor)
    {
        mShowingCursor = true;
        mBlinkAcc = 0;
    }
    ScrollToCursor(true);
    if (clearSelection || mHilitePos == mCursorPos)
        mHilitePos = -1;

    if (mEditListener != nullptr && !mEditListener->AcceptsText(mId, mString))
    {
        mString = oldString;
        mCursorPos = oldCursor;
        mHilitePos = oldHilite;
    }
    else if (changed)
    {
        mUndoString = oldString;
        mUndoCursor = oldCursor;
        mUndoHilitePos = oldHilite;
    }
    MarkDirty();
}

void EditWidget::Draw(Graphics* g)
{
    Font* font = EnsureFont();
    const int w = mWidth;
    const int h = mHeight;
    g->SetColor(GetColor(COLOR_BKG));
    g->FillRect(0, 0, w, h);

    const std::string& display = GetDisplayText();
    const int from = ClampInt(mLeftPos, 0, int(display.size()));
    const std::string visible = display.substr(size_t(from));
    const int fontHeight = font->GetHeight();
    const int top = (h - fontHeight) / 2;
    const int baseline = top + font->GetAscent();

    Graphics text(*g);
    text.SetFont(font);
    text.ClipRect(4, 0, w - 8, h);
    text.SetColor(GetColor(COLOR_TEXT));
    text.DrawString(visible, 4, baseline);

    int start = VisibleWidth(mCursorPos) + (mShowingCursor ? 0 : 2);
    int end = mHilitePos != -1 ? VisibleWidth(mHilitePos) : VisibleWidth(mCursorPos) + 2;
    start = ClampInt(start, 0, w - 8);
    end = ClampInt(end, 0, w - 8);
    Graphics mark(*g);
    mark.SetFont(font);
    mark.ClipRect(std::min(start, end) + 4, top, std::abs(end - start), fontHeight);
    if (mHasFocus || mDrawSelOverride)
    {
        mark.SetColor(GetColor(COLOR_HILITE));
        mark.FillRect(std::min(start, end) + 4, top, std::abs(end - start), fontHeight);
        mark.SetColor(GetColor(COLOR_HILITE_TEXT));
    }
    else
    {
        mark.SetColor(GetColor(COLOR_TEXT));
    }
    mark.DrawString(visible, 4, baseline);

    g->SetColor(GetColor(COLOR_OUTLINE));
    g->DrawRect(0, 0, w - 1, h - 1);
}

} // namespace Quib
