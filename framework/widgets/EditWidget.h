#pragma once

#include "framework/graphics/Font.h"
#include "framework/widgets/Widget.h"

#include <memory>
#include <string>
#include <vector>

namespace Quib
{

class EditListener;

// A single-line text field: cursor and selection, blinking caret, password
// character, character and pixel limits, horizontal scrolling, word-wise
// movement, one step of undo, and cut, copy and paste.
class EditWidget : public Widget
{
public:
    enum ColorIndex
    {
        COLOR_BKG = 0,
        COLOR_OUTLINE = 1,
        COLOR_TEXT = 2,
        COLOR_HILITE = 3,
        COLOR_HILITE_TEXT = 4,
    };

    struct WidthFont
    {
        std::unique_ptr<Font> mFont;
        int mWidth = -1; // -1: the field's pixel limit
    };

    EditWidget(int id, EditListener* listener);

    void MarkDirty() override;
    void Update() override;
    void Draw(Graphics* g) override;
    void Resize(int x, int y, int width, int height) override;
    bool AcceptsFocus() override;
    void OnFocusGained() override;
    void OnFocusLost() override;
    void OnChar(char character) override;
    void OnKeyDown(int key) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnMouseButtonUp(int x, int y, int button, int clickCount) override;
    void OnMouseDrag(int x, int y) override;

    virtual void ProcessInput(int key, char character);
    virtual void SelectWordAtCursor();
    virtual void SetFont(Font* font, Font* widthFont = nullptr);
    virtual void SetText(const std::string& text, bool leftPosToZero = true);
    virtual bool IsWordChar(char c) const;
    virtual int GetCharIndexAt(int x, int y);
    virtual void ScrollToCursor(bool big);

    void ClearWidthFonts();
    void AddWidthFont(Font* font, int width = -1);
    const std::string& GetDisplayText();
    void PlaceSystemCaret();
    void EnforceMaxPixels();

    int mId;
    std::string mString;
    std::string mPasswordDisplayString;
    std::unique_ptr<Font> mFont;
    std::vector<WidthFont> mWidthCheckList;
    EditListener* mEditListener;
    bool mShowingCursor = false;
    bool mDrawSelOverride = false;
    bool mHadDoubleClick = false;
    int mCursorPos = 0;
    int mHilitePos = -1;
    int mBlinkAcc = 0;
    int mBlinkDelay = 40;
    int mLeftPos = 0;
    int mMaxChars = -1;
    int mMaxPixels = -1;
    char mPasswordChar = 0;
    std::string mUndoString;
    int mUndoCursor = 0;
    int mUndoHilitePos = -1;
    int mLastModifyIdx = 0;

private:
    Font* EnsureFont();
    bool IsKeyHeld(int key) const;
    void SelectCursor(int cursor);
    // Width of the display text from the first visible character up to index.
    int VisibleWidth(int index);
    void EraseSelection();
    bool HasSelection() const { return mHilitePos != -1 && mHilitePos != mCursorPos; }
    bool CharAllowed(char c);
};

} // namespace Quib
