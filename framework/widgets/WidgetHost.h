#pragma once

#include <string>

namespace Quib
{

// Cursor numbers the controls ask the application for.
enum WidgetCursor : int
{
    CURSOR_ARROW = 0,
    CURSOR_HAND = 1,
    CURSOR_DRAGGING = 2,
    CURSOR_TEXT = 3,
};

// What the widgets need of the application object. The application implements
// it and gives it to its widget manager; tests use a fake.
class WidgetHost
{
public:
    virtual ~WidgetHost() = default;

    virtual void SelectCursor(int cursor) = 0;
    virtual bool Is3DEnabled() = 0;

    virtual void CopyToClipboard(const std::string& text) = 0;
    virtual std::string GetClipboardText() = 0;
    // Whether typed characters above 127 reach edit fields.
    virtual bool AcceptsHighCharacters() = 0;

    // The operating system's caret, placed where an edit field types so that
    // input-method windows follow it.
    virtual bool UsesSystemCaret() { return false; }
    virtual void ShowSystemCaret() {}
    virtual void HideSystemCaret() {}
    virtual void SetSystemCaretPos(int /*x*/, int /*y*/) {}
    virtual int GetScreenWidth() = 0;
    virtual int GetScreenHeight() = 0;

    // One step of the run loop; false when the loop is being left.
    virtual bool RunLoopStep() = 0;
    // Removes the dialog registered under the id and defers its deletion.
    virtual void CloseDialog(int id) = 0;
};

} // namespace Quib
