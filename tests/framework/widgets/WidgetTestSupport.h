#pragma once

#include "framework/graphics/Font.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace widgettest
{

// Stands in for the application object.
class FakeWidgetHost : public Quib::WidgetHost
{
public:
    void SelectCursor(int cursor) override { mCursors.push_back(cursor); }
    bool Is3DEnabled() override { return false; }
    void CopyToClipboard(const std::string& text) override { mClipboard = text; }
    std::string GetClipboardText() override { return mClipboard; }
    bool AcceptsHighCharacters() override { return mHighCharacters; }
    int GetScreenWidth() override { return 800; }
    int GetScreenHeight() override { return 600; }
    bool RunLoopStep() override { return mLoopStep ? mLoopStep() : false; }
    void CloseDialog(int id) override { mClosedDialogs.push_back(id); }

    int LastCursor() const { return mCursors.empty() ? -1 : mCursors.back(); }

    std::vector<int> mCursors;
    std::string mClipboard;
    bool mHighCharacters = false;
    std::function<bool()> mLoopStep;
    std::vector<int> mClosedDialogs;
};

// Every character 6 pixels wide except those listed as glyphless; ascent 8,
// height 10. Draws each character as a 5 x 10 block, so text shows on pixels.
class FakeFont : public Quib::Font
{
public:
    FakeFont()
    {
        mAscent = 8;
        mHeight = 10;
    }
    int GetStringWidth(const std::string& text) override;
    int GetCharWidth(char c) override;
    void DrawString(Quib::Graphics* g, int x, int y, const std::string& text, const Quib::Color& color,
                    const Quib::Rect& clipRect) override;
    Quib::Font* Clone() override { return new FakeFont(*this); }

    std::string mGlyphless;
};

// Logs every event it receives as "<name>:<event>" into a shared log, fills its
// rectangle with its colour when drawn, and runs an optional hook on Update.
class RecordingWidget : public Quib::Widget
{
public:
    RecordingWidget(std::string name, std::vector<std::string>* log,
                    Quib::Color color = Quib::Color(255, 0, 0));

    void Update() override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnFocusGained() override;
    void OnFocusLost() override;
    void OnChar(char c) override;
    void OnKeyDown(int key) override;
    void OnKeyUp(int key) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnMouseMove(int x, int y) override;
    void OnMouseDown(int x, int y, int clickCode) override;
    void OnMouseUp(int x, int y, int clickCode) override;
    void OnMouseDrag(int x, int y) override;
    void OnMouseWheel(int steps) override;

    std::string mName;
    std::vector<std::string>* mLog;
    Quib::Color mFill;
    int mUpdates = 0;
    int mDraws = 0;
    std::function<void()> mOnUpdate;
    // Overlay drawn as a filled rectangle in widget coordinates.
    Quib::Rect mOverlayRect;
    Quib::Color mOverlayColor;

private:
    void Log(const std::string& event);
};

// A manager over a 100 x 100 screen image.
struct Screen
{
    Screen();
    uint32_t Pixel(int x, int y);
    void Clear(uint32_t argb = 0xFF000000);

    FakeWidgetHost mHost;
    Quib::MemoryImage mImage;
    Quib::WidgetManager mManager{&mHost};
};

std::string Join(const std::vector<std::string>& log);

} // namespace widgettest
