#pragma once

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Widget.h"
#include "game/shell/FadeState.h"

#include <cstdint>
#include <vector>

namespace Quib
{
class Graphics;
class Image;
class WidgetManager;
} // namespace Quib

// A widget that owns a group of widgets (children of the widget manager, not
// of the menu), draws an optional background with its own alpha and fades in
// and out; a finished fade-out can take it off the screen and delete it.
class BasicMenu : public Quib::Widget, public Quib::ButtonListener
{
public:
    BasicMenu() = default;
    // Hands the owned widgets to the deferred deletion, as leaving the tree does.
    ~BasicMenu() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    // The owned widgets leave the manager and go to the deferred deletion;
    // their slots stay, empty.
    void OnDetached(Quib::WidgetManager* manager) override;
    void Update() override {}
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void OnKeyDown(int) override {}
    // Around the removal after a fade-out.
    virtual void OnBeforeRemove() {}
    virtual void OnRemoved() {}

    Quib::WidgetManager* mManager = nullptr;
    int32_t mId = -1;
    Quib::Image* mBackground = nullptr;
    // Owned: each is deleted through the deferred deletion.
    std::vector<Quib::Widget*> mOwnedWidgets;
    std::vector<Quib::Widget*> mWidgets;
    bool mRemoveWhenFaded = false;
    float mAlpha = 255.0f;
    int32_t mFadeState = FADE_IDLE;
    // The widget whose manager holds the menu, for the removal after a fade-out.
    Quib::Widget* mOwner = nullptr;

private:
    void ReleaseOwnedWidgets(Quib::WidgetManager* manager);
};
