#include "framework/widgets/Dialog.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ControlFont.h"
#include "framework/widgets/DialogListener.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>

namespace Quib
{

namespace
{

const char* const kYes = "YES";
const char* const kNo = "NO";
const char* const kOk = "OK";
const char* const kCancel = "CANCEL";

} // namespace

Dialog::Dialog(int id, bool modal, const std::string& header, const std::string& lines,
               const std::string& footer, int buttonMode)
    : mDialogHeader(header), mDialogFooter(footer), mDialogLines(lines), mButtonMode(buttonMode), mId(id),
      mIsModal(modal)
{
    if (buttonMode == DIALOG_MODE_YES_NO || buttonMode == DIALOG_MODE_OK_CANCEL)
    {
        mYesButton = std::make_unique<DialogButton>(DIALOG_FIRST_BUTTON_ID, this);
        mNoButton = std::make_unique<DialogButton>(DIALOG_SECOND_BUTTON_ID, this);
        mYesButton->mLabel = buttonMode == DIALOG_MODE_YES_NO ? kYes : kOk;
        mNoButton->mLabel = buttonMode == DIALOG_MODE_YES_NO ? kNo : kCancel;
    }
    else if (buttonMode == DIALOG_MODE_SINGLE)
    {
        mYesButton = std::make_unique<DialogButton>(DIALOG_FIRST_BUTTON_ID, this);
        mYesButton->mLabel = footer;
    }
    mHasTransparencies = true;
    mHasAlpha = true;
    mPriority = 1;
    static constexpr int kColors[][3] = {{255, 255, 255}, {255, 255, 0}, {255, 255, 255}, {0, 0, 0},
                                         {0, 0, 0},       {80, 80, 80},  {255, 255, 255}};
    SetColorsRGB(kColors, 7);
}

Dialog::~Dialog()
{
    // The buttons live in the manager beside the dialog; take them out before they go.
    if (mWidgetManager != nullptr)
    {
        if (mYesButton != nullptr)
            mWidgetManager->RemoveChild(mYesButton.get());
        if (mNoButton != nullptr)
            mWidgetManager->RemoveChild(mNoButton.get());
    }
}

void Dialog::SelectCursor(int cursor)
{
    if (mWidgetManager != nullptr && mWidgetManager->mApp != nullptr)
        mWidgetManager->mApp->SelectCursor(cursor);
}

void Dialog::OnAttached(WidgetManager* manager)
{
    Widget::OnAttached(manager);
    if (mYesButton != nullptr)
        manager->AddChild(mYesButton.get());
    if (mNoButton != nullptr)
        manager->AddChild(mNoButton.get());
}

void Dialog::OnDetached(WidgetManager* manager)
{
    Widget::OnDetached(manager);
    if (mYesButton != nullptr)
        manager->RemoveChild(mYesButton.get());
    if (mNoButton != nullptr)
        manager->RemoveChild(mNoButton.get());
}

void Dialog::OnZOrderChanged()
{
    if (mWidgetManager == nullptr)
        return;
    if (mYesButton != nullptr)
        mWidgetManager->MoveInFront(mYesButton.get(), this);
    if (mNoButton != nullptr)
        mWidgetManager->MoveInFront(mNoButton.get(), this);
}

void Dialog::SetColor(int index, const Color& color)
{
    Widget::SetColor(index, color);
    for (DialogButton* button : {mYesButton.get(), mNoButton.get()})
    {
        if (button == nullptr)
            continue;
        if (index == COLOR_BUTTON_TEXT)
            button->SetColor(ButtonWidget::COLOR_LABEL, color);
        else if (index == COLOR_BUTTON_TEXT_HILITE)
            button->SetColor(ButtonWidget::COLOR_LABEL_HILITE, color);
    }
}

void Dialog::SetButtonFont(Font* font)
{
    if (mYesButton != nullptr)
        mYesButton->SetFont(font);
    if (mNoButton != nullptr)
        mNoButton->SetFont(font);
}

void Dialog::SetHeaderFont(Font* font)
{
    mHeaderFont.reset(font != nullptr ? font->Clone() : nullptr);
}

void Dialog::SetLinesFont(Font* font)
{
    mLinesFont.reset(font != nullptr ? font->Clone() : nullptr);
}

void Dialog::EnsureFonts()
{
    if (mHeaderFont == nullptr)
        mHeaderFont = MakeControlFont(14, 0);
    if (mLinesFont == nullptr)
        mLinesFont = MakeControlFont(12, 0);
}

bool Dialog::IsModal() const
{
    return mIsModal;
}

void Dialog::Resize(int x, int y, int width, int height)
{
    Widget::Resize(x, y, width, height);
    const EdgeInsets& b = mBackgroundInsets;
    const EdgeInsets& c = mContentInsets;
    const int buttonY = y + height - b.mBottom - c.mBottom - mButtonHeight;
    if (mYesButton != nullptr && mNoButton != nullptr)
    {
        int buttonWidth =
            (width - 2 * mButtonSidePadding - b.mRight - c.mRight - c.mLeft - b.mLeft - mButtonHorzSpacing) /
            2;
        int firstX = x + c.mLeft + b.mLeft + mButtonSidePadding;
        mYesButton->Resize(firstX, buttonY, buttonWidth, mButtonHeight);
        mNoButton->Resize(firstX + buttonWidth + mButtonHorzSpacing, buttonY, buttonWidth, mButtonHeight);
    }
    else if (mYesButton != nullptr)
    {
        mYesButton->Resize(x + c.mLeft + b.mLeft, buttonY, width - b.mRight - c.mRight - c.mLeft - b.mLeft,
                           mButtonHeight);
    }
}

int Dialog::GetPreferredHeight(int width)
{
    EnsureFonts();
    const EdgeInsets& b = mBackgroundInsets;
    const EdgeInsets& c = mContentInsets;
    int height = b.mBottom + b.mTop + c.mBottom + c.mTop;
    bool somethingBefore = false;
    if (!mDialogHeader.empty())
    {
        height += mHeaderFont->GetHeight() - mHeaderFont->GetAscentPadding();
        somethingBefore = true;
    }
    if (!mDialogLines.empty())
    {
        if (somethingBefore)
            height += mSpaceAfterHeader;
        Graphics g;
        g.SetFont(mLinesFont.get());
        height += MeasureWrappedText(&g, width - b.mRight - b.mLeft - c.mRight - c.mLeft - 4, mDialogLines,
                                     mLinesFont->GetLineSpacing() + mLineSpacingOffset);
        somethingBefore = true;
    }
    if (FooterIsLine())
    {
        if (somethingBefore)
            height += 8;
        height += mHeaderFont->GetLineSpacing();
        somethingBefore = true;
    }
    if (mYesButton != nullptr)
    {
        if (somethingBefore)
            height += 8;
        height += mButtonHeight + 8;
    }
    return height;
}

void Dialog::Draw(Graphics* g)
{
    EnsureFonts();
    const int w = mWidth;
    const int h = mHeight;
    const EdgeInsets& b = mBackgroundInsets;
    const EdgeInsets& c = mContentInsets;
    const Rect content(c.mLeft, c.mTop, w - c.mRight - c.mLeft, h - c.mBottom - c.mTop);
    if (mComponentImage != nullptr)
    {
        g->DrawNinePatch(content, mComponentImage);
    }
    else
    {
        g->SetColor(GetColorOr(COLOR_OUTLINE, Color(255, 255, 255)));
        g->DrawRect(12, 12, w - 25, h - 25);
        g->SetColor(GetColorOr(COLOR_BKG, Color(80, 80, 80)));
        g->FillRect(13, 13, w - 26, h - 26);
        g->SetColor(Color(0, 0, 0, 128));
        g->FillRect(w - 12, 24, 12, h - 36);
        g->FillRect(24, h - 12, w - 24, 12);
    }

    int y = b.mTop + c.mTop;
    if (!mDialogHeader.empty())
    {
        g->SetFont(mHeaderFont.get());
        g->SetColor(GetColor(COLOR_HEADER));
        const int padding = mHeaderFont->GetAscentPadding();
        DrawCenteredText(g, y - padding + mHeaderFont->GetAscent(), mDialogHeader);
        y = y - padding + mHeaderFont->GetHeight() + mSpaceAfterHeader;
    }

    g->SetFont(mLinesFont.get());
    g->SetColor(GetColor(COLOR_LINES));
    const Rect body(b.mLeft + c.mLeft + 2, y, w - b.mRight - c.mLeft - b.mLeft - c.mRight - 4, h - y);
    const int bodyHeight =
        DrawWrappedText(g, mDialogLines, body, mLinesFont->GetLineSpacing() + mLineSpacingOffset, mTextAlign);

    if (FooterIsLine())
    {
        g->SetFont(mHeaderFont.get());
        g->SetColor(GetColor(COLOR_FOOTER));
        DrawCenteredText(g, y + bodyHeight + mHeaderFont->GetLineSpacing() + 8, mDialogFooter);
    }
}

void Dialog::OnMouseButtonDown(int x, int y, int, int clickCount)
{
    if (clickCount != 1)
        return;
    SelectCursor(CURSOR_DRAGGING);
    mDragging = true;
    mDragMouseX = x;
    mDragMouseY = y;
}

void Dialog::OnMouseDrag(int x, int y)
{
    if (!mDragging)
        return;
    const int areaWidth = mWidgetManager != nullptr ? mWidgetManager->mWidth : 0;
    const int areaHeight = mWidgetManager != nullptr ? mWidgetManager->mHeight : 0;
    int newX = mX + x - mDragMouseX;
    int newY = mY + y - mDragMouseY;
    newX = std::max(std::min(newX, areaWidth + 8 - mWidth), -8);
    newY = std::max(std::min(newY, areaHeight + 8 - mHeight), -8);
    mDragMouseX = std::max(std::min(x + mX - newX, mWidth - 9), 8);
    mDragMouseY = std::max(std::min(y + mY - newY, mHeight - 9), 8);
    Move(newX, newY);
}

void Dialog::OnMouseButtonUp(int, int, int, int)
{
    if (!mDragging)
        return;
    SelectCursor(CURSOR_ARROW);
    mDragging = false;
}

void Dialog::OnButtonPressed(int id)
{
    if (id != DIALOG_FIRST_BUTTON_ID && id != DIALOG_SECOND_BUTTON_ID)
        return;
    if (mDialogListener != nullptr)
        mDialogListener->OnDialogButtonPressed(mId, id);
}

void Dialog::OnButtonReleased(int id)
{
    if (id != DIALOG_FIRST_BUTTON_ID && id != DIALOG_SECOND_BUTTON_ID)
        return;
    mResult = id;
    if (mDialogListener != nullptr)
        mDialogListener->OnDialogButtonReleased(mId, id);
}

int Dialog::WaitForAnswer(bool close)
{
    WidgetHost* app = mWidgetManager != nullptr ? mWidgetManager->mApp : nullptr;
    if (app == nullptr)
        return mResult;
    while (mWidgetManager != nullptr && mResult == INT_MAX && app->RunLoopStep())
    {
    }
    const int result = mResult;
    if (close)
        app->CloseDialog(mId);
    return result;
}

} // namespace Quib
