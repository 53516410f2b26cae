#pragma once

#include "framework/graphics/Font.h"
#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/Widget.h"

#include <climits>
#include <memory>
#include <string>

namespace Quib
{

class DialogListener;

enum DialogMode : int
{
    DIALOG_MODE_NONE = 0,
    DIALOG_MODE_YES_NO = 1,
    DIALOG_MODE_OK_CANCEL = 2,
    DIALOG_MODE_SINGLE = 3,
};

constexpr int DIALOG_FIRST_BUTTON_ID = 1000;
constexpr int DIALOG_SECOND_BUTTON_ID = 1001;

// The framework's message box: a movable top-level widget with a header, a
// word-wrapped body and a footer, and up to two buttons that it keeps just in
// front of itself in the manager.
class Dialog : public Widget, public ButtonListener
{
public:
    enum ColorIndex
    {
        COLOR_HEADER = 0,
        COLOR_LINES = 1,
        COLOR_FOOTER = 2,
        COLOR_BUTTON_TEXT = 3,
        COLOR_BUTTON_TEXT_HILITE = 4,
        COLOR_BKG = 5,
        COLOR_OUTLINE = 6,
    };

    Dialog(int id, bool modal, const std::string& header, const std::string& lines, const std::string& footer,
           int buttonMode);
    ~Dialog() override;

    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    void Draw(Graphics* g) override;
    void OnZOrderChanged() override;
    void SetColor(int index, const Color& color) override;
    void Resize(int x, int y, int width, int height) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnMouseButtonUp(int x, int y, int button, int clickCount) override;
    void OnMouseDrag(int x, int y) override;

    virtual void SetButtonFont(Font* font);
    virtual void SetHeaderFont(Font* font);
    virtual void SetLinesFont(Font* font);
    virtual int GetPreferredHeight(int width);
    virtual bool IsModal() const;
    virtual int WaitForAnswer(bool close);

    void OnButtonPressed(int id) override;
    void OnButtonReleased(int id) override;

    DialogListener* mDialogListener = nullptr;
    Image* mComponentImage = nullptr;
    std::unique_ptr<DialogButton> mYesButton;
    std::unique_ptr<DialogButton> mNoButton;
    std::string mDialogHeader;
    std::string mDialogFooter;
    std::string mDialogLines;
    int mButtonMode;
    std::unique_ptr<Font> mHeaderFont;
    std::unique_ptr<Font> mLinesFont;
    int mTextAlign = 0;
    int mLineSpacingOffset = 0;
    int mButtonHeight = 24;
    EdgeInsets mContentInsets;
    EdgeInsets mBackgroundInsets{24, 24, 24, 24};
    int mSpaceAfterHeader = 10;
    bool mDragging = false;
    int mDragMouseX = 0;
    int mDragMouseY = 0;
    int mId;
    bool mIsModal;
    int mResult = INT_MAX;
    int mButtonHorzSpacing = 8;
    int mButtonSidePadding = 0;

private:
    void EnsureFonts();
    bool FooterIsLine() const { return !mDialogFooter.empty() && mButtonMode != DIALOG_MODE_SINGLE; }
    void SelectCursor(int cursor);
};

} // namespace Quib
