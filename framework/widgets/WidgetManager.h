#pragma once

#include "framework/widgets/WidgetContainer.h"

#include <array>
#include <climits>
#include <vector>

namespace Quib
{

class Image;
class Widget;
class WidgetHost;

struct SavedModalState
{
    Widget* mWidget = nullptr;
    Widget* mPrevBaseModal = nullptr;
    Widget* mPrevFocus = nullptr;
    FlagMasks mPrevBelowModalMasks;
};

struct OverlayRequest
{
    Widget* mWidget = nullptr; // null once drawn
    int mPriority = 0;
};

// Mouse button bits of the held and physical button masks.
enum MouseButtonBit : int
{
    MOUSE_BIT_LEFT = 1,
    MOUSE_BIT_RIGHT = 2,
    MOUSE_BIT_MIDDLE = 4,
};

// The root of the widget tree: hands input to the widget under the mouse, the
// one holding the buttons or the one with the focus, keeps the modal layers,
// and draws the dirty top-level widgets and the overlays they request.
class WidgetManager : public WidgetContainer
{
public:
    static constexpr int kKeyCount = 255;

    explicit WidgetManager(WidgetHost* app);
    ~WidgetManager() override;

    void ForgetWidget(Widget* widget) override;
    void SetFocusWidget(Widget* widget) override;

    // Input.
    void MapMousePosition(int& x, int& y) const;
    void SetMouseMapping(const Rect& destination, const Rect& source);
    int GetFocusAdjustedFlags() const;
    Widget* FindWidgetAt(int x, int y, int* localX = nullptr, int* localY = nullptr);
    Widget* FindEnabledWidgetAt(int x, int y, int* localX = nullptr, int* localY = nullptr);
    void SendMouseEnter(Widget* widget);
    void SendMouseLeave(Widget* widget);
    void SendButtonsUp(Widget* widget, int mask);
    void ReleaseHeldButtons();
    void OnAppFocusGained();
    void OnAppFocusLost();
    void DismissPopupWidget();
    void TrackMousePosition(int x, int y);
    void RecheckMouseOver();
    void HandleMouseDown(int x, int y, int clickCode);
    void HandleMouseUp(int x, int y, int clickCode);
    void HandleMouseMove(int x, int y);
    void HandleMouseDrag(int x, int y);
    void HandleMouseExit();
    void HandleMouseWheel(int steps);
    void HandleKeyDown(int key);
    void HandleKeyUp(int key);
    void HandleChar(int character);
    bool IsKeyDown(int key) const;

    // Modal layers.
    void ApplyModalState(const FlagMasks& masks, Widget* widget);
    void PushModalWithMasks(Widget* widget, const FlagMasks& masks);
    void PushModal(Widget* widget);
    void PopModal(Widget* widget);

    // Drawing.
    void ComputeTreeFlags(TreeFlagState& state) const;
    bool UpdateWidgets();
    bool UpdateWidgetsFraction(float fraction);
    bool DrawDirtyWidgets();
    void QueueOverlay(Widget* widget, int priority);
    void FlushOverlays(int bound);

    Widget* mDefaultTab = nullptr;
    Graphics* mCurrentGraphics = nullptr;
    WidgetHost* mApp = nullptr;
    Image* mDrawImage = nullptr;
    Widget* mPopupWidget = nullptr;
    std::vector<OverlayRequest> mOverlays;
    int mLowestOverlayPriority = INT_MAX;
    bool mHasFocus = true;
    Widget* mFocusWidget = nullptr;
    Widget* mLastDownWidget = nullptr;
    Widget* mOverWidget = nullptr;
    Widget* mBaseModalWidget = nullptr;
    FlagMasks mLostFocusMasks;
    FlagMasks mBelowModalMasks;
    FlagMasks mDefaultBelowModalMasks{0, TREE_MOUSE | TREE_FOCUS};
    std::vector<SavedModalState> mModalStack;
    Rect mMouseDestRect;
    Rect mMouseSourceRect;
    bool mMouseIn = false;
    int mLastMouseX = 0;
    int mLastMouseY = 0;
    int mDownButtons = 0;
    int mActualDownButtons = 0;
    int mLastInputUpdateCount = 0;
    std::array<bool, kKeyCount> mKeyDown{};
    int mLastDownButtonId = 0;
    int mWidgetFlags = TREE_UPDATE | TREE_DRAW | TREE_CLIP | TREE_MOUSE | TREE_FOCUS;

private:
    static int ButtonBit(int clickCode);
    bool IsBehindBaseModal(const Widget* widget) const;
};

} // namespace Quib
